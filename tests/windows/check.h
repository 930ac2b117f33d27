// The counting checks of the Windows test programs, which run under Wine
// without a test framework.
#pragma once

#include <cstdio>
#include <string>

namespace kalcore::windows_test {

inline int g_passed = 0;
inline int g_failed = 0;

inline void Check(bool ok, const std::string& what) {
    if (ok) {
        ++g_passed;
    } else {
        ++g_failed;
        std::printf("FAILED: %s\n", what.c_str());
    }
}

// Prints the tally; the program's exit status: 0 when something was checked
// and nothing failed.
inline int Verdict() {
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 && g_passed > 0 ? 0 : 1;
}

}  // namespace kalcore::windows_test
