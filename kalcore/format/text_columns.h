// Dates read from texts of a stated length, one at a time or a column at a
// time, and columns of dates written as texts: the reader and writer of the
// library behind exact edges. A text is trimmed at both ends and must then be
// exactly one layout; nothing past it is ignored.
#pragma once

#include <cstddef>
#include <cstdint>

#include "civil/civil_date.h"
#include "format/date_reader.h"
#include "format/layouts.h"

namespace kalcore {

// Days since 1970-01-01 of a valid date of the years 1000-9999, counted from
// 1 March of year 0 so that the leap day ends a year; unsigned, as every
// value is positive, so that the divisions become multiplications.
constexpr std::int64_t DaysOfTextDate(const CivilDate& date) {
    const auto month = static_cast<unsigned>(date.month);
    const unsigned year = static_cast<unsigned>(date.year) - (month <= 2 ? 1 : 0);
    const unsigned dayOfYear =
        (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + static_cast<unsigned>(date.day) - 1;
    return static_cast<std::int64_t>(year * 365 + year / 4 - year / 100 + year / 400 + dayOfYear) -
           719468;
}
static_assert(DaysOfTextDate(CivilDate{1970, 1, 1}) == 0);
static_assert(DaysOfTextDate(CivilDate{1000, 1, 1}) == DaysFromEpoch(CivilDate{1000, 1, 1}));
static_assert(DaysOfTextDate(CivilDate{2000, 2, 29}) == DaysFromEpoch(CivilDate{2000, 2, 29}));
static_assert(DaysOfTextDate(CivilDate{2000, 3, 1}) == DaysFromEpoch(CivilDate{2000, 3, 1}));
static_assert(DaysOfTextDate(CivilDate{9999, 12, 31}) == DaysFromEpoch(CivilDate{9999, 12, 31}));

// Days since 1970-01-01 that stand for "no date" (NumPy's NaT).
inline constexpr std::int64_t kNoDateDays = INT64_MIN;

// What a column reader is asked to do: how to place a two-digit year and
// whether to read keywords.
struct ReadingRules {
    YearRule years;
    bool keywords;
};

// Reads the `length` characters at `chars` as a date: leading and trailing
// characters of value 0-32 or 128-255 are trimmed, and what is left must be
// one layout (at most 11 characters, no zero byte). False, with `reading`
// not written, for no date.
bool ReadExactText(const char* chars, std::size_t length, const ReadingRules& rules,
                   DateReading& reading);
// The same, also giving the date's days since 1970-01-01.
bool ReadExactText(const char* chars, std::size_t length, const ReadingRules& rules,
                   DateReading& reading, std::int64_t& days);

// Where the dates of a column go: days since 1970-01-01 or kNoDateDays for
// each item, and, when `layouts` is not null, each item's layout or 0.
struct DayColumn {
    std::int64_t* days;
    std::uint8_t* layouts;
};

// Reads n texts given as pointers and lengths (a null pointer is a missing
// text: no date). Returns the number of dates.
std::size_t ReadTextColumn(const char* const* texts, const std::size_t* lengths, std::size_t n,
                           const ReadingRules& rules, const DayColumn& out);

// A fixed-width block of texts: item i has `width` characters of `charSize`
// bytes (1, or 4 for UCS-4 in the machine's byte order) at base + i * stride.
struct TextBlock {
    const unsigned char* base;
    std::size_t width;
    std::ptrdiff_t stride;
};

// Reads n texts of a block of 1-byte or of 4-byte characters. Returns the
// number of dates.
std::size_t ReadByteBlock(const TextBlock& block, std::size_t n, const ReadingRules& rules,
                          const DayColumn& out);
std::size_t ReadUcs4Block(const TextBlock& block, std::size_t n, const ReadingRules& rules,
                          const DayColumn& out);

// The longest text the layout of a code writes, its one-digit fields widened
// as far as a date can widen them.
int LongestText(const FormatLayout& layout);

// A writable fixed-width block: as TextBlock.
struct OutputBlock {
    unsigned char* base;
    std::size_t width;  // at least LongestText of the layout
    std::ptrdiff_t stride;
};

// Writes n dates (days since 1970-01-01) in `layout` into a block of 1-byte
// or 4-byte characters, each text followed by zero characters up to the
// width; an item that is no date of the years 1000-9999 is all zeros.
// Returns the number of texts written.
std::size_t WriteByteBlock(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out);
std::size_t WriteUcs4Block(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out);

}  // namespace kalcore
