// The exported entry points of the clock, the date conversion file and the
// sliding date window.
#include <cstring>
#include <initializer_list>

#include "exports/conventions.h"
#include "kalcore.h"
#include "platform/clock.h"
#include "services/conversion_file.h"
#include "services/current_time.h"
#include "services/sliding_window.h"

using namespace kalcore;
using namespace kalcore::services;

namespace {

// The hour mode of the 24-hour clock; every other value selects the 12-hour
// clock.
constexpr int32_t kTwentyFourHourMode = 1;

// Copies `text` (at most `limit` characters) and a terminator into `out`.
void Deliver(const char* text, char* out, std::size_t limit) {
    std::size_t n = 0;
    for (; n < limit && text[n] != '\0'; ++n) out[n] = text[n];
    out[n] = '\0';
}

TimeOfDayText TimeNow(int32_t hourMode) {
    return CurrentTimeOfDay(hourMode == kTwentyFourHourMode);
}

// The hour of a time text as a number.
int32_t HourOf(const TimeOfDayText& time) {
    return (time.time[0] - '0') * 10 + (time.time[1] - '0');
}

// One field of the clock, as a number or as its two digits.
using ClockField = int platform::ClockReading::*;

int16_t ClockNumber(int32_t* out, ClockField field) {
    if (out == nullptr) return 0;
    *out = platform::ReadClock().*field;
    return 1;
}

int16_t ClockText(char* out, ClockField field) {
    if (out == nullptr) return 0;
    const int value = platform::ReadClock().*field;
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
    out[2] = '\0';
    return 1;
}

}  // namespace

extern "C" {

KALCORE_API int16_t KALCORE_CALL KD_DATE(char* date, const char* code) {
    if (date == nullptr) return 0;
    date[0] = '\0';
    if (code == nullptr) return 0;
    DateText today;
    TimeOfDayText time;
    if (!CurrentDateTime(code[0], false, true, today, time)) return 0;
    Deliver(today, date, kMaxDateChars);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_DATEANDTIME(char* date, const char* code, char* time,
                                                char* amPm, int32_t hourMode,
                                                int32_t useConversionFile) {
    for (char* out : {date, time, amPm})
        if (out != nullptr) out[0] = '\0';
    if (date == nullptr || time == nullptr || amPm == nullptr || code == nullptr) return 0;
    DateText today;
    TimeOfDayText now;
    if (!CurrentDateTime(code[0], useConversionFile == 1, hourMode == kTwentyFourHourMode, today,
                         now))
        return 0;
    Deliver(today, date, kMaxDateChars);
    Deliver(now.time, time, 8);
    Deliver(now.amPm, amPm, 2);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_TIME(char* time, int32_t hourMode) {
    if (time == nullptr) return 0;
    Deliver(TimeNow(hourMode).time, time, 8);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_HOUR(int32_t* hour, int32_t hourMode) {
    if (hour == nullptr) return 0;
    *hour = HourOf(TimeNow(hourMode));
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_CHOUR(char* hour, int32_t hourMode) {
    if (hour == nullptr) return 0;
    Deliver(TimeNow(hourMode).time, hour, 2);
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_MINT(int32_t* minute) {
    return ClockNumber(minute, &platform::ClockReading::minute);
}

KALCORE_API int16_t KALCORE_CALL KD_SEC(int32_t* second) {
    return ClockNumber(second, &platform::ClockReading::second);
}

KALCORE_API int16_t KALCORE_CALL KD_CMINT(char* minute) {
    return ClockText(minute, &platform::ClockReading::minute);
}

KALCORE_API int16_t KALCORE_CALL KD_CSEC(char* second) {
    return ClockText(second, &platform::ClockReading::second);
}

KALCORE_API int16_t KALCORE_CALL KD_DTCVCREATEFILE(const char* code) {
    return WriteConversionCode(code) ? 1 : 0;
}

KALCORE_API int32_t KALCORE_CALL KD_DATECNVFILE(const char* /*unused*/) {
    char code;
    return ReadConversionCode(code) ? 1 : 0;
}

KALCORE_API int32_t KALCORE_CALL KD_SLIDINGWINDOWPROC(const char* pivot, int32_t years,
                                                      const char* check, int32_t* inWindow,
                                                      int32_t* direction) {
    if (inWindow == nullptr || direction == nullptr) return 0;
    *inWindow = *direction = 0;
    CivilDate pivotDate, checkDate;
    if (!ReadDateArgument(pivot, pivotDate) || !ReadDateArgument(check, checkDate)) return 0;
    const WindowAnswer answer = SlidingWindow(pivotDate, years, checkDate);
    *inWindow = answer.inWindow ? 1 : 0;
    *direction = answer.direction;
    return 1;
}

}  // extern "C"
