#include "platform/posix/paths.h"

#include <fcntl.h>
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

bool MakeDirectories(const char* path) {
    struct stat st;
    if (stat(path, &st) == 0 && S_ISDIR(st.st_mode)) return true;  // the usual case
    char buffer[4096];
    if (!JoinTexts(path, "", buffer, sizeof buffer)) return false;
    for (char* p = buffer + 1; *p != '\0'; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        if (mkdir(buffer, 0700) != 0 && errno != EEXIST) return false;
        *p = '/';
    }
    if (mkdir(buffer, 0700) != 0 && errno != EEXIST) return false;
    return stat(buffer, &st) == 0 && S_ISDIR(st.st_mode);
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

Replacement::~Replacement() {
    Abandon();
}

bool Replacement::Begin(const char* path, mode_t permissions) {
    Abandon();
    failed_ = false;
    struct stat st;
    if (::stat(path, &st) == 0 && !S_ISREG(st.st_mode)) return false;
    if (!JoinTexts(path, "", path_, sizeof path_) ||
        !JoinTexts(path, ".XXXXXX", temporary_, sizeof temporary_))
        return false;
    fd_ = mkostemp(temporary_, O_CLOEXEC);
    if (fd_ < 0) return false;
    if (permissions != 0 && fchmod(fd_, permissions) != 0) {
        Abandon();
        return false;
    }
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
    bool ok = !failed_ && ::fsync(fd_) == 0;
    // A failed close may mean the data never reached the disk.
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    if (!ok || ::rename(temporary_, path_) != 0) {
        ::unlink(temporary_);
        temporary_[0] = '\0';
        return false;
    }
    temporary_[0] = '\0';
    return true;
}

void Replacement::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
        ::unlink(temporary_);
    }
    temporary_[0] = '\0';
}

}  // namespace kalcore::platform::posix
