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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool secondYear = data[0] & 1;
    const std::string rule(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string text = rule.substr(0, rule.find('\0'));

    kalcore::platform::posix::ZoneRule parsed;
    if (kalcore::platform::posix::ParseZoneRule(text.c_str(), parsed)) {
        Require(strnlen(parsed.standardName, 64) < 64 && strnlen(parsed.daylightName, 64) < 64);
        Require(parsed.standardOffset >= -24 * 3600 && parsed.standardOffset <= 24 * 3600);
    }
    setenv("TZ", text.c_str(), 1);
    kalcore::platform::TimeZoneInfo info;
    const kalcore::platform::ZoneState state = kalcore::platform::ReadTimeZone(2026, info);
    if (state == kalcore::platform::ZoneState::kStandard ||
        state == kalcore::platform::ZoneState::kDaylight) {
        Require(info.daylightDate.month >= 1 && info.daylightDate.month <= 12);
        Require(info.standardDate.day >= 1 && info.standardDate.day <= 5);
    }

    std::unique_ptr<char[]> zone(new char[75]), begin(new char[12]), end(new char[12]),
        beginLabel(new char[24]), endLabel(new char[24]);
    int32_t status = -1, sameDay = -1;
    const int16_t result = KD_DAYLIGHTSAVINGSTIMES(secondYear ? "99" : "2026", zone.get(), &status,
                                                   &sameDay, begin.get(), end.get(),
                                                   beginLabel.get(), endLabel.get());
    Require(result == 1 && status == 1 && (sameDay == 0 || sameDay == 1));
    Require(strnlen(zone.get(), 75) < 75 && strnlen(begin.get(), 12) < 12 &&
            strnlen(end.get(), 12) < 12);
    return 0;
}
