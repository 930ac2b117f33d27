// The reader: which format a text is taken to be in, the fields it gives,
// validation, the century of a two-digit year, keywords, trimming, and the
// two exports built on the reader.
//
// The clock reads 6 December 2026, 18:40, unless a test says otherwise, so
// a two-digit year read with selector 0 falls in the 2000s.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "format/convert.h"
#include "format/date_reader.h"
#include "kalcore.h"

namespace kalcore {
namespace {

// A text with its unprintable bytes escaped, for failure messages.
std::string Shown(const char* text) {
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 32 || byte >= 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            out += hex;
        } else {
            out += *p;
        }
    }
    return out + "\"";
}

std::string TextOf(const char* buffer) {
    std::size_t n = 0;
    while (n < kDateTextSize && buffer[n] != '\0') ++n;
    return std::string(buffer, n);
}

void Load(DateText& buffer, const char* text) {
    std::memset(buffer, 0, sizeof buffer);
    for (std::size_t i = 0; i < kMaxDateChars && text[i] != '\0'; ++i) buffer[i] = text[i];
}

struct ReadCase {
    const char* input;
    bool ok;
    const char* output;  // the date in the output code; "" when the read fails
    char code = 'B';     // output format code
    int selector = 0;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    const char code[2] = {c.code, '\0'};
    *os << Shown(c.input) << " code " << Shown(code) << " selector " << c.selector;
}

class ReadTest : public ::testing::TestWithParam<ReadCase> {
  protected:
    kalcore::testing::FixedClock clock_{2026, 12, 6, 18, 40};
};

// A failed read leaves the output as it was.
void ExpectRead(const ReadCase& c) {
    DateText input, output;
    Load(input, c.input);
    std::memset(output, '?', sizeof output);
    EXPECT_EQ(ConvertDate(input, c.code, c.selector, output), c.ok);
    EXPECT_EQ(TextOf(output), c.ok ? c.output : "????????????");
}

TEST_P(ReadTest, Reads) {
    ExpectRead(GetParam());
}

// Each of the 40 input codes, read back as MM/DD/CCYY, in catalogue order.
// A month abbreviation is read in any case.
const ReadCase kInputCodes[] = {
    {"070498", true, "07/04/2098"},      {"980704", true, "07/04/2098"},
    {"07/04/98", true, "07/04/2098"},    {"98/07/04", true, "07/04/2098"},
    {"98.07.04", true, "07/04/2098"},    {"04-Jul-98", true, "07/04/2098"},
    {"04-Jul-1998", true, "07/04/1998"}, {"04Jul98", true, "07/04/2098"},
    {"04Jul1998", true, "07/04/1998"},   {"07-04-1998", true, "07/04/1998"},
    {"07/04/1998", true, "07/04/1998"},  {"07-04-98", true, "07/04/2098"},
    {"07041998", true, "07/04/1998"},    {"19980704", true, "07/04/1998"},
    {"1998-Jul-04", true, "07/04/1998"}, {"1998-07-04", true, "07/04/1998"},
    {"04/Jul/1998", true, "07/04/1998"}, {"04/Jul/98", true, "07/04/2098"},
    {"1998/Jul/04", true, "07/04/1998"}, {"Jul/04/1998", true, "07/04/1998"},
    {"Jul/04/98", true, "07/04/2098"},   {"Jul-04-1998", true, "07/04/1998"},
    {"Jul-04-98", true, "07/04/2098"},   {"1998/07/04", true, "07/04/1998"},
    {"1998/25/12", true, "12/25/1998"},  {"1998-25-12", true, "12/25/1998"},
    {"1998/25/Dec", true, "12/25/1998"}, {"1998/04/Jul", true, "07/04/1998"},
    {"1998-25-Dec", true, "12/25/1998"}, {"1998Jul04", true, "07/04/1998"},
    {"07-4-1998", true, "07/04/1998"},   {"07/4/1998", true, "07/04/1998"},
    {"7-04-1998", true, "07/04/1998"},   {"7/04/1998", true, "07/04/1998"},
    {"4-Jul-1998", true, "07/04/1998"},  {"4/Jul/1998", true, "07/04/1998"},
    {"Jul-4-1998", true, "07/04/1998"},  {"Jul/4/1998", true, "07/04/1998"},
    {"7-4-1998", true, "07/04/1998"},    {"7/4/1998", true, "07/04/1998"},
    {"4Jul1998", true, "07/04/1998"},    {"04-JUL-1998", true, "07/04/1998"},
    {"jul/04/1998", true, "07/04/1998"}, {"1998-jUL-04", true, "07/04/1998"},
    {"4jul1998", true, "07/04/1998"},
};
INSTANTIATE_TEST_SUITE_P(InputCodes, ReadTest, ::testing::ValuesIn(kInputCodes));

