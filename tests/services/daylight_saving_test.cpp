// Daylight-saving dates, the zone text and Easter.
#include "services/daylight_saving.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "kalcore.h"
#include "scoped_tz.h"
#include "services/easter.h"

namespace kalcore::services {
namespace {

using platform::TimeZoneInfo;
using platform::TransitionRule;
using platform::ZoneState;

TimeZoneInfo Zone(long bias, const char* standardName, const char* daylightName) {
    TimeZoneInfo info{};
    info.bias = bias;
    std::strcpy(info.standardName, standardName);
    std::strcpy(info.daylightName, daylightName);
    return info;
}

TEST(ZoneTextTest, OffsetsAndNames) {
    struct Row {
        long bias;
        ZoneState state;
        const char* text;
    };
    const Row rows[] = {
        {300, ZoneState::kStandard, "GMT -05:00 Eastern Standard Time"},
        {300, ZoneState::kDaylight, "GMT -05:00 Eastern Daylight Time"},   // the standard offset
        {-330, ZoneState::kStandard, "GMT +05:30 Eastern Standard Time"},  // India
        {210, ZoneState::kStandard, "GMT -03:30 Eastern Standard Time"},   // Newfoundland
        {-345, ZoneState::kStandard, "GMT +05:45 Eastern Standard Time"},  // Nepal
        {-765, ZoneState::kStandard, "GMT +12:45 Eastern Standard Time"},  // Chatham
        {-60, ZoneState::kDaylight, "GMT +01:00 Eastern Daylight Time"},
        {-600, ZoneState::kStandard, "GMT +10:00 Eastern Standard Time"},
        {720, ZoneState::kStandard, "GMT -12:00 Eastern Standard Time"},
        {-1440, ZoneState::kStandard, "GMT +24:00 Eastern Standard Time"},
        // Offsets that are no multiple of a quarter hour keep their minutes.
        {-500, ZoneState::kStandard, "GMT +08:20 Eastern Standard Time"},
        {-61, ZoneState::kStandard, "GMT +01:01 Eastern Standard Time"},
        // Under one hour: the name alone.
        {0, ZoneState::kStandard, "Eastern Standard Time"},
        {-30, ZoneState::kStandard, "Eastern Standard Time"},
        {59, ZoneState::kDaylight, "Eastern Daylight Time"},
        // No daylight saving: nothing.
        {300, ZoneState::kNoDaylightSaving, ""},
        {300, ZoneState::kFailed, ""},
    };
    for (const Row& row : rows) {
        ZoneText text;
        FormatZoneText(Zone(row.bias, "Eastern Standard Time", "Eastern Daylight Time"), row.state,
                       text);
        EXPECT_STREQ(text, row.text) << row.bias;
    }
}

// The longest zone text, an offset and 63 characters of name, fits.
TEST(ZoneTextTest, LongestNameFits) {
    const std::string name(63, 'N');
    ZoneText text;
    FormatZoneText(Zone(-330, name.c_str(), ""), ZoneState::kStandard, text);
    EXPECT_EQ(std::string(text), "GMT +05:30 " + name);
    EXPECT_EQ(std::strlen(text), kZoneTextSize - 1);
}

TEST(TransitionDateTest, YearlyRules) {
    struct Row {
        TransitionRule rule;
        int year;
        const char* date;
    };
    const Row rows[] = {
        {{0, 3, 0, 2}, 2026, "03-08-2026"},   // second Sunday of March
        {{0, 11, 0, 1}, 2026, "11-01-2026"},  // first Sunday of November, the 1st itself
        {{0, 10, 0, 5}, 2026, "10-25-2026"},  // last Sunday of October
        {{0, 3, 0, 5}, 2026, "03-29-2026"},   // last Sunday, a month with five
        {{0, 10, 0, 1}, 2026, "10-04-2026"},
        {{0, 4, 0, 1}, 2026, "04-05-2026"},
        {{0, 2, 0, 5}, 2032, "02-29-2032"},   // the leap day is the last Sunday
        {{0, 2, 6, 4}, 2026, "02-28-2026"},   // fourth Saturday, the month's last day
        {{0, 12, 3, 5}, 2026, "12-30-2026"},  // last Wednesday
        {{0, 1, 5, 1}, 2027, "01-01-2027"},
        {{0, 3, 0, 2}, 1999, "03-14-1999"},
        {{0, 3, 0, 2}, 9999, "03-14-9999"},
        // An empty rule: the first Tuesday of December of the year before.
        {{0, 0, 0, 0}, 2026, "12-02-2025"},
        {{0, 0, 0, 0}, 2000, "12-07-1999"},
    };
    for (const Row& row : rows) {
        TransitionDay day;
        EXPECT_TRUE(TransitionDate(row.rule, row.year, day));
        EXPECT_STREQ(day.text, row.date) << row.year << "/" << row.rule.month;
        EXPECT_TRUE(day.comparable);
    }
    // A day of a year before 1000 is written, but not compared.
    TransitionDay day;
    EXPECT_TRUE(TransitionDate(TransitionRule{0, 0, 0, 0}, 1000, day));
    EXPECT_STREQ(day.text, "12-03-0999");
    EXPECT_FALSE(day.comparable);
}

// A rule with one absolute date gives that date of its own year.
TEST(TransitionDateTest, AbsoluteRuleGivesItsOwnDate) {
    TransitionDay day;
    EXPECT_TRUE(TransitionDate(TransitionRule{2030, 3, 0, 10}, 2026, day));
    EXPECT_STREQ(day.text, "03/10/2030");
    EXPECT_TRUE(day.comparable);
    EXPECT_EQ(day.date, (CivilDate{2030, 3, 10}));
    // Nonsense fields from the platform are written within the buffer, and
    // name no day to compare.
    EXPECT_TRUE(
        TransitionDate(TransitionRule{-2147483647, -2147483647, 0, -2147483647}, 2026, day));
    EXPECT_LT(strnlen(day.text, sizeof day.text), sizeof day.text);
    EXPECT_FALSE(day.comparable);
    EXPECT_TRUE(TransitionDate(TransitionRule{2030, 2, 0, 29}, 2026, day));
    EXPECT_STREQ(day.text, "02/29/2030");
    EXPECT_FALSE(day.comparable);
}

TEST(TransitionDateTest, FieldsOutOfRangeGiveNoDate) {
    const TransitionRule rules[] = {
        {0, 13, 0, 1}, {0, -1, 0, 1}, {0, 3, 7, 1}, {0, 3, -1, 1},
        {0, 3, 0, 0},  {0, 3, 0, 6},  {0, 0, 1, 0},
    };
    for (const TransitionRule& rule : rules) {
        TransitionDay day;
        std::memcpy(day.text, "garbage", 8);
        EXPECT_FALSE(TransitionDate(rule, 2026, day)) << rule.month << " " << rule.dayOfWeek;
        EXPECT_STREQ(day.text, "");
    }
    TransitionDay day;
    EXPECT_FALSE(TransitionDate(TransitionRule{0, 0, 0, 0}, 1, day));  // year 0 does not exist
    EXPECT_FALSE(TransitionDate(TransitionRule{0, 3, 0, 2}, 10000, day));
}

struct DstCase {
    const char* tz;
    const char* year;
    const char* zone;
    const char* begin;
    const char* end;
    bool sameDay;
};

// Through the export, which reads the year text.
void ExpectDates(const DstCase& c) {
    SCOPED_TRACE(std::string(c.tz) + " " + c.year);
    testing::ScopedTz tz(c.tz);
    char zone[kZoneTextSize], begin[12], end[12], beginLabel[24], endLabel[24];
    int32_t status = 0, sameDay = 0;
    ASSERT_EQ(
        KD_DAYLIGHTSAVINGSTIMES(c.year, zone, &status, &sameDay, begin, end, beginLabel, endLabel),
        1);
    EXPECT_EQ(status, 1);
    EXPECT_STREQ(zone, c.zone);
    EXPECT_STREQ(begin, c.begin);
    EXPECT_STREQ(end, c.end);
    EXPECT_EQ(sameDay, c.sameDay ? 1 : 0);
    const bool none = c.zone[0] == '\0';
    EXPECT_STREQ(beginLabel, none ? "" : "DayLight Savings Begins");
    EXPECT_STREQ(endLabel, none ? "" : "DayLight Savings Ends  ");
}

// In January 2026 the north is on standard time and the south on daylight time.
TEST(DaylightSavingTimesTest, ZonesFromRules) {
    testing::FixedClock clock(2026, 1, 20, 9);
    const DstCase cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", "2026", "GMT -05:00 EST", "03-08-2026", "11-01-2026", false},
        {"EST5EDT,M3.2.0,M11.1.0", "26", "GMT -05:00 EST", "03-08-2026", "11-01-2026", false},
        {"EST5EDT,M3.2.0,M11.1.0", "99", "GMT -05:00 EST", "03-08-2099", "11-01-2099", false},
        {"EST5EDT,M3.2.0,M11.1.0", "1999", "GMT -05:00 EST", "03-14-1999", "11-07-1999", false},
        // Southern hemisphere: the begin date lies after the end date.
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", "2026", "GMT +10:00 AEDT", "10-04-2026", "04-05-2026",
         false},
        {"NST3:30NDT,M3.2.0,M11.1.0", "2026", "GMT -03:30 NST", "03-08-2026", "11-01-2026", false},
        // India and Nepal have no daylight saving; with a made-up rule their
        // offsets show.
        {"<+0530>-5:30", "2026", "", "", "", false},
        {"<+0545>-5:45", "2026", "", "", "", false},
        {"IST-5:30IDT,M3.2.0,M11.1.0", "2026", "GMT +05:30 IST", "03-08-2026", "11-01-2026", false},
        {"NPT-5:45NDT,M3.2.0,M11.1.0", "2026", "GMT +05:45 NPT", "03-08-2026", "11-01-2026", false},
        {"GMT0BST,M3.5.0/1,M10.5.0", "2026", "GMT", "03-29-2026", "10-25-2026", false},
        {"UTC0", "2026", "", "", "", false},
        {"No/Such_Zone", "2026", "", "", "", false},
        // Both changes on one day.
        {"XST5XDT,M3.2.0/1,M3.2.0/3", "2026", "GMT -05:00 XST", "03-08-2026", "03-08-2026", true},
        // Days of the year, in a leap year and in a common one.
        {"EST5EDT,J60,304", "2024", "GMT -05:00 EST", "03-01-2024", "10-31-2024", false},
        {"EST5EDT,J60,304", "2023", "GMT -05:00 EST", "03-01-2023", "11-01-2023", false},
        // In 2026 daylight time runs from 1 March to 28 February: in force in January.
        {"EST5EDT,59,J59", "2024", "GMT -05:00 EDT", "02-29-2024", "02-28-2024", false},
        // A time of 24:00 or more moves the change to a later day, a negative
        // one to an earlier day: Jerusalem's Thursday 26:00 is Friday 02:00,
        // Santiago's Saturday 24:00 is Sunday 00:00, Cairo's last Thursday
        // of October at 24:00 a Friday, Nuuk's Sunday -1:00 a Saturday.
        {"IST-2IDT,M3.4.4/26,M10.5.0", "2026", "GMT +02:00 IST", "03-27-2026", "10-25-2026", false},
        {"<-04>4<-03>,M9.1.6/24,M4.1.6/24", "2026", "GMT -04:00 -03", "09-06-2026", "04-05-2026",
         false},
        {"EET-2EEST,M4.5.5/0,M10.5.4/24", "2026", "GMT +02:00 EET", "04-24-2026", "10-30-2026",
         false},
        {"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", "2026", "GMT -02:00 -02", "03-28-2026", "10-25-2026",
         false},
        // Across the end of a month, across the end of a year (the change of
        // one rule year falls into the next or the previous), a week either way.
        {"XST3XDT,M3.2.0,M11.1.0/-1", "2026", "GMT -03:00 XST", "03-08-2026", "10-31-2026", false},
        {"XST3XDT,J1/-1,J365/25", "2026", "GMT -03:00 XDT", "12-31-2026", "01-01-2026", false},
        {"XST3XDT,M3.2.0/167,M11.1.0/-167", "2026", "GMT -03:00 XST", "03-14-2026", "10-25-2026",
         false},
        // Offsets to the end of the POSIX range, 24:59:59 either way.
        {"GST24:59:59UDT,M3.2.0,M11.1.0", "2026", "GMT -24:59 GST", "03-08-2026", "11-01-2026",
         false},
        {"<-2459>-24:59:59<-2500>,M3.2.0,M11.1.0", "2026", "GMT +24:59 -2459", "03-08-2026",
         "11-01-2026", false},
        {"GST24:5UDT05:5", "2026", "GMT -24:05 GST", "03-08-2026", "11-01-2026", false},
    };
    for (const DstCase& c : cases) ExpectDates(c);
}

