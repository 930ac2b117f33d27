// The writer: every output layout, the one-digit fields that move a date to
// a wider code, the day-first kinds and the delivered text.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "format/date_writer.h"
#include "kalcore.h"

namespace kalcore {
namespace {

// The text in a 12-byte buffer, up to its terminator (or all 12 bytes when
// the writer left none).
std::string TextOf(const char* buffer) {
    std::size_t n = 0;
    while (n < kDateTextSize && buffer[n] != '\0') ++n;
    return std::string(buffer, n);
}

std::string Render(int year, int month, int day, char code) {
    DateText out;
    std::memset(out, '?', sizeof out);
    WriteDate(*LayoutFor(code), CivilDate{year, month, day}, out);
    return TextOf(out);
}

// The same date through the conversion export, read from MM/DD/CCYY.
std::string Convert(int year, int month, int day, char code) {
    char input[16];
    std::snprintf(input, sizeof input, "%02d/%02d/%04d", month, day, year);
    const char codeText[2] = {code, '\0'};
    char out[12];
    std::memset(out, '?', sizeof out);
    if (KD_CONVDATE(input, out, codeText, 0, 0) != 1) return "<failed>";
    return TextOf(out);
}

struct CodeRow {
    char code;
    const char* july4;  // 4 July 1998
    const char* dec25;  // 25 December 1998
};

void PrintTo(const CodeRow& row, std::ostream* os) {
    *os << "code '" << row.code << "'";
}

// Every output code for a date whose month and day fit one digit and for one
// where both need two, which moves the one-digit codes to their wider twins.
const CodeRow kEveryCode[] = {
    {'1', "070498", "122598"},           {'2', "980704", "981225"},
    {'3', "07/04/98", "12/25/98"},       {'4', "98/07/04", "98/12/25"},
    {'5', "98.07.04", "98.12.25"},       {'6', "04-Jul-98  ", "25-Dec-98  "},
    {'7', "04-Jul-1998", "25-Dec-1998"}, {'8', "04Jul98", "25Dec98"},
    {'9', "04Jul1998", "25Dec1998"},     {'A', "07-04-1998", "12-25-1998"},
    {'B', "07/04/1998", "12/25/1998"},   {'C', "07-04-98", "12-25-98"},
    {'D', "07041998", "12251998"},       {'E', "19980704", "19981225"},
    {'F', "1998-Jul-04", "1998-Dec-25"}, {'G', "1998-07-04", "1998-12-25"},
    {'H', "04/Jul/1998", "25/Dec/1998"}, {'I', "04/Jul/98", "25/Dec/98"},
    {'J', "1998/Jul/04", "1998/Dec/25"}, {'K', "Jul/04/1998", "Dec/25/1998"},
    {'L', "Jul/04/98", "Dec/25/98"},     {'M', "Jul-04-1998", "Dec-25-1998"},
    {'N', "Jul-04-98", "Dec-25-98"},     {'O', "1998/07/04", "1998/12/25"},
    {'P', "1998/04/07", "1998/25/12"},   {'Q', "1998-04-07", "1998-25-12"},
    {'R', "1998/04/Jul", "1998/25/Dec"}, {'S', "1998-04-Jul", "1998-25-Dec"},
    {'T', "1998Jul04", "1998Dec25"},     {'U', "07-4-1998", "12-25-1998"},
    {'V', "07/4/1998", "12/25/1998"},    {'W', "7-04-1998", "12-25-1998"},
    {'X', "7/04/1998", "12/25/1998"},    {'Y', "4-Jul-1998", "25-Dec-1998"},
    {'Z', "4/Jul/1998", "25/Dec/1998"},  {'*', "Jul-4-1998", "Dec-25-1998"},
    {'#', "Jul/4/1998", "Dec/25/1998"},  {'@', "7-4-1998", "12-25-1998"},
    {'&', "7/4/1998", "12/25/1998"},     {'$', "4Jul1998", "25Dec1998"},
    {'[', "04/07/1998", "25/12/1998"},   {']', "04/7/1998", "25/12/1998"},
    {'{', "4/7/1998", "25/12/1998"},     {'}', "4/07/1998", "25/12/1998"},
    {'<', "04-07-1998", "25-12-1998"},   {'>', "04-7-1998", "25-12-1998"},
    {'+', "4-7-1998", "25-12-1998"},     {'=', "4-07-1998", "25-12-1998"},
};

class EveryCodeTest : public ::testing::TestWithParam<CodeRow> {
  protected:
    kalcore::testing::FixedClock clock_{2026, 12, 6, 18, 40};
};

TEST_P(EveryCodeTest, RendersBothDates) {
    const CodeRow& row = GetParam();
    EXPECT_EQ(Render(1998, 7, 4, row.code), row.july4);
    EXPECT_EQ(Render(1998, 12, 25, row.code), row.dec25);
    EXPECT_EQ(Convert(1998, 7, 4, row.code), row.july4);
    EXPECT_EQ(Convert(1998, 12, 25, row.code), row.dec25);
    if (row.code >= 'A' && row.code <= 'Z') {
        // A lower-case letter names the same code.
        EXPECT_EQ(Convert(1998, 7, 4, char(row.code - 'A' + 'a')), row.july4);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, EveryCodeTest, ::testing::ValuesIn(kEveryCode));

// One-digit fields around the boundary 9/10. On 5 January both fit; on
// 12 May the day does not (@ writes as W, & as X, { as ], + as >, = as <,
// } as [, U as A, V as B, Y as 7, Z as H, * as M, # as K, $ as 9); on
// 3 November the month does not (@ as U, & as V, { as }, + as =, ] as [,
// > as <, W as A, X as B). The year 2000 keeps two digits in each half.
TEST(OneDigitSubstitutionTest, RenderedTexts) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    struct Row {
        int year, month, day;
        char code;
        const char* expected;
    };
    const Row rows[] = {
        {2003, 1, 5, '@', "1-5-2003"},     {2003, 1, 5, '&', "1/5/2003"},
        {2003, 1, 5, '{', "5/1/2003"},     {2003, 1, 5, '}', "5/01/2003"},
        {2003, 1, 5, ']', "05/1/2003"},    {2003, 1, 5, '+', "5-1-2003"},
        {2003, 1, 5, '=', "5-01-2003"},    {2003, 1, 5, '>', "05-1-2003"},
        {2003, 5, 12, '@', "5-12-2003"},   {2003, 5, 12, '&', "5/12/2003"},
        {2003, 5, 12, '{', "12/5/2003"},   {2003, 5, 12, '+', "12-5-2003"},
        {2003, 5, 12, '=', "12-05-2003"},  {2003, 5, 12, '}', "12/05/2003"},
        {2003, 5, 12, ']', "12/5/2003"},   {2003, 5, 12, 'U', "05-12-2003"},
        {2003, 5, 12, 'V', "05/12/2003"},  {2003, 5, 12, 'Y', "12-May-2003"},
        {2003, 5, 12, 'Z', "12/May/2003"}, {2003, 5, 12, '*', "May-12-2003"},
        {2003, 5, 12, '#', "May/12/2003"}, {2003, 5, 12, '$', "12May2003"},
        {2003, 11, 3, '@', "11-3-2003"},   {2003, 11, 3, '&', "11/3/2003"},
        {2003, 11, 3, '{', "3/11/2003"},   {2003, 11, 3, '+', "3-11-2003"},
        {2003, 11, 3, ']', "03/11/2003"},  {2003, 11, 3, '>', "03-11-2003"},
        {2003, 11, 3, 'W', "11-03-2003"},  {2003, 11, 3, 'X', "11/03/2003"},
        {2003, 11, 3, 'U', "11-3-2003"},   {2003, 11, 3, 'Y', "3-Nov-2003"},
        {2003, 9, 9, '@', "9-9-2003"},     {2003, 10, 10, '@', "10-10-2003"},
        {2003, 10, 10, '{', "10/10/2003"}, {2003, 10, 10, '+', "10-10-2003"},
        {2003, 9, 10, '{', "10/9/2003"},   {2003, 10, 9, '+', "9-10-2003"},
        {2000, 1, 1, '@', "1-1-2000"},     {2000, 1, 1, '2', "000101"},
        {2000, 1, 1, '6', "01-Jan-00  "},  {2000, 1, 1, '$', "1Jan2000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("code ") + row.code + " for " + std::to_string(row.year) + "-" +
                     std::to_string(row.month) + "-" + std::to_string(row.day));
        EXPECT_EQ(Render(row.year, row.month, row.day, row.code), row.expected);
        EXPECT_EQ(Convert(row.year, row.month, row.day, row.code), row.expected);
    }
}

TEST(WrittenLayoutTest, Chains) {
    struct Row {
        char code;
        int month, day;
        char expected;
    };
    const Row rows[] = {
        {'@', 5, 5, '@'},   {'@', 11, 5, 'U'},  {'@', 5, 25, 'W'},  {'@', 11, 25, 'A'},
        {'&', 1, 1, '&'},   {'&', 12, 1, 'V'},  {'&', 1, 31, 'X'},  {'&', 12, 31, 'B'},
        {'U', 1, 9, 'U'},   {'U', 1, 10, 'A'},  {'U', 12, 9, 'U'},  {'V', 1, 10, 'B'},
        {'W', 9, 31, 'W'},  {'W', 10, 1, 'A'},  {'X', 10, 1, 'B'},  {'X', 9, 31, 'X'},
        {'Y', 12, 9, 'Y'},  {'Y', 1, 10, '7'},  {'Z', 1, 10, 'H'},  {'*', 1, 10, 'M'},
        {'#', 1, 10, 'K'},  {'$', 1, 10, '9'},  {'$', 12, 9, '$'},  {']', 9, 31, ']'},
        {']', 10, 1, '['},  {'{', 9, 9, '{'},   {'{', 1, 10, ']'},  {'{', 10, 1, '}'},
        {'{', 10, 10, '['}, {'}', 1, 10, '['},  {'}', 10, 1, '}'},  {'>', 10, 1, '<'},
        {'>', 9, 31, '>'},  {'+', 9, 9, '+'},   {'+', 1, 10, '>'},  {'+', 10, 1, '='},
        {'+', 10, 10, '<'}, {'=', 1, 10, '<'},  {'=', 10, 1, '='},  {'B', 12, 31, 'B'},
        {'[', 12, 31, '['}, {'<', 12, 31, '<'}, {'7', 12, 31, '7'}, {'1', 12, 31, '1'},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(WrittenLayout(*LayoutFor(row.code), row.month, row.day).code, row.expected)
            << row.code << " month " << row.month << " day " << row.day;
    }
}

// The eight day-first codes, kind 1-8 standing for [ ] { } < > + =.
TEST(DayFirstCodesTest, Kinds) {
    struct Row {
        int kind, month, day, century, year;
        const char* expected;
    };
    const Row rows[] = {
        {1, 7, 4, 19, 98, "04/07/1998"},   {2, 7, 4, 19, 98, "04/7/1998"},
        {3, 7, 4, 19, 98, "4/7/1998"},     {4, 7, 4, 19, 98, "4/07/1998"},
        {5, 7, 4, 19, 98, "04-07-1998"},   {6, 7, 4, 19, 98, "04-7-1998"},
        {7, 7, 4, 19, 98, "4-7-1998"},     {8, 7, 4, 19, 98, "4-07-1998"},
        {1, 12, 25, 19, 98, "25/12/1998"}, {2, 12, 25, 19, 98, "25/12/1998"},
        {3, 12, 25, 19, 98, "25/12/1998"}, {4, 12, 25, 19, 98, "25/12/1998"},
        {5, 12, 25, 19, 98, "25-12-1998"}, {6, 12, 25, 19, 98, "25-12-1998"},
        {7, 12, 25, 19, 98, "25-12-1998"}, {8, 12, 25, 19, 98, "25-12-1998"},
        {3, 1, 5, 20, 3, "5/1/2003"},      {4, 1, 5, 20, 3, "5/01/2003"},
        {2, 1, 5, 20, 3, "05/1/2003"},     {3, 5, 12, 20, 3, "12/5/2003"},
        {7, 5, 12, 20, 3, "12-5-2003"},    {8, 5, 12, 20, 3, "12-05-2003"},
        {3, 11, 3, 20, 3, "3/11/2003"},    {7, 11, 3, 20, 3, "3-11-2003"},
        {2, 11, 3, 20, 3, "03/11/2003"},   {6, 11, 3, 20, 3, "03-11-2003"},
        {1, 1, 1, 20, 0, "01/01/2000"},    {7, 1, 1, 20, 0, "1-1-2000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("kind " + std::to_string(row.kind) + " expecting " + row.expected);
        EXPECT_EQ(
            Render(row.century * 100 + row.year, row.month, row.day, "[]{}<>+="[row.kind - 1]),
            row.expected);
    }
}

// Years before 1000 keep a two-digit century of their own: the serial day
// and Julian exports give such dates.
TEST(EarlyYearsTest, CenturyDigits) {
    EXPECT_EQ(Render(1, 1, 1, 'A'), "01-01-0001");
    EXPECT_EQ(Render(999, 12, 31, 'B'), "12/31/0999");
    EXPECT_EQ(Render(45, 3, 4, 'K'), "Mar/04/0045");
    EXPECT_EQ(Render(9999, 12, 31, '='), "31-12-9999");
}

// The conversion export delivers the text, its terminator and zeros up to the
// twelfth byte, whatever the buffer held before.
TEST(DeliveryTest, ShortTextsAreZeroFilled) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    struct Row {
        char code;
        const char* expected;
    };
    const Row rows[] = {
        {'@', "7-4-1998"}, {'1', "070498"}, {'6', "04-Jul-98  "}, {'F', "1998-Jul-04"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("code ") + row.code);
        char out[12];
        std::memset(out, 'x', sizeof out);
        const char code[2] = {row.code, '\0'};
        ASSERT_EQ(KD_CONVDATE("07/04/1998", out, code, 0, 0), 1);
        EXPECT_STREQ(out, row.expected);
        for (std::size_t i = std::strlen(row.expected); i < sizeof out; ++i)
            EXPECT_EQ(out[i], '\0') << "byte " << i;
    }
}

}  // namespace
}  // namespace kalcore
