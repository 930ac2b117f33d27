// The holiday rules, the record layout and building a year into the file.
#include "services/holidays.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "fixed_clock.h"
#include "temp_dir.h"

namespace kalcore::services {
namespace {

using platform::DataFile;

struct Expected {
    int month, day, year, dayOff;
    const char* name;
};

std::vector<HolidayRecord> ReadAll(const std::string& path) {
    std::vector<HolidayRecord> records;
    HolidayFile file;
    if (!file.Open(path.c_str(), DataFile::Mode::kRead)) return records;
    file.ForEach([&](const HolidayRecord& r) {
        records.push_back(r);
        return true;
    });
    return records;
}

std::uintmax_t FileSize(const std::string& path) {
    return std::filesystem::file_size(path);
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void ExpectRecords(const std::vector<HolidayRecord>& got, const std::vector<Expected>& want,
                   int holidayYear) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(want[i].name);
        EXPECT_EQ(got[i].month, want[i].month);
        EXPECT_EQ(got[i].day, want[i].day);
        EXPECT_EQ(got[i].century, want[i].year / 100);
        EXPECT_EQ(got[i].twoDigitYear, want[i].year % 100);
        EXPECT_EQ(got[i].dayOff, want[i].dayOff);
        EXPECT_STREQ(got[i].name, want[i].name);
        EXPECT_EQ(got[i].holidayYear, holidayYear);
    }
}

// 1 January 2022 is a Saturday: nothing moves into 2021 from it. Independence
// Day falls on a Sunday, Christmas on a Saturday; "Christmas Eve" then shares
// its date with the observed Christmas and is not written.
const std::vector<Expected> k2021 = {
    {1, 1, 2021, 1, "New_Years_Day"},      {2, 15, 2021, 1, "Presidents_Day"},
    {5, 31, 2021, 1, "Memorial_Day"},  // five Mondays in May
    {7, 4, 2021, 0, "Independence_Day"},   {7, 5, 2021, 1, "Independence_Day - Observed."},
    {9, 6, 2021, 1, "Labor_Day"},          {11, 11, 2021, 1, "Veterans_Day"},
    {11, 25, 2021, 1, "Thanksgiving_Day"}, {12, 24, 2021, 1, "Christmas_Day - Observed."},
    {12, 25, 2021, 0, "Christmas_Day"},    {10, 12, 2021, 1, "Columbus_Day"},
    {12, 31, 2021, 0, "New Years Eve"},    {11, 2, 2021, 0, "Election_Day"},
};

// New Year's Day on a Saturday is observed on Friday 31 December 2021, a
// record of holiday year 2022. Election Day is 1 November.
const std::vector<Expected> k2022 = {
    {12, 31, 2021, 1, "New_Years_Day - Observed."},
    {1, 1, 2022, 0, "New_Years_Day"},
    {2, 21, 2022, 1, "Presidents_Day"},
    {5, 30, 2022, 1, "Memorial_Day"},
    {7, 4, 2022, 1, "Independence_Day"},
    {9, 5, 2022, 1, "Labor_Day"},
    {11, 11, 2022, 1, "Veterans_Day"},
    {11, 24, 2022, 1, "Thanksgiving_Day"},
    {12, 25, 2022, 0, "Christmas_Day"},
    {12, 26, 2022, 1, "Christmas_Day - Observed."},
    {10, 12, 2022, 1, "Columbus_Day"},
    {12, 24, 2022, 0, "Christmas Eve"},
    {12, 31, 2022, 0, "New Years Eve"},
    {11, 1, 2022, 0, "Election_Day"},
};

TEST(HolidayRecordTest, LittleEndianLayout) {
    HolidayRecord r{};
    r.month = 12;
    r.day = 24;
    r.century = 20;
    r.twoDigitYear = 21;
    r.dayOff = 1;
    std::strcpy(r.name, "Christmas_Day - Observed.");
    r.holidayYear = 2021;
    HolidayRecordBytes bytes;
    EncodeHolidayRecord(r, bytes);
    const unsigned char head[24] = {12, 0, 0, 0, 24, 0, 0, 0, 20, 0, 0, 0,
                                    21, 0, 0, 0, 1,  0, 0, 0, 25, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes, head, sizeof head), 0);
    EXPECT_EQ(std::memcmp(bytes + 24, "Christmas_Day - Observed.", 25), 0);
    for (std::size_t i = 24 + 25; i < 68; ++i) EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[68], 2021 & 0xFF);
    EXPECT_EQ(bytes[69], 2021 >> 8);
    EXPECT_EQ(bytes[70], 0);
    EXPECT_EQ(bytes[71], 0);

    HolidayRecord back;
    DecodeHolidayRecord(bytes, back);
    EXPECT_TRUE(back.SameIdentity(r));
    EXPECT_STREQ(back.name, r.name);
    EXPECT_EQ(back.dayOff, 1);

    // Negative numbers survive the trip.
    r.month = -1;
    r.holidayYear = -2147483647 - 1;
    EncodeHolidayRecord(r, bytes);
    DecodeHolidayRecord(bytes, back);
    EXPECT_EQ(back.month, -1);
    EXPECT_EQ(back.holidayYear, -2147483647 - 1);
}

