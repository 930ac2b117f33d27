// Julian dates in the library's sense: the ordinal form CCYYDDD, the
// four-digit year and the day of the year (31 December 1998 is 1998365).
#pragma once

#include "format/catalogue.h"

namespace kalcore {

// Size of a Julian text: 7 characters and a terminator.
inline constexpr int kJulianTextSize = 8;
using JulianText = char[kJulianTextSize];

// The Julian text of a date (any input format or keyword, at most its first
// 11 characters). False, with an empty text, for an invalid date.
bool CalendarToJulian(const DateText& date, JulianText& julian);

// The MM-DD-CCYY date of a Julian text (at most its first 7 characters,
// which must be exactly 7 digits, the first 1-9, with a day of the year that
// exists in that year). False, with an empty text, otherwise.
bool JulianToCalendar(const char* julian, DateText& date);

}  // namespace kalcore
