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

// The character sizes a column may have: 1 byte, or 4 (UCS-4, aligned or not).
struct Bytes {};
struct Ucs4 {};

// The reader's trimming of a byte: its value as a signed byte is 32 or less.
constexpr bool IsTrimmedByte(unsigned char c) {
    return static_cast<signed char>(c) <= 32;
}
static_assert(IsTrimmedByte(0) && IsTrimmedByte(' ') && IsTrimmedByte(0x80) &&
              IsTrimmedByte(0xff) && !IsTrimmedByte('!') && !IsTrimmedByte(0x7f));

// CopyTrimmed for 1-byte characters: the kept characters are read with a few
// loads whose offsets depend only on their number, and stored as two words.
// A zero byte among them is left for the reader to find. The number of
// characters kept, 0 when none or more than 11 are.
KALCORE_HOT_STEP std::size_t CopyTrimmedBytes(const unsigned char* text, std::size_t length,
                                              DateText& copy) {
    std::size_t begin = 0, end = length;
    while (begin < end && IsTrimmedByte(text[begin])) ++begin;
    while (end > begin && IsTrimmedByte(text[end - 1])) --end;
    const std::size_t count = end - begin;
    if (count - 1 >= kMaxDateChars) return 0;  // none, or more than 11
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
    std::memcpy(copy, &low, sizeof low);
    std::memcpy(copy + sizeof low, &high, sizeof high);
    return count;
}

// Character i of a text of 4-byte (UCS-4) characters, aligned or not.
std::uint32_t Ucs4At(const unsigned char* text, std::size_t i) {
    std::uint32_t c;
    std::memcpy(&c, text + 4 * i, sizeof c);
    return c;
}

// Trims `length` UCS-4 characters at `text` and copies what is left into a
// zero-filled date text. The number of characters kept; 0 when nothing is
// left, more than 11 characters are, or one of them is a zero or lies above
// 255.
KALCORE_HOT_STEP std::size_t CopyTrimmedUcs4(const unsigned char* text, std::size_t length,
                                             DateText& copy) {
    std::size_t begin = 0, end = length;
    while (begin < end && IsTrimmed(Ucs4At(text, begin))) ++begin;
    while (end > begin && IsTrimmed(Ucs4At(text, end - 1))) --end;
    const std::size_t count = end - begin;
    if (count == 0 || count > kMaxDateChars) return 0;
    std::memset(copy, 0, sizeof(DateText));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t c = Ucs4At(text, begin + i);
        if (c == 0 || c > 255) return 0;
        copy[i] = static_cast<char>(c);
    }
    return count;
}

template <typename Units>
KALCORE_HOT_STEP bool ReadTrimmed(const unsigned char* text, std::size_t length,
                                  const ReadingRules& rules, DateReading& reading) {
    DateText copy;
    std::size_t count;
    if constexpr (std::is_same_v<Units, Bytes>)
        count = CopyTrimmedBytes(text, length, copy);
    else
        count = CopyTrimmedUcs4(text, length, copy);
    return count != 0 && ReadTrimmedDateByRule(copy, count, rules.years, rules.keywords, reading);
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
    for (std::size_t i = 0; i < n; ++i) {
        // Each item's address from the base: stepping past the last item
        // could leave the block, as a negative stride does at once.
        const unsigned char* item = block.base + static_cast<std::ptrdiff_t>(i) * block.stride;
        DateReading reading;
        dates += Store(ReadTrimmed<Units>(item, block.width, rules, reading), reading, i, out);
    }
    return dates;
}

// Writes dates into a block, each text (zero-filled past its end) put into
// its item by Put(item, text).
template <typename Put>
std::size_t WriteBlock(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                       const OutputBlock& out, Put put) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char* item = out.base + static_cast<std::ptrdiff_t>(i) * out.stride;
        // The writer leaves the rest of the 12 bytes zero.
        DateText text{};
        CivilDate date;
        if (DateOfEpochDays(days[i], date)) {
            WriteDate(layout, date, text);
            ++written;
        }
        put(item, text);
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
    if (out.width >= kDateTextSize)
        return WriteBlock(days, n, layout, out, [&](unsigned char* item, const DateText& text) {
            std::memcpy(item, text, kDateTextSize);
            if (out.width > kDateTextSize)
                std::memset(item + kDateTextSize, 0, out.width - kDateTextSize);
        });
    return WriteBlock(days, n, layout, out, [&](unsigned char* item, const DateText& text) {
        std::memcpy(item, text, out.width);
    });
}

std::size_t WriteUcs4Block(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out) {
    return WriteBlock(days, n, layout, out, [&](unsigned char* item, const DateText& text) {
        for (std::size_t c = 0; c < out.width; ++c) {
            const std::uint32_t wide = c < kDateTextSize ? static_cast<unsigned char>(text[c]) : 0;
            std::memcpy(item + 4 * c, &wide, sizeof wide);
        }
    });
}

}  // namespace kalcore