// The further input forms with a two-digit year and no code of their own.
// Both separators must be the same character; the fields must be a date.
const ReadCase kFurtherForms[] = {
    {"7-4-98", true, "07/04/2098"},
    {"7/4/98", true, "07/04/2098"},
    {"7-04-98", true, "07/04/2098"},
    {"7/04/98", true, "07/04/2098"},
    {"07-4-98", true, "07/04/2098"},
    {"07/4/98", true, "07/04/2098"},
    {"4-Jul-98", true, "07/04/2098"},
    {"4/Jul/98", true, "07/04/2098"},
    {"4Jul98", true, "07/04/2098"},
    {"Jul-4-98", true, "07/04/2098"},
    {"Jul/4/98", true, "07/04/2098"},
    {"12/4/98", true, "12/04/2098"},
    {"1/31/98", true, "01/31/2098"},
    {"JUL-4-98", true, "07/04/2098"},
    {"7Sep1999", true, "09/07/1999"},
    {"7-sep-99", true, "09/07/2099"},
    {"7-4/98", false, ""},
    {"Jul-04/1998", false, ""},
    {"7Sep19x9", false, ""},
    {"2/30/1998", false, ""},
};
INSTANTIATE_TEST_SUITE_P(FurtherForms, ReadTest, ::testing::ValuesIn(kFurtherForms));

// Year-first texts are tried month-first before day-first; eight digits are
// tried as CCYYMMDD (first digit 1-9) before MMDDCCYY; six digits starting
// with a month are MMDDYY, starting with a year YYMMDD. Day-first numeric
// texts are no input format: 25/12/1998 would be YY/MM/DD with two
// characters too many, and is no date.
const ReadCase kRecogniserOrder[] = {
    {"1998/04/07", true, "04/07/1998"},
    {"1998-04-07", true, "04/07/1998"},
    {"1995/25/12", true, "12/25/1995"},
    {"1995/12/25", true, "12/25/1995"},
    {"1995/20/12", true, "12/20/1995"},
    {"1998-13-07", true, "07/13/1998"},
    {"1995/25/Dec", true, "12/25/1995"},
    {"1995-25-Dec", true, "12/25/1995"},
    {"1998/13/13", false, ""},
    {"11120506", true, "05/06/1112"},
    {"12011999", true, "12/01/1999"},
    {"02291900", false, ""},
    {"19000229", false, ""},
    {"030105", true, "03/01/2005"},
    {"130203", true, "02/03/2013"},
    {"01/02/03", true, "01/02/2003"},
    {"13/02/03", true, "02/03/2013"},
    {"25/12/1998", false, ""},
    {"25-12-1998", false, ""},
    {"13/01/1998", false, ""},
};
INSTANTIATE_TEST_SUITE_P(RecogniserOrder, ReadTest, ::testing::ValuesIn(kRecogniserOrder));

