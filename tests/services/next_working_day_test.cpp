// The holiday lookup and the next working day.
#include "services/next_working_day.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "format/date_reader.h"
#include "format/date_writer.h"
#include "services/holidays.h"
#include "temp_dir.h"

namespace kalcore::services {
namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string RecordBytes(const HolidayRecord& r) {
    HolidayRecordBytes bytes;
    EncodeHolidayRecord(r, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// The directory part of `path` (up to its last separator) and the name, as
// the lookups take a holiday file; nullptr gives no file.
struct SplitPath {
    std::string directory;
    const char* name = nullptr;
    explicit SplitPath(const char* path) {
        if (path == nullptr) return;
        const char* slash = std::strrchr(path, '/');
        name = slash != nullptr ? slash + 1 : path;
        directory.assign(path, static_cast<std::size_t>(name - path));
    }
    const char* dir() const { return name != nullptr ? directory.c_str() : nullptr; }
};

// A date text read as the exports read it.
bool ReadText(const char* date, CivilDate& out) {
    DateText text = {};
    std::strncpy(text, date, kMaxDateChars);
    DateReading reading;
    if (!ReadDate(text, 0, reading)) return false;
    out = reading.date;
    return true;
}

// The lookup of a date text in the holiday file at `path`; an invalid date
// fails it, as it fails the export.
bool LookUp(const char* path, const char* date, HolidayLookup& answer) {
    CivilDate d;
    if (!ReadText(date, d)) return false;
    const SplitPath split(path);
    return LookUpHoliday(split.dir(), split.name, d, answer);
}

// The next working day of a date text, as MM-DD-CCYY (empty when it fails).
bool NextWorkingDayOf(const char* path, const char* date, std::int64_t count, int useHolidays,
                      DateText& result) {
    std::memset(result, 0, sizeof result);
    CivilDate start, end;
    const SplitPath split(path);
    if (!ReadText(date, start) ||
        !NextWorkingDay(split.dir(), split.name, start, count, useHolidays == 1, end))
        return false;
    WriteDate(LayoutOf<'A'>(), end, result);
    return true;
}

// A holiday file with the key years 2021 and 2022 built.
class HolidayFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(BuildHolidayYear(path_.c_str(), 2021), 13);
        ASSERT_EQ(BuildHolidayYear(path_.c_str(), 2022), 14);
    }
    const char* path() const { return path_.c_str(); }

    testing::FixedClock clock_{2026, 12, 8};
    testing::TempDir dir_;
    std::string path_ = dir_.File("Holidayf.Bnf");
};

TEST_F(HolidayFileTest, LookUpFindsTheDateOfItsOwnYear) {
    struct Row {
        const char* date;
        bool isHoliday;
        const char* name;
        int dayOff;
    };
    const Row rows[] = {
        {"12/25/2021", true, "Christmas_Day", 0},
        {"Dec/24/2021", true, "Christmas_Day - Observed.", 1},
        {"07/05/2021", true, "Independence_Day - Observed.", 1},
        {"07/04/2021", true, "Independence_Day", 0},
        {"11/02/2021", true, "Election_Day", 0},
        {"12/31/2021", true, "New_Years_Day - Observed.", 1},  // 2022's, before New Years Eve
        {"01/01/2022", true, "New_Years_Day", 0},
        {"12/26/2022", true, "Christmas_Day - Observed.", 1},
        {"2022-11-01", true, "Election_Day", 0},
        {"12/23/2021", false, "", 0},
        {"12/25/2023", false, "", 0},  // a year never built
        {"12/25/98", false, "", 0},
    };
    for (const Row& row : rows) {
        HolidayLookup answer;
        ASSERT_TRUE(LookUp(path(), row.date, answer)) << row.date;
        EXPECT_EQ(answer.isHoliday, row.isHoliday) << row.date;
        EXPECT_STREQ(answer.name, row.name) << row.date;
        EXPECT_EQ(answer.dayOff, row.dayOff == 1) << row.date;
    }
    HolidayLookup answer;
    EXPECT_FALSE(LookUp(path(), "02/30/2021", answer));
}

// New Year's Day on a Saturday is observed on Friday 31 December, in a
// record of the next holiday year: that day off counts whichever years are
// built and in whichever order, before New Years Eve of the date's own year.
TEST(HolidayLookupTest, ObservedNewYearOnFriday31December) {
    struct Build {
        std::vector<int> years;  // offsets from the year of the Friday
        const char* name;
        int dayOff;
        const char* nextWorkingDay;  // from 30 December, count 1: "+1" = 3 January of the next year
    };
    const Build builds[] = {
        {{1}, "New_Years_Day - Observed.", 1, "+1"},
        {{0}, "New Years Eve", 0, "+0"},
        {{0, 1}, "New_Years_Day - Observed.", 1, "+1"},
        {{1, 0}, "New_Years_Day - Observed.", 1, "+1"},
    };
    for (int year : {2004, 2010, 2021, 2027, 2032, 2038}) {
        for (const Build& b : builds) {
            testing::TempDir dir;
            const std::string path = dir.File("Holidayf.Bnf");
            std::string built;
            for (int offset : b.years) {
                ASSERT_GT(BuildHolidayYear(path.c_str(), year + offset), 0);
                built += std::to_string(year + offset) + " ";
            }
            SCOPED_TRACE(std::to_string(year) + " with " + built + "built");
            const std::string friday = "12/31/" + std::to_string(year);
            ASSERT_EQ(WeekdayOf(CivilDate{year, 12, 31}), Weekday::kFriday);
            HolidayLookup answer;
            ASSERT_TRUE(LookUp(path.c_str(), friday.c_str(), answer));
            EXPECT_TRUE(answer.isHoliday);
            EXPECT_STREQ(answer.name, b.name);
            EXPECT_EQ(answer.dayOff, b.dayOff == 1);

            char want[12];
            if (std::strcmp(b.nextWorkingDay, "+1") == 0)
                std::snprintf(want, sizeof want, "01-03-%04d", year + 1);
            else
                std::snprintf(want, sizeof want, "12-31-%04d", year);
            DateText result;
            const std::string thursday = "12/30/" + std::to_string(year);
            ASSERT_TRUE(NextWorkingDayOf(path.c_str(), thursday.c_str(), 1, 1, result));
            EXPECT_STREQ(result, want);
        }
    }
}

TEST(HolidayLookupTest, MissingEmptyAndTornFiles) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    HolidayLookup answer;
    // Missing: nothing is a holiday.
    ASSERT_TRUE(LookUp(path.c_str(), "12/25/2021", answer));
    EXPECT_FALSE(answer.isHoliday);
    EXPECT_TRUE(LookUp(nullptr, "12/25/2021", answer));
    EXPECT_FALSE(answer.isHoliday);
    // Empty, or less than one record: the lookup fails.
    const std::string record = RecordBytes({12, 25, 20, 21, 1, "Christmas_Day", 2021});
    for (std::size_t size : {0, 1, 71}) {
        WriteBytes(path, record.substr(0, size));
        EXPECT_FALSE(LookUp(path.c_str(), "12/25/2021", answer)) << size;
    }
}

