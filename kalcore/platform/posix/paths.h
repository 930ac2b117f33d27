// POSIX helpers shared by the profile and data-file layers.
#pragma once

#include <cstddef>

namespace kalcore::platform::posix {

// The per-user directory `$<variable>/kalcore/`, or `$HOME/<fallback>/kalcore/`
// when the variable is unset, empty or not absolute. With `create` the
// directory (and its parents) is made when missing. The result ends in "/".
// False when neither variable gives a directory, when it cannot be made, or
// when it does not fit in `size` bytes.
bool UserDirectory(const char* variable, const char* fallback, bool create, char* out,
                   std::size_t size);

// Copies `a` followed by `b` into `out`; false (and `out` empty) when the
// result does not fit in `size` bytes.
bool JoinTexts(const char* a, const char* b, char* out, std::size_t size);

// Makes `path` and its missing parents, like `mkdir -p`.
bool MakeDirectories(const char* path);

}  // namespace kalcore::platform::posix
