// Speed of the date reader and writer through the exported functions, and of
// glibc strptime + strftime doing the same conversions as the baseline.
#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>

#include "kalcore.h"

namespace {

struct Conversion {
    const char* input;
    const char* code;         // kalcore output code
    const char* parseLayout;  // strptime layout of the input, nullptr when it has none
    const char* printLayout;  // strftime layout of the output
};

// Inputs that both sides can read, with two-digit years in the 1900s (the
// selector 4 of kalcore, strptime's %y for 69-99).
constexpr Conversion kShared[] = {
    {"12/31/1998", "E", "%m/%d/%Y", "%Y%m%d"},    {"1998-12-31", "K", "%Y-%m-%d", "%b/%d/%Y"},
    {"31-Dec-1998", "B", "%d-%b-%Y", "%m/%d/%Y"}, {"Dec/31/1998", "G", "%b/%d/%Y", "%Y-%m-%d"},
    {"19981231", "7", "%Y%m%d", "%d-%b-%Y"},      {"12-31-98", "A", "%m-%d-%y", "%m-%d-%Y"},
    {"98.12.31", "9", "%y.%m.%d", "%d%b%Y"},      {"1998/Dec/31", "D", "%Y/%b/%d", "%m%d%Y"},
    {"1998/31/12", "O", "%Y/%d/%m", "%Y/%m/%d"},  {"7Sep1999", "B", "%d%b%Y", "%m/%d/%Y"},
    {"1/2/2003", "{", "%m/%d/%Y", "%-d/%-m/%Y"},  {"Jan-5-03", "@", "%b-%d-%y", "%-m-%-d-%Y"},
};
constexpr std::size_t kSharedCount = sizeof kShared / sizeof kShared[0];

// The full mix: basic codes, recognised families, further forms, keywords.
constexpr Conversion kMix[] = {
    {"12/31/98", "B", nullptr, nullptr},  {"1998-12-31", "K", nullptr, nullptr},
    {"31/Dec/98", "6", nullptr, nullptr}, {"Dec/31/1998", "E", nullptr, nullptr},
    {"7Sep99", "$", nullptr, nullptr},    {"1995/25/12", "@", nullptr, nullptr},
    {"19981231", "{", nullptr, nullptr},  {"98.12.31", "7", nullptr, nullptr},
    {"TODAY", "K", nullptr, nullptr},     {"now", "G", nullptr, nullptr},
    {"1998Jul04", "+", nullptr, nullptr}, {"Sep-7-1999", "U", nullptr, nullptr},
    {"12311998", "T", nullptr, nullptr},  {"04-Jul-98", "X", nullptr, nullptr},
    {"1/02/98", "R", nullptr, nullptr},   {"1998/25/Dec", "=", nullptr, nullptr},
};
constexpr std::size_t kMixCount = sizeof kMix / sizeof kMix[0];

void BM_KalcoreShared(benchmark::State& state) {
    char out[12];
    std::size_t i = 0;
    for (auto _ : state) {
        const Conversion& c = kShared[i];
        benchmark::DoNotOptimize(KD_CONVDATE(c.input, out, c.code, 0, 4));
        benchmark::DoNotOptimize(out);
        if (++i == kSharedCount) i = 0;
    }
}
BENCHMARK(BM_KalcoreShared);

void BM_StrptimeStrftimeShared(benchmark::State& state) {
    char out[32];
    std::size_t i = 0;
    for (auto _ : state) {
        const Conversion& c = kShared[i];
        std::tm tm{};
        const char* end = strptime(c.input, c.parseLayout, &tm);
        benchmark::DoNotOptimize(end);
        benchmark::DoNotOptimize(std::strftime(out, sizeof out, c.printLayout, &tm));
        benchmark::DoNotOptimize(out);
        if (++i == kSharedCount) i = 0;
    }
}
BENCHMARK(BM_StrptimeStrftimeShared);

void BM_KalcoreMix(benchmark::State& state) {
    char out[12];
    std::size_t i = 0;
    for (auto _ : state) {
        const Conversion& c = kMix[i];
        benchmark::DoNotOptimize(KD_CONVDATE(c.input, out, c.code, 0, static_cast<int>(i % 10)));
        benchmark::DoNotOptimize(out);
        if (++i == kMixCount) i = 0;
    }
}
BENCHMARK(BM_KalcoreMix);

void BM_KalcoreKeyword(benchmark::State& state) {
    char out[12];
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_CONVDATE("TODAY", out, "K", 0, 0));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_KalcoreKeyword);

