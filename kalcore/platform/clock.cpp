#include "platform/clock.h"

#include <atomic>

#include "platform/compiler.h"

namespace kalcore::platform {

namespace {

bool LocalTimeAt(std::time_t when, std::tm& out) {
#if defined(_WIN32)
    return localtime_s(&out, &when) == 0;
#else
    return localtime_r(&when, &out) != nullptr;
#endif
}

bool SystemClock(std::tm& out) {
    return LocalTimeAt(std::time(nullptr), out);
}

std::atomic<ClockSource> g_clockSource{&SystemClock};

// The reading of a broken-down time, or 1 January 1970 when there was none
// to be had.
ClockReading ReadingOf(bool ok, const std::tm& tm) {
    if (!ok) return ClockReading{CivilDate{1970, 1, 1}, 0, 0, 0};
    return ClockReading{CivilDate{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday}, tm.tm_hour,
                        tm.tm_min, tm.tm_sec};
}

// The last reading of the real clock on this thread and the second it was
// taken in: within the same second the local time cannot differ, so the
// conversion to local time is done once a second at most.
struct SecondCache {
    std::time_t second = -1;
    ClockReading reading{};
};
thread_local SecondCache t_lastReading;

// Reads the clock a test substituted.
KALCORE_RARE_PATH ClockReading ReadSubstituteClock(ClockSource source) {
    std::tm tm{};
    const bool ok = source(tm);
    return ReadingOf(ok, tm);
}

// Converts the real clock's second `now` to local time into the cache.
KALCORE_RARE_PATH const ClockReading& RefreshReading(std::time_t now, SecondCache& cache) {
    std::tm tm{};
    const bool ok = LocalTimeAt(now, tm);
    cache.reading = ReadingOf(ok, tm);
    cache.second = now;
    return cache.reading;
}

}  // namespace

void SetClockSourceForTesting(ClockSource source) {
    g_clockSource.store(source ? source : &SystemClock, std::memory_order_relaxed);
}

ClockReading ReadClock() {
    const ClockSource source = g_clockSource.load(std::memory_order_relaxed);
    if (source != &SystemClock) return ReadSubstituteClock(source);
    // Within the second of the last reading, the cached reading is the answer.
    SecondCache& cache = t_lastReading;
    const std::time_t now = std::time(nullptr);
    return now == cache.second ? cache.reading : RefreshReading(now, cache);
}

}  // namespace kalcore::platform
