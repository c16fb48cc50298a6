#pragma once

#include <cstdint>

// Private-profile functions over a settings file of sections and key=value lines. A file name
// without a folder lives in the settings folder (see settings_folder.h). Every read goes to the
// file; every write replaces the file atomically, so a failed or interrupted write leaves the
// file as it was.

// Copies the value of `key` in `section` (or `defaultValue` when the file, the section or the
// key is missing) into `buffer`, cut to `size` - 1 characters and terminated; answers the number
// of characters copied.
uint32_t GetPrivateProfileString(const char *section, const char *key, const char *defaultValue, char *buffer,
                                 uint32_t size, const char *fileName);

// Sets `key` in `section` to `value`. A null `value` removes the key, a null `key` the whole
// section. A missing file is created, and with a bare name its folder too. Answers false when
// the file cannot be written, or for a name or value that cannot stand on one line as written
// (a line break, "=" in a key, "]" in a section name): the file is then unchanged.
bool WritePrivateProfileString(const char *section, const char *key, const char *value, const char *fileName);
