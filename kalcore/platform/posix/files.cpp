#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/posix/paths.h"

namespace kalcore::platform {

FileState ReadFileState(const char* path) {
    struct stat st;
    if (path == nullptr || ::stat(path, &st) != 0) return FileState{};
    return posix::StateOf(st);
}

FileState FileWatch::Open(const char* path) {
    Close();
    if (path == nullptr || !posix::JoinTexts(path, "", path_, sizeof path_)) return state_;
    const int fd = posix::OpenRegular(path, O_RDONLY);
    if (fd < 0) {
        state_ = ReadFileState(path);
        return state_;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return state_;
    }
    handle_ = fd;
    state_ = posix::StateOf(st);
    return state_;
}

void FileWatch::Close() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
    handle_ = -1;
    state_ = FileState{};
    path_[0] = '\0';
}

bool FileWatch::Unchanged() const {
    if (!state_.settled) return false;
    if (handle_ < 0) return SameFileState(ReadFileState(path_), state_);
    struct stat st;
    if (::fstat(static_cast<int>(handle_), &st) != 0) return false;
    const FileState now = posix::StateOf(st);
    return now.links > 0 && SameFileState(now, state_);
}

long ReadFileStart(const char* path, void* buffer, std::size_t size) {
    if (path == nullptr || buffer == nullptr) return -1;
    const int fd = posix::OpenRegular(path, O_RDONLY);
    if (fd < 0) return -1;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            return -1;
        }
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    close(fd);
    return static_cast<long>(done);
}

bool ReplaceFile(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || data == nullptr) return false;
    // A new data file may be read and written by its owner and read by others.
    posix::Replacement replacement;
    return replacement.Begin(path, 0644) && replacement.Write(data, size) && replacement.Commit();
}

}  // namespace kalcore::platform
