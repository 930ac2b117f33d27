// The exported entry points of the holiday, next-working-day, daylight-saving
// and Easter services. Each copies its arguments in, runs the service and
// copies the result out.
#include <cstring>

#include "exports/conventions.h"
#include "format/date_writer.h"
#include "kalcore.h"
#include "services/daylight_saving.h"
#include "services/easter.h"
#include "services/holidays.h"
#include "services/next_working_day.h"

using namespace kalcore;

namespace {

// Room the caller gives a holiday name: the longest the library writes,
// "Independence_Day - Observed.", and a terminator.
constexpr std::size_t kHolidayNameOutSize = 29;

// The value of useHolidays that skips the days off of the holiday file.
constexpr int32_t kUseHolidays = 1;

}  // namespace

extern "C" {

KALCORE_API int16_t KALCORE_CALL KD_NXTWRKDAY(const char* date, char* result, const int32_t* count,
                                              int32_t useHolidays) {
    if (result == nullptr) return 0;
    result[0] = '\0';
    if (date == nullptr || count == nullptr) return 0;
    CivilDate start, next;
    if (!ReadDateArgument(date, start) ||
        !services::NextWorkingDay(start, *count, useHolidays == kUseHolidays, next))
        return 0;
    DateText text;
    WriteDate(LayoutOf<'A'>(), next, text);
    DeliverDate(text, result);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_ISTODAYAHOLDY(const char* date, int32_t* isHoliday, char* name,
                                                  int32_t* dayOff) {
    if (isHoliday == nullptr || name == nullptr || dayOff == nullptr) return 0;
    *isHoliday = 0;
    *dayOff = 0;
    CivilDate d;
    services::HolidayLookup found;
    if (!ReadDateArgument(date, d) || !services::LookUpHoliday(d, found)) return 0;
    const std::size_t length = found.isHoliday ? strnlen(found.name, kHolidayNameOutSize - 1) : 0;
    std::memcpy(name, found.name, length);
    name[length] = '\0';
    *isHoliday = found.isHoliday ? 1 : 0;
    *dayOff = found.isHoliday && found.dayOff ? 1 : 0;
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
    int fullYear = 0;
    if (!ReadYearText(copy, fullYear)) return 0;
    const services::DaylightSavingDates dates = services::DaylightSavingTimes(fullYear);
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
