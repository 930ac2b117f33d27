#include "services/daylight_saving.h"

#include <cstdio>
#include <cstring>

#include "calendar/components.h"
#include "calendar/serial_days.h"
#include "calendar/weekday.h"
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

// The `occurrence`-th (5: the last) day of the month whose day number
// (1 = Sunday) is `weekday`.
int NthWeekdayOfMonth(int year, int month, int weekday, int occurrence) {
    const int length = kDaysInMonth[IsLeapYear(year) ? 1 : 0][month];
    const auto weekdayOf = [&](int day) {
        return WeekdayNumber(month, day, year % 100, year / 100);
    };
    if (occurrence == kLastOccurrence) {
        int day = length;
        while (weekdayOf(day) != weekday) --day;
        return day;
    }
    int count = 0;
    for (int day = 1;; ++day)
        if (weekdayOf(day) == weekday && ++count == occurrence) return day;
}

}  // namespace

bool YearOfText(const char* yearText, int& year) {
    return YearOfFirstJanuary('-', yearText, year);
}

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

bool TransitionDate(const TransitionRule& rule, int year, DateText& out) {
    std::memset(out, 0, sizeof out);
    if (rule.year != 0) {
        // One absolute date: shown, and returned as it stands.
        std::snprintf(out, sizeof out, "%02d/%02d/%04d", rule.month, rule.day, rule.year);
        platform::ShowMessageBox(out, kAbsoluteRuleCaption);
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
    const int day = NthWeekdayOfMonth(year, yearly.month, yearly.dayOfWeek + 1, yearly.day);
    WriteCalendarText(CivilDate{year, yearly.month, day}, out);
    return true;
}

bool DaylightSavingTimes(const char* yearText, DaylightSavingDates& out) {
    int year = 0;
    if (!YearOfText(yearText, year)) return false;
    out = DaylightSavingDates{};
    TimeZoneInfo info;
    const ZoneState state = platform::ReadTimeZone(year, info);
    if (state != ZoneState::kStandard && state != ZoneState::kDaylight) return true;

    FormatZoneText(info, state, out.zone);
    // A year in which daylight saving only began, or only ended, has one date.
    const bool haveEnd = info.hasStandardDate && TransitionDate(info.standardDate, year, out.end);
    const bool haveBegin =
        info.hasDaylightDate && TransitionDate(info.daylightDate, year, out.begin);
    std::int32_t begin = 0, end = 0;
    out.sameDay = haveBegin && haveEnd && SerialDayConvert(out.begin, kDateToSerial, begin) &&
                  SerialDayConvert(out.end, kDateToSerial, end) && begin == end;
    std::memcpy(out.beginLabel, kDaylightBeginsLabel, sizeof kDaylightBeginsLabel);
    std::memcpy(out.endLabel, kDaylightEndsLabel, sizeof kDaylightEndsLabel);
    return true;
}

void ZoneTextOfYear(const char* yearText, ZoneText& out) {
    out[0] = '\0';
    int year = 0;
    if (!YearOfText(yearText, year)) return;
    TimeZoneInfo info;
    FormatZoneText(info, platform::ReadTimeZone(year, info), out);
}

}  // namespace kalcore::services
