// Calls the built shared library the way a foreign caller does: loaded by file
// name, functions resolved by name, fixed-size buffers with guard bytes around
// them so that any write outside the allowed bytes is seen.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "abi/abi_cases.h"
#include "abi/library.h"

namespace {

using kalcore::abi::Guarded;
using kalcore::abi::GuardedBuffer;
using kalcore::abi::Library;
using kalcore::abi::PageEdge;

using IsvDateFn = int32_t (*)(char*);
using ConvDateFn = int32_t (*)(const char*, char*, const char*, int32_t, int32_t);
using CountDaysFn = int32_t (*)(const char*, const char*, int32_t*);
using AddDaysFn = int16_t (*)(int32_t, const char*, char*);

class AbiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(lib_.handle(), nullptr) << dlerror();
        isv_ = lib_.Resolve<IsvDateFn>("KD_ISVDATE");
        conv_ = lib_.Resolve<ConvDateFn>("KD_CONVDATE");
        count_ = lib_.Resolve<CountDaysFn>("KD_CMPTENUMDAYS");
        add_ = lib_.Resolve<AddDaysFn>("KD_CMPTEADATE");
        ASSERT_NE(isv_, nullptr);
        ASSERT_NE(conv_, nullptr);
        ASSERT_NE(count_, nullptr);
        ASSERT_NE(add_, nullptr);
    }

    Library lib_;
    IsvDateFn isv_ = nullptr;
    ConvDateFn conv_ = nullptr;
    CountDaysFn count_ = nullptr;
    AddDaysFn add_ = nullptr;
};

TEST_F(AbiTest, ConvertsAcrossTheBoundaryWithinTwelveBytes) {
    for (const auto& c : kalcore::abi_cases::kConvertCases) {
        SCOPED_TRACE(std::string("input ") + c.input + " code " + c.code);
        GuardedBuffer out("stale-text!");
        const std::string inputBefore = c.input;
        EXPECT_EQ(conv_(c.input, out.data(), c.code, 0, c.selector), c.result);
        EXPECT_STREQ(out.data(), c.output);
        EXPECT_TRUE(out.GuardsIntact());
        EXPECT_EQ(inputBefore, c.input);
    }
}

TEST_F(AbiTest, NullPointersFailWithoutWriting) {
    GuardedBuffer out("stale");
    EXPECT_EQ(isv_(nullptr), 0);
    EXPECT_EQ(conv_(nullptr, out.data(), "B", 0, 0), 0);
    EXPECT_STREQ(out.data(), "");
    EXPECT_EQ(conv_("07/04/1998", nullptr, "B", 0, 0), 0);
    GuardedBuffer out2("stale");
    EXPECT_EQ(conv_("07/04/1998", out2.data(), nullptr, 0, 0), 0);
    EXPECT_STREQ(out2.data(), "");
    EXPECT_TRUE(out.GuardsIntact());
    EXPECT_TRUE(out2.GuardsIntact());
}

TEST_F(AbiTest, IsvDateRewritesOnlyValidDates) {
    for (const auto& c : kalcore::abi_cases::kValidateCases) {
        SCOPED_TRACE(c.input);
        GuardedBuffer buf;
        std::memcpy(buf.data(), c.input,
                    std::strlen(c.input) + 1 > 12 ? 12 : std::strlen(c.input) + 1);
        EXPECT_EQ(isv_(buf.data()), c.result);
        EXPECT_STREQ(buf.data(), c.after);
        EXPECT_TRUE(buf.GuardsIntact());
    }
}

TEST_F(AbiTest, IsvDateReadsAFullTwelveByteFieldWithoutTerminator) {
    // A blank-padded 12-byte field whose last byte is a blank, not a NUL: the
    // first 11 characters are read and the result fills all 12 bytes.
    GuardedBuffer buf;
    std::memcpy(buf.data(), "12/31/1998  ", 12);
    EXPECT_EQ(isv_(buf.data()), 1);
    EXPECT_STREQ(buf.data(), "Dec/31/1998");
    EXPECT_TRUE(buf.GuardsIntact());
}

TEST_F(AbiTest, NeverReadsPastElevenDateCharactersOrOneCodeCharacter) {
    PageEdge edge;
    ASSERT_TRUE(edge.ok());
    // 11 characters with no terminator, ending right at an inaccessible page.
    const char* input = edge.Place("12/31/1998 ", 11);
    GuardedBuffer out;
    EXPECT_EQ(conv_(input, out.data(), "K", 0, 0), 1);
    EXPECT_STREQ(out.data(), "Dec/31/1998");

    const char* code = edge.Place("G", 1);  // a code with no terminator
    EXPECT_EQ(conv_("12/31/1998", out.data(), code, 0, 0), 1);
    EXPECT_STREQ(out.data(), "1998-12-31");

    char* invalid = edge.Place("13/45/1998x", 11);
    EXPECT_EQ(isv_(invalid), 0);
    EXPECT_EQ(std::memcmp(invalid, "13/45/1998x", 11), 0);
}

