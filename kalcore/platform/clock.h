// The library's one reader of the system clock: the local date and time as
// numbers.
#pragma once

#include <ctime>

#include "civil/civil_date.h"

namespace kalcore::platform {

struct ClockReading {
    CivilDate date;
    int hour;    // 0-23
    int minute;  // 0-59
    int second;  // 0-59 (60 in a leap second)
};

// Reads the local clock. Never fails: should the system be unable to give
// the local time, the reading is 1 January 1970, 00:00:00.
ClockReading ReadClock();

// Where the clock comes from. The library reads the real local time; unit
// tests install a fixed time through this seam. Returns false when it has no
// time to give.
using ClockSource = bool (*)(std::tm& out);
void SetClockSourceForTesting(ClockSource source);  // nullptr: the real clock again

}  // namespace kalcore::platform