// Of several records of one date the first day-off record answers, whatever
// the holiday years; without one the first record. A torn last record is not
// read.
TEST(HolidayLookupTest, DayOffRecordAnswersFirst) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    const std::string bytes = RecordBytes({3, 17, 20, 26, 0, "Labor_Day", 2026}) +
                              RecordBytes({3, 17, 20, 26, 1, "Columbus_Day", 2027}) +
                              RecordBytes({3, 17, 20, 26, 1, "Veterans_Day", 2026}) +
                              RecordBytes({3, 18, 20, 26, 0, "Election_Day", 2027}) +
                              RecordBytes({3, 18, 20, 26, 0, "Labor_Day", 2026}) +
                              RecordBytes({4, 1, 20, 26, 1, "Labor_Day", 2026}).substr(0, 40);
    WriteBytes(path, bytes);
    HolidayLookup answer;
    ASSERT_TRUE(LookUp(path.c_str(), "03/17/2026", answer));
    EXPECT_STREQ(answer.name, "Columbus_Day");
    EXPECT_TRUE(answer.dayOff);
    ASSERT_TRUE(LookUp(path.c_str(), "03/18/2026", answer));
    EXPECT_STREQ(answer.name, "Election_Day");
    EXPECT_FALSE(answer.dayOff);
    ASSERT_TRUE(LookUp(path.c_str(), "04/01/2026", answer));
    EXPECT_FALSE(answer.isHoliday);
}

