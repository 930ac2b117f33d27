// On POSIX a stored data directory is either a host path or a drive path of
// the form "C:\...". Drive C stands for the user's data home; other drives do
// not exist here. The process's current directory is never changed.
#include "platform/directories.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/posix/paths.h"

namespace kalcore::platform {

namespace {

using posix::JoinTexts;

// True for "C:\" or "c:\" and anything below it.
bool IsDriveC(const char* path) {
    return (path[0] == 'C' || path[0] == 'c') && path[1] == ':' && path[2] == '\\';
}

// The data home joined with the part of a drive-C path after "C:\", its
// backslashes turned into slashes, ending in "/".
bool MapDriveC(const char* path, bool create, char* out, std::size_t size) {
    char home[PATH_MAX];
    if (!posix::UserDirectory("XDG_DATA_HOME", "/.local/share", create, home, sizeof home))
        return false;
    char rest[PATH_MAX];
    std::size_t n = 0;
    for (const char* p = path + 3; *p != '\0'; ++p) {
        if (n + 2 >= sizeof rest) return false;
        rest[n++] = *p == '\\' ? '/' : *p;
    }
    if (n > 0 && rest[n - 1] != '/') rest[n++] = '/';
    rest[n] = '\0';
    return JoinTexts(home, rest, out, size);
}

bool IsDirectory(const char* path) {
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool ResolveDirectory(const char* path, char* full, std::size_t size) {
    if (size == 0) return false;
    full[0] = '\0';
    if (path == nullptr || path[0] == '\0') return false;
    if (IsDriveC(path)) {
        // A drive path keeps its drive form, so the stored location stays the
        // same whatever the data home is on this machine.
        char host[PATH_MAX];
        if (!MapDriveC(path, true, host, sizeof host) || !IsDirectory(host)) return false;
        const std::size_t n = std::strlen(path);
        const char* tail = path[n - 1] == '\\' ? "" : "\\";
        if (!JoinTexts(path, tail, full, size)) return false;
        full[0] = 'C';
        return true;
    }
    if (path[0] != '\0' && path[1] == ':') return false;  // another drive
    char resolved[PATH_MAX];
    if (std::strlen(path) >= PATH_MAX || realpath(path, resolved) == nullptr) return false;
    if (!IsDirectory(resolved)) return false;
    const std::size_t n = std::strlen(resolved);
    return JoinTexts(resolved, resolved[n - 1] == '/' ? "" : "/", full, size);
}

bool HostDataDirectory(const char* stored, char* out, std::size_t size, bool create) {
    if (size == 0) return false;
    out[0] = '\0';
    if (stored == nullptr) return false;
    if (IsDriveC(stored)) return MapDriveC(stored, create, out, size);
    if (stored[0] != '\0' && stored[1] == ':') return false;
    return JoinTexts(stored, "", out, size);
}

bool JoinDataFile(const char* directory, const char* fileName, char* out, std::size_t size,
                  FileState* state) {
    if (state != nullptr) *state = FileState{};
    if (!JoinTexts(directory, fileName, out, size)) return false;
    // The name is the part after the last separator of the joined path, so a
    // directory written without its trailing separator still joins as text.
    char* slash = std::strrchr(out, '/');
    const char* name = slash != nullptr ? slash + 1 : out;
    if (name[0] == '\0') return true;
    struct stat st;
    if (::stat(out, &st) == 0) {  // the exact name exists
        if (state != nullptr) *state = posix::StateOf(st);
        return true;
    }
    if (lstat(out, &st) == 0) return true;  // a link to nothing: the name exists
    char parent[PATH_MAX];
    const std::size_t parentLength = slash != nullptr ? static_cast<std::size_t>(slash - out) : 0;
    if (parentLength + 2 > sizeof parent) return true;
    if (slash == nullptr) {
        std::strcpy(parent, ".");
    } else if (parentLength == 0) {
        std::strcpy(parent, "/");
    } else {
        std::memcpy(parent, out, parentLength);
        parent[parentLength] = '\0';
    }
    DIR* dir = opendir(parent);
    if (dir == nullptr) return true;
    while (const dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name) == 0 &&
            std::strlen(entry->d_name) == std::strlen(name)) {
            std::memcpy(const_cast<char*>(name), entry->d_name, std::strlen(name));
            if (state != nullptr && ::stat(out, &st) == 0) *state = posix::StateOf(st);
            break;
        }
    }
    closedir(dir);
    return true;
}

}  // namespace kalcore::platform
