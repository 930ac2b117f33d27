// The kal_ interface of kalcore/dates.h, called as a C program calls it. The
// unit tests link the library's objects without its entry, so every call here
// also shows that the interface needs no start-up.
#include "kalcore/dates.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "format/convert.h"

namespace {

using kalcore::CivilDate;
using kalcore::DaysFromEpoch;

kal_options Window(int start) {
    kal_options o = KAL_OPTIONS_INIT;
    o.window_start = start;
    return o;
}

kal_options Policy(int32_t policy, int32_t value, uint32_t flags = 0) {
    kal_options o = KAL_OPTIONS_INIT;
    o.two_digit_years = policy;
    if (policy == KAL_YEARS_WINDOW) o.window_start = value;
    if (policy == KAL_YEARS_CENTURY) o.century = value;
    if (policy == KAL_YEARS_SELECTOR) o.selector = value;
    o.flags = flags;
    return o;
}

// The date of a text, or {0, 0, 0} for no date.
CivilDate Read(const std::string& text, const kal_options& o) {
    kal_date d;
    const int32_t status = kal_parse(text.data(), text.size(), &o, &d);
    EXPECT_TRUE(status == KAL_OK || status == KAL_NO_DATE) << status;
    if (status != KAL_OK) {
        EXPECT_EQ(d.days, KAL_NAT);
        return CivilDate{0, 0, 0};
    }
    EXPECT_EQ(d.days, DaysFromEpoch(CivilDate{d.year, d.month, d.day}));
    return CivilDate{d.year, d.month, d.day};
}

std::string Shown(const std::string& text) {
    std::string shown;
    for (const unsigned char c : text) {
        if (c >= 32 && c < 127) {
            shown += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            shown += hex;
        }
    }
    return "\"" + shown + "\"";
}

// Every input layout, read under the default window: the date, the layout
// reported, and whether the text wrote its century.
TEST(DatesParseTest, EveryLayout) {
    const kal_options o = KAL_OPTIONS_INIT;
    struct Row {
        const char* text;
        int layout;
        CivilDate date;
        int centuryGiven;
    };
    const Row rows[] = {
        {"070498", '1', {1998, 7, 4}, 0},
        {"980704", '2', {1998, 7, 4}, 0},
        {"07/04/98", '3', {1998, 7, 4}, 0},
        {"98/07/04", '4', {1998, 7, 4}, 0},
        {"98.07.04", '5', {1998, 7, 4}, 0},
        {"04-Jul-49", '6', {2049, 7, 4}, 0},
        {"04-jul-1998", '7', {1998, 7, 4}, 1},
        {"04JUL98", '8', {1998, 7, 4}, 0},
        {"04Jul1998", '9', {1998, 7, 4}, 1},
        {"07-04-1998", 'A', {1998, 7, 4}, 1},
        {"07/04/1998", 'B', {1998, 7, 4}, 1},
        {"07-04-98", 'C', {1998, 7, 4}, 0},
        {"07041998", 'D', {1998, 7, 4}, 1},
        {"19980704", 'E', {1998, 7, 4}, 1},
        {"1998-Jul-04", 'F', {1998, 7, 4}, 1},
        {"1998-07-04", 'G', {1998, 7, 4}, 1},
        {"04/Jul/1998", 'H', {1998, 7, 4}, 1},
        {"04/Jul/98", 'I', {1998, 7, 4}, 0},
        {"1998/Jul/04", 'J', {1998, 7, 4}, 1},
        {"Jul/04/1998", 'K', {1998, 7, 4}, 1},
        {"Jul/04/98", 'L', {1998, 7, 4}, 0},
        {"Jul-04-1998", 'M', {1998, 7, 4}, 1},
        {"jul-04-98", 'N', {1998, 7, 4}, 0},
        {"1998/07/04", 'O', {1998, 7, 4}, 1},
        {"1998/25/12", 'P', {1998, 12, 25}, 1},
        {"1998-25-12", 'Q', {1998, 12, 25}, 1},
        {"1998/25/Dec", 'R', {1998, 12, 25}, 1},
        {"1998-25-Dec", 'S', {1998, 12, 25}, 1},
        {"1998Jul04", 'T', {1998, 7, 4}, 1},
        {"07-4-1998", 'U', {1998, 7, 4}, 1},
        {"07/4/1998", 'V', {1998, 7, 4}, 1},
        {"7-04-1998", 'W', {1998, 7, 4}, 1},
        {"7/04/1998", 'X', {1998, 7, 4}, 1},
        {"4-Jul-1998", 'Y', {1998, 7, 4}, 1},
        {"4/Jul/1998", 'Z', {1998, 7, 4}, 1},
        {"Jul-4-1998", '*', {1998, 7, 4}, 1},
        {"Jul/4/1998", '#', {1998, 7, 4}, 1},
        {"7-4-1998", '@', {1998, 7, 4}, 1},
        {"7/4/1998", '&', {1998, 7, 4}, 1},
        {"4Jul1998", '$', {1998, 7, 4}, 1},
        {"7-4-98", KAL_FORM_M_D_YY_DASH, {1998, 7, 4}, 0},
        {"7/4/98", KAL_FORM_M_D_YY_SLASH, {1998, 7, 4}, 0},
        {"7-04-98", KAL_FORM_M_DD_YY_DASH, {1998, 7, 4}, 0},
        {"7/04/98", KAL_FORM_M_DD_YY_SLASH, {1998, 7, 4}, 0},
        {"07-4-98", KAL_FORM_MM_D_YY_DASH, {1998, 7, 4}, 0},
        {"07/4/98", KAL_FORM_MM_D_YY_SLASH, {1998, 7, 4}, 0},
        {"4-Jul-98", KAL_FORM_D_MMM_YY_DASH, {1998, 7, 4}, 0},
        {"4/Jul/98", KAL_FORM_D_MMM_YY_SLASH, {1998, 7, 4}, 0},
        {"4Jul98", KAL_FORM_DMMMYY, {1998, 7, 4}, 0},
        {"Jul-4-98", KAL_FORM_MMM_D_YY_DASH, {1998, 7, 4}, 0},
        {"Jul/4/98", KAL_FORM_MMM_D_YY_SLASH, {1998, 7, 4}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        kal_date d;
        ASSERT_EQ(kal_parse(r.text, std::strlen(r.text), &o, &d), KAL_OK);
        EXPECT_EQ((CivilDate{d.year, d.month, d.day}), r.date);
        EXPECT_EQ(d.layout, r.layout);
        EXPECT_EQ(d.century_given, r.centuryGiven);
        EXPECT_EQ(d.reserved, 0);
    }
}

// Windows: every two-digit layout places 49 and 50 either side of a 1950
// window; a four-digit year never moves; windows starting mid-century.
TEST(DatesParseTest, TwoDigitYearsByWindow) {
    // Each layout with a two-digit year, the year written as YY.
    const char* const layouts[] = {"0704YY",    "YY0704",  "07/04/YY", "YY/07/04",  "YY.07.04",
                                   "04-Jul-YY", "04JulYY", "07-04-YY", "04/Jul/YY", "Jul/04/YY",
                                   "Jul-04-YY", "7-4-YY",  "7/4/YY",   "7-04-YY",   "7/04/YY",
                                   "07-4-YY",   "07/4/YY", "4-Jul-YY", "4/Jul/YY",  "4JulYY",
                                   "Jul-4-YY",  "Jul/4/YY"};
    struct Row {
        int window;
        const char* yy;
        int year;
    };
    const Row rows[] = {{1950, "49", 2049}, {1950, "50", 1950}, {1950, "99", 1999},
                        {1950, "00", 2000}, {1930, "29", 2029}, {1930, "30", 1930},
                        {1969, "68", 2068}, {1969, "69", 1969}, {1900, "00", 1900},
                        {1900, "99", 1999}, {9900, "99", 9999}, {1000, "00", 1000}};
    // A text whose first two digits exceed 12 is read year first, so YY0704
    // and YY/07/04 need a year above 12.
    for (const Row& r : rows) {
        for (const char* layout : layouts) {
            std::string text = layout;
            const auto at = text.find("YY");
            text.replace(at, 2, r.yy);
            const bool yearFirst = at == 0;
            if (yearFirst && std::atoi(r.yy) <= 12) continue;
            SCOPED_TRACE(text + " window " + std::to_string(r.window));
            EXPECT_EQ(Read(text, Window(r.window)), (CivilDate{r.year, 7, 4}));
        }
    }
    const std::pair<const char*, CivilDate> fourDigits[] = {{"07/04/1949", {1949, 7, 4}},
                                                            {"1949-07-04", {1949, 7, 4}},
                                                            {"Jul/04/2050", {2050, 7, 4}},
                                                            {"4Jul1066", {1066, 7, 4}}};
    for (int window : {1000, 1930, 1950, 1969, 9900})
        for (const auto& [text, date] : fourDigits)
            EXPECT_EQ(Read(text, Window(window)), date) << text << " window " << window;
    // 29 February of a two-digit year is a date only in the leap year the
    // window gives it.
    EXPECT_EQ(Read("02/29/00", Window(1901)), (CivilDate{2000, 2, 29}));
    EXPECT_EQ(Read("2/29/00", Window(1800)), (CivilDate{0, 0, 0}));
    EXPECT_EQ(Read("29Feb00", Window(1800)), (CivilDate{0, 0, 0}));
    EXPECT_EQ(Read("02/29/04", Window(1800)), (CivilDate{1804, 2, 29}));
}

// A fixed century for two-digit years only; the selector with its full
// effect on four-digit years, as KD_CONVDATE reads.
TEST(DatesParseTest, CenturyAndSelector) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    struct Row {
        const char* text;
        kal_options options;
        CivilDate date;
    };
    const Row rows[] = {
        {"12/31/98", Policy(KAL_YEARS_CENTURY, 17), {1798, 12, 31}},
        {"12/31/1998", Policy(KAL_YEARS_CENTURY, 17), {1998, 12, 31}},
        {"Dec/31/98", Policy(KAL_YEARS_CENTURY, 24), {2498, 12, 31}},
        {"12/31/98", Policy(KAL_YEARS_SELECTOR, 0), {2098, 12, 31}},
        {"12/31/1998", Policy(KAL_YEARS_SELECTOR, 0), {1998, 12, 31}},
        {"2005-06-01", Policy(KAL_YEARS_SELECTOR, 4), {1905, 6, 1}},
        {"12/31/1998", Policy(KAL_YEARS_SELECTOR, 5), {2098, 12, 31}},
        {"Dec/31/98", Policy(KAL_YEARS_SELECTOR, 5), {2098, 12, 31}},
        {"02/29/2000", Policy(KAL_YEARS_SELECTOR, 4), {0, 0, 0}},
        {"2/29/00", Policy(KAL_YEARS_SELECTOR, 4), {0, 0, 0}},
        {"02/29/1900", Policy(KAL_YEARS_SELECTOR, 0), {0, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.text) + " policy " + std::to_string(r.options.two_digit_years));
        EXPECT_EQ(Read(r.text, r.options), r.date);
    }
}

// What is trimmed, what makes a text longer than its layout, and that only
// the stated length is read.
TEST(DatesParseTest, ExactTexts) {
    const kal_options o = KAL_OPTIONS_INIT;
    struct Row {
        std::string text;
        CivilDate date;
    };
    using namespace std::string_literals;
    const Row rows[] = {
        {"12/31/1998 10:30", {0, 0, 0}},
        {"12/31/1998x", {0, 0, 0}},
        {"12/31/1998 x", {0, 0, 0}},
        {"25/12/1998", {0, 0, 0}},
        {"  12/31/98\t\r\n", {1998, 12, 31}},
        {" 1/02/98", {1998, 1, 2}},
        {"\xEF\xBB\xBF"
         "12/31/98",
         {1998, 12, 31}},
        {"\xA0"
         "12/31/98\xA0",
         {1998, 12, 31}},
        {"12/31/98\0\0\0"s, {1998, 12, 31}},
        {"\0"
         "12/31/98"s,
         {1998, 12, 31}},
        {"12/31/98\0x"s, {0, 0, 0}},
        {"12/3\0/98"s, {0, 0, 0}},
        {"12/31/ 98", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"      ", {0, 0, 0}},
        {"\0\0\0"s, {0, 0, 0}},
        {"TODAY", {0, 0, 0}},
        {"   Dec/31/1998    ", {1998, 12, 31}},
        {"Dec/31/19988", {0, 0, 0}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Shown(r.text));
        EXPECT_EQ(Read(r.text, o), r.date);
    }
    // Only `length` characters are read: the rest of the buffer is no part
    // of the text.
    kal_date d;
    ASSERT_EQ(kal_parse("12/31/1998", 8, &o, &d), KAL_OK);
    EXPECT_EQ((CivilDate{d.year, d.month, d.day}), (CivilDate{2019, 12, 31}));
    EXPECT_EQ(kal_parse("12/31/1998", 0, &o, &d), KAL_NO_DATE);
}

TEST(DatesParseTest, KeywordsOnlyWhenAsked) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    const kal_options plain = KAL_OPTIONS_INIT;
    kal_options keywords = KAL_OPTIONS_INIT;
    keywords.flags = KAL_KEYWORDS;
    const kal_options fixed = Policy(KAL_YEARS_SELECTOR, 4, KAL_KEYWORDS);
    for (const char* word : {"TODAY", "now", "YESTER", "yester3"}) {
        kal_date d;
        EXPECT_EQ(kal_parse(word, std::strlen(word), &plain, &d), KAL_NO_DATE) << word;
    }
    EXPECT_EQ(Read("today", keywords), (CivilDate{2026, 12, 6}));
    EXPECT_EQ(Read(" NOW ", keywords), (CivilDate{2026, 12, 6}));
    EXPECT_EQ(Read("YESTER", keywords), (CivilDate{2026, 12, 5}));
    EXPECT_EQ(Read("yester3", keywords), (CivilDate{2026, 12, 2}));
    EXPECT_EQ(Read("YESTER8", keywords), (CivilDate{0, 0, 0}));
    EXPECT_EQ(Read("TODAY", fixed), (CivilDate{1926, 12, 6}));
    kal_date d;
    ASSERT_EQ(kal_parse("TODAY", 5, &keywords, &d), KAL_OK);
    EXPECT_EQ(d.layout, KAL_FORM_KEYWORD);
    EXPECT_EQ(d.century_given, 1);
}

