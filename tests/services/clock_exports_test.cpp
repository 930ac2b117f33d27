// The clock exports under a fixed clock: hour modes, two-digit texts, and the
// date in a format code.
#include <gtest/gtest.h>

#include <cstring>

#include "fixed_clock.h"
#include "kalcore.h"
#include "temp_home.h"

namespace {

using kalcore::testing::FixedClock;
using kalcore::testing::TempHome;

TEST(ClockExportsTest, HourModes) {
    struct Row {
        int hour, minute, second, mode;
        int32_t number;
        const char* text;
        const char* time;
    } const rows[] = {
        {18, 40, 0, 0, 6, "06", "06:40:00"},  {18, 40, 0, 1, 18, "18", "18:40:00"},
        {18, 40, 0, 2, 6, "06", "06:40:00"},  {0, 15, 7, 0, 0, "00", "00:15:07"},
        {0, 15, 7, 1, 0, "00", "00:15:07"},   {12, 30, 0, 0, 12, "12", "12:30:00"},
        {23, 5, 9, 0, 11, "11", "11:05:09"},  {23, 5, 9, 1, 23, "23", "23:05:09"},
        {13, 0, 59, -1, 1, "01", "01:00:59"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.hour << " mode " << row.mode);
        FixedClock clock(2026, 12, 6, row.hour, row.minute, row.second);
        int32_t number = -9;
        char text[3], time[9];
        ASSERT_EQ(KD_HOUR(&number, row.mode), 1);
        EXPECT_EQ(number, row.number);
        ASSERT_EQ(KD_CHOUR(text, row.mode), 1);
        EXPECT_STREQ(text, row.text);
        ASSERT_EQ(KD_TIME(time, row.mode), 1);
        EXPECT_STREQ(time, row.time);
        int32_t minute = -1, second = -1;
        char cminute[3], csecond[3];
        ASSERT_EQ(KD_MINT(&minute), 1);
        ASSERT_EQ(KD_SEC(&second), 1);
        ASSERT_EQ(KD_CMINT(cminute), 1);
        ASSERT_EQ(KD_CSEC(csecond), 1);
        EXPECT_EQ(minute, row.minute);
        EXPECT_EQ(second, row.second);
        EXPECT_EQ(std::atoi(cminute), row.minute);
        EXPECT_EQ(std::atoi(csecond), row.second);
        EXPECT_EQ(std::strlen(cminute), 2u);
    }
}

TEST(ClockExportsTest, DateAndTime) {
    TempHome home;
    FixedClock clock(2026, 12, 6, 18, 40, 0);
    char date[12], time[9], amPm[3];
    ASSERT_EQ(KD_DATE(date, "K"), 1);
    EXPECT_STREQ(date, "Dec/06/2026");
    ASSERT_EQ(KD_DATE(date, "b"), 1);
    EXPECT_STREQ(date, "12/06/2026");
    ASSERT_EQ(KD_DATEANDTIME(date, "6", time, amPm, 0, 0), 1);
    EXPECT_STREQ(date, "06-Dec-26  ");
    EXPECT_STREQ(time, "06:40:00");
    EXPECT_STREQ(amPm, "PM");
    ASSERT_EQ(KD_DTCVCREATEFILE("G"), 1);
    ASSERT_EQ(KD_DATEANDTIME(date, "K", time, amPm, 1, 1), 1);
    EXPECT_STREQ(date, "2026-12-06");
    EXPECT_STREQ(time, "18:40:00");
    ASSERT_EQ(KD_DATEANDTIME(date, "K", time, amPm, 1, 0), 1);
    EXPECT_STREQ(date, "Dec/06/2026");
}

// A clock whose year no date text can hold (before 1000, after 9999) gives
// no date rather than one of another century; the time still reads.
TEST(ClockExportsTest, ClockYearsNoDateTextHolds) {
    TempHome home;
    for (const int year : {999, 10000}) {
        SCOPED_TRACE(year);
        FixedClock clock(year, 3, 1, 9, 5, 0);
        char date[12] = "x", time[9], amPm[3];
        EXPECT_EQ(KD_DATE(date, "B"), 0);
        EXPECT_STREQ(date, "");
        EXPECT_EQ(KD_DATEANDTIME(date, "B", time, amPm, 1, 0), 0);
        EXPECT_STREQ(date, "");
        char today[12] = "TODAY";
        EXPECT_EQ(KD_ISVDATE(today), 0);
        EXPECT_STREQ(today, "TODAY");
        ASSERT_EQ(KD_TIME(time, 1), 1);
        EXPECT_STREQ(time, "09:05:00");
    }
}

}  // namespace
