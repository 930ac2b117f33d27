// How every export moves texts across the library boundary: bounded copies in
// and out of the caller's buffers, and a caller's date read into numbers.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "civil/civil_date.h"
#include "format/date_reader.h"
#include "format/layouts.h"

namespace kalcore {

namespace copy_detail {

// The copy is put together in words for a machine that stores the lowest
// byte of a word first.
static_assert(std::endian::native == std::endian::little);

template <typename Word>
Word LoadAt(const char* text, int offset) {
    Word w;
    std::memcpy(&w, text + offset, sizeof w);
    return w;
}

// The first N characters of a text, all present, as the low eight and the
// high four bytes of a little-endian copy. Only those N bytes are read; the
// loads overlap where N is no sum of word sizes, and overlapping bytes agree.
template <int N>
void GatherFirst(const char* text, std::uint64_t& low, std::uint32_t& high) {
    static_assert(N >= 0 && N <= static_cast<int>(kMaxDateChars));
    using U8 = std::uint8_t;
    using U16 = std::uint16_t;
    using U32 = std::uint32_t;
    using U64 = std::uint64_t;
    high = 0;
    if constexpr (N == 0) {
        low = 0;
    } else if constexpr (N == 1) {
        low = LoadAt<U8>(text, 0);
    } else if constexpr (N < 4) {
        low = LoadAt<U16>(text, 0) | U64{LoadAt<U16>(text, N - 2)} << (8 * (N - 2));
    } else if constexpr (N < 8) {
        low = LoadAt<U32>(text, 0) | U64{LoadAt<U32>(text, N - 4)} << (8 * (N - 4));
    } else {
        low = LoadAt<U64>(text, 0);
        if constexpr (N > 8) high = LoadAt<U32>(text, N - 4) >> (8 * (12 - N));
    }
}

// The length of a caller's text, at most 11: its characters are read one by
// one up to the terminator or the 11th, and nothing after them.
inline int BoundedLength(const char* text) {
    int n = 0;
    while (n < static_cast<int>(kMaxDateChars) && text[n] != '\0') ++n;
    return n;
}

}  // namespace copy_detail

// Copies the first min(length, 11) characters of a caller's date text into a
// zero-filled working copy. Of the caller's memory only the text's characters
// and its terminator (when it comes within 11) are read. A null text gives an
// empty copy.
//
// The characters are read with a few loads whose offsets depend only on the
// length, and stored as two whole words: the reader loads the copy a word at a
// time, and a load that spans several earlier byte stores would have to wait
// for them to reach the cache.
inline void CopyDateArgument(const char* text, DateText& copy) {
    std::uint64_t low = 0;
    std::uint32_t high = 0;
    if (text != nullptr) {
        using copy_detail::GatherFirst;
        switch (copy_detail::BoundedLength(text)) {
            case 0:
                break;
            case 1:
                GatherFirst<1>(text, low, high);
                break;
            case 2:
                GatherFirst<2>(text, low, high);
                break;
            case 3:
                GatherFirst<3>(text, low, high);
                break;
            case 4:
                GatherFirst<4>(text, low, high);
                break;
            case 5:
                GatherFirst<5>(text, low, high);
                break;
            case 6:
                GatherFirst<6>(text, low, high);
                break;
            case 7:
                GatherFirst<7>(text, low, high);
                break;
            case 8:
                GatherFirst<8>(text, low, high);
                break;
            case 9:
                GatherFirst<9>(text, low, high);
                break;
            case 10:
                GatherFirst<10>(text, low, high);
                break;
            default:
                GatherFirst<11>(text, low, high);
                break;
        }
    }
    std::memcpy(copy, &low, sizeof low);
    std::memcpy(copy + sizeof low, &high, sizeof high);
}

// Copies the date text of a caller's 12-byte date buffer (one that the
// export may write its result back into, so the caller has lent it whole)
// into a zero-filled working copy: its first min(length, 11) characters, as
// CopyDateArgument copies them. The first 11 bytes are read at once, as two
// overlapping words, and never the twelfth; the text is then cut at its first
// zero byte by masks, without a branch on its length, so that texts of
// varying lengths cost the same.
inline void CopyDateBuffer(const char* buffer, DateText& copy) {
    using copy_detail::LoadAt;
    std::uint64_t low = LoadAt<std::uint64_t>(buffer, 0);
    // Bytes 8-10 in the low three bytes, and a zero above them that ends the
    // text at 11 when no terminator comes before.
    std::uint32_t high = LoadAt<std::uint32_t>(buffer, 7) >> 8;
    // The lowest flagged byte of each word is its first zero byte (a borrow
    // can flag bytes only above a zero byte).
    const std::uint64_t lowZeros = (low - 0x0101010101010101u) & ~low & 0x8080808080808080u;
    const std::uint32_t highZeros = (high - 0x01010101u) & ~high & 0x80808080u;
    const int lowLength = std::countr_zero(lowZeros) >> 3;  // 8 when no zero byte
    const int length = lowLength < 8 ? lowLength : 8 + (std::countr_zero(highZeros) >> 3);
    low &= length >= 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * length)) - 1;
    high &= length <= 8 ? 0u : (std::uint32_t{1} << (8 * (length - 8))) - 1;
    std::memcpy(copy, &low, sizeof low);
    std::memcpy(copy + sizeof low, &high, sizeof high);
}

// Reads a caller's date text (any input format or keyword, a two-digit year
// in the current century) into `date`. False for a null text or no date.
inline bool ReadDateArgument(const char* text, CivilDate& date) {
    if (text == nullptr) return false;
    DateText copy;
    CopyDateArgument(text, copy);
    return ReadDateInCurrentCentury(copy, date);
}

// Takes the first character of a caller's format code text (none when the
// text is empty or null) into a working code.
inline void CopyCodeArgument(const char* text, CodeText& copy) {
    copy[0] = text != nullptr ? text[0] : '\0';
    copy[1] = '\0';
}

// Delivers a result text into a caller's 12-byte buffer: at most 11
// characters, the terminator, and the rest of the 12 bytes set to zero (the
// writer's texts are zero-filled past their end).
inline void DeliverDate(const DateText& result, char* out) {
    std::memcpy(out, result, kDateTextSize);
    out[kMaxDateChars] = '\0';
}

}  // namespace kalcore
