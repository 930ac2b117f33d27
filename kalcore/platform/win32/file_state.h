// The state of an open file on Windows, shared by the path and data-file
// layers so that both describe a file alike.
#pragma once

#include "platform/files.h"
#include "platform/win32/windows_headers.h"

namespace kalcore::platform::win32 {

// The state of the file open as `file`: its volume and file index, size and
// last write time. A missing file's state when it cannot be read.
FileState StateOfHandle(HANDLE file);

}  // namespace kalcore::platform::win32
