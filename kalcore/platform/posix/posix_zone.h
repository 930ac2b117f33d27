// Time-zone rules as POSIX describes them in the TZ variable and in the
// footer of a compiled zone file (TZif version 2 and later), for example
// "EST5EDT,M3.2.0,M11.1.0" or "<+0530>-5:30"; and the changes of a year as
// the transition table of a zone file records them.
#pragma once

#include <cstddef>

#include "civil/civil_date.h"
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

// Offsets run from -24:59:59 to 24:59:59, the range POSIX gives them.
inline constexpr long kMaxOffsetSeconds = 24 * 3600 + 59 * 60 + 59;

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

// The month and day a transition's rule names in `year`, before its time of
// day is applied (a time of 24:00 or more, or below 0, moves the change to
// another day).
void RuleMonthDay(const RuleDay& day, int year, int& month, int& dayOfMonth);

// A local date and time of day.
struct LocalMoment {
    int year, month, day;
    long secondOfDay;
};

// The changes into and out of daylight time in one year: the first of each
// whose local date, in the time in force before the change, lies in the year.
struct YearChanges {
    bool begins = false;
    bool ends = false;
    CivilDate begin{};  // daylight time begins
    CivilDate end{};    // daylight time ends
};

// The changes of `year` under `rule` alone: its dates with the time of day
// applied, so that Jerusalem's "M3.4.4/26" (Thursday, 26:00) begins on the
// Friday.
YearChanges RuleChanges(const ZoneRule& rule, int year);

// The changes of `year` from the compiled zone file at `path`: those of its
// transition table, where a change counts when daylight time is in force
// after it and not before, or the other way round; then, after the table's
// last transition, those of `rule` (the file's footer). A year before the
// table's first transition has none. False when the file has no transition
// table that can be read (no zone file, version 1, counts that do not fit
// the file).
bool ZoneFileChanges(const char* path, const ZoneRule& rule, int year, YearChanges& out);

// Fills `info` from a parsed rule and the changes of the year asked for:
// bias and daylight bias in minutes, the names, and each change as a yearly
// rule that gives its date in that year (absent when the year has no such
// change). A year without changes counts as one without daylight saving.
// Otherwise whether daylight time is in force is decided by the rule for the
// local time `now` (standard time when the rule has no daylight saving).
ZoneState DescribeZone(const ZoneRule& rule, const YearChanges& changes, const LocalMoment& now,
                       TimeZoneInfo& info);

}  // namespace kalcore::platform::posix