TEST(DaylightSavingTimesTest, CompiledZoneFiles) {
    if (access("/usr/share/zoneinfo/America/New_York", R_OK) != 0)
        GTEST_SKIP() << "zone files (tzdata) are not installed";
    testing::FixedClock clock(2026, 7, 20, 9);
    const DstCase cases[] = {
        {"America/New_York", "2026", "GMT -05:00 EDT", "03-08-2026", "11-01-2026", false},
        {"America/St_Johns", "2026", "GMT -03:30 NDT", "03-08-2026", "11-01-2026", false},
        {"Australia/Sydney", "2026", "GMT +10:00 AEST", "10-04-2026", "04-05-2026", false},
        {"Europe/London", "2026", "BST", "03-29-2026", "10-25-2026", false},
        {"Asia/Kolkata", "2026", "", "", "", false},
        {"Asia/Kathmandu", "2026", "", "", "", false},
    };
    for (const DstCase& c : cases) ExpectDates(c);
}

// A year the transition table covers has the changes that year really had;
// after the table the footer's rule holds, before it there was no daylight
// saving. A year that had only one change has one date.
TEST(DaylightSavingTimesTest, CompiledZoneFilesHistory) {
    if (access("/usr/share/zoneinfo/America/New_York", R_OK) != 0)
        GTEST_SKIP() << "zone files (tzdata) are not installed";
    testing::FixedClock clock(2026, 7, 20, 9);
    const DstCase cases[] = {
        {"America/New_York", "2000", "GMT -05:00 EDT", "04-02-2000", "10-29-2000", false},
        {"America/New_York", "2007", "GMT -05:00 EDT", "03-11-2007", "11-04-2007", false},
        {"America/New_York", "2040", "GMT -05:00 EDT", "03-11-2040", "11-04-2040", false},
        {"America/New_York", "1800", "", "", "", false},
        {"Australia/Sydney", "2000", "GMT +10:00 AEST", "08-27-2000", "03-26-2000", false},
        {"Europe/Moscow", "2010", "GMT +03:00 MSK", "03-28-2010", "10-31-2010", false},
        {"Europe/Moscow", "2026", "", "", "", false},
        {"Asia/Jerusalem", "2026", "GMT +02:00 IDT", "03-27-2026", "10-25-2026", false},
        {"Asia/Jerusalem", "2040", "GMT +02:00 IDT", "03-23-2040", "10-28-2040", false},
        {"America/Santiago", "2026", "GMT -04:00 -04", "09-06-2026", "04-05-2026", false},
        {"America/Nuuk", "2026", "GMT -02:00 -01", "03-28-2026", "10-25-2026", false},
        {"Africa/Cairo", "2026", "GMT +02:00 EEST", "04-24-2026", "10-30-2026", false},
        {"Australia/Lord_Howe", "2026", "GMT +10:30 +1030", "10-04-2026", "04-05-2026", false},
        {"Pacific/Chatham", "2026", "GMT +12:45 +1245", "09-27-2026", "04-05-2026", false},
        // Daylight saving that ended twice in one year: the first end.
        {"America/Asuncion", "2024", "GMT -03:00 -03", "10-06-2024", "03-24-2024", false},
        // Begun in 2004, ended only in 2006.
        {"America/Havana", "2004", "GMT -05:00 CDT", "03-28-2004", "", false},
        {"America/Havana", "2006", "GMT -05:00 CDT", "", "10-29-2006", false},
    };
    for (const DstCase& c : cases) ExpectDates(c);
}

