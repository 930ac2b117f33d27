// The POSIX time-zone layer: rule texts, compiled zone files, the rules of a
// year and whether daylight time is in force.
#include "platform/time_zone.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fixed_clock.h"
#include "platform/posix/posix_zone.h"
#include "scoped_tz.h"

namespace kalcore::platform {
namespace {

using posix::LocalMoment;
using posix::ParseZoneRule;
using posix::RuleDay;
using posix::ZoneRule;

bool ZoneFilesInstalled() {
    return access("/usr/share/zoneinfo/America/New_York", R_OK) == 0;
}

TEST(ParseZoneRuleTest, ValidRules) {
    struct Row {
        const char* text;
        const char* standardName;
        const char* daylightName;
        long standardOffset, daylightOffset;
        RuleDay::Kind startKind;
        long startSeconds, endSeconds;
    };
    using K = RuleDay::Kind;
    const Row rows[] = {
        {"EST5EDT,M3.2.0,M11.1.0", "EST", "EDT", 18000, 14400, K::kMonthWeekDay, 7200, 7200},
        {"EST5EDT", "EST", "EDT", 18000, 14400, K::kMonthWeekDay, 7200, 7200},
        {"<+0530>-5:30", "+0530", "", -19800, 0, K::kMonthWeekDay, 0, 0},
        {"<+0545>-05:45", "+0545", "", -20700, 0, K::kMonthWeekDay, 0, 0},
        {"NST3:30NDT,M3.2.0,M11.1.0", "NST", "NDT", 12600, 9000, K::kMonthWeekDay, 7200, 7200},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", "AEST", "AEDT", -36000, -39600, K::kMonthWeekDay, 7200,
         10800},
        {"CET-1CEST,M3.5.0,M10.5.0/3", "CET", "CEST", -3600, -7200, K::kMonthWeekDay, 7200, 10800},
        {"<-03>3<-02>,M3.5.0/-2,M10.5.0/-1", "-03", "-02", 10800, 7200, K::kMonthWeekDay, -7200,
         -3600},
        {"EST5EDT,0/0,J365/25", "EST", "EDT", 18000, 14400, K::kZeroBased, 0, 90000},
        {"XST+8:00:30XDT7,J60/1:30:15,300", "XST", "XDT", 28830, 25200, K::kJulianNoLeap, 5415,
         7200},
        {"UTC0", "UTC", "", 0, 0, K::kMonthWeekDay, 0, 0},
        // The ends of the offset range, 24:59:59 either way.
        {"GST24:59:59UDT-24:59:59,M3.2.0/-167,M11.1.0/167", "GST", "UDT", 89999, -89999,
         K::kMonthWeekDay, -601200, 601200},
        {"GST24:5UDT05:5", "GST", "UDT", 86700, 18300, K::kMonthWeekDay, 7200, 7200},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ1",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJK", "", 3600, 0,
         K::kMonthWeekDay, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ZoneRule rule;
        ASSERT_TRUE(ParseZoneRule(row.text, rule));
        EXPECT_STREQ(rule.standardName, row.standardName);
        EXPECT_STREQ(rule.daylightName, row.daylightName);
        EXPECT_EQ(rule.standardOffset, row.standardOffset);
        EXPECT_EQ(rule.hasDaylight, row.daylightName[0] != '\0');
        if (!rule.hasDaylight) continue;
        EXPECT_EQ(rule.daylightOffset, row.daylightOffset);
        EXPECT_EQ(rule.start.kind, row.startKind);
        EXPECT_EQ(rule.start.seconds, row.startSeconds);
        EXPECT_EQ(rule.end.seconds, row.endSeconds);
    }
}

TEST(ParseZoneRuleTest, MalformedRulesAreRefused) {
    const std::string tooLong = "EST5EDT,M3.2.0,M11.1.0" + std::string(240, '0');
    const char* const texts[] = {
        "",
        "E5",                          // name of two letters
        "EST",                         // no offset
        "EST25",                       // offset beyond 24 hours
        "EST-25",                      // offset beyond 24 hours east
        "EST5EDT25",                   // daylight offset beyond 24 hours
        "EST5:60",                     // minutes beyond 59
        "EST1234",                     // more digits than an hour has
        "EST99999999999999999999",     // would overflow
        "<+05",                        // unterminated quoted name
        "<+0>-5",                      // quoted name of two characters
        "<+05:30>-5",                  // ':' inside a quoted name
        "EST5EDT,M13.1.0,M11.1.0",     // month 13
        "EST5EDT,M0.1.0,M11.1.0",      // month 0
        "EST5EDT,M3.6.0,M11.1.0",      // week 6
        "EST5EDT,M3.0.0,M11.1.0",      // week 0
        "EST5EDT,M3.2.7,M11.1.0",      // weekday 7
        "EST5EDT,J0,J365",             // Julian day 0
        "EST5EDT,J366,J1",             // Julian day 366
        "EST5EDT,366,1",               // zero-based day 366
        "EST5EDT,M3.2.0",              // only one date
        "EST5EDT,M3.2.0,M11.1.0,",     // trailing comma
        "EST5EDT,M3.2.0,M11.1.0 ",     // trailing blank
        "EST5EDT,M3.2.0/168,M11.1.0",  // time beyond 167 hours
        "EST5EDT,M3.2.0/,M11.1.0",     // empty time
        "EST5EDT,M3.2,M11.1.0",        // incomplete month rule
        "EST5EDT,,",
        "EST5 EDT",
        "5EST",
        tooLong.c_str(),
    };
    for (const char* text : texts) {
        ZoneRule rule;
        EXPECT_FALSE(ParseZoneRule(text, rule)) << '"' << text << '"';
    }
    ZoneRule rule;
    EXPECT_FALSE(ParseZoneRule(nullptr, rule));
}

TEST(RuleMonthDayTest, DatesOfTheRuleForms) {
    struct Row {
        RuleDay day;
        int year, month, dayOfMonth;
    };
    using K = RuleDay::Kind;
    const Row rows[] = {
        {{K::kMonthWeekDay, 3, 2, 0, 0, 0}, 2026, 3, 8},     // second Sunday of March
        {{K::kMonthWeekDay, 11, 1, 0, 0, 0}, 2026, 11, 1},   // 1 November is a Sunday
        {{K::kMonthWeekDay, 10, 5, 0, 0, 0}, 2026, 10, 25},  // last Sunday, four in the month
        {{K::kMonthWeekDay, 3, 5, 0, 0, 0}, 2026, 3, 29},    // last Sunday, five in the month
        {{K::kMonthWeekDay, 2, 5, 0, 0, 0}, 2026, 2, 22},
        {{K::kMonthWeekDay, 2, 5, 0, 0, 0}, 2032, 2, 29},  // leap day is the last Sunday
        {{K::kMonthWeekDay, 4, 1, 6, 0, 0}, 2026, 4, 4},   // first Saturday
        {{K::kMonthWeekDay, 4, 4, 3, 0, 0}, 2026, 4, 22},  // fourth Wednesday
        {{K::kJulianNoLeap, 0, 0, 0, 59, 0}, 2024, 2, 28},
        {{K::kJulianNoLeap, 0, 0, 0, 60, 0}, 2024, 3, 1},  // 29 February is skipped
        {{K::kJulianNoLeap, 0, 0, 0, 60, 0}, 2023, 3, 1},
        {{K::kJulianNoLeap, 0, 0, 0, 365, 0}, 2024, 12, 31},
        {{K::kJulianNoLeap, 0, 0, 0, 1, 0}, 2024, 1, 1},
        {{K::kZeroBased, 0, 0, 0, 0, 0}, 2023, 1, 1},
        {{K::kZeroBased, 0, 0, 0, 59, 0}, 2024, 2, 29},  // 29 February is counted
        {{K::kZeroBased, 0, 0, 0, 59, 0}, 2023, 3, 1},
        {{K::kZeroBased, 0, 0, 0, 365, 0}, 2024, 12, 31},
        {{K::kZeroBased, 0, 0, 0, 365, 0}, 2023, 12, 31},  // no day 366: the last day
    };
    for (const Row& row : rows) {
        int month = 0, day = 0;
        posix::RuleMonthDay(row.day, row.year, month, day);
        EXPECT_EQ(month, row.month) << row.year << " row day " << row.day.dayNumber;
        EXPECT_EQ(day, row.dayOfMonth) << row.year << " row month " << row.day.month;
    }
}

// Daylight time is in force from the start (standard wall time) up to the
// end (daylight wall time); in the south across the turn of the year.
TEST(DescribeZoneTest, StandardOrDaylightAtAMoment) {
    struct Row {
        const char* rule;
        LocalMoment now;
        ZoneState state;
    };
    const char* us = "EST5EDT,M3.2.0,M11.1.0";
    const char* sydney = "AEST-10AEDT,M10.1.0,M4.1.0/3";
    const Row rows[] = {
        {us, {2026, 1, 15, 43200}, ZoneState::kStandard},
        {us, {2026, 3, 8, 7199}, ZoneState::kStandard},
        {us, {2026, 3, 8, 7200}, ZoneState::kDaylight},
        {us, {2026, 7, 4, 0}, ZoneState::kDaylight},
        {us, {2026, 11, 1, 7199}, ZoneState::kDaylight},
        {us, {2026, 11, 1, 7200}, ZoneState::kStandard},
        {us, {2026, 12, 31, 86399}, ZoneState::kStandard},
        {sydney, {2026, 1, 10, 0}, ZoneState::kDaylight},
        {sydney, {2026, 4, 5, 10799}, ZoneState::kDaylight},
        {sydney, {2026, 4, 5, 10800}, ZoneState::kStandard},
        {sydney, {2026, 6, 1, 0}, ZoneState::kStandard},
        {sydney, {2026, 10, 4, 7200}, ZoneState::kDaylight},
        {"EST5EDT,0/0,J365/25", {2026, 6, 1, 0}, ZoneState::kDaylight},
        {"EST5EDT,0/0,J365/25", {2026, 12, 31, 86399}, ZoneState::kDaylight},
        {"<+0530>-5:30", {2026, 6, 1, 0}, ZoneState::kNoDaylightSaving},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.rule) + " " + std::to_string(row.now.month) + "/" +
                     std::to_string(row.now.day) + " " + std::to_string(row.now.secondOfDay));
        ZoneRule rule;
        ASSERT_TRUE(ParseZoneRule(row.rule, rule));
        TimeZoneInfo info;
        EXPECT_EQ(posix::DescribeZone(rule, posix::RuleChanges(rule, 2026), row.now, info),
                  row.state);
    }
}