// Malformed options and null pointers are errors of the call: nothing is
// written.
TEST(DatesParseTest, CallErrors) {
    const kal_options good = KAL_OPTIONS_INIT;
    std::vector<kal_options> bad;
    for (int32_t policy : {-1, 3}) bad.push_back(Policy(policy, 0));
    for (int32_t start : {999, 9901, -1950}) bad.push_back(Policy(KAL_YEARS_WINDOW, start));
    for (int32_t century : {9, 100, 0}) bad.push_back(Policy(KAL_YEARS_CENTURY, century));
    for (int32_t selector : {-1, 10}) bad.push_back(Policy(KAL_YEARS_SELECTOR, selector));
    bad.push_back(Policy(KAL_YEARS_WINDOW, 1950, 2u));
    bad.push_back(good);
    bad.back().size = 20;
    bad.push_back(good);
    bad.back().size = 32;
    kal_date d{};
    d.year = 77;
    for (const kal_options& o : bad) {
        EXPECT_EQ(kal_parse("12/31/98", 8, &o, &d), KAL_E_OPTIONS);
        int64_t days = 5;
        const char* text = "12/31/98";
        const size_t length = 8;
        EXPECT_EQ(kal_parse_many(&text, &length, 1, &o, &days, nullptr), KAL_E_OPTIONS);
        EXPECT_EQ(kal_parse_many_fixed(text, 1, 1, 8, 8, &o, &days, nullptr), KAL_E_OPTIONS);
        EXPECT_EQ(days, 5);
    }
    EXPECT_EQ(d.year, 77);
    EXPECT_EQ(kal_parse(nullptr, 0, &good, &d), KAL_E_NULL);
    EXPECT_EQ(kal_parse("1/1/98", 6, nullptr, &d), KAL_E_NULL);
    EXPECT_EQ(kal_parse("1/1/98", 6, &good, nullptr), KAL_E_NULL);
    EXPECT_EQ(kal_options_init(nullptr), KAL_E_NULL);
    const char* text = "1/1/98";
    const size_t length = 6;
    int64_t days = 0;
    EXPECT_EQ(kal_parse_many(nullptr, &length, 1, &good, &days, nullptr), KAL_E_NULL);
    EXPECT_EQ(kal_parse_many(&text, nullptr, 1, &good, &days, nullptr), KAL_E_NULL);
    EXPECT_EQ(kal_parse_many(&text, &length, 1, &good, nullptr, nullptr), KAL_E_NULL);
    EXPECT_EQ(kal_parse_many(&text, &length, 0, nullptr, &days, nullptr), KAL_E_NULL);
    EXPECT_EQ(kal_parse_many_fixed(nullptr, 0, 1, 6, 6, &good, &days, nullptr), KAL_E_NULL);
    for (size_t size : {0, 2, 3, 8})
        EXPECT_EQ(kal_parse_many_fixed(text, 1, size, 6, 6, &good, &days, nullptr), KAL_E_SHAPE);
    kal_options init;
    std::memset(&init, 0xff, sizeof init);
    ASSERT_EQ(kal_options_init(&init), KAL_OK);
    EXPECT_EQ(std::memcmp(&init, &good, sizeof init), 0);
    EXPECT_STREQ(kal_status_text(KAL_E_SPACE), "the output buffer is too small");
    EXPECT_STREQ(kal_status_text(12345), "unknown status");
}

