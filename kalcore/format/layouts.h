// The format catalogue: the 48 format codes and their layouts.
//
// Every format is described once, by its pattern ("MM/DD/CCYY", "DmmmCCYY",
// ...). The pattern is compiled at build time into a FormatLayout: its literal
// text, the position and width of each field, the positions that hold digits,
// and the layouts its one-digit fields move to. The writer fills the fields
// in at those positions and the reader finds them there, so the two
// directions cannot disagree; both build code for each layout with its
// positions known at compile time.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kalcore {

// A date text: at most 11 characters and a terminator.
inline constexpr std::size_t kDateTextSize = 12;
inline constexpr std::size_t kMaxDateChars = kDateTextSize - 1;
using DateText = char[kDateTextSize];

// A format code text: one character and a terminator.
using CodeText = char[2];

// Number of format codes: 40 input/output codes and 8 day-first output codes.
inline constexpr int kFormatCount = 48;

// How a field is written: two digits, one digit (the code is substituted when
// the value needs two), or the three-letter month abbreviation.
enum class Width : std::uint8_t { Two = 2, One = 1, Abbrev = 3 };

struct FormatLayout {
    char code;
    std::uint8_t length;  // characters of the output text
    // The text with its literal separators in place and a terminator at
    // `length`; the field positions are filled in when a date is written.
    char text[kDateTextSize];
    std::int8_t monthPos, dayPos, yearPos;
    std::int8_t centuryPos;  // -1 when the layout has no century
    Width monthWidth, dayWidth;
    char codeWhenDayWide;    // code used instead when the day is 10 or more, 0 if none
    char codeWhenMonthWide;  // code used instead when the month is 10 or more, 0 if none
    // Catalogue position (0-47) of the layout a date is finally written in,
    // the substitutions above followed to their end, indexed by
    // WideFields(month, day).
    std::uint8_t writtenAs[4];
    // Bit i set when position i holds a digit of a numeric field (every
    // field but the month abbreviation).
    std::uint16_t digitPositions;
};

// Which of a date's fields need two digits: bit 1 the month, bit 0 the day.
constexpr int WideFields(int month, int day) {
    return (month >= 10 ? 2 : 0) | (day >= 10 ? 1 : 0);
}