// Day-of-the-year rules become the weekday and occurrence that give the same
// date in the requested year; the fifth occurrence is the month's last.
TEST(DescribeZoneTest, DayOfYearRulesBecomeYearlyRulesOfThatYear) {
    ZoneRule rule;
    ASSERT_TRUE(ParseZoneRule("EST5EDT,J60,304", rule));
    TimeZoneInfo info;
    posix::DescribeZone(rule, posix::RuleChanges(rule, 2024), LocalMoment{2024, 1, 1, 0}, info);
    // J60 is 1 March, a Friday in 2024; day 304 counted from 0 is 31 October, a Thursday.
    EXPECT_EQ(info.daylightDate.year, 0);
    EXPECT_EQ(info.daylightDate.month, 3);
    EXPECT_EQ(info.daylightDate.dayOfWeek, 5);
    EXPECT_EQ(info.daylightDate.day, 1);
    EXPECT_EQ(info.standardDate.month, 10);
    EXPECT_EQ(info.standardDate.dayOfWeek, 4);
    EXPECT_EQ(info.standardDate.day, 5);
    EXPECT_EQ(info.bias, 300);
    EXPECT_EQ(info.daylightBias, -60);
}

struct ZoneCase {
    const char* tz;
    ZoneState state;
    long bias;
    const char* standardName;
    const char* daylightName;
    TransitionRule daylightDate, standardDate;
};

