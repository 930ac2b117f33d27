// The exported entry points of the holiday, next-working-day, daylight-saving
// and Easter services. Each copies its arguments in, runs the service and
// copies the result out.
#include <cstring>

#include "calendar/components.h"
#include "format/conventions.h"
#include "kalcore.h"
#include "services/daylight_saving.h"
#include "services/easter.h"
#include "services/next_working_day.h"

using namespace kalcore;

namespace {

// Room the caller gives a holiday name: the longest the library writes,
// "Independence_Day - Observed.", and a terminator.
constexpr std::size_t kHolidayNameOutSize = 29;

}  // namespace

extern "C" {

KALCORE_API int16_t KALCORE_CALL KD_NXTWRKDAY(const char* date, char* result, const int32_t* count,
                                              int32_t useHolidays) {
    if (result == nullptr) return 0;
    result[0] = '\0';
    if (date == nullptr || count == nullptr) return 0;
    DateText copy, next;
    CopyDateArgument(date, copy);
    if (!services::NextWorkingDay(copy, *count, useHolidays, next)) return 0;
    DeliverDate(next, result);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_ISTODAYAHOLDY(const char* date, int32_t* isHoliday, char* name,
                                                  int32_t* dayOff) {
    if (isHoliday == nullptr || name == nullptr || dayOff == nullptr) return 0;
    *isHoliday = 0;
    *dayOff = 0;
    DateText copy;
    CopyDateArgument(date, copy);
    DatePieces pieces;
    if (date == nullptr || !DateParts(copy, pieces)) return 0;
    services::HolidayAnswer answer;
    if (!services::HolidayTest(copy, answer)) return 0;
    const std::size_t length = answer.isHoliday ? strnlen(answer.name, kHolidayNameOutSize - 1) : 0;
    std::memcpy(name, answer.name, length);
    name[length] = '\0';
    *isHoliday = answer.isHoliday ? 1 : 0;
    *dayOff = answer.isHoliday ? answer.dayOff : 0;
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_DAYLIGHTSAVINGSTIMES(const char* year, char* zone,
                                                         int32_t* status, int32_t* sameDay,
                                                         char* begin, char* end, char* beginLabel,
                                                         char* endLabel) {
    if (status == nullptr) return 0;
    *status = 0;
    if (year == nullptr || zone == nullptr || sameDay == nullptr || begin == nullptr ||
        end == nullptr || beginLabel == nullptr || endLabel == nullptr)
        return 0;
    char copy[services::kMaxYearChars + 1] = {};
    for (std::size_t i = 0; i < services::kMaxYearChars && year[i] != '\0'; ++i) copy[i] = year[i];
    services::DaylightSavingDates dates;
    if (!services::DaylightSavingTimes(copy, dates)) return 0;
    *status = 1;
    *sameDay = dates.sameDay ? 1 : 0;
    std::memcpy(zone, dates.zone, std::strlen(dates.zone) + 1);
    std::memcpy(begin, dates.begin, std::strlen(dates.begin) + 1);
    std::memcpy(end, dates.end, std::strlen(dates.end) + 1);
    std::memcpy(beginLabel, dates.beginLabel, std::strlen(dates.beginLabel) + 1);
    std::memcpy(endLabel, dates.endLabel, std::strlen(dates.endLabel) + 1);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_EASTERCALC(int32_t year, int32_t* month, int32_t* day) {
    if (month == nullptr || day == nullptr) return 0;
    const services::MonthDay easter = services::EasterSunday(year);
    *month = easter.month;
    *day = easter.day;
    return 1;
}

}  // extern "C"
