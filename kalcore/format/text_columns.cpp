#include "format/text_columns.h"

#include <bit>
#include <cstring>
#include <type_traits>

#include "civil/civil_date.h"
#include "format/date_writer.h"
#include "platform/compiler.h"

namespace kalcore {

namespace {

// The first and the last day a date text can hold, as days since 1970-01-01.
constexpr std::int64_t kFirstTextDay = DaysFromEpoch(CivilDate{1000, 1, 1});
constexpr std::int64_t kLastTextDay = DaysFromEpoch(CivilDate{9999, 12, 31});

// Characters trimmed from both ends of a text: blanks, control characters
// and the values 128-255 (which the reader's own trimming treats alike).
constexpr bool IsTrimmed(std::uint32_t c) {
    return c <= 32 || (c >= 128 && c <= 255);
}

// The words below are put together for a machine that stores the lowest
// byte of a word first.
static_assert(std::endian::native == std::endian::little);

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

// Character access to a text of 1-byte characters.
struct Bytes {
    static std::uint32_t At(const unsigned char* text, std::size_t i) { return text[i]; }
};

// The reader's trimming of a byte: its value as a signed byte is 32 or less.
constexpr bool IsTrimmedByte(unsigned char c) {
    return static_cast<signed char>(c) <= 32;
}
static_assert(IsTrimmedByte(0) && IsTrimmedByte(' ') && IsTrimmedByte(0x80) &&
              IsTrimmedByte(0xff) && !IsTrimmedByte('!') && !IsTrimmedByte(0x7f));

// The position of the first zero byte of a 12-byte text held as two words
// (12 when there is none).
int FirstZero(std::uint64_t low, std::uint32_t high) {
    // The lowest flagged byte of each word is its first zero byte (a borrow
    // can flag bytes only above a zero byte).
    const std::uint64_t lowZeros = (low - 0x0101010101010101u) & ~low & 0x8080808080808080u;
    if (lowZeros != 0) return std::countr_zero(lowZeros) >> 3;
    const std::uint32_t highZeros = (high - 0x01010101u) & ~high & 0x80808080u;
    return highZeros != 0 ? 8 + (std::countr_zero(highZeros) >> 3) : 12;
}

// CopyTrimmed for 1-byte characters: the kept characters are read with a few
// loads whose offsets depend only on their number, and stored as two words.
KALCORE_HOT_STEP bool CopyTrimmedBytes(const unsigned char* text, std::size_t length,
                                       DateText& copy) {
    std::size_t begin = 0, end = length;
    while (begin < end && IsTrimmedByte(text[begin])) ++begin;
    while (end > begin && IsTrimmedByte(text[end - 1])) --end;
    const std::size_t count = end - begin;
    if (count - 1 >= kMaxDateChars) return false;  // none, or more than 11
    const unsigned char* s = text + begin;
    std::uint64_t low;
    std::uint32_t high = 0;
    if (count >= 8) {
        std::uint32_t tail;
        std::memcpy(&low, s, sizeof low);
        std::memcpy(&tail, s + count - 4, sizeof tail);
        high = static_cast<std::uint32_t>(std::uint64_t{tail} >> (8 * (12 - count)));
    } else if (count >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, s, sizeof head);
        std::memcpy(&tail, s + count - 4, sizeof tail);
        low = head | std::uint64_t{tail} << (8 * (count - 4));
    } else {
        low = s[0] | std::uint64_t{s[count / 2]} << (8 * (count / 2)) |
              std::uint64_t{s[count - 1]} << (8 * (count - 1));
    }
    // A zero byte among the kept characters would end the text early.
    if (FirstZero(low, high) != static_cast<int>(count)) return false;
    std::memcpy(copy, &low, sizeof low);
    std::memcpy(copy + sizeof low, &high, sizeof high);
    return true;
}

// Character access to a text of 4-byte (UCS-4) characters, aligned or not.
struct Ucs4 {
    static std::uint32_t At(const unsigned char* text, std::size_t i) {
        std::uint32_t c;
        std::memcpy(&c, text + 4 * i, sizeof c);
        return c;
    }
};

// Trims `length` characters at `text` and copies what is left into a
// zero-filled date text. False when nothing is left, more than 11
// characters are, or one of them is a zero or lies above 255.
template <typename Units>
KALCORE_HOT_STEP bool CopyTrimmed(const unsigned char* text, std::size_t length, DateText& copy) {
    std::size_t begin = 0, end = length;
    while (begin < end && IsTrimmed(Units::At(text, begin))) ++begin;
    while (end > begin && IsTrimmed(Units::At(text, end - 1))) --end;
    const std::size_t count = end - begin;
    if (count == 0 || count > kMaxDateChars) return false;
    std::memset(copy, 0, sizeof(DateText));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t c = Units::At(text, begin + i);
        if (c == 0 || c > 255) return false;
        copy[i] = static_cast<char>(c);
    }
    return true;
}

