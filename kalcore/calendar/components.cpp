#include "calendar/components.h"

#include "calendar/serial_days.h"

namespace kalcore {

const char* const kMonthNames[13] = {"",        "January",  "February", "March",  "April",
                                     "May",     "June",     "July",     "August", "September",
                                     "October", "November", "December"};

bool DateParts(const DateText& date, DatePieces& pieces) {
    CivilDate d{};
    if (!ReadCivilDate(date, d)) {
        pieces = DatePieces{-1, -1, -1, -1, ""};
        return false;
    }
    pieces = DatePieces{d.month, d.day, d.year / 100, d.year % 100, kMonthNames[d.month]};
    return true;
}

}  // namespace kalcore
