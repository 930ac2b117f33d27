// Feeds arbitrary bytes as the TZ variable: the rule parser, the zone reader
// and KD_DAYLIGHTSAVINGSTIMES, whose outputs are allocated at exactly their
// documented sizes so that AddressSanitizer reports any write beyond them.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "kalcore.h"
#include "platform/posix/posix_zone.h"
#include "platform/time_zone.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool WithinOffsetRange(long seconds) {
    return seconds >= -kalcore::platform::posix::kMaxOffsetSeconds &&
           seconds <= kalcore::platform::posix::kMaxOffsetSeconds;
}

bool YearlyRule(const kalcore::platform::TransitionRule& rule) {
    return rule.year == 0 && rule.month >= 1 && rule.month <= 12 && rule.dayOfWeek >= 0 &&
           rule.dayOfWeek <= 6 && rule.day >= 1 && rule.day <= 5;
}

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// A zone text that starts with an offset has "GMT +hh:mm " or "GMT -hh:mm "
// with at most 24 hours and 59 minutes.
bool SoundZoneText(const char* zone) {
    if (std::strncmp(zone, "GMT ", 4) != 0 || (zone[4] != '+' && zone[4] != '-')) return true;
    if (!Digit(zone[5]) || !Digit(zone[6]) || zone[7] != ':' || !Digit(zone[8]) ||
        !Digit(zone[9]) || zone[10] != ' ')
        return false;
    return (zone[5] - '0') * 10 + (zone[6] - '0') <= 24 && zone[8] <= '5';
}

// Empty, or MM-DD-CCYY of the year asked for.
bool DateOfYear(const char* date, const char* year) {
    return date[0] == '\0' || (std::strlen(date) == 10 && date[2] == '-' && date[5] == '-' &&
                               std::strcmp(date + 6, year) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool secondYear = data[0] & 1;
    const std::string rule(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string text = rule.substr(0, rule.find('\0'));

    namespace posix = kalcore::platform::posix;
    posix::ZoneRule parsed;
    if (posix::ParseZoneRule(text.c_str(), parsed)) {
        Require(strnlen(parsed.standardName, 64) < 64 && strnlen(parsed.daylightName, 64) < 64);
        Require(WithinOffsetRange(parsed.standardOffset));
        // A daylight offset that is not given is one hour ahead of standard
        // time, which can take it an hour past the range.
        Require(!parsed.hasDaylight || WithinOffsetRange(parsed.daylightOffset) ||
                parsed.daylightOffset == parsed.standardOffset - 3600);
        // The changes the rule makes in a year lie in that year.
        const posix::YearChanges changes = posix::RuleChanges(parsed, 2026);
        Require(!changes.begins || changes.begin.year == 2026);
        Require(!changes.ends || changes.end.year == 2026);
    }
    setenv("TZ", text.c_str(), 1);
    kalcore::platform::TimeZoneInfo info;
    const kalcore::platform::ZoneState state = kalcore::platform::ReadTimeZone(2026, info);
    if (state == kalcore::platform::ZoneState::kStandard ||
        state == kalcore::platform::ZoneState::kDaylight) {
        Require(info.hasDaylightDate || info.hasStandardDate);
        Require(!info.hasDaylightDate || YearlyRule(info.daylightDate));
        Require(!info.hasStandardDate || YearlyRule(info.standardDate));
    }

    std::unique_ptr<char[]> zone(new char[75]), begin(new char[12]), end(new char[12]),
        beginLabel(new char[24]), endLabel(new char[24]);
    int32_t status = -1, sameDay = -1;
    const int16_t result =
        KD_DAYLIGHTSAVINGSTIMES(secondYear ? "99" : "2026", zone.get(), &status, &sameDay,
                                begin.get(), end.get(), beginLabel.get(), endLabel.get());
    Require(result == 1 && status == 1 && (sameDay == 0 || sameDay == 1));
    Require(strnlen(zone.get(), 75) < 75 && strnlen(begin.get(), 12) < 12 &&
            strnlen(end.get(), 12) < 12);
    Require(SoundZoneText(zone.get()));
    const char* year = secondYear ? "2099" : "2026";
    Require(DateOfYear(begin.get(), year) && DateOfYear(end.get(), year));
    return 0;
}
