// Counts every heap allocation of the process while dates are read and
// written: the date path must not allocate. The allocator is interposed here,
// so this test is not built together with AddressSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

#include "kalcore.h"
#include "kalcore/dates.h"
#include "scoped_tz.h"
#include "services/startup.h"
#include "temp_home.h"

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {
std::atomic<bool> g_counting{false};
std::atomic<long> g_allocations{0};

void Count() {
    if (g_counting.load(std::memory_order_relaxed))
        g_allocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

extern "C" {
void* malloc(std::size_t size) {
    Count();
    return __libc_malloc(size);
}
void* calloc(std::size_t n, std::size_t size) {
    Count();
    return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t size) {
    Count();
    return __libc_realloc(p, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
    Count();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    Count();
    *out = __libc_memalign(alignment, size);
    return *out ? 0 : 12;
}
void free(void* p) {
    __libc_free(p);
}
}

namespace {

TEST(NoHeap, ReadingAndWritingDatesAllocatesNothing) {
    const char* inputs[] = {"12/31/98",  "1998-12-31", "Dec/31/1998", "31/Dec/98",
                            "7Sep99",    "1995/25/12", "19981231",    "98.12.31",
                            "TODAY",     "now",        "1/2/2003",    "Jan-5-03",
                            "1998Jul04", "bogus",      "02/30/1998",  "yester3"};
    const char* codes[] = {"B", "K", "6", "@", "{", "$", "E"};
    char out[12];
    char date[12] = "12/31/98";
    // Warm up once: the first reading of the local time may load zone data.
    KD_CONVDATE("TODAY", out, "B", 0, 0);
    KD_ISVDATE(date);

    long calls = 0;
    g_allocations = 0;
    g_counting = true;
    for (int round = 0; round < 100; ++round)
        for (const char* input : inputs)
            for (const char* code : codes) {
                KD_CONVDATE(input, out, code, 0, round % 10);
                char copy[12] = {};
                __builtin_strncpy(copy, input, 11);
                KD_ISVDATE(copy);
                int32_t days = 0;
                KD_CMPTENUMDAYS(input, "01/01/2000", &days);
                KD_CMPTEADATE(round - 50, input, out);
                int32_t y, m, w, d, r;
                KD_DATELAPSE(input, "02/12/2002", &y, &m, &w, &d, &r);
                KD_BETWEEN("01/01/1990", input, "12/31/2099");
                KD_CDOW(input, out);
                KD_WEEKNO(input, &days);
                KD_JULIANDATE(input, out);
                KD_REVJULIANDATE("2000060", out);
                KD_CMONTH(input, out);
                KD_ISLEAPYR(input, &days);
                ++calls;
            }
    g_counting = false;
    EXPECT_GT(calls, 0);
    EXPECT_EQ(g_allocations.load(), 0);
}

// The kal_ interface, one text at a time and a column at a time, in 1- and
// 4-byte blocks, under every rule for two-digit years, keywords included.
TEST(NoHeap, DateColumnsAllocateNothing) {
    const char* texts[] = {"12/31/98", " 1998-12-31 ",    "Dec/31/1998", "31/Dec/98",
                           "7Sep99",   "1995/25/12",      "TODAY",       "yester3",
                           "bogus",    "12/31/1998 10:30"};
    constexpr std::size_t kCount = sizeof texts / sizeof texts[0];
    std::size_t lengths[kCount];
    unsigned char bytes[kCount * 16] = {};
    uint32_t wide[kCount * 16] = {};
    for (std::size_t i = 0; i < kCount; ++i) {
        lengths[i] = __builtin_strlen(texts[i]);
        for (std::size_t c = 0; c < lengths[i] && c < 16; ++c) {
            bytes[i * 16 + c] = static_cast<unsigned char>(texts[i][c]);
            wide[i * 16 + c] = static_cast<unsigned char>(texts[i][c]);
        }
    }
    kal_options options[4];
    for (kal_options& o : options) kal_options_init(&o);
    options[1].two_digit_years = KAL_YEARS_CENTURY;
    options[2].two_digit_years = KAL_YEARS_SELECTOR;
    options[3].two_digit_years = KAL_YEARS_SELECTOR;
    options[3].selector = 4;
    for (kal_options& o : options) o.flags = KAL_KEYWORDS;
    int64_t days[kCount];
    uint8_t layouts[kCount];
    char out[kCount * 12];
    kal_date date;
    kal_parse("TODAY", 5, &options[0], &date);  // the first reading of the local time

    long dates = 0;
    g_allocations = 0;
    g_counting = true;
    for (int round = 0; round < 100; ++round)
        for (const kal_options& o : options) {
            for (std::size_t i = 0; i < kCount; ++i)
                dates += kal_parse(texts[i], lengths[i], &o, &date) == KAL_OK;
            dates += kal_parse_many(texts, lengths, kCount, &o, days, layouts);
            dates += kal_parse_many_fixed(bytes, kCount, 1, 16, 16, &o, days, nullptr);
            dates += kal_parse_many_fixed(wide, kCount, 4, 16, 64, &o, days, layouts);
            kal_format_many(days, kCount, "B6@{"[round % 4], out, 1, 12, 12);
            size_t length;
            kal_format(2003, 5, 12, '@', out, sizeof out, &length);
        }
    g_counting = false;
    EXPECT_GT(dates, 0);
    EXPECT_EQ(g_allocations.load(), 0);
}

// With its files in place, the preferred format, the clock and the
// spelled-out dates allocate nothing either.
TEST(NoHeap, PreferredFormatClockAndSpelledOutDatesAllocateNothing) {
    kalcore::testing::TempHome home;
    kalcore::services::RunStartUp();
    ASSERT_EQ(KD_DTCVCREATEFILE("G"), 1);
    char out[12], text[44], time[9], amPm[3];
    KD_CONVDATE("TODAY", out, "B", 1, 0);

    long calls = 0;
    g_allocations = 0;
    g_counting = true;
    for (int round = 0; round < 200; ++round) {
        KD_CONVDATE("12/31/98", out, "B", 1, 0);
        KD_DATECNVFILE("");
        KD_DATEANDTIME(out, "K", time, amPm, round % 2, 1);
        KD_DATE(out, "B");
        KD_TIME(time, 0);
        int32_t n;
        KD_HOUR(&n, 1);
        KD_CHOUR(time, 0);
        KD_MINT(&n);
        KD_CSEC(time);
        KD_AFULLDATEFORMAT("07/04/1998", text, "K", 0, round % 2, 1, 0, 1);
        KD_AFULLDATEFORMAT("TODAY", text, "#", 0, 0, 0, 0, 0);
        int32_t inside, direction;
        KD_SLIDINGWINDOWPROC("06/15/1998", round - 100, "TODAY", &inside, &direction);
        ++calls;
    }
    g_counting = false;
    EXPECT_GT(calls, 0);
    EXPECT_EQ(g_allocations.load(), 0);
}

// Holiday lookups and working days read the holiday file into fixed
// buffers; the time zone is read from TZ or a zone file into the stack.
TEST(NoHeap, HolidaysWorkingDaysDaylightSavingAndEasterAllocateNothing) {
    kalcore::testing::TempHome home;
    kalcore::testing::ScopedTz tz("America/New_York");
    kalcore::services::RunStartUp();  // builds the current year's holidays
    char out[12], name[29], zone[75], begin[12], end[12], beginLabel[24], endLabel[24];
    int32_t isHoliday, dayOff, status, sameDay, month, day;
    KD_DAYLIGHTSAVINGSTIMES("2026", zone, &status, &sameDay, begin, end, beginLabel, endLabel);

    long calls = 0;
    g_allocations = 0;
    g_counting = true;
    for (int round = 0; round < 100; ++round) {
        const int32_t count = round * 3 - 50;
        KD_NXTWRKDAY("TODAY", out, &count, round % 2);
        KD_NXTWRKDAY("12/23/2026", out, &count, 1);
        KD_ISTODAYAHOLDY("TODAY", &isHoliday, name, &dayOff);
        KD_ISTODAYAHOLDY("12/25/2026", &isHoliday, name, &dayOff);
        KD_DAYLIGHTSAVINGSTIMES(round % 2 ? "2026" : "99", zone, &status, &sameDay, begin, end,
                                beginLabel, endLabel);
        KD_EASTERCALC(1583 + round, &month, &day);
        ++calls;
    }
    g_counting = false;
    EXPECT_GT(calls, 0);
    EXPECT_EQ(g_allocations.load(), 0);
}

}  // namespace
