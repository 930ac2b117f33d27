// The sliding date window: does a date lie within a number of years after
// (or before) a pivot date?
#pragma once

#include <cstdint>

#include "civil/civil_date.h"

namespace kalcore::services {

struct WindowAnswer {
    bool inWindow;  // the check date lies within the window
    int direction;  // -1, 0 or 1: the sign of the window's length
};

// The window starts at `pivot` and reaches `years` years forward (positive)
// or back (negative), 29 February moving to 28 February in a common year;
// both ends belong to it, and a window of 0 years holds no date. A window
// reaching past the calendar's first or last day ends there.
WindowAnswer SlidingWindow(const CivilDate& pivot, std::int32_t years, const CivilDate& check);

}  // namespace kalcore::services
