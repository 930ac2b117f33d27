#include "calendar/differences.h"

#include <utility>

#include "format/date_reader.h"

namespace kalcore {

bool MoveDate(const CivilDate& date, std::int32_t days, CivilDate& moved) {
    CivilDate result{};
    if (!AddDays(date, days, result) || !IsReadableYear(result.year)) return false;
    moved = result;
    return true;
}

Lapse LapseBetween(const CivilDate& start, const CivilDate& end) {
    Lapse lapse{0, 0, 0, 0, false};
    CivilDate from = start, to = end;
    const std::int32_t span = DaysBetween(from, to);
    if (span == 0) return lapse;
    if (span < 0) {
        lapse.reversed = true;
        std::swap(from, to);
    }

    // The months the span touches, first and last included.
    const int touched = (to.year * 12 + to.month) - (from.year * 12 + from.month) + 1;
    const int firstLength = DaysInMonth(from.year, from.month);
    int full = 0, partials = 0, partialDays = 0;
    if (touched == 1) {
        partials = 1;
        partialDays = to.day - from.day;
    } else {
        full = touched - 2;
        if (from.day <= 1) {
            ++full;
        } else {
            ++partials;
            partialDays += firstLength - from.day + 1;
        }
        if (DaysInMonth(to.year, to.month) - to.day <= 1) {
            ++full;
        } else {
            ++partials;
            partialDays += to.day;
        }
        // Two partial months that add up to the first one's length make a month.
        if (partials == 2 && partialDays >= firstLength) {
            ++full;
            partialDays -= firstLength;
        }
    }
    const int sign = lapse.reversed ? -1 : 1;
    lapse.years = sign * (full / 12);
    lapse.months = sign * (full % 12);
    lapse.weeks = sign * (partialDays / 7);
    lapse.days = sign * (partialDays % 7);
    return lapse;
}

}  // namespace kalcore