namespace layouts_detail {

struct FormatSource {
    char code;
    const char* pattern;
    char codeWhenDayWide;
    char codeWhenMonthWide;
};

// The catalogue in index order. Code 6 carries its two trailing blanks in the
// pattern, so every pattern is exactly as long as the text it produces.
inline constexpr FormatSource kSources[kFormatCount] = {
    {'1', "MMDDYY", 0, 0},       {'2', "YYMMDD", 0, 0},       {'3', "MM/DD/YY", 0, 0},
    {'4', "YY/MM/DD", 0, 0},     {'5', "YY.MM.DD", 0, 0},     {'6', "DD-mmm-YY  ", 0, 0},
    {'7', "DD-mmm-CCYY", 0, 0},  {'8', "DDmmmYY", 0, 0},      {'9', "DDmmmCCYY", 0, 0},
    {'A', "MM-DD-CCYY", 0, 0},   {'B', "MM/DD/CCYY", 0, 0},   {'C', "MM-DD-YY", 0, 0},
    {'D', "MMDDCCYY", 0, 0},     {'E', "CCYYMMDD", 0, 0},     {'F', "CCYY-mmm-DD", 0, 0},
    {'G', "CCYY-MM-DD", 0, 0},   {'H', "DD/mmm/CCYY", 0, 0},  {'I', "DD/mmm/YY", 0, 0},
    {'J', "CCYY/mmm/DD", 0, 0},  {'K', "mmm/DD/CCYY", 0, 0},  {'L', "mmm/DD/YY", 0, 0},
    {'M', "mmm-DD-CCYY", 0, 0},  {'N', "mmm-DD-YY", 0, 0},    {'O', "CCYY/MM/DD", 0, 0},
    {'P', "CCYY/DD/MM", 0, 0},   {'Q', "CCYY-DD-MM", 0, 0},   {'R', "CCYY/DD/mmm", 0, 0},
    {'S', "CCYY-DD-mmm", 0, 0},  {'T', "CCYYmmmDD", 0, 0},    {'U', "MM-D-CCYY", 'A', 0},
    {'V', "MM/D/CCYY", 'B', 0},  {'W', "M-DD-CCYY", 0, 'A'},  {'X', "M/DD/CCYY", 0, 'B'},
    {'Y', "D-mmm-CCYY", '7', 0}, {'Z', "D/mmm/CCYY", 'H', 0}, {'*', "mmm-D-CCYY", 'M', 0},
    {'#', "mmm/D/CCYY", 'K', 0}, {'@', "M-D-CCYY", 'W', 'U'}, {'&', "M/D/CCYY", 'X', 'V'},
    {'$', "DmmmCCYY", '9', 0},   {'[', "DD/MM/CCYY", 0, 0},   {']', "DD/M/CCYY", 0, '['},
    {'{', "D/M/CCYY", ']', '}'}, {'}', "D/MM/CCYY", '[', 0},  {'<', "DD-MM-CCYY", 0, 0},
    {'>', "DD-M-CCYY", 0, '<'},  {'+', "D-M-CCYY", '>', '='}, {'=', "D-MM-CCYY", '<', 0},
};

constexpr bool StartsWith(const char* s, const char* prefix) {
    for (; *prefix; ++s, ++prefix)
        if (*s != *prefix) return false;
    return true;
}

// Reads a pattern ("MM/DD/CCYY", "DmmmCCYY", ...) into a layout: literal
// characters stay in the text, fields record their position and width.
constexpr FormatLayout Compile(const FormatSource& src) {
    FormatLayout layout{};
    layout.code = src.code;
    layout.codeWhenDayWide = src.codeWhenDayWide;
    layout.codeWhenMonthWide = src.codeWhenMonthWide;
    layout.centuryPos = -1;
    int pos = 0;
    for (const char* p = src.pattern; *p; ++pos) {
        const auto here = static_cast<std::int8_t>(pos);
        if (StartsWith(p, "mmm")) {
            layout.monthPos = here;
            layout.monthWidth = Width::Abbrev;
        } else if (StartsWith(p, "MM")) {
            layout.monthPos = here;
            layout.monthWidth = Width::Two;
        } else if (StartsWith(p, "DD")) {
            layout.dayPos = here;
            layout.dayWidth = Width::Two;
        } else if (StartsWith(p, "YY")) {
            layout.yearPos = here;
        } else if (StartsWith(p, "CC")) {
            layout.centuryPos = here;
        } else if (*p == 'M') {
            layout.monthPos = here;
            layout.monthWidth = Width::One;
        } else if (*p == 'D') {
            layout.dayPos = here;
            layout.dayWidth = Width::One;
        } else {
            layout.text[pos] = *p;
            ++p;
            continue;
        }
        const int width = (StartsWith(p, "mmm") ? 3 : (p[0] == p[1] ? 2 : 1));
        for (int i = 0; i < width; ++i) layout.text[pos + i] = p[i];
        if (*p != 'm')
            for (int i = 0; i < width; ++i) layout.digitPositions |= std::uint16_t(1u << (pos + i));
        p += width;
        pos += width - 1;
    }
    layout.length = static_cast<std::uint8_t>(pos);
    return layout;
}

constexpr int PositionOf(char code) {
    for (int i = 0; i < kFormatCount; ++i)
        if (kSources[i].code == code) return i;
    return -1;
}

// Follows the substitutions of a code for a month and a day that are, or are
// not, 10 or more: the month's first, as long as one applies.
constexpr int FinalPosition(int position, bool monthWide, bool dayWide) {
    for (;;) {
        const FormatSource& src = kSources[position];
        if (monthWide && src.codeWhenMonthWide != 0) {
            position = PositionOf(src.codeWhenMonthWide);
        } else if (dayWide && src.codeWhenDayWide != 0) {
            position = PositionOf(src.codeWhenDayWide);
        } else {
            return position;
        }
    }
}

constexpr std::array<FormatLayout, kFormatCount> CompileAll() {
    std::array<FormatLayout, kFormatCount> all{};
    for (int i = 0; i < kFormatCount; ++i) {
        all[i] = Compile(kSources[i]);
        for (int wide = 0; wide < 4; ++wide)
            all[i].writtenAs[wide] =
                static_cast<std::uint8_t>(FinalPosition(i, (wide & 2) != 0, (wide & 1) != 0));
    }
    return all;
}

}  // namespace layouts_detail

// The compiled catalogue, in index order (position 0 is code 1).
inline constexpr std::array<FormatLayout, kFormatCount> kLayouts = layouts_detail::CompileAll();

// Catalogue position (0-47) of a format code, -1 when it is none; for use at
// compile time (FormatIndex is the run-time lookup).
constexpr int PositionOf(char code) {
    return layouts_detail::PositionOf(code);
}

static_assert(kLayouts[5].length == 11, "code 6 is written with two trailing blanks");
static_assert(kLayouts[kLayouts[37].writtenAs[WideFields(11, 25)]].code == 'A',
              "M-D-CCYY with two wide fields goes through MM-D-CCYY to MM-DD-CCYY");
static_assert(kLayouts[39].code == '$' && kLayouts[39].length == 8);
static_assert(kLayouts[39].digitPositions == 0b11110001, "DmmmCCYY: digits at 0 and 4-7");
static_assert(kLayouts[47].code == '=' && kLayouts[47].length == 9);

// Catalogue index (1-48) of a format code, upper case expected; 0 when the
// character is not a code.
int FormatIndex(char code);

// Layout of an upper-case format code, nullptr when it is not a code.
const FormatLayout* LayoutFor(char code);

// Layout of a format code given in either case (a lower-case letter is its
// upper-case code), nullptr when it is not a code. One table read.
const FormatLayout* LayoutForEitherCase(char code);

// The layout a date with this month and day is written in when `layout` is
// asked for: a one-digit field that cannot show its value moves the date to
// the wider code, as often as needed.
const FormatLayout& WrittenLayout(const FormatLayout& layout, int month, int day);

// True when the first character of the text, upper-cased, is one of the 48
// format codes. A null or empty text is not a code.
bool IsFormatCode(const char* text);

}  // namespace kalcore
