#include "settings/ini_file.h"

#include "platform/profile/private_profile.h"
#include "platform/profile/settings_folder.h"
#include "rtl/exception.h"

std::string TIniFile::ReadString(const std::string &section, const std::string &key, const std::string &defaultValue) {
  char buffer[1024];
  const uint32_t length = GetPrivateProfileString(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                  sizeof buffer, FFileName.c_str());
  return std::string(buffer, length);
}

void TIniFile::WriteString(const std::string &section, const std::string &key, const std::string &value) {
  if (!WritePrivateProfileString(section.c_str(), key.c_str(), value.c_str(), FFileName.c_str()))
    WriteFailed();
}

void TIniFile::EraseSection(const std::string &section) {
  if (!WritePrivateProfileString(section.c_str(), nullptr, nullptr, FFileName.c_str()))
    WriteFailed();
}

void TIniFile::WriteFailed() const { throw Exception("Unable to write to %s", ProfilePath(FFileName)); }
