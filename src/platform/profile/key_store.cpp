#include "platform/profile/key_store.h"

#include "platform/profile/atomic_file.h"
#include "platform/profile/settings_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char *ValuesFile = ".values";

struct TValue {
  uint32_t Type = REG_NONE;
  std::string Data;
};
using TValues = std::map<std::string, TValue>;

struct TStore {
  std::mutex Lock;
  std::optional<fs::path> Root;
  std::map<HKEY, fs::path> Open;
  HKEY NextHandle = 1;
};

TStore &Store() {
  static TStore store;
  return store;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameName(const std::string &a, const std::string &b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

// A key name as a folder name: "%", "/" and a leading "." are written as %XX.
std::string FolderName(const std::string &name) {
  std::string folder;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '%' || c == '/' || (c == '.' && i == 0)) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", unsigned(uint8_t(c)));
      folder += code;
    } else {
      folder += c;
    }
  }
  return folder;
}

std::string KeyName(const std::string &folder) {
  std::string name;
  for (size_t i = 0; i < folder.size(); ++i) {
    unsigned code = 0;
    if (folder[i] == '%' && i + 2 < folder.size() && std::sscanf(folder.c_str() + i + 1, "%2x", &code) == 1) {
      name += char(code);
      i += 2;
    } else {
      name += folder[i];
    }
  }
  return name;
}

std::vector<std::string> SubKeyNames(const fs::path &key) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto &entry : fs::directory_iterator(key, error))
    if (entry.is_directory(error) && entry.path().filename().string().front() != '.')
      names.push_back(KeyName(entry.path().filename().string()));
  std::sort(names.begin(), names.end());
  return names;
}

// The folder of a key's subkey, found without regard to case; with `create` a missing one is
// made.
std::optional<fs::path> SubKey(const fs::path &key, const std::string &name, bool create) {
  for (const std::string &existing : SubKeyNames(key))
    if (SameName(existing, name))
      return key / FolderName(existing);
  if (!create)
    return std::nullopt;
  std::error_code error;
  const fs::path folder = key / FolderName(name);
  fs::create_directories(folder, error);
  if (error)
    return std::nullopt;
  return folder;
}

std::optional<fs::path> KeyFolder(TStore &store, HKEY key) {
  if (key == HKEY_CURRENT_USER) {
    const fs::path root = store.Root ? *store.Root : fs::path(SettingsFolder()) / "registry";
    std::error_code error;
    fs::create_directories(root, error);
    return root;
  }
  const auto open = store.Open.find(key);
  if (open == store.Open.end())
    return std::nullopt;
  return open->second;
}

long Walk(HKEY key, const char *subKey, bool create, fs::path &folder) {
  TStore &store = Store();
  const auto start = KeyFolder(store, key);
  if (!start)
    return ERROR_INVALID_HANDLE;
  folder = *start;
  std::string path = subKey ? subKey : "";
  std::stringstream parts(path);
  std::string part;
  while (std::getline(parts, part, '\\')) {
    if (part.empty())
      continue;
    const auto next = SubKey(folder, part, create);
    if (!next)
      return create ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
    folder = *next;
  }
  return ERROR_SUCCESS;
}

std::string Hex(const std::string &bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char c : bytes) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex + "-"; // never empty, so a line always has three words
}

std::string Bytes(const std::string &hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    const auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
    bytes += char(digit(hex[i]) * 16 + digit(hex[i + 1]));
  }
  return bytes;
}

// Values file: one line per value, the name's bytes in hex, the type, the data's bytes in hex.
TValues ReadValues(const fs::path &key) {
  TValues values;
  std::string text;
  if (!ReadFileContents((key / ValuesFile).string(), text))
    return values;
  std::stringstream lines(text);
  std::string name, data;
  uint32_t type = 0;
  while (lines >> name >> type >> data)
    values[Bytes(name)] = TValue{type, Bytes(data)};
  return values;
}

bool WriteValues(const fs::path &key, const TValues &values) {
  std::string text;
  for (const auto &[name, value] : values)
    text += Hex(name) + " " + std::to_string(value.Type) + " " + Hex(value.Data) + "\n";
  return ReplaceFileContents((key / ValuesFile).string(), text);
}

