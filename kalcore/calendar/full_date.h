// Spelled-out dates: "Saturday, July/04/1998", "Sat, 07/04/1998 at 14:05:09 PM".
#pragma once

#include "format/catalogue.h"

namespace kalcore {

// A spelled-out date: at most 43 characters and a terminator.
inline constexpr int kFullDateSize = 44;
using FullDateText = char[kFullDateSize];

// A date written with the full month name: at most 46 characters.
inline constexpr int kMonthNameDateSize = 47;
using MonthNameDateText = char[kMonthNameDateSize];

// The twenty format codes whose layout holds a month abbreviation.
inline constexpr const char* kMonthNameCodes = "6789FHIJKLMNRSTYZ*#$";

// Writes `date` in the layout of `code` with the month name in full, e.g.
// code K: "July/04/1998". `code` is upper-cased in place, and a one-digit-day
// code is replaced in place by its two-digit code when the day is 10 or more.
// False (and `out` empty) for an invalid date or a code without a month
// abbreviation.
bool MonthNameFormatter(const DateText& date, CodeText& code, MonthNameDateText& out);

struct FullDateSwitches {
    int abbreviateMonth;  // 1: "Jul"; otherwise the full name where the code allows
    int abbreviateDay;    // 1: "Sat"; otherwise "Saturday"
    int includeTime;      // 1: " at HH:MM:SS" follows
    int twentyFourHour;   // with the time: 0 for the 12-hour clock, else 24-hour
    int amPm;             // with the time: 0 for no " AM"/" PM", else appended
};

// The day name, ", " and the date in the format `code` names, then the time
// when asked for or when the date is a keyword ("TODAY", ...). False (and
// `out` empty) for an invalid date or a code the writer refuses.
bool FullDateBuilder(const DateText& date, FullDateText& out, const CodeText& code,
                     const FullDateSwitches& switches);

}  // namespace kalcore
