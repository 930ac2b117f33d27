// Directories of the data files: the existence test of start-up and the
// mapping of a stored data directory to a place on this machine.
#pragma once

#include <cstddef>

#include "platform/files.h"

namespace kalcore::platform {

// Tests whether `path` names an existing directory without changing the
// process's current directory. When it does, writes its full form ending in
// a separator into `full` (room for `size` bytes) and returns true; otherwise
// `full` is empty and the result is false.
bool ResolveDirectory(const char* path, char* full, std::size_t size);

// The directory on this machine that a stored data directory names, ending
// in a separator. With `create` the default location "C:\" is made when
// missing (for a file about to be written). False when it cannot be mapped
// or does not fit.
bool HostDataDirectory(const char* stored, char* out, std::size_t size, bool create = false);

// Joins a host directory (ending in a separator) and a file name. The name
// is matched without regard to case against the directory's entries; the
// first match is used, else the name as given. When `state` is given it
// receives the state of the file the path names. False when it does not fit.
bool JoinDataFile(const char* directory, const char* fileName, char* out, std::size_t size,
                  FileState* state = nullptr);

}  // namespace kalcore::platform