// The texts every batch test reads, and what kal_parse makes of each.
const char* const kSample[] = {
    "12/31/98", "1998-12-31", "junk",        "",      "Dec/31/49", "  7Sep99 ",        "13/45/99",
    "19981231", "1/2/50",     "31-dec-1998", "TODAY", "98.12.31",  "12/31/1998 10:30", "2/29/00"};
constexpr size_t kSampleCount = sizeof kSample / sizeof kSample[0];

struct Expected {
    std::array<int64_t, kSampleCount> days;
    std::array<uint8_t, kSampleCount> layouts;
    int64_t dates = 0;
};

Expected ParseEach(const kal_options& o) {
    Expected e{};
    for (size_t i = 0; i < kSampleCount; ++i) {
        kal_date d;
        const bool read = kal_parse(kSample[i], std::strlen(kSample[i]), &o, &d) == KAL_OK;
        e.days[i] = d.days;
        e.layouts[i] = static_cast<uint8_t>(d.layout);
        e.dates += read;
    }
    return e;
}

TEST(DatesParseManyTest, PointersAgreeWithOneAtATime) {
    const kal_options o = Window(1930);
    const Expected e = ParseEach(o);
    std::vector<const char*> texts(kSample, kSample + kSampleCount);
    std::vector<size_t> lengths;
    for (const char* t : texts) lengths.push_back(std::strlen(t));
    std::array<int64_t, kSampleCount> days{};
    std::array<uint8_t, kSampleCount> layouts{};
    EXPECT_EQ(
        kal_parse_many(texts.data(), lengths.data(), kSampleCount, &o, days.data(), layouts.data()),
        e.dates);
    EXPECT_EQ(days, e.days);
    EXPECT_EQ(layouts, e.layouts);
    days.fill(0);
    EXPECT_EQ(kal_parse_many(texts.data(), lengths.data(), kSampleCount, &o, days.data(), nullptr),
              e.dates);
    EXPECT_EQ(days, e.days);
    // A null item is a missing text; n = 0 writes nothing.
    texts[0] = nullptr;
    EXPECT_EQ(kal_parse_many(texts.data(), lengths.data(), kSampleCount, &o, days.data(), nullptr),
              e.dates - 1);
    EXPECT_EQ(days[0], KAL_NAT);
    days[0] = 7;
    EXPECT_EQ(kal_parse_many(texts.data(), lengths.data(), 0, &o, days.data(), nullptr), 0);
    EXPECT_EQ(days[0], 7);
}