// A name without a terminator, or with a length field that lies, is cut at
// 43 characters.
TEST(HolidayRecordTest, HostileNameFields) {
    HolidayRecordBytes bytes;
    std::memset(bytes, 'A', sizeof bytes);
    bytes[20] = 0xFF;  // length field far beyond the name
    bytes[21] = 0xFF;
    HolidayRecord r;
    DecodeHolidayRecord(bytes, r);
    EXPECT_EQ(std::strlen(r.name), kMaxHolidayNameChars);
    EXPECT_EQ(std::string(r.name), std::string(43, 'A'));

    std::memset(bytes, 0, sizeof bytes);
    std::memcpy(bytes + 24, "Short", 5);
    bytes[20] = 40;  // says 40, the terminator says 5
    DecodeHolidayRecord(bytes, r);
    EXPECT_STREQ(r.name, "Short");
}

TEST(HolidayRecordTest, IdentityIgnoresNameAndFlag) {
    HolidayRecord a{12, 24, 20, 21, 1, "Christmas_Day - Observed.", 2021};
    HolidayRecord b{12, 24, 20, 21, 0, "Christmas Eve", 2021};
    EXPECT_TRUE(a.SameIdentity(b));
    const auto differs = [&](HolidayRecord c) { return !a.SameIdentity(c); };
    EXPECT_TRUE(differs({11, 24, 20, 21, 1, "", 2021}));
    EXPECT_TRUE(differs({12, 23, 20, 21, 1, "", 2021}));
    EXPECT_TRUE(differs({12, 24, 19, 21, 1, "", 2021}));
    EXPECT_TRUE(differs({12, 24, 20, 22, 1, "", 2021}));
    EXPECT_TRUE(differs({12, 24, 20, 21, 1, "", 2022}));
}

