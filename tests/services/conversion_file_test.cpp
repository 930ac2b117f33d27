// The date conversion file and the preferred format it gives conversions.
#include "services/conversion_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fixed_clock.h"
#include "kalcore.h"
#include "services/current_time.h"
#include "temp_home.h"

namespace kalcore::services {
namespace {

using testing::FixedClock;
using testing::TempHome;

std::string FilePath(const TempHome& home) {
    return home.DataDir() + "datcvfil.bnf";  // the name without a configuration
}

TEST(ConversionFileTest, WriteStoresUpperCaseFormatCodes) {
    TempHome home;
    struct Row {
        const char* code;
        bool stored;
        const char* content;
    } const rows[] = {
        {"g", true, "FGXT"},  {"[", true, "F[XT"}, {"$x", true, "F$XT"}, {"0", false, "F$XT"},
        {"?", false, "F$XT"}, {"", false, "F$XT"}, {"m", true, "FMXT"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(WriteConversionCode(row.code), row.stored) << row.code;
        EXPECT_EQ(TempHome::ReadFile(FilePath(home)), row.content) << row.code;
    }
    EXPECT_FALSE(WriteConversionCode(nullptr));
}

TEST(ConversionFileTest, ReadTable) {
    TempHome home;
    struct Row {
        const char* content;  // nullptr: no file
        bool valid;
        char code;  // '?' is the untouched code
    } const rows[] = {
        {nullptr, false, '?'}, {"", false, '?'},    {"F", false, '?'},
        {"FG", true, 'G'},     {"FqXT", true, 'Q'}, {"F0XT", false, '?'},
        {"F XT", false, '?'},  {"x=yz", true, '='}, {"FMXTtrailing", true, 'M'},
    };
    for (const Row& row : rows) {
        if (row.content != nullptr) TempHome::WriteFile(FilePath(home), row.content);
        char code = '?';
        EXPECT_EQ(ReadConversionCode(code), row.valid) << (row.content ? row.content : "(none)");
        EXPECT_EQ(code, row.code);
    }
}

TEST(ConversionFileTest, FileIsADirectory) {
    TempHome home;
    TempHome::MakeDirectory(FilePath(home));
    char code;
    EXPECT_FALSE(ReadConversionCode(code));
    EXPECT_FALSE(WriteConversionCode("G"));
}

// The stored code replaces the caller's only when it is valid, and only when
// the switch is 1.
TEST(ConversionFileTest, DrivesConversionsThatAskForIt) {
    TempHome home;
    struct Row {
        const char* content;
        const char* code;
        int useFile;
        const char* want;  // nullptr: the conversion fails
    } const rows[] = {
        {"FGXT", "B", 1, "1998-07-04"}, {"FGXT", "B", 0, "07/04/1998"},
        {"FGXT", "", 1, "1998-07-04"},  {"FGXT", "0", 1, "1998-07-04"},
        {"F?XT", "B", 1, "07/04/1998"}, {"F", "B", 1, "07/04/1998"},
        {"F", "", 1, nullptr},          {"FgXT", "B", 2, "07/04/1998"},
    };
    for (const Row& row : rows) {
        TempHome::WriteFile(FilePath(home), row.content);
        char output[12];
        const bool ok = KD_CONVDATE("07/04/1998", output, row.code, row.useFile, 0) == 1;
        ASSERT_EQ(ok, row.want != nullptr) << row.content << " " << row.code;
        EXPECT_STREQ(output, ok ? row.want : "");
    }
}

TEST(CurrentDateTimeTest, ClockTable) {
    TempHome home;
    struct Row {
        int hour, minute, second, hourMode;
        const char* time;
        const char* amPm;
    } const rows[] = {
        {0, 15, 7, 0, "00:15:07", "AM"},  {0, 15, 7, 1, "00:15:07", "AM"},
        {12, 30, 0, 0, "12:30:00", "PM"}, {12, 30, 0, 1, "12:30:00", "PM"},
        {18, 40, 0, 0, "06:40:00", "PM"}, {18, 40, 0, 2, "06:40:00", "PM"},
        {18, 40, 0, 1, "18:40:00", "PM"}, {23, 5, 9, 0, "11:05:09", "PM"},
        {23, 5, 9, 1, "23:05:09", "PM"},  {11, 59, 59, -1, "11:59:59", "AM"},
        {13, 0, 0, 0, "01:00:00", "PM"},
    };
    for (const Row& row : rows) {
        FixedClock clock(2026, 12, 6, row.hour, row.minute, row.second);
        char date[12], time[9], amPm[3];
        ASSERT_EQ(KD_DATEANDTIME(date, "K", time, amPm, row.hourMode, 0), 1);
        EXPECT_STREQ(date, "Dec/06/2026");
        EXPECT_STREQ(time, row.time) << row.hour << " mode " << row.hourMode;
        EXPECT_STREQ(amPm, row.amPm) << row.hour;
    }
}

TEST(CurrentDateTimeTest, CodesAndTheConversionFile) {
    TempHome home;
    FixedClock clock(2026, 12, 6, 18, 40);
    DateText date;
    TimeOfDayText time;
    ASSERT_TRUE(CurrentDateTime('b', false, true, date, time));
    EXPECT_STREQ(date, "12/06/2026");
    EXPECT_FALSE(CurrentDateTime('0', false, true, date, time));
    EXPECT_STREQ(date, "");
    EXPECT_STREQ(time.time, "18:40:00");  // the time is given even so
    ASSERT_TRUE(WriteConversionCode("G"));
    ASSERT_TRUE(CurrentDateTime('K', true, true, date, time));
    EXPECT_STREQ(date, "2026-12-06");
    ASSERT_TRUE(CurrentDateTime('0', true, true, date, time));
    EXPECT_STREQ(date, "2026-12-06");
}

// A clock outside the years a date text holds gives no date, but the time.
TEST(CurrentDateTimeTest, ClockYearsADateTextCannotHold) {
    TempHome home;
    for (int year : {999, 10000}) {
        FixedClock clock(year, 6, 1, 9, 5, 7);
        DateText date;
        TimeOfDayText time;
        EXPECT_FALSE(CurrentDateTime('B', false, true, date, time)) << year;
        EXPECT_STREQ(date, "") << year;
        EXPECT_STREQ(time.time, "09:05:07") << year;
    }
}

}  // namespace
}  // namespace kalcore::services
