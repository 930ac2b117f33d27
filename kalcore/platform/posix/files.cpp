#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

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

namespace {

bool WriteAll(int fd, const void* data, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const ssize_t n = ::write(fd, static_cast<const char*>(data) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// On a file system without hard links: made under its name and filled,
// and removed again when that fails.
CreateResult CreateWithoutLink(const char* path, const void* data, std::size_t size) {
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno == EEXIST ? CreateResult::kExists : CreateResult::kFailed;
    bool ok = WriteAll(fd, data, size) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) return CreateResult::kCreated;
    ::unlink(path);
    return CreateResult::kFailed;
}

}  // namespace

CreateResult CreateWholeFile(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || (data == nullptr && size > 0)) return CreateResult::kFailed;
    char temporary[PATH_MAX];
    const int fd = posix::MakeLockedTemporary(path, temporary, sizeof temporary);
    if (fd < 0) return CreateResult::kFailed;
    // Readable by others and writable by its owner, as a data file is made.
    bool ok = ::fchmod(fd, 0644) == 0 && WriteAll(fd, data, size) && ::fsync(fd) == 0;
    // A link, unlike a rename, never takes the place of a file made
    // meanwhile.
    CreateResult result = CreateResult::kFailed;
    if (ok && ::link(temporary, path) == 0)
        result = CreateResult::kCreated;
    else if (ok && errno == EEXIST)
        result = CreateResult::kExists;
    else if (ok)
        result = CreateWithoutLink(path, data, size);
    ::unlink(temporary);
    ::close(fd);
    if (result == CreateResult::kCreated && !posix::SyncDirectoryOf(path)) {
        // Not sure to survive a power cut: taken back.
        ::unlink(path);
        result = CreateResult::kFailed;
    }
    return result;
}

bool SyncFileEntry(const char* path) {
    return path != nullptr && posix::SyncDirectoryOf(path);
}

namespace {

// True for `name` + kTemporarySuffix filled in: the name (in any case), a
// dot and six letters or digits.
bool IsTemporaryOf(const char* entry, const char* name) {
    const std::size_t n = std::strlen(name);
    const std::size_t suffix = sizeof posix::kTemporarySuffix - 1;
    if (std::strlen(entry) != n + suffix || strncasecmp(entry, name, n) != 0 || entry[n] != '.')
        return false;
    for (std::size_t i = n + 1; i < n + suffix; ++i)
        if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
    return true;
}

// Removes the entry `name` of the directory `dir` when it is a temporary
// file of this user that nobody holds locked. Its writer holds its lock from
// its creation to its rename, and a lock ends with its process: a file
// without one was left by a writer that died.
bool RemoveIfAbandoned(int dir, const char* name) {
    const int fd = ::openat(dir, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st, now;
    bool removed = false;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
        st.st_nlink == 1 && posix::LockFile(fd, LOCK_EX | LOCK_NB) &&
        // Still the file under that name: a writer's mkostemp() cannot take
        // a name that is in use.
        ::fstatat(dir, name, &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_dev == st.st_dev &&
        now.st_ino == st.st_ino)
        removed = ::unlinkat(dir, name, 0) == 0;
    ::close(fd);
    return removed;
}

}  // namespace

namespace {

int RemoveStaleTemporariesBeside(const char* path) {
    char directory[4096];
    const char* slash = std::strrchr(path, '/');
    const char* name = slash != nullptr ? slash + 1 : path;
    const std::size_t n = slash == nullptr ? 0 : slash == path ? 1 : slash - path;
    if (name[0] == '\0' || n + 1 >= sizeof directory) return 0;
    if (n == 0) {
        std::strcpy(directory, ".");
    } else {
        std::memcpy(directory, path, n);
        directory[n] = '\0';
    }
    DIR* dir = ::opendir(directory);
    if (dir == nullptr) return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir))
        if (IsTemporaryOf(entry->d_name, name) && RemoveIfAbandoned(::dirfd(dir), entry->d_name))
            ++removed;
    ::closedir(dir);
    return removed;
}

}  // namespace

int RemoveStaleTemporaries(const char* path) {
    if (path == nullptr) return 0;
    int removed = RemoveStaleTemporariesBeside(path);
    // A file that is a link is replaced in its target's directory.
    struct stat st;
    char target[PATH_MAX];
    if (::lstat(path, &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path, target) != nullptr)
        removed += RemoveStaleTemporariesBeside(target);
    return removed;
}

}  // namespace kalcore::platform
