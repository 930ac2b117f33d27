#include "services/daylight_saving.h"

#include <cstdio>
#include <cstring>

#include "format/date_reader.h"
#include "format/date_writer.h"
#include "platform/message_box.h"

namespace kalcore::services {

using platform::TimeZoneInfo;
using platform::TransitionRule;
using platform::ZoneState;

namespace {

// The occurrence that stands for the last such weekday of the month.
constexpr int kLastOccurrence = 5;

void CopyBounded(char* out, std::size_t size, const char* text) {
    const std::size_t n = strnlen(text, size - 1);
    std::memcpy(out, text, n);
    out[n] = '\0';
}

}  // namespace

void FormatZoneText(const TimeZoneInfo& info, ZoneState state, ZoneText& out) {
    out[0] = '\0';
    if (state != ZoneState::kStandard && state != ZoneState::kDaylight) return;
    const char* name = state == ZoneState::kDaylight ? info.daylightName : info.standardName;
    // East of Greenwich is "+". The minutes are those of the offset itself
    // (5:45 for Nepal, 3:30 for Newfoundland).
    const long east = -info.bias;
    const long magnitude = east < 0 ? -east : east;
    const long hours = magnitude / 60, minutes = magnitude % 60;
    if (hours == 0) {
        CopyBounded(out, sizeof out, name);
        return;
    }
    std::snprintf(out, sizeof out, east < 0 ? "GMT -%02ld:%02ld %.63s" : "GMT +%02ld:%02ld %.63s",
                  hours, minutes, name);
}

bool TransitionDate(const TransitionRule& rule, int year, TransitionDay& out) {
    std::memset(out.text, 0, sizeof out.text);
    out.comparable = false;
    if (rule.year != 0) {
        // One absolute date: shown, and given as it stands.
        std::snprintf(out.text, sizeof out.text, "%02d/%02d/%04d", rule.month, rule.day, rule.year);
        platform::ShowMessageBox(out.text, kAbsoluteRuleCaption);
        out.date = CivilDate{rule.year, rule.month, rule.day};
        out.comparable = IsReadableYear(rule.year) && IsValidDate(out.date);
        return true;
    }
    TransitionRule yearly = rule;
    if (rule.month == 0 && rule.dayOfWeek == 0 && rule.day == 0) {
        // An empty rule: the first Tuesday of December of the year before.
        yearly = TransitionRule{0, 12, 2, 1};
        --year;
    }
    if (year < 1 || year > 9999 || yearly.month < 1 || yearly.month > 12 || yearly.dayOfWeek < 0 ||
        yearly.dayOfWeek > 6 || yearly.day < 1 || yearly.day > kLastOccurrence)
        return false;
    out.date = CivilDate{year, yearly.month,
                         NthWeekdayOfMonth(year, yearly.month,
                                           static_cast<Weekday>(yearly.dayOfWeek + 1), yearly.day)};
    out.comparable = IsReadableYear(year);
    WriteDate(LayoutOf<'A'>(), out.date, out.text);
    return true;
}

DaylightSavingDates DaylightSavingTimes(int year) {
    DaylightSavingDates out{};
    TimeZoneInfo info;
    const ZoneState state = platform::ReadTimeZone(year, info);
    if (state != ZoneState::kStandard && state != ZoneState::kDaylight) return out;

    FormatZoneText(info, state, out.zone);
    // A year in which daylight saving only began, or only ended, has one date.
    TransitionDay begin{}, end{};
    const bool haveEnd = info.hasStandardDate && TransitionDate(info.standardDate, year, end);
    const bool haveBegin = info.hasDaylightDate && TransitionDate(info.daylightDate, year, begin);
    std::memcpy(out.end, end.text, sizeof out.end);
    std::memcpy(out.begin, begin.text, sizeof out.begin);
    out.sameDay =
        haveBegin && haveEnd && begin.comparable && end.comparable && begin.date == end.date;
    std::memcpy(out.beginLabel, kDaylightBeginsLabel, sizeof kDaylightBeginsLabel);
    std::memcpy(out.endLabel, kDaylightEndsLabel, sizeof kDaylightEndsLabel);
    return out;
}

void ZoneTextOfYear(int year, ZoneText& out) {
    out[0] = '\0';
    TimeZoneInfo info;
    FormatZoneText(info, platform::ReadTimeZone(year, info), out);
}

}  // namespace kalcore::services
