// Day of the week (1 = Sunday .. 7 = Saturday, the library's one numbering)
// and the week of the month.
#pragma once

#include <cstdint>

#include "format/catalogue.h"

namespace kalcore {

extern const char* const kDayNames[8];  // [1] "Sunday" ... [7] "Saturday"

// Size of a buffer that holds any day name ("Wednesday") and a terminator.
inline constexpr int kDayNameSize = 10;

// Gregorian day of the week of a date given as numbers; no validation.
int WeekdayNumber(int month, int day, int twoDigitYear, int century);

struct DayOfWeek {
    int number;       // 1-7
    int weekOfMonth;  // Sundays from the 1st of the month up to the date: 0-5
    const char* name;
};

// Reads the date (any input format or keyword, at most its first 11
// characters) and tells its day of the week and week of the month. False for
// an invalid date; the result is then 0, 0 and "ERROR!".
bool DayOfWeekInfo(const DateText& date, DayOfWeek& info);

}  // namespace kalcore
