#pragma once

#include <cstdint>
#include <string>

// A hierarchical store of keys holding named values, shaped like the registry functions the
// settings use. Each key is a folder (its subkeys are folders in it, its values one file), so
// names keep their spelling and match without regard to ASCII case. Results are 0 on success,
// else one of the error codes below.
using HKEY = uintptr_t;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;
constexpr long ERROR_ACCESS_DENIED = 5;
constexpr long ERROR_INVALID_HANDLE = 6;
constexpr long ERROR_INVALID_PARAMETER = 87;
constexpr long ERROR_MORE_DATA = 234;
constexpr long ERROR_NO_MORE_ITEMS = 259;

constexpr uint32_t REG_NONE = 0;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;

// The folder of the current user's root key; by default "registry" in the settings folder.
void SetKeyStoreFolder(const std::string &folder);

// `subKey` is a path of names joined by backslashes, below `key`.
long RegCreateKeyEx(HKEY key, const char *subKey, HKEY *result);
long RegOpenKeyEx(HKEY key, const char *subKey, HKEY *result);
long RegCloseKey(HKEY key);
// With `data` null only the type and size are answered; a buffer too small gives
// ERROR_MORE_DATA with the size needed.
long RegQueryValueEx(HKEY key, const char *name, uint32_t *type, uint8_t *data, uint32_t *size);
long RegSetValueEx(HKEY key, const char *name, uint32_t type, const uint8_t *data, uint32_t size);
long RegQueryInfoKey(HKEY key, uint32_t *subKeys, uint32_t *maxSubKeyLength);
// The name of the index-th subkey, terminated; `nameSize` holds the buffer's size and gets the
// name's length.
long RegEnumKeyEx(HKEY key, uint32_t index, char *name, uint32_t *nameSize);
// Deletes a key that has no subkeys, with its values.
long RegDeleteKey(HKEY key, const char *subKey);
