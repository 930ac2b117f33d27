// Directories on Windows. The existence test goes through the current drive
// and directory, which it restores before returning.
#include "platform/directories.h"

#include <direct.h>

#include <cstring>

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

namespace {

constexpr std::size_t kPathSize = MAX_PATH;  // 260

// Copies `a` and `b` into `out`; false (with `out` empty) when they do not fit.
bool Join(const char* a, const char* b, char* out, std::size_t size) {
    const std::size_t la = std::strlen(a), lb = std::strlen(b);
    if (la + lb + 1 > size) {
        out[0] = '\0';
        return false;
    }
    std::memcpy(out, a, la);
    std::memcpy(out + la, b, lb + 1);
    return true;
}

}  // namespace

bool ResolveDirectory(const char* path, char* full, std::size_t size) {
    if (full == nullptr || size == 0) return false;
    full[0] = '\0';
    if (path == nullptr || path[0] == '\0' || std::strlen(path) >= kPathSize) return false;
    const char letter = (path[0] >= 'a' && path[0] <= 'z') ? char(path[0] - 'a' + 'A') : path[0];
    if (letter < 'A' || letter > 'Z') return false;
    const int drive = letter - 'A' + 1;

    // Where the process stands now, and where the tested drive stands.
    char before[kPathSize];
    char driveBefore[kPathSize];
    if (_getcwd(before, sizeof before) == nullptr) return false;
    const int driveNow = _getdrive();
    if (_chdrive(drive) != 0) return false;
    const bool haveDriveDir = _getcwd(driveBefore, sizeof driveBefore) != nullptr;

    char resolved[kPathSize];
    const bool exists = _chdir(path) == 0 &&
                        _getdcwd(drive, resolved, static_cast<int>(sizeof resolved)) != nullptr;

    // Put the tested drive's directory back, then the process's drive and
    // directory.
    if (haveDriveDir) _chdir(driveBefore);
    _chdrive(driveNow);
    _chdir(before);

    if (!exists) return false;
    const std::size_t n = std::strlen(resolved);
    return Join(resolved, n > 0 && resolved[n - 1] == '\\' ? "" : "\\", full, size);
}

bool HostDataDirectory(const char* stored, char* out, std::size_t size, bool /*create*/) {
    if (out == nullptr || size == 0) return false;
    out[0] = '\0';
    return stored != nullptr && Join(stored, "", out, size);
}

bool JoinDataFile(const char* directory, const char* fileName, char* out, std::size_t size,
                  FileState* state) {
    if (state != nullptr) *state = FileState{};
    if (out == nullptr || size == 0) return false;
    out[0] = '\0';
    // File names are matched without regard to case by the system itself.
    if (directory == nullptr || fileName == nullptr || !Join(directory, fileName, out, size))
        return false;
    if (state != nullptr) *state = ReadFileState(out);
    return true;
}

}  // namespace kalcore::platform
