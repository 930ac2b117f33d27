// Counting the days between dates, moving a date by a number of days, and
// the span between two dates.
#pragma once

#include <cstdint>

#include "civil/civil_date.h"

namespace kalcore {

// Days from the first date to the second, positive when the second is later.
constexpr std::int32_t DaysBetween(const CivilDate& first, const CivilDate& second) {
    return SerialDay(second) - SerialDay(first);
}

// The date moved by `days` (back when negative). False when the moved date
// leaves the years 1000-9999, whose dates the library's texts hold.
bool MoveDate(const CivilDate& date, std::int32_t days, CivilDate& moved);

// Whether the middle date lies strictly between the first and the last
// (first < middle < last).
constexpr bool IsBetween(const CivilDate& first, const CivilDate& middle, const CivilDate& last) {
    const std::int32_t m = SerialDay(middle);
    return SerialDay(first) < m && m < SerialDay(last);
}

// The span between two dates as years, months, weeks and days.
struct Lapse {
    std::int32_t years, months, weeks, days;
    bool reversed;  // the end precedes the start; the four values are then <= 0
};

// Counts the calendar months the span touches: a month is full when the span
// covers it (a last month also when it ends on the month's last or
// next-to-last day), and the days of the partial first and last months are
// added up, becoming one more month when they reach the first one's length.
// A span within one month counts its days.
Lapse LapseBetween(const CivilDate& start, const CivilDate& end);

}  // namespace kalcore
