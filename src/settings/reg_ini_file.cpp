#include "settings/reg_ini_file.h"

TRegIniFile::TRegIniFile(std::string fileName) : FFileName(std::move(fileName)) { OpenKey(FFileName, true); }

template <class F> bool TRegIniFile::InSection(const std::string &section, bool create, F &&work) {
  const HKEY settingsKey = CurrentKey();
  const std::string settingsPath = CurrentPath();
  HKEY sectionKey = 0;
  const long opened = create ? RegCreateKeyEx(settingsKey, section.c_str(), &sectionKey)
                             : RegOpenKeyEx(settingsKey, section.c_str(), &sectionKey);
  if (opened != ERROR_SUCCESS) {
    if (create)
      throw ERegistryException("Failed to create key %s", section);
    return false;
  }
  ChangeKey(sectionKey, settingsPath + "\\" + section);
  try {
    work();
  } catch (...) {
    ChangeKey(settingsKey, settingsPath);
    RegCloseKey(sectionKey);
    throw;
  }
  ChangeKey(settingsKey, settingsPath);
  RegCloseKey(sectionKey);
  return true;
}

std::string TRegIniFile::ReadString(const std::string &section, const std::string &key,
                                    const std::string &defaultValue) {
  std::string value = defaultValue;
  InSection(section, false, [&] {
    if (ValueExists(key))
      value = TRegistry::ReadString(key);
  });
  return value;
}

void TRegIniFile::WriteString(const std::string &section, const std::string &key, const std::string &value) {
  InSection(section, true, [&] { TRegistry::WriteString(key, value); });
}

void TRegIniFile::EraseSection(const std::string &section) { DeleteKey(section); }
