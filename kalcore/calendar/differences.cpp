#include "calendar/differences.h"

#include <cstring>
#include <utility>

#include "calendar/serial_days.h"

namespace kalcore {

bool DaysBack(const DateText& date, DateText& result, int n) {
    std::memcpy(result, date, sizeof result);
    if (n < 0) return false;
    if (n > 8) n = 8;
    if (n == 0) n = 1;
    std::int32_t shift = -n;
    return DayShiftEngine(date, result, shift, kShiftDate) == ShiftStatus::Ok;
}

bool CountDays(const DateText& first, const DateText& second, std::int32_t& days) {
    DateText secondCopy;
    std::memcpy(secondCopy, second, sizeof secondCopy);
    std::int32_t counted = 0;
    const bool ok = DayShiftEngine(first, secondCopy, counted, kCountDays) == ShiftStatus::Ok;
    days = ok ? counted : 0;
    return ok;
}

bool AddDays(const DateText& date, std::int32_t days, DateText& result) {
    std::int32_t shift = days;
    if (DayShiftEngine(date, result, shift, kShiftDate) == ShiftStatus::Ok) return true;
    result[0] = '\0';
    return false;
}

bool ShiftAndSplit(const DateText& date, std::int32_t n, SplitDate& result) {
    result = SplitDate{-1, -1, -1, -1, {}};
    std::memcpy(result.text, date, sizeof result.text);
    result.text[kMaxDateChars] = '\0';
    CivilDate civil{};
    if (!ReadCivilDate(date, civil)) return false;
    if (n != 0) {
        if (!CivilFromSerial(std::int64_t{SerialFromCivil(civil)} + n, civil)) return false;
        WriteCalendarText(civil, result.text);
    }
    result.month = civil.month;
    result.day = civil.day;
    result.century = civil.year / 100;
    result.twoDigitYear = civil.year % 100;
    return true;
}

Between IsBetween(const DateText& first, const DateText& middle, const DateText& last) {
    CivilDate a{}, b{}, c{};
    if (!ReadCivilDate(first, a) || !ReadCivilDate(middle, b) || !ReadCivilDate(last, c))
        return Between::Invalid;
    const std::int32_t s1 = SerialFromCivil(a), s2 = SerialFromCivil(b), s3 = SerialFromCivil(c);
    return (s1 < s2 && s2 < s3) ? Between::Inside : Between::Outside;
}

namespace {

int MonthLength(int year, int month) {
    return kDaysInMonth[IsLeapYear(year) ? 1 : 0][month];
}

}  // namespace

LapseStatus LapseEngine(const DateText& start, const DateText& end, Lapse& lapse) {
    lapse = Lapse{0, 0, 0, 0, false};
    CivilDate from{}, to{};
    if (!ReadCivilDate(start, from)) return LapseStatus::StartInvalid;
    if (!ReadCivilDate(end, to)) return LapseStatus::EndInvalid;
    const std::int32_t span = SerialFromCivil(to) - SerialFromCivil(from);
    if (span == 0) return LapseStatus::Ok;
    if (span < 0) {
        lapse.reversed = true;
        std::swap(from, to);
    }

    // The months the span touches, first and last included.
    const int touched = (to.year * 12 + to.month) - (from.year * 12 + from.month) + 1;
    const int firstLength = MonthLength(from.year, from.month);
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
        if (MonthLength(to.year, to.month) - to.day <= 1) {
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
    return LapseStatus::Ok;
}

}  // namespace kalcore
