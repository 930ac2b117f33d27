// The week of the month of a date. (The day of the week itself is
// WeekdayOf in civil/civil_date.h.)
#pragma once

#include "civil/civil_date.h"

namespace kalcore {

// The Sundays from the 1st of the date's month up to the date: 0-5.
constexpr int WeekOfMonth(const CivilDate& date) {
    const int firstSunday = NthWeekdayOfMonth(date.year, date.month, Weekday::kSunday, 1);
    return date.day >= firstSunday ? (date.day - firstSunday) / 7 + 1 : 0;
}

}  // namespace kalcore
