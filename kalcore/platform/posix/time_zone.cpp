// The zone in force on a POSIX system: the TZ variable when it is set (a zone
// name under the zone directory, ":name", a file path or a POSIX rule), else
// /etc/localtime. A compiled zone file gives its history in its transition
// table and the rule of today in its footer; a rule given in TZ has no
// history.
#include "platform/time_zone.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/clock.h"
#include "platform/posix/posix_zone.h"

namespace kalcore::platform {

namespace {

using posix::kMaxRuleChars;

// Where the zone in force comes from: its rule text, and the zone file that
// holds it (an empty path for a rule given in TZ).
struct ZoneSource {
    char rule[kMaxRuleChars + 1];
    char path[1024];
};

// The rule of the zone file `name`: a path when it starts with "/", else a
// name under $TZDIR or /usr/share/zoneinfo.
bool RuleOfZoneFile(const char* name, ZoneSource& source) {
    if (name[0] == '\0') return false;
    int n;
    if (name[0] == '/') {
        n = std::snprintf(source.path, sizeof source.path, "%s", name);
    } else {
        const char* dir = std::getenv("TZDIR");
        if (dir == nullptr || dir[0] == '\0') dir = "/usr/share/zoneinfo";
        n = std::snprintf(source.path, sizeof source.path, "%s/%s", dir, name);
    }
    if (n > 0 && static_cast<std::size_t>(n) < sizeof source.path &&
        posix::ReadZoneFileRule(source.path, source.rule))
        return true;
    source.path[0] = '\0';
    return false;
}

// The zone in force; false when there is none to be read.
bool CurrentZone(ZoneSource& source) {
    source.path[0] = '\0';
    const char* tz = std::getenv("TZ");
    if (tz == nullptr) return RuleOfZoneFile("/etc/localtime", source);
    if (tz[0] == ':') return RuleOfZoneFile(tz + 1, source);
    if (tz[0] == '\0') {
        std::memcpy(source.rule, "UTC0", 5);  // an empty TZ means UTC
        return true;
    }
    // As the C library does: a zone file of that name first, else the text
    // itself as a rule.
    if (RuleOfZoneFile(tz, source)) return true;
    const std::size_t length = strnlen(tz, kMaxRuleChars + 1);
    if (length > kMaxRuleChars) return false;
    std::memcpy(source.rule, tz, length + 1);
    return true;
}

posix::LocalMoment Now() {
    const ClockReading now = ReadClock();
    return posix::LocalMoment{now.date.year, now.date.month, now.date.day,
                              now.hour * 3600L + now.minute * 60L + now.second};
}

}  // namespace

ZoneState ReadTimeZone(int year, TimeZoneInfo& info) {
    info = TimeZoneInfo{};
    ZoneSource source;
    posix::ZoneRule rule;
    // No zone information at all counts as a zone without daylight saving.
    if (!CurrentZone(source) || !posix::ParseZoneRule(source.rule, rule))
        return ZoneState::kNoDaylightSaving;
    // The year's changes from the zone file's table where it has one that
    // can be read, else from the rule.
    posix::YearChanges changes;
    if (source.path[0] == '\0' || !posix::ZoneFileChanges(source.path, rule, year, changes))
        changes = posix::RuleChanges(rule, year);
    return posix::DescribeZone(rule, changes, Now(), info);
}

}  // namespace kalcore::platform
