// The date format catalogue: format codes, their layouts, the month and day
// tables, and the century a two-digit year receives.
//
// Every format is described once, by its pattern ("MM/DD/CCYY", "DmmmCCYY",
// ...). The pattern is compiled at build time into a list of steps that the
// writer walks to render a date and that the reader uses to find the fields of
// a basic input format, so the two directions cannot disagree.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

// Marks a function that only failures and rare inputs reach, so that the
// compiler keeps it out of the common path.
#if defined(_MSC_VER)
#define KALCORE_RARE_PATH __declspec(noinline)
#else
#define KALCORE_RARE_PATH [[gnu::noinline, gnu::cold]]
#endif

// Marks a small step of the common path that stays inlined into its callers
// whatever the optimiser's size budget decides for the whole library: as a
// call it costs more than its own work.
#if defined(_MSC_VER)
#define KALCORE_HOT_STEP __forceinline
#else
#define KALCORE_HOT_STEP [[gnu::always_inline]] inline
#endif

namespace kalcore {

// A date text: at most 11 characters and a terminator.
inline constexpr std::size_t kDateTextSize = 12;
inline constexpr std::size_t kMaxDateChars = kDateTextSize - 1;
using DateText = char[kDateTextSize];

// A format code text: one character and a terminator.
using CodeText = char[2];

// A two-digit century text and its terminator ("19", "20").
using CenturyText = char[3];

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

// Upper-cases an ASCII letter; every other byte is returned unchanged.
constexpr char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
constexpr char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
constexpr bool IsDigitAscii(char c) {
    return c >= '0' && c <= '9';
}

// "00" to "99" as character pairs, so a two-digit field is one table read.
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes a value of 0-99 as two digit characters.
inline void PutDigitPair(char* out, int value) {
    std::memcpy(out, kDigitPairs + 2 * value, 2);
}

// Writes 0-99 as two digit characters; larger values keep their last two.
constexpr void PutTwoDigits(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
}

// The value of two digit characters.
constexpr int TwoDigitValue(char tens, char ones) {
    return (tens - '0') * 10 + (ones - '0');
}

// Writes MM?DD?CCYY with the separator given ('/' code B, '-' code A) and
// zeroes the rest of the text.
void WriteMonthFirstDate(DateText& out, int month, int day, int century, int year, char separator);

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

// Month number 1-12 of a three-letter abbreviation compared without regard to
// case, 0 when the three characters are no abbreviation.
int MonthFromAbbrev(const char* three);

namespace abbrev_detail {

// The month abbreviations packed as lower-case three-letter keys, placed in a
// 32-slot table by a multiplicative hash that gives each its own slot.
constexpr std::uint32_t Key(char a, char b, char c) {
    return std::uint32_t(static_cast<unsigned char>(a)) << 16 |
           std::uint32_t(static_cast<unsigned char>(b)) << 8 | static_cast<unsigned char>(c);
}

constexpr unsigned Slot(std::uint32_t key) {
    return (key * 331520u) >> 27;
}

inline constexpr const char* kLowerAbbrevs[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                  "jul", "aug", "sep", "oct", "nov", "dec"};

struct AbbrevSlot {
    std::uint32_t key;
    int month;
};

constexpr std::array<AbbrevSlot, 32> BuildAbbrevSlots() {
    std::array<AbbrevSlot, 32> slots{};
    for (int m = 0; m < 12; ++m) {
        const char* a = kLowerAbbrevs[m];
        const std::uint32_t key = Key(a[0], a[1], a[2]);
        slots[Slot(key)] = {key, m + 1};
    }
    return slots;
}

inline constexpr std::array<AbbrevSlot, 32> kAbbrevSlots = BuildAbbrevSlots();

constexpr bool AllDistinctSlots() {
    for (int i = 0; i < 12; ++i)
        for (int j = i + 1; j < 12; ++j) {
            const char* a = kLowerAbbrevs[i];
            const char* b = kLowerAbbrevs[j];
            if (Slot(Key(a[0], a[1], a[2])) == Slot(Key(b[0], b[1], b[2]))) return false;
        }
    return true;
}
static_assert(AllDistinctSlots(), "each month abbreviation needs a slot of its own");

}  // namespace abbrev_detail

// MonthFromAbbrev for three characters already known to be ASCII letters, so
// that setting bit 5 makes each lower case.
inline int MonthFromLetters(const char* three) {
    using namespace abbrev_detail;
    const std::uint32_t key =
        Key(static_cast<char>(three[0] | 0x20), static_cast<char>(three[1] | 0x20),
            static_cast<char>(three[2] | 0x20));
    const AbbrevSlot& slot = kAbbrevSlots[Slot(key)];
    return slot.key == key ? slot.month : 0;
}

// Writes the current century, from the local clock, as two characters.
void CurrentCentury(CenturyText& out);

// Century text of a selector: 1-9 name the centuries 16-24, 0 the current
// century from the clock. Returns false and leaves the text unchanged for any
// other selector.
bool CenturyFromSelector(int selector, CenturyText& out);

// Fixed century of selectors 1-9 as a number (16-24), 0 for any other value.
int FixedCenturyOfSelector(int selector);

// True for a Gregorian leap year.
constexpr bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

extern const char* const kMonthAbbrevs[13];   // [1] "Jan" ... [12] "Dec"
extern const int kDaysInMonth[2][13];         // [leap][month], [x][0] == 0
extern const char kMonthDayLimitText[13][3];  // day limits as texts, February "29"

}  // namespace kalcore
