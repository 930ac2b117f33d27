#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/posix/paths.h"

namespace kalcore::platform {

long ReadFileStart(const char* path, void* buffer, std::size_t size) {
    if (path == nullptr || buffer == nullptr) return -1;
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, static_cast<char*>(buffer) + done, size - done);
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
    char temporary[PATH_MAX];
    if (!posix::JoinTexts(path, ".XXXXXX", temporary, sizeof temporary)) return false;
    const int fd = mkostemp(temporary, O_CLOEXEC);
    if (fd < 0) return false;
    // The permissions a newly created data file gets (the temporary file
    // starts out private to its owner).
    bool ok = fchmod(fd, 0644) == 0;
    std::size_t done = 0;
    while (ok && done < size) {
        const ssize_t n = write(fd, static_cast<const char*>(data) + done, size - done);
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    ok = ok && fsync(fd) == 0;
    if (close(fd) != 0 || !ok || rename(temporary, path) != 0) {
        unlink(temporary);
        return false;
    }
    return true;
}

}  // namespace kalcore::platform