// Texts at the edges of the recognisers' layouts. Mixed separators, a
// one-digit day in a year-first text and impossible dates go on to basic
// detection, which does not read them either.
const ReadCase kLayoutEdges[] = {
    {"7/sep/1999", true, "09/07/1999"},
    {"7sep99", true, "09/07/2099"},
    {"1-12-1999", true, "01/12/1999"},
    {"12-1-1999", true, "12/01/1999"},
    {"1/1/01", true, "01/01/2001"},
    {"Sep-7/99", false, ""},
    {"1998-Jul/04", false, ""},
    {"Sep7-99", false, ""},
    {"1998/07/4", false, ""},
    {"19980230", false, ""},
    {"02301998", false, ""},
};
INSTANTIATE_TEST_SUITE_P(LayoutEdges, ReadTest, ::testing::ValuesIn(kLayoutEdges));

// Detection of the basic codes by separators, length and the first number.
// A leading blank reads as 0, except in the six digits of MMDDYY. The text
// must then be exactly as long as the detected code.
const ReadCase kBasicDetection[] = {
    {"98.12.31", true, "12/31/2098"},
    {"98.12x31", false, ""},
    {"12/31/98", true, "12/31/2098"},
    {"12-31-98", true, "12/31/2098"},
    {"12-31-1998", true, "12/31/1998"},
    {"31-Dec-98", true, "12/31/2098"},
    {"31-Dec-1998", true, "12/31/1998"},
    {"31Dec98", true, "12/31/2098"},
    {"31Dec1998", true, "12/31/1998"},
    {"123198", true, "12/31/2098"},
    {"981231", true, "12/31/2098"},
    {"12311998", true, "12/31/1998"},
    {"98/12/31", true, "12/31/2098"},
    {" 1/02/98", true, "01/02/2098"},
    {" 10298", false, ""},
    {" 12/31/98", false, ""},
    {"00/10/98", false, ""},
    {"13/10/98", false, ""},
    {"1a/31/1998", false, ""},
    {"x2/31/1998", false, ""},
    {"12/31/98x", false, ""},
    {"12/31/1998x", false, ""},
};
INSTANTIATE_TEST_SUITE_P(BasicDetection, ReadTest, ::testing::ValuesIn(kBasicDetection));

// A text is a date in a layout only when it fills the layout exactly: a digit
// at every numeric position and nothing after the last position but what
// trimming removes. Each junk text is followed by the date it was taken for
// before, which still reads; the order of the layouts is unchanged.
const ReadCase kStrictLayouts[] = {
    // Characters after the last position.
    {"05/11/8987Z", false, ""},
    {"05/11/8987", true, "05/11/8987"},
    {"07-10-33937", false, ""},
    {"07-10-3393", true, "07/10/3393"},
    {"2017Dec127", false, ""},
    {"2017Dec12", true, "12/12/2017"},
    {"30090631", false, ""},
    {"300906", true, "09/06/2030"},
    {"13/03/2787", false, ""},
    {"13/03/27", true, "03/27/2013"},
    {"Dec/31/98x", false, ""},
    {"Dec/31/1998", true, "12/31/1998"},
    {"31/Dec/98x", false, ""},
    {"31/Dec/98", true, "12/31/2098"},
    {"7-4-19989", false, ""},
    {"7-4-1998", true, "07/04/1998"},
    {"7/04/98x", false, ""},
    {"12/4/98x", false, ""},
    {"19981231x", false, ""},
    {"19981231", true, "12/31/1998"},
    {"1998-07-049", false, ""},
    {"1998-Jul-4x", false, ""},
    {"4Jul19989", false, ""},
    {"4Jul1998", true, "07/04/1998"},
    {"4-Jul-98x", false, ""},
    {"Jul-4-19989", false, ""},
    {"1998/25/12x", false, ""},
    {"1998/25/12", true, "12/25/1998"},
    {"1998Jul04x", false, ""},
    {"1998Jul04", true, "07/04/1998"},
    {"123198x", false, ""},
    {"12319", false, ""},
    {"98.12.31x", false, ""},
    {"31-Dec-98x", false, ""},
    {"31Dec98x", false, ""},
    {"31Dec1998x", false, ""},
    {"12-31-98x", false, ""},
    {"12311998x", false, ""},
    // A blank, letter or control character inside a numeric field.
    {"1998/1x/05", false, ""},
    {"1998/01/05", true, "01/05/1998"},
    {"1998-12-3x", false, ""},
    {"1998-12-03", true, "12/03/1998"},
    {"Dec/3x/1998", false, ""},
    {"Dec/03/1998", true, "12/03/1998"},
    {"1998-12- 5", false, ""},
    {"1998-12-05", true, "12/05/1998"},
    {"1998-12-\n5", false, ""},
    {"12/\n5/1998", false, ""},
    {" 1-5-98", false, ""},
    {"1-5-98", true, "01/05/2098"},
    {"1x-5-98", false, ""},
    {"Dec/ 5/1998", false, ""},
    {"1998 1 5", false, ""},
    {"1998\t1\t5", false, ""},
    // Unchanged: two-digit years month-first, the leading blank of basic
    // detection, what trimming removes.
    {"12/31/98", true, "12/31/2098"},
    {"1998/05/06", true, "05/06/1998"},
    {" 1/02/98", true, "01/02/2098"},
    {"13/10/98", false, ""},
    {"12/31/1998 \r\n", true, "12/31/1998", 'B', 0},
};
INSTANTIATE_TEST_SUITE_P(StrictLayouts, ReadTest, ::testing::ValuesIn(kStrictLayouts));

