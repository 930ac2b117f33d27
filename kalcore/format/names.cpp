#include "format/names.h"

namespace kalcore {

const char* const kMonthAbbrevs[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const char* const kMonthNames[13] = {"",        "January",  "February", "March",  "April",
                                     "May",     "June",     "July",     "August", "September",
                                     "October", "November", "December"};

const char* DayName(Weekday day) {
    static const char* const kDayNames[8] = {"",          "Sunday",   "Monday", "Tuesday",
                                             "Wednesday", "Thursday", "Friday", "Saturday"};
    return kDayNames[static_cast<int>(day)];
}

int MonthFromAbbrev(const char* three) {
    if (!IsLetterAscii(three[0]) || !IsLetterAscii(three[1]) || !IsLetterAscii(three[2])) return 0;
    return MonthFromLetters(three);
}

}  // namespace kalcore
