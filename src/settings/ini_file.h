#pragma once

#include "settings/custom_ini_file.h"

// A settings file of sections and key=value lines, through the private-profile functions:
// nothing is cached, every read and write goes to the file, and a bare file name lives in the
// settings folder. Reads never fail; a write the file refuses raises "Unable to write to %s"
// with the file's full path.
class TIniFile : public TCustomIniFile {
public:
  explicit TIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

  const std::string &FileName() const { return FFileName; }

  // Reads at most 1023 characters, as the profile read's buffer holds.
  std::string ReadString(const std::string &section, const std::string &key, const std::string &defaultValue) override;
  void WriteString(const std::string &section, const std::string &key, const std::string &value) override;
  void EraseSection(const std::string &section) override;

private:
  [[noreturn]] void WriteFailed() const;

  std::string FFileName;
};
