// The reader: which format a text is taken to be in, the fields it gives,
// validation, the century of a two-digit year, keywords, trimming, what a
// failed read leaves behind, and the two exports built on the reader.
//
// The clock reads 6 December 2026, 18:40, unless a test says otherwise, so
// a two-digit year read with selector 0 falls in the 2000s.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include "fixed_clock.h"
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
    // On success the date in the output code; on failure the text that was
    // being read.
    const char* output;
    char code = 'B';  // output format code
    int selector = 0;
    // The input buffer afterwards; nullptr when it keeps the text as given.
    const char* inputAfter = nullptr;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    const char code[2] = {c.code, '\0'};
    *os << Shown(c.input) << " code " << Shown(code) << " selector " << c.selector;
}

class ReadTest : public ::testing::TestWithParam<ReadCase> {
  protected:
    kalcore::testing::FixedClock clock_{2026, 12, 6, 18, 40};
};

void ExpectRead(const ReadCase& c) {
    DateText input, output;
    Load(input, c.input);
    std::memset(output, '?', sizeof output);
    CodeText code = {c.code, '\0'};
    EXPECT_EQ(ParseConvertDate(input, output, code, 0, c.selector), c.ok);
    EXPECT_EQ(TextOf(output), c.output);
    EXPECT_EQ(TextOf(input), c.inputAfter ? c.inputAfter : c.input);
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
    {"7-4-98", true, "07/04/2098"},   {"7/4/98", true, "07/04/2098"},
    {"7-04-98", true, "07/04/2098"},  {"7/04/98", true, "07/04/2098"},
    {"07-4-98", true, "07/04/2098"},  {"07/4/98", true, "07/04/2098"},
    {"4-Jul-98", true, "07/04/2098"}, {"4/Jul/98", true, "07/04/2098"},
    {"4Jul98", true, "07/04/2098"},   {"Jul-4-98", true, "07/04/2098"},
    {"Jul/4/98", true, "07/04/2098"}, {"12/4/98", true, "12/04/2098"},
    {"1/31/98", true, "01/31/2098"},  {"JUL-4-98", true, "07/04/2098"},
    {"7Sep1999", true, "09/07/1999"}, {"7-sep-99", true, "09/07/2099"},
    {"7-4/98", false, "7-4/98"},      {"Jul-04/1998", false, "Jul-04/1998"},
    {"7Sep19x9", false, "7Sep19x9"},  {"2/30/1998", false, "2/30/1998"},
};
INSTANTIATE_TEST_SUITE_P(FurtherForms, ReadTest, ::testing::ValuesIn(kFurtherForms));

// Year-first texts are tried month-first before day-first; eight digits are
// tried as CCYYMMDD (first digit 1-9) before MMDDCCYY; six digits starting
// with a month are MMDDYY, starting with a year YYMMDD. Day-first numeric
// texts are no input format: 25/12/1998 would be YY/MM/DD with two
// characters too many, and is no date.
const ReadCase kRecogniserOrder[] = {
    {"1998/04/07", true, "04/07/1998"},  {"1998-04-07", true, "04/07/1998"},
    {"1995/25/12", true, "12/25/1995"},  {"1995/12/25", true, "12/25/1995"},
    {"1995/20/12", true, "12/20/1995"},  {"1998-13-07", true, "07/13/1998"},
    {"1995/25/Dec", true, "12/25/1995"}, {"1995-25-Dec", true, "12/25/1995"},
    {"1998/13/13", false, "1998/13/13"}, {"11120506", true, "05/06/1112"},
    {"12011999", true, "12/01/1999"},    {"02291900", false, "02291900"},
    {"19000229", false, "19000229"},     {"030105", true, "03/01/2005"},
    {"130203", true, "02/03/2013"},      {"01/02/03", true, "01/02/2003"},
    {"13/02/03", true, "02/03/2013"},    {"25/12/1998", false, "25/12/1998"},
    {"25-12-1998", false, "25-12-1998"}, {"13/01/1998", false, "13/01/1998"},
};
INSTANTIATE_TEST_SUITE_P(RecogniserOrder, ReadTest, ::testing::ValuesIn(kRecogniserOrder));

