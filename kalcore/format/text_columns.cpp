#include "format/text_columns.h"

#include <bit>
#include <cstring>
#include <type_traits>

// UCS-4 columns are widened with SSE2 where the target has it (every x86-64,
// and i686 builds that ask for it); elsewhere one character at a time.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define KALCORE_UCS4_SSE2 1
#endif

#include "civil/civil_date.h"
#include "format/date_writer.h"
#include "platform/compiler.h"

namespace kalcore {

namespace {

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

// Writes dates into a block, each text (zero-filled past its end) stored
// into its item by Stores; an item that is no date of the years 1000-9999
// gets zeros. The texts are written a chunk at a time into a buffer on the
// stack and then stored: two short loops, each of which the processor runs
// many items of at once. The block's shape is held in locals, which the
// stores into the items cannot change.
//
// Stores has Exact(item, text), which writes the item's bytes and none
// else, and, when kRunOnBytes is not 0, RunOn(item, text), which writes the
// item whole and runs on to kRunOnBytes bytes from its start. RunOn serves a
// block whose items follow one another without a gap, for each item whose
// run-on stays inside the block: the items it runs into are written after
// it.
template <typename Stores>
KALCORE_HOT_STEP std::size_t WriteBlock(const std::int64_t* days, std::size_t n,
                                        const FormatLayout& layout, const OutputBlock& out,
                                        const Stores& stores) {
    constexpr std::size_t kChunk = 64;
    unsigned char* const base = out.base;
    const std::ptrdiff_t stride = out.stride;
    const std::size_t itemBytes = stores.ItemBytes();
    // The items before runOnEnd take RunOn: those at least kRunOnBytes from
    // the end of a gapless block.
    std::size_t runOnEnd = 0;
    if (Stores::kRunOnBytes != 0 && itemBytes <= Stores::kRunOnBytes &&
        stride == static_cast<std::ptrdiff_t>(itemBytes)) {
        const std::size_t tailItems = (Stores::kRunOnBytes + itemBytes - 1) / itemBytes - 1;
        runOnEnd = n > tailItems ? n - tailItems : 0;
    }
    TextWords texts[kChunk];
    std::size_t written = 0;
    for (std::size_t first = 0; first < n; first += kChunk) {
        const std::size_t count = n - first < kChunk ? n - first : kChunk;
        written += WriteDayTexts(days + first, count, layout, texts);
        for (std::size_t i = 0; i < count; ++i) {
            // Each item's address from the base: stepping past the last item
            // could leave the block, as a negative stride does at once.
            unsigned char* item = base + static_cast<std::ptrdiff_t>(first + i) * stride;
            if (first + i < runOnEnd)
                stores.RunOn(item, texts[i]);
            else
                stores.Exact(item, texts[i]);
        }
    }
    return written;
}

// The stores of items of 1-byte characters. RunOn writes 16 bytes, the
// text's zeros past it included.
struct ByteStores {
    static constexpr std::size_t kRunOnBytes = 16;
    std::size_t width;

    std::size_t ItemBytes() const { return width; }
    KALCORE_HOT_STEP void Exact(unsigned char* item, const TextWords& text) const {
        if (width < kDateTextSize) {
            PutTextBytes(item, text, width);
            return;
        }
        std::memcpy(item, &text.low, sizeof text.low);
        std::memcpy(item + sizeof text.low, &text.high, sizeof text.high);
        if (width > kDateTextSize) std::memset(item + kDateTextSize, 0, width - kDateTextSize);
    }
    KALCORE_HOT_STEP void RunOn(unsigned char* item, const TextWords& text) const {
        const std::uint64_t high = text.high;
        std::memcpy(item, &text.low, sizeof text.low);
        std::memcpy(item + sizeof text.low, &high, sizeof high);
    }
};

// Every layout's texts have at least the 4 characters the stores of a
// column item below 12 characters write whole.
static_assert([] {
    for (const FormatLayout& layout : kLayouts)
        if (layout.length < 4) return false;
    return true;
}());

#if defined(KALCORE_UCS4_SSE2)

// Four characters as four UCS-4 characters: two unpackings with zero.
KALCORE_HOT_STEP __m128i WidenFour(std::uint32_t characters) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_unpacklo_epi16(
        _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(characters)), zero), zero);
}

