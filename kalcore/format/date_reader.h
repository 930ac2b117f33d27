// The one date reader of the library: recognises which format a date text is
// written in, takes its fields, validates them and gives a two-digit year its
// century; also the date keywords ("TODAY", "NOW", "YESTER",
// "YESTER0".."YESTER7") that every date input accepts in place of a date,
// and year texts.
#pragma once

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
};

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
