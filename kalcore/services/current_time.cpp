#include "services/current_time.h"

#include <cstring>

#include "format/date_reader.h"
#include "platform/clock.h"
#include "services/conversion_file.h"

namespace kalcore::services {

bool CurrentDateTime(char code, bool usePreferredFormat, bool twentyFourHour, DateText& date,
                     TimeOfDayText& time) {
    const platform::ClockReading now = platform::ReadClock();
    WriteTimeOfDay(now.hour, now.minute, now.second, twentyFourHour, time);
    const FormatLayout* layout = LayoutForEitherCase(OutputCode(code, usePreferredFormat));
    if (layout == nullptr || !IsReadableYear(now.date.year)) {
        std::memset(date, 0, sizeof date);
        return false;
    }
    WriteDate(*layout, now.date, date);
    return true;
}

TimeOfDayText CurrentTimeOfDay(bool twentyFourHour) {
    const platform::ClockReading now = platform::ReadClock();
    TimeOfDayText time;
    WriteTimeOfDay(now.hour, now.minute, now.second, twentyFourHour, time);
    return time;
}

}  // namespace kalcore::services