// A text's 12 bytes in the low three quarters of a vector.
KALCORE_HOT_STEP __m128i TextVector(const TextWords& text) {
    return _mm_set_epi32(0, static_cast<int>(text.high), static_cast<int>(text.low >> 32),
                         static_cast<int>(text.low));
}

// The 12 characters of a text as UCS-4 at `to`, 48 bytes.
KALCORE_HOT_STEP void PutUcs4Whole(unsigned char* to, const TextWords& text) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = TextVector(text);
    const __m128i first8 = _mm_unpacklo_epi8(bytes, zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi16(first8, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), _mm_unpackhi_epi16(first8, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 32),
                     _mm_unpacklo_epi16(_mm_unpackhi_epi8(bytes, zero), zero));
}

// The first `width` characters of a text as UCS-4 at `to`, zeros past the
// 12 bytes: 16-byte stores of four characters, the last of them overlapping
// the one before when the width is no multiple of four.
KALCORE_HOT_STEP void PutUcs4(unsigned char* to, const TextWords& text, std::size_t width) {
    if (width >= kDateTextSize) {
        PutUcs4Whole(to, text);
        if (width > kDateTextSize) std::memset(to + 48, 0, 4 * (width - kDateTextSize));
        return;
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i first8 = _mm_unpacklo_epi8(TextVector(text), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi16(first8, zero));
    std::uint32_t tail;  // characters width-4 to width-1
    if (width >= 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), _mm_unpackhi_epi16(first8, zero));
        const std::uint64_t upper = std::uint64_t{text.high} << 32 | text.low >> 32;
        tail = static_cast<std::uint32_t>(upper >> (8 * (width - 8)));
    } else {
        tail = static_cast<std::uint32_t>(text.low >> (8 * (width - 4)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * (width - 4)), WidenFour(tail));
}

// The stores of items of UCS-4 characters. RunOn writes all 12 characters.
struct Ucs4Stores {
    static constexpr std::size_t kRunOnBytes = 48;
    std::size_t width;

    std::size_t ItemBytes() const { return 4 * width; }
    KALCORE_HOT_STEP void Exact(unsigned char* item, const TextWords& text) const {
        PutUcs4(item, text, width);
    }
    KALCORE_HOT_STEP void RunOn(unsigned char* item, const TextWords& text) const {
        PutUcs4Whole(item, text);
    }
};
#else

// The first `width` characters of a text as UCS-4 at `to`, zeros past the
// 12 bytes, one character at a time.
void PutUcs4(unsigned char* to, const TextWords& text, std::size_t width) {
    unsigned char bytes[kDateTextSize];
    std::memcpy(bytes, &text.low, sizeof text.low);
    std::memcpy(bytes + sizeof text.low, &text.high, sizeof text.high);
    for (std::size_t c = 0; c < width; ++c) {
        const std::uint32_t wide = c < kDateTextSize ? bytes[c] : 0;
        std::memcpy(to + 4 * c, &wide, sizeof wide);
    }
}

// The stores of items of UCS-4 characters, each item exactly.
struct Ucs4Stores {
    static constexpr std::size_t kRunOnBytes = 0;
    std::size_t width;

    std::size_t ItemBytes() const { return 4 * width; }
    void Exact(unsigned char* item, const TextWords& text) const { PutUcs4(item, text, width); }
    void RunOn(unsigned char* item, const TextWords& text) const { PutUcs4(item, text, width); }
};
#endif

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

// A width below 12 gets the bounded stores of PutTextBytes; every layout's
// longest text has at least the 4 characters they need.
std::size_t WriteByteBlock(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out) {
    return WriteBlock(days, n, layout, out, ByteStores{out.width});
}

std::size_t WriteUcs4Block(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out) {
    return WriteBlock(days, n, layout, out, Ucs4Stores{out.width});
}

}  // namespace kalcore
