// The one date reader of the library: recognises which format a date text is
// written in, reduces it to a NormalizedDate, validates it, gives a two-digit
// year its century and hands it to the writer for the requested format.
#pragma once

#include "format/catalogue.h"

namespace kalcore {

// The reader's working record. The four texts are two digits each, stored
// together in the order month, day, year, century.
struct NormalizedDate {
    char month[2];
    char day[2];
    char year[2];       // the year within its century
    char century[2];    // the first two digits of the four-digit year
    bool centuryGiven;  // the input carried its own century
};

// Values of the useConversionFile switch.
inline constexpr int kUseConversionFile = 1;

// Reads the date text in `input` and writes it in the format named by the
// first character of `code` (upper or lower case) into `output`.
//
// `input` is trimmed of trailing blanks, control characters and bytes of 128
// and above, and the trimmed text is written back into it; a keyword is
// replaced by its date as MM/DD/CCYY. With useConversionFile == 1 the stored
// preferred format replaces the first character of `code`. The selector gives
// a two-digit year its century (0: the current century, 1-9: 16-24) and, when
// it is 1-9, also replaces the century of a four-digit year. A selector
// outside 0-9 makes every date invalid.
//
// Returns true (the library's "N") when the date was valid and `output` holds
// it, at most 11 characters. Returns false ("Y") otherwise; `output` then
// holds the text that was being read.
bool ParseConvertDate(DateText& input, DateText& output, CodeText& code, int useConversionFile,
                      int centurySelector);

// The reading side of ParseConvertDate: trims and writes back `input`,
// resolves a keyword, recognises, extracts, validates and completes the
// century into `date`. `outputCodeKnown` false (the caller's output code is
// no format code) fails the read at the point where the output code is
// checked. On failure `textRead` receives the text that was being read and
// `date` is not written.
bool ReadDateFields(DateText& input, int centurySelector, bool outputCodeKnown,
                    NormalizedDate& date, DateText& textRead);

// True when month is 1-12 and day lies within the month of the Gregorian year
// century * 100 + year.
bool ValidateDateParts(int century, int year, int month, int day);

// Runs the family recognisers for forms that are not basic codes in their
// fixed order; the first that accepts the text writes its basic rewriting
// (MM/DD/CCYY, or DD-mmm-CCYY with the month in lower case) into `rewritten`
// and the result is true. A two-digit year is completed with `currentCentury`.
// When none accepts, the result is false and `rewritten` is not written.
bool RecognizeExtendedFormat(const char* text, int currentCentury, DateText& rewritten);

}  // namespace kalcore
