// One pass over a date text that finds the class of every character, the
// length of the text and its length once trailing blanks are trimmed.
//
// The reader decides what a text can be from these classes: they are kept as
// five 12-bit lanes of one 64-bit word, bit i of a lane standing for position
// i, so that a whole layout ("three letters, a separator, ...") is checked
// with one mask test.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "format/ascii.h"
#include "format/layouts.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define KALCORE_SCAN_SSE2 1
#endif

namespace kalcore {

enum Lane : int {
    kDigitLane,      // '0'-'9'
    kLetterLane,     // an ASCII letter
    kSeparatorLane,  // '-' or '/'
    kKeptLane,       // a character that trimming keeps: signed value above 32
    kPresentLane,    // any character but the terminator
};
inline constexpr int kLaneWidth = 12;
inline constexpr int kScannedPositions = static_cast<int>(kMaxDateChars);
static_assert(kLaneWidth * (kPresentLane + 1) <= 64 && kScannedPositions < kLaneWidth);

// Positions (bit i for position i) placed in a lane.
constexpr std::uint64_t AtLane(Lane lane, std::uint64_t positions) {
    return positions << (kLaneWidth * lane);
}

constexpr unsigned LaneOf(std::uint64_t classes, Lane lane) {
    return static_cast<unsigned>(classes >> (kLaneWidth * lane)) & ((1u << kLaneWidth) - 1);
}

// The classes a layout requires, one character per position from 0: 'd' a
// digit, 'a' a letter, 's' a separator ('-' or '/'), '_' any character.
consteval std::uint64_t Layout(const char* pattern) {
    std::uint64_t bits = 0;
    for (int i = 0; pattern[i] != '\0'; ++i) {
        if (pattern[i] == 'd') bits |= AtLane(kDigitLane, 1u << i);
        if (pattern[i] == 'a') bits |= AtLane(kLetterLane, 1u << i);
        if (pattern[i] == 's') bits |= AtLane(kSeparatorLane, 1u << i);
    }
    return bits;
}

// What one pass over the first 11 characters of a text finds: the classes of
// the characters before its terminator, its length, and its length once
// trailing characters that trimming removes (signed value 32 or less) are cut
// off; a text of nothing else keeps its length.
struct TextScan {
    std::uint64_t classes;
    int length;
    int trimmedLength;
};

namespace scan_detail {

// The classes of each byte, at position 0 of their lanes.
constexpr std::array<std::uint64_t, 256> BuildClassTable() {
    std::array<std::uint64_t, 256> table{};
    for (int byte = 1; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        std::uint64_t bits = AtLane(kPresentLane, 1);
        if (static_cast<signed char>(c) > 32) bits |= AtLane(kKeptLane, 1);
        if (IsDigitAscii(c)) bits |= AtLane(kDigitLane, 1);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) bits |= AtLane(kLetterLane, 1);
        if (c == '-' || c == '/') bits |= AtLane(kSeparatorLane, 1);
        table[byte] = bits;
    }
    return table;
}
inline constexpr std::array<std::uint64_t, 256> kClassOf = BuildClassTable();

// Every lane given the same positions.
constexpr std::uint64_t InEveryLane(unsigned positions) {
    return std::uint64_t{positions} * (AtLane(kDigitLane, 1) | AtLane(kLetterLane, 1) |
                                       AtLane(kSeparatorLane, 1) | AtLane(kKeptLane, 1) |
                                       AtLane(kPresentLane, 1));
}

// Completes a scan from the classes found at the 12 positions of a text and
// the positions of its zero bytes: position 11 and the positions from the
// first terminator on are no part of the text.
inline TextScan Finish(std::uint64_t classes, unsigned terminators) {
    const int length = std::countr_zero(terminators | (1u << kScannedPositions));
    const unsigned positions = (1u << length) - 1;
    classes = (classes & InEveryLane(positions)) | AtLane(kPresentLane, positions);
    const unsigned kept = LaneOf(classes, kKeptLane);
    return {classes, length, kept == 0 ? length : static_cast<int>(std::bit_width(kept))};
}

}  // namespace scan_detail

// The byte-by-byte scan, on any machine.
inline TextScan ScanTextPortable(const DateText& text) {
    std::uint64_t classes = 0;
    for (int i = 0; i < kScannedPositions; ++i)
        classes |= scan_detail::kClassOf[static_cast<unsigned char>(text[i])] << i;
    return scan_detail::Finish(classes, ~LaneOf(classes, kPresentLane));
}

#if KALCORE_SCAN_SSE2
// The same scan with all positions compared at once.
inline TextScan ScanText(const DateText& text) {
    std::uint64_t low;
    std::uint32_t high;
    std::memcpy(&low, text, sizeof low);
    std::memcpy(&high, text + sizeof low, sizeof high);
    const __m128i x = _mm_set_epi64x(static_cast<long long>(high), static_cast<long long>(low));
    const auto bytes = [](char c) { return _mm_set1_epi8(c); };
    // A byte is in [lo, lo + span] when its distance from lo, unsigned, is
    // at most span.
    const auto within = [](__m128i v, __m128i lo, __m128i span) {
        const __m128i distance = _mm_sub_epi8(v, lo);
        return _mm_cmpeq_epi8(_mm_min_epu8(distance, span), distance);
    };
    const __m128i digit = within(x, bytes('0'), bytes(9));
    const __m128i letter = within(_mm_or_si128(x, bytes(0x20)), bytes('a'), bytes(25));
    const __m128i separator =
        _mm_or_si128(_mm_cmpeq_epi8(x, bytes('-')), _mm_cmpeq_epi8(x, bytes('/')));
    const __m128i kept = _mm_cmpgt_epi8(x, bytes(32));
    const __m128i terminator = _mm_cmpeq_epi8(x, _mm_setzero_si128());
    // Bytes 12-15 of x are zero and belong to no class, so each mask fits a lane.
    const auto positions = [](__m128i m) {
        return static_cast<std::uint64_t>(_mm_movemask_epi8(m));
    };
    return scan_detail::Finish(
        AtLane(kDigitLane, positions(digit)) | AtLane(kLetterLane, positions(letter)) |
            AtLane(kSeparatorLane, positions(separator)) | AtLane(kKeptLane, positions(kept)),
        static_cast<unsigned>(_mm_movemask_epi8(terminator)));
}
#else
inline TextScan ScanText(const DateText& text) {
    return ScanTextPortable(text);
}
#endif

}  // namespace kalcore
