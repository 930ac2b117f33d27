// The library's profile (INI) file: one section of keys, read and written by
// name. A file named without a directory lives in the platform's profile
// directory.
#pragma once

#include <cstddef>

namespace kalcore::platform {

// Reads `key` of `section` from `fileName` into `out` (room for `size`
// characters including the terminator), without surrounding blanks. Returns
// the number of characters read; 0 for a missing or empty key, a missing file
// or a null argument, with `out` then empty.
int ReadProfileString(const char* section, const char* key, char* out, int size,
                      const char* fileName);

// Sets `key` of `section` in `fileName` to `value`, keeping every other
// section, key and comment. Returns false when the file cannot be written.
bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* fileName);

// Where the profile file `fileName` is (or would be made) on this machine.
// False when the platform gives it no place or the path does not fit.
bool ProfileFilePath(const char* fileName, char* path, std::size_t size);

}  // namespace kalcore::platform
