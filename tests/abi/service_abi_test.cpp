// The clock, conversion-file, sliding-window and spelled-out date exports
// across the library boundary: results, buffer sizes and null pointers.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "abi/library.h"

namespace {

using kalcore::abi::Guarded;
using kalcore::abi::GuardedBuffer;
using kalcore::abi::Library;

using TextFn16 = int16_t (*)(char*);
using NumberFn16 = int16_t (*)(int32_t*);
using ModeTextFn16 = int16_t (*)(char*, int32_t);
using ModeTextFn32 = int32_t (*)(char*, int32_t);
using ModeNumberFn32 = int32_t (*)(int32_t*, int32_t);
using DateFn16 = int16_t (*)(char*, const char*);
using DateAndTimeFn16 = int16_t (*)(char*, const char*, char*, char*, int32_t, int32_t);
using CodeFn16 = int16_t (*)(const char*);
using CodeFn32 = int32_t (*)(const char*);
using ConvDateFn = int32_t (*)(const char*, char*, const char*, int32_t, int32_t);
using WindowFn = int32_t (*)(const char*, int32_t, const char*, int32_t*, int32_t*);
using FullDateFn = int16_t (*)(const char*, char*, const char*, int32_t, int32_t, int32_t, int32_t,
                               int32_t);

// The library keeps its files in a home of this test's own, set before the
// first load runs start-up.
class PrivateHome : public ::testing::Environment {
  public:
    void SetUp() override {
        std::string pattern =
            std::filesystem::temp_directory_path().string() + "/kalcore-abi-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        setenv("HOME", root_.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
        unsetenv("HOLDYPATH");
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

  private:
    std::string root_;
};

const auto* const kHome = ::testing::AddGlobalTestEnvironment(new PrivateHome);

class ServiceAbiTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(lib_.handle(), nullptr) << dlerror(); }
    template <typename Fn>
    Fn Get(const char* name) {
        const Fn fn = lib_.Resolve<Fn>(name);
        EXPECT_NE(fn, nullptr) << name;
        return fn;
    }
    Library lib_;
};

bool IsTwoDigits(const char* text, int max) {
    return std::strlen(text) == 2 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' &&
           text[1] <= '9' && (text[0] - '0') * 10 + (text[1] - '0') <= max;
}

TEST_F(ServiceAbiTest, ClockExportsWriteTheirSizes) {
    const auto time = Get<ModeTextFn16>("KD_TIME");
    const auto chour = Get<ModeTextFn32>("KD_CHOUR");
    const auto hour = Get<ModeNumberFn32>("KD_HOUR");
    const auto cmint = Get<TextFn16>("KD_CMINT");
    const auto csec = Get<TextFn16>("KD_CSEC");
    const auto mint = Get<NumberFn16>("KD_MINT");
    const auto sec = Get<NumberFn16>("KD_SEC");
    for (int32_t mode : {0, 1, 2, -7}) {
        SCOPED_TRACE(mode);
        const int maxHour = mode == 1 ? 23 : 12;
        Guarded<9> t;
        ASSERT_EQ(time(t.data(), mode), 1);
        EXPECT_TRUE(t.Intact());
        ASSERT_EQ(std::strlen(t.data()), 8u);
        EXPECT_EQ(t.data()[2], ':');
        EXPECT_EQ(t.data()[5], ':');
        Guarded<3> h;
        ASSERT_EQ(chour(h.data(), mode), 1);
        EXPECT_TRUE(h.Intact());
        EXPECT_TRUE(IsTwoDigits(h.data(), maxHour)) << h.data();
        int32_t n = -5;
        ASSERT_EQ(hour(&n, mode), 1);
        EXPECT_GE(n, 0);
        EXPECT_LE(n, maxHour);
    }
    Guarded<3> m, s;
    ASSERT_EQ(cmint(m.data()), 1);
    ASSERT_EQ(csec(s.data()), 1);
    EXPECT_TRUE(m.Intact() && s.Intact());
    EXPECT_TRUE(IsTwoDigits(m.data(), 59));
    EXPECT_TRUE(IsTwoDigits(s.data(), 59));
    int32_t minute = -1, second = -1;
    ASSERT_EQ(mint(&minute), 1);
    ASSERT_EQ(sec(&second), 1);
    EXPECT_TRUE(minute >= 0 && minute <= 59 && second >= 0 && second <= 59);

    // Null pointers fail; nothing is written through them.
    EXPECT_EQ(time(nullptr, 1), 0);
    EXPECT_EQ(chour(nullptr, 1), 0);
    EXPECT_EQ(hour(nullptr, 1), 0);
    EXPECT_EQ(cmint(nullptr), 0);
    EXPECT_EQ(csec(nullptr), 0);
    EXPECT_EQ(mint(nullptr), 0);
    EXPECT_EQ(sec(nullptr), 0);
}

