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

// The month abbreviations packed as lower-case three-letter keys, placed in a
// 32-slot table by a multiplicative hash that gives each its own slot.
constexpr std::uint32_t Key(char a, char b, char c) {
    return std::uint32_t(static_cast<unsigned char>(a)) << 16 |
           std::uint32_t(static_cast<unsigned char>(b)) << 8 | static_cast<unsigned char>(c);
}

constexpr unsigned Slot(std::uint32_t key) {
    return (key * 331520u) >> 27;
}

inline constexpr const char* kLowerAbbrevs[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                                  "jul", "aug", "sep", "oct", "nov", "dec"};

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

constexpr bool AllDistinctSlots() {
    for (int i = 0; i < 12; ++i)
        for (int j = i + 1; j < 12; ++j) {
            const char* a = kLowerAbbrevs[i];
            const char* b = kLowerAbbrevs[j];
            if (Slot(Key(a[0], a[1], a[2])) == Slot(Key(b[0], b[1], b[2]))) return false;
        }
    return true;
}
static_assert(AllDistinctSlots(), "each month abbreviation needs a slot of its own");

}  // namespace abbrev_detail

// MonthFromAbbrev for three characters already known to be ASCII letters, so
// that setting bit 5 makes each lower case.
inline int MonthFromLetters(const char* three) {
    using namespace abbrev_detail;
    const std::uint32_t key =
        Key(static_cast<char>(three[0] | 0x20), static_cast<char>(three[1] | 0x20),
            static_cast<char>(three[2] | 0x20));
    const AbbrevSlot& slot = kAbbrevSlots[Slot(key)];
    return slot.key == key ? slot.month : 0;
}

}  // namespace kalcore
