// The format catalogue: which characters are format codes, their order, the
// length and the one-digit substitutes of every layout, the month
// abbreviations, the month lengths and the century a selector names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "format/ascii.h"
#include "format/date_reader.h"
#include "format/layouts.h"
#include "format/names.h"

namespace kalcore {
namespace {

// The 48 codes in catalogue order: index i + 1 belongs to kCodes[i].
constexpr char kCodes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=";
static_assert(sizeof kCodes - 1 == 48);

bool InCodeList(char c) {
    return c != '\0' && std::strchr(kCodes, c) != nullptr;
}

// Only the first character counts: a code is one of the 48 characters or a
// lower-case letter whose upper-case form is one of them; every other byte,
// an empty text and a null text are not.
TEST(IsFormatCodeTest, FirstCharacter) {
    for (int byte = 1; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const char text[2] = {c, '\0'};
        const bool lowerLetter = c >= 'a' && c <= 'z';
        const bool expected = InCodeList(c) || (lowerLetter && InCodeList(char(c - 'a' + 'A')));
        EXPECT_EQ(IsFormatCode(text), expected) << "byte " << byte;
    }
    struct Row {
        const char* text;
        bool expected;
    };
    const Row rows[] = {{"b", true},  {"0", false},  {"!", false},  {"", false},
                        {"Bx", true}, {"0B", false}, {" B", false}, {"e1", true}};
    for (const Row& row : rows) EXPECT_EQ(IsFormatCode(row.text), row.expected) << row.text;
    EXPECT_FALSE(IsFormatCode(nullptr));
}

TEST(FormatIndexTest, CatalogueOrder) {
    for (int i = 0; i < 48; ++i) EXPECT_EQ(FormatIndex(kCodes[i]), i + 1) << kCodes[i];
    for (char c : {'0', '!', ' ', '\0', '-', '/', '.', '%', '^'}) EXPECT_EQ(FormatIndex(c), 0) << c;
    for (char c : {'0', '!', '?'}) EXPECT_EQ(LayoutFor(c), nullptr) << c;
}

// Output length of every code and, for the codes with a one-digit field, the
// code that is written instead when the day or the month needs two digits.
TEST(LayoutTest, LengthAndSubstitutes) {
    struct Row {
        char code;
        int length;
        char dayWide;    // 0 when the day field never needs a substitute
        char monthWide;  // 0 when the month field never needs a substitute
    };
    const Row rows[] = {
        {'1', 6, 0, 0},    {'2', 6, 0, 0},     {'3', 8, 0, 0},     {'4', 8, 0, 0},
        {'5', 8, 0, 0},    {'6', 11, 0, 0},    {'7', 11, 0, 0},    {'8', 7, 0, 0},
        {'9', 9, 0, 0},    {'A', 10, 0, 0},    {'B', 10, 0, 0},    {'C', 8, 0, 0},
        {'D', 8, 0, 0},    {'E', 8, 0, 0},     {'F', 11, 0, 0},    {'G', 10, 0, 0},
        {'H', 11, 0, 0},   {'I', 9, 0, 0},     {'J', 11, 0, 0},    {'K', 11, 0, 0},
        {'L', 9, 0, 0},    {'M', 11, 0, 0},    {'N', 9, 0, 0},     {'O', 10, 0, 0},
        {'P', 10, 0, 0},   {'Q', 10, 0, 0},    {'R', 11, 0, 0},    {'S', 11, 0, 0},
        {'T', 9, 0, 0},    {'U', 9, 'A', 0},   {'V', 9, 'B', 0},   {'W', 9, 0, 'A'},
        {'X', 9, 0, 'B'},  {'Y', 10, '7', 0},  {'Z', 10, 'H', 0},  {'*', 10, 'M', 0},
        {'#', 10, 'K', 0}, {'@', 8, 'W', 'U'}, {'&', 8, 'X', 'V'}, {'$', 8, '9', 0},
        {'[', 10, 0, 0},   {']', 9, 0, '['},   {'{', 8, ']', '}'}, {'}', 9, '[', 0},
        {'<', 10, 0, 0},   {'>', 9, 0, '<'},   {'+', 8, '>', '='}, {'=', 9, '<', 0},
    };
    static_assert(sizeof rows / sizeof rows[0] == 48);
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("code ") + row.code);
        const FormatLayout* layout = LayoutFor(row.code);
        ASSERT_NE(layout, nullptr);
        EXPECT_EQ(layout->code, row.code);
        EXPECT_EQ(layout->length, row.length);
        EXPECT_EQ(layout->text[row.length], '\0');
        EXPECT_EQ(layout->codeWhenDayWide, row.dayWide);
        EXPECT_EQ(layout->codeWhenMonthWide, row.monthWide);
        // A two-digit-year layout has no century field.
        const bool twoDigitYear = std::strchr("123456CI8LN", row.code) != nullptr;
        EXPECT_EQ(layout->centuryPos < 0, twoDigitYear);
    }
}

