#pragma once

#include <string>

// A store of string values in named sections, as the settings component uses one: the INI
// file or the registry. Integers and Booleans travel as decimal text.
class TCustomIniFile {
public:
  virtual ~TCustomIniFile() = default;

  virtual std::string ReadString(const std::string &section, const std::string &key,
                                 const std::string &defaultValue) = 0;
  virtual void WriteString(const std::string &section, const std::string &key, const std::string &value) = 0;
  virtual void EraseSection(const std::string &section) = 0;

  int ReadInteger(const std::string &section, const std::string &key, int defaultValue);
  void WriteInteger(const std::string &section, const std::string &key, int value);
  void WriteBool(const std::string &section, const std::string &key, bool value);
};

// A stored integer: "0x" or "0X" and more than that is hexadecimal, anything else decimal; a
// text that does not convert (or does not fit 32 bits) gives `defaultValue`.
int StoredInteger(const std::string &text, int defaultValue);