TEST_F(ServiceAbiTest, DateExportsAgreeWithTheReader) {
    const auto date = Get<DateFn16>("KD_DATE");
    const auto dateAndTime = Get<DateAndTimeFn16>("KD_DATEANDTIME");
    const auto conv = Get<ConvDateFn>("KD_CONVDATE");
    // Retried once should the day change between the calls.
    for (int attempt = 0; attempt < 2; ++attempt) {
        GuardedBuffer today, viaReader;
        ASSERT_EQ(date(today.data(), "k"), 1);
        ASSERT_EQ(conv("TODAY", viaReader.data(), "K", 0, 0), 1);
        EXPECT_TRUE(today.GuardsIntact());
        if (attempt == 0 && std::strcmp(today.data(), viaReader.data()) != 0) continue;
        EXPECT_STREQ(today.data(), viaReader.data());
        break;
    }
    GuardedBuffer d;
    Guarded<9> t;
    Guarded<3> ampm;
    ASSERT_EQ(dateAndTime(d.data(), "G", t.data(), ampm.data(), 0, 0), 1);
    EXPECT_TRUE(d.GuardsIntact() && t.Intact() && ampm.Intact());
    EXPECT_EQ(std::strlen(d.data()), 10u);
    EXPECT_TRUE(std::strcmp(ampm.data(), "AM") == 0 || std::strcmp(ampm.data(), "PM") == 0);

    // A refused code empties every output.
    GuardedBuffer bad("stale");
    Guarded<9> badTime;
    Guarded<3> badAmPm;
    EXPECT_EQ(dateAndTime(bad.data(), "0", badTime.data(), badAmPm.data(), 1, 0), 0);
    EXPECT_STREQ(bad.data(), "");
    EXPECT_STREQ(badTime.data(), "");
    EXPECT_STREQ(badAmPm.data(), "");
    EXPECT_EQ(date(bad.data(), ""), 0);
    EXPECT_STREQ(bad.data(), "");
    EXPECT_EQ(date(bad.data(), nullptr), 0);
    EXPECT_EQ(date(nullptr, "B"), 0);
    EXPECT_EQ(dateAndTime(d.data(), "B", nullptr, ampm.data(), 1, 0), 0);
    EXPECT_STREQ(d.data(), "");
}

TEST_F(ServiceAbiTest, PreferredFormat) {
    const auto create = Get<CodeFn16>("KD_DTCVCREATEFILE");
    const auto stored = Get<CodeFn32>("KD_DATECNVFILE");
    const auto conv = Get<ConvDateFn>("KD_CONVDATE");
    const auto dateAndTime = Get<DateAndTimeFn16>("KD_DATEANDTIME");
    EXPECT_EQ(stored("ignored"), 1);  // start-up made the file
    ASSERT_EQ(create("g"), 1);
    char code[2] = "B";
    GuardedBuffer out;
    ASSERT_EQ(conv("07/04/1998", out.data(), code, 1, 0), 1);
    EXPECT_STREQ(out.data(), "1998-07-04");
    EXPECT_STREQ(code, "B");  // the caller's code is not touched
    ASSERT_EQ(conv("07/04/1998", out.data(), "", 1, 0), 1);
    EXPECT_STREQ(out.data(), "1998-07-04");
    Guarded<9> t;
    Guarded<3> ampm;
    ASSERT_EQ(dateAndTime(out.data(), "K", t.data(), ampm.data(), 1, 1), 1);
    EXPECT_EQ(out.data()[4], '-');

    for (const char* refused : {"0", "?", "", " "}) EXPECT_EQ(create(refused), 0) << refused;
    EXPECT_EQ(create(nullptr), 0);
    EXPECT_EQ(stored(nullptr), 1);
    ASSERT_EQ(conv("07/04/1998", out.data(), "B", 1, 0), 1);
    EXPECT_STREQ(out.data(), "1998-07-04");  // still G
    ASSERT_EQ(create("["), 1);
    ASSERT_EQ(conv("07/04/1998", out.data(), "B", 1, 0), 1);
    EXPECT_STREQ(out.data(), "04/07/1998");
    ASSERT_EQ(create("M"), 1);
}

