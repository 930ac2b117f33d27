#include "platform/mutex.h"

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

static_assert(sizeof(SRWLOCK) == sizeof(void*));

void Mutex::lock() {
    AcquireSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lock_));
}

void Mutex::unlock() {
    ReleaseSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lock_));
}

}  // namespace kalcore::platform
