// Time-zone rules as POSIX describes them in the TZ variable and in the
// footer of a compiled zone file (TZif version 2 and later), for example
// "EST5EDT,M3.2.0,M11.1.0" or "<+0530>-5:30".
#pragma once

#include <cstddef>

#include "platform/time_zone.h"

namespace kalcore::platform::posix {

// Longest rule text read from TZ or a zone file footer.
inline constexpr std::size_t kMaxRuleChars = 255;

// The day of one transition.
struct RuleDay {
    enum class Kind { kMonthWeekDay, kJulianNoLeap, kZeroBased };
    Kind kind;
    int month;      // kMonthWeekDay: 1-12
    int week;       // kMonthWeekDay: 1-4, 5 = the last one in the month
    int weekday;    // kMonthWeekDay: 0 = Sunday .. 6 = Saturday
    int dayNumber;  // kJulianNoLeap: 1-365, 29 February never counted; kZeroBased: 0-365
    long seconds;   // time of day of the change, in the local time in force before it
};

struct ZoneRule {
    char standardName[64];
    char daylightName[64];  // empty when the zone has no daylight saving
    long standardOffset;    // seconds west of UTC (EST5 is 18000)
    long daylightOffset;    // seconds west of UTC in daylight time
    bool hasDaylight;
    RuleDay start;  // daylight saving begins
    RuleDay end;    // daylight saving ends
};

// Parses a POSIX TZ rule: std offset [dst [offset] [,start[/time],end[/time]]].
// A daylight name without dates takes the rules M3.2.0 and M11.1.0. Returns
// false, with `rule` unspecified, for a malformed text or one longer than
// kMaxRuleChars.
bool ParseZoneRule(const char* text, ZoneRule& rule);

// Reads the rule text of the footer of a compiled zone file (TZif version 2
// or later) into `out`. False when the file cannot be read, is no zone file,
// is of version 1 (no footer) or its footer is missing or too long.
bool ReadZoneFileRule(const char* path, char (&out)[kMaxRuleChars + 1]);

// The month and day of a transition in `year`.
void RuleMonthDay(const RuleDay& day, int year, int& month, int& dayOfMonth);

// A local date and time of day.
struct LocalMoment {
    int year, month, day;
    long secondOfDay;
};

// Fills `info` from a parsed rule: bias and daylight bias in minutes, the
// names, and both transitions as yearly rules that give their dates in
// `year`. Whether daylight time is in force is decided for the local time
// `now`.
ZoneState DescribeZone(const ZoneRule& rule, int year, const LocalMoment& now, TimeZoneInfo& info);

}  // namespace kalcore::platform::posix
