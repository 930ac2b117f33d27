// Every export of the library by name, and a build of the library loaded
// by its path with every export resolved: for comparing two builds side by
// side in one process.
#pragma once

#include <dlfcn.h>

#include <cstdio>

#include "kalcore.h"

namespace kalcore::exports_table {

// Every export of the library, in the order of its export list.
// clang-format off
#define KALCORE_EXPORTS(X) \
    X(KD_ISVDATE) \
    X(KD_CONVDATE) \
    X(KD_CMPTENUMDAYS) \
    X(KD_CMPTEADATE) \
    X(KD_CDOW) \
    X(KD_NDOW) \
    X(KD_WEEKNO) \
    X(KD_JULIANDATE) \
    X(KD_REVJULIANDATE) \
    X(KD_CDAYNO) \
    X(KD_NDAYNO) \
    X(KD_CMONTH) \
    X(KD_NMONTH) \
    X(KD_CYEAR) \
    X(KD_NYEAR) \
    X(KD_CCNTRY) \
    X(KD_NCNTRY) \
    X(KD_CFULCNTRYYR) \
    X(KD_NFULCNTRYYR) \
    X(KD_ISLEAPYR) \
    X(KD_CGETCNTRY) \
    X(KD_IGETCNTRY) \
    X(KD_CNTRYDAY) \
    X(KD_BETWEEN) \
    X(KD_DATELAPSE) \
    X(KD_AFULLDATEFORMAT) \
    X(KD_DATE) \
    X(KD_DATEANDTIME) \
    X(KD_TIME) \
    X(KD_HOUR) \
    X(KD_CHOUR) \
    X(KD_MINT) \
    X(KD_SEC) \
    X(KD_CMINT) \
    X(KD_CSEC) \
    X(KD_DTCVCREATEFILE) \
    X(KD_DATECNVFILE) \
    X(KD_SLIDINGWINDOWPROC) \
    X(KD_NXTWRKDAY) \
    X(KD_ISTODAYAHOLDY) \
    X(KD_DAYLIGHTSAVINGSTIMES) \
    X(KD_EASTERCALC) \
    X(KD_HELPABOUTME) \
    X(KD_ABOUTDLL) \
    X(AboutBox) \
    X(HelpBox) \
    X(UpperCaseString) \
    X(DoubleInt) \
    X(DoubleInt2) \
    X(LoByte) \
    X(HiByte) \
    X(LoWord) \
    X(HiWord) \
    X(MakeWord) \
    X(MakeLong) \
    X(ShiftLeft) \
    X(ShiftRight)
// clang-format on

enum ExportId {
#define ID(name) k_##name,
    KALCORE_EXPORTS(ID)
#undef ID
        kExportCount
};

constexpr const char* kExportNames[kExportCount] = {
#define NAME(name) #name,
    KALCORE_EXPORTS(NAME)
#undef NAME
};

struct Library {
#define POINTER(name) decltype(&::name) name = nullptr;
    KALCORE_EXPORTS(POINTER)
#undef POINTER

    bool Load(const char* path) {
        void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            std::fprintf(stderr, "cannot load %s: %s\n", path, dlerror());
            return false;
        }
        bool all = true;
#define RESOLVE(name)                                                 \
    name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name)); \
    if (name == nullptr) {                                            \
        std::fprintf(stderr, "%s has no export %s\n", path, #name);   \
        all = false;                                                  \
    }
        KALCORE_EXPORTS(RESOLVE)
#undef RESOLVE
        return all;
    }
};

}  // namespace kalcore::exports_table
