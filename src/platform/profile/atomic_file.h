#pragma once

#include <string>
#include <string_view>

// Replaces a file's whole contents so that a crash, a kill or a full disk leaves either the old
// file or the new one, never a mix: the contents go to a temporary file in the same folder,
// which is flushed to the disk and then renamed over the old file. A symbolic link is followed,
// so the file it names is replaced and the link stays. Answers false with errno set when the
// file cannot be written; the old file is then untouched and no temporary file is left.
bool ReplaceFileContents(const std::string &path, std::string_view contents);

// The whole contents of a file; false with errno set when it cannot be read.
bool ReadFileContents(const std::string &path, std::string &contents);
