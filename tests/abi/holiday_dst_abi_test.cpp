// The daylight-saving, Easter, holiday and next-working-day exports called as
// a foreign caller calls them: the library loaded by file name, functions
// resolved by name, every output buffer fenced by guard bytes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "abi/library.h"
#include "scoped_tz.h"

namespace {

using kalcore::abi::Library;
using kalcore::testing::ScopedEnv;
using kalcore::testing::ScopedTz;

using DaylightFn = int16_t (*)(const char*, char*, int32_t*, int32_t*, char*, char*, char*, char*);
using EasterFn = int16_t (*)(int32_t, int32_t*, int32_t*);
using NextWorkDayFn = int16_t (*)(const char*, char*, const int32_t*, int32_t);
using IsHolidayFn = int16_t (*)(const char*, int32_t*, char*, int32_t*);

// `Size` bytes, prefilled with a stale text, between two guard areas.
template <std::size_t Size>
struct Guarded : kalcore::abi::Guarded<Size> {
    explicit Guarded(const char* stale = "stale") : kalcore::abi::Guarded<Size>(stale) {}
};

class HolidayDstAbiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(lib_.handle(), nullptr) << dlerror();
        dst_ = lib_.Resolve<DaylightFn>("KD_DAYLIGHTSAVINGSTIMES");
        easter_ = lib_.Resolve<EasterFn>("KD_EASTERCALC");
        ASSERT_NE(dst_, nullptr);
        ASSERT_NE(easter_, nullptr);
    }

    // The eight outputs of KD_DAYLIGHTSAVINGSTIMES at their documented sizes.
    struct DstOut {
        Guarded<75> zone;
        Guarded<12> begin, end;
        Guarded<24> beginLabel, endLabel;
        int32_t status = -7, sameDay = -7;
        bool Intact() const {
            return zone.Intact() && begin.Intact() && end.Intact() && beginLabel.Intact() &&
                   endLabel.Intact();
        }
    };
    int16_t CallDst(const char* year, DstOut& o) {
        return dst_(year, o.zone.data(), &o.status, &o.sameDay, o.begin.data(), o.end.data(),
                    o.beginLabel.data(), o.endLabel.data());
    }

    Library lib_;
    DaylightFn dst_ = nullptr;
    EasterFn easter_ = nullptr;
};

TEST_F(HolidayDstAbiTest, DaylightSavingDatesWithinTheirBuffers) {
    ScopedTz tz("EST5EDT,M3.2.0,M11.1.0");
    DstOut o;
    ASSERT_EQ(CallDst("2026", o), 1);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.sameDay, 0);
    // Standard or daylight name, depending on today's date.
    const std::string zone = o.zone.data();
    EXPECT_TRUE(zone == "GMT -05:00 EST" || zone == "GMT -05:00 EDT") << zone;
    EXPECT_STREQ(o.begin.data(), "03-08-2026");
    EXPECT_STREQ(o.end.data(), "11-01-2026");
    EXPECT_STREQ(o.beginLabel.data(), "DayLight Savings Begins");
    EXPECT_STREQ(o.endLabel.data(), "DayLight Savings Ends  ");
    EXPECT_TRUE(o.Intact());
}

// The longest zone text (a 63-character name) and a year text longer than
// the 7 characters read stay within their buffers.
TEST_F(HolidayDstAbiTest, LongestTextsStayWithinBounds) {
    const std::string name(63, 'A');
    ScopedTz tz(("<" + name + ">-5:30" + "<" + name + ">,M3.2.0,M11.1.0").c_str());
    DstOut o;
    ASSERT_EQ(CallDst("2026", o), 1);
    EXPECT_EQ(std::string(o.zone.data()), "GMT +05:30 " + name);
    EXPECT_TRUE(o.Intact());

    // Only the first 7 characters are read, and of "01-01-2026   " the date
    // reader takes the first 11: the year 2026. "01-01-20267" is no date.
    DstOut longYear;
    const std::string year = "2026" + std::string(3, ' ') + std::string(5000, '7');
    EXPECT_EQ(CallDst(year.c_str(), longYear), 1);
    EXPECT_STREQ(longYear.begin.data(), "03-08-2026");
    EXPECT_TRUE(longYear.Intact());
    DstOut junkYear;
    EXPECT_EQ(CallDst(("2026" + std::string(5000, '7')).c_str(), junkYear), 0);
    EXPECT_STREQ(junkYear.begin.data(), "stale");
    EXPECT_TRUE(junkYear.Intact());
}