// Rows whose date depends on the year, with a weekend rule or a count of
// weekdays: the records each year gives, by name.
TEST(HolidayRecordsOfYearTest, DatesOfTheRules) {
    struct Row {
        int year;
        const char* name;
        int month, day, dateYear, dayOff;
    };
    const Row rows[] = {
        {2024, "Memorial_Day", 5, 27, 2024, 1},  // four Mondays in May
        {2021, "Memorial_Day", 5, 31, 2021, 1},  // five
        {2022, "Election_Day", 11, 1, 2022, 0},  // 1 November is a Tuesday
        {2021, "Election_Day", 11, 2, 2021, 0},
        {2026, "Election_Day", 11, 3, 2026, 0},  // not the 10th
        {2020, "Thanksgiving_Day", 11, 26, 2020, 1},
        {2026, "Presidents_Day", 2, 16, 2026, 1},
        {2026, "Labor_Day", 9, 7, 2026, 1},
        {2026, "Columbus_Day", 10, 12, 2026, 1},                // a Monday, kept
        {2025, "Columbus_Day", 10, 12, 2025, 0},                // a Sunday: the calendar date ...
        {2025, "Columbus_Day - Observed.", 10, 13, 2025, 1},    // ... and the Monday
        {2026, "Independence_Day - Observed.", 7, 3, 2026, 1},  // Saturday the 4th
        {2026, "Independence_Day", 7, 4, 2026, 0},
        {2023, "Veterans_Day - Observed.", 11, 10, 2023, 1},
        {2028, "Christmas_Day", 12, 25, 2028, 1},  // a Monday: not moved
        {2027, "Christmas Eve", 12, 24, 2027, 0},  // a Friday: same date as the observed Christmas
        {2011, "New_Years_Day - Observed.", 12, 31, 2010, 1},
    };
    for (const Row& row : rows) {
        HolidayRecord records[kMaxHolidayRecordsPerYear];
        const std::size_t n = HolidayRecordsOfYear(row.year, records);
        bool found = false;
        for (std::size_t i = 0; i < n && !found; ++i) {
            if (std::strcmp(records[i].name, row.name) != 0 || records[i].month != row.month ||
                records[i].day != row.day)
                continue;
            found = true;
            EXPECT_EQ(records[i].century * 100 + records[i].twoDigitYear, row.dateYear);
            EXPECT_EQ(records[i].dayOff, row.dayOff) << row.year << " " << row.name;
            EXPECT_EQ(records[i].holidayYear, row.year);
        }
        EXPECT_TRUE(found) << row.year << " " << row.name << " " << row.month << "/" << row.day;
    }
}

// Christmas 2028 falls on a Monday and is not moved; a year with no
// weekend moves has twelve records, and no year has more than seventeen.
TEST(HolidayRecordsOfYearTest, RecordCounts) {
    for (int year = 1600; year <= 2500; ++year) {
        HolidayRecord records[kMaxHolidayRecordsPerYear];
        const std::size_t n = HolidayRecordsOfYear(year, records);
        ASSERT_GE(n, kHolidayRuleCount) << year;
        ASSERT_LE(n, kMaxHolidayRecordsPerYear) << year;
    }
    HolidayRecord records[kMaxHolidayRecordsPerYear];
    // 2029: 1 Jan Monday, 4 Jul Wednesday, 11 Nov Sunday, 25 Dec Tuesday, 12 Oct Friday.
    EXPECT_EQ(HolidayRecordsOfYear(2029, records), 13u);
}

TEST(BuildHolidayYearTest, KeyYear2021) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    EXPECT_EQ(BuildHolidayYear(path.c_str(), 2021), 13);
    EXPECT_EQ(FileSize(path), 13 * kHolidayRecordSize);
    ExpectRecords(ReadAll(path), k2021, 2021);
}

TEST(BuildHolidayYearTest, KeyYear2022AfterTheObservedNewYear) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    EXPECT_EQ(BuildHolidayYear(path.c_str(), 2022), 14);
    ExpectRecords(ReadAll(path), k2022, 2022);
}

// The same year again writes nothing; another year adds its own records,
// even on dates that another year's records already carry.
TEST(BuildHolidayYearTest, BuildingTwiceWritesNothing) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    ASSERT_EQ(BuildHolidayYear(path.c_str(), 2021), 13);
    const std::string before = Bytes(path);
    EXPECT_EQ(BuildHolidayYear(path.c_str(), 2021), 0);
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(BuildHolidayYear(path.c_str(), 2022), 14);
    EXPECT_EQ(FileSize(path), 27 * kHolidayRecordSize);
    // No two records share an identity.
    std::set<std::tuple<int, int, int, int, int>> identities;
    for (const HolidayRecord& r : ReadAll(path))
        EXPECT_TRUE(
            identities.emplace(r.month, r.day, r.century, r.twoDigitYear, r.holidayYear).second);
}

TEST(BuildHolidayYearTest, UnwritableFile) {
    testing::TempDir dir;
    EXPECT_EQ(BuildHolidayYear(dir.File("missing/dir/Holidayf.Bnf").c_str(), 2021), -1);
    EXPECT_EQ(BuildHolidayYear(dir.path().c_str(), 2021), -1);  // a directory
    EXPECT_EQ(BuildHolidayYear(nullptr, 2021), -1);
}

