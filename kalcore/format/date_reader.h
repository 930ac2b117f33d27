// The one date reader of the library: recognises which format a date text is
// written in, takes its fields, validates them and gives a two-digit year its
// century; also the date keywords ("TODAY", "NOW", "YESTER",
// "YESTER0".."YESTER7") that every date input accepts in place of a date,
// and year texts.
#pragma once

#include <cstddef>

#include "civil/civil_date.h"
#include "format/layouts.h"

namespace kalcore {

// What the reader found in a date text.
struct DateReading {
    CivilDate date;     // a valid date
    bool centuryGiven;  // the text carried its own century (a keyword and a further form do)
    // The basic input code the text was read as, '1'-'9' or 'A'-'D'. A keyword
    // stands for today's date written MM/DD/CCYY ('B'); a further form is read
    // as MM/DD/CCYY ('B') or DD-mmm-CCYY ('7').
    char code;
    // The layout the text was written in: its format code ('1'-'9', 'A'-'Z',
    // '*', '#', '@', '&', '$'), one of the further forms, or kKeywordLayout.
    char layout;
    bool twoDigitYear;  // the text wrote two digits of year
};

// The layouts of the further input forms, which have no format code, and of
// a keyword: values below any format code.
inline constexpr char kFormMDYYDash = 1;      // M-D-YY
inline constexpr char kFormMDYYSlash = 2;     // M/D/YY
inline constexpr char kFormMDDYYDash = 3;     // M-DD-YY
inline constexpr char kFormMDDYYSlash = 4;    // M/DD/YY
inline constexpr char kFormMMDYYDash = 5;     // MM-D-YY
inline constexpr char kFormMMDYYSlash = 6;    // MM/D/YY
inline constexpr char kFormDMmmYYDash = 7;    // D-mmm-YY
inline constexpr char kFormDMmmYYSlash = 8;   // D/mmm/YY
inline constexpr char kFormDMmmYY = 9;        // DmmmYY
inline constexpr char kFormMmmDYYDash = 10;   // mmm-D-YY
inline constexpr char kFormMmmDYYSlash = 11;  // mmm/D/YY
inline constexpr char kKeywordLayout = 12;    // TODAY, NOW, YESTER, YESTER0..YESTER7

// How a two-digit year gets its century, and whether a four-digit year keeps
// its own.
struct YearRule {
    enum class Kind : unsigned char {
        // The century selector, 0-9: 0 the current century for a two-digit
        // year; 1-9 the centuries 16-24 for every year.
        kSelector,
        // A window of 100 years from `value` (1000-9900): the year 49 of
        // a 1950 window is 2049, the year 50 is 1950.
        kWindow,
        // The century `value` (10-99) for every two-digit year.
        kCentury,
    };
    Kind kind;
    int value;
};

// Reads a date text as ReadDate does, a two-digit year placed by `rule`; the
// keywords are read only when `keywords` is set. Under the window and
// century rules a four-digit year is never changed.
bool ReadDateByRule(const DateText& text, const YearRule& rule, bool keywords,
                    DateReading& reading);

// ReadDateByRule for a text already trimmed at both ends: its `length`
// characters (at most 11) are followed by zero bytes to the end of the 12,
// and its last character is not one that trimming removes. A zero byte
// among the characters makes it no date.
bool ReadTrimmedDateByRule(const DateText& text, std::size_t length, const YearRule& rule,
                           bool keywords, DateReading& reading);

// ReadDateByRule without its shortcut for the shapes dates are commonly
// written in: every text goes through the full order of recognisers and
// basic detection. For tests that hold the shortcut to the same results.
bool ReadDateByRuleInFullOrder(const DateText& text, const YearRule& rule, bool keywords,
                               DateReading& reading);

// Reads a date text (its first 11 characters; trailing blanks, control
// characters and bytes of 128 and above are ignored) in any input format or
// as a keyword. The selector gives a two-digit year its century (0: the
// current century, 1-9: 16-24) and, when it is 1-9, also replaces the century
// of a four-digit year; the date must exist in the century it ends up in. A
// selector outside 0-9 makes every date invalid. False when the text is no
// date; `reading` is then not written.
bool ReadDate(const DateText& text, int centurySelector, DateReading& reading);

// The date alone of a date text read with the current century for a
// two-digit year (selector 0). False, with `date` untouched, for no date.
inline bool ReadDateInCurrentCentury(const DateText& text, CivilDate& date) {
    DateReading reading;
    if (!ReadDate(text, 0, reading)) return false;
    date = reading.date;
    return true;
}

// Days-back value of "TODAY" and "NOW".
inline constexpr int kKeywordToday = -1;

// True when the text (only its first 11 characters count, any case) is a date
// keyword; daysBack then receives -1 for "TODAY" and "NOW", and for the
// "YESTER" family the number of days before today that the keyword names
// ("YESTER" and "YESTER0" 1, "YESTER1" 2, ... "YESTER7" 8). Otherwise daysBack
// is left untouched.
bool MatchDateKeyword(const char* text, int& daysBack);

// Fixed century of selectors 1-9 as a number (16-24), 0 for any other value.
int FixedCenturyOfSelector(int selector);

// The century a selector names: 1-9 the centuries 16-24, 0 the current
// century from the clock. False, with `century` untouched, for any other
// selector.
bool CenturyOfSelector(int selector, int& century);

// The four-digit year of a year text (its first five characters, without
// trailing blanks, control characters and bytes of 128 and above): four
// digits, the first 1-9, or two digits in the current century. False for
// anything else, with `year` untouched.
bool ReadYearText(const char* text, int& year);

// The years whose dates every date text holds and reads back: a four-digit
// year whose century starts with 1-9.
constexpr bool IsReadableYear(int year) {
    return year >= 1000 && year <= 9999;
}

}  // namespace kalcore
