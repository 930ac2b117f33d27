// Julian dates in the library's sense: the ordinal text CCYYDDD, the
// four-digit year and the day of the year (31 December 1998 is 1998365).
#pragma once

#include "civil/civil_date.h"

namespace kalcore {

// Size of a Julian text: 7 characters and a terminator.
inline constexpr int kJulianTextSize = 8;
using JulianText = char[kJulianTextSize];

// Writes the Julian text of a date of the years 0-9999.
void WriteJulianText(const CivilDate& date, JulianText& out);

// Reads a Julian text: exactly 7 digits (of at most the first 7 characters),
// the first 1-9, with a day of the year that exists in that year. False,
// with `date` untouched, otherwise.
bool ReadJulianText(const char* text, CivilDate& date);

}  // namespace kalcore
