// The dates on which daylight saving time begins and ends in a year on this
// machine, and the text that describes the machine's time zone
// ("GMT -05:00 " and the zone's name).
#pragma once

#include <cstddef>

#include "format/catalogue.h"
#include "platform/time_zone.h"

namespace kalcore::services {

// Room for a zone text: an offset of 11 characters, a name of at most 63,
// and a terminator.
inline constexpr std::size_t kZoneTextSize = 75;
using ZoneText = char[kZoneTextSize];

inline constexpr std::size_t kDaylightLabelSize = 24;
inline constexpr char kDaylightBeginsLabel[] = "DayLight Savings Begins";
inline constexpr char kDaylightEndsLabel[] = "DayLight Savings Ends  ";
// Caption of the box that shows a transition given as one absolute date.
inline constexpr char kAbsoluteRuleCaption[] = "Year is SET(>0)";

// Longest year text read: the rest of an 8-byte working copy.
inline constexpr std::size_t kMaxYearChars = 7;

struct DaylightSavingDates {
    ZoneText zone;                        // empty when the zone has no daylight saving
    bool sameDay;                         // begin and end fall on the same day
    DateText begin;                       // MM-DD-CCYY, daylight saving begins
    DateText end;                         // MM-DD-CCYY, daylight saving ends
    char beginLabel[kDaylightLabelSize];  // kDaylightBeginsLabel, or empty
    char endLabel[kDaylightLabelSize];    // kDaylightEndsLabel, or empty
};

// The four-digit year of a year text (its first 7 characters; two digits
// take the current century): the full year of the date "01-01-" + text.
// False when that is no valid date.
bool YearOfText(const char* yearText, int& year);

// The dates of `yearText`. False, with `out` untouched, when the text is no
// year. A zone without daylight saving in that year, or no zone information
// at all, gives true with every text empty; a year in which daylight saving
// only began or only ended leaves the other date empty. A transition given by the platform as one
// absolute date is shown in a box captioned kAbsoluteRuleCaption and
// returned as MM/DD/CCYY of its own year.
bool DaylightSavingTimes(const char* yearText, DaylightSavingDates& out);

// The zone text: "GMT +hh:mm " or "GMT -hh:mm " and the name in force (the
// daylight name while daylight time is in force), or the name alone when
// the offset is under one hour. Empty for a zone without daylight saving.
void FormatZoneText(const platform::TimeZoneInfo& info, platform::ZoneState state, ZoneText& out);

// The zone text of the machine for a year text; empty when the text is no
// year or the zone has no daylight saving. Shows no box.
void ZoneTextOfYear(const char* yearText, ZoneText& out);

// The date of a transition in `year` as MM-DD-CCYY: the `day`-th (5 = last)
// weekday of the month. An all-zero yearly rule is the first Tuesday of
// December of the year before. An absolute rule (year set) gives
// MM/DD/CCYY of its own year after the box. False, with an empty text, for
// fields outside their ranges or a year outside 1-9999.
bool TransitionDate(const platform::TransitionRule& rule, int year, DateText& out);

}  // namespace kalcore::services