// A block laid out as NumPy lays out S and U arrays, and in stranger shapes:
// an item of any width, a stride longer than the item or negative, 4-byte
// characters at odd addresses.
TEST(DatesParseManyTest, FixedWidthBlocks) {
    const kal_options o = Window(1930);
    const Expected e = ParseEach(o);
    struct Shape {
        size_t charSize, width, gap, offset;  // gap: bytes between items
        bool reversed;
    };
    // Widths below 16 too (NumPy S12): the one text here longer than 12 is
    // no date cut or whole.
    const Shape shapes[] = {{1, 16, 0, 0, false}, {1, 20, 3, 1, false}, {4, 16, 0, 0, false},
                            {4, 17, 1, 1, false}, {1, 16, 0, 0, true},  {4, 18, 2, 3, true},
                            {1, 12, 0, 0, false}, {1, 13, 3, 1, true},  {4, 12, 0, 0, false}};
    for (const Shape& s : shapes) {
        SCOPED_TRACE("char size " + std::to_string(s.charSize) + " width " +
                     std::to_string(s.width) + " gap " + std::to_string(s.gap));
        const size_t itemBytes = s.width * s.charSize + s.gap;
        std::vector<unsigned char> block(s.offset + itemBytes * kSampleCount, 0xEE);
        for (size_t i = 0; i < kSampleCount; ++i) {
            unsigned char* item = block.data() + s.offset + i * itemBytes;
            const size_t length = std::strlen(kSample[i]);
            for (size_t c = 0; c < s.width; ++c) {
                const uint32_t ch = c < length ? static_cast<unsigned char>(kSample[i][c]) : 0;
                if (s.charSize == 1)
                    item[c] = static_cast<unsigned char>(ch);
                else
                    std::memcpy(item + 4 * c, &ch, 4);
            }
        }
        std::array<int64_t, kSampleCount> days{};
        std::array<uint8_t, kSampleCount> layouts{};
        const unsigned char* first = block.data() + s.offset;
        ptrdiff_t stride = static_cast<ptrdiff_t>(itemBytes);
        if (s.reversed) {
            first += itemBytes * (kSampleCount - 1);
            stride = -stride;
        }
        EXPECT_EQ(kal_parse_many_fixed(first, kSampleCount, s.charSize, s.width, stride, &o,
                                       days.data(), layouts.data()),
                  e.dates);
        for (size_t i = 0; i < kSampleCount; ++i) {
            const size_t j = s.reversed ? kSampleCount - 1 - i : i;
            EXPECT_EQ(days[i], e.days[j]) << kSample[j];
            EXPECT_EQ(layouts[i], e.layouts[j]) << kSample[j];
        }
    }
}

