#include "fixed_clock.h"

#include <ctime>

#include "platform/clock.h"

namespace kalcore::testing {

namespace {

std::tm g_fixed{};

bool ReadFixed(std::tm& out) {
    out = g_fixed;
    return true;
}

}  // namespace

FixedClock::FixedClock(int year, int month, int day, int hour, int minute, int second) {
    g_fixed = std::tm{};
    g_fixed.tm_year = year - 1900;
    g_fixed.tm_mon = month - 1;
    g_fixed.tm_mday = day;
    g_fixed.tm_hour = hour;
    g_fixed.tm_min = minute;
    g_fixed.tm_sec = second;
    platform::SetClockSourceForTesting(&ReadFixed);
}

FixedClock::~FixedClock() {
    platform::SetClockSourceForTesting(nullptr);
}

}  // namespace kalcore::testing
