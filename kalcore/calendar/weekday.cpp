#include "calendar/weekday.h"

#include "calendar/serial_days.h"

namespace kalcore {

const char* const kDayNames[8] = {"",          "Sunday",   "Monday", "Tuesday",
                                  "Wednesday", "Thursday", "Friday", "Saturday"};

int WeekdayNumber(int month, int day, int twoDigitYear, int century) {
    int year = century * 100 + twoDigitYear;
    int m = month + 1;
    if (month < 3) {
        m = month + 13;
        --year;
    }
    const int n = (26 * m) / 10 + day + year + year / 4 - year / 100 + year / 400 + 6;
    return n % 7 + 1;
}

bool DayOfWeekInfo(const DateText& date, DayOfWeek& info) {
    CivilDate d{};
    if (!ReadCivilDate(date, d)) {
        info = DayOfWeek{0, 0, "ERROR!"};
        return false;
    }
    const int century = d.year / 100, yy = d.year % 100;
    info.number = WeekdayNumber(d.month, d.day, yy, century);
    info.name = kDayNames[info.number];
    // Sundays among the days 1 .. day of the month, never past its last day
    // (29 February 1900 reads as a date but February 1900 has 28 days).
    const int last = kDaysInMonth[IsLeapYear(d.year) ? 1 : 0][d.month];
    const int upTo = d.day < last ? d.day : last;
    const int firstWeekday = WeekdayNumber(d.month, 1, yy, century);
    const int firstSunday = firstWeekday == 1 ? 1 : 9 - firstWeekday;
    info.weekOfMonth = upTo >= firstSunday ? (upTo - firstSunday) / 7 + 1 : 0;
    return true;
}

}  // namespace kalcore
