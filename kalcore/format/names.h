// The names the library reads and writes: month abbreviations ("Jan" ..
// "Dec"), month names ("January" .. "December") and day names ("Sunday" ..
// "Saturday").
#pragma once

#include <array>
#include <cstdint>

#include "civil/civil_date.h"
#include "format/ascii.h"

namespace kalcore {

extern const char* const kMonthAbbrevs[13];  // [1] "Jan" ... [12] "Dec"
extern const char* const kMonthNames[13];    // [1] "January" ... [12] "December"

// The name of a day of the week: "Sunday" .. "Saturday".
const char* DayName(Weekday day);

// Room for any day name ("Wednesday") and a terminator.
inline constexpr int kDayNameSize = 10;

// Month number 1-12 of a three-letter abbreviation compared without regard to
// case, 0 when the three characters are no abbreviation.
int MonthFromAbbrev(const char* three);

namespace abbrev_detail {

// The month abbreviations packed as lower-case three-letter keys, the first
// letter in the lowest byte (as a word loaded from the text holds them on a
// machine that stores the lowest byte first), placed in a 32-slot table by a
// multiplicative hash that gives each its own slot.
constexpr std::uint32_t Key(char a, char b, char c) {
    return static_cast<unsigned char>(a) | std::uint32_t(static_cast<unsigned char>(b)) << 8 |
           std::uint32_t(static_cast<unsigned char>(c)) << 16;
}

inline constexpr const char* kLowerAbbrevs[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                  "jul", "aug", "sep", "oct", "nov", "dec"};

constexpr unsigned SlotBy(std::uint32_t key, std::uint32_t multiplier) {
    return (key * multiplier) >> 27;
}

// The first odd multiplier that gives each abbreviation a slot of its own.
consteval std::uint32_t FindAbbrevMultiplier() {
    for (std::uint32_t multiplier = 1; multiplier < (1u << 24); multiplier += 2) {
        std::uint32_t used = 0;
        bool distinct = true;
        for (const char* a : kLowerAbbrevs) {
            const std::uint32_t bit = 1u << SlotBy(Key(a[0], a[1], a[2]), multiplier);
            distinct = distinct && (used & bit) == 0;
            used |= bit;
        }
        if (distinct) return multiplier;
    }
    throw "no multiplier gives each abbreviation a slot of its own";
}
inline constexpr std::uint32_t kAbbrevMultiplier = FindAbbrevMultiplier();

constexpr unsigned Slot(std::uint32_t key) {
    return SlotBy(key, kAbbrevMultiplier);
}

struct AbbrevSlot {
    std::uint32_t key;
    int month;
};

constexpr std::array<AbbrevSlot, 32> BuildAbbrevSlots() {
    std::array<AbbrevSlot, 32> slots{};
    for (int m = 0; m < 12; ++m) {
        const char* a = kLowerAbbrevs[m];
        const std::uint32_t key = Key(a[0], a[1], a[2]);
        slots[Slot(key)] = {key, m + 1};
    }
    return slots;
}

inline constexpr std::array<AbbrevSlot, 32> kAbbrevSlots = BuildAbbrevSlots();

// The month of a key already made lower case; masked rather than chosen, so
// that no branch depends on the letters.
inline int MonthOfKey(std::uint32_t key) {
    const AbbrevSlot& slot = kAbbrevSlots[Slot(key)];
    return slot.month & -static_cast<int>(slot.key == key);
}

}  // namespace abbrev_detail

// MonthFromAbbrev for three characters already known to be ASCII letters, so
// that setting bit 5 makes each lower case.
inline int MonthFromLetters(const char* three) {
    using namespace abbrev_detail;
    return MonthOfKey(Key(static_cast<char>(three[0] | 0x20), static_cast<char>(three[1] | 0x20),
                          static_cast<char>(three[2] | 0x20)));
}

// MonthFromLetters for the three letters in the lowest three bytes of a word
// loaded from the text on a machine that stores the lowest byte first.
inline int MonthFromLetterWord(std::uint32_t word) {
    return abbrev_detail::MonthOfKey((word & 0xffffff) | 0x202020);
}

}  // namespace kalcore
