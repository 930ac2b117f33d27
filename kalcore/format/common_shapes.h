// The shapes dates are commonly written in, read straight from a table.
//
// The classes of a text's first 16 characters (digit, '-', '.', '/', another
// character, or one that trimming removes) form one 64-bit key; a perfect
// hash of the key finds the layout of that shape, whose field positions give
// the date with no layout tried after another and no branch on the layout;
// the month, the day and the year are checked against tables. The table
// holds, for each shape, the layout the reader's full order of recognisers
// and basic detection reaches first, so that a date read here is the date
// the full reader gives. What the table does not settle (another shape, a
// shape whose fields make no valid date, a century selector) goes to the
// full reader.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "civil/civil_date.h"
#include "format/date_reader.h"
#include "format/names.h"
#include "format/text_scan.h"
#include "platform/compiler.h"

namespace kalcore {

// The first 16 characters of a text, zero-filled when it has fewer.
using ShapeText = unsigned char[16];

// The century of a two-digit year under a window or a fixed century:
// `century` for the years from `firstYear` on, the next one below it.
struct TwoDigitCenturies {
    int century;
    int firstYear;
};

// The centuries of a window or a century rule. False for a century
// selector, whose dates the table does not read (it may replace a written
// century and reads the clock), and for a rule outside the years 1000-9999.
constexpr bool CenturiesOfRule(const YearRule& rule, TwoDigitCenturies& centuries) {
    switch (rule.kind) {
        case YearRule::Kind::kWindow:
            if (rule.value < 1000 || rule.value > 9900) return false;
            centuries = {rule.value / 100, rule.value % 100};
            return true;
        case YearRule::Kind::kCentury:
            if (rule.value < 10 || rule.value > 99) return false;
            centuries = {rule.value, 0};
            return true;
        default:
            return false;
    }
}

namespace shape_detail {

// The class of each of the 16 characters of a text in its shape key, a byte
// per position: 0 for a character that trimming removes (and for the zeros
// past the text), 6 for any character of no other class. Letters are of no
// class of their own: where a layout has its month abbreviation, the month
// is looked up from the three characters, and only three letters of an
// abbreviation give a month.
enum ShapeClass : std::uint8_t { kTrimmed, kDigit, kDash = 3, kDot, kSlash, kOther };
static_assert(kDot - kDash == '.' - '-' && kSlash - kDash == '/' - '-');

// A shape key: the classes of positions 0-7 in the bytes of the key, and
// those of positions 8-15 in the same bytes three bits up (a class needs
// three bits). A layout's key has classes of 1 or above at its positions and
// 0 after them: a text has it when it is the layout, with nothing trimmed
// before it and only characters that trimming removes after it.
constexpr std::uint64_t InShapeKey(int position, ShapeClass c) {
    return position < 8 ? std::uint64_t{c} << (8 * position)
                        : std::uint64_t{c} << (8 * (position - 8) + 3);
}

// Where the value of a field is found among a text's field values (see
// FieldValues): a two-digit field starting at position p at p, a one-digit
// field at position p at 16 + p, the month of an abbreviation and the
// century of a two-digit year after them.
inline constexpr std::uint8_t kOneDigitValues = 16;
inline constexpr std::uint8_t kAbbrevMonthValue = 32, kRuledCenturyValue = 33;

// A layout of the table: its shape key and where its fields' values are.
struct ShapeFields {
    std::uint64_t key;
    std::uint8_t month, day, year, century;  // as kOneDigitValues tells
    std::uint8_t monthLetters;               // position of the month abbreviation
    bool twoDigitYear;
    bool centuryGiven;  // as DateReading::centuryGiven
    char layout;        // as DateReading::layout
    char code;          // as DateReading::code
    // The entry read instead when the first two digits exceed 12 (the text
    // then starts with a year); 0 when there is none.
    std::uint8_t yearFirstEntry;
    // The entry the full order reads next when this one makes no date; 0
    // when it reads none.
    std::uint8_t secondEntry;
    // Where those readings are in the hash's slots (the year-first one: this
    // entry's own slot when there is none), and the slot of this reading:
    // the same for both slots of a shape that reads alike in them (see
    // kYearFirstBit). Set when the slots are built.
    std::uint16_t yearFirstSlot, secondSlot, slot;
};

// Compiles a pattern: "MM" and "M" a two- or one-digit month, "mmm" its
// abbreviation, "DD" and "D" the day, "CC" the century, "YY" the year, and
// '-', '/', '.' themselves.
consteval ShapeFields Compile(const char* pattern, char layout, char code, int yearFirstEntry = 0,
                              int secondEntry = 0) {
    ShapeFields f{};
    f.layout = layout;
    f.code = code;
    f.yearFirstEntry = static_cast<std::uint8_t>(yearFirstEntry);
    f.secondEntry = static_cast<std::uint8_t>(secondEntry);
    f.twoDigitYear = true;
    std::uint64_t key = 0;
    int i = 0;
    for (; pattern[i] != '\0'; ++i) {
        const char c = pattern[i];
        const bool first = i == 0 || pattern[i - 1] != c;
        const bool pair = first && pattern[i + 1] == c;
        const auto at = static_cast<std::uint8_t>(pair ? i : kOneDigitValues + i);
        switch (c) {
            case 'M':
            case 'D':
            case 'C':
            case 'Y':
                if (first)
                    (c == 'M' ? f.month : c == 'D' ? f.day : c == 'C' ? f.century : f.year) = at;
                if (c == 'C') f.twoDigitYear = false;
                key |= InShapeKey(i, kDigit);
                break;
            case 'm':
                if (first) {
                    f.month = kAbbrevMonthValue;
                    f.monthLetters = static_cast<std::uint8_t>(i);
                }
                key |= InShapeKey(i, kOther);
                break;
            case '-':
                key |= InShapeKey(i, kDash);
                break;
            case '/':
                key |= InShapeKey(i, kSlash);
                break;
            case '.':
                key |= InShapeKey(i, kDot);
                break;
            default:
                throw "a pattern character the table does not know";
        }
    }
    f.key = key;
    if (f.twoDigitYear) f.century = kRuledCenturyValue;
    // A basic form gives its century only when it writes one; a recognised
    // form completes a two-digit year itself and counts as giving it.
    f.centuryGiven = code != layout || !f.twoDigitYear;
    return f;
}

// The entry of no shape: its key, all ones, is no text's key (no class is
// 7), while 0 is the key of a text of nothing but characters to trim.
consteval ShapeFields NoShape() {
    ShapeFields f{};
    f.key = ~std::uint64_t{0};
    return f;
}

// The basic codes a recognised form is read as: month first or day first.
inline constexpr char kMonthFirst = 'B', kDayFirst = '7';

// The table. Each shape is listed with the layout the full order reaches
// first for it; the two shapes whose reading turns on whether the text starts
// with a month or a year name their year-first layout, kept after the others.
// Shapes the full order settles another way (month-first dates with '.', for
// instance) are left out and go to the full reader. Entry 0 stands for no
// shape.
inline constexpr int kHashedEntries = 46;
inline constexpr int kYearFirstSlash = kHashedEntries + 1, kYearFirstDigits = kHashedEntries + 2;
inline constexpr int kDigitsMonthFirst = kHashedEntries + 3, kDashesDayFirst = kHashedEntries + 4,
                     kSlashesDayFirst = kHashedEntries + 5;
inline constexpr ShapeFields kEntries[] = {
    NoShape(),
    // Month first, two-digit fields (basic detection).
    Compile("MM/DD/CCYY", 'B', 'B'),
    Compile("MM-DD-CCYY", 'A', 'A'),
    Compile("MM/DD/YY", '3', '3', kYearFirstSlash),
    Compile("MM-DD-YY", 'C', 'C'),
    Compile("YY.MM.DD", '5', '5'),
    Compile("MMDDYY", '1', '1', kYearFirstDigits),
    // Year first.
    Compile("CCYYMMDD", 'E', kMonthFirst, 0, kDigitsMonthFirst),
    Compile("CCYY-MM-DD", 'G', kMonthFirst, 0, kDashesDayFirst),
    Compile("CCYY/MM/DD", 'O', kMonthFirst, 0, kSlashesDayFirst),
    Compile("CCYY-mmm-DD", 'F', kDayFirst),
    Compile("CCYY/mmm/DD", 'J', kDayFirst),
    Compile("CCYY-DD-mmm", 'S', kMonthFirst),
    Compile("CCYY/DD/mmm", 'R', kMonthFirst),
    Compile("CCYYmmmDD", 'T', kMonthFirst),
    // Day first with the month abbreviation.
    Compile("DDmmmCCYY", '9', '9'),
    Compile("DDmmmYY", '8', '8'),
    Compile("DD-mmm-CCYY", '7', '7'),
    Compile("DD-mmm-YY", '6', '6'),
    Compile("DD/mmm/CCYY", 'H', kDayFirst),
    Compile("DD/mmm/YY", 'I', kDayFirst),
    Compile("D-mmm-CCYY", 'Y', kDayFirst),
    Compile("D/mmm/CCYY", 'Z', kDayFirst),
    Compile("D-mmm-YY", kFormDMmmYYDash, kDayFirst),
    Compile("D/mmm/YY", kFormDMmmYYSlash, kDayFirst),
    Compile("DmmmCCYY", '$', kDayFirst),
    Compile("DmmmYY", kFormDMmmYY, kDayFirst),
    // The month abbreviation first.
    Compile("mmm/DD/CCYY", 'K', kMonthFirst),
    Compile("mmm/DD/YY", 'L', kMonthFirst),
    Compile("mmm-DD-CCYY", 'M', kMonthFirst),
    Compile("mmm-DD-YY", 'N', kMonthFirst),
    Compile("mmm-D-CCYY", '*', kMonthFirst),
    Compile("mmm/D/CCYY", '#', kMonthFirst),
    Compile("mmm-D-YY", kFormMmmDYYDash, kMonthFirst),
    Compile("mmm/D/YY", kFormMmmDYYSlash, kMonthFirst),
    // Month first with a one-digit month or day.
    Compile("M-D-CCYY", '@', kMonthFirst),
    Compile("M/D/CCYY", '&', kMonthFirst),
    Compile("M-D-YY", kFormMDYYDash, kMonthFirst),
    Compile("M/D/YY", kFormMDYYSlash, kMonthFirst),
    Compile("M-DD-CCYY", 'W', kMonthFirst),
    Compile("M/DD/CCYY", 'X', kMonthFirst),
    Compile("M-DD-YY", kFormMDDYYDash, kMonthFirst),
    Compile("M/DD/YY", kFormMDDYYSlash, kMonthFirst),
    Compile("MM-D-CCYY", 'U', kMonthFirst),
    Compile("MM/D/CCYY", 'V', kMonthFirst),
    Compile("MM-D-YY", kFormMMDYYDash, kMonthFirst),
    Compile("MM/D/YY", kFormMMDYYSlash, kMonthFirst),
    // Year-first readings, reached only through yearFirstEntry.
    Compile("YY/MM/DD", '4', '4'),
    Compile("YYMMDD", '2', '2'),
    // Second readings, reached only through secondEntry: eight digits that
    // make no date year first are read month first (basic detection), and a
    // year first with its month second, with its day second (family 7).
    Compile("MMDDCCYY", 'D', 'D'),
    Compile("CCYY-DD-MM", 'Q', kMonthFirst),
    Compile("CCYY/DD/MM", 'P', kMonthFirst),
};
static_assert(std::size(kEntries) == kSlashesDayFirst + 1);

// The hash's slots hold the entries themselves, so that finding a shape's
// layout is one load; free slots hold the entry of no shape.
inline constexpr int kSlotBits = 9;

// A text's key is hashed with this bit set when its first two characters
// make more than 12 as digits (a text that starts with a year, where its
// shape has a year-first reading), so that the hash finds the reading itself
// and no choice waits on the entry. Each hashed shape is held under both its
// keys, the same entry under both unless the shape has a year-first reading.
inline constexpr std::uint64_t kYearFirstBit = std::uint64_t{1} << 63;
static_assert((InShapeKey(7, kOther) | InShapeKey(15, kOther)) < kYearFirstBit / 2,
              "the bit lies above every class of a key");

constexpr std::uint64_t HashedKey(int entry, bool yearFirst) {
    return kEntries[entry].key | (yearFirst ? kYearFirstBit : 0);
}

constexpr unsigned SlotOf(std::uint64_t key, std::uint64_t multiplier) {
    return static_cast<unsigned>((key * multiplier) >> (64 - kSlotBits));
}

// The first multiplier of a fixed sequence of odd numbers that gives every
// hashed shape a slot of its own.
consteval std::uint64_t FindMultiplier() {
    std::uint64_t state = 0x9e3779b97f4a7c15u;
    for (int attempt = 0; attempt < 10000; ++attempt) {
        state += 0x9e3779b97f4a7c15u;
        std::uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        const std::uint64_t multiplier = (z ^ (z >> 31)) | 1;
        bool used[1 << kSlotBits] = {};
        bool distinct = true;
        for (int k = 0; k < 2 * kHashedEntries && distinct; ++k) {
            const unsigned slot = SlotOf(HashedKey(1 + k / 2, k % 2 == 1), multiplier);
            distinct = !used[slot];
            used[slot] = true;
        }
        if (distinct) return multiplier;
    }
    throw "no multiplier gives every shape a slot of its own";
}
inline constexpr std::uint64_t kMultiplier = FindMultiplier();

// The hashed entries at the slots of both their keys, the year-first
// reading under the key with kYearFirstBit; then each second reading at a
// free slot, which both slots of the entry it belongs to name.
constexpr std::array<ShapeFields, 1 << kSlotBits> BuildSlots() {
    std::array<ShapeFields, 1 << kSlotBits> slots{};
    for (unsigned s = 0; s < slots.size(); ++s) {
        slots[s] = NoShape();
        slots[s].slot = static_cast<std::uint16_t>(s);
    }
    for (int e = 1; e <= kHashedEntries; ++e) {
        const auto own = static_cast<std::uint16_t>(SlotOf(HashedKey(e, false), kMultiplier));
        const auto yearFirst = static_cast<std::uint16_t>(SlotOf(HashedKey(e, true), kMultiplier));
        const bool hasYearFirst = kEntries[e].yearFirstEntry != 0;
        slots[own] = kEntries[e];
        slots[yearFirst] = hasYearFirst ? kEntries[kEntries[e].yearFirstEntry] : kEntries[e];
        slots[yearFirst].key = HashedKey(e, true);
        slots[own].slot = own;
        slots[yearFirst].slot = hasYearFirst ? yearFirst : own;
        slots[own].yearFirstSlot = hasYearFirst ? yearFirst : own;
    }
    unsigned free = 0;
    for (int e = 1; e <= kHashedEntries; ++e) {
        if (kEntries[e].secondEntry == 0) continue;
        while (slots[free].key != NoShape().key) ++free;
        slots[free] = kEntries[kEntries[e].secondEntry];
        slots[free].slot = static_cast<std::uint16_t>(free);
        for (const bool yearFirst : {false, true})
            slots[SlotOf(HashedKey(e, yearFirst), kMultiplier)].secondSlot =
                static_cast<std::uint16_t>(free);
    }
    return slots;
}
inline constexpr std::array<ShapeFields, 1 << kSlotBits> kSlots = BuildSlots();

// Every hashed entry is found at the slots of both its keys, its year-first
// reading, if it has one, under the second, and reaches its second reading,
// if it has one, through both.
constexpr bool EveryEntryInItsSlot() {
    for (int e = 1; e <= kHashedEntries; ++e) {
        const ShapeFields& own = kSlots[SlotOf(HashedKey(e, false), kMultiplier)];
        const ShapeFields& other = kSlots[SlotOf(HashedKey(e, true), kMultiplier)];
        const ShapeFields& yearFirst =
            kEntries[kEntries[e].yearFirstEntry != 0 ? kEntries[e].yearFirstEntry : e];
        if (own.key != HashedKey(e, false) || own.layout != kEntries[e].layout ||
            other.key != HashedKey(e, true) || other.layout != yearFirst.layout ||
            kSlots[own.yearFirstSlot].layout != yearFirst.layout)
            return false;
        for (const ShapeFields* slot : {&own, &other})
            if (kEntries[e].secondEntry != 0 &&
                kSlots[slot->secondSlot].layout != kEntries[kEntries[e].secondEntry].layout)
                return false;
    }
    return true;
}
static_assert(EveryEntryInItsSlot());

// For each year 0-9999, at its number: the days from 1970-01-01 to its
// 1 January, times four, plus two when no date text holds the year (it lies
// before 1000), plus one when it is leap. A column's years mostly lie close
// together, so that few of the table's cache lines are used.
inline constexpr std::array<std::int32_t, 10000> kYearStarts = [] {
    std::array<std::int32_t, 10000> years{};
    for (int y = 0; y < 10000; ++y)
        years[y] = static_cast<std::int32_t>(4 * DaysFromEpoch(CivilDate{y, 1, 1}) +
                                             (IsReadableYear(y) ? 0 : 2) + (IsLeapYear(y) ? 1 : 0));
    return years;
}();

// For each month value 0-127, four 16-bit values, one for each value of the
// low two bits of a year's kYearStarts entry: in a common year, in a leap
// year, then (2 and 3) in a year no date text holds. Each is the days of the
// year before the month, times 32, plus the days of the month; 0 for the
// values that are no month and for the years no text holds, so that no day
// lies within them. The month's entry is looked up while the year's is, and
// the year's bits then shift out the value that applies.
inline constexpr std::array<std::uint64_t, 128> kMonthStarts = [] {
    std::array<std::uint64_t, 128> months{};
    for (int leap = 0; leap < 2; ++leap) {
        const int year = leap == 1 ? 2000 : 1999;
        for (int m = 1; m <= 12; ++m)
            months[m] |= std::uint64_t{static_cast<std::uint16_t>(
                             32 * (DaysFromEpoch(CivilDate{year, m, 1}) -
                                   DaysFromEpoch(CivilDate{year, 1, 1})) +
                             DaysInMonth(year, m))}
                         << (16 * leap);
    }
    return months;
}();

// The shape key of the 16 characters of a text, byte by byte on any machine.
constexpr std::uint64_t ShapeKeyPortable(const ShapeText& text) {
    std::uint64_t key = 0;
    for (int i = 0; i < 16; ++i) {
        const unsigned char c = text[i];
        const ShapeClass is = static_cast<signed char>(c) <= 32 ? kTrimmed
                              : (c >= '0' && c <= '9')          ? kDigit
                              : c == '-'                        ? kDash
                              : c == '.'                        ? kDot
                              : c == '/'                        ? kSlash
                                                                : kOther;
        key |= InShapeKey(i, is);
    }
    return key;
}

#if KALCORE_SCAN_SSE2
// The two halves of a vector, the first byte lowest in `low`.
KALCORE_HOT_STEP void SplitVector(__m128i v, std::uint64_t& low, std::uint64_t& high) {
#if defined(__x86_64__) || defined(_M_X64)
    low = static_cast<std::uint64_t>(_mm_cvtsi128_si64(v));
    high = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(v, v)));
#else
    // A 32-bit target has no 64-bit move from a vector.
    std::uint64_t words[2];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(words), v);
    low = words[0];
    high = words[1];
