#include "services/current_time.h"

#include <cstring>

#include "format/date_reader.h"
#include "services/clock.h"
#include "services/conversion_file.h"

namespace kalcore::services {

bool CurrentDateTimeText(DateText& date, TimeOfDayText& time, int hourMode, const char* code,
                         int useConversionFile) {
    ClockReading clock;
    ReadClock(clock);

    DateText today;
    WriteClockDate(clock, today);

    CodeText working = {code != nullptr ? code[0] : '\0', '\0'};
    if (useConversionFile == kUseConversionFile) {
        CodeText stored;
        if (ReadConversionCode(stored, kConversionFileRead)) working[0] = stored[0];
    }
    const bool ok = ParseConvertDate(today, date, working, 0, 0);
    if (!ok) std::memset(date, 0, sizeof date);

    int hour = TwoDigitValue(clock.hour[0], clock.hour[1]);
    std::memcpy(time.amPm, hour < 12 ? "AM" : "PM", 3);
    if (hourMode != kTwentyFourHourClock && hour > 12) hour -= 12;
    PutTwoDigits(time.time, hour);
    time.time[2] = ':';
    std::memcpy(time.time + 3, clock.minute, 2);
    time.time[5] = ':';
    std::memcpy(time.time + 6, clock.second, 2);
    time.time[8] = '\0';
    return ok;
}

}  // namespace kalcore::services
