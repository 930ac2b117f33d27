// Small whole-file operations on the data files, and the state of a file by
// which a cached reading of it is known to be current.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kalcore::platform {

// What a path names, as far as the library's files care: a regular file with
// the identity and state a change of its content shows in, or something that
// is no data file (missing, a directory, a pipe, a device).
struct FileState {
    enum class Kind { kMissing, kRegular, kOther };
    Kind kind = Kind::kMissing;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;  // modification time, nanoseconds since 1970
    std::int64_t changedNs = 0;   // status change time (a rename sets it), where known
    std::uint64_t links = 0;      // names the file has; 0 once removed or replaced
    // The file was last changed long enough ago that any later change of it
    // gives it other times. A file changed within the clock's granularity
    // can change again without showing it. (A missing file has settled: its
    // appearance shows.)
    bool settled = true;
};

// The state of the file at `path`, following symbolic links.
FileState ReadFileState(const char* path);

// True when both describe the same file in the same state.
inline bool SameFileState(const FileState& a, const FileState& b) {
    return a.kind == b.kind && a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modifiedNs == b.modifiedNs && a.changedNs == b.changedNs;
}

// A file held open so that a change of it shows without looking it up by
// its path again: on POSIX one fstat() tells whether it was written,
// renamed, replaced or removed since it was opened (a rename gives it a new
// status change time, a replacement or removal leaves it without a name).
// Where the file was missing its path is looked at instead, and so on
// platforms without the facility.
class FileWatch {
  public:
    FileWatch() = default;
    ~FileWatch() { Close(); }
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // Starts watching the file at `path`; returns its state.
    FileState Open(const char* path);
    void Close();
    // True when the file at the path is still the one opened, unchanged, and
    // had settled when it was opened.
    bool Unchanged() const;

  private:
    std::intptr_t handle_ = -1;
    FileState state_;
    char path_[4096] = "";
};

// Reads up to `size` bytes from the start of the file at `path` into
// `buffer`. Returns the number of bytes read, or -1 when the file cannot be
// opened or read, or is no regular file (a pipe or device in its place is
// never opened, so the call cannot block on it).
long ReadFileStart(const char* path, void* buffer, std::size_t size);

// Replaces the file at `path` by one holding exactly `size` bytes of `data`.
// The new content is written to a temporary file in the same directory,
// flushed to the disk and moved over the old one, so a reader sees either the
// old or the new file, never a part of either. False, with the old file left
// as it was, when any step fails or when something other than a regular file
// stands at `path`.
// Once it has returned true the new file survives a power cut: its
// directory is on the disk too.
bool ReplaceFile(const char* path, const void* data, std::size_t size);

// What CreateWholeFile did.
enum class CreateResult {
    kCreated,  // the file is there, whole, and on the disk with its directory entry
    kExists,   // a file was at `path` already (perhaps made meanwhile); nothing was written
    kFailed,   // nothing was made
};

// Makes the file at `path` holding exactly `size` bytes of `data` in one
// step: it appears whole or not at all (a crash on the way leaves at most a
// temporary file, which RemoveStaleTemporaries() removes), and never in
// the place of a file that is there.
CreateResult CreateWholeFile(const char* path, const void* data, std::size_t size);

// Waits until the entry of the file at `path` in its directory (the file's
// creation) is on the disk, so that a power cut cannot take the file away.
// False when that cannot be made sure.
bool SyncFileEntry(const char* path);

// Removes what replacements of the file at `path` (ReplaceFile, profile
// writes) left in its directory when their process died before they ended:
// temporary files of the library's own naming for that file, regular files
// of this user, and only those that no live writer holds. Returns how many
// were removed.
int RemoveStaleTemporaries(const char* path);

}  // namespace kalcore::platform
