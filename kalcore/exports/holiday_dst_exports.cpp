// The exported entry points of the holiday, next-working-day, daylight-saving
// and Easter services. Each copies its arguments in, runs the service and
// copies the result out.
#include <cstring>

#include "kalcore.h"
#include "services/daylight_saving.h"
#include "services/easter.h"

using namespace kalcore;

extern "C" {

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
