#include "format/julian_text.h"

#include <cstring>

#include "format/ascii.h"

namespace kalcore {

void WriteJulianText(const CivilDate& date, JulianText& out) {
    std::memset(out, 0, sizeof out);
    const int dayOfYear = DayOfYear(date);
    PutDigitPair(out, CenturyOf(date.year));
    PutDigitPair(out + 2, YearOfCentury(date.year));
    out[4] = static_cast<char>('0' + dayOfYear / 100);
    PutDigitPair(out + 5, dayOfYear % 100);
}

bool ReadJulianText(const char* text, CivilDate& date) {
    if (text == nullptr || strnlen(text, 7) != 7) return false;
    if (text[0] < '1' || text[0] > '9') return false;
    for (int i = 1; i < 7; ++i)
        if (!IsDigitAscii(text[i])) return false;
    const int year = TwoDigitValue(text[0], text[1]) * 100 + TwoDigitValue(text[2], text[3]);
    const int dayOfYear = (text[4] - '0') * 100 + TwoDigitValue(text[5], text[6]);
    if (dayOfYear < 1 || dayOfYear > DaysInYear(year)) return false;
    date = DateOfDayOfYear(year, dayOfYear);
    return true;
}

}  // namespace kalcore