#endif
}

// The same key with all positions classed at once.
KALCORE_HOT_STEP std::uint64_t ShapeKey(const ShapeText& text) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const auto bytes = [](int c) { return _mm_set1_epi8(static_cast<char>(c)); };
    // Every character that trimming keeps (signed value above 32) starts as
    // kOther and is brought down to its class; the classes exclude each other.
    __m128i classes = _mm_and_si128(_mm_cmpgt_epi8(x, bytes(32)), bytes(kOther));
    // Digits: 0-9 above '0'.
    const __m128i digit = _mm_sub_epi8(x, bytes('0'));
    const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(digit, bytes(9)), digit);
    classes = _mm_sub_epi8(classes, _mm_and_si128(isDigit, bytes(kOther - kDigit)));
    // '-', '.' and '/': 0-2 above '-', their classes in the same order.
    const __m128i separator = _mm_sub_epi8(x, bytes('-'));
    const __m128i isSeparator = _mm_cmpeq_epi8(_mm_min_epu8(separator, bytes(2)), separator);
    classes = _mm_sub_epi8(
        classes, _mm_and_si128(isSeparator, _mm_sub_epi8(bytes(kOther - kDash), separator)));
    std::uint64_t low, high;
    SplitVector(classes, low, high);
    return low | high << 3;
}
#else
inline std::uint64_t ShapeKey(const ShapeText& text) {
    return ShapeKeyPortable(text);
}
#endif

