// The writer for every output format: a date in the layout of a format code,
// and the time of day.
#pragma once

#include "civil/civil_date.h"
#include "format/layouts.h"

namespace kalcore {

// Writes a valid date of the years 0-9999 in the layout `requested` names
// into `out`: a one-digit field that cannot show its value moves the date to
// the wider layout, as often as needed (M-D-CCYY with month 11 and day 25
// goes through MM-D-CCYY to MM-DD-CCYY). The text is at most 11 characters;
// the rest of the 12 bytes is zero.
void WriteDate(const FormatLayout& requested, const CivilDate& date, DateText& out);

// The layout of a format code known at compile time.
template <char Code>
const FormatLayout& LayoutOf() {
    static_assert(PositionOf(Code) >= 0, "no such format code");
    return kLayouts[PositionOf(Code)];
}

// The time of day as the clock exports give it.
struct TimeOfDayText {
    char time[9];  // HH:MM:SS
    char amPm[3];  // "AM" before noon, else "PM"
};

// Writes a time of day. On the 12-hour clock hours 13-23 become 1-11, while
// 0 and 12 stay as they are.
void WriteTimeOfDay(int hour, int minute, int second, bool twentyFourHour, TimeOfDayText& out);

}  // namespace kalcore
