// The calendar core against std::chrono, day by day over every year a date
// text holds (1-9999) and over whole centuries beyond them either way.
#include "civil/civil_date.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>

namespace kalcore {
namespace {

namespace chr = std::chrono;

chr::year_month_day Ymd(const CivilDate& d) {
    return chr::year{d.year} / chr::month{static_cast<unsigned>(d.month)} /
           chr::day{static_cast<unsigned>(d.day)};
}

CivilDate FromYmd(const chr::year_month_day& ymd) {
    return CivilDate{int(ymd.year()), static_cast<int>(unsigned(ymd.month())),
                     static_cast<int>(unsigned(ymd.day()))};
}

std::int64_t ChronoDays(const CivilDate& d) {
    return chr::sys_days{Ymd(d)}.time_since_epoch().count();
}

// The whole calendar, computed at compile time where the library needs it.
static_assert(DaysFromEpoch(CivilDate{1970, 1, 1}) == 0);
static_assert(DateFromEpoch(-1) == CivilDate{1969, 12, 31});
static_assert(SerialDay(CivilDate{2000, 2, 29}) == 730559);
static_assert(NthWeekdayOfMonth(2026, 11, Weekday::kThursday, 4) == 26);
static_assert(DayOfYear(CivilDate{2024, 12, 31}) == 366);

// Every day of the years 1-9999: day numbers, the date back from them, the
// serial numbers, weekday, day of the year, month lengths and validity.
TEST(CivilDateTest, EveryDayOfTheYearsADateTextHolds) {
    std::int64_t expectedDays = ChronoDays(CivilDate{1, 1, 1});
    std::int32_t expectedSerial = static_cast<std::int32_t>(kFirstSerial);
    for (int year = 1; year <= 9999; ++year) {
        ASSERT_EQ(IsLeapYear(year), chr::year{year}.is_leap()) << year;
        ASSERT_EQ(DaysInYear(year), chr::year{year}.is_leap() ? 366 : 365) << year;
        int dayOfYear = 0;
        for (int month = 1; month <= 12; ++month) {
            const unsigned last = unsigned(
                chr::year_month_day_last{chr::year{year} / chr::month{unsigned(month)} / chr::last}
                    .day());
            ASSERT_EQ(DaysInMonth(year, month), static_cast<int>(last)) << year << "-" << month;
            ASSERT_FALSE(IsValidDate(CivilDate{year, month, 0}));
            ASSERT_FALSE(IsValidDate(CivilDate{year, month, static_cast<int>(last) + 1}));
            for (int day = 1; day <= static_cast<int>(last); ++day) {
                const CivilDate date{year, month, day};
                ++dayOfYear;
                ASSERT_TRUE(IsValidDate(date));
                ASSERT_EQ(DaysFromEpoch(date), expectedDays) << year << "-" << month << "-" << day;
                ASSERT_EQ(DateFromEpoch(expectedDays), date);
                ASSERT_EQ(SerialDay(date), expectedSerial);
                CivilDate back{};
                ASSERT_TRUE(DateOfSerial(expectedSerial, back));
                ASSERT_EQ(back, date);
                const chr::weekday weekday{chr::sys_days{chr::days{expectedDays}}};
                ASSERT_EQ(static_cast<int>(WeekdayOf(date)),
                          static_cast<int>(weekday.c_encoding()) + 1);
                ASSERT_EQ(WeekdayOfSerial(expectedSerial), WeekdayOf(date));
                ASSERT_EQ(DayOfYear(date), dayOfYear);
                ASSERT_EQ(DateOfDayOfYear(year, dayOfYear), date);
                ++expectedDays;
                ++expectedSerial;
            }
        }
    }
    EXPECT_EQ(expectedSerial - 1, kLastSerial);
}

// The 32-bit path of DateFromEpoch against the one by eras: every day from
// the year 0 to 9999, and the days around the end of the 32-bit range, where
// 4n + 3 comes closest to overflowing, and past it.
TEST(CivilDateTest, ThirtyTwoBitPathGivesTheDatesOfTheEras) {
    using civil_detail::DateFromEpochByEras;
    const std::int64_t first = DaysFromEpoch(CivilDate{0, 1, 1});
    const std::int64_t last = DaysFromEpoch(CivilDate{9999, 12, 31});
    for (std::int64_t days = first; days <= last; ++days)
        ASSERT_EQ(DateFromEpoch(days), DateFromEpochByEras(days)) << days;
    const std::int64_t end =
        std::int64_t{civil_detail::kMarchDaysLimit} - civil_detail::kMarchOfYear0;
    for (std::int64_t days = end - 200000; days <= end + 1000; ++days)
        ASSERT_EQ(DateFromEpoch(days), DateFromEpochByEras(days)) << days;
}

// Outside the years 1-9999 (the time-zone rules reach some thousand years
// either way) the day numbers and weekdays still follow the proleptic
// Gregorian calendar; the serial numbers stop.
TEST(CivilDateTest, CenturiesBeyondTheDateTexts) {
    for (int year : {-32000, -12700, -401, -400, -100, -1, 0, 10000, 12700, 32000}) {
        for (int day = 0; day < 36525; day += 7) {
            const chr::year_month_day ymd{chr::sys_days{chr::year{year} / 1 / 1} + chr::days{day}};
            const CivilDate date = FromYmd(ymd);
            const std::int64_t days = chr::sys_days{ymd}.time_since_epoch().count();
            ASSERT_EQ(DaysFromEpoch(date), days) << year << " + " << day;
            ASSERT_EQ(DateFromEpoch(days), date);
            ASSERT_EQ(static_cast<int>(WeekdayOf(date)),
                      static_cast<int>(chr::weekday{chr::sys_days{ymd}}.c_encoding()) + 1);
            ASSERT_EQ(IsLeapYear(date.year), chr::year{date.year}.is_leap());
        }
    }
    CivilDate untouched{7, 7, 7};
    for (std::int64_t serial : {kFirstSerial - 1, kLastSerial + 1, std::int64_t{0},
                                std::int64_t{INT32_MIN}, std::int64_t{INT64_MAX / 4}}) {
        EXPECT_FALSE(DateOfSerial(serial, untouched)) << serial;
        EXPECT_EQ(untouched, (CivilDate{7, 7, 7}));
    }
}

// The n-th weekday of every month 1583-2600, against chrono's indexed and
// last weekdays: n = 5 is the last one, also where the month has only four.
TEST(CivilDateTest, NthAndLastWeekdayOfEveryMonth) {
    for (int year = 1583; year <= 2600; ++year)
        for (unsigned month = 1; month <= 12; ++month)
            for (unsigned w = 0; w < 7; ++w) {
                const chr::weekday weekday{w};
                const auto ym = chr::year{year} / chr::month{month};
                const Weekday ours = static_cast<Weekday>(w + 1);
                for (unsigned n = 1; n <= 4; ++n) {
                    const chr::year_month_day ymd{chr::sys_days{ym / weekday[n]}};
                    ASSERT_EQ(NthWeekdayOfMonth(year, static_cast<int>(month), ours, n),
                              static_cast<int>(unsigned(ymd.day())))
                        << year << "-" << month << " weekday " << w << " #" << n;
                }
                const chr::year_month_day last{chr::sys_days{ym / weekday[chr::last]}};
                ASSERT_EQ(NthWeekdayOfMonth(year, static_cast<int>(month), ours, 5),
                          static_cast<int>(unsigned(last.day())));
            }
}

// Moving by days agrees with chrono's day arithmetic and stops at the years
// 1-9999; moving by years keeps month and day, 29 February becoming 28
// February in a common year.
TEST(CivilDateTest, AddDaysAndYears) {
    const CivilDate starts[] = {{1, 1, 1},     {1600, 2, 29}, {1900, 2, 28},  {1999, 12, 31},
                                {2000, 2, 29}, {2024, 2, 29}, {9999, 12, 31}, {5000, 7, 15}};
    const std::int64_t shifts[] = {0,        1,         -1,        28,           -365,
                                   146097,   -146097,   3652058,   -3652058,     3652059,
                                   -3652059, INT32_MAX, INT32_MIN, INT64_MAX / 4};
    for (const CivilDate& start : starts) {
        for (std::int64_t shift : shifts) {
            const std::int64_t target = ChronoDays(start) + shift;
            const bool inRange =
                target >= ChronoDays({1, 1, 1}) && target <= ChronoDays({9999, 12, 31});
            CivilDate moved{0, 0, 0};
            ASSERT_EQ(AddDays(start, shift, moved), inRange) << start.year << " " << shift;
            if (inRange) {
                ASSERT_EQ(moved, FromYmd(chr::year_month_day{chr::sys_days{chr::days{target}}}));
            } else {
                ASSERT_EQ(moved, (CivilDate{0, 0, 0}));
            }
        }
        for (int years : {0, 1, -1, 3, 4, 100, -100, 400, 8000, -8000, 9998, -9998}) {
            const chr::year_month_day ymd = Ymd(start) + chr::years{years};
            const bool inRange = int(ymd.year()) >= 1 && int(ymd.year()) <= 9999;
            CivilDate moved{0, 0, 0};
            ASSERT_EQ(AddYears(start, years, moved), inRange) << start.year << " " << years;
            if (!inRange) continue;
            // chrono leaves 29 February of a common year invalid; the
            // library takes the month's last day.
            const CivilDate expected = ymd.ok()
                                           ? FromYmd(ymd)
                                           : FromYmd(chr::year_month_day{chr::year_month_day_last{
                                                 ymd.year(), chr::month_day_last{ymd.month()}}});
            ASSERT_EQ(moved, expected) << start.year << " " << years;
        }
    }
}

TEST(CivilDateTest, FloorDivisionAndRemainder) {
    struct Row {
        std::int64_t a, b, quotient, remainder;
    } const rows[] = {
        {7, 2, 3, 1},       {-7, 2, -4, 1},           {7, -2, -4, -1}, {-7, -2, 3, -1},
        {6, 3, 2, 0},       {-6, 3, -2, 0},           {0, 5, 0, 0},    {-1, 400, -1, 399},
        {-400, 400, -1, 0}, {-146097, 146097, -1, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FloorDiv(r.a, r.b), r.quotient) << r.a << " / " << r.b;
        EXPECT_EQ(FloorMod(r.a, r.b), r.remainder) << r.a << " % " << r.b;
    }
}

}  // namespace
}  // namespace kalcore
