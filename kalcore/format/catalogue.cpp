#include "format/catalogue.h"

#include <array>
#include <cstring>

#include "format/layouts.h"
#include "services/clock.h"

namespace kalcore {

namespace {

constexpr std::array<std::uint8_t, 256> BuildIndexTable() {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < kFormatCount; ++i)
        table[static_cast<unsigned char>(kLayouts[i].code)] = static_cast<std::uint8_t>(i + 1);
    return table;
}

constexpr std::array<std::uint8_t, 256> kIndexOf = BuildIndexTable();

// The layout of every byte taken as a format code in either case.
constexpr std::array<const FormatLayout*, 256> BuildEitherCaseTable() {
    std::array<const FormatLayout*, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const int index =
            kIndexOf[static_cast<unsigned char>(ToUpperAscii(static_cast<char>(byte)))];
        table[byte] = index == 0 ? nullptr : &kLayouts[index - 1];
    }
    return table;
}

constexpr std::array<const FormatLayout*, 256> kLayoutOfEitherCase = BuildEitherCaseTable();

constexpr bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

const char* const kMonthAbbrevs[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const int kDaysInMonth[2][13] = {
    {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};

const char kMonthDayLimitText[13][3] = {"",   "31", "29", "31", "30", "31", "30",
                                        "31", "31", "30", "31", "30", "31"};

void WriteMonthFirstDate(DateText& out, int month, int day, int century, int year, char separator) {
    std::memset(out, 0, sizeof out);
    PutTwoDigits(out, month);
    out[2] = separator;
    PutTwoDigits(out + 3, day);
    out[5] = separator;
    PutTwoDigits(out + 6, century);
    PutTwoDigits(out + 8, year);
}

int FormatIndex(char code) {
    return kIndexOf[static_cast<unsigned char>(code)];
}

const FormatLayout* LayoutFor(char code) {
    const int index = FormatIndex(code);
    return index == 0 ? nullptr : &kLayouts[index - 1];
}

const FormatLayout& WrittenLayout(const FormatLayout& layout, int month, int day) {
    return kLayouts[layout.writtenAs[WideFields(month, day)]];
}

const FormatLayout* LayoutForEitherCase(char code) {
    return kLayoutOfEitherCase[static_cast<unsigned char>(code)];
}

bool IsFormatCode(const char* text) {
    return text != nullptr && FormatIndex(ToUpperAscii(text[0])) != 0;
}

int MonthFromAbbrev(const char* three) {
    if (!IsLetter(three[0]) || !IsLetter(three[1]) || !IsLetter(three[2])) return 0;
    return MonthFromLetters(three);
}

void CurrentCentury(CenturyText& out) {
    ClockReading now;
    ReadClock(now);
    out[0] = now.century[0];
    out[1] = now.century[1];
    out[2] = '\0';
}

int FixedCenturyOfSelector(int selector) {
    return (selector >= 1 && selector <= 9) ? 15 + selector : 0;
}

bool CenturyFromSelector(int selector, CenturyText& out) {
    if (selector == 0) {
        CurrentCentury(out);
        return true;
    }
    const int century = FixedCenturyOfSelector(selector);
    if (century == 0) return false;
    out[0] = static_cast<char>('0' + century / 10);
    out[1] = static_cast<char>('0' + century % 10);
    out[2] = '\0';
    return true;
}

}  // namespace kalcore
