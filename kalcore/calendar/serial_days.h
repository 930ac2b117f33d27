// Serial day numbers: a running count of days that turns moving a date and
// counting the days between two dates into integer arithmetic.
//
// The count follows the Gregorian calendar and is anchored so that 1 January
// 2000 is day 730500; 31 December 1998 is 730134. Dates enter through the
// date reader, so every input format and keyword is accepted.
#pragma once

#include <cstdint>

#include "format/catalogue.h"

namespace kalcore {

// A calendar date as numbers: year 1-9999, month 1-12, day 1-31.
struct CivilDate {
    int year, month, day;
};

// Serial day number of a Gregorian date.
std::int32_t SerialFromCivil(const CivilDate& date);

// The Gregorian date of a serial day number; false when its year lies outside
// 1-9999.
bool CivilFromSerial(std::int64_t serial, CivilDate& date);

// Reads a date text (any input format or keyword, at most its first 11
// characters, two-digit years in the current century) into numbers. False
// when the reader rejects it.
bool ReadCivilDate(const DateText& text, CivilDate& date);

// Writes MM/DD/CCYY (code B). False, with an empty text, when the year lies
// outside 1000-9999, which code B cannot show.
bool WriteMonthDayYear(const CivilDate& date, DateText& out);

// Writes MM-DD-CCYY (code A) of a date of the years 1-9999.
void WriteCalendarText(const CivilDate& date, DateText& out);

inline constexpr int kSerialToDate = 2;
inline constexpr int kDateToSerial = 1;

// Mode 1: the serial day number of the date in `date` (ok false when the
// reader rejects it; serial is then unchanged). Mode 2: the calendar text
// MM-DD-CCYY of `serial` into `date` (ok false, and nothing written, when its
// year lies outside 1-9999). Any other mode: ok false.
bool SerialDayConvert(DateText& date, int mode, std::int32_t& serial);

// Outcome of the day-shift engine, in the manner of the reader's errorFlag.
enum class ShiftStatus : char {
    Ok = 'N',
    FirstInvalid = 'X',  // the (first) date is invalid, or the mode is unknown
    SecondInvalid =
        'Y',  // mode 1: the moved date cannot be written; mode 2: the second date is invalid
};

inline constexpr int kShiftDate = 1;
inline constexpr int kCountDays = 2;

// Mode 1: `second` receives the first date moved by `days` (negative moves
// back) in code B. Mode 2: `days` receives serial(second) - serial(first).
// Any other mode: days = 0 and FirstInvalid.
ShiftStatus DayShiftEngine(const DateText& first, DateText& second, std::int32_t& days, int mode);

}  // namespace kalcore
