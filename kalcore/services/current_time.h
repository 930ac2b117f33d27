// The current date in any output format and the current time of day.
#pragma once

#include "format/catalogue.h"

namespace kalcore::services {

// Hour mode of the 24-hour clock; every other value selects the 12-hour clock.
inline constexpr int kTwentyFourHourClock = 1;

struct TimeOfDayText {
    char time[9];  // HH:MM:SS
    char amPm[3];  // "AM" before noon, else "PM"
};

// Renders today's date in the format `code` names (its first character; with
// useConversionFile == 1 the stored preferred format replaces it) and the
// time of day. On the 12-hour clock hours 13-23 become 1-11, while 0 and 12
// stay as they are. The time is always written. True (the library's "N")
// when the date could be written; otherwise `date` is empty.
bool CurrentDateTimeText(DateText& date, TimeOfDayText& time, int hourMode, const char* code,
                         int useConversionFile);

}  // namespace kalcore::services
