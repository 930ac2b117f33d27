// The exported entry points. Each copies its arguments in, runs the internal
// operation and copies the result out; the logic lives in the subsystems.
#include <cstring>

#include "calendar/components.h"
#include "calendar/differences.h"
#include "calendar/full_date.h"
#include "calendar/julian.h"
#include "calendar/serial_days.h"
#include "calendar/weekday.h"
#include "format/conventions.h"
#include "format/date_reader.h"
#include "kalcore.h"

using namespace kalcore;

namespace {

// Reads a caller's date into its pieces; false for a null or invalid date.
bool ReadPieces(const char* date, DatePieces& pieces) {
    DateText copy;
    CopyDateArgument(date, copy);
    return date != nullptr && DateParts(copy, pieces);
}

// The character form of a piece: `width` digits of `value`, or an empty text.
int16_t PieceText(const char* date, char* text, int (*piece)(const DatePieces&), int width) {
    if (text == nullptr) return 0;
    text[0] = '\0';
    DatePieces pieces;
    if (!ReadPieces(date, pieces)) return 0;
    int value = piece(pieces);
    for (int i = width - 1; i >= 0; --i, value /= 10) text[i] = static_cast<char>('0' + value % 10);
    text[width] = '\0';
    return 1;
}

// The numeric form of a piece, or `failure` for an invalid date.
bool PieceNumber(const char* date, int32_t* number, int (*piece)(const DatePieces&),
                 int32_t failure) {
    if (number == nullptr) return false;
    DatePieces pieces;
    const bool ok = ReadPieces(date, pieces);
    *number = ok ? piece(pieces) : failure;
    return ok;
}

// One answer of the day-of-week engine as a number, or -1 for an invalid date.
int32_t DayOfWeekNumber(const char* date, int32_t* out, int DayOfWeek::*answer) {
    if (out == nullptr) return 0;
    DateText copy;
    DayOfWeek info;
    CopyDateArgument(date, copy);
    const bool ok = date != nullptr && DayOfWeekInfo(copy, info);
    *out = ok ? info.*answer : -1;
    return ok ? 1 : 0;
}

int DayOf(const DatePieces& p) {
    return p.day;
}
int MonthOf(const DatePieces& p) {
    return p.month;
}
int YearOf(const DatePieces& p) {
    return p.twoDigitYear;
}
int CenturyOf(const DatePieces& p) {
    return p.century;
}
int FullYearOf(const DatePieces& p) {
    return p.FullYear();
}
int LeapOf(const DatePieces& p) {
    return IsLeapYear(p.FullYear()) ? 1 : 0;
}

}  // namespace

