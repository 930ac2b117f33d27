// Counts every heap allocation of the process while dates are read and
// written: the date path must not allocate. The allocator is interposed here,
// so this test is not built together with AddressSanitizer.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

#include "kalcore.h"
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

}  // namespace
