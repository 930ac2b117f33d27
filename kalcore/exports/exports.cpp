// The exported entry points of the date reader and writer and of the
// calendar. Each copies its arguments in (a date read into numbers), runs
// the internal operation and copies the result out.
#include <cstring>

#include "calendar/differences.h"
#include "calendar/full_date.h"
#include "calendar/weekday.h"
#include "exports/conventions.h"
#include "format/convert.h"
#include "format/date_writer.h"
#include "format/julian_text.h"
#include "format/names.h"
#include "kalcore.h"
#include "services/conversion_file.h"

using namespace kalcore;

namespace {

// The character form of a piece of a date: `width` digits of `value`, or an
// empty text.
int16_t PieceText(const char* date, char* text, int (*piece)(const CivilDate&), int width) {
    if (text == nullptr) return 0;
    text[0] = '\0';
    CivilDate d;
    if (!ReadDateArgument(date, d)) return 0;
    int value = piece(d);
    for (int i = width - 1; i >= 0; --i, value /= 10) text[i] = static_cast<char>('0' + value % 10);
    text[width] = '\0';
    return 1;
}

// The numeric form of a piece of a date, or `failure` for an invalid date.
bool PieceNumber(const char* date, int32_t* number, int (*piece)(const CivilDate&),
                 int32_t failure) {
    if (number == nullptr) return false;
    CivilDate d;
    const bool ok = ReadDateArgument(date, d);
    *number = ok ? piece(d) : failure;
    return ok;
}

int DayOf(const CivilDate& d) {
    return d.day;
}
int MonthOf(const CivilDate& d) {
    return d.month;
}
int YearOf(const CivilDate& d) {
    return YearOfCentury(d.year);
}
int CenturyOfDate(const CivilDate& d) {
    return CenturyOf(d.year);
}
int FullYearOf(const CivilDate& d) {
    return d.year;
}
int LeapOf(const CivilDate& d) {
    return IsLeapYear(d.year) ? 1 : 0;
}
int WeekdayNumberOf(const CivilDate& d) {
    return static_cast<int>(WeekdayOf(d));
}

}  // namespace

