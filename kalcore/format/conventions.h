// How every export moves texts across the library boundary: bounded copies in
// and out of the caller's buffers.
#pragma once

#include <cstring>

#include "format/catalogue.h"

namespace kalcore {

// Copies the first min(length, 11) characters of a caller's date text into a
// zero-filled working copy. Never reads more than 11 bytes of the caller's
// text. A null text gives an empty copy.
inline void CopyDateArgument(const char* text, DateText& copy) {
    std::memset(copy, 0, sizeof copy);
    if (text == nullptr) return;
    for (std::size_t n = 0; n < kMaxDateChars && text[n] != '\0'; ++n) copy[n] = text[n];
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