// Selector 0 gives a two-digit year the clock's century and keeps a written
// century; 1-9 give a fixed century to both.
const ReadCase kCentury[] = {
    {"12/31/98", true, "12/31/2098", 'B', 0},    {"12/31/98", true, "12/31/1698", 'B', 1},
    {"12/31/98", true, "12/31/1998", 'B', 4},    {"12/31/98", true, "12/31/2098", 'B', 5},
    {"12/31/98", true, "12/31/2498", 'B', 9},    {"12/31/1998", true, "12/31/1998", 'B', 0},
    {"12/31/1998", true, "12/31/1998", 'B', 4},  {"12/31/1998", true, "12/31/2098", 'B', 5},
    {"12/31/1998", true, "12/31/2498", 'B', 9},  {"12/31/2098", true, "12/31/2098", 'B', 0},
    {"Dec/31/98", true, "12/31/1998", 'B', 4},   {"Dec/31/98", true, "12/31/2098", 'B', 5},
    {"31/Dec/98", true, "12/31/1998", 'B', 4},   {"12-31-98", true, "12/31/1998", 'B', 4},
    {"Dec/31/1998", true, "12/31/2498", 'B', 9}, {"19981231", true, "12/31/2098", 'B', 5},
    {"981231", true, "12/31/1998", 'B', 4},      {"31Dec98", true, "12/31/2498", 'B', 9},
    {"7/4/1998", true, "07/04/2498", 'B', 9},    {"7/4/98", true, "07/04/1998", 'B', 4},
    {"Jul-4-98", true, "1998-07-04", 'G', 4},
};
INSTANTIATE_TEST_SUITE_P(Century, ReadTest, ::testing::ValuesIn(kCentury));

// One Gregorian rule for every layout: 29 February of a year divisible by 100
// but not by 400 is no date, neither as written nor in the century a
// selector gives it.
const ReadCase kLeapDayCentury[] = {
    {"02/29/00", true, "02/29/2000", 'B', 0},
    {"02/29/00", false, "", 'B', 4},
    {"02/29/00", true, "02/29/1600", 'B', 1},
    {"02/29/01", false, "", 'B', 4},
    {"2/29/00", true, "02/29/2000", 'B', 0},
    {"2/29/00", false, "", 'B', 4},
    {"2/29/00", true, "02/29/1600", 'B', 1},
    {"02/29/2000", false, "", 'B', 4},
    {"02/29/2000", true, "02/29/2000", 'B', 5},
    {"02/29/1900", false, "", 'B', 5},
    {"Feb/29/2000", false, "", 'B', 3},
    {"Feb/29/2000", true, "02/29/2400", 'B', 9},
    {"29Feb2000", false, "", 'B', 6},
    {"02/29/96", true, "02/29/1896", 'B', 3},
    {"20000229", false, "", 'B', 2},
    {"02/29/1996", true, "02/29/2196", 'B', 6},
};
INSTANTIATE_TEST_SUITE_P(LeapDayCentury, ReadTest, ::testing::ValuesIn(kLeapDayCentury));

