// The utility exports' small integer and text helpers, for host languages
// without bit operators. "Word" is 16 bits unsigned, "long" 32 bits; every
// operation is done on unsigned values of its stated width, so wrap-around
// is defined.
#pragma once

#include <cstdint>

namespace kalcore::utilities {

// Upper-cases a text in place: a-z become A-Z, every other byte stays (no
// locale is consulted, so bytes of 128 and above are never changed).
inline void UpperCaseText(char* text) {
    for (; *text != '\0'; ++text)
        if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
}

// Twice a 16-bit integer, wrapping within 16 bits.
constexpr std::int16_t DoubleWord(std::int16_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value) << 1);
}

// Twice a 32-bit integer, wrapping within 32 bits.
constexpr std::int32_t DoubleLong(std::int32_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << 1);
}

constexpr std::uint16_t LowByte(std::uint16_t word) {
    return word & 0xFFu;
}
constexpr std::uint16_t HighByte(std::uint16_t word) {
    return static_cast<std::uint16_t>(word >> 8);
}
constexpr std::uint16_t LowWord(std::int32_t value) {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xFFFFu);
}
constexpr std::uint16_t HighWord(std::int32_t value) {
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) >> 16);
}

// high * 256 + low, of the low 8 bits of each.
constexpr std::uint16_t JoinBytes(std::int32_t low, std::int32_t high) {
    return static_cast<std::uint16_t>(((static_cast<std::uint32_t>(high) & 0xFFu) << 8) |
                                      (static_cast<std::uint32_t>(low) & 0xFFu));
}

// high * 65536 + low, of the low 16 bits of each.
constexpr std::int32_t JoinWords(std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>(((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16) |
                                     (static_cast<std::uint32_t>(low) & 0xFFFFu));
}

// The low 16 bits of `value` shifted left by the low 5 bits of `count`; the
// bits that leave the low word are kept up to the 32nd.
constexpr std::int32_t ShiftWordLeft(std::int32_t value, std::int32_t count) {
    const std::uint32_t word = static_cast<std::uint32_t>(value) & 0xFFFFu;
    return static_cast<std::int32_t>(word << (static_cast<std::uint32_t>(count) & 31u));
}

// The low 16 bits of `value` shifted right, unsigned, by the low 5 bits of
// `count`.
constexpr std::uint16_t ShiftWordRight(std::int32_t value, std::int32_t count) {
    const std::uint32_t word = static_cast<std::uint32_t>(value) & 0xFFFFu;
    return static_cast<std::uint16_t>(word >> (static_cast<std::uint32_t>(count) & 31u));
}

}  // namespace kalcore::utilities
