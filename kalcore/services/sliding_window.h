// The sliding date window: does a date lie within a number of years after
// (or before) a pivot date?
#pragma once

#include <cstdint>

#include "calendar/serial_days.h"
#include "format/catalogue.h"

namespace kalcore::services {

enum class AddYearsStatus { kMoved, kInvalidDate, kOutOfRange };

// Moves `date` by `years` years, keeping month and day; 29 February moved
// into a common year becomes 28 February. kOutOfRange when the year leaves
// 1-9999 (`moved` is then not written).
AddYearsStatus AddYears(const DateText& date, std::int64_t years, CivilDate& moved);

struct WindowAnswer {
    int inWindow;   // 1 when the check date lies within the window
    int direction;  // -1, 0 or 1: the sign of the window's length
};

// The window starts at `pivot` and reaches `years` years forward (positive)
// or back (negative); both ends belong to it, and a window of 0 years holds
// no date. A window reaching past the calendar's first or last day ends
// there. False, with both answers 0, when either date is invalid.
bool SlidingWindow(const DateText& pivot, std::int32_t years, const DateText& check,
                   WindowAnswer& answer);

}  // namespace kalcore::services
