#include "platform/posix/paths.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

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
    char buffer[4096];
    if (!JoinTexts(path, "", buffer, sizeof buffer)) return false;
    for (char* p = buffer + 1; *p != '\0'; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        if (mkdir(buffer, 0700) != 0 && errno != EEXIST) return false;
        *p = '/';
    }
    if (mkdir(buffer, 0700) != 0 && errno != EEXIST) return false;
    struct stat st;
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

}  // namespace kalcore::platform::posix