// A keyword reads as today's date written MM/DD/CCYY: it carries its
// century, which selectors 1-9 replace.
const ReadCase kKeywords[] = {
    {"today", true, "12/06/2026", 'B', 0},  {"Now", true, "12/06/2026", 'B', 0},
    {"TODAY", true, "Dec/06/2026", 'K', 0}, {"ToDaY", true, "20261206", 'E', 0},
    {"NOW", true, "06-Dec-26  ", '6', 0},   {"today   ", true, "12/06/2026", 'B', 0},
    {"TODAY", true, "12/06/1926", 'B', 4},  {"today", false, "", '0', 0},
    {"TODAYX", false, "", 'B', 0},          {" today", false, "", 'B', 0},
    {"TOMORROW", false, "", 'B', 0},
};
INSTANTIATE_TEST_SUITE_P(Keywords, ReadTest, ::testing::ValuesIn(kKeywords));

// Trailing blanks, control characters and bytes of 128 and above are
// ignored; leading blanks count, and a text of nothing else is no date.
const ReadCase kTrimming[] = {
    {"12/31/1998 ", true, "12/31/1998", 'B', 0},
    {"12/31/98\t\t\t", true, "12/31/2098", 'B', 0},
    {"12/31/98\x80", true, "12/31/2098", 'B', 0},
    {"12/31/98 \xff\xa0", true, "12/31/2098", 'B', 0},
    {"12/31/98\x1f\r\n", true, "12/31/2098", 'B', 0},
    {"04-Jul-98  ", true, "07/04/2098", 'B', 0},
    {"Jul-4-98   ", true, "07/04/2098", 'B', 0},
    {"02/30/1998 ", false, "", 'B', 0},
    {"12/31/1998  ", false, "", '!', 0},
    {"   ", false, "", 'B', 0},
    {"\t \t", false, "", 'B', 0},
    {"", false, "", 'B', 0},
};
INSTANTIATE_TEST_SUITE_P(Trimming, ReadTest, ::testing::ValuesIn(kTrimming));

// Validation of the fields once the format is known. 29 February follows the
// Gregorian rule in every layout. A written century must start with 1-9.
const ReadCase kValidation[] = {
    {"02/29/1900", false, ""},          {"29-Feb-1900", false, ""},
    {"02-29-2100", false, ""},          {"29Feb1800", false, ""},
    {"02/29/1600", true, "02/29/1600"}, {"29-Feb-2400", true, "02/29/2400"},
    {"1900/02/29", false, ""},          {"29/Feb/1900", false, ""},
    {"02/29/1999", false, ""},          {"02/29/2000", true, "02/29/2000"},
    {"02/28/1999", true, "02/28/1999"}, {"02/30/2000", false, ""},
    {"04/30/1998", true, "04/30/1998"}, {"04/31/1998", false, ""},
    {"31-Jun-1998", false, ""},         {"31/Jun/1998", false, ""},
    {"12/32/1998", false, ""},          {"12/00/1998", false, ""},
    {"12/3a/1998", false, ""},          {"12/31/19 8", false, ""},
    {"12/31/0998", false, ""},          {"04Jul0998", false, ""},
    {"04-Jux-1998", false, ""},         {"04Jux98", false, ""},
};
INSTANTIATE_TEST_SUITE_P(Validation, ReadTest, ::testing::ValuesIn(kValidation));