// UCS-4 texts: Latin-1 blanks are trimmed, a character above 255 is no date,
// a width of 0 holds no text.
TEST(DatesParseManyTest, Ucs4Characters) {
    const kal_options o = KAL_OPTIONS_INIT;
    const std::u32string texts[] = {U"\u00a012/31/98\u00a0", U"12/31/\u0669\u0668",
                                    U"\u300012/31/98", U"12\uff0f31/98"};
    const int64_t want[] = {DaysFromEpoch(CivilDate{1998, 12, 31}), KAL_NAT, KAL_NAT, KAL_NAT};
    for (size_t i = 0; i < 4; ++i) {
        int64_t days = 0;
        kal_parse_many_fixed(texts[i].data(), 1, 4, texts[i].size(), 0, &o, &days, nullptr);
        EXPECT_EQ(days, want[i]) << i;
    }
    int64_t days[3] = {1, 2, 3};
    EXPECT_EQ(kal_parse_many_fixed("x", 3, 4, 0, 0, &o, days, nullptr), 0);
    EXPECT_EQ(days[0], KAL_NAT);
    EXPECT_EQ(days[2], KAL_NAT);
}

// kal_format writes what the reader and writer of KD_CONVDATE write, for
// every code and dates with one- and two-digit fields.
TEST(DatesFormatTest, EveryCodeAsTheConverter) {
    const char codes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=";
    const CivilDate dates[] = {{1998, 7, 4},  {1998, 12, 25}, {2003, 1, 5},  {2003, 5, 12},
                               {2003, 11, 3}, {1000, 1, 1},   {9999, 12, 31}};
    for (const char code : std::string(codes)) {
        for (const CivilDate& date : dates) {
            char iso[16];
            std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
            kalcore::DateText input{}, want{};
            std::memcpy(input, iso, 10);
            ASSERT_TRUE(kalcore::ConvertDate(input, code, 0, want));
            char out[16];
            std::memset(out, 'x', sizeof out);
            size_t length = 99;
            ASSERT_EQ(kal_format(date.year, date.month, date.day, code, out, sizeof out, &length),
                      KAL_OK);
            EXPECT_STREQ(out, want) << code << " " << iso;
            EXPECT_EQ(length, std::strlen(want));
            EXPECT_LE(length, static_cast<size_t>(kal_format_width(code)));
        }
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(code)));
        EXPECT_EQ(kal_format_width(lower), kal_format_width(code));
    }
    EXPECT_EQ(kal_format_width('6'), 11);
    EXPECT_EQ(kal_format_width('@'), 10);
    EXPECT_EQ(kal_format_width('{'), 10);
    EXPECT_EQ(kal_format_width('1'), 6);
    EXPECT_EQ(kal_format_width('0'), KAL_E_CODE);
}

