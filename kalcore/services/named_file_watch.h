// A file named by a directory and a name, matched without regard to case the
// way the data files and the configuration file are, and watched for any
// change that would make the name lead elsewhere or the file read otherwise.
#pragma once

#include <cstdint>

#include "platform/files.h"
#include "services/configuration.h"

namespace kalcore::services {

class NamedFileWatch {
  public:
    // Finds the file and starts watching it, with the change feed too where
    // it can watch the directory and the file; `look` is the feed's look
    // (platform::ChangeFeed::Look()) of the caller's call, taken before. False
    // when the path does not fit (nothing is watched then).
    bool Open(const char* directory, const char* fileName, std::uint64_t look = 0);
    void Close();
    // True when the name still leads to the same file, unchanged: one fstat()
    // of the file held open while it exists under the very name asked for;
    // the directory is looked at too while the file is missing or was found
    // under another case of the name, so that a file appearing under either
    // name shows.
    bool Unchanged() const;
    // The same as of the feed's look `look`: no system call at all while the
    // feed watches the file and its directory and has reported no change
    // since the file was last found unchanged; otherwise the watches are
    // taken again and the file is checked as above.
    bool Unchanged(std::uint64_t look);
    const char* path() const { return path_; }

  private:
    // Watches the directory and the file in the change feed.
    void WatchInFeed(const char* directory);

    std::uint64_t feedGeneration_ = 0;  // the feed watches both in it; 0: not watched
    std::uint64_t confirmed_ = 0;       // the feed's look the file was last found unchanged at
    HostPath directoryPath_ = "";
    platform::FileWatch file_;
    platform::FileWatch directory_;
    bool watchDirectory_ = false;
    HostPath path_ = "";
};

}  // namespace kalcore::services
