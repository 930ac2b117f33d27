// The exported entry points. Each copies its arguments in, runs the internal
// operation and copies the result out; the logic lives in the subsystems.
#include <cstring>

#include "calendar/differences.h"
#include "calendar/julian.h"
#include "calendar/weekday.h"
#include "format/conventions.h"
#include "format/date_reader.h"
#include "kalcore.h"

using namespace kalcore;

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
    if (number == nullptr) return 0;
    DateText copy;
    DayOfWeek info;
    CopyDateArgument(date, copy);
    const bool ok = date != nullptr && DayOfWeekInfo(copy, info);
    *number = ok ? info.number : -1;
    return ok ? 1 : 0;
}

KALCORE_API int32_t KALCORE_CALL KD_WEEKNO(const char* date, int32_t* week) {
    if (week == nullptr) return 0;
    DateText copy;
    DayOfWeek info;
    CopyDateArgument(date, copy);
    const bool ok = date != nullptr && DayOfWeekInfo(copy, info);
    *week = ok ? info.weekOfMonth : -1;
    return ok ? 1 : 0;
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

}  // extern "C"