template <typename Units>
KALCORE_HOT_STEP bool ReadTrimmed(const unsigned char* text, std::size_t length,
                                  const ReadingRules& rules, DateReading& reading) {
    DateText copy;
    bool copied;
    if constexpr (std::is_same_v<Units, Bytes>)
        copied = CopyTrimmedBytes(text, length, copy);
    else
        copied = CopyTrimmed<Units>(text, length, copy);
    return copied && ReadDateByRule(copy, rules.years, rules.keywords, reading);
}

// Stores the outcome of item i of a column; true for a date.
KALCORE_HOT_STEP bool Store(bool read, const DateReading& reading, std::size_t i,
                            const DayColumn& out) {
    out.days[i] = read ? DaysOfTextDate(reading.date) : kNoDateDays;
    if (out.layouts != nullptr)
        out.layouts[i] = read ? static_cast<std::uint8_t>(reading.layout) : 0;
    return read;
}

template <typename Units>
std::size_t ReadBlock(const TextBlock& block, std::size_t n, const ReadingRules& rules,
                      const DayColumn& out) {
    std::size_t dates = 0;
    const unsigned char* item = block.base;
    for (std::size_t i = 0; i < n; ++i, item += block.stride) {
        DateReading reading;
        dates += Store(ReadTrimmed<Units>(item, block.width, rules, reading), reading, i, out);
    }
    return dates;
}

// Writes dates into a block, each character put by Put(item, i, c).
template <typename Put>
std::size_t WriteBlock(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                       const OutputBlock& out, Put put) {
    std::size_t written = 0;
    unsigned char* item = out.base;
    for (std::size_t i = 0; i < n; ++i, item += out.stride) {
        DateText text{};
        std::size_t length = 0;
        CivilDate date;
        if (DateOfEpochDays(days[i], date)) {
            WriteDate(layout, date, text);
            length = WrittenLayout(layout, date.month, date.day).length;
            ++written;
        }
        for (std::size_t c = 0; c < out.width; ++c)
            put(item, c, c < length ? static_cast<unsigned char>(text[c]) : 0);
    }
    return written;
}

}  // namespace

bool ReadExactText(const char* chars, std::size_t length, const ReadingRules& rules,
                   DateReading& reading) {
    return ReadTrimmed<Bytes>(reinterpret_cast<const unsigned char*>(chars), length, rules,
                              reading);
}

std::size_t ReadTextColumn(const char* const* texts, const std::size_t* lengths, std::size_t n,
                           const ReadingRules& rules, const DayColumn& out) {
    std::size_t dates = 0;
    for (std::size_t i = 0; i < n; ++i) {
        DateReading reading;
        const bool read = texts[i] != nullptr &&
                          ReadTrimmed<Bytes>(reinterpret_cast<const unsigned char*>(texts[i]),
                                             lengths[i], rules, reading);
        dates += Store(read, reading, i, out);
    }
    return dates;
}

std::size_t ReadByteBlock(const TextBlock& block, std::size_t n, const ReadingRules& rules,
                          const DayColumn& out) {
    return ReadBlock<Bytes>(block, n, rules, out);
}

std::size_t ReadUcs4Block(const TextBlock& block, std::size_t n, const ReadingRules& rules,
                          const DayColumn& out) {
    return ReadBlock<Ucs4>(block, n, rules, out);
}

int LongestText(const FormatLayout& layout) {
    int longest = 0;
    for (const std::uint8_t position : layout.writtenAs)
        if (kLayouts[position].length > longest) longest = kLayouts[position].length;
    return longest;
}

bool DateOfEpochDays(std::int64_t days, CivilDate& date) {
    if (days < kFirstTextDay || days > kLastTextDay) return false;
    date = DateFromEpoch(days);
    return true;
}

std::size_t WriteByteBlock(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out) {
    return WriteBlock(days, n, layout, out,
                      [](unsigned char* item, std::size_t c, unsigned char ch) { item[c] = ch; });
}

std::size_t WriteUcs4Block(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out) {
    return WriteBlock(days, n, layout, out,
                      [](unsigned char* item, std::size_t c, unsigned char ch) {
                          const std::uint32_t wide = ch;
                          std::memcpy(item + 4 * c, &wide, sizeof wide);
                      });
}

}  // namespace kalcore