// The values of a text's fields, taken at every position at once: at p the
// value of the two characters at p and p + 1 as digits, at 16 + p that of
// the character at p (meaningful where the characters are digits); then the
// month of an abbreviation and the century of a two-digit year.
using FieldValues = unsigned char[kRuledCenturyValue + 1];

// The byte-by-byte values, on any machine.
constexpr void TakeFieldValuesPortable(const ShapeText& text, FieldValues& values) {
    for (int i = 0; i < 16; ++i)
        values[kOneDigitValues + i] = static_cast<unsigned char>(text[i] - '0');
    for (int i = 0; i < 16; ++i)
        values[i] = static_cast<unsigned char>(10 * values[kOneDigitValues + i] +
                                               (i < 15 ? values[kOneDigitValues + i + 1] : 0));
}

#if KALCORE_SCAN_SSE2
// The same values with all positions taken at once.
KALCORE_HOT_STEP void TakeFieldValues(const ShapeText& text, FieldValues& values) {
    const __m128i digits =
        _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text)), _mm_set1_epi8('0'));
    const __m128i twice = _mm_add_epi8(digits, digits);
    const __m128i eightTimes = _mm_add_epi8(_mm_add_epi8(twice, twice), _mm_add_epi8(twice, twice));
    const __m128i pairs = _mm_add_epi8(_mm_add_epi8(eightTimes, twice), _mm_srli_si128(digits, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(values), pairs);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(values + kOneDigitValues), digits);
}
#else
inline void TakeFieldValues(const ShapeText& text, FieldValues& values) {
    TakeFieldValuesPortable(text, values);
}
#endif

}  // namespace shape_detail

