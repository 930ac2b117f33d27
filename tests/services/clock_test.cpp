// The clock reader and the date keywords.
#include "platform/clock.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "fixed_clock.h"
#include "format/date_reader.h"

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

using platform::ClockReading;
using platform::ReadClock;

struct Reading {
    int year, month, day, hour, minute, second;
};

void ExpectReading(const ClockReading& got, const Reading& want) {
    EXPECT_EQ(got.date, (CivilDate{want.year, want.month, want.day}));
    EXPECT_EQ(got.hour, want.hour);
    EXPECT_EQ(got.minute, want.minute);
    EXPECT_EQ(got.second, want.second);
}

TEST(ReadClockTest, FixedTimes) {
    const Reading rows[] = {
        {2026, 12, 6, 18, 40, 0}, {1999, 12, 31, 23, 59, 59}, {2000, 1, 1, 0, 0, 0},
        {2100, 2, 28, 9, 5, 7},   {2024, 2, 29, 12, 30, 45},  {1970, 1, 1, 0, 0, 0},
        {2009, 9, 9, 1, 2, 3},
    };
    for (const Reading& row : rows) {
        SCOPED_TRACE(std::to_string(row.year) + "-" + std::to_string(row.month) + "-" +
                     std::to_string(row.day));
        kalcore::testing::FixedClock clock(row.year, row.month, row.day, row.hour, row.minute,
                                           row.second);
        ExpectReading(ReadClock(), row);
    }
}

// The last second of a year and the first of the next give every field of
// its own year: nothing of the old reading lingers.
TEST(ReadClockTest, AcrossNewYear) {
    ClockReading before, after;
    {
        kalcore::testing::FixedClock clock(2026, 12, 31, 23, 59, 59);
        before = ReadClock();
    }
    {
        kalcore::testing::FixedClock clock(2027, 1, 1, 0, 0, 0);
        after = ReadClock();
    }
    ExpectReading(before, {2026, 12, 31, 23, 59, 59});
    ExpectReading(after, {2027, 1, 1, 0, 0, 0});

    {
        kalcore::testing::FixedClock clock(2099, 12, 31, 23, 59, 59);
        before = ReadClock();
    }
    {
        kalcore::testing::FixedClock clock(2100, 1, 1, 0, 0, 0);
        after = ReadClock();
    }
    ExpectReading(before, {2099, 12, 31, 23, 59, 59});
    ExpectReading(after, {2100, 1, 1, 0, 0, 0});
}

// A clock that has no time to give reads as 1 January 1970, midnight.
TEST(ReadClockTest, NoLocalTimeReadsAsTheEpoch) {
    platform::SetClockSourceForTesting([](std::tm&) { return false; });
    const ClockReading reading = ReadClock();
    platform::SetClockSourceForTesting(nullptr);
    ExpectReading(reading, {1970, 1, 1, 0, 0, 0});
}

// Without a fixed clock the reading is the machine's local time.
TEST(ReadClockTest, RealClockAgreesWithLocalTime) {
    ClockReading reading{};
    std::tm local{};
    // Read again should the two readings straddle a change of second.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::time_t start = std::time(nullptr);
        reading = ReadClock();
        ASSERT_NE(localtime_r(&start, &local), nullptr);
        if (std::time(nullptr) == start) break;
    }
    ExpectReading(reading, {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                            local.tm_min, local.tm_sec});
}

}  // namespace
}  // namespace kalcore
