#include "services/clock.h"

#include <atomic>
#include <cstring>

#include "format/catalogue.h"

namespace kalcore {

namespace {

bool SystemClock(std::tm& out) {
    const std::time_t now = std::time(nullptr);
#if defined(_WIN32)
    return localtime_s(&out, &now) == 0;
#else
    return localtime_r(&now, &out) != nullptr;
#endif
}

std::atomic<ClockSource> g_clockSource{&SystemClock};

void PutTwo(char (&out)[3], int value) {
    if (value < 0) value = 0;
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
    out[2] = '\0';
}

}  // namespace

void SetClockSourceForTesting(ClockSource source) {
    g_clockSource.store(source ? source : &SystemClock, std::memory_order_relaxed);
}

void ReadClock(ClockReading& out) {
    std::tm tm{};
    if (!g_clockSource.load(std::memory_order_relaxed)(tm)) {
        tm = std::tm{};
        tm.tm_mday = 1;
        tm.tm_year = 70;
    }
    const int year = tm.tm_year + 1900;
    PutTwo(out.month, tm.tm_mon + 1);
    PutTwo(out.day, tm.tm_mday);
    PutTwo(out.century, year / 100);
    PutTwo(out.year, year % 100);
    PutTwo(out.hour, tm.tm_hour);
    PutTwo(out.minute, tm.tm_min);
    PutTwo(out.second, tm.tm_sec);
}

bool MatchDateKeyword(const char* text, int& daysBack) {
    if (text == nullptr) return false;
    char upper[kDateTextSize] = {};
    std::size_t length = 0;
    for (; length < kMaxDateChars && text[length] != '\0'; ++length)
        upper[length] = ToUpperAscii(text[length]);

    if (length == 3 || length == 5) {
        if (std::strcmp(upper, "NOW") == 0 || std::strcmp(upper, "TODAY") == 0) {
            daysBack = kKeywordToday;
            return true;
        }
        return false;
    }
    if ((length == 6 || length == 7) && std::memcmp(upper, "YESTER", 6) == 0) {
        if (length == 6) {
            daysBack = 1;
            return true;
        }
        // "YESTER0" means yesterday too; "YESTERn" goes n+1 days back.
        if (upper[6] >= '0' && upper[6] <= '7') {
            daysBack = upper[6] - '0' + 1;
            return true;
        }
    }
    return false;
}

}  // namespace kalcore