// The date is read the same wherever it lies: texts ending right before an
// inaccessible page, at every alignment (the text's start moves through all 16
// byte positions of an aligned block as its length grows), give what the same
// text gives in an ordinary buffer.
TEST_F(AbiTest, ReadsTextsAtEveryAlignmentBeforeAPageEdge) {
    PageEdge edge;
    ASSERT_TRUE(edge.ok());
    struct Case {
        const char* text;
        const char* code;
    };
    constexpr Case kCases[] = {
        {"12/31/1998", "K"}, {"7Sep99", "B"},   {"Dec/31/1998  ", "E"},   {"1/2/03", "7"},
        {"now", "B"},        {"19981231", "G"}, {"31-Dec-1998xyzw", "B"}, {"1998-12-31", "A"},
    };
    for (const Case& c : kCases) {
        const std::string full = c.text;
        for (std::size_t length = 0; length <= full.size(); ++length) {
            const std::string text = full.substr(0, length);
            SCOPED_TRACE("text \"" + text + "\" code " + c.code);
            GuardedBuffer expected, atEdge;
            const int32_t want = conv_(text.c_str(), expected.data(), c.code, 0, 4);
            // With its terminator as the page's last byte.
            const char* input = edge.Place(text.c_str(), length + 1);
            EXPECT_EQ(conv_(input, atEdge.data(), c.code, 0, 4), want);
            EXPECT_EQ(std::memcmp(atEdge.data(), expected.data(), want ? 12 : 1), 0);
            EXPECT_TRUE(atEdge.GuardsIntact());
            // Eleven characters or more need no terminator.
            if (length >= 11) {
                input = edge.Place(text.c_str(), length);
                EXPECT_EQ(conv_(input, atEdge.data(), c.code, 0, 4), want);
                EXPECT_EQ(std::memcmp(atEdge.data(), expected.data(), want ? 12 : 1), 0);
            }
        }
    }
}

TEST_F(AbiTest, DayArithmeticAcrossTheBoundary) {
    int32_t days = 99;
    EXPECT_EQ(count_("01/01/1999", "01/01/2000", &days), 1);
    EXPECT_EQ(days, 365);
    EXPECT_EQ(count_("01/01/1999", "02/30/2000", &days), 0);
    EXPECT_EQ(days, 0);

    struct Case {
        int32_t days;
        const char* date;
        int16_t result;
        const char* moved;
    };
    const Case cases[] = {
        {1, "12/31/1999", 1, "01/01/2000"},
        {-8, "YESTER7x", 0, ""},
        {INT32_MAX, "12/31/1999", 0, ""},
        {1, "\xff\xfe\x80", 0, ""},
    };
    for (const Case& c : cases) {
        GuardedBuffer out("stale-text!");
        EXPECT_EQ(add_(c.days, c.date, out.data()), c.result);
        EXPECT_STREQ(out.data(), c.moved);
        EXPECT_TRUE(out.GuardsIntact());
    }
    PageEdge edge;
    ASSERT_TRUE(edge.ok());
    const char* date = edge.Place("12/31/1999 ", 11);
    GuardedBuffer out;
    EXPECT_EQ(add_(1, date, out.data()), 1);
    EXPECT_STREQ(out.data(), "01/01/2000");
    EXPECT_EQ(count_(date, date, &days), 1);
    EXPECT_EQ(days, 0);
}

using DateTextFn16 = int16_t (*)(const char*, char*);
using DateTextFn32 = int32_t (*)(const char*, char*);
using DateNumberFn16 = int16_t (*)(const char*, int32_t*);
using DateNumberFn32 = int32_t (*)(const char*, int32_t*);

template <std::size_t Size, typename Fn>
void CheckText(const Library& lib, const char* name, const char* date, const char* want) {
    SCOPED_TRACE(std::string(name) + " " + date);
    const Fn fn = lib.Resolve<Fn>(name);
    ASSERT_NE(fn, nullptr);
    Guarded<Size> out;
    EXPECT_EQ(fn(date, out.data()), *want ? 1 : 0);
    EXPECT_STREQ(out.data(), want);
    EXPECT_TRUE(out.Intact());
}

template <typename Fn>
void CheckNumber(const Library& lib, const char* name, const char* date, int32_t want, int ok) {
    SCOPED_TRACE(std::string(name) + " " + date);
    const Fn fn = lib.Resolve<Fn>(name);
    ASSERT_NE(fn, nullptr);
    int32_t value = 12345;
    EXPECT_EQ(fn(date, &value), ok);
    EXPECT_EQ(value, want);
    EXPECT_EQ(fn(date, nullptr), 0);
}