TEST_F(HolidayDstAbiTest, NoDaylightSavingGivesEmptyTexts) {
    ScopedTz tz("<+0545>-5:45");
    DstOut o;
    ASSERT_EQ(CallDst("2026", o), 1);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.sameDay, 0);
    EXPECT_STREQ(o.zone.data(), "");
    EXPECT_STREQ(o.begin.data(), "");
    EXPECT_STREQ(o.end.data(), "");
    EXPECT_STREQ(o.beginLabel.data(), "");
    EXPECT_STREQ(o.endLabel.data(), "");
    EXPECT_TRUE(o.Intact());
}

TEST_F(HolidayDstAbiTest, InvalidYearLeavesTextsUntouched) {
    ScopedTz tz("EST5EDT,M3.2.0,M11.1.0");
    for (const char* year : {"abc", "", "1x"}) {
        DstOut o;
        EXPECT_EQ(CallDst(year, o), 0) << year;
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.sameDay, -7);
        EXPECT_STREQ(o.zone.data(), "stale");
        EXPECT_STREQ(o.begin.data(), "stale");
        EXPECT_STREQ(o.endLabel.data(), "stale");
        EXPECT_TRUE(o.Intact());
    }
}

TEST_F(HolidayDstAbiTest, DaylightSavingNullPointersFail) {
    DstOut o;
    char* const buffers[] = {o.zone.data(), o.begin.data(), o.end.data(), o.beginLabel.data(),
                             o.endLabel.data()};
    int32_t status = -7, sameDay = -7;
    EXPECT_EQ(dst_(nullptr, buffers[0], &status, &sameDay, buffers[1], buffers[2], buffers[3],
                   buffers[4]),
              0);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(
        dst_("2026", buffers[0], nullptr, &sameDay, buffers[1], buffers[2], buffers[3], buffers[4]),
        0);
    // Each text output in turn missing.
    for (int missing = 0; missing < 5; ++missing) {
        char* b[5];
        for (int i = 0; i < 5; ++i) b[i] = i == missing ? nullptr : buffers[i];
        status = -7;
        EXPECT_EQ(dst_("2026", b[0], &status, &sameDay, b[1], b[2], b[3], b[4]), 0) << missing;
        EXPECT_EQ(status, 0);
    }
    EXPECT_EQ(
        dst_("2026", buffers[0], &status, nullptr, buffers[1], buffers[2], buffers[3], buffers[4]),
        0);
    EXPECT_STREQ(o.zone.data(), "stale");
    EXPECT_TRUE(o.Intact());
}

TEST_F(HolidayDstAbiTest, EasterDates) {
    struct Row {
        int32_t year, month, day;
    };
    const Row rows[] = {{1998, 4, 12}, {2000, 4, 23}, {2024, 3, 31},
                        {2026, 4, 5},  {2038, 4, 25}, {1818, 3, 22}};
    for (const Row& row : rows) {
        int32_t month = -1, day = -1;
        EXPECT_EQ(easter_(row.year, &month, &day), 1);
        EXPECT_EQ(month, row.month) << row.year;
        EXPECT_EQ(day, row.day) << row.year;
    }
    int32_t value = -1;
    EXPECT_EQ(easter_(2026, nullptr, &value), 0);
    EXPECT_EQ(easter_(2026, &value, nullptr), 0);
    EXPECT_EQ(value, -1);
}

// One holiday record as the file lays it out: 72 bytes, little-endian.
std::string Record(int32_t month, int32_t day, int32_t year, int32_t dayOff,
                   const std::string& name, int32_t holidayYear) {
    std::string bytes(72, '\0');
    const auto put = [&](std::size_t at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((uint32_t(v) >> (8 * i)) & 0xFF);
    };
    put(0, month);
    put(4, day);
    put(8, year / 100);
    put(12, year % 100);
    put(16, dayOff);
    put(20, static_cast<int32_t>(name.size()));
    bytes.replace(24, name.size() < 44 ? name.size() : 44, name, 0, 44);
    put(68, holidayYear);
    return bytes;
}