// Texts at the edges of the recognisers' layouts. Mixed separators, a
// one-digit day in a year-first text and impossible dates go on to basic
// detection, which does not read them either.
const ReadCase kLayoutEdges[] = {
    {"7/sep/1999", true, "09/07/1999"},    {"7sep99", true, "09/07/2099"},
    {"1-12-1999", true, "01/12/1999"},     {"12-1-1999", true, "12/01/1999"},
    {"1/1/01", true, "01/01/2001"},        {"Sep-7/99", false, "Sep-7/99"},
    {"1998-Jul/04", false, "1998-Jul/04"}, {"Sep7-99", false, "Sep7-99"},
    {"1998/07/4", false, "1998/07/4"},     {"19980230", false, "19980230"},
    {"02301998", false, "02301998"},
};
INSTANTIATE_TEST_SUITE_P(LayoutEdges, ReadTest, ::testing::ValuesIn(kLayoutEdges));

// Detection of the basic codes by separators, length and the first number.
// A leading blank reads as 0, except in the six digits of MMDDYY. The text
// must then be exactly as long as the detected code.
const ReadCase kBasicDetection[] = {
    {"98.12.31", true, "12/31/2098"},    {"98.12x31", false, "98.12x31"},
    {"12/31/98", true, "12/31/2098"},    {"12-31-98", true, "12/31/2098"},
    {"12-31-1998", true, "12/31/1998"},  {"31-Dec-98", true, "12/31/2098"},
    {"31-Dec-1998", true, "12/31/1998"}, {"31Dec98", true, "12/31/2098"},
    {"31Dec1998", true, "12/31/1998"},   {"123198", true, "12/31/2098"},
    {"981231", true, "12/31/2098"},      {"12311998", true, "12/31/1998"},
    {"98/12/31", true, "12/31/2098"},    {" 1/02/98", true, "01/02/2098"},
    {" 10298", false, " 10298"},         {" 12/31/98", false, " 12/31/98"},
    {"00/10/98", false, "00/10/98"},     {"13/10/98", false, "13/10/98"},
    {"1a/31/1998", false, "1a/31/1998"}, {"x2/31/1998", false, "x2/31/1998"},
    {"12/31/98x", false, "12/31/98x"},   {"12/31/1998x", false, "12/31/1998x"},
};
INSTANTIATE_TEST_SUITE_P(BasicDetection, ReadTest, ::testing::ValuesIn(kBasicDetection));

