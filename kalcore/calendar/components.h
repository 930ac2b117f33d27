// The pieces of a date: day, month, month name, year within the century,
// century, four-digit year, leap year.
#pragma once

#include "format/catalogue.h"

namespace kalcore {

extern const char* const kMonthNames[13];  // [1] "January" ... [12] "December"

struct DatePieces {
    int month;         // 1-12
    int day;           // 1-31
    int century;       // 10-99
    int twoDigitYear;  // 0-99
    const char* monthName;

    int FullYear() const { return century * 100 + twoDigitYear; }
};

// Reads the date (any input format or keyword, at most its first 11
// characters, a two-digit year in the current century) into its pieces.
// False for an invalid date; the numbers are then -1 and the name empty.
bool DateParts(const DateText& date, DatePieces& pieces);

// The four-digit year of the date "01" separator "01" separator `yearText`
// (as much of the text as a date holds; two digits take the current
// century). False when that is no valid date or the text is null.
bool YearOfFirstJanuary(char separator, const char* yearText, int& year);

}  // namespace kalcore