// A date the table read: its days since 1970-01-01, its fields, and the
// layout it was read in.
struct CommonDate {
    std::int64_t days;
    unsigned century, year, month, day;
    const shape_detail::ShapeFields* shape;
};

namespace shape_detail {

// The days since 1970-01-01 of the date of the fields (each 0-127): false
// when the day does not lie within its month, which is one, in a year a date
// text holds (a written century starts with 1-9).
KALCORE_HOT_STEP bool DaysOfFields(unsigned century, unsigned year, unsigned month, unsigned day,
                                   std::int64_t& days) {
    const std::int32_t yearStart = kYearStarts[century * 100 + year];
    const auto monthStart =
        static_cast<std::uint16_t>(kMonthStarts[month & 127] >> (16 * (yearStart & 3)));
    if (day - 1 >= (monthStart & 31u)) return false;
    // The shift divides the start by four, rounding down also before 1970.
    days = std::int64_t{yearStart >> 2} + (monthStart >> 5) + day - 1;
    return true;
}

// The date of a text in the layout of entry `f`: false when its fields make
// no date there.
KALCORE_HOT_STEP bool ReadFields(const ShapeFields& f, const ShapeText& text,
                                 const TwoDigitCenturies& centuries, FieldValues& values,
                                 CommonDate& date) {
    // The month of an abbreviation and the century of a two-digit year join
    // the values, where the layouts that have them find them.
    static_assert(std::endian::native == std::endian::little);
    std::uint32_t letters;
    std::memcpy(&letters, text + f.monthLetters, sizeof letters);  // within the 16 bytes
    values[kAbbrevMonthValue] = static_cast<unsigned char>(MonthFromLetterWord(letters));
    const unsigned year = values[f.year];
    values[kRuledCenturyValue] = static_cast<unsigned char>(
        centuries.century + (year < static_cast<unsigned>(centuries.firstYear) ? 1 : 0));
    const unsigned month = values[f.month];
    const unsigned day = values[f.day];
    const unsigned century = values[f.century];
    if (!DaysOfFields(century, year, month, day, date.days)) return false;
    date.century = century;
    date.year = year;
    date.month = month;
    date.day = day;
    date.shape = &f;
    return true;
}

}  // namespace shape_detail