// A file cut in the middle of a record is read up to its last whole record;
// the next build cuts the torn tail and appends aligned records.
TEST(BuildHolidayYearTest, TornLastRecordIsRepaired) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    ASSERT_EQ(BuildHolidayYear(path.c_str(), 2021), 13);
    std::filesystem::resize_file(path, 13 * kHolidayRecordSize - 30);
    EXPECT_EQ(ReadAll(path).size(), 12u);
    EXPECT_EQ(BuildHolidayYear(path.c_str(), 2021), 1);  // Election Day
    EXPECT_EQ(FileSize(path), 13 * kHolidayRecordSize);
    ExpectRecords(ReadAll(path), k2021, 2021);

    // Less than one record: nothing to read, everything to build.
    WriteBytes(path, Bytes(path).substr(0, 30));
    EXPECT_TRUE(ReadAll(path).empty());
    EXPECT_EQ(BuildHolidayYear(path.c_str(), 2021), 13);
    ExpectRecords(ReadAll(path), k2021, 2021);
}

std::string RecordBytes(const HolidayRecord& r) {
    HolidayRecordBytes bytes;
    EncodeHolidayRecord(r, bytes);
    return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

// Every start of a record the library writes, cut anywhere, is the torn
// record of a holiday file; each field that no record of the library holds
// makes the bytes foreign.
TEST(PlausibleHolidayRecordTest, WholeAndTornRecords) {
    HolidayRecord records[kMaxHolidayRecordsPerYear];
    for (int year : {1, 1999, 2022, 9999}) {
        const std::size_t n = HolidayRecordsOfYear(year, records);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string bytes = RecordBytes(records[i]);
            for (std::size_t size = 0; size <= kHolidayRecordSize; ++size)
                EXPECT_TRUE(PlausibleHolidayRecord(
                    reinterpret_cast<const unsigned char*>(bytes.data()), size))
                    << year << " " << records[i].name << " cut at " << size;
        }
    }
    const HolidayRecord good{12, 24, 20, 21, 1, "Christmas_Day - Observed.", 2021};
    struct Row {
        const char* what;
        std::size_t offset;
        std::int32_t value;  // written as a 32-bit number at the offset
        std::size_t from;    // the shortest torn record that shows the fault
    } const rows[] = {
        {"month 0", 0, 0, 4},
        {"month 13", 0, 13, 4},
        {"day 0", 4, 0, 8},
        {"24 February 2021 is fine, 29 is not", 4, 29, 16},
        {"century -1", 8, -1, 12},
        {"century 100", 8, 100, 12},
        {"two-digit year 100", 12, 100, 16},
        {"day-off flag 2", 16, 2, 20},
        {"name length 0", 20, 0, 24},
        {"a length no name of 'C' has", 20, 26, 25},
        {"holiday year 0", 68, 0, 72},
        {"holiday year two off", 68, 2023, 72},
        {"unknown name", 24, 0x656b6146, 25},  // "Fake"
    };
    for (const Row& row : rows) {
        std::string bytes = RecordBytes(good);
        if (row.value == 29) bytes[0] = 2;  // February
        for (int i = 0; i < 4; ++i)
            bytes[row.offset + i] =
                static_cast<char>(static_cast<std::uint32_t>(row.value) >> (8 * i));
        for (std::size_t size = row.from; size <= kHolidayRecordSize; ++size)
            EXPECT_FALSE(
                PlausibleHolidayRecord(reinterpret_cast<const unsigned char*>(bytes.data()), size))
                << row.what << " cut at " << size;
    }
    // A name without its terminator.
    std::string bytes = RecordBytes(good);
    std::memset(bytes.data() + 24, 'X', 44);
    EXPECT_FALSE(PlausibleHolidayRecord(reinterpret_cast<const unsigned char*>(bytes.data()), 72));
}

