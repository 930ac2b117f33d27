// Word from the system that watched files and directories changed, where the
// platform gives it (inotify on Linux). One look at the feed tells whether
// anything watched changed since the last look, so the library's cached
// readings of several files are confirmed with one system call instead of
// one per file.
#pragma once

#include <cstdint>

namespace kalcore::platform {

// The process's feed, shared by its caches; thread-safe.
class ChangeFeed {
  public:
    static ChangeFeed& Instance();

    // The feed's count of changes, taken in now: it grows whenever something
    // watched changed (or may have changed: events lost, the feed reset or
    // inherited by a forked child) since the last look. On platforms without
    // the facility it stays 0. One system call when nothing changed.
    std::uint64_t Look();

    // Starts watching the file or directory at `path` (following links):
    // its content, its attributes, its removal or move, and for a directory
    // the names made, removed and moved in it. Returns the feed's generation
    // in which the watch holds, 0 when changes of it cannot be reported (no
    // facility, a missing path, a file system whose changes made elsewhere do
    // not show, too many watches): the caller then checks the file itself.
    std::uint64_t Watch(const char* path);

    // The generation of the feed: watches taken in another generation are
    // gone.
    std::uint64_t Generation() const;

    ChangeFeed(const ChangeFeed&) = delete;
    ChangeFeed& operator=(const ChangeFeed&) = delete;

  private:
    ChangeFeed() = default;
};

}  // namespace kalcore::platform
