#include "calendar/serial_days.h"

#include <cstring>

#include "format/date_reader.h"

namespace kalcore {

namespace {

// Days from 1 January 1970 to a proleptic Gregorian date, and back, by eras
// of 400 years (146097 days).
constexpr std::int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr CivilDate CivilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return CivilDate{static_cast<int>(y), m, d};
}

// Serial day number of 1 January 1970.
constexpr std::int64_t kSerialOfEpoch = 730500 - DaysFromCivil(2000, 1, 1);

static_assert(kSerialOfEpoch + DaysFromCivil(1998, 12, 31) == 730134);
static_assert(kSerialOfEpoch + DaysFromCivil(2000, 2, 29) == 730559);

}  // namespace

std::int32_t SerialFromCivil(const CivilDate& date) {
    return static_cast<std::int32_t>(kSerialOfEpoch +
                                     DaysFromCivil(date.year, date.month, date.day));
}

bool CivilFromSerial(std::int64_t serial, CivilDate& date) {
    // Years 1-9999 only: beyond them neither the texts nor 32 bits hold.
    constexpr std::int64_t kFirst = kSerialOfEpoch + DaysFromCivil(1, 1, 1);
    constexpr std::int64_t kLast = kSerialOfEpoch + DaysFromCivil(9999, 12, 31);
    if (serial < kFirst || serial > kLast) return false;
    date = CivilFromDays(serial - kSerialOfEpoch);
    return true;
}

bool ReadCivilDate(const DateText& text, CivilDate& date) {
    DateText copy, unused;  // the reader writes the trimmed text back
    std::memcpy(copy, text, sizeof copy);
    copy[kMaxDateChars] = '\0';
    NormalizedDate fields;
    if (!ReadDateFields(copy, 0, true, fields, unused)) return false;
    date.month = TwoDigitValue(fields.month[0], fields.month[1]);
    date.day = TwoDigitValue(fields.day[0], fields.day[1]);
    date.year = TwoDigitValue(fields.century[0], fields.century[1]) * 100 +
                TwoDigitValue(fields.year[0], fields.year[1]);
    return true;
}

bool WriteMonthDayYear(const CivilDate& date, DateText& out) {
    if (date.year < 1000 || date.year > 9999) {
        std::memset(out, 0, sizeof out);
        return false;
    }
    WriteMonthFirstDate(out, date.month, date.day, date.year / 100, date.year % 100, '/');
    return true;
}

void WriteCalendarText(const CivilDate& date, DateText& out) {
    WriteMonthFirstDate(out, date.month, date.day, date.year / 100, date.year % 100, '-');
}

bool SerialDayConvert(DateText& date, int mode, std::int32_t& serial) {
    CivilDate civil{};
    if (mode == kDateToSerial) {
        if (!ReadCivilDate(date, civil)) return false;
        serial = SerialFromCivil(civil);
        return true;
    }
    if (mode != kSerialToDate || !CivilFromSerial(serial, civil)) return false;
    WriteCalendarText(civil, date);
    return true;
}

ShiftStatus DayShiftEngine(const DateText& first, DateText& second, std::int32_t& days, int mode) {
    if (mode != kShiftDate && mode != kCountDays) {
        days = 0;
        return ShiftStatus::FirstInvalid;
    }
    CivilDate from{};
    if (!ReadCivilDate(first, from)) return ShiftStatus::FirstInvalid;
    if (mode == kCountDays) {
        CivilDate to{};
        if (!ReadCivilDate(second, to)) return ShiftStatus::SecondInvalid;
        days = SerialFromCivil(to) - SerialFromCivil(from);
        return ShiftStatus::Ok;
    }
    CivilDate moved{};
    second[0] = '\0';
    if (!CivilFromSerial(std::int64_t{SerialFromCivil(from)} + days, moved) ||
        !WriteMonthDayYear(moved, second))
        return ShiftStatus::SecondInvalid;
    return ShiftStatus::Ok;
}

}  // namespace kalcore