// A code that is no format code fails every read. A lower-case code is its
// upper-case code, and a month read in lower case is written capitalised.
const ReadCase kOutputCode[] = {
    {"07/04/1998", false, "", '0'},
    {"07/04/1998", false, "", '!'},
    {"07/04/1998", false, "", '\0'},
    {"07/04/1998", false, "", ' '},
    {"07/04/1998", true, "Jul/04/1998", 'k'},
    {"07/04/1998", true, "04/07/1998", '['},
    {"Jul/4/98", false, "", '!'},
    {"4-Jul-98", false, "", '0'},
    {"4-jul-98", true, "Jul/04/2098", 'K'},
    {"1998/jul/04", true, "04-Jul-98  ", '6'},
};
INSTANTIATE_TEST_SUITE_P(OutputCode, ReadTest, ::testing::ValuesIn(kOutputCode));

// A two-digit year read with selector 0 follows the clock's century.
TEST(ReadClockCenturyTest, ClockIn1999) {
    kalcore::testing::FixedClock clock(1999, 6, 1, 12, 0);
    // 02/29/00 and 2/29/00 are read in 1900, which has no 29 February.
    const ReadCase rows[] = {
        {"12/31/98", true, "12/31/1998"},
        {"Dec/31/98", true, "12/31/1998"},
        {"12/31/2098", true, "12/31/2098"},
        {"02/29/00", false, ""},
        {"2/29/00", false, ""},
        {"now", true, "06/01/1999", 'B', 0},
    };
    for (const ReadCase& c : rows) {
        SCOPED_TRACE(::testing::PrintToString(c));
        ExpectRead(c);
    }
}

// A selector outside 0-9 names no century: no date is valid with it.
TEST(SelectorOutOfRangeTest, EveryDateInvalid) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    const char* const inputs[] = {"12/31/1998", "12/31/98", "Jul/4/98", "19980704", "today"};
    for (int selector : {-1, 10, 11, 100, INT_MIN, INT_MAX}) {
        for (const char* text : inputs) {
            SCOPED_TRACE(std::string(text) + " selector " + std::to_string(selector));
            DateText input;
            Load(input, text);
            DateReading reading;
            EXPECT_FALSE(ReadDate(input, selector, reading));
            char out[12];
            std::memset(out, 'x', sizeof out);
            EXPECT_EQ(KD_CONVDATE(text, out, "B", 0, selector), 0);
            EXPECT_EQ(out[0], '\0');
        }
    }
}

TEST(IsValidDateTest, Rows) {
    struct Row {
        int century, year, month, day;
        bool valid;
    };
    const Row rows[] = {
        {19, 98, 2, 28, true},   {19, 0, 2, 29, false},   {20, 0, 2, 29, true},
        {19, 96, 2, 29, true},   {19, 99, 2, 29, false},  {21, 0, 2, 29, false},
        {24, 0, 2, 29, true},    {0, 4, 2, 29, true},     {19, 98, 2, 30, false},
        {19, 98, 1, 31, true},   {19, 98, 3, 31, true},   {19, 98, 4, 30, true},
        {19, 98, 4, 31, false},  {19, 98, 5, 31, true},   {19, 98, 6, 31, false},
        {19, 98, 7, 31, true},   {19, 98, 8, 31, true},   {19, 98, 9, 31, false},
        {19, 98, 10, 31, true},  {19, 98, 11, 31, false}, {19, 98, 12, 31, true},
        {19, 98, 12, 32, false}, {19, 98, 1, 0, false},   {19, 98, 0, 1, false},
        {19, 98, 13, 1, false},  {19, 98, -1, 1, false},  {19, 98, 1, -1, false},
        {19, 98, 1, 1, true},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(IsValidDate(CivilDate{r.century * 100 + r.year, r.month, r.day}), r.valid)
            << r.century << "/" << r.year << " month " << r.month << " day " << r.day;
    }
}

