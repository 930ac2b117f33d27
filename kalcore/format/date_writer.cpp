#include "format/date_writer.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "format/ascii.h"

namespace kalcore {

namespace {

// The words below are put together for a machine that stores the lowest
// byte of a word first.
static_assert(std::endian::native == std::endian::little);

// A date's fields as they are written: the century and the year within it
// apart.
struct Values {
    int century, year, month, day;
};

// The fields of a date of the years 0-9999 as they are written. The year is
// split without a sign, as such a year never has one.
Values SplitYear(int year, int month, int day) {
    const auto unsignedYear = static_cast<unsigned>(year);
    const auto century = (unsignedYear * 5243) >> 19;  // year / 100 for every year below 43699
    return Values{static_cast<int>(century), static_cast<int>(unsignedYear - century * 100), month,
                  day};
}

// The month abbreviations packed three characters apiece, January at 3.
constexpr char kAbbrevText[] = "   JanFebMarAprMayJunJulAugSepOctNovDec";

// A 12-byte text held as two words, the first character in the lowest byte.
struct TextWords {
    std::uint64_t low;
    std::uint32_t high;
};

// The literal characters of a layout (separators, trailing blanks) with zero
// bytes where its fields go.
constexpr TextWords LiteralWords(const FormatLayout& layout) {
    TextWords words{0, 0};
    for (int i = 0; i < static_cast<int>(kDateTextSize); ++i) {
        const bool field =
            (layout.digitPositions >> i & 1) != 0 ||
            (layout.monthWidth == Width::Abbrev && i >= layout.monthPos && i < layout.monthPos + 3);
        const auto byte = static_cast<unsigned char>(field ? '\0' : layout.text[i]);
        if (i < 8)
            words.low |= std::uint64_t{byte} << (8 * i);
        else
            words.high |= std::uint32_t{byte} << (8 * (i - 8));
    }
    return words;
}

// Places the `width` characters of a field, first in the lowest byte, at
// position Pos.
template <int Pos, int Width>
void Place(TextWords& words, std::uint32_t characters) {
    if constexpr (Pos + Width <= 8) {
        words.low |= std::uint64_t{characters} << (8 * Pos);
    } else if constexpr (Pos >= 8) {
        words.high |= characters << (8 * (Pos - 8));
    } else {
        words.low |= std::uint64_t{characters} << (8 * Pos);
        words.high |= characters >> (8 * (8 - Pos));
    }
}

std::uint32_t DigitPairCharacters(int value) {
    std::uint16_t pair;
    std::memcpy(&pair, kDigitPairs + 2 * value, sizeof pair);
    return pair;
}

std::uint32_t AbbrevCharacters(int month) {
    std::uint32_t four;  // the abbreviation and the next character
    std::memcpy(&four, kAbbrevText + 3 * month, sizeof four);
    return four & 0xffffff;
}

// Writes a date in the layout at catalogue position I: the layout's literal
// text with the fields filled in at their positions, all known at compile
// time. A one-digit field holds a value below 10 once the code has been
// substituted. The text is put together in two words and stored whole, so
// that the caller's copy of it is served straight from these stores.
template <std::size_t I>
void WriteLayout(int year, int month, int day, DateText& out) {
    constexpr const FormatLayout& layout = kLayouts[I];
    const Values v = SplitYear(year, month, day);
    TextWords words = LiteralWords(layout);
    if constexpr (layout.monthWidth == Width::Two)
        Place<layout.monthPos, 2>(words, DigitPairCharacters(v.month));
    else if constexpr (layout.monthWidth == Width::One)
        Place<layout.monthPos, 1>(words, static_cast<std::uint32_t>('0' + v.month));
    else
        Place<layout.monthPos, 3>(words, AbbrevCharacters(v.month));
    if constexpr (layout.dayWidth == Width::Two)
        Place<layout.dayPos, 2>(words, DigitPairCharacters(v.day));
    else
        Place<layout.dayPos, 1>(words, static_cast<std::uint32_t>('0' + v.day));
    Place<layout.yearPos, 2>(words, DigitPairCharacters(v.year));
    if constexpr (layout.centuryPos >= 0)
        Place<layout.centuryPos, 2>(words, DigitPairCharacters(v.century));
    std::memcpy(out, &words.low, sizeof words.low);
    std::memcpy(out + sizeof words.low, &words.high, sizeof words.high);
}

using LayoutWriter = void (*)(int, int, int, DateText&);

template <std::size_t... I>
constexpr std::array<LayoutWriter, sizeof...(I)> MakeWriters(std::index_sequence<I...>) {
    return {&WriteLayout<I>...};
}

// One writer per catalogue position.
constexpr std::array<LayoutWriter, kFormatCount> kWriters =
    MakeWriters(std::make_index_sequence<kFormatCount>{});

}  // namespace

void WriteDate(const FormatLayout& requested, const CivilDate& date, DateText& out) {
    kWriters[requested.writtenAs[WideFields(date.month, date.day)]](date.year, date.month, date.day,
                                                                    out);
}

void WriteTimeOfDay(int hour, int minute, int second, bool twentyFourHour, TimeOfDayText& out) {
    std::memcpy(out.amPm, hour < 12 ? "AM" : "PM", 3);
    if (!twentyFourHour && hour > 12) hour -= 12;
    PutDigitPair(out.time, hour);
    out.time[2] = ':';
    PutDigitPair(out.time + 3, minute);
    out.time[5] = ':';
    PutDigitPair(out.time + 6, second);
    out.time[8] = '\0';
}

}  // namespace kalcore
