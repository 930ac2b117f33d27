// The dates on which daylight saving time begins and ends in a year on this
// machine, and the text that describes the machine's time zone
// ("GMT -05:00 " and the zone's name).
#pragma once

#include <cstddef>

#include "civil/civil_date.h"
#include "format/layouts.h"
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

// Longest year text the export copies: the rest of an 8-byte working copy.
inline constexpr std::size_t kMaxYearChars = 7;

struct DaylightSavingDates {
    ZoneText zone;                        // empty when the zone has no daylight saving
    bool sameDay;                         // begin and end fall on the same day
    DateText begin;                       // MM-DD-CCYY, daylight saving begins
    DateText end;                         // MM-DD-CCYY, daylight saving ends
    char beginLabel[kDaylightLabelSize];  // kDaylightBeginsLabel, or empty
    char endLabel[kDaylightLabelSize];    // kDaylightEndsLabel, or empty
};

// The dates of `year`. A zone without daylight saving in that year, or no
// zone information at all, gives every text empty; a year in which daylight
// saving only began or only ended leaves the other date empty. A transition
// given by the platform as one absolute date is shown in a box captioned
// kAbsoluteRuleCaption and given as MM/DD/CCYY of its own year.
DaylightSavingDates DaylightSavingTimes(int year);

// The zone text: "GMT +hh:mm " or "GMT -hh:mm " and the name in force (the
// daylight name while daylight time is in force), or the name alone when
// the offset is under one hour. Empty for a zone without daylight saving.
void FormatZoneText(const platform::TimeZoneInfo& info, platform::ZoneState state, ZoneText& out);

// The zone text of the machine in `year`; empty when the zone has no
// daylight saving. Shows no box.
void ZoneTextOfYear(int year, ZoneText& out);

// The day of a transition.
struct TransitionDay {
    DateText text;  // MM-DD-CCYY, or MM/DD/CCYY of an absolute rule
    // The day as a date, when it is a date of the years 1000-9999, which
    // the library's texts hold: the two transitions' days are compared then.
    bool comparable;
    CivilDate date;
};

// The day of a transition in `year`: the `day`-th (5 = last) weekday of the
// month. An all-zero yearly rule is the first Tuesday of December of the
// year before. An absolute rule (year set) gives the date it names, after
// the box. False, with an empty text, for fields outside their ranges or a
// year outside 1-9999.
bool TransitionDate(const platform::TransitionRule& rule, int year, TransitionDay& out);

}  // namespace kalcore::services
