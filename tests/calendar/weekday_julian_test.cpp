#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "calendar/weekday.h"
#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "format/names.h"
#include "kalcore.h"

namespace kalcore {
namespace {

namespace chr = std::chrono;

TEST(DayOfWeekExports, Table) {
    struct Case {
        const char* date;
        int16_t ok;
        const char* name;
        int32_t number;
        int32_t week;
    };
    const Case cases[] = {
        {"01/01/2000", 1, "Saturday", 7, 0},
        {"01/02/2000", 1, "Sunday", 1, 1},
        {"01/31/2000", 1, "Monday", 2, 5},
        {"10/01/2000", 1, "Sunday", 1, 1},
        {"12/31/1998", 1, "Thursday", 5, 4},
        {"02/29/2000", 1, "Tuesday", 3, 4},
        {"01/01/1900", 1, "Monday", 2, 0},
        {"Sep/30/2026", 1, "Wednesday", 4, 4},
        {"02/29/1999", 0, "", -1, -1},
        {"12/31/1998garbage", 0, "", -1, -1},
        {"", 0, "", -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        char name[kDayNameSize] = "stale";
        int32_t number = 99, week = 99;
        EXPECT_EQ(KD_CDOW(c.date, name), c.ok);
        EXPECT_STREQ(name, c.name);
        EXPECT_EQ(KD_NDOW(c.date, &number), c.ok);
        EXPECT_EQ(number, c.number);
        EXPECT_EQ(KD_WEEKNO(c.date, &week), c.ok);
        EXPECT_EQ(week, c.week);
    }
    EXPECT_EQ(KD_NDOW("01/01/2000", nullptr), 0);
    EXPECT_EQ(KD_CDOW("01/01/2000", nullptr), 0);
}

TEST(DayOfWeekExports, TodayUsesTheClock) {
    testing::FixedClock clock(2026, 12, 6, 18, 40);  // a Sunday
    char name[kDayNameSize];
    ASSERT_EQ(KD_CDOW("TODAY", name), 1);
    EXPECT_STREQ(name, "Sunday");
    int32_t week = 0;
    ASSERT_EQ(KD_WEEKNO("yester0", &week), 1);  // Saturday 5 December
    EXPECT_EQ(week, 0);
}

// Every day 1600-2499: the weekday against std::chrono, and the week of the
// month against a count of the month's Sundays.
TEST(DayOfWeekProperty, AgreesWithChrono) {
    for (int y = 1600; y <= 2499; ++y)
        for (unsigned m = 1; m <= 12; ++m) {
            int sundays = 0;
            const unsigned last =
                unsigned(chr::year_month_day_last{chr::year{y} / m / chr::last}.day());
            for (unsigned d = 1; d <= last; ++d) {
                const chr::weekday wd{chr::sys_days{chr::year{y} / m / d}};
                const int expected = static_cast<int>(wd.c_encoding()) + 1;
                const CivilDate date{y, int(m), int(d)};
                ASSERT_EQ(static_cast<int>(WeekdayOf(date)), expected) << y << '-' << m << '-' << d;
                if (expected == 1) ++sundays;
                ASSERT_EQ(WeekOfMonth(date), sundays) << y << '-' << m << '-' << d;
                if (y % 97 == 0) {  // the exports on a sample of years
                    char text[12];
                    std::snprintf(text, sizeof text, "%02u/%02u/%04d", m, d, y);
                    int32_t number = 0, week = 0;
                    ASSERT_EQ(KD_NDOW(text, &number), 1);
                    ASSERT_EQ(number, expected);
                    ASSERT_EQ(KD_WEEKNO(text, &week), 1);
                    ASSERT_EQ(week, sundays) << text;
                }
            }
        }
}

TEST(JulianExports, Table) {
    struct Case {
        const char* date;
        int32_t ok;
        const char* julian;
    };
    const Case toJulian[] = {
        {"12/31/1998", 1, "1998365"}, {"01/01/2000", 1, "2000001"}, {"02/29/2000", 1, "2000060"},
        {"12/31/2000", 1, "2000366"}, {"03/01/1999", 1, "1999060"}, {"02/29/1999", 0, ""},
    };
    for (const Case& c : toJulian) {
        SCOPED_TRACE(c.date);
        char julian[8] = "stale";
        EXPECT_EQ(KD_JULIANDATE(c.date, julian), c.ok);
        EXPECT_STREQ(julian, c.julian);
    }
    struct Back {
        const char* julian;
        int16_t ok;
        const char* date;
    };
    const Back toCalendar[] = {
        {"1998365", 1, "12-31-1998"},
        {"2000060", 1, "02-29-2000"},
        {"1999060", 1, "03-01-1999"},
        {"2000366", 1, "12-31-2000"},
        {"19983650", 1, "12-31-1998"},
        {"1999366", 0, ""},
        {"1998000", 0, ""},
        {"1998367", 0, ""},
        {"0998365", 0, ""},
        {"199836", 0, ""},
        {"1998A65", 0, ""},
        {"", 0, ""},
        {"1998-365", 0, ""},
    };
    for (const Back& c : toCalendar) {
        SCOPED_TRACE(c.julian);
        char date[12] = "stale";
        EXPECT_EQ(KD_REVJULIANDATE(c.julian, date), c.ok);
        EXPECT_STREQ(date, c.date);
    }
}

TEST(JulianProperty, RoundTripsEveryDayOfTheFourDigitYears) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pick(
        chr::sys_days{chr::year{1000} / 1 / 1}.time_since_epoch().count(),
        chr::sys_days{chr::year{9999} / 12 / 31}.time_since_epoch().count());
    for (int i = 0; i < 20000; ++i) {
        const chr::year_month_day ymd{chr::sys_days{chr::days{pick(rng)}}};
        char text[16], julian[8], back[12], expected[16];
        std::snprintf(text, sizeof text, "%02u/%02u/%04d", unsigned(ymd.month()),
                      unsigned(ymd.day()), int(ymd.year()));
        std::snprintf(expected, sizeof expected, "%02u-%02u-%04d", unsigned(ymd.month()),
                      unsigned(ymd.day()), int(ymd.year()));
        ASSERT_EQ(KD_JULIANDATE(text, julian), 1) << text;
        const int dayOfYear = (chr::sys_days{ymd} - chr::sys_days{ymd.year() / 1 / 1}).count() + 1;
        ASSERT_EQ(std::stoi(std::string(julian + 4)), dayOfYear) << text;
        ASSERT_EQ(KD_REVJULIANDATE(julian, back), 1) << julian;
        ASSERT_STREQ(back, expected);
    }
}

}  // namespace
}  // namespace kalcore
