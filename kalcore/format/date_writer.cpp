#include "format/date_writer.h"

#include <cstring>

#include "format/date_reader.h"

namespace kalcore {

namespace {

constexpr char kDayFirstCodes[] = "[]{}<>+=";

struct Values {
    int month, day, century, year;
};

// Copies the layout's text (separators and terminator in place) and fills in
// the fields; a one-digit field holds a value below 10 once the code has been
// substituted.
void Build(const FormatLayout& layout, const Values& v, DateText& out) {
    std::memcpy(out, layout.text, sizeof out);
    char* month = out + layout.monthPos;
    switch (layout.monthWidth) {
        case Width::Two:
            PutDigitPair(month, v.month);
            break;
        case Width::One:
            month[0] = static_cast<char>('0' + v.month);
            break;
        case Width::Abbrev:
            std::memcpy(month, kMonthAbbrevs[v.month], 3);
            break;
    }
    if (layout.dayWidth == Width::Two)
        PutDigitPair(out + layout.dayPos, v.day);
    else
        out[layout.dayPos] = static_cast<char>('0' + v.day);
    PutDigitPair(out + layout.yearPos, v.year);
    if (layout.centuryPos >= 0) PutDigitPair(out + layout.centuryPos, v.century);
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
    Build(WrittenLayout(requested, month, day), Values{month, day, century, year}, out);
}

void RenderDate(const NormalizedDate& date, char code, DateText& out) {
    const FormatLayout* layout = LayoutFor(code);
    if (layout == nullptr) {
        out[0] = '\0';
        return;
    }
    const Values v{FieldValue(date.month), FieldValue(date.day), FieldValue(date.century),
                   FieldValue(date.year)};
    Build(WrittenLayout(*layout, v.month, v.day), v, out);
}

bool FormatEnglishStyle(DateText& out, int kind, int month, int day, int century, int year) {
    if (kind < 1 || kind > 8 || month < 0 || month > 99 || day < 0 || day > 99 || century < 0 ||
        century > 99 || year < 0 || year > 99) {
        out[0] = '\0';
        return false;
    }
    Build(WrittenLayout(*LayoutFor(kDayFirstCodes[kind - 1]), month, day),
          Values{month, day, century, year}, out);
    return true;
}

}  // namespace kalcore
