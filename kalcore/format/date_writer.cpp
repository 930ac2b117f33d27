#include "format/date_writer.h"

#include "format/date_reader.h"

namespace kalcore {

namespace {

constexpr char kDayFirstCodes[] = "[]{}<>+=";

struct Values {
    int month, day, century, year;
};

void PutTwo(char* out, int value) {
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
}

// Walks the layout of a code and writes its fields; the one-digit fields hold
// values below 10 once the code has been substituted.
void Build(const FormatLayout& layout, const Values& v, DateText& out) {
    char* p = out;
    for (int i = 0; i < layout.stepCount; ++i) {
        const LayoutStep& step = layout.steps[i];
        switch (step.field) {
            case Field::Literal:
                *p++ = step.literal;
                break;
            case Field::Month2:
                PutTwo(p, v.month);
                p += 2;
                break;
            case Field::Month1:
                *p++ = static_cast<char>('0' + v.month % 10);
                break;
            case Field::Day2:
                PutTwo(p, v.day);
                p += 2;
                break;
            case Field::Day1:
                *p++ = static_cast<char>('0' + v.day % 10);
                break;
            case Field::Year:
                PutTwo(p, v.year);
                p += 2;
                break;
            case Field::Century:
                PutTwo(p, v.century);
                p += 2;
                break;
            case Field::MonthAbbrev: {
                const char* abbrev = kMonthAbbrevs[v.month];
                p[0] = abbrev[0];
                p[1] = abbrev[1];
                p[2] = abbrev[2];
                p += 3;
                break;
            }
        }
    }
    *p = '\0';
}

int Two(const char (&field)[2]) {
    return (field[0] - '0') * 10 + (field[1] - '0');
}

}  // namespace

char SubstituteCode(char code, int month, int day) {
    for (;;) {
        const FormatLayout* layout = LayoutFor(code);
        if (layout == nullptr) return code;
        if (month >= 10 && layout->codeWhenMonthWide != 0) {
            code = layout->codeWhenMonthWide;
        } else if (day >= 10 && layout->codeWhenDayWide != 0) {
            code = layout->codeWhenDayWide;
        } else {
            return code;
        }
    }
}

void RenderDate(const NormalizedDate& date, char code, DateText& out) {
    const Values v{Two(date.month), Two(date.day), Two(date.century), Two(date.year)};
    const FormatLayout* layout = LayoutFor(SubstituteCode(code, v.month, v.day));
    if (layout == nullptr) {
        out[0] = '\0';
        return;
    }
    Build(*layout, v, out);
}

bool FormatEnglishStyle(DateText& out, int kind, int month, int day, int century, int year) {
    if (kind < 1 || kind > 8 || month < 0 || month > 99 || day < 0 || day > 99 || century < 0 ||
        century > 99 || year < 0 || year > 99) {
        out[0] = '\0';
        return false;
    }
    const char code = SubstituteCode(kDayFirstCodes[kind - 1], month, day);
    Build(*LayoutFor(code), Values{month, day, century, year}, out);
    return true;
}

}  // namespace kalcore
