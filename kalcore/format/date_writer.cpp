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

// "00" to "99" as 16-bit words, the tens digit in the low byte, and "00"
// once more at 100: the year of a century after its 99th, whose carry goes
// to the century.
constexpr std::array<std::uint16_t, 101> kPairs = [] {
    std::array<std::uint16_t, 101> pairs{};
    for (int value = 0; value <= 100; ++value)
        pairs[value] =
            static_cast<std::uint16_t>(('0' + value % 100 / 10) | ('0' + value % 10) << 8);
    return pairs;
}();

// The month abbreviations as words, the first letter in the low byte,
// January at 1.
constexpr std::array<std::uint32_t, 13> kAbbrevs = [] {
    constexpr char kText[] = "   JanFebMarAprMayJunJulAugSepOctNovDec";
    std::array<std::uint32_t, 13> abbrevs{};
    for (int month = 1; month <= 12; ++month)
        for (int i = 0; i < 3; ++i)
            abbrevs[month] |= std::uint32_t{static_cast<unsigned char>(kText[3 * month + i])}
                              << (8 * i);
    return abbrevs;
}();

// A date's characters as every layout takes them, each the first character
// in the lowest byte: CCYY, MMDD, and the month's abbreviation with which
// fields need two digits (WideFields) in the high byte. Twelve bytes, which
// a call takes in two registers.
struct DateCharacters {
    std::uint32_t centuryYear;
    std::uint32_t monthDay;
    std::uint32_t abbrevAndWide;
};

constexpr std::uint32_t AbbrevAndWide(int month, int day) {
    return kAbbrevs[month] | static_cast<std::uint32_t>(WideFields(month, day)) << 24;
}

// The characters of a valid date of the years 0-9999. The year is split
// without a sign, as such a year never has one.
DateCharacters CharactersOf(const CivilDate& date) {
    const auto year = static_cast<std::uint32_t>(date.year);
    const std::uint32_t century = (year * 5243) >> 19;  // year / 100 for every year below 43699
    return DateCharacters{kPairs[century] | std::uint32_t{kPairs[year - 100 * century]} << 16,
                          kPairs[date.month] | std::uint32_t{kPairs[date.day]} << 16,
                          AbbrevAndWide(date.month, date.day)};
}

// What a day of a March year (0 for 1 March to 365 for 29 February) gives
// every year: the characters of MMDD and AbbrevAndWide.
struct MarchDayCharacters {
    std::uint32_t monthDay;
    std::uint32_t abbrevAndWide;
};

constexpr std::array<MarchDayCharacters, 366> kMarchDays = [] {
    std::array<MarchDayCharacters, 366> days{};
    for (std::uint32_t dayOfYear = 0; dayOfYear < 366; ++dayOfYear) {
        const civil_detail::MarchMonthDay march = civil_detail::MarchMonthOf(dayOfYear);
        const bool january = dayOfYear >= civil_detail::kJanuaryOfMarchYear;
        const auto month = static_cast<int>(january ? march.month - 12 : march.month);
        const auto day = static_cast<int>(march.day);
        days[dayOfYear] = MarchDayCharacters{kPairs[month] | std::uint32_t{kPairs[day]} << 16,
                                             AbbrevAndWide(month, day)};
    }
    return days;
}();
static_assert(kMarchDays[0].monthDay == ('0' | '3' << 8 | '0' << 16 | '1' << 24));
static_assert(kMarchDays[365].monthDay == ('0' | '2' << 8 | '2' << 16 | '9' << 24));

// The first day a date text can hold counted from 1 March of the year 0.
constexpr std::uint32_t kMarchDaysOfFirstTextDay =
    static_cast<std::uint32_t>(kFirstTextDay + civil_detail::kMarchOfYear0);

// The characters of the day `marchDays` days after 1 March of the year 0, for
// days before the year 10000: the century and the March year from 32-bit
// multiplications, the rest from the day's entry of kMarchDays.
KALCORE_HOT_STEP DateCharacters CharactersOfDay(std::uint32_t marchDays) {
    const civil_detail::MarchYearDay march = civil_detail::MarchYearOf(marchDays);
    // The year's digits from the March year alone, so that their loads need
    // not wait for the day's entry.
    const std::uint32_t january = march.dayOfYear >= civil_detail::kJanuaryOfMarchYear ? 1 : 0;
    const std::uint32_t year = march.yearOfCentury + january;          // 0-100
    const std::uint32_t century = march.century + ((year + 28) >> 7);  // one more at 100
    const MarchDayCharacters& day = kMarchDays[march.dayOfYear];
    return DateCharacters{kPairs[century] | std::uint32_t{kPairs[year]} << 16, day.monthDay,
                          day.abbrevAndWide};
}

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
KALCORE_HOT_STEP void Place(TextWords& words, std::uint64_t characters) {
    if constexpr (Pos + Width <= 8) {
        words.low |= characters << (8 * Pos);
    } else if constexpr (Pos >= 8) {
        words.high |= static_cast<std::uint32_t>(characters << (8 * (Pos - 8)));
    } else {
        words.low |= characters << (8 * Pos);
        words.high |= static_cast<std::uint32_t>(characters >> (8 * (8 - Pos)));
    }
}