void ExpectZone(const ZoneCase& c) {
    SCOPED_TRACE(c.tz);
    testing::ScopedTz tz(c.tz);
    TimeZoneInfo info;
    EXPECT_EQ(ReadTimeZone(2026, info), c.state);
    EXPECT_EQ(info.bias, c.bias);
    EXPECT_STREQ(info.standardName, c.standardName);
    EXPECT_STREQ(info.daylightName, c.daylightName);
    if (c.state != ZoneState::kStandard && c.state != ZoneState::kDaylight) return;
    EXPECT_EQ(info.daylightBias, -60);
    const TransitionRule* got[] = {&info.daylightDate, &info.standardDate};
    const TransitionRule* want[] = {&c.daylightDate, &c.standardDate};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(got[i]->year, want[i]->year);
        EXPECT_EQ(got[i]->month, want[i]->month);
        EXPECT_EQ(got[i]->dayOfWeek, want[i]->dayOfWeek);
        EXPECT_EQ(got[i]->day, want[i]->day);
    }
}

// Rules given directly in TZ, in January 2026.
TEST(ReadTimeZoneTest, RulesFromTheEnvironment) {
    testing::FixedClock clock(2026, 1, 15, 12);
    const ZoneCase cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0",
         ZoneState::kStandard,
         300,
         "EST",
         "EDT",
         {0, 3, 0, 2},
         {0, 11, 0, 1}},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3",
         ZoneState::kDaylight,
         -600,
         "AEST",
         "AEDT",
         {0, 10, 0, 1},
         {0, 4, 0, 1}},
        {"NST3:30NDT,M3.2.0,M11.1.0",
         ZoneState::kStandard,
         210,
         "NST",
         "NDT",
         {0, 3, 0, 2},
         {0, 11, 0, 1}},
        {"<+0530>-5:30", ZoneState::kNoDaylightSaving, -330, "+0530", "", {}, {}},
        {"<+0545>-5:45", ZoneState::kNoDaylightSaving, -345, "+0545", "", {}, {}},
        {"UTC0", ZoneState::kNoDaylightSaving, 0, "UTC", "", {}, {}},
        {"", ZoneState::kNoDaylightSaving, 0, "UTC", "", {}, {}},
        // Nothing readable counts as no daylight saving.
        {"No/Such_Zone", ZoneState::kNoDaylightSaving, 0, "", "", {}, {}},
        {":No/Such_Zone", ZoneState::kNoDaylightSaving, 0, "", "", {}, {}},
        {"EST5EDT,M3.2.0,M13.1.0", ZoneState::kNoDaylightSaving, 0, "", "", {}, {}},
        {",,,<<<>>>", ZoneState::kNoDaylightSaving, 0, "", "", {}, {}},
    };
    for (const ZoneCase& c : cases) ExpectZone(c);
}