// The library finds its data files under XDG_DATA_HOME ("C:\" maps there);
// each test gets a fresh one and writes the holiday file itself.
class HolidayAbiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/kalcore-abi-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        root_ = name;
        home_.emplace_back("HOME", root_.c_str());
        config_ = root_ + "/config";
        data_ = root_ + "/data";
        home_.emplace_back("XDG_CONFIG_HOME", config_.c_str());
        home_.emplace_back("XDG_DATA_HOME", data_.c_str());
        home_.emplace_back("HOLDYPATH", nullptr);
        std::filesystem::create_directories(data_ + "/kalcore");
        ASSERT_NE(lib_.handle(), nullptr) << dlerror();
        next_ = lib_.Resolve<NextWorkDayFn>("KD_NXTWRKDAY");
        isHoliday_ = lib_.Resolve<IsHolidayFn>("KD_ISTODAYAHOLDY");
        ASSERT_NE(next_, nullptr);
        ASSERT_NE(isHoliday_, nullptr);
    }
    void TearDown() override {
        home_.clear();
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    void WriteHolidays(const std::string& bytes) {
        // Any case: the library matches the file name without regard to it.
        std::ofstream(data_ + "/kalcore/HOLIDAYF.BNF", std::ios::binary | std::ios::trunc) << bytes;
    }
    void Write2021() {
        WriteHolidays(Record(12, 24, 2021, 1, "Christmas_Day - Observed.", 2021) +
                      Record(12, 25, 2021, 0, "Christmas_Day", 2021) +
                      Record(11, 2, 2021, 0, "Election_Day", 2021) +
                      Record(3, 17, 2021, 1, "Independence_Day - Observed.", 2021));
    }

    std::string root_, config_, data_;
    std::deque<ScopedEnv> home_;  // elements never move
    Library lib_;
    NextWorkDayFn next_ = nullptr;
    IsHolidayFn isHoliday_ = nullptr;
};

TEST_F(HolidayAbiTest, HolidayLookups) {
    Write2021();
    struct Row {
        const char* date;
        int16_t result;
        int32_t isHoliday;
        const char* name;
        int32_t dayOff;
    };
    const Row rows[] = {
        {"12/24/2021", 1, 1, "Christmas_Day - Observed.", 1},
        {"Dec/25/21", 1, 1, "Christmas_Day", 0},
        {"2021-11-02", 1, 1, "Election_Day", 0},
        {"03/17/2021", 1, 1, "Independence_Day - Observed.", 1},  // the longest name
        {"12/23/2021", 1, 0, "", 0},
        {"12/25/2022", 1, 0, "", 0},
        {"02/30/2021", 0, 0, "stale", 0},  // the name is untouched
        {"bogus", 0, 0, "stale", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.date);
        Guarded<29> name;
        int32_t isHoliday = -7, dayOff = -7;
        EXPECT_EQ(isHoliday_(row.date, &isHoliday, name.data(), &dayOff), row.result);
        EXPECT_EQ(isHoliday, row.isHoliday);
        EXPECT_STREQ(name.data(), row.name);
        EXPECT_EQ(dayOff, row.dayOff);
        EXPECT_TRUE(name.Intact());
    }
}