// Reads a text given as its first 16 characters (zero-filled when it has
// fewer) when it is one of the table's shapes, with nothing to trim before
// it and only characters that trimming removes after it, and makes a valid
// date in it, a two-digit year placed by `centuries`. False, with `date` not
// written, for every other text, which the full reader then reads; a text
// read here is read as the full reader reads it.
KALCORE_HOT_STEP bool ReadCommonDate(const ShapeText& text, const TwoDigitCenturies& centuries,
                                     CommonDate& date) {
    using namespace shape_detail;
    FieldValues values;
    TakeFieldValues(text, values);
    // A text that starts with a year of 13 or above is hashed to the
    // year-first reading of its shape (see kYearFirstBit).
    const std::uint64_t key = ShapeKey(text) | std::uint64_t{values[0] > 12} * kYearFirstBit;
    const ShapeFields& f = kSlots[SlotOf(key, kMultiplier)];
    if (f.key != key) return false;

    // When a shape's fields make no date in its first reading, the full
    // order may take a second one.
    return ReadFields(f, text, centuries, values, date) ||
           (f.secondEntry != 0 && ReadFields(kSlots[f.secondSlot], text, centuries, values, date));
}

// What the table read, as the full reader gives it.
KALCORE_HOT_STEP DateReading ReadingOf(const CommonDate& date) {
    DateReading reading;
    reading.date = CivilDate{static_cast<int>(date.century * 100 + date.year),
                             static_cast<int>(date.month), static_cast<int>(date.day)};
    reading.centuryGiven = date.shape->centuryGiven;
    reading.code = date.shape->code;
    reading.layout = date.shape->layout;
    reading.twoDigitYear = date.shape->twoDigitYear;
    return reading;
}

