#include "settings/registry.h"

#include <algorithm>
#include <vector>

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY rootKey) {
  if (rootKey == FRootKey)
    return;
  CloseKey();
  FRootKey = rootKey;
}

HKEY TRegistry::BaseKey(const std::string &key, std::string &relative) const {
  if (!key.empty() && key.front() == '\\') {
    relative = key.substr(1);
    return FRootKey;
  }
  relative = key;
  return FCurrentKey ? FCurrentKey : FRootKey;
}

void TRegistry::ChangeKey(HKEY key, const std::string &path) {
  FCurrentKey = key;
  FCurrentPath = path;
}

bool TRegistry::OpenKey(const std::string &key, bool canCreate) {
  std::string relative;
  const HKEY base = BaseKey(key, relative);
  HKEY opened = 0;
  const long result =
      canCreate ? RegCreateKeyEx(base, relative.c_str(), &opened) : RegOpenKeyEx(base, relative.c_str(), &opened);
  if (result != ERROR_SUCCESS) {
    if (canCreate)
      throw ERegistryException("Failed to create key %s", key);
    return false;
  }
  const bool underOpen = FCurrentKey && base == FCurrentKey;
  const std::string path = underOpen ? FCurrentPath + "\\" + relative : relative;
  CloseKey();
  ChangeKey(opened, path);
  return true;
}

void TRegistry::CloseKey() {
  if (FCurrentKey)
    RegCloseKey(FCurrentKey);
  FCurrentKey = 0;
  FCurrentPath.clear();
}

bool TRegistry::DeleteTree(HKEY parent, const std::string &name) {
  HKEY key = 0;
  if (RegOpenKeyEx(parent, name.c_str(), &key) == ERROR_SUCCESS) {
    uint32_t count = 0, longest = 0;
    RegQueryInfoKey(key, &count, &longest);
    std::vector<std::string> names;
    std::vector<char> buffer(longest + 1);
    for (uint32_t i = 0; i < count; ++i) {
      uint32_t size = uint32_t(buffer.size());
      if (RegEnumKeyEx(key, i, buffer.data(), &size) == ERROR_SUCCESS)
        names.emplace_back(buffer.data(), size);
    }
    for (const std::string &child : names)
      DeleteTree(key, child);
    RegCloseKey(key);
  }
  return RegDeleteKey(parent, name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string &key) {
  std::string relative;
  const HKEY base = BaseKey(key, relative);
  return DeleteTree(base, relative);
}

bool TRegistry::ValueExists(const std::string &name) const {
  uint32_t type = 0;
  return FCurrentKey && RegQueryValueEx(FCurrentKey, name.c_str(), &type, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string &name) const {
  uint32_t type = REG_NONE, size = 0;
  if (!FCurrentKey || RegQueryValueEx(FCurrentKey, name.c_str(), &type, nullptr, &size) != ERROR_SUCCESS || size == 0)
    return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException("Invalid data type for '%s'", name);
  std::string text(size, '\0');
  if (RegQueryValueEx(FCurrentKey, name.c_str(), &type, reinterpret_cast<uint8_t *>(text.data()), &size) !=
      ERROR_SUCCESS)
    throw ERegistryException("Failed to get data for '%s'", name);
  text.resize(std::min<size_t>(size, text.find('\0')));
  return text;
}

void TRegistry::WriteString(const std::string &name, const std::string &value) {
  if (!FCurrentKey || RegSetValueEx(FCurrentKey, name.c_str(), REG_SZ, reinterpret_cast<const uint8_t *>(value.data()),
                                    uint32_t(value.size())) != ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '%s'", name);
}
