// The mutex that guards the library's few pieces of process-wide state (its
// caches, the dialog module). std::mutex where the C++ runtime has threads;
// on Windows the system's slim lock, since MinGW's runtime of the win32
// thread model has no std::mutex. Use it with std::lock_guard and
// std::unique_lock.
#pragma once

#if defined(_WIN32)

namespace kalcore::platform {

class Mutex {
  public:
    Mutex() = default;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;
    void lock();
    void unlock();

  private:
    void* lock_ = nullptr;  // an SRWLOCK, which is one pointer, zero when free
};

}  // namespace kalcore::platform

#else

#include <mutex>

namespace kalcore::platform {

using Mutex = std::mutex;

}  // namespace kalcore::platform

#endif