// Reading in one slot known when the library is compiled. A column's texts
// mostly share one layout; once the table has read a few of them in one
// reading, the next can be tried in that reading alone, with its field
// positions and checks fixed in the code. The text is taken as its first 16
// bytes in two words, the first byte lowest, and must have nothing but zeros
// past its characters: a text this reads, it reads as ReadCommonDate does;
// every other (trailing blanks among them) is left to the table.
namespace shape_detail {

// What a text needs besides its shape to be read in a slot's reading.
enum class Reached : std::uint8_t {
    kByShape,     // nothing more
    kMonthFirst,  // its first two digits make 12 or less: the shape has a year-first reading
    kYearFirst,   // its first two digits exceed 12: the year-first reading
    kAfterFirst,  // the shape's first reading makes no date: a second reading
};

struct SlotRole {
    Reached reached;
    unsigned first;  // for kAfterFirst, the slot of the first reading
};

constexpr SlotRole RoleOf(unsigned slot) {
    const ShapeFields& own = kSlots[slot];
    if (own.yearFirstEntry != 0) return {Reached::kMonthFirst, slot};
    for (const ShapeFields& f : kSlots) {
        if ((f.key | kYearFirstBit) != (own.key | kYearFirstBit) || f.slot == slot) continue;
        if (f.yearFirstEntry != 0 && f.yearFirstSlot == slot) return {Reached::kYearFirst, f.slot};
        if (f.secondEntry != 0 && f.secondSlot == slot) return {Reached::kAfterFirst, f.slot};
    }
    return {Reached::kByShape, slot};
}

// The class of position p in a shape key.
constexpr unsigned ClassAt(std::uint64_t key, int p) {
    return static_cast<unsigned>(p < 8 ? key >> (8 * p) : key >> (8 * (p - 8) + 3)) & 7;
}

// The number of characters of a shape.
constexpr std::size_t LengthOf(std::uint64_t key) {
    std::size_t length = 0;
    for (int p = 0; p < 16; ++p)
        if (ClassAt(key, p) != kTrimmed) length = static_cast<std::size_t>(p) + 1;
    return length;
}

// For each word of a shape's text (positions 0-7, then 8-15): what its
// bytes are compared with ('0' for a digit, a separator itself, 0 past the
// text), which bytes are compared (all but letters, which are checked by
// the month they give), and for those the most their difference may be (9
// for a digit, 0 for the others) as the amount that carries it into the top
// bit when it is more (0x76 and 0x7f), and that top bit.
struct ShapeBytes {
    std::uint64_t expected[2], compared[2], bias[2], top[2];
};

constexpr ShapeBytes BytesOf(std::uint64_t key) {
    ShapeBytes b{};
    for (int p = 0; p < 16; ++p) {
        const unsigned c = ClassAt(key, p);
        if (c == kOther) continue;
        const int shift = 8 * (p % 8);
        const unsigned value = c == kDigit   ? '0'
                               : c == kDash  ? '-'
                               : c == kDot   ? '.'
                               : c == kSlash ? '/'
                                             : 0;
        b.expected[p / 8] |= std::uint64_t{value} << shift;
        b.compared[p / 8] |= std::uint64_t{0xff} << shift;
        b.bias[p / 8] |= std::uint64_t{c == kDigit ? 0x76u : 0x7fu} << shift;
        b.top[p / 8] |= std::uint64_t{0x80} << shift;
    }
    return b;
}

// Compares a word of a text with its shape: not 0 when a compared byte
// differs from what it must be by more than it may. A byte XOR '0' is 0-9
// exactly for a digit, whose value it then is, and a separator XOR itself
// is 0; the difference is left in `values` (a digit's value, zero elsewhere
// when the word has the shape). A byte past its limit sets its top bit, or
// that of its sum with the bias, whatever carry reaches it from the bytes
// below; one within it passes no carry on.
KALCORE_HOT_STEP std::uint64_t Unshaped(std::uint64_t word, const ShapeBytes& b, int w,
                                        std::uint64_t& values) {
    values = (word ^ b.expected[w]) & b.compared[w];
    return ((values + b.bias[w]) | values) & b.top[w];
}

// The values of a text's digits at their positions, zero elsewhere, and at
// each position p the value of the two digits at p and p + 1 (within a
// word; at most 99, so that no byte carries into the next).
struct DigitWords {
    std::uint64_t digits[2], pairs[2];
};

KALCORE_HOT_STEP DigitWords DigitWordsOf(std::uint64_t low, std::uint64_t high) {
    return {{low, high}, {low * 10 + (low >> 8), high * 10 + (high >> 8)}};
}

KALCORE_HOT_STEP unsigned DigitAt(const DigitWords& d, int p) {
    return static_cast<unsigned>(d.digits[p / 8] >> (8 * (p % 8))) & 0xff;
}

// The value of a field found `At` (as ShapeFields tells) in a slot's text.
template <std::uint8_t At>
KALCORE_HOT_STEP unsigned FieldAt(const DigitWords& d, unsigned letterMonth,
                                  unsigned ruledCentury) {
    if constexpr (At == kAbbrevMonthValue)
        return letterMonth;
    else if constexpr (At == kRuledCenturyValue)
        return ruledCentury;
    else if constexpr (At >= kOneDigitValues)
        return DigitAt(d, At - kOneDigitValues);
    else if constexpr (At % 8 == 7)  // a pair across the two words
        return 10 * DigitAt(d, At) + DigitAt(d, At + 1);
    else
        return static_cast<unsigned>(d.pairs[At / 8] >> (8 * (At % 8))) & 0xff;
}

// The three bytes from position P (and the one after them, which the month
// lookup ignores).
template <int P>
KALCORE_HOT_STEP std::uint32_t LettersAt(std::uint64_t low, std::uint64_t high) {
    if constexpr (P >= 8)
        return static_cast<std::uint32_t>(high >> (8 * (P - 8)));
    else if constexpr (P <= 4)
        return static_cast<std::uint32_t>(low >> (8 * P));
    else
        return static_cast<std::uint32_t>(low >> (8 * P) | high << (64 - 8 * P));
}

// The days of a text of a slot's shape in that slot's reading: false when
// its fields make no date there.
template <unsigned Slot>
KALCORE_HOT_STEP bool SlotFieldsMakeDate(const DigitWords& d, std::uint64_t low, std::uint64_t high,
                                         const TwoDigitCenturies& centuries, std::int64_t& days) {
    constexpr ShapeFields f = kSlots[Slot];
    unsigned letterMonth = 0, ruledCentury = 0;
    if constexpr (f.month == kAbbrevMonthValue)
        letterMonth =
            static_cast<unsigned>(MonthFromLetterWord(LettersAt<f.monthLetters>(low, high)));
    const unsigned year = FieldAt<f.year>(d, 0, 0);
    if constexpr (f.twoDigitYear)
        ruledCentury = static_cast<unsigned>(centuries.century) +
                       (year < static_cast<unsigned>(centuries.firstYear) ? 1 : 0);
    return DaysOfFields(FieldAt<f.century>(d, 0, ruledCentury), year,
                        FieldAt<f.month>(d, letterMonth, 0), FieldAt<f.day>(d, 0, 0), days);
}

}  // namespace shape_detail

