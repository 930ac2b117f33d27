#include "format/catalogue.h"

#include <array>
#include <cstring>

#include "services/clock.h"

namespace kalcore {

namespace {

struct FormatSource {
    char code;
    const char* pattern;
    char codeWhenDayWide;
    char codeWhenMonthWide;
};

// The catalogue in index order. Code 6 carries its two trailing blanks in the
// pattern, so every pattern is exactly as long as the text it produces.
constexpr FormatSource kSources[kFormatCount] = {
    {'1', "MMDDYY", 0, 0},       {'2', "YYMMDD", 0, 0},       {'3', "MM/DD/YY", 0, 0},
    {'4', "YY/MM/DD", 0, 0},     {'5', "YY.MM.DD", 0, 0},     {'6', "DD-mmm-YY  ", 0, 0},
    {'7', "DD-mmm-CCYY", 0, 0},  {'8', "DDmmmYY", 0, 0},      {'9', "DDmmmCCYY", 0, 0},
    {'A', "MM-DD-CCYY", 0, 0},   {'B', "MM/DD/CCYY", 0, 0},   {'C', "MM-DD-YY", 0, 0},
    {'D', "MMDDCCYY", 0, 0},     {'E', "CCYYMMDD", 0, 0},     {'F', "CCYY-mmm-DD", 0, 0},
    {'G', "CCYY-MM-DD", 0, 0},   {'H', "DD/mmm/CCYY", 0, 0},  {'I', "DD/mmm/YY", 0, 0},
    {'J', "CCYY/mmm/DD", 0, 0},  {'K', "mmm/DD/CCYY", 0, 0},  {'L', "mmm/DD/YY", 0, 0},
    {'M', "mmm-DD-CCYY", 0, 0},  {'N', "mmm-DD-YY", 0, 0},    {'O', "CCYY/MM/DD", 0, 0},
    {'P', "CCYY/DD/MM", 0, 0},   {'Q', "CCYY-DD-MM", 0, 0},   {'R', "CCYY/DD/mmm", 0, 0},
    {'S', "CCYY-DD-mmm", 0, 0},  {'T', "CCYYmmmDD", 0, 0},    {'U', "MM-D-CCYY", 'A', 0},
    {'V', "MM/D/CCYY", 'B', 0},  {'W', "M-DD-CCYY", 0, 'A'},  {'X', "M/DD/CCYY", 0, 'B'},
    {'Y', "D-mmm-CCYY", '7', 0}, {'Z', "D/mmm/CCYY", 'H', 0}, {'*', "mmm-D-CCYY", 'M', 0},
    {'#', "mmm/D/CCYY", 'K', 0}, {'@', "M-D-CCYY", 'W', 'U'}, {'&', "M/D/CCYY", 'X', 'V'},
    {'$', "DmmmCCYY", '9', 0},   {'[', "DD/MM/CCYY", 0, 0},   {']', "DD/M/CCYY", 0, '['},
    {'{', "D/M/CCYY", ']', '}'}, {'}', "D/MM/CCYY", '[', 0},  {'<', "DD-MM-CCYY", 0, 0},
    {'>', "DD-M-CCYY", 0, '<'},  {'+', "D-M-CCYY", '>', '='}, {'=', "D-MM-CCYY", '<', 0},
};

constexpr bool StartsWith(const char* s, const char* prefix) {
    for (; *prefix; ++s, ++prefix)
        if (*s != *prefix) return false;
    return true;
}

// Reads a pattern ("MM/DD/CCYY", "DmmmCCYY", ...) into a layout: literal
// characters stay in the text, fields record their position and width.
constexpr FormatLayout Compile(const FormatSource& src) {
    FormatLayout layout{};
    layout.code = src.code;
    layout.codeWhenDayWide = src.codeWhenDayWide;
    layout.codeWhenMonthWide = src.codeWhenMonthWide;
    layout.centuryPos = -1;
    int pos = 0;
    for (const char* p = src.pattern; *p; ++pos) {
        const auto here = static_cast<std::int8_t>(pos);
        if (StartsWith(p, "mmm")) {
            layout.monthPos = here;
            layout.monthWidth = Width::Abbrev;
        } else if (StartsWith(p, "MM")) {
            layout.monthPos = here;
            layout.monthWidth = Width::Two;
        } else if (StartsWith(p, "DD")) {
            layout.dayPos = here;
            layout.dayWidth = Width::Two;
        } else if (StartsWith(p, "YY")) {
            layout.yearPos = here;
        } else if (StartsWith(p, "CC")) {
            layout.centuryPos = here;
        } else if (*p == 'M') {
            layout.monthPos = here;
            layout.monthWidth = Width::One;
        } else if (*p == 'D') {
            layout.dayPos = here;
            layout.dayWidth = Width::One;
        } else {
            layout.text[pos] = *p;
            ++p;
            continue;
        }
        const int width = (StartsWith(p, "mmm") ? 3 : (p[0] == p[1] ? 2 : 1));
        for (int i = 0; i < width; ++i) layout.text[pos + i] = p[i];
        if (*p != 'm')
            for (int i = 0; i < width; ++i) layout.digitPositions |= std::uint16_t(1u << (pos + i));
        p += width;
        pos += width - 1;
    }
    layout.length = static_cast<std::uint8_t>(pos);
    return layout;
}

constexpr int PositionOf(char code) {
    for (int i = 0; i < kFormatCount; ++i)
        if (kSources[i].code == code) return i;
    return -1;
}

// Follows the substitutions of a code for a month and a day that are, or are
// not, 10 or more: the month's first, as long as one applies.
constexpr int FinalPosition(int position, bool monthWide, bool dayWide) {
    for (;;) {
        const FormatSource& src = kSources[position];
        if (monthWide && src.codeWhenMonthWide != 0) {
            position = PositionOf(src.codeWhenMonthWide);
        } else if (dayWide && src.codeWhenDayWide != 0) {
            position = PositionOf(src.codeWhenDayWide);
        } else {
            return position;
        }
    }
}

constexpr std::array<FormatLayout, kFormatCount> CompileAll() {
    std::array<FormatLayout, kFormatCount> all{};
    for (int i = 0; i < kFormatCount; ++i) {
        all[i] = Compile(kSources[i]);
        for (int wide = 0; wide < 4; ++wide)
            all[i].writtenAs[wide] =
                static_cast<std::uint8_t>(FinalPosition(i, (wide & 2) != 0, (wide & 1) != 0));
    }
    return all;
}

constexpr std::array<FormatLayout, kFormatCount> kLayouts = CompileAll();

constexpr std::array<std::uint8_t, 256> BuildIndexTable() {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < kFormatCount; ++i)
        table[static_cast<unsigned char>(kSources[i].code)] = static_cast<std::uint8_t>(i + 1);
    return table;
}

constexpr std::array<std::uint8_t, 256> kIndexOf = BuildIndexTable();

static_assert(kLayouts[5].length == 11, "code 6 is written with two trailing blanks");
static_assert(kLayouts[kLayouts[37].writtenAs[WideFields(11, 25)]].code == 'A',
              "M-D-CCYY with two wide fields goes through MM-D-CCYY to MM-DD-CCYY");
static_assert(kLayouts[39].code == '$' && kLayouts[39].length == 8);
static_assert(kLayouts[39].digitPositions == 0b11110001, "DmmmCCYY: digits at 0 and 4-7");
static_assert(kLayouts[47].code == '=' && kLayouts[47].length == 9);

// The month abbreviations packed as lower-case three-letter keys, placed in a
// 32-slot table by a multiplicative hash that gives each its own slot.
constexpr std::uint32_t Key(char a, char b, char c) {
    return std::uint32_t(static_cast<unsigned char>(a)) << 16 |
           std::uint32_t(static_cast<unsigned char>(b)) << 8 | static_cast<unsigned char>(c);
}

constexpr unsigned Slot(std::uint32_t key) {
    return (key * 331520u) >> 27;
}

constexpr const char* kLowerAbbrevs[12] = {"jan", "feb", "mar", "apr", "may", "jun",
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

constexpr std::array<AbbrevSlot, 32> kAbbrevSlots = BuildAbbrevSlots();

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

bool IsFormatCode(const char* text) {
    return text != nullptr && FormatIndex(ToUpperAscii(text[0])) != 0;
}

int MonthFromAbbrev(const char* three) {
    if (!IsLetter(three[0]) || !IsLetter(three[1]) || !IsLetter(three[2])) return 0;
    const std::uint32_t key =
        Key(ToLowerAscii(three[0]), ToLowerAscii(three[1]), ToLowerAscii(three[2]));
    const AbbrevSlot& slot = kAbbrevSlots[Slot(key)];
    return slot.key == key ? slot.month : 0;
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