// The layout of a code given in either case is that of its upper-case code,
// for every byte.
TEST(LayoutForEitherCaseTest, EveryByte) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        EXPECT_EQ(LayoutForEitherCase(c), LayoutFor(ToUpperAscii(c))) << "byte " << byte;
    }
    EXPECT_EQ(LayoutForEitherCase('k'), LayoutFor('K'));
    EXPECT_EQ(LayoutForEitherCase('0'), nullptr);
}

// The digit positions of a layout are where its text holds the field letters
// of a numeric field (M, D, Y, C); the month abbreviation's are not digits.
TEST(LayoutTest, DigitPositions) {
    for (const char code : std::string(kCodes)) {
        const FormatLayout* layout = LayoutFor(code);
        ASSERT_NE(layout, nullptr);
        unsigned expected = 0;
        const bool abbrev = layout->monthWidth == Width::Abbrev;
        for (int i = 0; i < layout->length; ++i) {
            const bool inAbbrev = abbrev && i >= layout->monthPos && i < layout->monthPos + 3;
            if (!inAbbrev && std::strchr("MDYC", layout->text[i]) != nullptr) expected |= 1u << i;
        }
        EXPECT_EQ(layout->digitPositions, expected) << code;
    }
    EXPECT_EQ(LayoutFor('B')->digitPositions, 0b1111011011u);   // MM/DD/CCYY
    EXPECT_EQ(LayoutFor('K')->digitPositions, 0b11110110000u);  // mmm/DD/CCYY
}

// The layout a date is finally written in follows the substitution chain of
// its code: the month's substitute first, as long as one applies.
TEST(LayoutTest, WrittenLayoutFollowsTheChain) {
    for (const char code : std::string(kCodes)) {
        for (int month : {1, 9, 10, 12}) {
            for (int day : {1, 9, 10, 31}) {
                const FormatLayout* expected = LayoutFor(code);
                for (;;) {
                    if (month >= 10 && expected->codeWhenMonthWide != 0)
                        expected = LayoutFor(expected->codeWhenMonthWide);
                    else if (day >= 10 && expected->codeWhenDayWide != 0)
                        expected = LayoutFor(expected->codeWhenDayWide);
                    else
                        break;
                }
                EXPECT_EQ(&WrittenLayout(*LayoutFor(code), month, day), expected)
                    << code << " month " << month << " day " << day;
            }
        }
    }
}

TEST(MonthFromAbbrevTest, AnyCase) {
    const char* const lower[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                   "jul", "aug", "sep", "oct", "nov", "dec"};
    for (int m = 1; m <= 12; ++m) {
        std::string text = lower[m - 1];
        EXPECT_EQ(MonthFromAbbrev(text.c_str()), m) << text;
        for (char& c : text) c = char(c - 'a' + 'A');
        EXPECT_EQ(MonthFromAbbrev(text.c_str()), m) << text;
        text[1] = char(text[1] - 'A' + 'a');  // "JaN"
        EXPECT_EQ(MonthFromAbbrev(text.c_str()), m) << text;
    }
    const char* const written[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int m = 1; m <= 12; ++m) EXPECT_STREQ(kMonthAbbrevs[m], written[m]) << m;
    struct Row {
        const char* text;
        int month;
    };
    const Row rows[] = {
        // Only the first three characters count.
        {"Sept", 9}, {"decx", 12}, {"jnu", 0}, {"ja1", 0}, {"   ", 0},
        {"xyz", 0},  {"j n", 0},   {"12a", 0}, {"jux", 0}, {"ma ", 0},
    };
    for (const Row& row : rows) EXPECT_EQ(MonthFromAbbrev(row.text), row.month) << row.text;
}

