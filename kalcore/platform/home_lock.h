// The lock of a user's configuration home. Every change of the profile file
// and every creation or change of a data file happens while it is held, so
// that processes (and threads) sharing the home take turns: no change of one
// is lost to another, and no file is made twice.
#pragma once

#include <cstdint>

namespace kalcore::platform {

class HomeLock {
  public:
    // Waits for the lock of the home of the profile file `fileName`. Where
    // the lock cannot be had (no home, a file system without locks, something
    // other than a lock file in its place) the holder goes on without it.
    explicit HomeLock(const char* fileName);
    ~HomeLock();
    HomeLock(const HomeLock&) = delete;
    HomeLock& operator=(const HomeLock&) = delete;

    bool Held() const { return handle_ != kNone; }

  private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;  // a descriptor or a system handle
};

}  // namespace kalcore::platform
