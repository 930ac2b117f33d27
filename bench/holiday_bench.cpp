// Working days and the holiday test against one KD_CMPTEADATE call. The
// holiday file is the one start-up builds for the current year (bench.sh
// points the data directory at a scratch directory).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

#include "kalcore.h"

namespace {

// 2 January of the current year: the 250 working days after it stay within
// the year whose holidays start-up built.
struct StartDate {
    char text[12];
    StartDate() {
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        std::snprintf(text, sizeof text, "01/02/%04d", tm.tm_year + 1900);
    }
};
const StartDate kStart;

void BM_WorkdayBaselineAddDays(benchmark::State& state) {
    char out[12];
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_CMPTEADATE(250, kStart.text, out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_WorkdayBaselineAddDays);

// The yardstick of the holiday test: one day count between two dates, which
// touches no file.
void BM_HolidayBaselineDayCount(benchmark::State& state) {
    int32_t days;
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_CMPTENUMDAYS(kStart.text, "12/31/2030", &days));
        benchmark::DoNotOptimize(days);
    }
}
BENCHMARK(BM_HolidayBaselineDayCount);

void BM_IsTodayAHoliday(benchmark::State& state) {
    int32_t isHoliday, dayOff;
    char name[29];
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_ISTODAYAHOLDY(kStart.text, &isHoliday, name, &dayOff));
        benchmark::DoNotOptimize(name);
    }
}
BENCHMARK(BM_IsTodayAHoliday);

void BM_NextWorkDay250(benchmark::State& state) {
    const int32_t useHolidays = static_cast<int32_t>(state.range(0));
    const int32_t count = 250;
    char out[12];
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_NXTWRKDAY(kStart.text, out, &count, useHolidays));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_NextWorkDay250)->ArgName("holidays")->Arg(0)->Arg(1);

}  // namespace
