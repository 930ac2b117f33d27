#include "platform/posix/paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace kalcore::platform::posix {

bool JoinTexts(const char* a, const char* b, char* out, std::size_t size) {
    const std::size_t la = std::strlen(a);
    const std::size_t lb = std::strlen(b);
    if (size == 0) return false;
    if (la + lb >= size) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, a, la);
    std::memcpy(out + la, b, lb + 1);
    return true;
}

namespace {

// Makes one directory, and flushes the directory that holds it so that a
// power cut cannot take it away with the files about to be made in it.
bool MakeDirectory(const char* path) {
    if (mkdir(path, 0700) != 0) return errno == EEXIST;
    return SyncDirectoryOf(path);
}

}  // namespace

bool MakeDirectories(const char* path) {
    struct stat st;
    if (stat(path, &st) == 0 && S_ISDIR(st.st_mode)) return true;  // the usual case
    char buffer[4096];
    if (!JoinTexts(path, "", buffer, sizeof buffer)) return false;
    for (char* p = buffer + 1; *p != '\0'; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        if (!MakeDirectory(buffer)) return false;
        *p = '/';
    }
    return MakeDirectory(buffer) && stat(buffer, &st) == 0 && S_ISDIR(st.st_mode);
}

bool UserDirectory(const char* variable, const char* fallback, bool create, char* out,
                   std::size_t size) {
    if (size > 0) out[0] = '\0';
    const char* base = std::getenv(variable);
    bool ok;
    if (base != nullptr && base[0] == '/') {
        ok = JoinTexts(base, "/kalcore/", out, size);
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') return false;
        char partial[4096];
        ok = JoinTexts(home, fallback, partial, sizeof partial) &&
             JoinTexts(partial, "/kalcore/", out, size);
    }
    if (!ok) return false;
    if (create && !MakeDirectories(out)) {
        out[0] = '\0';
        return false;
    }
    return true;
}