// Zone names are looked up as compiled zone files, whose footer gives the
// rule, in July 2026.
TEST(ReadTimeZoneTest, CompiledZoneFiles) {
    if (!ZoneFilesInstalled()) GTEST_SKIP() << "zone files (tzdata) are not installed";
    testing::FixedClock clock(2026, 7, 1, 12);
    const ZoneCase cases[] = {
        {"America/New_York", ZoneState::kDaylight, 300, "EST", "EDT", {0, 3, 0, 2}, {0, 11, 0, 1}},
        {":America/New_York", ZoneState::kDaylight, 300, "EST", "EDT", {0, 3, 0, 2}, {0, 11, 0, 1}},
        {"/usr/share/zoneinfo/America/New_York",
         ZoneState::kDaylight,
         300,
         "EST",
         "EDT",
         {0, 3, 0, 2},
         {0, 11, 0, 1}},
        {"America/St_Johns", ZoneState::kDaylight, 210, "NST", "NDT", {0, 3, 0, 2}, {0, 11, 0, 1}},
        {"Australia/Sydney",
         ZoneState::kStandard,
         -600,
         "AEST",
         "AEDT",
         {0, 10, 0, 1},
         {0, 4, 0, 1}},
        // 25 October 2026, the last Sunday, is the fourth.
        {"Europe/Berlin", ZoneState::kDaylight, -60, "CET", "CEST", {0, 3, 0, 5}, {0, 10, 0, 4}},
        {"Asia/Kolkata", ZoneState::kNoDaylightSaving, -330, "IST", "", {}, {}},
        {"Asia/Kathmandu", ZoneState::kNoDaylightSaving, -345, "+0545", "", {}, {}},
        {"UTC", ZoneState::kNoDaylightSaving, 0, "UTC", "", {}, {}},
    };
    for (const ZoneCase& c : cases) ExpectZone(c);
}

