// The machine's time zone from the system's time-zone information.
#include "platform/time_zone.h"

#include <cstring>

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

namespace {

// A UTF-16 zone name as 8-bit text of the system code page, at most 63 bytes;
// a name that does not fit is cut at a whole character.
void Narrow(const WCHAR* wide, char (&out)[64]) {
    out[0] = '\0';
    int length = 0;
    while (length < 32 && wide[length] != L'\0') ++length;
    for (int n = length; n > 0; --n) {
        const int written = WideCharToMultiByte(CP_ACP, 0, wide, n, out,
                                                static_cast<int>(sizeof out) - 1, nullptr, nullptr);
        if (written > 0) {
            out[written] = '\0';
            return;
        }
    }
}

TransitionRule Rule(const SYSTEMTIME& t) {
    return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay};
}

}  // namespace

ZoneState ReadTimeZone(int /*year*/, TimeZoneInfo& info) {
    TIME_ZONE_INFORMATION zone;
    std::memset(&zone, 0, sizeof zone);
    const DWORD state = GetTimeZoneInformation(&zone);
    if (state == TIME_ZONE_ID_INVALID) return ZoneState::kFailed;
    info.bias = zone.Bias;
    info.daylightBias = zone.DaylightBias;
    Narrow(zone.StandardName, info.standardName);
    Narrow(zone.DaylightName, info.daylightName);
    info.standardDate = Rule(zone.StandardDate);
    info.daylightDate = Rule(zone.DaylightDate);
    switch (state) {
        case TIME_ZONE_ID_STANDARD:
            return ZoneState::kStandard;
        case TIME_ZONE_ID_DAYLIGHT:
            return ZoneState::kDaylight;
        default:
            return ZoneState::kNoDaylightSaving;
    }
}

}  // namespace kalcore::platform
