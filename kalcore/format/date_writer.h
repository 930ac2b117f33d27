// The writer for every output format: renders a validated, century-complete
// date in the layout of a format code.
#pragma once

#include "format/catalogue.h"

namespace kalcore {

struct NormalizedDate;

// The code actually written for a date: a code with a one-digit month or day
// field that cannot show the value is replaced by its wider twin, repeatedly
// (M-D-CCYY with month 11 and day 25 goes through MM-D-CCYY to MM-DD-CCYY).
char SubstituteCode(char code, int month, int day);

// Renders the date in the layout of `code` (upper case, one of the 48 codes)
// into `out`: the catalogue length of the code finally used, at most 11
// characters, and a terminator.
void RenderDate(const NormalizedDate& date, char code, DateText& out);

// A validated date as numbers: century and year within it 0-99, month 1-12,
// day 1-31.
struct DateNumbers {
    int century, year, month, day;
};

// Renders a validated date in the layout asked for, after substitution, into
// `out`.
void WriteDate(const FormatLayout& requested, const DateNumbers& date, DateText& out);

// Writes a day-first date. Kind 1-8 stands for the codes '[', ']', '{', '}',
// '<', '>', '+', '=' (kinds 1-4 separate with '/', 5-8 with '-'); a one-digit
// field that cannot show its value moves the date to the wider kind. Returns
// false and writes an empty text for a kind outside 1-8. Every value must lie
// within 0-99.
bool FormatEnglishStyle(DateText& out, int kind, int month, int day, int century, int year);

}  // namespace kalcore