// What the reader reports besides the date: whether the text carried its
// century, and the basic code it was read as. A further form is read as
// MM/DD/CCYY (B) or DD-mmm-CCYY (7) with its own century, and a keyword as
// today's MM/DD/CCYY; "4-Jul-98" and "Dec/31/98" take the clock's century.
TEST(DateReadingTest, CenturyAndCode) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    struct Row {
        const char* text;
        int selector;
        CivilDate date;
        bool centuryGiven;
        char code;
    };
    const Row rows[] = {
        {"070498", 0, {2098, 7, 4}, false, '1'},     {"980704", 4, {1998, 7, 4}, false, '2'},
        {"07/04/98", 0, {2098, 7, 4}, false, '3'},   {"98/07/04", 0, {2098, 7, 4}, false, '4'},
        {"98.07.04", 0, {2098, 7, 4}, false, '5'},   {"04-Jul-98", 0, {2098, 7, 4}, false, '6'},
        {"04-Jul-1998", 0, {1998, 7, 4}, true, '7'}, {"04Jul98", 0, {2098, 7, 4}, false, '8'},
        {"04Jul1998", 0, {1998, 7, 4}, true, '9'},   {"07-04-1998", 0, {1998, 7, 4}, true, 'A'},
        {"07/04/1998", 5, {2098, 7, 4}, true, 'B'},  {"07-04-98", 0, {2098, 7, 4}, false, 'C'},
        {"07041998", 0, {1998, 7, 4}, true, 'D'},    {"Jul/04/1998", 0, {1998, 7, 4}, true, 'B'},
        {"jul-04-98", 0, {2098, 7, 4}, true, 'B'},   {"04/Jul/1998", 0, {1998, 7, 4}, true, '7'},
        {"31/Dec/98", 4, {1998, 12, 31}, true, '7'}, {"7-4-98", 0, {2098, 7, 4}, true, 'B'},
        {"10-4-98", 0, {2098, 10, 4}, true, 'B'},    {"19980704", 0, {1998, 7, 4}, true, 'B'},
        {"1998-Jul-04", 0, {1998, 7, 4}, true, '7'}, {"1998/04/07", 0, {1998, 4, 7}, true, 'B'},
        {"4Jul1998", 9, {2498, 7, 4}, true, '7'},    {"1995-25-Dec", 0, {1995, 12, 25}, true, 'B'},
        {"1998Jul04", 0, {1998, 7, 4}, true, 'B'},   {"2/29/00", 0, {2000, 2, 29}, true, 'B'},
        {"TODAY", 0, {2026, 12, 6}, true, 'B'},      {"yester7", 4, {1926, 11, 28}, true, 'B'},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Shown(r.text) + " selector " + std::to_string(r.selector));
        DateText text;
        Load(text, r.text);
        DateReading reading{};
        ASSERT_TRUE(ReadDate(text, r.selector, reading));
        EXPECT_EQ(reading.date, r.date);
        EXPECT_EQ(reading.centuryGiven, r.centuryGiven);
        EXPECT_EQ(reading.code, r.code);
    }
}

// A keyword whose day falls before the years a date text holds is no date;
// the clock's own day still reads.
TEST(DateReadingTest, KeywordsAtTheFirstReadableYear) {
    kalcore::testing::FixedClock clock(1000, 1, 3, 13, 0);
    DateText text;
    DateReading reading{};
    for (const char* keyword : {"TODAY", "YESTER", "YESTER1"}) {
        Load(text, keyword);
        EXPECT_TRUE(ReadDate(text, 0, reading)) << keyword;
    }
    for (const char* keyword : {"YESTER2", "YESTER7"}) {
        Load(text, keyword);
        EXPECT_FALSE(ReadDate(text, 0, reading)) << keyword;
    }
}

