// The writer for every output format: a date in the layout of a format code,
// and the time of day.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "civil/civil_date.h"
#include "format/layouts.h"
#include "platform/compiler.h"

namespace kalcore {

// A date text of 12 bytes held as two words, the first character in the
// lowest byte of `low`: what the writer puts together before it is stored.
struct TextWords {
    std::uint64_t low;   // characters 0-7
    std::uint32_t high;  // characters 8-11
};

// The first and the last day a date text of a column can hold, as days since
// 1970-01-01: those of the years 1000-9999.
inline constexpr std::int64_t kFirstTextDay = DaysFromEpoch(CivilDate{1000, 1, 1});
inline constexpr std::int64_t kLastTextDay = DaysFromEpoch(CivilDate{9999, 12, 31});

// Writes the texts of n days since 1970-01-01 in the layout `requested`
// names into `texts`, as WriteDate writes them; a day outside kFirstTextDay
// to kLastTextDay gets zeros. Returns the number of dates. The layout is
// resolved once, and its writer runs inlined in the loop.
std::size_t WriteDayTexts(const std::int64_t* days, std::size_t n, const FormatLayout& requested,
                          TextWords* texts);

// The text of a valid date of the years 0-9999 in the layout `requested`
// names, as WriteDate writes it.
TextWords DateWords(const FormatLayout& requested, const CivilDate& date);

// Stores the first `count` (4-12) characters of a text at `to`, no byte past
// them: two stores, which overlap when fewer than 12 are asked for.
KALCORE_HOT_STEP void PutTextBytes(unsigned char* to, const TextWords& text, std::size_t count) {
    std::uint32_t tail;  // characters count-4 to count-1
    if (count >= 8) {
        std::memcpy(to, &text.low, sizeof text.low);
        const std::uint64_t upper = std::uint64_t{text.high} << 32 | text.low >> 32;
        tail = static_cast<std::uint32_t>(upper >> (8 * (count - 8)));
    } else {
        const auto head = static_cast<std::uint32_t>(text.low);
        std::memcpy(to, &head, sizeof head);
        tail = static_cast<std::uint32_t>(text.low >> (8 * (count - 4)));
    }
    std::memcpy(to + count - 4, &tail, sizeof tail);
}

// Writes a valid date of the years 0-9999 in the layout `requested` names
// into `out`: a one-digit field that cannot show its value moves the date to
// the wider layout, as often as needed (M-D-CCYY with month 11 and day 25
// goes through MM-D-CCYY to MM-DD-CCYY). The text is at most 11 characters;
// the rest of the 12 bytes is zero.
void WriteDate(const FormatLayout& requested, const CivilDate& date, DateText& out);

// The layout of a format code known at compile time.
template <char Code>
const FormatLayout& LayoutOf() {
    static_assert(PositionOf(Code) >= 0, "no such format code");
    return kLayouts[PositionOf(Code)];
}

// The time of day as the clock exports give it.
struct TimeOfDayText {
    char time[9];  // HH:MM:SS
    char amPm[3];  // "AM" before noon, else "PM"
};

// Writes a time of day. On the 12-hour clock hours 13-23 become 1-11, while
// 0 and 12 stay as they are.
void WriteTimeOfDay(int hour, int minute, int second, bool twentyFourHour, TimeOfDayText& out);

}  // namespace kalcore