TEST_F(AbiTest, CalendarExportsWriteOnlyTheirDocumentedBytes) {
    for (const char* date : {"02/29/2000", "02/29/1999"}) {
        const bool ok = date[4] == '9' && date[9] == '0';
        CheckText<10, DateTextFn16>(lib_, "KD_CDOW", date, ok ? "Tuesday" : "");
        CheckText<10, DateTextFn16>(lib_, "KD_CMONTH", date, ok ? "February" : "");
        CheckText<3, DateTextFn16>(lib_, "KD_CDAYNO", date, ok ? "29" : "");
        CheckText<3, DateTextFn16>(lib_, "KD_CYEAR", date, ok ? "00" : "");
        CheckText<3, DateTextFn16>(lib_, "KD_CCNTRY", date, ok ? "20" : "");
        CheckText<5, DateTextFn16>(lib_, "KD_CFULCNTRYYR", date, ok ? "2000" : "");
        CheckText<8, DateTextFn32>(lib_, "KD_JULIANDATE", date, ok ? "2000060" : "");
        const int r = ok ? 1 : 0;
        CheckNumber<DateNumberFn32>(lib_, "KD_NDOW", date, ok ? 3 : -1, r);
        CheckNumber<DateNumberFn32>(lib_, "KD_WEEKNO", date, ok ? 4 : -1, r);
        CheckNumber<DateNumberFn32>(lib_, "KD_NDAYNO", date, ok ? 29 : -1, r);
        CheckNumber<DateNumberFn32>(lib_, "KD_NMONTH", date, ok ? 2 : -1, r);
        CheckNumber<DateNumberFn16>(lib_, "KD_NYEAR", date, 0, r);
        CheckNumber<DateNumberFn16>(lib_, "KD_NCNTRY", date, ok ? 20 : 0, r);
        CheckNumber<DateNumberFn16>(lib_, "KD_NFULCNTRYYR", date, ok ? 2000 : 0, r);
        CheckNumber<DateNumberFn32>(lib_, "KD_ISLEAPYR", date, ok ? 1 : 0, r);
    }
    CheckText<12, DateTextFn16>(lib_, "KD_REVJULIANDATE", "2000060", "02-29-2000");
    CheckText<12, DateTextFn16>(lib_, "KD_REVJULIANDATE", "1999366", "");

    const auto between =
        lib_.Resolve<int32_t (*)(const char*, const char*, const char*)>("KD_BETWEEN");
    ASSERT_NE(between, nullptr);
    EXPECT_EQ(between("01/01/1999", "06/15/1999", "12/31/1999"), 1);
    EXPECT_EQ(between("01/01/1999", "01/01/1999", "12/31/1999"), -1);
    EXPECT_EQ(between("01/01/1999", "bad", "12/31/1999"), 0);

    const auto lapse = lib_.Resolve<int32_t (*)(const char*, const char*, int32_t*, int32_t*,
                                                int32_t*, int32_t*, int32_t*)>("KD_DATELAPSE");
    ASSERT_NE(lapse, nullptr);
    int32_t v[5];
    EXPECT_EQ(lapse("09/24/1990", "03/31/1993", &v[0], &v[1], &v[2], &v[3], &v[4]), 1);
    EXPECT_EQ(std::vector<int32_t>(v, v + 5), (std::vector<int32_t>{2, 6, 1, 0, 0}));

    const auto getCentury = lib_.Resolve<int16_t (*)(int32_t, char*)>("KD_CGETCNTRY");
    const auto getCenturyNumber = lib_.Resolve<int16_t (*)(int32_t, int32_t*)>("KD_IGETCNTRY");
    ASSERT_NE(getCentury, nullptr);
    ASSERT_NE(getCenturyNumber, nullptr);
    Guarded<3> century;
    EXPECT_EQ(getCentury(4, century.data()), 1);
    EXPECT_STREQ(century.data(), "19");
    EXPECT_TRUE(century.Intact());
    int32_t n = 0;
    EXPECT_EQ(getCenturyNumber(9, &n), 1);
    EXPECT_EQ(n, 24);

    const auto serialDay = lib_.Resolve<int16_t (*)(char*, int32_t, int32_t*)>("KD_CNTRYDAY");
    ASSERT_NE(serialDay, nullptr);
    Guarded<12> date;
    std::memcpy(date.data(), "12/31/1998", 11);
    int32_t serial = 0;
    EXPECT_EQ(serialDay(date.data(), 1, &serial), 1);
    EXPECT_EQ(serial, 730134);
    serial = 730500;
    EXPECT_EQ(serialDay(date.data(), 2, &serial), 1);
    EXPECT_STREQ(date.data(), "01-01-2000");
    serial = -7;
    EXPECT_EQ(serialDay(date.data(), 2, &serial), 0);
    EXPECT_TRUE(date.Intact());
}

TEST_F(AbiTest, LongInputsAreReadAsTheirFirstElevenCharacters) {
    // Were a twelfth character read, the date would no longer be one.
    const std::string longInput = "12/31/1998 " + std::string(200, '9');
    GuardedBuffer out;
    EXPECT_EQ(conv_(longInput.c_str(), out.data(), "E", 0, 0), 1);
    EXPECT_STREQ(out.data(), "19981231");
    EXPECT_TRUE(out.GuardsIntact());
}

}  // namespace