// KD_ISVDATE rewrites a valid date in place as Mmm/DD/CCYY and leaves an
// invalid one, and everything after the 12 bytes, alone.
TEST(IsValidDateExportTest, Rows) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    struct Row {
        const char* bytes;  // up to 12 characters, a terminator after fewer
        int result;
        const char* after;  // nullptr: unchanged
    };
    // The first two rows fill all 12 bytes with no terminator; the twelfth
    // byte is not read.
    const Row rows[] = {
        {"12/31/1998  ", 1, "Dec/31/1998"},
        {"12/31/1998 x", 1, "Dec/31/1998"},
        {"12/31/98", 1, "Dec/31/2098"},
        {"02/30/1998", 0, nullptr},
        {"02/29/1900", 0, nullptr},
        {"12/31/1998x", 0, nullptr},
        {"TODAY", 1, "Dec/06/2026"},
        {"now", 1, "Dec/06/2026"},
        {"1998/25/12", 1, "Dec/25/1998"},
        {"   ", 0, nullptr},
        {"", 0, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Shown(r.bytes));
        char buffer[16];
        std::memset(buffer, 'Z', sizeof buffer);
        const std::size_t n = std::strlen(r.bytes);
        std::memcpy(buffer, r.bytes, n);
        if (n < 12) buffer[n] = '\0';
        char before[16];
        std::memcpy(before, buffer, sizeof buffer);
        EXPECT_EQ(KD_ISVDATE(buffer), r.result);
        if (r.after) {
            EXPECT_EQ(TextOf(buffer), r.after);
        } else {
            EXPECT_EQ(std::memcmp(buffer, before, 12), 0);
        }
        EXPECT_EQ(std::memcmp(buffer + 12, before + 12, 4), 0);
    }
}

// KD_CONVDATE reads at most 11 characters, never changes its input or code
// texts, and leaves the output empty on failure.
TEST(ConvertDateExportTest, Rows) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    struct Row {
        const char* input;
        const char* code;
        int useFile, selector, result;
        const char* output;
    };
    // Only a switch value of 1 consults the stored code. 12/31/1998xyz is read
    // as 12/31/1998x, which is no date, and "TODAY      X" as TODAY followed
    // by blanks.
    const Row rows[] = {
        {"07/04/1998", "E", 0, 0, 1, "19980704"},  {"07/04/1998", "e", 0, 0, 1, "19980704"},
        {"07/04/1998", "Ex", 0, 0, 1, "19980704"}, {"07/04/1998", "E", 2, 0, 1, "19980704"},
        {"07/04/1998", "E", -1, 0, 1, "19980704"}, {"07/04/1998", "0", 0, 0, 0, ""},
        {"07/04/1998", "!", 0, 0, 0, ""},          {"07/04/1998", "", 0, 0, 0, ""},
        {"Jul-4-98", "G", 0, 4, 1, "1998-07-04"},  {"1998/Jul/04", "6", 0, 0, 1, "04-Jul-98  "},
        {"12/31/98", "K", 0, 0, 1, "Dec/31/2098"}, {"12/31/98   ", "B", 0, 4, 1, "12/31/1998"},
        {"12/31/1998xyz", "B", 0, 0, 0, ""},       {"TODAY      X", "B", 0, 0, 1, "12/06/2026"},
        {"TODAYXXXXXXX", "B", 0, 0, 0, ""},        {"today", "B", 0, 0, 1, "12/06/2026"},
        {"02/30/1998", "B", 0, 0, 0, ""},          {"", "B", 0, 0, 0, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Shown(r.input) + " code " + Shown(r.code) + " selector " +
                     std::to_string(r.selector));
        char input[16], code[4], output[12];
        std::snprintf(input, sizeof input, "%s", r.input);
        std::snprintf(code, sizeof code, "%s", r.code);
        std::memset(output, 'x', sizeof output);
        EXPECT_EQ(KD_CONVDATE(input, output, code, r.useFile, r.selector), r.result);
        EXPECT_EQ(TextOf(output), r.output);
        EXPECT_STREQ(input, r.input);
        EXPECT_STREQ(code, r.code);
    }
}

}  // namespace
}  // namespace kalcore