TEST(DaylightSavingTimesTest, InvalidYearLeavesTheResultUntouched) {
    testing::ScopedTz tz("EST5EDT,M3.2.0,M11.1.0");
    for (const char* year : {"abc", "", "20x6", "-5"}) {
        char zone[kZoneTextSize], begin[12], end[12], beginLabel[24], endLabel[24];
        std::memset(zone, 0x5A, sizeof zone);
        std::memset(begin, 0x5A, sizeof begin);
        int32_t status = 7, sameDay = 7;
        EXPECT_EQ(KD_DAYLIGHTSAVINGSTIMES(year, zone, &status, &sameDay, begin, end, beginLabel,
                                          endLabel),
                  0)
            << year;
        EXPECT_EQ(status, 0);
        EXPECT_EQ(sameDay, 7);
        EXPECT_EQ(zone[0], 0x5A);
        EXPECT_EQ(begin[0], 0x5A);
    }
}

TEST(ZoneTextOfYearTest, StartUpText) {
    testing::FixedClock clock(2026, 1, 20, 9);
    struct Row {
        const char* tz;
        int year;
        const char* text;
    };
    const Row rows[] = {
        {"EST5EDT,M3.2.0,M11.1.0", 2026, "GMT -05:00 EST"},
        {"EST5EDT,M3.2.0,M11.1.0", 1999, "GMT -05:00 EST"},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", 2026, "GMT +10:00 AEDT"},
        {"<+0530>-5:30", 2026, ""},
    };
    for (const Row& row : rows) {
        testing::ScopedTz tz(row.tz);
        ZoneText text = "garbage";
        ZoneTextOfYear(row.year, text);
        EXPECT_STREQ(text, row.text) << row.tz << " " << row.year;
    }
}

