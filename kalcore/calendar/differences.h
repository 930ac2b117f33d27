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
bool CountDays(const DateText& first, const DateText& second, std::int32_t& days);

// The date moved by `days` (negative moves back) in code B. False, with an
// empty result, when the date is invalid or the moved date cannot be written.
bool AddDays(const DateText& date, std::int32_t days, DateText& result);

// A date moved by a number of days, with its pieces.
struct SplitDate {
    int month, day, century, twoDigitYear;  // -1 each when the date is invalid
    DateText text;  // MM-DD-CCYY of the moved date; the date as given when n is 0
};

// Moves the date by n days (0 or negative allowed) and splits the result.
// False when the date is invalid or the moved date leaves the years 1-9999.
bool ShiftAndSplit(const DateText& date, std::int32_t n, SplitDate& result);

// Whether the middle date lies strictly between the first and the last
// (first < middle < last).
enum class Between { Invalid = 0, Inside = 1, Outside = -1 };
Between IsBetween(const DateText& first, const DateText& middle, const DateText& last);

// The span between two dates as years, months, weeks and days.
struct Lapse {
    std::int32_t years, months, weeks, days;
    bool reversed;  // the end precedes the start; the four values are then <= 0
};

// Outcome of LapseEngine, in the manner of the reader's errorFlag.
enum class LapseStatus : char { Ok = 'N', StartInvalid = 'Z', EndInvalid = 'Y' };

// Counts the calendar months the span touches: a month is full when the span
// covers it (a last month also when it ends on the month's last or
// next-to-last day), and the days of the partial first and last months are
// added up, becoming one more month when they reach the first one's length.
// A span within one month counts its days.
LapseStatus LapseEngine(const DateText& start, const DateText& end, Lapse& lapse);

}  // namespace kalcore
