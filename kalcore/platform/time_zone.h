// The machine's time zone as the daylight-saving dates need it: offset,
// names and the two yearly transition rules.
#pragma once

namespace kalcore::platform {

// One transition. `year` 0 makes it a yearly rule: the `day`-th (1-4, 5 =
// last) `dayOfWeek` (0 = Sunday .. 6 = Saturday) of `month`. A non-zero
// `year` makes it the one date year/month/day.
struct TransitionRule {
    int year;
    int month;
    int dayOfWeek;
    int day;
};

struct TimeZoneInfo {
    long bias;              // minutes; UTC = local time + bias
    char standardName[64];  // 8-bit, at most 63 characters
    char daylightName[64];
    long daylightBias;            // minutes added to bias in daylight time
    TransitionRule standardDate;  // daylight saving ends
    TransitionRule daylightDate;  // daylight saving begins
    // False when the year asked for has no such change: the zone's history
    // shows daylight saving beginning that year but ending only the next,
    // or ending for good.
    bool hasStandardDate = true;
    bool hasDaylightDate = true;
};

enum class ZoneState { kFailed, kNoDaylightSaving, kStandard, kDaylight };

// Reads the zone in force, with its rules resolved for `year` where the
// platform describes them as dates of a particular year. kNoDaylightSaving
// also where the zone had no daylight saving in that year.
ZoneState ReadTimeZone(int year, TimeZoneInfo& info);

}  // namespace kalcore::platform
