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

// Takes the flock() lock of `fd`, `how` being LOCK_SH or LOCK_EX, perhaps
// with LOCK_NB; retried when interrupted. False when it is not had (errno
// tells why: EWOULDBLOCK when another holds it).
bool LockFile(int fd, int how);

// Waits until the directory `directory` is on the disk (its entries: files
// made, replaced or removed in it). False when it cannot be opened or
// flushed; a file system that cannot flush directories counts as done.
bool SyncDirectory(const char* directory);

// The same for the directory that holds the file at `path`.
bool SyncDirectoryOf(const char* path);

// The suffix mkostemp() fills in: six letters and digits.
inline constexpr char kTemporarySuffix[] = ".XXXXXX";

// The new content of the file at `path`, written to a temporary file beside
// it and moved over it in one step once it is complete and on the disk;
// the directory is flushed after the move, so a power cut cannot bring the
// old file back once Commit() has succeeded. Abandoned (the temporary file
// removed, the old file untouched) unless Commit() succeeds.
//
// The temporary file is named after the file (`path` followed by
// kTemporarySuffix) and holds an exclusive flock() lock until it has been
// moved: one that nobody holds was left by a writer that died, and
// RemoveStaleTemporaries() may remove it.
//
// In place (BeginInPlace), for a file whose directory does not let a
// temporary file be made beside it: the new content is staged in an unnamed
// file and copied over the old one under the file's exclusive lock, which
// readers of such a file take shared.
class Replacement {
  public:
    Replacement() = default;
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // Creates the temporary file; `permissions` 0 keeps it private to its
    // owner. False when something other than a regular file stands at `path`
    // or the temporary file cannot be made (errno tells why).
    bool Begin(const char* path, mode_t permissions = 0);
    // Prepares to rewrite the regular file at `path` in place, staging the
    // content in an unnamed file made as a temporary file of the path
    // `staging` (in a directory this process may write). False when either
    // cannot be opened.
    bool BeginInPlace(const char* path, const char* staging);
    // Writes all `size` bytes; false (and the replacement spoilt) otherwise.
    bool Write(const void* data, std::size_t size);
    // Flushes, closes and renames (or copies, in place); false when any step
    // or write failed. A failure to flush the directory after the move is
    // reported too, though the new file is then in place.
    bool Commit();

  private:
    void Abandon();
    bool CommitInPlace();
    char path_[4096] = "";
    char temporary_[4096] = "";
    int fd_ = -1;
    int target_ = -1;  // in place: the file rewritten
    bool failed_ = false;
};

// Makes a temporary file named `path` + kTemporarySuffix (the suffix filled
// in `temporary`, room for `size` bytes) holding its exclusive lock. Returns
// the descriptor, or -1 with errno set.
int MakeLockedTemporary(const char* path, char* temporary, std::size_t size);

}  // namespace kalcore::platform::posix
