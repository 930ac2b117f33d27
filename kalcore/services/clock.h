// The library's one reader of the system clock, and the date keywords
// ("TODAY", "NOW", "YESTER", "YESTER0".."YESTER7") that every date input
// accepts in place of a date.
#pragma once

#include <ctime>

namespace kalcore {

// The local date and time as two-character texts (each with a terminator).
struct ClockReading {
    char month[3];    // "01"-"12"
    char day[3];      // "01"-"31"
    char century[3];  // "20" for 2026
    char year[3];     // "26" for 2026
    char hour[3];     // "00"-"23"
    char minute[3];   // "00"-"59"
    char second[3];   // "00"-"59"
};

// Reads the local clock. Never fails: should the platform be unable to give
// the local time, the reading is 1 January 1970, 00:00:00.
void ReadClock(ClockReading& out);

// Writes the date of a reading as MM/DD/CCYY, zero-filling the rest.
void WriteClockDate(const ClockReading& reading, char (&out)[12]);

// Where the clock comes from. The library reads the real local time; unit
// tests install a fixed time through this seam. Returns false when it has no
// time to give.
using ClockSource = bool (*)(std::tm& out);
void SetClockSourceForTesting(ClockSource source);  // nullptr: the real clock again

// Days-back value of "TODAY" and "NOW".
inline constexpr int kKeywordToday = -1;

// True when the text (only its first 11 characters count, any case) is a date
// keyword; daysBack then receives -1 for "TODAY" and "NOW", and for the
// "YESTER" family the number of days before today that the keyword names
// ("YESTER" and "YESTER0" 1, "YESTER1" 2, ... "YESTER7" 8). Otherwise daysBack
// is left untouched.
bool MatchDateKeyword(const char* text, int& daysBack);

}  // namespace kalcore
