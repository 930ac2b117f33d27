#include "services/clock.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>

#include "format/catalogue.h"

namespace kalcore {

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

void PutTwo(char (&out)[3], int value) {
    PutTwoDigits(out, value < 0 ? 0 : value);
    out[2] = '\0';
}

}  // namespace

void SetClockSourceForTesting(ClockSource source) {
    g_clockSource.store(source ? source : &SystemClock, std::memory_order_relaxed);
}

namespace {

void Fill(const std::tm& tm, ClockReading& out) {
    const int year = tm.tm_year + 1900;
    PutTwo(out.month, tm.tm_mon + 1);
    PutTwo(out.day, tm.tm_mday);
    PutTwo(out.century, year / 100);
    PutTwo(out.year, year % 100);
    PutTwo(out.hour, tm.tm_hour);
    PutTwo(out.minute, tm.tm_min);
    PutTwo(out.second, tm.tm_sec);
}

// Fills the reading from a broken-down time, or with 1 January 1970 when
// there was none to be had.
void FillOrEpoch(bool ok, std::tm& tm, ClockReading& out) {
    if (!ok) {
        tm = std::tm{};
        tm.tm_mday = 1;
        tm.tm_year = 70;
    }
    Fill(tm, out);
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
KALCORE_RARE_PATH void ReadSubstituteClock(ClockSource source, ClockReading& out) {
    std::tm tm{};
    FillOrEpoch(source(tm), tm, out);
}

// Converts the real clock's second `now` to local time into the cache.
KALCORE_RARE_PATH const ClockReading& RefreshReading(std::time_t now, SecondCache& cache) {
    std::tm tm{};
    FillOrEpoch(LocalTimeAt(now, tm), tm, cache.reading);
    cache.second = now;
    return cache.reading;
}

}  // namespace

void ReadClock(ClockReading& out) {
    const ClockSource source = g_clockSource.load(std::memory_order_relaxed);
    if (source != &SystemClock) {
        ReadSubstituteClock(source, out);
        return;
    }
    // Within the second of the last reading, the cached reading is the answer.
    SecondCache& cache = t_lastReading;
    const std::time_t now = std::time(nullptr);
    out = now == cache.second ? cache.reading : RefreshReading(now, cache);
}

bool MatchDateKeyword(const char* text, int& daysBack) {
    if (text == nullptr) return false;
    std::size_t length = 0;
    while (length < 8 && text[length] != '\0') ++length;
    // Only "NOW" (3), "TODAY" (5), "YESTER" (6) and "YESTERn" (7) can match.
    if (length != 3 && length != 5 && length != 6 && length != 7) return false;
    char upper[8] = {};
    for (std::size_t i = 0; i < length; ++i) upper[i] = ToUpperAscii(text[i]);

    if (length == 3 || length == 5) {
        if (std::strcmp(upper, "NOW") != 0 && std::strcmp(upper, "TODAY") != 0) return false;
        daysBack = kKeywordToday;
        return true;
    }
    if (std::memcmp(upper, "YESTER", 6) != 0) return false;
    if (length == 6) {
        daysBack = 1;
        return true;
    }
    // "YESTER0" means yesterday too; "YESTERn" goes n + 1 days back.
    if (upper[6] < '0' || upper[6] > '7') return false;
    daysBack = upper[6] - '0' + 1;
    return true;
}

// The date is put together as two words and stored whole: the reader loads
// it a word at a time, and a load spanning several smaller stores would have
// to wait for them to reach the cache.
void WriteClockDate(const ClockReading& reading, char (&out)[12]) {
    const auto byte = [](char c, int position) {
        return std::uint64_t{static_cast<unsigned char>(c)} << (8 * position);
    };
    if constexpr (std::endian::native == std::endian::little) {
        const std::uint64_t low = byte(reading.month[0], 0) | byte(reading.month[1], 1) |
                                  byte('/', 2) | byte(reading.day[0], 3) | byte(reading.day[1], 4) |
                                  byte('/', 5) | byte(reading.century[0], 6) |
                                  byte(reading.century[1], 7);
        const auto high =
            static_cast<std::uint32_t>(byte(reading.year[0], 0) | byte(reading.year[1], 1));
        std::memcpy(out, &low, sizeof low);
        std::memcpy(out + sizeof low, &high, sizeof high);
    } else {
        std::memset(out, 0, sizeof out);
        std::memcpy(out, reading.month, 2);
        out[2] = '/';
        std::memcpy(out + 3, reading.day, 2);
        out[5] = '/';
        std::memcpy(out + 6, reading.century, 2);
        std::memcpy(out + 8, reading.year, 2);
    }
}

}  // namespace kalcore
