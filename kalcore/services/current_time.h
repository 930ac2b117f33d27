// The current date in any output format and the current time of day.
#pragma once

#include "format/date_writer.h"
#include "format/layouts.h"

namespace kalcore::services {

// Writes today's date in the format `code` names (either case; with
// `usePreferredFormat` the stored preferred format replaces it) and the time
// of day of the same reading of the clock. The time is always written. True
// when the date could be written; otherwise `date` is empty (`code` is no
// format code, or the clock's year lies outside 1000-9999).
bool CurrentDateTime(char code, bool usePreferredFormat, bool twentyFourHour, DateText& date,
                     TimeOfDayText& time);

// The time of day now.
TimeOfDayText CurrentTimeOfDay(bool twentyFourHour);

}  // namespace kalcore::services