TEST(EasterTest, KnownDates) {
    struct Row {
        int year, month, day;
    };
    const Row rows[] = {
        {1998, 4, 12}, {2000, 4, 23}, {2024, 3, 31}, {2026, 4, 5},  {2038, 4, 25},
        {1818, 3, 22}, {2285, 3, 22}, {1943, 4, 25}, {1583, 4, 10},
    };
    for (const Row& row : rows) {
        const MonthDay easter = EasterSunday(row.year);
        EXPECT_EQ(easter.month, row.month) << row.year;
        EXPECT_EQ(easter.day, row.day) << row.year;
    }
}

// The Gregorian computus by epacts (golden number, solar and lunar
// corrections), computed independently of the library's formula.
MonthDay EasterByEpact(int year) {
    const int golden = year % 19 + 1;
    const int century = year / 100 + 1;
    const int skippedLeapDays = 3 * century / 4 - 12;
    const int moonCorrection = (8 * century + 5) / 25 - 5;
    const int sunday = 5 * year / 4 - skippedLeapDays - 10;
    int epact = (11 * golden + 20 + moonCorrection - skippedLeapDays) % 30;
    if ((epact == 25 && golden > 11) || epact == 24) ++epact;
    int fullMoon = 44 - epact;
    if (fullMoon < 21) fullMoon += 30;
    const int day = fullMoon + 7 - (sunday + fullMoon) % 7;
    return day > 31 ? MonthDay{4, day - 31} : MonthDay{3, day};
}

