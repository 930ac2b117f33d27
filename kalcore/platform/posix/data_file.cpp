// Data files on POSIX: descriptors with flock() locks, which the processes
// that share a file on one machine honour.
#include "platform/data_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/paths.h"

namespace kalcore::platform {

bool DataFile::Open(const char* path, Mode mode) {
    Close();
    created_ = false;
    if (path == nullptr) return false;
    // A pipe, directory or device in the file's place is no data file.
    int fd = posix::OpenRegular(path, mode == Mode::kRead ? O_RDONLY : O_RDWR);
    if (fd < 0 && errno == ENOENT && mode == Mode::kUpdate) {
        fd = posix::OpenRegular(path, O_RDWR | O_CREAT | O_EXCL, 0666);
        created_ = fd >= 0;
        // Made by another meanwhile.
        if (fd < 0 && errno == EEXIST) fd = posix::OpenRegular(path, O_RDWR);
    }
    if (fd < 0) return false;
    int locked;
    do {
        locked = ::flock(fd, mode == Mode::kRead ? LOCK_SH : LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    // Where the file system has no locks the file is used without one.
    handle_ = fd;
    return true;
}

void DataFile::Close() {
    if (handle_ == kClosed) return;
    const int fd = static_cast<int>(handle_);
    ::flock(fd, LOCK_UN);
    ::close(fd);
    handle_ = kClosed;
}

void DataFile::CloseAndRemove(const char* path) {
    // Removed while still locked, so that no writer waiting for the lock
    // builds on it.
    if (handle_ != kClosed && path != nullptr) ::unlink(path);
    Close();
}

std::int64_t DataFile::Size() const {
    struct stat st {};
    if (handle_ == kClosed || ::fstat(static_cast<int>(handle_), &st) != 0) return -1;
    return st.st_size;
}

bool DataFile::ReadAt(std::int64_t offset, void* data, std::size_t size) const {
    if (handle_ == kClosed) return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pread(static_cast<int>(handle_), static_cast<char*>(data) + done,
                                  size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool DataFile::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
    if (handle_ == kClosed) return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(static_cast<int>(handle_), static_cast<const char*>(data) + done,
                                   size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool DataFile::Truncate(std::int64_t size) {
    if (handle_ == kClosed) return false;
    int result;
    do {
        result = ::ftruncate(static_cast<int>(handle_), size);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

bool DataFile::Sync() {
    return handle_ != kClosed && ::fsync(static_cast<int>(handle_)) == 0;
}

FileState DataFile::State() const {
    struct stat st {};
    if (handle_ == kClosed || ::fstat(static_cast<int>(handle_), &st) != 0) return FileState{};
    return posix::StateOf(st);
}

}  // namespace kalcore::platform