// A file that holds anything but holiday records is never changed: a build
// leaves it byte for byte, and lookups find no holiday in it, as if it were
// missing.
TEST(ForeignHolidayFileTest, LeftAsItIsAndHoldsNoHolidays) {
    testing::FixedClock clock(2021, 6, 1);
    const std::string good = RecordBytes({12, 24, 20, 21, 1, "Christmas_Day - Observed.", 2021});
    std::string badName = good;
    badName.replace(24, 4, "Fake");
    const std::string contents[] = {
        "Remember to buy milk\n",
        std::string(3 * kHolidayRecordSize, '\0'),
        good + good.substr(0, 10) + "xy",  // a torn record that goes wrong
        good + badName,
        good + RecordBytes({2, 29, 20, 21, 1, "Labor_Day", 2021}),  // no 29 February in 2021
        std::string(50, '\x7f'),
    };
    for (const std::string& content : contents) {
        SCOPED_TRACE(content.substr(0, 20));
        testing::TempDir dir;
        const std::string path = dir.File("Holidayf.Bnf");
        WriteBytes(path, content);
        EXPECT_EQ(BuildHolidayYear(path.c_str(), 2021), kBuildForeignFile);
        PrepareHolidayFile(path.c_str(), "2021");
        EXPECT_EQ(Bytes(path), content);
        HolidayFile file;
        ASSERT_TRUE(file.Open(path.c_str(), DataFile::Mode::kRead));
        EXPECT_EQ(file.Check(), HolidayContent::kForeign);
    }
}

// Processes building the same year at the same moment write every record
// once: the build holds the file's lock from search to append.
TEST(BuildHolidayYearTest, ConcurrentBuildsWriteNoDuplicates) {
    testing::TempDir dir;
    const std::string path = dir.File("Holidayf.Bnf");
    // Records of other years in front make every search long, so that the
    // builds overlap.
    std::string filler;
    std::set<std::tuple<int, int, int, int, int>> identities;
    for (int year = 1; year < 1600; ++year) {
        HolidayRecord records[kMaxHolidayRecordsPerYear];
        const std::size_t n = HolidayRecordsOfYear(year, records);
        for (std::size_t i = 0; i < n; ++i) {
            const HolidayRecord& r = records[i];
            if (identities.emplace(r.month, r.day, r.century, r.twoDigitYear, r.holidayYear).second)
                filler += RecordBytes(r);
        }
    }
    WriteBytes(path, filler);
    const std::uintmax_t fillerSize = filler.size();
    constexpr int kProcesses = 6;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < kProcesses; ++i) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            close(ready[1]);
            char go;
            // All start together when the pipe closes.
            const bool started = read(ready[0], &go, 1) == 0;
            const int written = started ? BuildHolidayYear(path.c_str(), i % 2 ? 2021 : 2022) : -1;
            _exit(written < 0 ? 255 : written);
        }
        children.push_back(pid);
    }
    close(ready[0]);
    close(ready[1]);
    int total = 0;
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_NE(WEXITSTATUS(status), 255);
        total += WEXITSTATUS(status);
    }
    EXPECT_EQ(total, 13 + 14);
    EXPECT_EQ(FileSize(path), fillerSize + 27 * kHolidayRecordSize);
    identities.clear();
    for (const HolidayRecord& r : ReadAll(path))
        EXPECT_TRUE(
            identities.emplace(r.month, r.day, r.century, r.twoDigitYear, r.holidayYear).second);
}

TEST(PrepareHolidayFileTest, YearFromTheKeyYear) {
    testing::FixedClock clock(2022, 3, 1);
    struct Row {
        bool fileExists;
        const char* keyYear;
        int holidayYear;
    };
    const Row rows[] = {
        {false, "", 2022},     {false, "2021", 2021}, {false, "abc", 2022}, {true, "2021", 2021},
        {true, "", 2022},      {true, "zz", 2022},    {true, "21", 2021},   {false, nullptr, 2022},
        {true, "20211", 2022},  // five digits are no year: the current year
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keyYear ? row.keyYear : "(null)");
        testing::TempDir dir;
        const std::string path = dir.File("Holidayf.Bnf");
        if (row.fileExists) WriteBytes(path, "");
        PrepareHolidayFile(path.c_str(), row.keyYear);
        const std::vector<HolidayRecord> records = ReadAll(path);
        ASSERT_FALSE(records.empty());
        for (const HolidayRecord& r : records) EXPECT_EQ(r.holidayYear, row.holidayYear);
    }
}

}  // namespace
}  // namespace kalcore::services
