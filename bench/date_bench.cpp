// Speed of the date reader and writer through the exported functions, and of
// glibc strptime + strftime doing the same conversions as the baseline.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "kalcore.h"
#include "kalcore/dates.h"

namespace {

struct Conversion {
    const char* input;
    const char* code;         // kalcore output code
    const char* parseLayout;  // strptime layout of the input, nullptr when it has none
    const char* printLayout;  // strftime layout of the output
};

// Every input layout that strptime can express, the 40 codes in catalogue
// order and then the eleven further forms, each written in an output code
// that strftime can express; together they use all 48 output codes. Two-digit
// years lie in 1969-1999, where kalcore's selector 4 and strptime's %y agree.
// glibc's "%-d" and "%-m" write a one-digit field where the value allows, as
// the substitutions of the one-digit codes do.
constexpr Conversion kShared[] = {
    {"123198", "E", "%m%d%y", "%Y%m%d"},
    {"981130", "K", "%y%m%d", "%b/%d/%Y"},
    {"10/29/97", "7", "%m/%d/%y", "%d-%b-%Y"},
    {"97/09/28", "G", "%y/%m/%d", "%Y-%m-%d"},
    {"96.08.27", "D", "%y.%m.%d", "%m%d%Y"},
    {"26-Jul-95", "B", "%d-%b-%y", "%m/%d/%Y"},
    {"25-Jun-1994", "9", "%d-%b-%Y", "%d%b%Y"},
    {"24May93", "A", "%d%b%y", "%m-%d-%Y"},
    {"23Apr1992", "O", "%d%b%Y", "%Y/%m/%d"},
    {"03-22-1991", "F", "%m-%d-%Y", "%Y-%b-%d"},
    {"02/21/1990", "H", "%m/%d/%Y", "%d/%b/%Y"},
    {"01-20-89", "J", "%m-%d-%y", "%Y/%b/%d"},
    {"12191988", "M", "%m%d%Y", "%b-%d-%Y"},
    {"19871118", "P", "%Y%m%d", "%Y/%d/%m"},
    {"1986-Oct-17", "Q", "%Y-%b-%d", "%Y-%d-%m"},
    {"1985-09-16", "R", "%Y-%m-%d", "%Y/%d/%b"},
    {"15/Aug/1984", "S", "%d/%b/%Y", "%Y-%d-%b"},
    {"14/Jul/83", "T", "%d/%b/%y", "%Y%b%d"},
    {"1982/Jun/13", "U", "%Y/%b/%d", "%m-%-d-%Y"},
    {"May/12/1981", "V", "%b/%d/%Y", "%m/%-d/%Y"},
    {"Apr/11/80", "W", "%b/%d/%y", "%-m-%d-%Y"},
    {"Mar-10-1979", "X", "%b-%d-%Y", "%-m/%d/%Y"},
    {"Feb-09-78", "Y", "%b-%d-%y", "%-d-%b-%Y"},
    {"1977/01/08", "Z", "%Y/%m/%d", "%-d/%b/%Y"},
    {"1976/29/02", "*", "%Y/%d/%m", "%b-%-d-%Y"},
    {"1975-30-11", "#", "%Y-%d-%m", "%b/%-d/%Y"},
    {"1974/31/Oct", "@", "%Y/%d/%b", "%-m-%-d-%Y"},
    {"1973-13-Sep", "&", "%Y-%d-%b", "%-m/%-d/%Y"},
    {"1972Aug14", "$", "%Y%b%d", "%-d%b%Y"},
    {"07-5-1971", "[", "%m-%d-%Y", "%d/%m/%Y"},
    {"06/6/1970", "]", "%m/%d/%Y", "%d/%-m/%Y"},
    {"5-17-1969", "{", "%m-%d-%Y", "%-d/%-m/%Y"},
    {"4/18/1999", "}", "%m/%d/%Y", "%-d/%m/%Y"},
    {"3-Mar-1998", "<", "%d-%b-%Y", "%d-%m-%Y"},
    {"2/Feb/1997", ">", "%d/%b/%Y", "%d-%-m-%Y"},
    {"Jan-1-1996", "+", "%b-%d-%Y", "%-d-%-m-%Y"},
    {"Dec/9/1995", "=", "%b/%d/%Y", "%-d-%m-%Y"},
    {"8-8-1994", "1", "%m-%d-%Y", "%m%d%y"},
    {"9/7/1993", "2", "%m/%d/%Y", "%y%m%d"},
    {"6Nov1992", "3", "%d%b%Y", "%m/%d/%y"},
    {"5-4-91", "4", "%m-%d-%y", "%y/%m/%d"},
    {"4/3/90", "5", "%m/%d/%y", "%y.%m.%d"},
    {"3-25-89", "6", "%m-%d-%y", "%d-%b-%y  "},
    {"2/26/88", "8", "%m/%d/%y", "%d%b%y"},
    {"12-1-87", "C", "%m-%d-%y", "%m-%d-%y"},
    {"11/2/86", "I", "%m/%d/%y", "%d/%b/%y"},
    {"9-Oct-85", "L", "%d-%b-%y", "%b/%d/%y"},
    {"8/Sep/84", "N", "%d/%b/%y", "%b-%d-%y"},
    {"7Aug83", "G", "%d%b%y", "%Y-%m-%d"},
    {"Jul-6-82", "E", "%b-%d-%y", "%Y%m%d"},
    {"Jun/5/81", "B", "%b/%d/%y", "%m/%d/%Y"},
};
constexpr std::size_t kSharedCount = sizeof kShared / sizeof kShared[0];
static_assert(kSharedCount == 51, "40 codes and 11 further forms");

// The kal_ interface reads the set's two-digit years as strptime's %y does:
// in a window from 1969.
kal_options WindowOf1969() {
    kal_options o = KAL_OPTIONS_INIT;
    o.window_start = 1969;
    return o;
}
const kal_options kWindow1969 = WindowOf1969();

// One text read with kal_parse and written with kal_format; false for no date.
bool ParseAndFormat(const char* input, std::size_t length, char code, char (&out)[12]) {
    kal_date d;
    return kal_parse(input, length, &kWindow1969, &d) == KAL_OK &&
           kal_format(d.year, d.month, d.day, code, out, sizeof out, nullptr) == KAL_OK;
}

// The set is only a fair baseline when both sides write the same text: the
// benchmarks refuse to run otherwise.
bool SameResults() {
    bool same = true;
    for (const Conversion& c : kShared) {
        char modern[12];
        if (!ParseAndFormat(c.input, std::strlen(c.input), c.code[0], modern)) {
            std::fprintf(stderr, "%s as %s: kal_parse + kal_format fail\n", c.input, c.code);
            same = false;
        }
        char ours[12], theirs[32];
        std::tm tm{};
        const char* end = strptime(c.input, c.parseLayout, &tm);
        const bool read = end != nullptr && *end == '\0';
        const std::size_t n = read ? std::strftime(theirs, sizeof theirs, c.printLayout, &tm) : 0;
        theirs[n] = '\0';
        if (KD_CONVDATE(c.input, ours, c.code, 0, 4) != 1 || !read ||
            std::strcmp(ours, theirs) != 0) {
            std::fprintf(stderr, "%s as %s: kalcore \"%s\", strptime+strftime \"%s\"\n", c.input,
                         c.code, ours, theirs);
            same = false;
        }
    }
    return same;
}

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

// One conversion of the shared set at a time: "Layout/<n>/<input>/..." for
// kalcore and for strptime + strftime.
void BM_KalcoreLayout(benchmark::State& state, const Conversion& c) {
    char out[12];
    for (auto _ : state) {
        benchmark::DoNotOptimize(KD_CONVDATE(c.input, out, c.code, 0, 4));
        benchmark::DoNotOptimize(out);
    }
}

// The same through the kal_ interface, one text a call.
void BM_ModernLayout(benchmark::State& state, const Conversion& c) {
    char out[12];
    const std::size_t length = std::strlen(c.input);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseAndFormat(c.input, length, c.code[0], out));
        benchmark::DoNotOptimize(out);
    }
}

