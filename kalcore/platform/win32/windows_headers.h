// <windows.h> with the parts the library does not use left out, and without
// the macros that would rename the library's own functions.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef ReplaceFile
#undef WriteProfileString
#undef RunDialog
