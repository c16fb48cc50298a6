#include "settings/custom_ini_file.h"

#include <charconv>
#include <cstdint>

int StoredInteger(const std::string &text, int defaultValue) {
  const char *begin = text.data();
  const char *end = begin + text.size();
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    // Eight hex digits spell any 32-bit pattern, so 0xFFFFFFFF is -1.
    uint32_t value = 0;
    const auto [last, error] = std::from_chars(begin + 2, end, value, 16);
    return error == std::errc() && last == end ? int32_t(value) : defaultValue;
  }
  if (begin != end && *begin == '+')
    ++begin;
  int32_t value = 0;
  const auto [last, error] = std::from_chars(begin, end, value);
  return error == std::errc() && last == end && begin != end ? value : defaultValue;
}

int TCustomIniFile::ReadInteger(const std::string &section, const std::string &key, int defaultValue) {
  return StoredInteger(ReadString(section, key, ""), defaultValue);
}

void TCustomIniFile::WriteInteger(const std::string &section, const std::string &key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TCustomIniFile::WriteBool(const std::string &section, const std::string &key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}