TEST(EasterTest, AgreesWithTheEpactComputusFrom1583To4099) {
    for (int year = 1583; year <= 4099; ++year) {
        const MonthDay easter = EasterSunday(year), reference = EasterByEpact(year);
        ASSERT_EQ(easter.month, reference.month) << year;
        ASSERT_EQ(easter.day, reference.day) << year;
    }
}

// Every year gives a Sunday between 22 March and 25 April; far-off and
// negative years still give a date in that range.
TEST(EasterTest, AlwaysASundayInRange) {
    for (int year = 1; year <= 9999; ++year) {
        const MonthDay e = EasterSunday(year);
        ASSERT_TRUE((e.month == 3 && e.day >= 22 && e.day <= 31) ||
                    (e.month == 4 && e.day >= 1 && e.day <= 25))
            << year;
        ASSERT_EQ(WeekdayOf(CivilDate{year, e.month, e.day}), Weekday::kSunday) << year;
    }
    for (int year : {0, -1, -99, -100, -401, -2147483647 - 1, 2147483647, 100000}) {
        const MonthDay e = EasterSunday(year);
        EXPECT_TRUE((e.month == 3 && e.day >= 22 && e.day <= 31) ||
                    (e.month == 4 && e.day >= 1 && e.day <= 25))
            << year << ": " << e.month << "/" << e.day;
    }
}

}  // namespace
}  // namespace kalcore::services
