// The clock reader and the date keywords.
#include "services/clock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <string>

#include "fixed_clock.h"

namespace kalcore {
namespace {

// Keywords match whole texts in any case. "YESTER0" is yesterday, not today.
TEST(MatchDateKeywordTest, Keywords) {
    struct Row {
        const char* text;
        int daysBack;
    };
    const Row rows[] = {
        {"today", -1},  {"TODAY", -1},  {"ToDaY", -1},  {"Now", -1},    {"NOW", -1},
        {"now", -1},    {"YESTER", 1},  {"yester", 1},  {"YESTER0", 1}, {"YESTER1", 2},
        {"YESTER2", 3}, {"yester3", 4}, {"YESTER3", 4}, {"YESTER4", 5}, {"YESTER5", 6},
        {"YESTER6", 7}, {"YESTER7", 8}, {"YeStEr7", 8},
    };
    for (const Row& row : rows) {
        int daysBack = 12345;
        EXPECT_TRUE(MatchDateKeyword(row.text, daysBack)) << row.text;
        EXPECT_EQ(daysBack, row.daysBack) << row.text;
    }
}

// Other words and numbers are no keywords, nor is a keyword with blanks
// around it or one that is longer than 11 characters; a text that is no
// keyword leaves the days back untouched.
TEST(MatchDateKeywordTest, NotKeywords) {
    const char* const words[] = {"YESTER8",   "YESTER9",   "YESTERX",  "YESTER-", "TOMORROW",
                                 "YESTERDAY", "YESTER00",  "YESTER10", "NO",      "NOT",
                                 "TOD",       "NOWX",      "TODAX",    "TODAYS",  "XESTER",
                                 "YESTE",     "12/31/1998"};
    const char* const blanksOrLong[] = {
        "", " TODAY", "TODAY ", "NOW  ", "NOW        X", "TODAYTODAYTODAY", "YESTER7YESTER7"};
    auto check = [](const char* text) {
        int daysBack = 12345;
        EXPECT_FALSE(MatchDateKeyword(text, daysBack)) << '"' << text << '"';
        EXPECT_EQ(daysBack, 12345) << '"' << text << '"';
    };
    for (const char* text : words) check(text);
    for (const char* text : blanksOrLong) check(text);
}

struct Reading {
    const char *month, *day, *century, *year, *hour, *minute, *second;
};

void ExpectReading(const ClockReading& got, const Reading& want) {
    EXPECT_STREQ(got.month, want.month);
    EXPECT_STREQ(got.day, want.day);
    EXPECT_STREQ(got.century, want.century);
    EXPECT_STREQ(got.year, want.year);
    EXPECT_STREQ(got.hour, want.hour);
    EXPECT_STREQ(got.minute, want.minute);
    EXPECT_STREQ(got.second, want.second);
}

TEST(ReadClockTest, FixedTimes) {
    struct Row {
        int year, month, day, hour, minute, second;
        Reading expected;
    };
    const Row rows[] = {
        {2026, 12, 6, 18, 40, 0, {"12", "06", "20", "26", "18", "40", "00"}},
        {1999, 12, 31, 23, 59, 59, {"12", "31", "19", "99", "23", "59", "59"}},
        {2000, 1, 1, 0, 0, 0, {"01", "01", "20", "00", "00", "00", "00"}},
        {2100, 2, 28, 9, 5, 7, {"02", "28", "21", "00", "09", "05", "07"}},
        {2024, 2, 29, 12, 30, 45, {"02", "29", "20", "24", "12", "30", "45"}},
        {1970, 1, 1, 0, 0, 0, {"01", "01", "19", "70", "00", "00", "00"}},
        {2009, 9, 9, 1, 2, 3, {"09", "09", "20", "09", "01", "02", "03"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.year) + "-" + std::to_string(row.month) + "-" +
                     std::to_string(row.day));
        kalcore::testing::FixedClock clock(row.year, row.month, row.day, row.hour, row.minute,
                                           row.second);
        ClockReading reading;
        ReadClock(reading);
        ExpectReading(reading, row.expected);
    }
}

// The last second of a year and the first of the next give every field of
// its own year: nothing of the old reading lingers.
TEST(ReadClockTest, AcrossNewYear) {
    ClockReading before, after;
    {
        kalcore::testing::FixedClock clock(2026, 12, 31, 23, 59, 59);
        ReadClock(before);
    }
    {
        kalcore::testing::FixedClock clock(2027, 1, 1, 0, 0, 0);
        ReadClock(after);
    }
    ExpectReading(before, {"12", "31", "20", "26", "23", "59", "59"});
    ExpectReading(after, {"01", "01", "20", "27", "00", "00", "00"});

    {
        kalcore::testing::FixedClock clock(2099, 12, 31, 23, 59, 59);
        ReadClock(before);
    }
    {
        kalcore::testing::FixedClock clock(2100, 1, 1, 0, 0, 0);
        ReadClock(after);
    }
    ExpectReading(before, {"12", "31", "20", "99", "23", "59", "59"});
    ExpectReading(after, {"01", "01", "21", "00", "00", "00", "00"});
}

// Without a fixed clock the reading is the machine's local time.
TEST(ReadClockTest, RealClockAgreesWithLocalTime) {
    ClockReading reading{};
    std::tm local{};
    // Read again should the two readings straddle a change of second.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t start = std::time(nullptr);
        ReadClock(reading);
        ASSERT_NE(localtime_r(&start, &local), nullptr);
        if (std::time(nullptr) == start) break;
    }
    char month[12], century[12], year[12], day[12];
    std::snprintf(month, sizeof month, "%02d", local.tm_mon + 1);
    std::snprintf(day, sizeof day, "%02d", local.tm_mday);
    std::snprintf(century, sizeof century, "%02d", (local.tm_year + 1900) / 100);
    std::snprintf(year, sizeof year, "%02d", (local.tm_year + 1900) % 100);
    EXPECT_STREQ(reading.month, month);
    EXPECT_STREQ(reading.day, day);
    EXPECT_STREQ(reading.century, century);
    EXPECT_STREQ(reading.year, year);
}

}  // namespace
}  // namespace kalcore