struct StepCase {
    const char* date;
    std::int64_t count;
    int useHolidays;
    const char* result;
};

TEST_F(HolidayFileTest, NextWorkingDay) {
    const StepCase cases[] = {
        {"12/17/2021", 1, 0, "12-20-2021"},   // Friday: the Monday after
        {"12/18/2021", 1, 0, "12-20-2021"},   // Saturday
        {"12/19/2021", 1, 0, "12-20-2021"},   // Sunday
        {"12/20/2021", 1, 0, "12-21-2021"},   // the start is never counted
        {"12/20/2021", -3, 0, "12-23-2021"},  // the sign does not count
        {"12/20/2021", 0, 0, "12-21-2021"},   // 0 counts as 1
        {"12/20/2021", 5, 0, "12-27-2021"},
        {"12/20/2021", 10, 0, "01-03-2022"},
        {"12/23/2021", 1, 0, "12-24-2021"},
        {"12/23/2021", 1, 1, "12-27-2021"},  // the observed Christmas is a day off
        {"12/23/2021", 2, 1, "12-28-2021"},
        {"12/23/2021", 1, 2, "12-24-2021"},  // only 1 turns holidays on
        {"12/30/2021", 1, 1, "01-03-2022"},  // 2022's New Year observed on 31 December
        {"12/30/2021", 1, 0, "12-31-2021"},
        {"12/30/2022", 1, 1, "01-02-2023"},  // the New Year of 2023 was never built
        {"11/01/2021", 1, 1, "11-02-2021"},  // Election Day is worked
        {"11/24/2021", 1, 1, "11-26-2021"},  // Thanksgiving is not
        {"11/10/2021", 1, 1, "11-12-2021"},  // Veterans Day
        {"07/02/2021", 1, 1, "07-06-2021"},  // the observed Independence Day
        {"12/23/2022", 1, 1, "12-27-2022"},  // the observed Christmas on a Monday
        {"12/31/2021", 1, 1, "01-03-2022"},  // 1 January 2022 is a Saturday
        {"12/30/2021", 2, 1, "01-04-2022"},
        {"12/29/2022", 1, 1, "12-30-2022"},  // New Years Eve 2022, a Saturday, is no day off
        {"01/01/2021", 250, 1, "12-29-2021"},
        {"TODAY", 1, 0, "12-09-2026"},
        {"Dec/11/26", 1, 1, "12-14-2026"},
    };
    for (const StepCase& c : cases) {
        DateText result = "stale";
        EXPECT_TRUE(NextWorkingDayOf(path(), c.date, c.count, c.useHolidays, result))
            << c.date << " " << c.count;
        EXPECT_STREQ(result, c.result) << c.date << " " << c.count << " " << c.useHolidays;
    }
}

TEST_F(HolidayFileTest, NextWorkingDayFailures) {
    const struct {
        const char* date;
        std::int64_t count;
    } cases[] = {
        {"02/30/2021", 1},
        {"bogus", 1},
        {"", 1},
        {"12/31/9999", 1},
        {"12/30/9999", 2},  // beyond the year 9999
        {"01/01/2021", 2147483647},
        {"01/01/2021", -2147483647LL - 1},
    };
    for (const auto& c : cases) {
        for (int useHolidays : {0, 1}) {
            DateText result = "stale";
            EXPECT_FALSE(NextWorkingDayOf(path(), c.date, c.count, useHolidays, result))
                << c.date << " " << c.count;
            EXPECT_STREQ(result, "");
        }
    }
    DateText result;
    EXPECT_TRUE(NextWorkingDayOf(path(), "12/30/9999", 1, 1, result));
    EXPECT_STREQ(result, "12-31-9999");
}