// Without TZ the zone is that of /etc/localtime.
TEST(ReadTimeZoneTest, WithoutTzTheMachineZone) {
    if (access("/etc/localtime", R_OK) != 0) GTEST_SKIP() << "no /etc/localtime";
    testing::FixedClock clock(2026, 7, 1, 12);
    TimeZoneInfo viaPath, unset;
    ZoneState pathState, unsetState;
    {
        testing::ScopedTz tz("/etc/localtime");
        pathState = ReadTimeZone(2026, viaPath);
    }
    {
        testing::ScopedTz tz(nullptr);
        unsetState = ReadTimeZone(2026, unset);
    }
    EXPECT_NE(unset.standardName[0], '\0');  // the footer was read
    EXPECT_EQ(unsetState, pathState);
    EXPECT_EQ(unset.bias, viaPath.bias);
    EXPECT_STREQ(unset.standardName, viaPath.standardName);
    EXPECT_STREQ(unset.daylightName, viaPath.daylightName);
    EXPECT_EQ(unset.daylightDate.month, viaPath.daylightDate.month);
}

class TempFile {
  public:
    explicit TempFile(const std::string& bytes) {
        char name[] = "/tmp/kalcore-zone-XXXXXX";
        const int fd = mkstemp(name);
        path_ = name;
        if (fd >= 0) {
            EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
            close(fd);
        }
    }
    ~TempFile() { unlink(path_.c_str()); }
    const char* path() const { return path_.c_str(); }

  private:
    std::string path_;
};

// Only the footer of a version 2+ file is read; anything else has no rule.
TEST(ReadZoneFileRuleTest, Footers) {
    const std::string body(100, 'x');
    struct Row {
        std::string bytes;
        bool ok;
        const char* rule;
    };
    const Row rows[] = {
        {std::string("TZif2", 5) + body + "\nEST5EDT,M3.2.0,M11.1.0\n", true,
         "EST5EDT,M3.2.0,M11.1.0"},
        {std::string("TZif3", 5) + std::string(5000, '\0') + "\n<+0545>-5:45\n", true,
         "<+0545>-5:45"},
        {std::string("TZif\0", 5) + body + "\nEST5\n", false, ""},  // version 1: no footer
        {std::string("TZif2", 5) + body + "\n\n", false, ""},       // empty footer
        {std::string("TZif2", 5) + body + "\nEST5", false, ""},     // no final newline
        {std::string("TZif2", 5) + "\n" + std::string(300, 'A') + "\n", false, ""},  // too long
        {std::string("TZif2", 5), false, ""},
        {"not a zone file\nEST5\n", false, ""},
        {"", false, ""},
    };
    for (const Row& row : rows) {
        TempFile file(row.bytes);
        char rule[posix::kMaxRuleChars + 1];
        EXPECT_EQ(posix::ReadZoneFileRule(file.path(), rule), row.ok) << row.bytes.size();
        EXPECT_STREQ(rule, row.rule);
    }
    char rule[posix::kMaxRuleChars + 1];
    EXPECT_FALSE(posix::ReadZoneFileRule("/nonexistent/zone", rule));
    EXPECT_FALSE(posix::ReadZoneFileRule("/tmp", rule));  // a directory
}

// A compiled zone file (TZif version 2) of the given transitions and time
// types, with `footer` as its rule.
struct TzifType {
    std::int32_t utcOffset;
    bool daylight;
};
std::string Tzif(const std::vector<std::pair<std::int64_t, unsigned char>>& transitions,
                 const std::vector<TzifType>& types, const std::string& footer) {
    const auto be = [](std::uint64_t value, int bytes) {
        std::string out;
        for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i) & 0xff);
        return out;
    };
    const auto header = [&](std::size_t times, std::size_t typeCount, std::size_t chars) {
        return std::string("TZif2", 5) + std::string(15, '\0') + be(0, 4) + be(0, 4) + be(0, 4) +
               be(times, 4) + be(typeCount, 4) + be(chars, 4);
    };
    // A version 1 block of one type, then the 64-bit one.
    std::string bytes = header(0, 1, 4) + be(0, 4) + std::string("\0\0LMT\0", 6);
    bytes += header(transitions.size(), types.size(), 4);
    for (const auto& t : transitions) bytes += be(static_cast<std::uint64_t>(t.first), 8);
    for (const auto& t : transitions) bytes += static_cast<char>(t.second);
    for (const TzifType& t : types)
        bytes +=
            be(static_cast<std::uint32_t>(t.utcOffset), 4) + static_cast<char>(t.daylight) + '\0';
    return bytes + "LMT" + '\0' + "\n" + footer + "\n";
}

