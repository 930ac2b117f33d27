#include "calendar/differences.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>

#include "kalcore.h"

namespace kalcore {
namespace {

namespace chr = std::chrono;

TEST(CountDaysTest, Table) {
    struct Case {
        const char* first;
        const char* second;
        int32_t result;
        int32_t days;
    };
    const Case cases[] = {
        {"01/01/1999", "01/01/2000", 1, 365}, {"01/01/2000", "01/01/1999", 1, -365},
        {"01/01/2000", "01/01/2001", 1, 366}, {"07/04/1998", "07/04/1998", 1, 0},
        {"12/31/1900", "01/01/1901", 1, 1},   {"01/01/1900", "01/01/1901", 1, 365},
        {"Dec/31/98", "2099-01-01", 1, 1},    {"02/30/1998", "01/01/2000", 0, 0},
        {"01/01/2000", "13/45/1998", 0, 0},   {"", "", 0, 0},
        {"02/29/1900", "03/01/1900", 0, 0},   {"02/28/1900", "03/01/1900", 1, 1},
        {"02/28/2100", "02/29/2100", 0, 0},   {"02/28/2000", "03/01/2000", 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " " + c.second);
        int32_t days = 12345;
        EXPECT_EQ(KD_CMPTENUMDAYS(c.first, c.second, &days), c.result);
        EXPECT_EQ(days, c.days);
    }
    int32_t days = 0;
    EXPECT_EQ(KD_CMPTENUMDAYS(nullptr, "01/01/2000", &days), 0);
    EXPECT_EQ(KD_CMPTENUMDAYS("01/01/2000", nullptr, &days), 0);
    EXPECT_EQ(KD_CMPTENUMDAYS("01/01/2000", "01/01/2000", nullptr), 0);
}

TEST(AddDaysTest, Table) {
    struct Case {
        int32_t days;
        const char* date;
        int16_t result;
        const char* moved;
    };
    const Case cases[] = {
        {1, "12/31/1999", 1, "01/01/2000"},
        {0, "12/31/1999", 1, "12/31/1999"},
        {-60, "03/01/2000", 1, "01/01/2000"},
        {-1, "03/01/2000", 1, "02/29/2000"},
        {1, "12/31/1900", 1, "01/01/1901"},
        {-1, "03/01/1900", 1, "02/28/1900"},
        {1, "Dec/31/9999", 0, ""},
        {-1, "01/01/1000", 0, ""},
        {INT32_MAX, "01/01/2000", 0, ""},
        {INT32_MIN, "01/01/2000", 0, ""},
        {5, "02/30/1998", 0, ""},
        {0, "02/29/1900", 0, ""},
        {0, "02/29/2000", 1, "02/29/2000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.days) + " " + c.date);
        char out[12] = "stale";
        EXPECT_EQ(KD_CMPTEADATE(c.days, c.date, out), c.result);
        EXPECT_STREQ(out, c.moved);
    }
    char out[12] = "stale";
    EXPECT_EQ(KD_CMPTEADATE(1, nullptr, out), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(KD_CMPTEADATE(1, "01/01/2000", nullptr), 0);
}

// Random date pairs across 1601-2499: the count agrees with an independent
// day count, and moving the first date by it gives the second.
TEST(DayCountProperty, AgreesWithChronoAndInvertsAddDays) {
    std::mt19937 rng(20261208);
    const int first = chr::sys_days{chr::year{1601} / 1 / 1}.time_since_epoch().count();
    const int last = chr::sys_days{chr::year{2499} / 12 / 31}.time_since_epoch().count();
    std::uniform_int_distribution<int> pick(first, last);
    auto text = [](int days, char(&out)[16]) {
        const chr::year_month_day ymd{chr::sys_days{chr::days{days}}};
        std::snprintf(out, sizeof out, "%02u/%02u/%04d", unsigned(ymd.month()), unsigned(ymd.day()),
                      int(ymd.year()));
    };
    for (int i = 0; i < 20000; ++i) {
        const int a = pick(rng), b = pick(rng);
        char ta[16], tb[16], moved[12];
        text(a, ta);
        text(b, tb);
        int32_t days = 0;
        ASSERT_EQ(KD_CMPTENUMDAYS(ta, tb, &days), 1) << ta << " " << tb;
        ASSERT_EQ(days, b - a) << ta << " " << tb;
        ASSERT_EQ(KD_CMPTEADATE(days, ta, moved), 1);
        ASSERT_STREQ(moved, tb);
    }
}

}  // namespace
}  // namespace kalcore
