// What a crash, a power cut and a dotfile manager do to the library's files:
// the change feed that confirms cached readings, the sweep of temporary
// files left by dead writers, and a profile file that is a link.
#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iterator>
#include <string>

#include "platform/change_feed.h"
#include "platform/posix/paths.h"
#include "platform/profile.h"
#include "temp_home.h"

namespace kalcore::platform {
namespace {

using testing::TempHome;

// Every kind of change of a watched file or its directory moves the feed on
// at the next look; reading the file does not.
TEST(ChangeFeedTest, EveryChangeShowsAtTheNextLook) {
    ChangeFeed& feed = ChangeFeed::Instance();
    struct Row {
        const char* what;
        std::function<void(const std::string& dir, const std::string& file)> change;
        bool shows;
    } const rows[] = {
        {"a read", [](auto&, auto& f) { TempHome::ReadFile(f); }, false},
        {"an append", [](auto&, auto& f) { TempHome::WriteFile(f, "changed text"); }, true},
        {"a replacement",
         [](auto& d, auto& f) {
             TempHome::WriteFile(d + "/new", "x");
             std::rename((d + "/new").c_str(), f.c_str());
         },
         true},
        {"a removal", [](auto&, auto& f) { std::remove(f.c_str()); }, true},
        {"a file made under another case",
         [](auto& d, auto&) { TempHome::WriteFile(d + "/WATCHED.INI", "x"); }, true},
        {"a new time only",
         [](auto&, auto& f) {
             const timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 3600, 0}};
             utimensat(AT_FDCWD, f.c_str(), times, 0);
         },
         true},
        {"a mode", [](auto&, auto& f) { chmod(f.c_str(), 0600); }, true},
    };
    for (const Row& row : rows) {
        TempHome home;
        const std::string dir = home.root() + "/w";
        const std::string file = dir + "/watched.ini";
        TempHome::MakeDirectory(dir);
        TempHome::WriteFile(file, "text");
        ASSERT_NE(feed.Watch(dir.c_str()), 0u) << "inotify on this file system";
        ASSERT_EQ(feed.Watch(file.c_str()), feed.Watch(dir.c_str()));
        const std::uint64_t before = feed.Look();
        EXPECT_EQ(feed.Look(), before) << row.what;
        row.change(dir, file);
        EXPECT_EQ(feed.Look() != before, row.shows) << row.what;
    }
}

// A forked child has a feed of its own: what it reads is not taken from the
// parent, whose next look still shows the child's change.
TEST(ChangeFeedTest, AForkedChildTakesNoEventFromItsParent) {
    ChangeFeed& feed = ChangeFeed::Instance();
    TempHome home;
    const std::string file = home.root() + "/watched";
    TempHome::WriteFile(file, "a");
    ASSERT_NE(feed.Watch(file.c_str()), 0u);
    const std::uint64_t before = feed.Look();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TempHome::WriteFile(file, "changed by the child");
        feed.Look();
        _exit(feed.Generation() == 0 ? 0 : 1);  // its watches are not the parent's
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(feed.Look(), before);
}

// Only temporary files of the library's naming for the file, that nobody
// holds, go: a live writer's stays, and so do other files.
TEST(StaleTemporariesTest, RemovesOnlyAbandonedOnes) {
    TempHome home;
    const std::string dir = home.root() + "/d/";
    TempHome::MakeDirectory(dir);
    const std::string file = dir + "KalDatFl.Ini";
    TempHome::WriteFile(file, "kept");
    struct Row {
        const char* name;
        bool removed;
    } const rows[] = {
        {"KalDatFl.Ini.a1B2c3", true},   {"KALDATFL.INI.zzzzzz", true},
        {"KalDatFl.Ini.lock", false},    {"KalDatFl.Ini.a1B2c", false},
        {"KalDatFl.Ini.a1B2c3d", false}, {"KalDatFl.Ini.a1-2c3", false},
        {"Other.Ini.a1B2c3", false},
    };
    for (const Row& row : rows) TempHome::WriteFile(dir + row.name, "x");
    // A directory and a link of that naming are no temporary files.
    TempHome::MakeDirectory(dir + "KalDatFl.Ini.dirABC");
    symlink((dir + "Other.Ini.a1B2c3").c_str(), (dir + "KalDatFl.Ini.linkAB").c_str());
    // A writer at work holds its temporary file's lock.
    char live[4096];
    const int fd = posix::MakeLockedTemporary(file.c_str(), live, sizeof live);
    ASSERT_GE(fd, 0);

    EXPECT_EQ(RemoveStaleTemporaries(file.c_str()), 2);
    for (const Row& row : rows)
        EXPECT_NE(TempHome::Exists(dir + row.name), row.removed) << row.name;
    EXPECT_TRUE(TempHome::Exists(live));
    EXPECT_TRUE(TempHome::Exists(dir + "KalDatFl.Ini.dirABC"));
    EXPECT_TRUE(TempHome::Exists(dir + "KalDatFl.Ini.linkAB"));
    close(fd);  // the writer dies
    EXPECT_EQ(RemoveStaleTemporaries(file.c_str()), 1);
    EXPECT_FALSE(TempHome::Exists(live));
    EXPECT_EQ(TempHome::ReadFile(file), "kept");
}

