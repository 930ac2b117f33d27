#include "format/date_writer.h"

#include <array>
#include <cstring>
#include <utility>

#include "format/date_reader.h"
#include "format/layouts.h"

namespace kalcore {

namespace {

constexpr char kDayFirstCodes[] = "[]{}<>+=";

struct Values {
    int month, day, century, year;
};

// The month abbreviations packed three characters apiece, January at 3.
constexpr char kAbbrevText[] = "   JanFebMarAprMayJunJulAugSepOctNovDec";

// Writes a date in the layout at catalogue position I: copies the layout's
// text (separators and terminator in place) and fills in the fields at their
// positions, all known at compile time. A one-digit field holds a value below
// 10 once the code has been substituted.
template <std::size_t I>
void WriteLayout(const Values& v, DateText& out) {
    constexpr FormatLayout layout = kLayouts[I];
    std::memcpy(out, layout.text, sizeof out);
    if constexpr (layout.monthWidth == Width::Two)
        PutDigitPair(out + layout.monthPos, v.month);
    else if constexpr (layout.monthWidth == Width::One)
        out[layout.monthPos] = static_cast<char>('0' + v.month);
    else
        std::memcpy(out + layout.monthPos, kAbbrevText + 3 * v.month, 3);
    if constexpr (layout.dayWidth == Width::Two)
        PutDigitPair(out + layout.dayPos, v.day);
    else
        out[layout.dayPos] = static_cast<char>('0' + v.day);
    PutDigitPair(out + layout.yearPos, v.year);
    if constexpr (layout.centuryPos >= 0) PutDigitPair(out + layout.centuryPos, v.century);
}

using LayoutWriter = void (*)(const Values&, DateText&);

template <std::size_t... I>
constexpr std::array<LayoutWriter, sizeof...(I)> MakeWriters(std::index_sequence<I...>) {
    return {&WriteLayout<I>...};
}

// One writer per catalogue position.
constexpr std::array<LayoutWriter, kFormatCount> kWriters =
    MakeWriters(std::make_index_sequence<kFormatCount>{});

// Writes the date in the layout that `requested` becomes for its month and day.
void Build(const FormatLayout& requested, const Values& v, DateText& out) {
    kWriters[requested.writtenAs[WideFields(v.month, v.day)]](v, out);
}

int FieldValue(const char (&field)[2]) {
    return TwoDigitValue(field[0], field[1]);
}

}  // namespace

char SubstituteCode(char code, int month, int day) {
    const FormatLayout* layout = LayoutFor(code);
    return layout == nullptr ? code : WrittenLayout(*layout, month, day).code;
}

void WriteDate(const FormatLayout& requested, int month, int day, int century, int year,
               DateText& out) {
    Build(requested, Values{month, day, century, year}, out);
}

void RenderDate(const NormalizedDate& date, char code, DateText& out) {
    const FormatLayout* layout = LayoutFor(code);
    if (layout == nullptr) {
        out[0] = '\0';
        return;
    }
    const Values v{FieldValue(date.month), FieldValue(date.day), FieldValue(date.century),
                   FieldValue(date.year)};
    Build(*layout, v, out);
}

bool FormatEnglishStyle(DateText& out, int kind, int month, int day, int century, int year) {
    if (kind < 1 || kind > 8 || month < 0 || month > 99 || day < 0 || day > 99 || century < 0 ||
        century > 99 || year < 0 || year > 99) {
        out[0] = '\0';
        return false;
    }
    Build(*LayoutFor(kDayFirstCodes[kind - 1]), Values{month, day, century, year}, out);
    return true;
}

}  // namespace kalcore
