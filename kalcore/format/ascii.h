// Character helpers of the texts the library reads and writes: ASCII case
// and digit tests that consult no locale, and two-digit fields.
#pragma once

#include <cstring>

namespace kalcore {

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
constexpr bool IsLetterAscii(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
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

// The value of two digit characters.
constexpr int TwoDigitValue(char tens, char ones) {
    return (tens - '0') * 10 + (ones - '0');
}

}  // namespace kalcore
