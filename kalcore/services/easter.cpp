#include "services/easter.h"

namespace kalcore::services {

namespace {

// Division rounding toward minus infinity and its non-negative remainder:
// for positive years they are the plain integer division and remainder, and
// for any other year they keep every step within its usual range.
constexpr int Div(int a, int b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}
constexpr int Mod(int a, int b) {
    return a - b * Div(a, b);
}

}  // namespace

MonthDay EasterSunday(int year) {
    const int a = Mod(year, 19);
    const int b = Div(year, 100), c = Mod(year, 100);
    const int d = Div(b, 4), e = Mod(b, 4);
    const int g = Div(8 * b + 13, 25);
    const int h = Mod(19 * a + b - d - g + 15, 30);
    const int i = c / 4, k = c % 4;
    const int m = (a + 11 * h) / 319;
    const int l = (2 * e + 2 * i - k - h + m + 32) % 7;
    const int month = (h - m + l + 90) / 25;
    const int day = (h - m + l + month + 19) % 32;
    return MonthDay{month, day};
}

}  // namespace kalcore::services
