// The reader's shortcut for the shapes dates are commonly written in must
// read every text exactly as the full order of recognisers and basic
// detection does: the same outcome, date, input code, layout and century
// flags, under every kind of rule, with and without keywords, on clocks in
// several centuries. The texts have the common shapes (and their
// neighbours): dates written in every format code, cut to two-digit years,
// with characters swapped for others of the same class, and random fills.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "differential/random.h"
#include "fixed_clock.h"
#include "format/common_shapes.h"
#include "format/date_reader.h"
#include "format/date_writer.h"
#include "format/layouts.h"
#include "format/text_columns.h"

namespace kalcore {
namespace {

using differential::Random;

// The shapes the shortcut reads, and near misses: 'd' a digit, 'a' a letter,
// 's' a separator, '_' another character.
constexpr const char* kShapes[] = {
    "ddsddsdddd",  "ddsddsdd",    "dd_dd_dd",    "dddddd",     "dddddddd",   "ddaaadddd",
    "ddaaadd",     "ddsaaasdddd", "ddsaaasdd",   "dsaaasdd",   "dsaaasdddd", "daaadd",
    "daaadddd",    "aaasddsdd",   "aaasddsdddd", "aaasdsdd",   "aaasdsdddd", "ddddsddsdd",
    "ddddsaaasdd", "ddddsddsaaa", "ddddaaadd",   "dsdsdd",     "dsdsdddd",   "dsddsdd",
    "dsddsdddd",   "ddsdsdd",     "ddsdsdddd",   "ddddddd",    "ddsddsddd",  "aaasddsddd",
    "ddsaaasddd",  "_dsddsdddd",  "dd.dd.dd",    "dd.dd.dddd", "ddsdd.dd"};

char OfClass(Random& r, char cls) {
    static const char kOthers[] = ".. :,x\t";
    static const char kMonthLetters[] = "JanFebMarAprMayJunJulAugSepOctNovDecjanFEBsepDEC";
    switch (cls) {
        case 'd':
            // Mostly the digits that start months, days and centuries.
            return r.Chance(50) ? static_cast<char>('0' + r.Below(4))
                                : static_cast<char>('0' + r.Below(10));
        case 'a':
            return r.Chance(70) ? kMonthLetters[r.Below(sizeof kMonthLetters - 1)]
                                : static_cast<char>((r.Chance(50) ? 'a' : 'A') + r.Below(26));
        case 's':
            return r.Chance(50) ? '-' : '/';
        default:
            return kOthers[r.Below(sizeof kOthers - 1)];
    }
}

// A text of a random date in a random format code, perhaps cut to a
// two-digit year, perhaps with characters swapped for others of their class.
std::string WrittenDate(Random& r) {
    const CivilDate date{r.Chance(70) ? r.Between(1900, 2099) : r.Between(1000, 9999),
                         r.Between(1, 12), r.Between(1, 31)};
    DateText text;
    const FormatLayout& layout = kLayouts[r.Below(kFormatCount)];
    if (!IsValidDate(date)) return "02/29/1900";
    WriteDate(layout, date, text);
    std::string s = text;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    // Cut "CCYY" at the end to "YY".
    if (r.Chance(30) && s.size() >= 4 &&
        s.size() - 4 == static_cast<std::size_t>(layout.yearPos - 2))
        s.erase(s.size() - 4, 2);
    for (int swaps = r.Below(3); swaps > 0 && !s.empty(); --swaps) {
        char& c = s[r.Below(static_cast<int>(s.size()))];
        c = OfClass(r, c >= '0' && c <= '9'                       ? 'd'
                       : ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ? 'a'
                                                                  : 's');
    }
    return s;
}

std::string FilledShape(Random& r) {
    std::string s = r.Pick(kShapes);
    for (char& c : s) c = OfClass(r, c);
    return s;
}

YearRule RandomRule(Random& r) {
    switch (r.Below(3)) {
        case 0:
            return {YearRule::Kind::kSelector, r.Between(-1, 10)};
        case 1:
            return {YearRule::Kind::kWindow,
                    r.Chance(50) ? r.Pick({1000, 1930, 1950, 1969, 9900}) : r.Between(1000, 9900)};
        default:
            return {YearRule::Kind::kCentury,
                    r.Chance(50) ? r.Pick({10, 19, 20, 99}) : r.Between(10, 99)};
    }
}

std::string Described(const std::string& text, const YearRule& rule, bool keywords) {
    char rest[64];
    std::snprintf(rest, sizeof rest, "\" rule %d/%d keywords %d", static_cast<int>(rule.kind),
                  rule.value, keywords ? 1 : 0);
    return "\"" + text + rest;
}

TEST(ReaderShortcut, ReadsEveryCommonShapeAsTheFullOrderDoes) {
    struct Clock {
        int year, month, day;
    };
    constexpr Clock kClocks[] = {{2026, 12, 6}, {1999, 12, 31}, {2100, 3, 1}, {1000, 1, 3}};
    Random r(20261209);
    int dates = 0, compared = 0, differences = 0;
    for (const Clock& clock : kClocks) {
        testing::FixedClock fixed(clock.year, clock.month, clock.day, 12);
        for (int i = 0; i < 60000; ++i) {
            const std::string text = r.Chance(60) ? WrittenDate(r) : FilledShape(r);
            DateText input{};
            std::memcpy(input, text.data(), std::min(text.size(), kMaxDateChars));
            const YearRule rule = RandomRule(r);
            const bool keywords = r.Chance(50);
            DateReading fast{}, full{};
            const bool readFast = ReadDateByRule(input, rule, keywords, fast);
            const bool readFull = ReadDateByRuleInFullOrder(input, rule, keywords, full);
            const bool same = readFast == readFull &&
                              (!readFast || (fast.date == full.date && fast.code == full.code &&
                                             fast.layout == full.layout &&
                                             fast.centuryGiven == full.centuryGiven &&
                                             fast.twoDigitYear == full.twoDigitYear));
            if (!same && ++differences <= 10)
                ADD_FAILURE() << Described(text, rule, keywords) << ": shortcut " << readFast << " "
                              << fast.date.year << "-" << fast.date.month << "-" << fast.date.day
                              << " code " << fast.code << ", full order " << readFull << " "
                              << full.date.year << "-" << full.date.month << "-" << full.date.day
                              << " code " << full.code;
            ++compared;
            dates += readFull ? 1 : 0;
        }
    }
    EXPECT_EQ(differences, 0);
    // The texts must reach dates often enough for the comparison to mean something.
    EXPECT_GT(dates, compared / 5) << dates << " dates of " << compared << " texts";
}

// The table of common shapes reads a text only as the full order reads it:
// every text it settles, under windows and fixed centuries, must give the
// full order's date, code, layout and century flags. The 16 bytes of a text
// go on after its characters with characters that trimming removes, as a
// column's items do.
// KALCORE_TABLE_TEXTS sets the number of texts for a longer run.
TEST(ReaderShortcut, TableOfShapesReadsAsTheFullOrderDoes) {
    testing::FixedClock fixed(2026, 12, 6, 12);
    const char* setting = std::getenv("KALCORE_TABLE_TEXTS");
    const long texts = setting != nullptr ? std::atol(setting) : 300000;
    Random r(20261210);
    long settled = 0, compared = 0, differences = 0;
    for (long i = 0; i < texts; ++i) {
        const std::string text = r.Chance(60) ? WrittenDate(r) : FilledShape(r);
        if (text.empty() || text.size() > kMaxDateChars) continue;
        YearRule rule = RandomRule(r);
        if (rule.kind == YearRule::Kind::kSelector) rule = {YearRule::Kind::kCentury, 19};
        TwoDigitCenturies centuries;
        ASSERT_TRUE(CenturiesOfRule(rule, centuries));
        ShapeText shape;
        constexpr unsigned char kTrimmed[] = {0, ' ', '\t', 0x80, 0xff};
        for (unsigned char& c : shape) c = kTrimmed[r.Below(sizeof kTrimmed)];
        std::memcpy(shape, text.data(), text.size());
        CommonDate common{};
        if (!ReadCommonDate(shape, centuries, common)) continue;
        const DateReading table = ReadingOf(common);
        DateReading full{};
        ++settled;
        DateText input{};
        std::memcpy(input, text.data(), text.size());
        const bool readFull = ReadDateByRuleInFullOrder(input, rule, false, full);
        const bool same = readFull && table.date == full.date && table.code == full.code &&
                          table.layout == full.layout && table.centuryGiven == full.centuryGiven &&
                          table.twoDigitYear == full.twoDigitYear &&
                          common.days == DaysFromEpoch(full.date);
        if (!same && ++differences <= 10)
            ADD_FAILURE() << Described(text, rule, false) << ": table " << table.date.year << "-"
                          << table.date.month << "-" << table.date.day << " code " << table.code
                          << " layout " << int{table.layout} << ", full order " << readFull << " "
                          << full.date.year << "-" << full.date.month << "-" << full.date.day
                          << " code " << full.code << " layout " << int{full.layout};
        ++compared;
    }
    EXPECT_EQ(differences, 0);
    // Most written dates have a shape of the table.
    EXPECT_GT(settled, texts / 3) << settled << " of " << texts << " texts settled by the table";
    std::printf("%ld texts, %ld settled by the table, %ld differences\n", texts, settled,
                differences);
}

// What the table leaves to the full order: a selector, texts whose fields
// make no date in their shape (some of which the full order still reads in
// another layout), and shapes it does not hold.
TEST(ReaderShortcut, TableOfShapesLeavesTheRestToTheFullOrder) {
    struct Case {
        const char* text;
        bool settled;
        CivilDate date;
        char layout;
    };
    constexpr Case kCases[] = {
        {"12/31/1998", true, {1998, 12, 31}, 'B'},
        {"12/31/49", true, {2049, 12, 31}, '3'},
        {"98/12/31", true, {1998, 12, 31}, '4'},
        {"981231", true, {1998, 12, 31}, '2'},
        {"123150", true, {1950, 12, 31}, '1'},
        {"98.12.31", true, {1998, 12, 31}, '5'},
        {"31-Dec-1998", true, {1998, 12, 31}, '7'},
        {"31/dec/98", true, {1998, 12, 31}, 'I'},
        {"7SEP1999", true, {1999, 9, 7}, '$'},
        {"Dec-5-98", true, {1998, 12, 5}, kFormMmmDYYDash},
        {"1998Jul04", true, {1998, 7, 4}, 'T'},
        {"1995-25-Dec", true, {1995, 12, 25}, 'S'},
        {"2/29/2000", true, {2000, 2, 29}, 'X'},
        // The second reading when the first makes no date.
        {"1995/25/12", true, {1995, 12, 25}, 'P'},  // month 25: day first
        {"12311998", true, {1998, 12, 31}, 'D'},    // year 1231, month 19: MMDDCCYY
        // No date in the table's readings; the full order decides.
        {"2/29/1900", false, {}, 0},
        {"1995-31-31", false, {}, 0},  // no date in either reading
        {"13311998", false, {}, 0},
        {"13-31-98", false, {}, 0},      // month 13 with dashes
        {"0998-12-31", false, {}, 0},    // a century starting with 0
        {"31/Dex/1998", false, {}, 0},   // no month abbreviation
        {"12/31/1998x", false, {}, 0},   // no shape of the table
        {"12/31/98 !", false, {}, 0},    // a character after a blank
        {"12/31\x01/98", false, {}, 0},  // a control character inside
        {"12.31.1998", false, {}, 0},
        {"", false, {}, 0},                 // nothing but zeros
        {"      \t", false, {}, 0},         // nothing but characters to trim
        {" 12/31/1998", false, {}, 0},      // a blank to trim before it
        {"12/31/98  \t  x", false, {}, 0},  // a character after blanks, past the 11th
    };
    const TwoDigitCenturies window1950{19, 50};
    for (const Case& c : kCases) {
        ShapeText shape{};
        std::memcpy(shape, c.text, std::strlen(c.text));
        CommonDate common{};
        ASSERT_EQ(ReadCommonDate(shape, window1950, common), c.settled) << c.text;
        if (c.settled) {
            EXPECT_EQ(ReadingOf(common).date, c.date) << c.text;
            EXPECT_EQ(common.shape->layout, c.layout) << c.text;
            EXPECT_EQ(common.days, DaysFromEpoch(c.date)) << c.text;
        }
    }
    TwoDigitCenturies centuries;
    EXPECT_FALSE(CenturiesOfRule({YearRule::Kind::kSelector, 0}, centuries));
    EXPECT_FALSE(CenturiesOfRule({YearRule::Kind::kWindow, 9901}, centuries));
    EXPECT_FALSE(CenturiesOfRule({YearRule::Kind::kCentury, 100}, centuries));
}

// The key and the field values taken at all positions at once must be the
// byte-by-byte ones, which builds without SSE2 use: for texts of every byte,
// biased to those that have classes.
TEST(ReaderShortcut, TableKeysAndValuesMatchTheByteByByteOnes) {
    Random r(20261211);
    constexpr unsigned char kBiased[] = {'0', '9',  '/',  '-', '.', ',',  ' ',  '\t',
                                         0,   0x80, 0xff, 'A', 'z', '\\', 0x7f, 0x21};
    for (int i = 0; i < 100000; ++i) {
        ShapeText text;
        for (unsigned char& c : text)
            c = r.Chance(50) ? kBiased[r.Below(sizeof kBiased)]
                             : static_cast<unsigned char>(r.Below(256));
        ASSERT_EQ(shape_detail::ShapeKey(text), shape_detail::ShapeKeyPortable(text));
        shape_detail::FieldValues all{}, each{};
        shape_detail::TakeFieldValues(text, all);
        shape_detail::TakeFieldValuesPortable(text, each);
        ASSERT_EQ(std::memcmp(all, each, 2 * sizeof(ShapeText)), 0);
    }
}

// Reading the legacy way (ReadDate, a selector and no tracking) goes through
// the same shortcut: spot checks of each shape family with fixed selectors.
TEST(ReaderShortcut, LegacyReadingOfCommonShapes) {
    testing::FixedClock fixed(2026, 12, 6, 18, 40);
    struct Case {
        const char* text;
        int selector;
        bool date;
        CivilDate expected;
    };
    constexpr Case kCases[] = {
        {"12/31/1998", 0, true, {1998, 12, 31}},
        {"12/31/1998", 5, true, {2098, 12, 31}},
        {"12-31-98", 4, true, {1998, 12, 31}},
        {"12/31/98", 0, true, {2098, 12, 31}},
        {"98/12/31", 4, true, {1998, 12, 31}},
        {"98.12.31", 4, true, {1998, 12, 31}},
        {"123198", 4, true, {1998, 12, 31}},
        {"981231", 4, true, {1998, 12, 31}},
        {"19981231", 0, true, {1998, 12, 31}},
        {"12311998", 0, true, {1998, 12, 31}},
        {"31Dec1998", 0, true, {1998, 12, 31}},
        {"31-dec-1998", 0, true, {1998, 12, 31}},
        {"31/Dec/98", 4, true, {1998, 12, 31}},
        {"7Sep1999", 0, true, {1999, 9, 7}},
        {"Dec/31/98", 4, true, {1998, 12, 31}},
        {"dec-5-1998", 0, true, {1998, 12, 5}},
        {"1998/05/06", 0, true, {1998, 5, 6}},
        {"1995/25/12", 0, true, {1995, 12, 25}},
        {"1995-25-Dec", 0, true, {1995, 12, 25}},
        {"1998Jul04", 0, true, {1998, 7, 4}},
        {"7/4/1998", 0, true, {1998, 7, 4}},
        {"12/5/98", 4, true, {1998, 12, 5}},
        {"02/29/2000", 4, false, {}},
        {"00/10/98", 0, false, {}},
        {"12/31-1998", 0, false, {}},
        {"12/31/1998", 10, false, {}},
        {"1995/20/13", 0, false, {}},
        {"31/Dex/1998", 0, false, {}},
    };
    for (const Case& c : kCases) {
        DateText input{};
        std::strcpy(input, c.text);
        DateReading reading{};
        EXPECT_EQ(ReadDate(input, c.selector, reading), c.date) << c.text << " " << c.selector;
        if (c.date) {
            EXPECT_EQ(reading.date, c.expected) << c.text << " " << c.selector;
        }
    }
}

// A text without a digit is read as no date at once unless keywords are
// asked for: the full order must find none in it either, and with keywords
// it must still read the keywords. Every text of up to three characters of
// an alphabet of letters, separators and blanks, and random ones of up to
// eleven made of the keywords' letters.
TEST(ReaderShortcut, TextsWithoutDigitsAreDatesOnlyAsKeywords) {
    testing::FixedClock fixed(2026, 12, 6, 12);
    static const char kAlphabet[] = "-/. aJnNoOwWTyY\t";
    std::vector<std::string> texts = {"n/a",   "none",   "NaN",     "TODAY", "now",
                                      "NOW ",  "YESTER", "yesterx", "Jan",   "Jan/Feb/Mar",
                                      "today", "-",      "//",      "a-b-c", "YESTERY"};
    const std::size_t letters = sizeof kAlphabet - 1;
    for (std::size_t a = 0; a < letters; ++a) {
        texts.emplace_back(1, kAlphabet[a]);
        for (std::size_t b = 0; b < letters; ++b) {
            texts.push_back({kAlphabet[a], kAlphabet[b]});
            for (std::size_t c = 0; c < letters; ++c)
                texts.push_back({kAlphabet[a], kAlphabet[b], kAlphabet[c]});
        }
    }
    Random r(20261209);
    static const char kKeywordLetters[] = "TODAYNOWESRtodaynowesr ";
    for (int i = 0; i < 20000; ++i) {
        std::string text(1 + r.Below(11), ' ');
        for (char& c : text) c = kKeywordLetters[r.Below(sizeof kKeywordLetters - 1)];
        texts.push_back(text);
    }
    int keywordDates = 0;
    for (const std::string& text : texts) {
        for (const bool keywords : {false, true}) {
            const YearRule rule = RandomRule(r);
            DateReading exact{}, full{};
            std::int64_t days = 0;
            const bool readExact =
                ReadExactText(text.data(), text.size(), ReadingRules{rule, keywords}, exact, days);
            DateText input{};
            std::memcpy(input, text.data(), text.size());
            const bool readFull = ReadDateByRuleInFullOrder(input, rule, keywords, full);
            EXPECT_EQ(readExact, readFull) << Described(text, rule, keywords);
            if (readExact && readFull) {
                EXPECT_EQ(exact.date, full.date) << text;
            }
            EXPECT_FALSE(readExact && !keywords) << text;
            keywordDates += readFull ? 1 : 0;
        }
    }
    // The keywords among them were read.
    EXPECT_GE(keywordDates, 6);
}

}  // namespace
}  // namespace kalcore
