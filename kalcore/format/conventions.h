// How every export moves texts across the library boundary: bounded copies in
// and out of the caller's buffers.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "format/catalogue.h"

namespace kalcore {

// Copies the first min(length, 11) characters of a caller's date text into a
// zero-filled working copy. Never reads more than 11 bytes of the caller's
// text, one byte at a time. A null text gives an empty copy.
//
// The characters are gathered in two words and stored whole: the reader loads
// the copy a word at a time, and a load that spans several earlier byte
// stores would have to wait for them to reach the cache.
inline void CopyDateArgument(const char* text, DateText& copy) {
    std::memset(copy, 0, sizeof copy);
    if (text == nullptr) return;
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t low = 0;
        std::uint32_t high = 0;
        std::size_t n = 0;
        for (; n < 8 && text[n] != '\0'; ++n)
            low |= std::uint64_t{static_cast<unsigned char>(text[n])} << (8 * n);
        if (n == 8)
            for (; n < kMaxDateChars && text[n] != '\0'; ++n)
                high |= std::uint32_t{static_cast<unsigned char>(text[n])} << (8 * (n - 8));
        std::memcpy(copy, &low, sizeof low);
        std::memcpy(copy + sizeof low, &high, sizeof high);
    } else {
        for (std::size_t n = 0; n < kMaxDateChars && text[n] != '\0'; ++n) copy[n] = text[n];
    }
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