// The changes of a year from a table, from the footer after the table's last
// transition (also within the year of that transition), none before the
// table, and the footer alone for a table that cannot be read.
TEST(ZoneFileChangesTest, TableThenFooter) {
    const std::string footer = "EST5EDT,M3.2.0,M11.1.0";
    ZoneRule rule;
    ASSERT_TRUE(ParseZoneRule(footer.c_str(), rule));
    // 1 January 2020 05:00 UTC to EST; 7 April 2030 07:00 UTC (02:00 EST, a
    // date the footer never gives) to EDT; the footer from then on.
    const TempFile file(Tzif({{1577854800, 1}, {1901775600, 2}},
                             {{-17762, false}, {-18000, false}, {-14400, true}}, footer));
    struct Row {
        int year;
        bool read;
        const char* begin;  // MM-DD, "" when none
        const char* end;
    };
    const Row rows[] = {
        {2019, true, "", ""},           {2029, true, "", ""},
        {2030, true, "04-07", "11-03"}, {2031, true, "03-09", "11-02"},
        {9999, true, "03-14", "11-07"},
    };
    for (const Row& row : rows) {
        posix::YearChanges changes;
        ASSERT_EQ(posix::ZoneFileChanges(file.path(), rule, row.year, changes), row.read)
            << row.year;
        char begin[8] = "", end[8] = "";
        if (changes.begins)
            std::snprintf(begin, sizeof begin, "%02d-%02d", changes.begin.month, changes.begin.day);
        if (changes.ends)
            std::snprintf(end, sizeof end, "%02d-%02d", changes.end.month, changes.end.day);
        EXPECT_STREQ(begin, row.begin) << row.year;
        EXPECT_STREQ(end, row.end) << row.year;
        EXPECT_TRUE(!changes.begins || changes.begin.year == row.year);
    }
    // No transitions: the footer for every year.
    const TempFile footerOnly(Tzif({}, {{-18000, false}}, footer));
    posix::YearChanges changes;
    ASSERT_TRUE(posix::ZoneFileChanges(footerOnly.path(), rule, 1800, changes));
    EXPECT_TRUE(changes.begins && changes.ends);
    EXPECT_EQ(changes.begin.month * 100 + changes.begin.day, 309);
}

TEST(ZoneFileChangesTest, UnreadableTables) {
    ZoneRule rule;
    ASSERT_TRUE(ParseZoneRule("EST5EDT,M3.2.0,M11.1.0", rule));
    std::string badIndex = Tzif({{1577854800, 7}}, {{-18000, false}}, "EST5EDT");
    std::string shortFile = Tzif({{1577854800, 0}}, {{-18000, false}}, "EST5EDT");
    shortFile.resize(shortFile.size() - 30);
    std::string version1 = Tzif({{1577854800, 0}}, {{-18000, false}}, "EST5EDT");
    version1[4] = '\0';
    std::string noTypes = Tzif({}, {}, "EST5EDT");
    const std::string* files[] = {&badIndex, &shortFile, &version1, &noTypes};
    for (const std::string* bytes : files) {
        const TempFile file(*bytes);
        posix::YearChanges changes;
        changes.begins = true;
        EXPECT_FALSE(posix::ZoneFileChanges(file.path(), rule, 2026, changes));
        EXPECT_FALSE(changes.begins || changes.ends);
    }
    posix::YearChanges changes;
    EXPECT_FALSE(posix::ZoneFileChanges("/nonexistent/zone", rule, 2026, changes));
    EXPECT_FALSE(posix::ZoneFileChanges("/tmp", rule, 2026, changes));
}

// A zone file named by path whose footer is garbage is no zone at all.
TEST(ReadTimeZoneTest, ZoneFileWithAMalformedFooter) {
    // Built by appending: GCC 12 with LTO warns falsely on the sum of these
    // strings (a 70-byte copy into a 16-byte buffer).
    std::string contents("TZif2", 5);
    contents.append(64, '\0');
    contents += "\nEST5EDT,M3.9.0,M11.1.0\n";
    TempFile file(contents);
    testing::ScopedTz tz(file.path());
    TimeZoneInfo info;
    EXPECT_EQ(ReadTimeZone(2026, info), ZoneState::kNoDaylightSaving);
    EXPECT_STREQ(info.standardName, "");
}

}  // namespace
}  // namespace kalcore::platform
