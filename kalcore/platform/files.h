// Small whole-file operations on the data files.
#pragma once

#include <cstddef>

namespace kalcore::platform {

// Reads up to `size` bytes from the start of the file at `path` into
// `buffer`. Returns the number of bytes read, or -1 when the file cannot be
// opened or read.
long ReadFileStart(const char* path, void* buffer, std::size_t size);

// Replaces the file at `path` by one holding exactly `size` bytes of `data`.
// The new content is written to a temporary file in the same directory and
// moved over the old one, so a reader sees either the old or the new file,
// never a part of either. False when the file cannot be written.
bool ReplaceFile(const char* path, const void* data, std::size_t size);

}  // namespace kalcore::platform
