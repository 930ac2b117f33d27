#include "calendar/differences.h"

#include <cstring>

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

bool CountDays(const char* first, const char* second, std::int32_t& days) {
    DateText secondCopy = {};
    if (second != nullptr)
        for (std::size_t i = 0; i < kMaxDateChars && second[i] != '\0'; ++i)
            secondCopy[i] = second[i];
    std::int32_t counted = 0;
    const bool ok = second != nullptr &&
                    DayShiftEngine(first, secondCopy, counted, kCountDays) == ShiftStatus::Ok;
    days = ok ? counted : 0;
    return ok;
}

bool AddDays(const char* date, std::int32_t days, DateText& result) {
    std::int32_t shift = days;
    if (DayShiftEngine(date, result, shift, kShiftDate) == ShiftStatus::Ok) return true;
    result[0] = '\0';
    return false;
}

}  // namespace kalcore
