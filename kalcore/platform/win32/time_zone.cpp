// The zone in force on Windows, as the system's time-zone service gives it.
#include "platform/time_zone.h"

#include <windows.h>

#include <cstring>

namespace kalcore::platform {

namespace {

void Narrow(const WCHAR* wide, char (&out)[64]) {
    const int n = WideCharToMultiByte(CP_ACP, 0, wide, -1, out, sizeof out, nullptr, nullptr);
    if (n <= 0) out[0] = '\0';
    out[sizeof out - 1] = '\0';
}

TransitionRule Rule(const SYSTEMTIME& t) {
    return TransitionRule{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay};
}

}  // namespace

ZoneState ReadTimeZone(int /*year*/, TimeZoneInfo& info) {
    info = TimeZoneInfo{};
    TIME_ZONE_INFORMATION tz{};
    const DWORD id = GetTimeZoneInformation(&tz);
    if (id == TIME_ZONE_ID_INVALID) return ZoneState::kFailed;
    info.bias = tz.Bias;
    Narrow(tz.StandardName, info.standardName);
    Narrow(tz.DaylightName, info.daylightName);
    info.daylightBias = tz.DaylightBias;
    info.standardDate = Rule(tz.StandardDate);
    info.daylightDate = Rule(tz.DaylightDate);
    if (id == TIME_ZONE_ID_STANDARD) return ZoneState::kStandard;
    if (id == TIME_ZONE_ID_DAYLIGHT) return ZoneState::kDaylight;
    return ZoneState::kNoDaylightSaving;
}

}  // namespace kalcore::platform