TEST_F(HolidayAbiTest, MissingEmptyAndTornHolidayFiles) {
    Guarded<29> name;
    int32_t isHoliday = -7, dayOff = -7;
    // No file: nothing is a holiday.
    EXPECT_EQ(isHoliday_("12/24/2021", &isHoliday, name.data(), &dayOff), 1);
    EXPECT_EQ(isHoliday, 0);
    EXPECT_STREQ(name.data(), "");
    // An empty file or one without a whole record: the lookup fails.
    const std::string christmas = Record(12, 25, 2021, 1, "Christmas_Day", 2021);
    for (const std::string& bytes : {std::string(), christmas.substr(0, 50)}) {
        WriteHolidays(bytes);
        Guarded<29> stale;
        EXPECT_EQ(isHoliday_("12/24/2021", &isHoliday, stale.data(), &dayOff), 0);
        EXPECT_EQ(isHoliday, 0);
        EXPECT_EQ(dayOff, 0);
        EXPECT_STREQ(stale.data(), "stale");
        Guarded<12> result;
        const int32_t one = 1;
        EXPECT_EQ(next_("12/23/2021", result.data(), &one, 1), 0);
        EXPECT_STREQ(result.data(), "");
        EXPECT_EQ(next_("12/23/2021", result.data(), &one, 0), 1);
        EXPECT_STREQ(result.data(), "12-24-2021");
    }
    // A torn last record is not read.
    WriteHolidays(Record(12, 24, 2021, 1, "Christmas_Day - Observed.", 2021) +
                  Record(12, 27, 2021, 1, "Christmas_Day - Observed.", 2021).substr(0, 40));
    EXPECT_EQ(isHoliday_("12/24/2021", &isHoliday, name.data(), &dayOff), 1);
    EXPECT_EQ(isHoliday, 1);
    EXPECT_EQ(isHoliday_("12/27/2021", &isHoliday, name.data(), &dayOff), 1);
    EXPECT_EQ(isHoliday, 0);
    // A file of anything but holiday records (here a name the library never
    // writes, cut to the field) holds no holidays and no lookup fails on it.
    const std::string foreign = Record(12, 24, 2021, 1, std::string(60, 'L'), 2021);
    WriteHolidays(foreign);
    EXPECT_EQ(isHoliday_("12/24/2021", &isHoliday, name.data(), &dayOff), 1);
    EXPECT_EQ(isHoliday, 0);
    Guarded<12> result;
    const int32_t one = 1;
    EXPECT_EQ(next_("12/23/2021", result.data(), &one, 1), 1);
    EXPECT_STREQ(result.data(), "12-24-2021");
    std::ifstream in(data_ + "/kalcore/HOLIDAYF.BNF", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), foreign);
}

TEST_F(HolidayAbiTest, NextWorkingDay) {
    Write2021();
    struct Row {
        const char* date;
        int32_t count;
        int32_t useHolidays;
        int16_t result;
        const char* text;
    };
    const Row rows[] = {
        {"12/23/2021", 1, 1, 1, "12-27-2021"},
        {"12/23/2021", 1, 0, 1, "12-24-2021"},
        {"12/17/2021", 1, 1, 1, "12-20-2021"},
        {"12/18/2021", 1, 0, 1, "12-20-2021"},
        {"12/20/2021", -3, 0, 1, "12-23-2021"},
        {"12/20/2021", 0, 0, 1, "12-21-2021"},
        {"11/01/2021", 1, 1, 1, "11-02-2021"},
        {"02/30/2021", 1, 0, 0, ""},
        {"12/31/9999", 1, 0, 0, ""},
        {"01/01/2021", INT32_MIN, 1, 0, ""},
        {"12/23/2021 xyzzy", 1, 1, 1, "12-27-2021"},
        {"12/23/2021xyzzy", 1, 1, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.date) + " " + std::to_string(row.count));
        Guarded<12> result;
        const int32_t count = row.count;
        EXPECT_EQ(next_(row.date, result.data(), &count, row.useHolidays), row.result);
        EXPECT_STREQ(result.data(), row.text);
        EXPECT_EQ(count, row.count);
        EXPECT_TRUE(result.Intact());
    }
}

