// The daylight-saving, Easter, holiday and next-working-day exports called as
// a foreign caller calls them: the library loaded by file name, functions
// resolved by name, every output buffer fenced by guard bytes.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef KALCORE_LIBRARY_PATH
#error "KALCORE_LIBRARY_PATH must name the built shared library"
#endif

namespace {

using DaylightFn = int16_t (*)(const char*, char*, int32_t*, int32_t*, char*, char*, char*, char*);
using EasterFn = int16_t (*)(int32_t, int32_t*, int32_t*);

class Library {
  public:
    Library() : handle_(dlopen(KALCORE_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library() {
        if (handle_) dlclose(handle_);
    }
    void* handle() const { return handle_; }
    template <typename Fn>
    Fn Resolve(const char* name) const {
        return reinterpret_cast<Fn>(dlsym(handle_, name));
    }

  private:
    void* handle_;
};

constexpr unsigned char kGuard = 0xA5;
constexpr std::size_t kGuardSize = 16;

// `Size` bytes, prefilled with a stale text, between two guard areas.
template <std::size_t Size>
struct Guarded {
    unsigned char bytes[kGuardSize + Size + kGuardSize];

    explicit Guarded(const char* stale = "stale") {
        std::memset(bytes, kGuard, sizeof bytes);
        std::memset(data(), 0, Size);
        std::memcpy(data(), stale, strnlen(stale, Size - 1));
    }
    char* data() { return reinterpret_cast<char*>(bytes + kGuardSize); }
    bool Intact() const {
        for (std::size_t i = 0; i < kGuardSize; ++i)
            if (bytes[i] != kGuard || bytes[kGuardSize + Size + i] != kGuard) return false;
        return true;
    }
};

class ScopedTz {
  public:
    explicit ScopedTz(const char* value) {
        const char* old = std::getenv("TZ");
        had_ = old != nullptr;
        if (had_) old_ = old;
        setenv("TZ", value, 1);
        tzset();
    }
    ~ScopedTz() {
        if (had_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

  private:
    bool had_;
    std::string old_;
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

    // Only the first 7 characters are read, and of "01-01-2026777" the date
    // reader takes the first 11: the year 2026.
    DstOut longYear;
    const std::string year = "2026" + std::string(5000, '7');
    EXPECT_EQ(CallDst(year.c_str(), longYear), 1);
    EXPECT_STREQ(longYear.begin.data(), "03-08-2026");
    EXPECT_TRUE(longYear.Intact());
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

}  // namespace