// The capacity of the buffer: the length is told also when the text does not
// fit, and nothing is written then.
TEST(DatesFormatTest, Capacities) {
    char out[16];
    size_t length = 0;
    struct Row {
        size_t capacity;
        int32_t status;
    };
    for (const Row& r : {Row{11, KAL_OK}, Row{10, KAL_E_SPACE}, Row{1, KAL_E_SPACE}}) {
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(kal_format(1998, 12, 31, 'B', out, r.capacity, &length), r.status);
        EXPECT_EQ(length, 10u);
        if (r.status == KAL_OK)
            EXPECT_STREQ(out, "12/31/1998");
        else
            EXPECT_EQ(out[0], '#');
        EXPECT_EQ(out[11], '#');
    }
    EXPECT_EQ(kal_format(1998, 12, 31, '6', nullptr, 0, &length), KAL_E_SPACE);
    EXPECT_EQ(length, 11u);
    EXPECT_EQ(kal_format(1998, 12, 31, '6', nullptr, 12, &length), KAL_E_NULL);
    EXPECT_EQ(kal_format(1998, 12, 31, 'B', out, sizeof out, nullptr), KAL_OK);
    struct Bad {
        int32_t year, month, day;
        char code;
        int32_t status;
    };
    const Bad bad[] = {{1998, 2, 29, 'B', KAL_E_RANGE}, {999, 12, 31, 'B', KAL_E_RANGE},
                       {10000, 1, 1, 'B', KAL_E_RANGE}, {1998, 13, 1, 'B', KAL_E_RANGE},
                       {1998, 0, 1, 'B', KAL_E_RANGE},  {1998, 1, 0, 'B', KAL_E_RANGE},
                       {1998, 1, 1, '0', KAL_E_CODE},   {1998, 1, 1, '\0', KAL_E_CODE}};
    for (const Bad& b : bad) {
        std::memset(out, '#', sizeof out);
        EXPECT_EQ(kal_format(b.year, b.month, b.day, b.code, out, sizeof out, &length), b.status);
        EXPECT_EQ(out[0], '#');
    }
}

