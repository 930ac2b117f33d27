// The profile file: reads by section and key, writes that keep the rest of
// the file, atomic replacement, and bad files.
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_home.h"

namespace kalcore::platform {
namespace {

using testing::TempHome;

std::string Read(const char* key, int size = 255, const char* section = "KalDateSoft",
                 const char* file = "KalDatFl.Ini") {
    char out[512];
    const int n = ReadProfileString(section, key, out, size, file);
    EXPECT_EQ(static_cast<std::size_t>(n), std::string(out).size());
    return out;
}

TEST(ProfileTest, ReadsKeysWithoutRegardToCaseOrBlanks) {
    TempHome home;
    TempHome::WriteFile(home.ConfigDir() + "kaldatfl.ini",
                        "; a comment\n"
                        "[Other]\n"
                        "KalDateFile=wrong.bnf\n"
                        "[ kaldatesoft ]\r\n"
                        "  KALDATEFILE  =   Mine.Bnf   \r\n"
                        "KalDateHoldy=\n"
                        "KalDateLocation=C:\\\n"
                        "NoEquals\n");
    struct Row {
        const char* key;
        const char* want;
    } const rows[] = {
        {"KalDateFile", "Mine.Bnf"},  // other section skipped, blanks and CR trimmed
        {"kaldatefile", "Mine.Bnf"},  // key case
        {"KalDateHoldy", ""},         // empty value reads as nothing
        {"KalDateLocation", "C:\\"},  //
        {"Missing", ""},              //
        {"NoEquals", ""},             // a line without "=" is no key
    };
    for (const Row& row : rows) EXPECT_EQ(Read(row.key), row.want) << row.key;
    EXPECT_EQ(Read("KalDateFile", 255, "OTHER"), "wrong.bnf");
}

TEST(ProfileTest, MissingFileOrBadArgumentsReadNothing) {
    TempHome home;
    EXPECT_EQ(Read("KalDateFile"), "");
    char out[8] = "xxxxxxx";
    EXPECT_EQ(ReadProfileString("KalDateSoft", nullptr, out, 8, "KalDatFl.Ini"), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(ReadProfileString("KalDateSoft", "K", nullptr, 8, "KalDatFl.Ini"), 0);
    EXPECT_EQ(ReadProfileString("KalDateSoft", "K", out, 0, "KalDatFl.Ini"), 0);
}

TEST(ProfileTest, LongValuesAreCutToTheBuffer) {
    TempHome home;
    const std::string longValue(300, 'x');
    ASSERT_TRUE(
        WriteProfileString("KalDateSoft", "KalDateLocation", longValue.c_str(), "KalDatFl.Ini"));
    EXPECT_EQ(Read("KalDateLocation"), std::string(254, 'x'));
    EXPECT_EQ(Read("KalDateLocation", 5), "xxxx");
    // A line longer than the reader's line buffer is cut, not overrun.
    const std::string huge(5000, 'y');
    ASSERT_TRUE(WriteProfileString("KalDateSoft", "Huge", huge.c_str(), "KalDatFl.Ini"));
    EXPECT_EQ(Read("Huge", 255), std::string(254, 'y'));
    EXPECT_EQ(Read("KalDateLocation"), std::string(254, 'x'));
}

TEST(ProfileTest, WritesKeepEverythingElse) {
    TempHome home;
    const std::string original =
        "; settings\n"
        "[First]\n"
        "A=1\n"
        "\n"
        "[KalDateSoft]\n"
        "KalDateFile=Old.Bnf\n"
        "; keep me\n"
        "KalDateHoldy=H.Bnf\n"
        "[Last]\n"
        "B=2";  // no final line end
    TempHome::WriteFile(home.ConfigFile(), original);
    ASSERT_TRUE(WriteProfileString("KalDateSoft", "kaldatefile", "New.Bnf", "KALDATFL.INI"));
    ASSERT_TRUE(WriteProfileString("KalDateSoft", "Added", "x", "KalDatFl.Ini"));
    ASSERT_TRUE(WriteProfileString("Third", "C", "3", "KalDatFl.Ini"));
    EXPECT_EQ(TempHome::ReadFile(home.ConfigFile()),
              "; settings\n"
              "[First]\n"
              "A=1\n"
              "\n"
              "[KalDateSoft]\n"
              "kaldatefile=New.Bnf\n"
              "; keep me\n"
              "KalDateHoldy=H.Bnf\n"
              "Added=x\n"
              "[Last]\n"
              "B=2\n"
              "[Third]\n"
              "C=3\n");
    // Written under the name it was found by; no second file, no leftovers.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.ConfigDir()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ProfileTest, FirstWriteCreatesTheDirectoryAndFile) {
    TempHome home;
    ASSERT_FALSE(TempHome::Exists(home.ConfigDir()));
    ASSERT_TRUE(WriteProfileString("KalDateSoft", "KalDateLocation", "C:\\", "KalDatFl.Ini"));
    EXPECT_EQ(TempHome::ReadFile(home.ConfigFile()), "[KalDateSoft]\nKalDateLocation=C:\\\n");
}

TEST(ProfileTest, WritesThatCannotSucceedReportFailure) {
    TempHome home;
    // The configuration file is a directory.
    TempHome::MakeDirectory(home.ConfigFile());
    EXPECT_FALSE(WriteProfileString("KalDateSoft", "K", "v", "KalDatFl.Ini"));
    EXPECT_EQ(Read("K"), "");
    // The configuration directory cannot be made: a file stands in its way.
    TempHome::WriteFile(home.root() + "/blocked", "");
    setenv("XDG_CONFIG_HOME", (home.root() + "/blocked").c_str(), 1);
    EXPECT_FALSE(WriteProfileString("KalDateSoft", "K", "v", "KalDatFl.Ini"));
    // Texts that would break the file's lines are refused.
    setenv("XDG_CONFIG_HOME", (home.root() + "/config2").c_str(), 1);
    EXPECT_FALSE(WriteProfileString("KalDateSoft", "K", "a\nb", "KalDatFl.Ini"));
    EXPECT_FALSE(WriteProfileString("KalDateSoft", "K\n", "v", "KalDatFl.Ini"));
    EXPECT_FALSE(WriteProfileString("KalDateSoft", "K", nullptr, "KalDatFl.Ini"));
}

TEST(ProfileTest, NoHomeAtAllReadsAndWritesNothing) {
    TempHome home;
    unsetenv("HOME");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_FALSE(WriteProfileString("KalDateSoft", "K", "v", "KalDatFl.Ini"));
    EXPECT_EQ(Read("K"), "");
}

}  // namespace
}  // namespace kalcore::platform