// Three ASCII letters in any case give the same month either way.
TEST(MonthFromLettersTest, AgreesWithMonthFromAbbrevOnEveryThreeLetters) {
    const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    int months = 0;
    for (char a : letters)
        for (char b : letters)
            for (char c : letters) {
                const char text[4] = {a, b, c, '\0'};
                const int month = MonthFromLetters(text);
                ASSERT_EQ(month, MonthFromAbbrev(text)) << text;
                months += month != 0;
            }
    EXPECT_EQ(months, 12 * 8);  // each abbreviation in its 2^3 mixes of case
}

TEST(MonthTablesTest, DaysPerMonthAndLeapYears) {
    const int common[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int commonTotal = 0, leapTotal = 0;
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(DaysInMonth(1999, m), common[m]) << m;
        EXPECT_EQ(DaysInMonth(2000, m), m == 2 ? 29 : common[m]) << m;
        commonTotal += DaysInMonth(1999, m);
        leapTotal += DaysInMonth(2000, m);
    }
    EXPECT_EQ(commonTotal, 365);
    EXPECT_EQ(leapTotal, 366);

    struct Row {
        int year;
        bool leap;
    };
    const Row years[] = {{1900, false}, {2000, true}, {1996, true},  {1999, false},
                         {2100, false}, {2400, true}, {2024, true},  {1600, true},
                         {1700, false}, {4, true},    {2026, false}, {0, true}};
    for (const Row& row : years) EXPECT_EQ(IsLeapYear(row.year), row.leap) << row.year;
}

TEST(CenturyOfSelectorTest, Selectors) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    struct Row {
        int selector;
        bool done;
        int century;  // -1 is the untouched value
    };
    const Row rows[] = {
        {0, true, 20},   {1, true, 16},        {2, true, 17},           {3, true, 18},
        {4, true, 19},   {5, true, 20},        {6, true, 21},           {7, true, 22},
        {8, true, 23},   {9, true, 24},        {10, false, -1},         {-1, false, -1},
        {11, false, -1}, {19, false, -1},      {100, false, -1},        {-9, false, -1},
        {20, false, -1}, {1 << 30, false, -1}, {-(1 << 30), false, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("selector " + std::to_string(row.selector));
        int century = -1;
        EXPECT_EQ(CenturyOfSelector(row.selector, century), row.done);
        EXPECT_EQ(century, row.century);
        EXPECT_EQ(FixedCenturyOfSelector(row.selector),
                  row.done && row.selector != 0 ? 15 + row.selector : 0);
    }
}

// Selector 0 follows the clock, on both sides of a change of century.
TEST(CenturyOfSelectorTest, CurrentCenturyFollowsClock) {
    struct Row {
        int year, month, day, hour, minute, second;
        int century;
    };
    const Row rows[] = {
        {1999, 12, 31, 23, 59, 59, 19}, {2000, 1, 1, 0, 0, 0, 20}, {2026, 12, 6, 18, 40, 0, 20},
        {2099, 12, 31, 23, 59, 59, 20}, {2100, 1, 1, 0, 0, 0, 21}, {1970, 1, 1, 0, 0, 0, 19},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("year " + std::to_string(row.year));
        kalcore::testing::FixedClock clock(row.year, row.month, row.day, row.hour, row.minute,
                                           row.second);
        int century = -1;
        EXPECT_TRUE(CenturyOfSelector(0, century));
        EXPECT_EQ(century, row.century);
    }
}

}  // namespace
}  // namespace kalcore