TEST_F(ServiceAbiTest, SlidingWindow) {
    const auto window = Get<WindowFn>("KD_SLIDINGWINDOWPROC");
    struct Row {
        const char* pivot;
        int32_t years;
        const char* check;
        int32_t result, inWindow, direction;
    } const rows[] = {
        {"06/15/1998", 5, "06/15/2003", 1, 1, 1},
        {"06/15/1998", 5, "06/14/1998", 1, 0, 1},
        {"06/15/1998", -5, "06/15/1993", 1, 1, -1},
        {"06/15/1998", -5, "06/16/1998", 1, 0, -1},
        {"06/15/1998", 0, "06/15/1998", 1, 0, 0},
        {"13/45/1998", 5, "06/15/2003", 0, 0, 0},
        {"06/15/1998 xyz", 5, "06/15/2003 abc", 1, 1, 1},
        {"06/15/1998xyz", 5, "06/15/2003", 0, 0, 0},
    };
    for (const Row& row : rows) {
        int32_t inWindow = 9, direction = 9;
        EXPECT_EQ(window(row.pivot, row.years, row.check, &inWindow, &direction), row.result)
            << row.pivot << " " << row.years << " " << row.check;
        EXPECT_EQ(inWindow, row.inWindow);
        EXPECT_EQ(direction, row.direction);
    }
    int32_t a = 9, b = 9;
    EXPECT_EQ(window(nullptr, 1, "06/15/1998", &a, &b), 0);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(window("06/15/1998", 1, "06/15/1998", nullptr, &b), 0);
    EXPECT_EQ(window("06/15/1998", 1, "06/15/1998", &a, nullptr), 0);
}

TEST_F(ServiceAbiTest, SpelledOutDatesStayWithinFortyFourBytes) {
    const auto full = Get<FullDateFn>("KD_AFULLDATEFORMAT");
    Guarded<44> out;
    ASSERT_EQ(full("09/30/1998", out.data(), "k", 0, 0, 1, 1, 1), 1);
    EXPECT_TRUE(out.Intact());
    const std::string text = out.data();
    EXPECT_EQ(text.size(), 43u);
    EXPECT_EQ(text.substr(0, 32), "Wednesday, September/30/1998 at ");
    Guarded<44> plain;
    ASSERT_EQ(full("07/04/1998", plain.data(), "K", 0, 1, 0, 0, 0), 1);
    EXPECT_STREQ(plain.data(), "Sat, July/04/1998");
    for (const char* bad : {"02/30/1998", "", "\xff\xfe"}) {
        Guarded<44> failed;
        EXPECT_EQ(full(bad, failed.data(), "K", 0, 0, 0, 0, 0), 0) << bad;
        EXPECT_STREQ(failed.data(), "");
        EXPECT_TRUE(failed.Intact());
    }
    EXPECT_EQ(full("07/04/1998", out.data(), "0", 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(full(nullptr, out.data(), "K", 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(full("07/04/1998", nullptr, "K", 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(full("07/04/1998", out.data(), nullptr, 0, 0, 0, 0, 0), 0);
}

}  // namespace
