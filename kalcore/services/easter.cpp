#include "services/easter.h"

namespace kalcore::services {

namespace {

// Division rounding toward minus infinity and its non-negative remainder:
// for positive years they are the plain integer division and remainder, and
// for any other year they keep every step within its usual range.
// The arithmetic runs in 64 bits, so no year overflows it.
constexpr long long Div(long long a, long long b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}
constexpr long long Mod(long long a, long long b) {
    return a - b * Div(a, b);
}

}  // namespace

MonthDay EasterSunday(int year) {
    const long long a = Mod(year, 19);
    const long long b = Div(year, 100), c = Mod(year, 100);
    const long long d = Div(b, 4), e = Mod(b, 4);
    const long long g = Div(8 * b + 13, 25);
    const long long h = Mod(19 * a + b - d - g + 15, 30);
    const long long i = c / 4, k = c % 4;
    const long long m = (a + 11 * h) / 319;
    const long long l = (2 * e + 2 * i - k - h + m + 32) % 7;
    const long long month = (h - m + l + 90) / 25;
    const long long day = (h - m + l + month + 19) % 32;
    return MonthDay{static_cast<int>(month), static_cast<int>(day)};
}

}  // namespace kalcore::services