const TValue *FindValue(const TValues &values, const std::string &name) {
  for (const auto &[existing, value] : values)
    if (SameName(existing, name))
      return &value;
  return nullptr;
}

long OpenKey(HKEY key, const char *subKey, HKEY *result, bool create) {
  if (!result)
    return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(Store().Lock);
  fs::path folder;
  if (const long error = Walk(key, subKey, create, folder))
    return error;
  TStore &store = Store();
  *result = store.NextHandle++;
  store.Open[*result] = folder;
  return ERROR_SUCCESS;
}

} // namespace

void SetKeyStoreFolder(const std::string &folder) {
  std::lock_guard lock(Store().Lock);
  Store().Root = folder;
}

long RegCreateKeyEx(HKEY key, const char *subKey, HKEY *result) { return OpenKey(key, subKey, result, true); }

long RegOpenKeyEx(HKEY key, const char *subKey, HKEY *result) { return OpenKey(key, subKey, result, false); }

long RegCloseKey(HKEY key) {
  std::lock_guard lock(Store().Lock);
  return Store().Open.erase(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

long RegQueryValueEx(HKEY key, const char *name, uint32_t *type, uint8_t *data, uint32_t *size) {
  std::lock_guard lock(Store().Lock);
  const auto folder = KeyFolder(Store(), key);
  if (!folder)
    return ERROR_INVALID_HANDLE;
  const TValues values = ReadValues(*folder);
  const TValue *value = FindValue(values, name ? name : "");
  if (!value)
    return ERROR_FILE_NOT_FOUND;
  if (type)
    *type = value->Type;
  if (!size)
    return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
  const uint32_t room = *size;
  *size = uint32_t(value->Data.size());
  if (!data)
    return ERROR_SUCCESS;
  if (room < value->Data.size())
    return ERROR_MORE_DATA;
  std::memcpy(data, value->Data.data(), value->Data.size());
  return ERROR_SUCCESS;
}

long RegSetValueEx(HKEY key, const char *name, uint32_t type, const uint8_t *data, uint32_t size) {
  if (!data && size)
    return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(Store().Lock);
  const auto folder = KeyFolder(Store(), key);
  if (!folder)
    return ERROR_INVALID_HANDLE;
  TValues values = ReadValues(*folder);
  const std::string valueName = name ? name : "";
  std::erase_if(values, [&](const auto &entry) { return SameName(entry.first, valueName); });
  values[valueName] = TValue{type, std::string(reinterpret_cast<const char *>(data), size)};
  return WriteValues(*folder, values) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

long RegQueryInfoKey(HKEY key, uint32_t *subKeys, uint32_t *maxSubKeyLength) {
  std::lock_guard lock(Store().Lock);
  const auto folder = KeyFolder(Store(), key);
  if (!folder)
    return ERROR_INVALID_HANDLE;
  const std::vector<std::string> names = SubKeyNames(*folder);
  if (subKeys)
    *subKeys = uint32_t(names.size());
  if (maxSubKeyLength) {
    *maxSubKeyLength = 0;
    for (const std::string &name : names)
      *maxSubKeyLength = std::max(*maxSubKeyLength, uint32_t(name.size()));
  }
  return ERROR_SUCCESS;
}

long RegEnumKeyEx(HKEY key, uint32_t index, char *name, uint32_t *nameSize) {
  if (!name || !nameSize)
    return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(Store().Lock);
  const auto folder = KeyFolder(Store(), key);
  if (!folder)
    return ERROR_INVALID_HANDLE;
  const std::vector<std::string> names = SubKeyNames(*folder);
  if (index >= names.size())
    return ERROR_NO_MORE_ITEMS;
  const std::string &found = names[index];
  if (*nameSize <= found.size())
    return ERROR_MORE_DATA;
  std::memcpy(name, found.c_str(), found.size() + 1);
  *nameSize = uint32_t(found.size());
  return ERROR_SUCCESS;
}

long RegDeleteKey(HKEY key, const char *subKey) {
  if (!subKey || !*subKey)
    return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(Store().Lock);
  fs::path folder;
  if (const long error = Walk(key, subKey, false, folder))
    return error;
  if (!SubKeyNames(folder).empty())
    return ERROR_ACCESS_DENIED;
  std::error_code error;
  fs::remove(folder / ValuesFile, error);
  return fs::remove(folder, error) ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}