int OpenRegular(const char* path, int flags, mode_t mode) {
    struct stat st;
    if (::stat(path, &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return -1;
    }
    int fd;
    do {
        fd = ::open(path, flags | O_CLOEXEC | O_NONBLOCK, mode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return -1;
    // Something else may have taken the file's place since the test above.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

namespace {

// How long after its last change a file counts as settled: longer than the
// granularity of its file system's modification times. That is a clock tick
// (at most 10 ms) on the common ones; a time of whole seconds is taken for a
// file system that keeps no finer times (two seconds on FAT).
constexpr std::int64_t kSettleNs = 20'000'000;
constexpr std::int64_t kSettleWholeSecondsNs = 2'000'000'000;

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

FileState StateOf(const struct stat& st) {
    FileState state;
    state.kind = S_ISREG(st.st_mode) ? FileState::Kind::kRegular : FileState::Kind::kOther;
    state.device = static_cast<std::uint64_t>(st.st_dev);
    state.inode = static_cast<std::uint64_t>(st.st_ino);
    state.size = static_cast<std::int64_t>(st.st_size);
    state.modifiedNs = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
    state.changedNs = std::int64_t{st.st_ctim.tv_sec} * 1'000'000'000 + st.st_ctim.tv_nsec;
    state.links = static_cast<std::uint64_t>(st.st_nlink);
    const bool wholeSeconds = st.st_mtim.tv_nsec == 0 && st.st_ctim.tv_nsec == 0;
    const std::int64_t last =
        state.modifiedNs > state.changedNs ? state.modifiedNs : state.changedNs;
    state.settled = NowNs() - last >= (wholeSeconds ? kSettleWholeSecondsNs : kSettleNs);
    return state;
}

bool LockFile(int fd, int how) {
    int locked;
    do {
        locked = ::flock(fd, how);
    } while (locked != 0 && errno == EINTR);
    return locked == 0;
}

bool SyncDirectory(const char* directory) {
    const int fd = ::open(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int synced;
    do {
        synced = ::fsync(fd);
    } while (synced != 0 && errno == EINTR);
    // A file system that cannot flush a directory (EINVAL) keeps no entries
    // to flush that way.
    const bool ok = synced == 0 || errno == EINVAL;
    ::close(fd);
    return ok;
}

bool SyncDirectoryOf(const char* path) {
    char directory[4096];
    const char* slash = std::strrchr(path, '/');
    if (slash == nullptr) return SyncDirectory(".");
    const std::size_t n = slash == path ? 1 : static_cast<std::size_t>(slash - path);
    if (n >= sizeof directory) return false;
    std::memcpy(directory, path, n);
    directory[n] = '\0';
    return SyncDirectory(directory);
}

int MakeLockedTemporary(const char* path, char* temporary, std::size_t size) {
    // A stale-temporary sweep may remove the file between its creation and
    // its locking; a file found without a name then is given up for another.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!JoinTexts(path, kTemporarySuffix, temporary, size)) {
            errno = ENAMETOOLONG;
            return -1;
        }
        const int fd = mkostemp(temporary, O_CLOEXEC);
        if (fd < 0) return -1;
        struct stat st;
        // Where the file system has no locks, the file goes without one.
        if (!LockFile(fd, LOCK_EX) || (::fstat(fd, &st) == 0 && st.st_nlink > 0)) return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

Replacement::~Replacement() {
    Abandon();
}

bool Replacement::Begin(const char* path, mode_t permissions) {
    Abandon();
    failed_ = false;
    struct stat st;
    if (::stat(path, &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = EINVAL;
        return false;
    }
    if (!JoinTexts(path, "", path_, sizeof path_)) return false;
    fd_ = MakeLockedTemporary(path, temporary_, sizeof temporary_);
    if (fd_ < 0) {
        temporary_[0] = '\0';
        return false;
    }
    if (permissions != 0 && fchmod(fd_, permissions) != 0) {
        Abandon();
        return false;
    }
    return true;
}

bool Replacement::BeginInPlace(const char* path, const char* staging) {
    Abandon();
    failed_ = false;
    if (!JoinTexts(path, "", path_, sizeof path_)) return false;
    target_ = OpenRegular(path, O_RDWR | O_NOFOLLOW);
    if (target_ < 0) return false;
    // The staged content has no name, so a crash leaves nothing behind.
    fd_ = MakeLockedTemporary(staging, temporary_, sizeof temporary_);
    if (fd_ < 0) {
        Abandon();
        return false;
    }
    ::unlink(temporary_);
    temporary_[0] = '\0';
    return true;
}

bool Replacement::Write(const void* data, std::size_t size) {
    std::size_t done = 0;
    while (!failed_ && done < size) {
        const ssize_t n = ::write(fd_, static_cast<const char*>(data) + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        failed_ = n <= 0;
        if (!failed_) done += static_cast<std::size_t>(n);
    }
    return !failed_;
}

bool Replacement::Commit() {
    if (fd_ < 0) return false;
    if (target_ >= 0) return CommitInPlace();
    // A second descriptor keeps the temporary file's lock from its close to
    // its rename, so that no sweep takes it for a dead writer's meanwhile.
    const int keeper = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    bool ok = !failed_ && ::fsync(fd_) == 0;
    // A failed close may mean the data never reached the disk.
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    ok = ok && ::rename(temporary_, path_) == 0;
    if (!ok) ::unlink(temporary_);
    temporary_[0] = '\0';
    if (keeper >= 0) ::close(keeper);
    // The rename is in the directory, which a power cut could undo until
    // the directory itself is on the disk.
    return ok && SyncDirectoryOf(path_);
}

bool Replacement::CommitInPlace() {
    // Readers of the file wait for its lock and so never see it half
    // written.
    bool ok = !failed_ && LockFile(target_, LOCK_EX);
    char buffer[4096];
    off_t offset = 0;
    for (;;) {
        if (!ok) break;
        const ssize_t n = ::pread(fd_, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w =
                ::pwrite(target_, buffer + done, static_cast<std::size_t>(n - done), offset + done);
            if (w < 0 && errno == EINTR) continue;
            ok = w > 0;
            if (ok) done += w;
        }
        offset += n;
    }
    ok = ok && ::ftruncate(target_, offset) == 0 && ::fsync(target_) == 0;
    ok = ::close(target_) == 0 && ok;
    target_ = -1;
    ::close(fd_);
    fd_ = -1;
    return ok;
}

void Replacement::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        if (temporary_[0] != '\0') ::unlink(temporary_);
    }
    if (target_ >= 0) {
        ::close(target_);
        target_ = -1;
    }
    temporary_[0] = '\0';
}

}  // namespace kalcore::platform::posix
