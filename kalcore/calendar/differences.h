// Counting the days between dates and moving a date by a number of days.
#pragma once

#include <cstdint>

#include "format/catalogue.h"

namespace kalcore {

// Moves a MM/DD/CCYY date back for the "YESTER" keywords: n of 0 counts as 1
// and more than 8 as 8. Returns true with the moved date in code B in
// `result`; false with `result` a copy of the date when n is negative, or an
// empty text when the moved date cannot be written.
bool DaysBack(const DateText& date, DateText& result, int n);

// Days from the first date to the second, positive when the second is later.
// False, with days 0, when either date is invalid.
bool CountDays(const char* first, const char* second, std::int32_t& days);

// The date moved by `days` (negative moves back) in code B. False, with an
// empty result, when the date is invalid or the moved date cannot be written.
bool AddDays(const char* date, std::int32_t days, DateText& result);

}  // namespace kalcore
