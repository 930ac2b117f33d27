// The zone in force on a POSIX system: the TZ variable when it is set (a zone
// name under the zone directory, ":name", a file path or a POSIX rule), else
// /etc/localtime. Compiled zone files are read for the POSIX rule of their
// footer, which describes the zone's current yearly rules.
#include "platform/time_zone.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "format/catalogue.h"
#include "platform/posix/posix_zone.h"
#include "services/clock.h"

namespace kalcore::platform {

namespace {

using posix::kMaxRuleChars;

// The rule of the zone file `name`: a path when it starts with "/", else a
// name under $TZDIR or /usr/share/zoneinfo.
bool RuleOfZoneFile(const char* name, char (&rule)[kMaxRuleChars + 1]) {
    if (name[0] == '\0') return false;
    char path[1024];
    int n;
    if (name[0] == '/') {
        n = std::snprintf(path, sizeof path, "%s", name);
    } else {
        const char* dir = std::getenv("TZDIR");
        if (dir == nullptr || dir[0] == '\0') dir = "/usr/share/zoneinfo";
        n = std::snprintf(path, sizeof path, "%s/%s", dir, name);
    }
    return n > 0 && static_cast<std::size_t>(n) < sizeof path &&
           posix::ReadZoneFileRule(path, rule);
}

// The rule text in force; false when there is none to be read.
bool CurrentRuleText(char (&rule)[kMaxRuleChars + 1]) {
    const char* tz = std::getenv("TZ");
    if (tz == nullptr) return posix::ReadZoneFileRule("/etc/localtime", rule);
    if (tz[0] == ':') return RuleOfZoneFile(tz + 1, rule);
    if (tz[0] == '\0') {
        std::memcpy(rule, "UTC0", 5);  // an empty TZ means UTC
        return true;
    }
    // As the C library does: a zone file of that name first, else the text
    // itself as a rule.
    if (RuleOfZoneFile(tz, rule)) return true;
    const std::size_t length = strnlen(tz, kMaxRuleChars + 1);
    if (length > kMaxRuleChars) return false;
    std::memcpy(rule, tz, length + 1);
    return true;
}

posix::LocalMoment Now() {
    ClockReading clock;
    ReadClock(clock);
    auto two = [](const char(&t)[3]) { return TwoDigitValue(t[0], t[1]); };
    return posix::LocalMoment{
        two(clock.century) * 100 + two(clock.year), two(clock.month), two(clock.day),
        two(clock.hour) * 3600L + two(clock.minute) * 60L + two(clock.second)};
}

}  // namespace

ZoneState ReadTimeZone(int year, TimeZoneInfo& info) {
    info = TimeZoneInfo{};
    char text[kMaxRuleChars + 1];
    posix::ZoneRule rule;
    // No zone information at all counts as a zone without daylight saving.
    if (!CurrentRuleText(text) || !posix::ParseZoneRule(text, rule))
        return ZoneState::kNoDaylightSaving;
    return posix::DescribeZone(rule, year, Now(), info);
}

}  // namespace kalcore::platform