// A replacement holds its temporary file's lock to the end.
TEST(StaleTemporariesTest, AReplacementInProgressIsNotSwept) {
    TempHome home;
    const std::string file = home.root() + "/DatCvFil.Bnf";
    posix::Replacement replacement;
    ASSERT_TRUE(replacement.Begin(file.c_str(), 0644));
    ASSERT_TRUE(replacement.Write("FGXT", 4));
    EXPECT_EQ(RemoveStaleTemporaries(file.c_str()), 0);
    ASSERT_TRUE(replacement.Commit());
    EXPECT_EQ(TempHome::ReadFile(file), "FGXT");
}

// A new file appears whole, never over one that is there, and leaves no
// temporary file.
TEST(CreateWholeFileTest, MakesANewFileOnly) {
    TempHome home;
    const std::string file = home.root() + "/Holidayf.Bnf";
    EXPECT_EQ(CreateWholeFile(file.c_str(), "records", 7), CreateResult::kCreated);
    EXPECT_EQ(TempHome::ReadFile(file), "records");
    EXPECT_EQ(CreateWholeFile(file.c_str(), "other", 5), CreateResult::kExists);
    EXPECT_EQ(TempHome::ReadFile(file), "records");
    EXPECT_EQ(CreateWholeFile((home.root() + "/gone/x").c_str(), "x", 1), CreateResult::kFailed);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.root()),
                            std::filesystem::directory_iterator()),
              1)
        << "nothing but the file";
}

std::string Key(const char* key) {
    char out[256];
    ReadProfileString("KalDateSoft", key, out, sizeof out, "KalDatFl.Ini");
    return out;
}

bool IsLink(const std::string& path) {
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A profile file that is a link stays a link; a write reaches its target
// only when that is a profile file of this user.
TEST(ProfileLinkTest, WritesReachTheTargetAndKeepTheLink) {
    struct Row {
        const char* what;
        const char* target;  // below the home; nullptr: a link to nothing
        bool written;
    } const rows[] = {
        {"a stowed file", "dots/kalcore/KalDatFl.Ini", true},
        {"a managed file under a prefix", "source/private_kaldatfl.ini", true},
        {"a file of another name", "dots/.bashrc", false},
        {"a link to nothing", nullptr, false},
    };
    for (const Row& row : rows) {
        TempHome home;
        const std::string link = home.ConfigFile();
        TempHome::MakeDirectory(home.ConfigDir());
        std::string target = home.root() + "/" + (row.target ? row.target : "gone/KalDatFl.Ini");
        const std::string original = "[KalDateSoft]\nKalDateFile=Mine.Bnf\n; a comment\n";
        if (row.target != nullptr) {
            std::filesystem::create_directories(std::filesystem::path(target).parent_path());
            TempHome::WriteFile(target, original);
            chmod(target.c_str(), 0640);
        }
        ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
        EXPECT_EQ(WriteProfileString("KalDateSoft", "KalDateHoldy", "H.Bnf", "KalDatFl.Ini"),
                  row.written)
            << row.what;
        EXPECT_TRUE(IsLink(link)) << row.what;
        if (row.target == nullptr) continue;
        if (row.written) {
            EXPECT_EQ(TempHome::ReadFile(target), original + "KalDateHoldy=H.Bnf\n") << row.what;
            EXPECT_EQ(Key("KalDateFile"), "Mine.Bnf");
            struct stat st;
            ASSERT_EQ(stat(target.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, 0640u) << row.what;
        } else {
            EXPECT_EQ(TempHome::ReadFile(target), original) << row.what;
            EXPECT_EQ(Key("KalDateFile"), "") << row.what << ": not read through";
        }
        EXPECT_EQ(RemoveStaleTemporaries(link.c_str()), 0) << row.what << ": none left";
    }
}

// A target whose directory takes no new file is rewritten in place. Root
// may write any directory, so the test runs as another user then.
TEST(ProfileLinkTest, ATargetInAnUnwritableDirectoryIsRewrittenInPlace) {
    TempHome home;
    const std::string dir = home.root() + "/store/";
    const std::string target = dir + "hm_KalDatFl.Ini";
    TempHome::MakeDirectory(home.ConfigDir());
    TempHome::MakeDirectory(dir);
    TempHome::WriteFile(target, "[KalDateSoft]\nKalDateFile=Mine.Bnf\n");
    ASSERT_EQ(symlink(target.c_str(), home.ConfigFile().c_str()), 0);
    struct stat before;
    ASSERT_EQ(stat(target.c_str(), &before), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0) {
            const uid_t nobody = 65534;
            for (const auto& entry : std::filesystem::recursive_directory_iterator(home.root()))
                lchown(entry.path().c_str(), nobody, nobody);
            lchown(home.root().c_str(), nobody, nobody);
            if (setgid(nobody) != 0 || setuid(nobody) != 0) _exit(2);
        }
        chmod(dir.c_str(), 0555);
        const bool written =
            WriteProfileString("KalDateSoft", "KalDateHoldy", "H.Bnf", "KalDatFl.Ini");
        chmod(dir.c_str(), 0755);
        _exit(written ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(IsLink(home.ConfigFile()));
    EXPECT_EQ(TempHome::ReadFile(target),
              "[KalDateSoft]\nKalDateFile=Mine.Bnf\nKalDateHoldy=H.Bnf\n");
    struct stat after;
    ASSERT_EQ(stat(target.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, written in place";
    EXPECT_EQ(RemoveStaleTemporaries(home.ConfigFile().c_str()), 0);
}

}  // namespace
}  // namespace kalcore::platform
