#include "platform/profile/private_profile.h"

#include "platform/profile/atomic_file.h"
#include "platform/profile/profile_text.h"
#include "platform/profile/settings_folder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// The file's text; a missing or unreadable file reads as empty.
std::string FileText(const std::string &path) {
  std::string text;
  if (!ReadFileContents(path, text))
    text.clear();
  return text;
}

bool ValidWrite(const char *section, const char *key, const char *value) {
  return section && IsProfileSectionName(section) && (!key || IsProfileKeyName(key)) &&
         (!key || !value || IsProfileValue(value));
}

} // namespace

uint32_t GetPrivateProfileString(const char *section, const char *key, const char *defaultValue, char *buffer,
                                 uint32_t size, const char *fileName) {
  if (!buffer || size == 0)
    return 0;
  std::string value = defaultValue ? defaultValue : "";
  if (section && key && fileName) {
    const TProfileText text(FileText(ProfilePath(fileName)));
    if (auto found = text.Value(section, key))
      value = std::move(*found);
  }
  const size_t length = std::min<size_t>(value.size(), size - 1);
  std::memcpy(buffer, value.data(), length);
  buffer[length] = '\0';
  return uint32_t(length);
}

bool WritePrivateProfileString(const char *section, const char *key, const char *value, const char *fileName) {
  if (!fileName || !ValidWrite(section, key, value)) {
    errno = EINVAL;
    return false;
  }
  const std::string path = ProfilePath(fileName);
  if (path != fileName) {
    std::error_code error;
    std::filesystem::create_directories(SettingsFolder(), error);
  }
  // A file that exists but cannot be read is not replaced by one holding only this value.
  std::string old;
  if (!ReadFileContents(path, old)) {
    if (errno != ENOENT)
      return false;
    old.clear();
  }
  TProfileText text(old);
  if (!key)
    text.EraseSection(section);
  else if (!value)
    text.EraseKey(section, key);
  else
    text.SetValue(section, key, value);
  return ReplaceFileContents(path, text.Text());
}
