// The library's module handle, stored by the library entry at process attach;
// the dialogs find their templates and icons through it.
#pragma once

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

void SetModuleInstance(HINSTANCE instance);
HINSTANCE ModuleInstance();

}  // namespace kalcore::platform
