// The optional dialog module of POSIX builds (see platform/dialog_module.h).
#pragma once

namespace kalcore::platform {

// Makes the next dialog or message box load the module from `path` instead
// of from the library's own directory (nullptr: the library's directory
// again). The module already loaded, if any, is no longer used.
void SetDialogModuleForTesting(const char* path);

}  // namespace kalcore::platform
