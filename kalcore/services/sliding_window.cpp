#include "services/sliding_window.h"

namespace kalcore::services {

AddYearsStatus AddYears(const DateText& date, std::int64_t years, CivilDate& moved) {
    CivilDate start;
    if (!ReadCivilDate(date, start)) return AddYearsStatus::kInvalidDate;
    const std::int64_t year = start.year + years;
    if (year < 1 || year > 9999) return AddYearsStatus::kOutOfRange;
    moved = {static_cast<int>(year), start.month, start.day};
    if (moved.month == 2 && moved.day == 29 && !IsLeapYear(moved.year)) moved.day = 28;
    return AddYearsStatus::kMoved;
}

bool SlidingWindow(const DateText& pivot, std::int32_t years, const DateText& check,
                   WindowAnswer& answer) {
    answer = {0, 0};
    CivilDate pivotDate, checkDate;
    if (!ReadCivilDate(pivot, pivotDate) || !ReadCivilDate(check, checkDate)) return false;
    const int direction = (years > 0) - (years < 0);

    CivilDate end;
    switch (AddYears(pivot, years, end)) {
        case AddYearsStatus::kMoved:
            break;
        case AddYearsStatus::kOutOfRange:
            end = years > 0 ? CivilDate{9999, 12, 31} : CivilDate{1, 1, 1};
            break;
        case AddYearsStatus::kInvalidDate:
            return false;
    }
    const std::int32_t pivotSerial = SerialFromCivil(pivotDate);
    const std::int32_t checkSerial = SerialFromCivil(checkDate);
    const std::int32_t endSerial = SerialFromCivil(end);
    bool inside = false;
    if (direction > 0) inside = pivotSerial <= checkSerial && checkSerial <= endSerial;
    if (direction < 0) inside = endSerial <= checkSerial && checkSerial <= pivotSerial;
    answer = {inside ? 1 : 0, direction};
    return true;
}

}  // namespace kalcore::services
