// A file named by a directory and a name, matched without regard to case the
// way the data files and the configuration file are, and watched for any
// change that would make the name lead elsewhere or the file read otherwise.
#pragma once

#include "platform/files.h"
#include "services/configuration.h"

namespace kalcore::services {

class NamedFileWatch {
  public:
    // Finds the file and starts watching it. False when the path does not
    // fit (nothing is watched then).
    bool Open(const char* directory, const char* fileName);
    void Close();
    // True when the name still leads to the same file, unchanged: one fstat()
    // of the file held open while it exists under the very name asked for;
    // the directory is looked at too while the file is missing or was found
    // under another case of the name, so that a file appearing under either
    // name shows.
    bool Unchanged() const;
    const char* path() const { return path_; }

  private:
    platform::FileWatch file_;
    platform::FileWatch directory_;
    bool watchDirectory_ = false;
    HostPath path_ = "";
};

}  // namespace kalcore::services