// A text is a date in a layout only when it fills the layout exactly: a digit
// at every numeric position and nothing after the last position but what
// trimming removes. Each junk text is followed by the date it was taken for
// before, which still reads; the order of the layouts is unchanged.
const ReadCase kStrictLayouts[] = {
    // Characters after the last position.
    {"05/11/8987Z", false, "05/11/8987Z"},
    {"05/11/8987", true, "05/11/8987"},
    {"07-10-33937", false, "07-10-33937"},
    {"07-10-3393", true, "07/10/3393"},
    {"2017Dec127", false, "2017Dec127"},
    {"2017Dec12", true, "12/12/2017"},
    {"30090631", false, "30090631"},
    {"300906", true, "09/06/2030"},
    {"13/03/2787", false, "13/03/2787"},
    {"13/03/27", true, "03/27/2013"},
    {"Dec/31/98x", false, "Dec/31/98x"},
    {"Dec/31/1998", true, "12/31/1998"},
    {"31/Dec/98x", false, "31/Dec/98x"},
    {"31/Dec/98", true, "12/31/2098"},
    {"7-4-19989", false, "7-4-19989"},
    {"7-4-1998", true, "07/04/1998"},
    {"7/04/98x", false, "7/04/98x"},
    {"12/4/98x", false, "12/4/98x"},
    {"19981231x", false, "19981231x"},
    {"19981231", true, "12/31/1998"},
    {"1998-07-049", false, "1998-07-049"},
    {"1998-Jul-4x", false, "1998-Jul-4x"},
    {"4Jul19989", false, "4Jul19989"},
    {"4Jul1998", true, "07/04/1998"},
    {"4-Jul-98x", false, "4-Jul-98x"},
    {"Jul-4-19989", false, "Jul-4-19989"},
    {"1998/25/12x", false, "1998/25/12x"},
    {"1998/25/12", true, "12/25/1998"},
    {"1998Jul04x", false, "1998Jul04x"},
    {"1998Jul04", true, "07/04/1998"},
    {"123198x", false, "123198x"},
    {"12319", false, "12319"},
    {"98.12.31x", false, "98.12.31x"},
    {"31-Dec-98x", false, "31-Dec-98x"},
    {"31Dec98x", false, "31Dec98x"},
    {"31Dec1998x", false, "31Dec1998x"},
    {"12-31-98x", false, "12-31-98x"},
    {"12311998x", false, "12311998x"},
    // A blank, letter or control character inside a numeric field.
    {"1998/1x/05", false, "1998/1x/05"},
    {"1998/01/05", true, "01/05/1998"},
    {"1998-12-3x", false, "1998-12-3x"},
    {"1998-12-03", true, "12/03/1998"},
    {"Dec/3x/1998", false, "Dec/3x/1998"},
    {"Dec/03/1998", true, "12/03/1998"},
    {"1998-12- 5", false, "1998-12- 5"},
    {"1998-12-05", true, "12/05/1998"},
    {"1998-12-\n5", false, "1998-12-\n5"},
    {"12/\n5/1998", false, "12/\n5/1998"},
    {" 1-5-98", false, " 1-5-98"},
    {"1-5-98", true, "01/05/2098"},
    {"1x-5-98", false, "1x-5-98"},
    {"Dec/ 5/1998", false, "Dec/ 5/1998"},
    {"1998 1 5", false, "1998 1 5"},
    {"1998\t1\t5", false, "1998\t1\t5"},
    // Unchanged: two-digit years month-first, the leading blank of basic
    // detection, what trimming removes.
    {"12/31/98", true, "12/31/2098"},
    {"1998/05/06", true, "05/06/1998"},
    {" 1/02/98", true, "01/02/2098"},
    {"13/10/98", false, "13/10/98"},
    {"12/31/1998 \r\n", true, "12/31/1998", 'B', 0, "12/31/1998"},
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
// selector gives it. A further form that fails only in the selector's century
// leaves its rewriting.
const ReadCase kLeapDayCentury[] = {
    {"02/29/00", true, "02/29/2000", 'B', 0},     {"02/29/00", false, "02/29/00", 'B', 4},
    {"02/29/00", true, "02/29/1600", 'B', 1},     {"02/29/01", false, "02/29/01", 'B', 4},
    {"2/29/00", true, "02/29/2000", 'B', 0},      {"2/29/00", false, "02/29/2000", 'B', 4},
    {"2/29/00", true, "02/29/1600", 'B', 1},      {"02/29/2000", false, "02/29/2000", 'B', 4},
    {"02/29/2000", true, "02/29/2000", 'B', 5},   {"02/29/1900", false, "02/29/1900", 'B', 5},
    {"Feb/29/2000", false, "02/29/2000", 'B', 3}, {"Feb/29/2000", true, "02/29/2400", 'B', 9},
    {"29Feb2000", false, "29Feb2000", 'B', 6},    {"02/29/96", true, "02/29/1896", 'B', 3},
    {"20000229", false, "02/29/2000", 'B', 2},    {"02/29/1996", true, "02/29/2196", 'B', 6},
};
INSTANTIATE_TEST_SUITE_P(LeapDayCentury, ReadTest, ::testing::ValuesIn(kLeapDayCentury));

// A keyword becomes today's date as MM/DD/CCYY, also in the input buffer.
// That date carries its century, which selectors 1-9 replace. With a bad
// output code the keyword's date is the text left as the output.
const ReadCase kKeywords[] = {
    {"today", true, "12/06/2026", 'B', 0, "12/06/2026"},
    {"Now", true, "12/06/2026", 'B', 0, "12/06/2026"},
    {"TODAY", true, "Dec/06/2026", 'K', 0, "12/06/2026"},
    {"ToDaY", true, "20261206", 'E', 0, "12/06/2026"},
    {"NOW", true, "06-Dec-26  ", '6', 0, "12/06/2026"},
    {"today   ", true, "12/06/2026", 'B', 0, "12/06/2026"},
    {"TODAY", true, "12/06/1926", 'B', 4, "12/06/2026"},
    {"today", false, "12/06/2026", '0', 0, "12/06/2026"},
    {"TODAYX", false, "TODAYX", 'B', 0, nullptr},
    {" today", false, " today", 'B', 0, nullptr},
    {"TOMORROW", false, "TOMORROW", 'B', 0, nullptr},
};
INSTANTIATE_TEST_SUITE_P(Keywords, ReadTest, ::testing::ValuesIn(kKeywords));

// Trailing blanks, control characters and bytes of 128 and above are cut off
// and the cut text is written back, also when the read then fails; leading
// blanks stay, and a text of nothing else is left as it is.
const ReadCase kTrimming[] = {
    {"12/31/1998 ", true, "12/31/1998", 'B', 0, "12/31/1998"},
    {"12/31/98\t\t\t", true, "12/31/2098", 'B', 0, "12/31/98"},
    {"12/31/98\x80", true, "12/31/2098", 'B', 0, "12/31/98"},
    {"12/31/98 \xff\xa0", true, "12/31/2098", 'B', 0, "12/31/98"},
    {"12/31/98\x1f\r\n", true, "12/31/2098", 'B', 0, "12/31/98"},
    {"04-Jul-98  ", true, "07/04/2098", 'B', 0, "04-Jul-98"},
    {"Jul-4-98   ", true, "07/04/2098", 'B', 0, "Jul-4-98"},
    {"02/30/1998 ", false, "02/30/1998", 'B', 0, "02/30/1998"},
    {"12/31/1998  ", false, "12/31/1998", '!', 0, "12/31/1998"},
    {"   ", false, "   ", 'B', 0, nullptr},
    {"\t \t", false, "\t \t", 'B', 0, nullptr},
    {"", false, "", 'B', 0, nullptr},
};
INSTANTIATE_TEST_SUITE_P(Trimming, ReadTest, ::testing::ValuesIn(kTrimming));

// Validation of the fields once the format is known. 29 February follows the
// Gregorian rule in every layout. A written century must start with 1-9.
const ReadCase kValidation[] = {
    {"02/29/1900", false, "02/29/1900"},   {"29-Feb-1900", false, "29-Feb-1900"},
    {"02-29-2100", false, "02-29-2100"},   {"29Feb1800", false, "29Feb1800"},
    {"02/29/1600", true, "02/29/1600"},    {"29-Feb-2400", true, "02/29/2400"},
    {"1900/02/29", false, "1900/02/29"},   {"29/Feb/1900", false, "29/Feb/1900"},
    {"02/29/1999", false, "02/29/1999"},   {"02/29/2000", true, "02/29/2000"},
    {"02/28/1999", true, "02/28/1999"},    {"02/30/2000", false, "02/30/2000"},
    {"04/30/1998", true, "04/30/1998"},    {"04/31/1998", false, "04/31/1998"},
    {"31-Jun-1998", false, "31-Jun-1998"}, {"31/Jun/1998", false, "31/Jun/1998"},
    {"12/32/1998", false, "12/32/1998"},   {"12/00/1998", false, "12/00/1998"},
    {"12/3a/1998", false, "12/3a/1998"},   {"12/31/19 8", false, "12/31/19 8"},
    {"12/31/0998", false, "12/31/0998"},   {"04Jul0998", false, "04Jul0998"},
    {"04-Jux-1998", false, "04-Jux-1998"}, {"04Jux98", false, "04Jux98"},
};
INSTANTIATE_TEST_SUITE_P(Validation, ReadTest, ::testing::ValuesIn(kValidation));

// The output code is checked after an extended form has been rewritten, so a
// bad code leaves the rewritten text (MM/DD/CCYY or DD-mmm-CCYY) as the
// output. A lower-case code is its upper-case code, and a month read in lower
// case is written capitalised.
const ReadCase kOutputCode[] = {
    {"07/04/1998", false, "07/04/1998", '0'},  {"07/04/1998", false, "07/04/1998", '!'},
    {"07/04/1998", false, "07/04/1998", '\0'}, {"07/04/1998", false, "07/04/1998", ' '},
    {"07/04/1998", true, "Jul/04/1998", 'k'},  {"07/04/1998", true, "04/07/1998", '['},
    {"Jul/4/98", false, "07/04/2098", '!'},    {"4-Jul-98", false, "04-jul-2098", '0'},
    {"4-jul-98", true, "Jul/04/2098", 'K'},    {"1998/jul/04", true, "04-Jul-98  ", '6'},
};
INSTANTIATE_TEST_SUITE_P(OutputCode, ReadTest, ::testing::ValuesIn(kOutputCode));

// A two-digit year read with selector 0 follows the clock's century.
TEST(ReadClockCenturyTest, ClockIn1999) {
    kalcore::testing::FixedClock clock(1999, 6, 1, 12, 0);
    // 02/29/00 and 2/29/00 are read in 1900, which has no 29 February.
    const ReadCase rows[] = {
        {"12/31/98", true, "12/31/1998"},   {"Dec/31/98", true, "12/31/1998"},
        {"12/31/2098", true, "12/31/2098"}, {"02/29/00", false, "02/29/00"},
        {"2/29/00", false, "2/29/00"},      {"now", true, "06/01/1999", 'B', 0, "06/01/1999"},
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
            DateText input, output;
            Load(input, text);
            CodeText code = {'B', '\0'};
            EXPECT_FALSE(ParseConvertDate(input, output, code, 0, selector));
            char out[12];
            std::memset(out, 'x', sizeof out);
            EXPECT_EQ(KD_CONVDATE(text, out, "B", 0, selector), 0);
            EXPECT_EQ(out[0], '\0');
        }
    }
}

