#include "format/text_columns.h"

#include <cstring>

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

// Character access to a text of 1-byte characters.
struct Bytes {
    static std::uint32_t At(const unsigned char* text, std::size_t i) { return text[i]; }
};

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
    return CopyTrimmed<Units>(text, length, copy) &&
           ReadDateByRule(copy, rules.years, rules.keywords, reading);
}

// Stores the outcome of item i of a column; true for a date.
KALCORE_HOT_STEP bool Store(bool read, const DateReading& reading, std::size_t i,
                            const DayColumn& out) {
    out.days[i] = read ? DaysFromEpoch(reading.date) : kNoDateDays;
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
