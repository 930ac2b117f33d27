// On Windows the home lock is a named mutex of the user's session, named
// after the profile file. A thread that holds it may take it again.
#include "platform/home_lock.h"

#include <cstdio>

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

HomeLock::HomeLock(const char* fileName) {
    if (fileName == nullptr) return;
    char name[MAX_PATH];
    const int n = std::snprintf(name, sizeof name, "Local\\kalcore-home-%s", fileName);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof name) return;
    // Names are case-sensitive; file names are not.
    for (char* p = name; *p != '\0'; ++p)
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    if (mutex == nullptr) return;
    // A holder that ended without releasing it leaves it abandoned: it is
    // then ours.
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(mutex);
}

HomeLock::~HomeLock() {
    if (handle_ == kNone) return;
    const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

}  // namespace kalcore::platform