// Each change of the holiday file or of the configuration that names it
// shows at the very next call: an edit in place (even one that keeps the
// size and, forged, the modification time), a replacement, a growth, a
// removal and a renaming of the file in the configuration.
TEST_F(HolidayAbiTest, LookupsSeeEveryChangeOfTheFileAtOnce) {
    const std::string path = data_ + "/kalcore/HOLIDAYF.BNF";
    const auto lookup = [&](const char* date) {
        Guarded<29> name;
        int32_t isHoliday = -7, dayOff = -7;
        if (isHoliday_(date, &isHoliday, name.data(), &dayOff) != 1) return std::string("fails");
        return isHoliday == 1 ? std::string(name.data()) + (dayOff == 1 ? " off" : " on")
                              : std::string("none");
    };
    const auto next = [&](const char* date) {
        Guarded<12> result;
        const int32_t one = 1;
        return next_(date, result.data(), &one, 1) == 1 ? std::string(result.data())
                                                        : std::string("fails");
    };
    // A modification time ahead of the clock: whatever the clock's
    // granularity, the file never counts as settled, so even an edit that
    // keeps the size and the time must show.
    const auto forgeTime = [&] {
        const timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 3600, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    };
    const std::string christmas = Record(12, 24, 2021, 1, "Christmas_Day - Observed.", 2021);
    const std::string columbus = Record(12, 24, 2021, 0, "Columbus_Day - Observed.", 2021);
    ASSERT_EQ(christmas.size(), columbus.size());

    WriteHolidays(christmas);
    forgeTime();
    EXPECT_EQ(lookup("12/24/2021"), "Christmas_Day - Observed. off");
    EXPECT_EQ(next("12/23/2021"), "12-27-2021");
    {  // in place, the same size and time
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.write(columbus.data(), static_cast<std::streamsize>(columbus.size()));
    }
    forgeTime();
    EXPECT_EQ(lookup("12/24/2021"), "Columbus_Day - Observed. on");
    EXPECT_EQ(next("12/23/2021"), "12-24-2021");
    // Replaced by another file.
    std::ofstream(path + ".new", std::ios::binary) << christmas;
    ASSERT_EQ(std::rename((path + ".new").c_str(), path.c_str()), 0);
    EXPECT_EQ(lookup("12/24/2021"), "Christmas_Day - Observed. off");
    // Grown.
    std::ofstream(path, std::ios::binary | std::ios::app)
        << Record(12, 27, 2021, 1, "Christmas_Day - Observed.", 2021);
    EXPECT_EQ(lookup("12/27/2021"), "Christmas_Day - Observed. off");
    EXPECT_EQ(next("12/23/2021"), "12-28-2021");
    // Renamed away, and back.
    ASSERT_EQ(std::rename(path.c_str(), (path + ".away").c_str()), 0);
    EXPECT_EQ(lookup("12/27/2021"), "none");
    ASSERT_EQ(std::rename((path + ".away").c_str(), path.c_str()), 0);
    EXPECT_EQ(lookup("12/27/2021"), "Christmas_Day - Observed. off");
    // A file under the very name the configuration gives beside the one
    // found under another case of it: the very name counts.
    std::ofstream(data_ + "/kalcore/holidayf.bnf", std::ios::binary) << columbus;
    EXPECT_EQ(lookup("12/24/2021"), "Columbus_Day - Observed. on");
    ASSERT_EQ(std::remove((data_ + "/kalcore/holidayf.bnf").c_str()), 0);
    EXPECT_EQ(lookup("12/24/2021"), "Christmas_Day - Observed. off");
    // Removed.
    ASSERT_EQ(std::remove(path.c_str()), 0);
    EXPECT_EQ(lookup("12/24/2021"), "none");
    EXPECT_EQ(next("12/23/2021"), "12-24-2021");
    // Back, empty.
    WriteHolidays("");
    EXPECT_EQ(lookup("12/24/2021"), "fails");
    // Another file named in the configuration.
    WriteHolidays(christmas);
    std::ofstream(data_ + "/kalcore/Other.Bnf", std::ios::binary) << columbus;
    std::filesystem::create_directories(config_ + "/kalcore");
    std::ofstream(config_ + "/kalcore/KalDatFl.Ini") << "[KalDateSoft]\nKalDateHoldy=Other.Bnf\n";
    EXPECT_EQ(lookup("12/24/2021"), "Columbus_Day - Observed. on");
    std::ofstream(config_ + "/kalcore/KalDatFl.Ini")
        << "[KalDateSoft]\nKalDateHoldy=Holidayf.Bnf\n";
    EXPECT_EQ(lookup("12/24/2021"), "Christmas_Day - Observed. off");
}

TEST_F(HolidayAbiTest, NullPointersFail) {
    Write2021();
    Guarded<29> name;
    Guarded<12> result;
    int32_t isHoliday = -7, dayOff = -7;
    const int32_t one = 1;
    EXPECT_EQ(isHoliday_(nullptr, &isHoliday, name.data(), &dayOff), 0);
    EXPECT_EQ(isHoliday, 0);
    EXPECT_EQ(isHoliday_("12/24/2021", nullptr, name.data(), &dayOff), 0);
    EXPECT_EQ(isHoliday_("12/24/2021", &isHoliday, nullptr, &dayOff), 0);
    EXPECT_EQ(isHoliday_("12/24/2021", &isHoliday, name.data(), nullptr), 0);
    EXPECT_EQ(next_(nullptr, result.data(), &one, 1), 0);
    EXPECT_STREQ(result.data(), "");
    EXPECT_EQ(next_("12/23/2021", nullptr, &one, 1), 0);
    EXPECT_EQ(next_("12/23/2021", result.data(), nullptr, 1), 0);
    EXPECT_TRUE(name.Intact());
    EXPECT_TRUE(result.Intact());
}

}  // namespace
