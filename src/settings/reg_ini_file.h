#pragma once

#include "settings/custom_ini_file.h"
#include "settings/registry.h"

// Settings in the key store: the settings key (opened, created when missing, and kept open)
// holds one subkey per section, each holding the section's values as strings.
class TRegIniFile : public TRegistry, public TCustomIniFile {
public:
  explicit TRegIniFile(std::string fileName);

  const std::string &FileName() const { return FFileName; }

  std::string ReadString(const std::string &section, const std::string &key, const std::string &defaultValue) override;
  void WriteString(const std::string &section, const std::string &key, const std::string &value) override;
  // Deletes the section's subkey with all its subkeys.
  void EraseSection(const std::string &section) override;

private:
  // Runs `work` with the section's subkey as the open key, then gives the settings key back.
  template <class F> bool InSection(const std::string &section, bool create, F &&work);

  std::string FFileName;
};
