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

using ZoneOfYearCall = BOOL(WINAPI*)(USHORT, PDYNAMIC_TIME_ZONE_INFORMATION,
                                     LPTIME_ZONE_INFORMATION);

// GetTimeZoneInformationForYear, which Windows 7 and later have: the zone's
// rules as they were or will be in a given year (the system keeps the
// history of zones whose rules changed). Resolved once; null without it.
ZoneOfYearCall ZoneOfYear() {
    static const ZoneOfYearCall call = [] {
        const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        return kernel == nullptr ? nullptr
                                 : reinterpret_cast<ZoneOfYearCall>(reinterpret_cast<void*>(
                                       GetProcAddress(kernel, "GetTimeZoneInformationForYear")));
    }();
    return call;
}

}  // namespace

// The bias, the names and whether daylight time is in force now come from
// GetTimeZoneInformation; the two rules from the rules of the year asked for
// where the system has the per-year call, else from the rules in force now.
ZoneState ReadTimeZone(int year, TimeZoneInfo& info) {
    TIME_ZONE_INFORMATION zone;
    std::memset(&zone, 0, sizeof zone);
    const DWORD state = GetTimeZoneInformation(&zone);
    if (state == TIME_ZONE_ID_INVALID) return ZoneState::kFailed;
    info.bias = zone.Bias;
    Narrow(zone.StandardName, info.standardName);
    Narrow(zone.DaylightName, info.daylightName);

    TIME_ZONE_INFORMATION rules = zone;
    const ZoneOfYearCall zoneOfYear = ZoneOfYear();
    const bool ofYear = zoneOfYear != nullptr && year >= 1 && year <= 9999 &&
                        zoneOfYear(static_cast<USHORT>(year), nullptr, &rules);
    if (!ofYear) rules = zone;
    // A year whose rules have no transitions had no daylight saving.
    const bool daylightThatYear = rules.StandardDate.wMonth != 0 || rules.DaylightDate.wMonth != 0;
    if (ofYear && !daylightThatYear) return ZoneState::kNoDaylightSaving;
    info.daylightBias = rules.DaylightBias;
    info.standardDate = Rule(rules.StandardDate);
    info.daylightDate = Rule(rules.DaylightDate);
    switch (state) {
        case TIME_ZONE_ID_STANDARD:
            return ZoneState::kStandard;
        case TIME_ZONE_ID_DAYLIGHT:
            return ZoneState::kDaylight;
        default:
            // No daylight saving now, but in the year asked for: standard time now.
            return ofYear ? ZoneState::kStandard : ZoneState::kNoDaylightSaving;
    }
}

}  // namespace kalcore::platform
