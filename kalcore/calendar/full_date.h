// Spelled-out dates: "Saturday, July/04/1998", "Sat, 07/04/1998 at 14:05:09 PM".
#pragma once

#include "civil/civil_date.h"

namespace kalcore {

// A spelled-out date: at most 43 characters and a terminator.
inline constexpr int kFullDateSize = 44;
using FullDateText = char[kFullDateSize];

struct FullDateOptions {
    bool abbreviateMonth;  // "Jul"; otherwise the full name where the code has a month name
    bool abbreviateDay;    // "Sat"; otherwise "Saturday"
    bool includeTime;      // " at HH:MM:SS" follows
    bool twentyFourHour;   // with the time: the 24-hour clock, else the 12-hour clock
    bool amPm;             // with the time: " AM" or " PM" follows
};

// The day name, ", " and the date in the format `code` names (either case),
// with the month name in full where the layout has a month abbreviation
// ("July/04/1998" for code K). Then the time, when asked for; a date given as
// a keyword ("TODAY", ...) brings the time even when it is not asked for,
// on the 24-hour clock with "AM" or "PM". False, with `out` not written, when
// `code` is no format code.
bool SpellOutDate(const CivilDate& date, char code, bool dateIsKeyword,
                  const FullDateOptions& options, FullDateText& out);

}  // namespace kalcore
