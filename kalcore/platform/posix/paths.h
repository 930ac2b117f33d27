// POSIX helpers shared by the profile and data-file layers.
#pragma once

#include <sys/stat.h>

#include <cstddef>

#include "platform/files.h"

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

// Opens the regular file at `path` with `flags` (O_CLOEXEC and O_NONBLOCK
// added; `mode` for O_CREAT). Something other than a regular file in its
// place is refused without being opened, so that a pipe or a device can
// neither block the caller nor be written to. Returns the descriptor, or -1
// with errno set (EINVAL for a file that is not regular).
int OpenRegular(const char* path, int flags, mode_t mode = 0);

// The state of a file as stat() gave it.
FileState StateOf(const struct stat& st);

// The new content of the file at `path`, written to a temporary file beside
// it and moved over it in one step once it is complete and on the disk.
// Abandoned (the temporary file removed, the old file untouched) unless
// Commit() succeeds.
class Replacement {
  public:
    Replacement() = default;
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // Creates the temporary file; `permissions` 0 keeps it private to its
    // owner. False when something other than a regular file stands at `path`
    // or the temporary file cannot be made.
    bool Begin(const char* path, mode_t permissions = 0);
    // Writes all `size` bytes; false (and the replacement spoilt) otherwise.
    bool Write(const void* data, std::size_t size);
    // Flushes, closes and renames; false when any step or write failed.
    bool Commit();

  private:
    void Abandon();
    char path_[4096] = "";
    char temporary_[4096] = "";
    int fd_ = -1;
    bool failed_ = false;
};

}  // namespace kalcore::platform::posix
