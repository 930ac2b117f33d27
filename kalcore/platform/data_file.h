// A data file held open for the length of one operation, under an advisory
// lock that processes sharing the file honour: shared while it is read,
// exclusive while it is searched and appended to. The lock goes with the
// object, so no handle outlives the call that opened it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/files.h"

namespace kalcore::platform {

class DataFile {
  public:
    enum class Mode {
        kRead,    // an existing file, read only, shared lock
        kUpdate,  // read and write, created (readable and writable) when missing, exclusive lock
    };

    DataFile() = default;
    ~DataFile() { Close(); }
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens the file and waits for its lock. False when it cannot be opened
    // or is no regular file (a pipe or device in its place is not opened).
    bool Open(const char* path, Mode mode);
    // Releases the lock and closes the file; nothing happens when none is open.
    void Close();
    // Removes the file at `path`, which is the open file, and closes it.
    void CloseAndRemove(const char* path);
    // True when Open made the file (for update, where it was missing).
    bool Created() const { return created_; }
    bool IsOpen() const { return handle_ != kClosed; }

    // Size in bytes; -1 when it cannot be told.
    std::int64_t Size() const;
    // Reads exactly `size` bytes at `offset`; false when fewer could be read.
    bool ReadAt(std::int64_t offset, void* data, std::size_t size) const;
    // Writes exactly `size` bytes at `offset`; false when they could not all
    // be written.
    bool WriteAt(std::int64_t offset, const void* data, std::size_t size);
    // Cuts the file to `size` bytes.
    bool Truncate(std::int64_t size);
    // Waits until what was written is on the disk; false when it is not.
    bool Sync();
    // The file's state as its lock holder sees it.
    FileState State() const;

  private:
    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t handle_ = kClosed;  // a descriptor or a system handle
    bool created_ = false;
};

}  // namespace kalcore::platform