TEST(ValidateDatePartsTest, Rows) {
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
        EXPECT_EQ(ValidateDateParts(r.century, r.year, r.month, r.day), r.valid)
            << r.century << "/" << r.year << " month " << r.month << " day " << r.day;
    }
}

TEST(RecognizeExtendedFormatTest, Rows) {
    struct Row {
        const char* text;
        int century;            // the clock's century for a two-digit year
        const char* rewritten;  // nullptr: not recognised
    };
    // Not recognised: DD/mmm/CCYY with '-' (that family takes '/' only), mixed
    // separators, a one-digit day in a year-first text, a century starting 0,
    // and texts with the layout of a family but no valid date.
    const Row rows[] = {
        {"Jul/04/1998", 20, "07/04/1998"},
        {"jul-04-98", 20, "07/04/2098"},
        {"JUL-04-98", 19, "07/04/1998"},
        {"Dec/31/98", 20, "12/31/2098"},
        {"04/Jul/1998", 20, "04-jul-1998"},
        {"04/JUL/98", 19, "04-jul-1998"},
        {"31/Dec/98", 20, "31-dec-2098"},
        {"7-4-98", 19, "07/04/1998"},
        {"7/4/1998", 20, "07/04/1998"},
        {"7/04/1998", 20, "07/04/1998"},
        {"7-04-98", 20, "07/04/2098"},
        {"07-4-1998", 20, "07/04/1998"},
        {"07/4/98", 19, "07/04/1998"},
        {"10-4-98", 20, "10/04/2098"},
        {"19980704", 20, "07/04/1998"},
        {"1998-Jul-04", 20, "04-jul-1998"},
        {"1998/JUL/04", 20, "04-jul-1998"},
        {"1998-07-04", 20, "07/04/1998"},
        {"1998/04/07", 20, "04/07/1998"},
        {"4-Jul-1998", 20, "04-jul-1998"},
        {"4/jul/98", 19, "04-jul-1998"},
        {"4Jul98", 19, "04-jul-1998"},
        {"4Jul1998", 20, "04-jul-1998"},
        {"Jul-4-1998", 20, "07/04/1998"},
        {"jul/4/98", 20, "07/04/2098"},
        {"1995/25/12", 20, "12/25/1995"},
        {"1995-25-Dec", 20, "12/25/1995"},
        {"1995/25/dec", 20, "12/25/1995"},
        {"1998Jul04", 20, "07/04/1998"},
        {"2/29/00", 20, "02/29/2000"},
        {"2/29/00", 19, nullptr},
        {"07/04/1998", 20, nullptr},
        {"12/31/98", 20, nullptr},
        {"070498", 20, nullptr},
        {"04-Jul-1998", 20, nullptr},
        {"2/30/1998", 20, nullptr},
        {"1900/02/29", 20, nullptr},
        {"1998-04-1", 20, nullptr},
        {"7-4/98", 20, nullptr},
        {"1998-07/04", 20, nullptr},
        {"0998/07/04", 20, nullptr},
        {"7Sep19x9", 20, nullptr},
        {"4-Jul-0998", 20, nullptr},
        {"Jux/04/1998", 20, nullptr},
        {"1998/13/13", 20, nullptr},
        {"25/12/1998", 20, nullptr},
        {"Jul/32/1998", 20, nullptr},
        {"0/4/98", 20, nullptr},
        {"", 20, nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(Shown(r.text) + " century " + std::to_string(r.century));
        DateText rewritten;
        Load(rewritten, "untouched");
        EXPECT_EQ(RecognizeExtendedFormat(r.text, r.century, rewritten), r.rewritten != nullptr);
        EXPECT_EQ(TextOf(rewritten), r.rewritten ? r.rewritten : "untouched");
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
