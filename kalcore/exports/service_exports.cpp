// The exported entry points of the clock, the date conversion file and the
// sliding date window.
#include <cstring>
#include <initializer_list>

#include "format/conventions.h"
#include "kalcore.h"
#include "services/clock.h"
#include "services/conversion_file.h"
#include "services/current_time.h"
#include "services/sliding_window.h"

using namespace kalcore;
using namespace kalcore::services;

namespace {

// Copies `text` (at most `limit` characters) and a terminator into `out`.
void Deliver(const char* text, char* out, std::size_t limit) {
    std::size_t n = 0;
    for (; n < limit && text[n] != '\0'; ++n) out[n] = text[n];
    out[n] = '\0';
}

// The time of day in the hour mode given, from the clock with code A.
TimeOfDayText TimeNow(int32_t hourMode) {
    DateText date;
    TimeOfDayText time;
    CurrentDateTimeText(date, time, hourMode, "A", 0);
    return time;
}

// The hour of a time text as a number.
int32_t HourOf(const TimeOfDayText& time) {
    return TwoDigitValue(time.time[0], time.time[1]);
}

// One two-digit field of the clock, as a number or as its text.
using ClockField = char (ClockReading::*)[3];

int16_t ClockNumber(int32_t* out, ClockField field) {
    if (out == nullptr) return 0;
    ClockReading clock;
    ReadClock(clock);
    *out = TwoDigitValue((clock.*field)[0], (clock.*field)[1]);
    return 1;
}

int16_t ClockText(char* out, ClockField field) {
    if (out == nullptr) return 0;
    ClockReading clock;
    ReadClock(clock);
    Deliver(clock.*field, out, 2);
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
    if (!CurrentDateTimeText(today, time, kTwentyFourHourClock, code, 0)) return 0;
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
    if (!CurrentDateTimeText(today, now, hourMode, code, useConversionFile)) return 0;
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
    return ClockNumber(minute, &ClockReading::minute);
}

KALCORE_API int16_t KALCORE_CALL KD_SEC(int32_t* second) {
    return ClockNumber(second, &ClockReading::second);
}

KALCORE_API int16_t KALCORE_CALL KD_CMINT(char* minute) {
    return ClockText(minute, &ClockReading::minute);
}

KALCORE_API int16_t KALCORE_CALL KD_CSEC(char* second) {
    return ClockText(second, &ClockReading::second);
}

KALCORE_API int16_t KALCORE_CALL KD_DTCVCREATEFILE(const char* code) {
    return WriteConversionCode(code) ? 1 : 0;
}

KALCORE_API int32_t KALCORE_CALL KD_DATECNVFILE(const char* /*unused*/) {
    CodeText code;
    return ReadConversionCode(code, kConversionFileRead) ? 1 : 0;
}

KALCORE_API int32_t KALCORE_CALL KD_SLIDINGWINDOWPROC(const char* pivot, int32_t years,
                                                      const char* check, int32_t* inWindow,
                                                      int32_t* direction) {
    if (inWindow == nullptr || direction == nullptr) return 0;
    *inWindow = *direction = 0;
    if (pivot == nullptr || check == nullptr) return 0;
    DateText pivotCopy, checkCopy;
    CopyDateArgument(pivot, pivotCopy);
    CopyDateArgument(check, checkCopy);
    WindowAnswer answer;
    if (!SlidingWindow(pivotCopy, years, checkCopy, answer)) return 0;
    *inWindow = answer.inWindow;
    *direction = answer.direction;
    return 1;
}

}  // extern "C"
