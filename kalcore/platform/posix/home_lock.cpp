// On POSIX the home lock is an flock() lock on a file beside the profile
// file. flock() locks belong to an open file, so two threads of one process
// exclude each other as two processes do; the lock is not re-entrant.
#include "platform/home_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/posix/paths.h"

namespace kalcore::platform {

HomeLock::HomeLock(const char* fileName) {
    if (fileName == nullptr) return;
    char directory[PATH_MAX];
    char profile[PATH_MAX];
    char path[PATH_MAX];
    if (!posix::UserDirectory("XDG_CONFIG_HOME", "/.config", true, directory, sizeof directory) ||
        !posix::JoinTexts(directory, fileName, profile, sizeof profile) ||
        !posix::JoinTexts(profile, ".lock", path, sizeof path))
        return;
    const int fd = posix::OpenRegular(path, O_RDWR | O_CREAT, 0600);
    if (fd < 0) return;
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return;
    }
    handle_ = fd;
}

HomeLock::~HomeLock() {
    if (handle_ == kNone) return;
    // Closing the file releases its lock.
    ::close(static_cast<int>(handle_));
}

}  // namespace kalcore::platform