TEST(NextWorkingDayTest, MissingAndEmptyHolidayFiles) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    DateText result;
    // Missing: holidays on behaves as off.
    EXPECT_TRUE(NextWorkingDayOf(path.c_str(), "12/23/2021", 1, 1, result));
    EXPECT_STREQ(result, "12-24-2021");
    EXPECT_TRUE(NextWorkingDayOf(nullptr, "12/23/2021", 1, 1, result));
    EXPECT_STREQ(result, "12-24-2021");
    // Empty: with holidays on the lookup fails; off, the file is not read.
    WriteBytes(path, "");
    EXPECT_FALSE(NextWorkingDayOf(path.c_str(), "12/23/2021", 1, 1, result));
    EXPECT_STREQ(result, "");
    EXPECT_TRUE(NextWorkingDayOf(path.c_str(), "12/23/2021", 1, 0, result));
    EXPECT_STREQ(result, "12-24-2021");
    // A directory in the file's place is no holiday file.
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_TRUE(NextWorkingDayOf(path.c_str(), "12/23/2021", 1, 1, result));
    EXPECT_STREQ(result, "12-24-2021");
    HolidayLookup answer;
    EXPECT_TRUE(LookUp(path.c_str(), "12/24/2021", answer));
    EXPECT_FALSE(answer.isHoliday);
}

// The day-by-day walk: each day after the start, weekends skipped, the
// holiday lookup run on every weekday.
bool ReferenceWalk(const char* path, const char* date, std::int64_t count, DateText& result) {
    CivilDate start{};
    if (!ReadText(date, start)) return false;
    std::int64_t serial = SerialDay(start);
    const std::int64_t n = count == 0 ? 1 : (count < 0 ? -count : count);
    const SplitPath split(path);
    for (std::int64_t k = 0; k < n;) {
        CivilDate day{};
        if (!DateOfSerial(++serial, day)) return false;
        const Weekday weekday = WeekdayOf(day);
        if (weekday == Weekday::kSunday || weekday == Weekday::kSaturday) continue;
        HolidayLookup answer;
        if (!LookUpHoliday(split.dir(), split.name, day, answer)) return false;
        if (answer.isHoliday && answer.dayOff) continue;
        ++k;
        WriteDate(LayoutOf<'A'>(), day, result);
    }
    return true;
}

// Many key years (more holiday dates than the index holds at once), long and
// short walks from many start dates: the result equals the day-by-day walk.
TEST(NextWorkingDayTest, SameAsTheDayByDayWalk) {
    testing::FixedClock clock(2026, 12, 8);
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    for (int year = 1850; year <= 2030; ++year) ASSERT_GT(BuildHolidayYear(path.c_str(), year), 0);
    // A record that lookups never find (its holiday year is another), a
    // second day off on a date, and a day off moved onto a weekend.
    std::ofstream(path, std::ios::binary | std::ios::app)
        << RecordBytes({3, 3, 20, 10, 1, "Labor_Day", 2011})
        << RecordBytes({3, 4, 20, 10, 1, "Labor_Day", 2010})
        << RecordBytes({3, 4, 20, 10, 0, "Columbus_Day", 2010})
        << RecordBytes({3, 6, 20, 10, 1, "Labor_Day", 2010});
    const char* starts[] = {"01/01/1995", "12/23/1999", "07/02/2004", "11/24/2010",
                            "03/03/2010", "12/30/2020", "06/15/2029", "01/01/1990"};
    const std::int64_t counts[] = {1, 2, 5, 7, 23, 250, 260, 600, -17, 0};
    std::vector<std::pair<const char*, std::int64_t>> walks;
    for (const char* start : starts)
        for (std::int64_t count : counts) walks.emplace_back(start, count);
    // Walks through more holiday dates than the index holds at once.
    walks.emplace_back("01/01/1850", 48000);
    walks.emplace_back("06/01/1900", 30000);
    for (const auto& [start, count] : walks) {
        {
            DateText fast, slow;
            const bool slowOk = ReferenceWalk(path.c_str(), start, count, slow);
            ASSERT_EQ(NextWorkingDayOf(path.c_str(), start, count, 1, fast), slowOk)
                << start << " " << count;
            EXPECT_STREQ(fast, slow) << start << " " << count;
        }
    }
}

}  // namespace
}  // namespace kalcore::services
