// Directories: the existence test, drive C as the data home, and data-file
// names matched without regard to case.
#include "platform/directories.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "temp_home.h"

namespace kalcore::platform {
namespace {

using testing::TempHome;

std::string Resolve(const char* path, std::size_t size = 300) {
    char full[300] = "garbage";
    const bool found = ResolveDirectory(path, full, size);
    EXPECT_EQ(found, full[0] != '\0') << (path ? path : "(null)");
    return full;
}

TEST(ResolveDirectoryTest, Table) {
    TempHome home;
    const std::string dir = home.root() + "/data dir";
    TempHome::MakeDirectory(dir + "/sub");
    TempHome::WriteFile(home.root() + "/plain", "x");
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);

    struct Row {
        std::string path;
        std::string want;
    } const rows[] = {
        {dir, dir + "/"},
        {dir + "/", dir + "/"},
        {dir + "/sub/..", dir + "/"},
        {dir + "//sub/", dir + "/sub/"},
        {home.root() + "/plain", ""},  // a file is no directory
        {home.root() + "/missing", ""},
        {"", ""},
        {"C:\\", "C:\\"},  // drive C is the data home, made when missing
        {"c:\\", "C:\\"},
        {"D:\\", ""},  // no other drives
        {"Q:", ""},
        {std::string(300, 'a'), ""},
    };
    for (const Row& row : rows) EXPECT_EQ(Resolve(row.path.c_str()), row.want) << row.path;
    EXPECT_TRUE(TempHome::Exists(home.DataDir()));
    EXPECT_EQ(Resolve(nullptr), "");
    EXPECT_EQ(Resolve(dir.c_str(), dir.size() + 1), "");  // no room for the separator

    // The current directory is never changed.
    char after[4096];
    ASSERT_NE(getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(cwd, after);
}

TEST(HostDataDirectoryTest, DriveCIsTheDataHome) {
    TempHome home;
    char out[300];
    ASSERT_TRUE(HostDataDirectory("C:\\", out, sizeof out));
    EXPECT_EQ(std::string(out), home.DataDir());
    ASSERT_TRUE(HostDataDirectory("c:\\Sub\\Dir", out, sizeof out));
    EXPECT_EQ(std::string(out), home.DataDir() + "Sub/Dir/");
    ASSERT_TRUE(HostDataDirectory("/srv/dates/", out, sizeof out));
    EXPECT_STREQ(out, "/srv/dates/");
    EXPECT_FALSE(HostDataDirectory("E:\\", out, sizeof out));
    EXPECT_FALSE(HostDataDirectory("C:\\", out, 5));
}

TEST(JoinDataFileTest, MatchesNamesWithoutRegardToCase) {
    TempHome home;
    const std::string dir = home.root() + "/d/";
    TempHome::WriteFile(dir + "HoliDayF.bnf", "x");
    char out[300];
    ASSERT_TRUE(JoinDataFile(dir.c_str(), "Holidayf.Bnf", out, sizeof out));
    EXPECT_EQ(std::string(out), dir + "HoliDayF.bnf");
    ASSERT_TRUE(JoinDataFile(dir.c_str(), "DatCvFil.Bnf", out, sizeof out));
    EXPECT_EQ(std::string(out), dir + "DatCvFil.Bnf");  // no match: the name as given
    // Joined as text: a directory without its separator makes a longer name.
    ASSERT_TRUE(JoinDataFile((home.root() + "/d").c_str(), "x", out, sizeof out));
    EXPECT_EQ(std::string(out), home.root() + "/dx");
    EXPECT_FALSE(JoinDataFile(dir.c_str(), "Holidayf.Bnf", out, dir.size() + 5));
}

}  // namespace
}  // namespace kalcore::platform
