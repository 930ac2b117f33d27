#include "calendar/julian.h"

#include <cstring>

#include "calendar/serial_days.h"
#include "format/date_reader.h"

namespace kalcore {

namespace {

// Days before the first of each month in a common year.
constexpr int kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

}  // namespace

bool CalendarToJulian(const DateText& date, JulianText& julian) {
    std::memset(julian, 0, sizeof julian);
    CivilDate d{};
    if (!ReadCivilDate(date, d)) return false;
    // Day of the year by the Gregorian leap rule (29 February 1900, which a
    // numeric date accepts, counts as day 60, the number of 1 March).
    const int leap = IsLeapYear(d.year) ? 1 : 0;
    const int dayOfYear = d.day + kDaysBeforeMonth[d.month - 1] + (d.month >= 3 ? leap : 0);
    PutTwoDigits(julian, d.year / 100);
    PutTwoDigits(julian + 2, d.year % 100);
    julian[4] = static_cast<char>('0' + dayOfYear / 100);
    PutTwoDigits(julian + 5, dayOfYear % 100);
    return true;
}

bool JulianToCalendar(const char* julian, DateText& date) {
    std::memset(date, 0, sizeof date);
    if (julian == nullptr || strnlen(julian, 7) != 7) return false;
    if (julian[0] < '1' || julian[0] > '9') return false;
    for (int i = 1; i < 7; ++i)
        if (!IsDigitAscii(julian[i])) return false;
    const int year =
        TwoDigitValue(julian[0], julian[1]) * 100 + TwoDigitValue(julian[2], julian[3]);
    const int dayOfYear = (julian[4] - '0') * 100 + TwoDigitValue(julian[5], julian[6]);
    const int leap = IsLeapYear(year) ? 1 : 0;
    if (dayOfYear < 1 || dayOfYear > 365 + leap) return false;
    int month = 1;
    while (month < 12 && dayOfYear > kDaysBeforeMonth[month] + (month >= 2 ? leap : 0)) ++month;
    const int day = dayOfYear - kDaysBeforeMonth[month - 1] - (month >= 3 ? leap : 0);
    WriteCalendarText(CivilDate{year, month, day}, date);
    return true;
}

}  // namespace kalcore