// The number of characters of the texts a slot reads.
template <unsigned Slot>
inline constexpr std::size_t kSlotLength = shape_detail::LengthOf(shape_detail::kSlots[Slot].key);

// Reads a text, given as its first 16 bytes in two words with zeros past its
// characters, in the reading of one slot of the table: false when it is not
// of that slot's shape, would take another reading, or makes no date there.
template <unsigned Slot>
KALCORE_HOT_STEP bool ReadInSlot(std::uint64_t low, std::uint64_t high,
                                 const TwoDigitCenturies& centuries, std::int64_t& days) {
    using namespace shape_detail;
    constexpr ShapeBytes b = BytesOf(kSlots[Slot].key);
    constexpr SlotRole role = RoleOf(Slot);
    std::uint64_t lowDigits, highDigits;
    if ((Unshaped(low, b, 0, lowDigits) | Unshaped(high, b, 1, highDigits)) != 0) return false;
    const DigitWords d = DigitWordsOf(lowDigits, highDigits);
    if constexpr (role.reached == Reached::kMonthFirst) {
        if (FieldAt<0>(d, 0, 0) > 12) return false;
    } else if constexpr (role.reached == Reached::kYearFirst) {
        if (FieldAt<0>(d, 0, 0) <= 12) return false;
    } else if constexpr (role.reached == Reached::kAfterFirst) {
        std::int64_t first;
        if (SlotFieldsMakeDate<role.first>(d, low, high, centuries, first)) return false;
    }
    return SlotFieldsMakeDate<Slot>(d, low, high, centuries, days);
}

}  // namespace kalcore
