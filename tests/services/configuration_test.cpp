// Start-up's configuration file: first load, the data directory rules, the
// key year, the file names, and files that cannot be written.
#include "services/configuration.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "fixed_clock.h"
#include "platform/profile.h"
#include "scoped_tz.h"
#include "services/startup.h"
#include "temp_home.h"

namespace kalcore::services {
namespace {

using testing::FixedClock;
using testing::ScopedTz;
using testing::TempHome;

std::string Key(const char* key) {
    char out[300];
    platform::ReadProfileString(kConfigSection, key, out, 255, kConfigFileName);
    return out;
}

void SetKey(const char* key, const char* value) {
    ASSERT_TRUE(platform::WriteProfileString(kConfigSection, key, value, kConfigFileName));
}

TEST(LoadConfigurationTest, FirstLoadWritesEveryKey) {
    TempHome home;
    ScopedTz zone("UTC0");  // no daylight saving: an empty zone text
    FixedClock clock(2026, 12, 6, 18, 40, 5);
    ASSERT_TRUE(LoadConfiguration());
    EXPECT_EQ(Key(kKeyLocation), "C:\\");
    EXPECT_EQ(Key(kKeyConversionFile), "DatCvFil.Bnf");
    EXPECT_EQ(Key(kKeyHolidayFile), "Holidayf.Bnf");
    EXPECT_EQ(Key(kKeyYear), "2026");
    EXPECT_EQ(Key(kKeyStamp), "<Dec/06/2026, 06:40:05 PM>");
    EXPECT_EQ(Key(kKeyTimeZone), "<>");
    EXPECT_TRUE(TempHome::Exists(home.DataDir()));
}

TEST(LoadConfigurationTest, ZoneTextOfTheKeyYear) {
    struct Row {
        const char* tz;
        const char* want;
    } const rows[] = {
        {"UTC0", "<>"},
        {"EST5EDT,M3.2.0,M11.1.0", "<GMT -05:00 EST>"},
        {"<+0530>-5:30", "<>"},
        {"NST3:30NDT,M3.2.0,M11.1.0", "<GMT -03:30 NST>"},
    };
    for (const Row& row : rows) {
        TempHome home;
        ScopedTz zone(row.tz);
        FixedClock clock(2026, 12, 6, 18, 40, 5);
        ASSERT_TRUE(LoadConfiguration());
        EXPECT_EQ(Key(kKeyTimeZone), row.want) << row.tz;
    }
}

TEST(LoadConfigurationTest, StampUsesTheTwelveHourClock) {
    struct Row {
        int hour;
        const char* stamp;
    } const rows[] = {
        {0, "<Jan/02/2027, 00:15:07 AM>"},
        {12, "<Jan/02/2027, 12:15:07 PM>"},
        {23, "<Jan/02/2027, 11:15:07 PM>"},
    };
    for (const Row& row : rows) {
        TempHome home;
        FixedClock clock(2027, 1, 2, row.hour, 15, 7);
        ASSERT_TRUE(LoadConfiguration());
        EXPECT_EQ(Key(kKeyStamp), row.stamp);
    }
}

TEST(LoadConfigurationTest, DataDirectoryRules) {
    FixedClock clock(2026, 12, 6);
    TempHome home;
    const std::string preferred = home.root() + "/preferred";
    const std::string stored = home.root() + "/stored";
    TempHome::MakeDirectory(preferred);
    TempHome::MakeDirectory(stored);

    // The environment's directory, given without its separator, is stored
    // in full on a new configuration ...
    setenv("HOLDYPATH", (home.root() + "/./preferred").c_str(), 1);
    ASSERT_TRUE(LoadConfiguration());
    EXPECT_EQ(Key(kKeyLocation), preferred + "/");

    // ... and wins over a stored location.
    SetKey(kKeyLocation, stored.c_str());
    ASSERT_TRUE(LoadConfiguration());
    EXPECT_EQ(Key(kKeyLocation), preferred + "/");

    // Without it the stored location stays, in its full form.
    unsetenv("HOLDYPATH");
    SetKey(kKeyLocation, stored.c_str());
    ASSERT_TRUE(LoadConfiguration());
    EXPECT_EQ(Key(kKeyLocation), stored + "/");

    // A HOLDYPATH that is no directory, or too long to be stored, is ignored.
    for (const std::string& bad : {home.root() + "/missing", std::string(300, 'p')}) {
        setenv("HOLDYPATH", bad.c_str(), 1);
        ASSERT_TRUE(LoadConfiguration());
        EXPECT_EQ(Key(kKeyLocation), stored + "/");
    }
    unsetenv("HOLDYPATH");

    // A stored location that is gone falls back on "C:\".
    SetKey(kKeyLocation, (home.root() + "/gone").c_str());
    ASSERT_TRUE(LoadConfiguration());
    EXPECT_EQ(Key(kKeyLocation), "C:\\");
}

TEST(LoadConfigurationTest, KeyYearRules) {
    FixedClock clock(2026, 12, 6);
    struct Row {
        const char* stored;  // nullptr: the key is missing
        const char* want;
    } const rows[] = {
        {nullptr, "2026"}, {"1999", "1999"},  {"ABCD", "2026"},  {"19x9", "2026"},
        {"99", "99"},      {"20211", "2026"}, {"2021 ", "2021"}, {"0000", "2026"},
    };
    for (const Row& row : rows) {
        TempHome home;
        if (row.stored != nullptr) SetKey(kKeyYear, row.stored);
        ASSERT_TRUE(LoadConfiguration());
        EXPECT_EQ(Key(kKeyYear), row.want) << (row.stored ? row.stored : "(missing)");
    }
}

TEST(ReadFileSettingsTest, DefaultsAndCuts) {
    TempHome home;
    FileSettings settings = ReadFileSettings();
    EXPECT_STREQ(settings.directory, "C:\\");
    EXPECT_STREQ(settings.conversionFile, "datcvfil.bnf");
    EXPECT_STREQ(settings.holidayFile, "holidayf.bnf");
    EXPECT_STREQ(settings.keyYear, "");

    SetKey(kKeyConversionFile, "AVeryLongFileName.Bnf");
    SetKey(kKeyHolidayFile, "HolidaysOfTheYear.Bnf");
    SetKey(kKeyYear, "199999");
    SetKey(kKeyLocation, std::string(300, 'd').c_str());
    settings = ReadFileSettings();
    EXPECT_STREQ(settings.conversionFile, "AVeryLongFile");
    EXPECT_STREQ(settings.holidayFile, "HolidaysOfThe");
    EXPECT_STREQ(settings.keyYear, "19999");
    EXPECT_EQ(std::string(settings.directory), std::string(254, 'd'));
}

// The settings come from a cache, yet every change of the file shows at the
// next call: a replacement, an edit in place of the same size and (forged)
// modification time, a removal.
TEST(ReadFileSettingsTest, EveryChangeShowsAtTheNextCall) {
    TempHome home;
    SetKey(kKeyHolidayFile, "First.Bnf");
    EXPECT_STREQ(ReadFileSettings().holidayFile, "First.Bnf");
    SetKey(kKeyHolidayFile, "Other.Bnf");  // a replacement
    EXPECT_STREQ(ReadFileSettings().holidayFile, "Other.Bnf");
    const auto forgeTime = [&] {
        const timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 3600, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, home.ConfigFile().c_str(), times, 0), 0);
    };
    forgeTime();
    EXPECT_STREQ(ReadFileSettings().holidayFile, "Other.Bnf");
    {
        std::string text = TempHome::ReadFile(home.ConfigFile());
        text.replace(text.find("Other"), 5, "Third");
        std::fstream file(home.ConfigFile(), std::ios::in | std::ios::out | std::ios::binary);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    forgeTime();
    EXPECT_STREQ(ReadFileSettings().holidayFile, "Third.Bnf");
    // Renamed away and back; found under another case of its name.
    const std::string away = home.ConfigDir() + "saved.ini";
    ASSERT_EQ(std::rename(home.ConfigFile().c_str(), away.c_str()), 0);
    EXPECT_STREQ(ReadFileSettings().holidayFile, "holidayf.bnf");
    ASSERT_EQ(std::rename(away.c_str(), (home.ConfigDir() + "KALDATFL.INI").c_str()), 0);
    EXPECT_STREQ(ReadFileSettings().holidayFile, "Third.Bnf");
    std::remove((home.ConfigDir() + "KALDATFL.INI").c_str());
    EXPECT_STREQ(ReadFileSettings().holidayFile, "holidayf.bnf");
}

TEST(DataFilePathTest, JoinsTheMappedDirectoryAndName) {
    TempHome home;
    HostPath path;
    ASSERT_TRUE(ConversionFilePath(path));
    EXPECT_EQ(std::string(path), home.DataDir() + "datcvfil.bnf");
    TempHome::WriteFile(home.DataDir() + "DatCvFil.Bnf", "FMXT");
    ASSERT_TRUE(ConversionFilePath(path));
    EXPECT_EQ(std::string(path), home.DataDir() + "DatCvFil.Bnf");
    SetKey(kKeyLocation, (home.root() + "/elsewhere/").c_str());
    SetKey(kKeyHolidayFile, "H.Bnf");
    ASSERT_TRUE(HolidayFilePath(path));
    EXPECT_EQ(std::string(path), home.root() + "/elsewhere/H.Bnf");
    SetKey(kKeyLocation, "Z:\\");
    EXPECT_FALSE(HolidayFilePath(path));
}

TEST(LoadConfigurationTest, UnwritableConfigurationStopsEarly) {
    FixedClock clock(2026, 12, 6);
    TempHome home;
    TempHome::MakeDirectory(home.ConfigFile());  // the file is a directory
    EXPECT_FALSE(LoadConfiguration());
    const FileSettings settings = ReadFileSettings();
    EXPECT_STREQ(settings.directory, "C:\\");
    EXPECT_STREQ(settings.conversionFile, "datcvfil.bnf");
    // Start-up as a whole still runs and makes the conversion file, and
    // reports that the configuration was not written.
    EXPECT_FALSE(RunStartUp());
    EXPECT_EQ(TempHome::ReadFile(home.DataDir() + "datcvfil.bnf"), "FMXT");
}

TEST(StartUpTest, CreatesTheConversionFileOnlyWhenMissing) {
    FixedClock clock(2026, 12, 6);
    TempHome home;
    EXPECT_TRUE(RunStartUp());
    EXPECT_EQ(TempHome::ReadFile(home.DataDir() + "DatCvFil.Bnf"), "FMXT");
    TempHome::WriteFile(home.DataDir() + "DatCvFil.Bnf", "FG");
    RunStartUp();
    EXPECT_EQ(TempHome::ReadFile(home.DataDir() + "DatCvFil.Bnf"), "FG");
    // No home at all: nothing can be written, nothing breaks.
    unsetenv("HOME");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    RunStartUp();
}

}  // namespace
}  // namespace kalcore::services
