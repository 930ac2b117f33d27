#include "services/easter.h"

#include "civil/civil_date.h"

namespace kalcore::services {

// Divisions round toward minus infinity with non-negative remainders: for
// positive years they are the plain integer division and remainder, and for
// any other year they keep every step within its usual range. The arithmetic
// runs in 64 bits, so no year overflows it.
MonthDay EasterSunday(int year) {
    const long long a = FloorMod(year, 19);
    const long long b = FloorDiv(year, 100), c = FloorMod(year, 100);
    const long long d = FloorDiv(b, 4), e = FloorMod(b, 4);
    const long long g = FloorDiv(8 * b + 13, 25);
    const long long h = FloorMod(19 * a + b - d - g + 15, 30);
    const long long i = c / 4, k = c % 4;
    const long long m = (a + 11 * h) / 319;
    const long long l = (2 * e + 2 * i - k - h + m + 32) % 7;
    const long long month = (h - m + l + 90) / 25;
    const long long day = (h - m + l + month + 19) % 32;
    return MonthDay{static_cast<int>(month), static_cast<int>(day)};
}

}  // namespace kalcore::services