// A date in the layout at catalogue position I: the layout's literal text
// with the fields filled in at their positions, all known at compile time. A
// one-digit field holds a value below 10 once the code has been substituted,
// so its character is the second of the field's two. The text is put
// together in two words, returned in registers, so that the caller stores it
// whole wherever it goes.
template <std::size_t I>
KALCORE_HOT_STEP TextWords LayoutWords(const DateCharacters& date) {
    constexpr const FormatLayout& layout = kLayouts[I];
    TextWords words = LiteralWords(layout);
    if constexpr (layout.monthWidth == Width::Two && layout.dayWidth == Width::Two &&
                  layout.dayPos == layout.monthPos + 2) {
        Place<layout.monthPos, 4>(words, date.monthDay);  // MMDD at once
    } else {
        if constexpr (layout.monthWidth == Width::Two)
            Place<layout.monthPos, 2>(words, date.monthDay & 0xffff);
        else if constexpr (layout.monthWidth == Width::One)
            Place<layout.monthPos, 1>(words, date.monthDay >> 8 & 0xff);
        else
            Place<layout.monthPos, 3>(words, date.abbrevAndWide & 0xffffff);
        if constexpr (layout.dayWidth == Width::Two)
            Place<layout.dayPos, 2>(words, date.monthDay >> 16);
        else
            Place<layout.dayPos, 1>(words, date.monthDay >> 24);
    }
    if constexpr (layout.centuryPos >= 0 && layout.yearPos == layout.centuryPos + 2) {
        Place<layout.centuryPos, 4>(words, date.centuryYear);  // CCYY at once
    } else {
        Place<layout.yearPos, 2>(words, date.centuryYear >> 16);
        if constexpr (layout.centuryPos >= 0)
            Place<layout.centuryPos, 2>(words, date.centuryYear & 0xffff);
    }
    return words;
}

// A date in the layout at catalogue position I asked for, in the layout its
// fields finally move it to.
template <std::size_t I>
KALCORE_HOT_STEP TextWords AskedWords(const DateCharacters& date) {
    constexpr auto& as = kLayouts[I].writtenAs;
    if constexpr (as[0] == as[1] && as[0] == as[2] && as[0] == as[3]) {
        return LayoutWords<I>(date);
    } else if constexpr ((as[0] == as[2] && as[1] == as[3]) || (as[0] == as[1] && as[2] == as[3])) {
        // One field decides between two layouts: both written, one kept,
        // without a branch that a column of mixed dates would mispredict.
        constexpr unsigned kField = as[0] == as[2] ? 1 : 2;
        constexpr std::size_t kWide = as[0] == as[2] ? as[1] : as[2];
        const TextWords narrow = LayoutWords<as[0]>(date), wide = LayoutWords<kWide>(date);
        const bool isWide = ((date.abbrevAndWide >> 24) & kField) != 0;
        return TextWords{isWide ? wide.low : narrow.low, isWide ? wide.high : narrow.high};
    } else {
        // Both fields decide: a branch, which on a column of like dates costs
        // less than writing all four layouts.
        switch (date.abbrevAndWide >> 24) {
            case 0:
                return LayoutWords<as[0]>(date);
            case 1:
                return LayoutWords<as[1]>(date);
            case 2:
                return LayoutWords<as[2]>(date);
            default:
                return LayoutWords<as[3]>(date);
        }
    }
}

template <std::size_t I>
TextWords DateWordsAs(DateCharacters date) {
    return AskedWords<I>(date);
}

// The texts of a column of days asked for in the layout at catalogue
// position I, its writer inlined into the loop.
template <std::size_t I>
std::size_t DayTextsAs(const std::int64_t* days, std::size_t n, TextWords* texts) {
    std::size_t written = 0;
    for (std::size_t i = 0; i < n; ++i) {
        // Unsigned, so that a day before the first wraps far past the last.
        const std::uint64_t fromFirst =
            static_cast<std::uint64_t>(days[i]) - static_cast<std::uint64_t>(kFirstTextDay);
        if (fromFirst <= static_cast<std::uint64_t>(kLastTextDay - kFirstTextDay)) {
            texts[i] = AskedWords<I>(
                CharactersOfDay(static_cast<std::uint32_t>(fromFirst) + kMarchDaysOfFirstTextDay));
            ++written;
        } else {
            texts[i] = TextWords{0, 0};
        }
    }
    return written;
}

using DateWriter = TextWords (*)(DateCharacters);
using DayTextsWriter = std::size_t (*)(const std::int64_t*, std::size_t, TextWords*);

template <std::size_t... I>
constexpr auto DateWriters(std::index_sequence<I...>) {
    return std::array<DateWriter, sizeof...(I)>{&DateWordsAs<I>...};
}

template <std::size_t... I>
constexpr auto DayTextsWriters(std::index_sequence<I...>) {
    return std::array<DayTextsWriter, sizeof...(I)>{&DayTextsAs<I>...};
}

// One writer of each kind per catalogue position.
constexpr auto kDateWriters = DateWriters(std::make_index_sequence<kFormatCount>{});
constexpr auto kDayTextsWriters = DayTextsWriters(std::make_index_sequence<kFormatCount>{});

// Every layout asked for without a wide field is written as itself, so
// writtenAs[0] is its catalogue position.
static_assert([] {
    for (int i = 0; i < kFormatCount; ++i)
        if (kLayouts[i].writtenAs[0] != i) return false;
    return true;
}());

}  // namespace

TextWords DateWords(const FormatLayout& requested, const CivilDate& date) {
    return kDateWriters[requested.writtenAs[0]](CharactersOf(date));
}

std::size_t WriteDayTexts(const std::int64_t* days, std::size_t n, const FormatLayout& requested,
                          TextWords* texts) {
    return kDayTextsWriters[requested.writtenAs[0]](days, n, texts);
}

void WriteDate(const FormatLayout& requested, const CivilDate& date, DateText& out) {
    const TextWords words = DateWords(requested, date);
    std::memcpy(out, &words.low, sizeof words.low);
    std::memcpy(out + sizeof words.low, &words.high, sizeof words.high);
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