extern "C" {

KALCORE_API int32_t KALCORE_CALL KD_ISVDATE(char* date) {
    if (date == nullptr) return 0;
    DateText copy, result;
    CodeText code = {'K', '\0'};
    CopyDateArgument(date, copy);
    if (!ParseConvertDate(copy, result, code, 0, 0)) return 0;
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
    if (!ParseConvertDate(copy, result, workingCode, useConversionFile, centurySelector)) return 0;
    DeliverDate(result, output);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_CMPTENUMDAYS(const char* first, const char* second,
                                                 int32_t* days) {
    if (days == nullptr) return 0;
    DateText a, b;
    CopyDateArgument(first, a);
    CopyDateArgument(second, b);
    return (first != nullptr && second != nullptr && CountDays(a, b, *days)) ? 1 : 0;
}

KALCORE_API int16_t KALCORE_CALL KD_CMPTEADATE(int32_t days, const char* date, char* result) {
    if (result == nullptr) return 0;
    result[0] = '\0';
    if (date == nullptr) return 0;
    DateText copy, moved;
    CopyDateArgument(date, copy);
    if (!AddDays(copy, days, moved)) return 0;
    DeliverDate(moved, result);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_CDOW(const char* date, char* name) {
    if (name == nullptr) return 0;
    name[0] = '\0';
    DateText copy;
    DayOfWeek info;
    CopyDateArgument(date, copy);
    if (date == nullptr || !DayOfWeekInfo(copy, info)) return 0;
    std::memcpy(name, info.name, std::strlen(info.name) + 1);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_NDOW(const char* date, int32_t* number) {
    return DayOfWeekNumber(date, number, &DayOfWeek::number);
}

KALCORE_API int32_t KALCORE_CALL KD_WEEKNO(const char* date, int32_t* week) {
    return DayOfWeekNumber(date, week, &DayOfWeek::weekOfMonth);
}

KALCORE_API int32_t KALCORE_CALL KD_JULIANDATE(const char* date, char* julian) {
    if (julian == nullptr) return 0;
    julian[0] = '\0';
    DateText copy;
    JulianText result;
    CopyDateArgument(date, copy);
    if (date == nullptr || !CalendarToJulian(copy, result)) return 0;
    std::memcpy(julian, result, sizeof result);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_REVJULIANDATE(const char* julian, char* date) {
    if (date == nullptr) return 0;
    date[0] = '\0';
    if (julian == nullptr) return 0;
    JulianText copy = {};
    for (int i = 0; i < kJulianTextSize - 1 && julian[i] != '\0'; ++i) copy[i] = julian[i];
    DateText result;
    if (!JulianToCalendar(copy, result)) return 0;
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
    DatePieces pieces;
    if (!ReadPieces(date, pieces)) return 0;
    std::memcpy(text, pieces.monthName, std::strlen(pieces.monthName) + 1);
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
    return PieceText(date, text, CenturyOf, 2);
}
KALCORE_API int16_t KALCORE_CALL KD_NCNTRY(const char* date, int32_t* number) {
    return PieceNumber(date, number, CenturyOf, 0) ? 1 : 0;
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
    CenturyText century = {};
    CenturyFromSelector(selector, century);  // any other selector leaves the text empty
    std::memcpy(text, century, sizeof century);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_IGETCNTRY(int32_t selector, int32_t* number) {
    if (number == nullptr) return 0;
    CenturyText century = {};
    *number = CenturyFromSelector(selector, century) ? TwoDigitValue(century[0], century[1]) : 0;
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_CNTRYDAY(char* date, int32_t mode, int32_t* serial) {
    if (date == nullptr || serial == nullptr) return 0;
    DateText copy;
    CopyDateArgument(date, copy);
    if (mode == kDateToSerial) return SerialDayConvert(copy, kDateToSerial, *serial) ? 1 : 0;
    if (mode != kSerialToDate || !SerialDayConvert(copy, kSerialToDate, *serial)) return 0;
    DeliverDate(copy, date);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_BETWEEN(const char* first, const char* middle,
                                            const char* last) {
    if (first == nullptr || middle == nullptr || last == nullptr) return 0;
    DateText a, b, c;
    CopyDateArgument(first, a);
    CopyDateArgument(middle, b);
    CopyDateArgument(last, c);
    return static_cast<int32_t>(IsBetween(a, b, c));
}

KALCORE_API int32_t KALCORE_CALL KD_DATELAPSE(const char* start, const char* end, int32_t* years,
                                              int32_t* months, int32_t* weeks, int32_t* days,
                                              int32_t* reversed) {
    if (years == nullptr || months == nullptr || weeks == nullptr || days == nullptr ||
        reversed == nullptr)
        return 0;
    DateText from, to;
    CopyDateArgument(start, from);
    CopyDateArgument(end, to);
    Lapse lapse;
    if (start == nullptr || end == nullptr || LapseEngine(from, to, lapse) != LapseStatus::Ok) {
        *years = *months = *weeks = *days = *reversed = -1;
        return 0;
    }
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
    CodeText working;
    CopyCodeArgument(code, working);
    FullDateText text;
    if (!FullDateBuilder(copy, text, working,
                         {abbreviateMonth, abbreviateDay, includeTime, twentyFourHour, amPm}))
        return 0;
    std::memcpy(output, text, std::strlen(text) + 1);
    return 1;
}

}  // extern "C"