// The same as a column of 1024 copies read by kal_parse_many and written by
// kal_format_many; the time is per text.
void BM_ModernColumnLayout(benchmark::State& state, const Conversion& c) {
    constexpr std::size_t kColumn = 1024;
    const std::vector<const char*> texts(kColumn, c.input);
    const std::vector<std::size_t> lengths(kColumn, std::strlen(c.input));
    std::vector<int64_t> days(kColumn);
    std::vector<char> out(kColumn * 11);
    for (auto _ : state) {
        benchmark::DoNotOptimize(kal_parse_many(texts.data(), lengths.data(), kColumn, &kWindow1969,
                                                days.data(), nullptr));
        benchmark::DoNotOptimize(
            kal_format_many(days.data(), kColumn, c.code[0], out.data(), 1, 11, 11));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kColumn));
}

// The writing half of that alone: the column's 1024 days (all the date of
// the text) written by kal_format_many into the same block; per text.
void BM_ModernFormatColumn(benchmark::State& state, const Conversion& c) {
    constexpr std::size_t kColumn = 1024;
    kal_date d;
    if (kal_parse(c.input, std::strlen(c.input), &kWindow1969, &d) != KAL_OK) {
        state.SkipWithError("the text is no date");
        return;
    }
    const std::vector<int64_t> days(kColumn, d.days);
    std::vector<char> out(kColumn * 11);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            kal_format_many(days.data(), kColumn, c.code[0], out.data(), 1, 11, 11));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kColumn));
}

void BM_StrptimeStrftimeLayout(benchmark::State& state, const Conversion& c) {
    char out[32];
    for (auto _ : state) {
        std::tm tm{};
        const char* end = strptime(c.input, c.parseLayout, &tm);
        benchmark::DoNotOptimize(end);
        benchmark::DoNotOptimize(std::strftime(out, sizeof out, c.printLayout, &tm));
        benchmark::DoNotOptimize(out);
    }
}

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

int main(int argc, char** argv) {
    if (!SameResults()) return 1;
    for (std::size_t i = 0; i < kSharedCount; ++i) {
        const Conversion& c = kShared[i];
        char name[64];
        std::snprintf(name, sizeof name, "Layout/%02zu/%s/%s/kalcore", i + 1, c.input, c.code);
        benchmark::RegisterBenchmark(name, BM_KalcoreLayout, c)->MinTime(0.05);
        std::snprintf(name, sizeof name, "Layout/%02zu/%s/%s/strptime", i + 1, c.input, c.code);
        benchmark::RegisterBenchmark(name, BM_StrptimeStrftimeLayout, c)->MinTime(0.05);
        std::snprintf(name, sizeof name, "Layout/%02zu/%s/%s/kal", i + 1, c.input, c.code);
        benchmark::RegisterBenchmark(name, BM_ModernLayout, c)->MinTime(0.05);
        std::snprintf(name, sizeof name, "Layout/%02zu/%s/%s/kalcolumn", i + 1, c.input, c.code);
        benchmark::RegisterBenchmark(name, BM_ModernColumnLayout, c)->MinTime(0.05);
        std::snprintf(name, sizeof name, "Layout/%02zu/%s/%s/kalformat", i + 1, c.input, c.code);
        benchmark::RegisterBenchmark(name, BM_ModernFormatColumn, c)->MinTime(0.05);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