// Columns written and read back: every four-digit code but the year-day-month
// ones (which read month first when that is a date) gives back the days it
// was given, in 1- and 4-byte blocks; items that are no date are zeros,
// and the bytes between items are not touched.
TEST(DatesFormatTest, ColumnsRoundTrip) {
    const kal_options o = KAL_OPTIONS_INIT;
    std::vector<int64_t> days = {DaysFromEpoch(CivilDate{1000, 1, 1}),
                                 DaysFromEpoch(CivilDate{9999, 12, 31}),
                                 DaysFromEpoch(CivilDate{1998, 7, 4}),
                                 DaysFromEpoch(CivilDate{2003, 11, 3}),
                                 KAL_NAT,
                                 DaysFromEpoch(CivilDate{999, 12, 31}),
                                 DaysFromEpoch(CivilDate{10000, 1, 1}),
                                 INT64_MAX,
                                 0};
    const size_t n = days.size();
    for (const char code : std::string("79ABDEFGHJKMORSTUVWXYZ*#@&$")) {
        for (const size_t charSize : {size_t{1}, size_t{4}}) {
            SCOPED_TRACE(std::string(1, code) + " char size " + std::to_string(charSize));
            const size_t width = static_cast<size_t>(kal_format_width(code));
            const size_t stride = width * charSize + 2;
            std::vector<unsigned char> block(stride * n, 0xEE);
            ASSERT_EQ(kal_format_many(days.data(), n, code, block.data(), charSize, width,
                                      static_cast<ptrdiff_t>(stride)),
                      5);
            for (size_t i = 0; i < n; ++i) {
                EXPECT_EQ(block[i * stride + width * charSize], 0xEE);
                EXPECT_EQ(block[i * stride + width * charSize + 1], 0xEE);
            }
            std::vector<int64_t> back(n, 0);
            EXPECT_EQ(
                kal_parse_many_fixed(block.data(), n, charSize, width,
                                     static_cast<ptrdiff_t>(stride), &o, back.data(), nullptr),
                5);
            for (size_t i = 0; i < n; ++i)
                EXPECT_EQ(back[i], i < 4 || i == 8 ? days[i] : KAL_NAT) << i;
        }
    }
    char out[8];
    EXPECT_EQ(kal_format_many(days.data(), 1, 'B', out, 1, 9, 9), KAL_E_SPACE);
    EXPECT_EQ(kal_format_many(days.data(), 1, '0', out, 1, 9, 9), KAL_E_CODE);
    EXPECT_EQ(kal_format_many(days.data(), 1, 'B', out, 2, 10, 20), KAL_E_SHAPE);
    EXPECT_EQ(kal_format_many(nullptr, 1, 'B', out, 1, 10, 10), KAL_E_NULL);
    EXPECT_EQ(kal_format_many(days.data(), 1, 'B', nullptr, 1, 10, 10), KAL_E_NULL);
}

// The interface keeps no state between calls: threads reading columns under
// different options at once each get what they would alone.
TEST(DatesParseManyTest, ThreadsWithDifferentOptions) {
    const kal_options options[] = {Window(1930), Window(1969), Policy(KAL_YEARS_CENTURY, 17),
                                   Policy(KAL_YEARS_SELECTOR, 4)};
    std::vector<size_t> lengths;
    for (const char* t : kSample) lengths.push_back(std::strlen(t));
    std::vector<std::thread> threads;
    bool same[4] = {};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const Expected e = ParseEach(options[t]);
            bool ok = true;
            for (int round = 0; round < 2000; ++round) {
                std::array<int64_t, kSampleCount> days{};
                ok &= kal_parse_many(kSample, lengths.data(), kSampleCount, &options[t],
                                     days.data(), nullptr) == e.dates &&
                      days == e.days;
            }
            same[t] = ok;
        });
    }
    for (std::thread& t : threads) t.join();
    for (int t = 0; t < 4; ++t) EXPECT_TRUE(same[t]) << t;
}

}  // namespace