void BM_IsvDate(benchmark::State& state) {
    char date[12];
    std::size_t i = 0;
    for (auto _ : state) {
        std::memset(date, 0, sizeof date);
        std::strncpy(date, kMix[i].input, 11);
        benchmark::DoNotOptimize(KD_ISVDATE(date));
        benchmark::DoNotOptimize(date);
        if (++i == kMixCount) i = 0;
    }
}
BENCHMARK(BM_IsvDate);

// Calendar exports, each against one KD_CONVDATE call on dates of the same
// forms: the baseline for "one date read".
constexpr const char* kDates[] = {"12/31/1998", "1998-07-04", "Mar/01/2000", "7Sep1999",
                                  "01/15/2000", "02/29/1996", "2026-12-06",  "10/01/2000"};
constexpr std::size_t kDateCount = sizeof kDates / sizeof kDates[0];

void BM_ConvDateBaseline(benchmark::State& state) {
    char out[12];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_CONVDATE(kDates[i], out, "B", 0, 0));
        benchmark::DoNotOptimize(out);
        if (++i == kDateCount) i = 0;
    }
}
BENCHMARK(BM_ConvDateBaseline);

void BM_CountDays(benchmark::State& state) {
    int32_t days;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_CMPTENUMDAYS(kDates[i], kDates[(i + 3) % kDateCount], &days));
        benchmark::DoNotOptimize(days);
        if (++i == kDateCount) i = 0;
    }
}
BENCHMARK(BM_CountDays);

void BM_Between(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            KD_BETWEEN(kDates[i], kDates[(i + 3) % kDateCount], kDates[(i + 5) % kDateCount]));
        if (++i == kDateCount) i = 0;
    }
}
BENCHMARK(BM_Between);

void BM_AddDays(benchmark::State& state) {
    char out[12];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_CMPTEADATE(static_cast<int32_t>(i * 97) - 300, kDates[i], out));
        benchmark::DoNotOptimize(out);
        if (++i == kDateCount) i = 0;
    }
}
BENCHMARK(BM_AddDays);

void BM_DayOfWeek(benchmark::State& state) {
    int32_t day;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_NDOW(kDates[i], &day));
        benchmark::DoNotOptimize(day);
        if (++i == kDateCount) i = 0;
    }
}
BENCHMARK(BM_DayOfWeek);

void BM_JulianDate(benchmark::State& state) {
    char out[8];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_JULIANDATE(kDates[i], out));
        benchmark::DoNotOptimize(out);
        if (++i == kDateCount) i = 0;
    }
}
BENCHMARK(BM_JulianDate);

void BM_DateLapse30Years(benchmark::State& state) {
    constexpr const char* kStarts[] = {"09/24/1990", "01/15/1970", "12/15/1998", "04/10/1985"};
    constexpr const char* kEnds[] = {"03/31/2020", "03/10/2000", "01/14/2028", "02/12/2015"};
    int32_t y, m, w, d, r;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_DATELAPSE(kStarts[i], kEnds[i], &y, &m, &w, &d, &r));
        benchmark::DoNotOptimize(y);
        if (++i == 4) i = 0;
    }
}
BENCHMARK(BM_DateLapse30Years);

}  // namespace

BENCHMARK_MAIN();
