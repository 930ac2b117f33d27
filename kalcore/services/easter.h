// The date of Western (Gregorian) Easter Sunday.
#pragma once

namespace kalcore::services {

struct MonthDay {
    int month;  // 3 or 4
    int day;
};

// Easter Sunday of a Gregorian year, by the computus published in New
// Scientist in 1961. Any year gives a date in 22 March .. 25 April; years
// before 1583 get the date the Gregorian rules would have given.
MonthDay EasterSunday(int year);

}  // namespace kalcore::services