extern "C" {

KALCORE_API int32_t KALCORE_CALL KD_ISVDATE(char* date) {
    if (date == nullptr) return 0;
    DateText copy, result;
    CopyDateBuffer(date, copy);
    if (!ConvertDate(copy, 'K', 0, result)) return 0;
    DeliverDate(result, date);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_CONVDATE(const char* input, char* output, const char* code,
                                             int32_t useConversionFile, int32_t centurySelector) {
    if (output == nullptr) return 0;
    output[0] = '\0';
    if (input == nullptr) return 0;
    DateText copy, result;
    CodeText workingCode;
    CopyCodeArgument(code, workingCode);
    CopyDateArgument(input, copy);
    if (!services::ConvertWithPreferredFormat(copy, workingCode[0], useConversionFile == 1,
                                              centurySelector, result))
        return 0;
    DeliverDate(result, output);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_CMPTENUMDAYS(const char* first, const char* second,
                                                 int32_t* days) {
    if (days == nullptr || first == nullptr || second == nullptr) return 0;
    CivilDate a, b;
    const bool ok = ReadDateArgument(first, a) && ReadDateArgument(second, b);
    *days = ok ? DaysBetween(a, b) : 0;
    return ok ? 1 : 0;
}

KALCORE_API int16_t KALCORE_CALL KD_CMPTEADATE(int32_t days, const char* date, char* result) {
    if (result == nullptr) return 0;
    result[0] = '\0';
    CivilDate start, moved;
    if (!ReadDateArgument(date, start) || !MoveDate(start, days, moved)) return 0;
    DateText text;
    WriteDate(LayoutOf<'B'>(), moved, text);
    DeliverDate(text, result);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_CDOW(const char* date, char* name) {
    if (name == nullptr) return 0;
    name[0] = '\0';
    CivilDate d;
    if (!ReadDateArgument(date, d)) return 0;
    const char* day = DayName(WeekdayOf(d));
    std::memcpy(name, day, std::strlen(day) + 1);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_NDOW(const char* date, int32_t* number) {
    if (number == nullptr) return 0;
    return PieceNumber(date, number, WeekdayNumberOf, -1) ? 1 : 0;
}

KALCORE_API int32_t KALCORE_CALL KD_WEEKNO(const char* date, int32_t* week) {
    if (week == nullptr) return 0;
    return PieceNumber(date, week, WeekOfMonth, -1) ? 1 : 0;
}

KALCORE_API int32_t KALCORE_CALL KD_JULIANDATE(const char* date, char* julian) {
    if (julian == nullptr) return 0;
    julian[0] = '\0';
    CivilDate d;
    if (!ReadDateArgument(date, d)) return 0;
    JulianText result;
    WriteJulianText(d, result);
    std::memcpy(julian, result, sizeof result);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_REVJULIANDATE(const char* julian, char* date) {
    if (date == nullptr) return 0;
    date[0] = '\0';
    if (julian == nullptr) return 0;
    JulianText copy = {};
    for (int i = 0; i < kJulianTextSize - 1 && julian[i] != '\0'; ++i) copy[i] = julian[i];
    CivilDate d;
    if (!ReadJulianText(copy, d)) return 0;
    DateText result;
    WriteDate(LayoutOf<'A'>(), d, result);
    DeliverDate(result, date);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_CDAYNO(const char* date, char* text) {
    return PieceText(date, text, DayOf, 2);
}
KALCORE_API int32_t KALCORE_CALL KD_NDAYNO(const char* date, int32_t* number) {
    return PieceNumber(date, number, DayOf, -1) ? 1 : 0;
}
KALCORE_API int16_t KALCORE_CALL KD_CMONTH(const char* date, char* text) {
    if (text == nullptr) return 0;
    text[0] = '\0';
    CivilDate d;
    if (!ReadDateArgument(date, d)) return 0;
    const char* name = kMonthNames[d.month];
    std::memcpy(text, name, std::strlen(name) + 1);
    return 1;
}
KALCORE_API int32_t KALCORE_CALL KD_NMONTH(const char* date, int32_t* number) {
    return PieceNumber(date, number, MonthOf, -1) ? 1 : 0;
}
KALCORE_API int16_t KALCORE_CALL KD_CYEAR(const char* date, char* text) {
    return PieceText(date, text, YearOf, 2);
}
KALCORE_API int16_t KALCORE_CALL KD_NYEAR(const char* date, int32_t* number) {
    return PieceNumber(date, number, YearOf, 0) ? 1 : 0;
}
KALCORE_API int16_t KALCORE_CALL KD_CCNTRY(const char* date, char* text) {
    return PieceText(date, text, CenturyOfDate, 2);
}
KALCORE_API int16_t KALCORE_CALL KD_NCNTRY(const char* date, int32_t* number) {
    return PieceNumber(date, number, CenturyOfDate, 0) ? 1 : 0;
}
KALCORE_API int16_t KALCORE_CALL KD_CFULCNTRYYR(const char* date, char* text) {
    return PieceText(date, text, FullYearOf, 4);
}
KALCORE_API int16_t KALCORE_CALL KD_NFULCNTRYYR(const char* date, int32_t* number) {
    return PieceNumber(date, number, FullYearOf, 0) ? 1 : 0;
}
KALCORE_API int32_t KALCORE_CALL KD_ISLEAPYR(const char* date, int32_t* number) {
    return PieceNumber(date, number, LeapOf, 0) ? 1 : 0;
}

KALCORE_API int16_t KALCORE_CALL KD_CGETCNTRY(int32_t selector, char* text) {
    if (text == nullptr) return 0;
    // Any other selector leaves the text empty.
    int century = 0;
    const bool known = CenturyOfSelector(selector, century);
    text[0] = known ? static_cast<char>('0' + century / 10 % 10) : '\0';
    text[1] = known ? static_cast<char>('0' + century % 10) : '\0';
    text[2] = '\0';
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_IGETCNTRY(int32_t selector, int32_t* number) {
    if (number == nullptr) return 0;
    int century = 0;
    *number = CenturyOfSelector(selector, century) ? century : 0;
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_CNTRYDAY(char* date, int32_t mode, int32_t* serial) {
    if (date == nullptr || serial == nullptr) return 0;
    constexpr int32_t kDateToSerial = 1, kSerialToDate = 2;
    CivilDate d;
    if (mode == kDateToSerial) {
        if (!ReadDateArgument(date, d)) return 0;
        *serial = SerialDay(d);
        return 1;
    }
    if (mode != kSerialToDate || !DateOfSerial(*serial, d)) return 0;
    DateText text;
    WriteDate(LayoutOf<'A'>(), d, text);
    DeliverDate(text, date);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_BETWEEN(const char* first, const char* middle,
                                            const char* last) {
    if (first == nullptr || middle == nullptr || last == nullptr) return 0;
    CivilDate a, b, c;
    if (!ReadDateArgument(first, a) || !ReadDateArgument(middle, b) || !ReadDateArgument(last, c))
        return 0;
    return IsBetween(a, b, c) ? 1 : -1;
}

KALCORE_API int32_t KALCORE_CALL KD_DATELAPSE(const char* start, const char* end, int32_t* years,
                                              int32_t* months, int32_t* weeks, int32_t* days,
                                              int32_t* reversed) {
    if (years == nullptr || months == nullptr || weeks == nullptr || days == nullptr ||
        reversed == nullptr)
        return 0;
    CivilDate from, to;
    if (!ReadDateArgument(start, from) || !ReadDateArgument(end, to)) {
        *years = *months = *weeks = *days = *reversed = -1;
        return 0;
    }
    const Lapse lapse = LapseBetween(from, to);
    *years = lapse.years;
    *months = lapse.months;
    *weeks = lapse.weeks;
    *days = lapse.days;
    *reversed = lapse.reversed ? 1 : 0;
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_AFULLDATEFORMAT(const char* date, char* output,
                                                    const char* code, int32_t abbreviateMonth,
                                                    int32_t abbreviateDay, int32_t includeTime,
                                                    int32_t twentyFourHour, int32_t amPm) {
    if (output == nullptr) return 0;
    output[0] = '\0';
    if (date == nullptr || code == nullptr) return 0;
    DateText copy;
    CopyDateArgument(date, copy);
    // A keyword given as it stands (no blank after it) brings the time.
    int daysBack;
    const bool keyword = MatchDateKeyword(copy, daysBack);
    CivilDate read;
    FullDateText text;
    if (!ReadDateInCurrentCentury(copy, read) ||
        !SpellOutDate(read, code[0], keyword,
                      {abbreviateMonth == 1, abbreviateDay == 1, includeTime == 1,
                       twentyFourHour != 0, amPm != 0},
                      text))
        return 0;
    std::memcpy(output, text, std::strlen(text) + 1);
    return 1;
}

}  // extern "C"
