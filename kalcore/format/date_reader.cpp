#include "format/date_reader.h"

#include <cstring>

#include "calendar/differences.h"
#include "format/date_writer.h"
#include "services/clock.h"
#include "services/conversion_file.h"

namespace kalcore {

namespace {

// A date text being read: always zero-filled past its end, so that a position
// beyond the text reads as '\0' and never matches a digit, letter or separator.
struct Text {
    char s[kDateTextSize];
    int len;

    char operator[](int i) const { return s[i]; }
};

int TextLength(const DateText& text) {
    int n = 0;
    while (n < static_cast<int>(kMaxDateChars) && text[n] != '\0') ++n;
    return n;
}

void Assign(Text& t, const DateText& src, int len) {
    std::memcpy(t.s, src, sizeof t.s);
    t.len = len;
    for (int i = len; i < static_cast<int>(kDateTextSize); ++i) t.s[i] = '\0';
}

void Assign(Text& t, const DateText& src) {
    Assign(t, src, TextLength(src));
}

// The clock is read at most once per call, and only when a date needs it.
class LazyClock {
  public:
    LazyClock() = default;
    explicit LazyClock(int century) : read_(true) {
        reading_.century[0] = static_cast<char>('0' + century / 10 % 10);
        reading_.century[1] = static_cast<char>('0' + century % 10);
    }
    const ClockReading& Get() {
        if (!read_) {
            ReadClock(reading_);
            read_ = true;
        }
        return reading_;
    }
    int Century() {
        const ClockReading& r = Get();
        return (r.century[0] - '0') * 10 + (r.century[1] - '0');
    }

  private:
    bool read_ = false;
    ClockReading reading_{};
};

constexpr bool IsSep(char c) {
    return c == '-' || c == '/';
}
constexpr bool DigitIn(char c, char lo, char hi) {
    return c >= lo && c <= hi;
}
constexpr int TwoDigitValue(char tens, char ones) {
    return (tens - '0') * 10 + (ones - '0');
}
constexpr bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads the decimal number in the `count` characters at `p` the library's
// usual way: leading blanks skipped, reading stops at the first non-digit,
// nothing read gives 0.
int ReadNumber(const char* p, int count) {
    int i = 0;
    while (i < count && IsBlank(p[i])) ++i;
    int value = 0;
    for (; i < count && IsDigitAscii(p[i]); ++i) value = value * 10 + (p[i] - '0');
    return value;
}

// A date found by a recogniser, before it is rewritten as a basic form.
struct Found {
    int century, year, month, day;
};

// Reads the year that starts at `pos`: four digits (the century's first digit
// 1-9) when the text goes on past pos + 1, else two digits completed with the
// current century.
bool ReadYearAt(const Text& t, int pos, LazyClock& clock, Found& f) {
    if (t.len > pos + 2) {
        if (!DigitIn(t[pos], '1', '9') || !IsDigitAscii(t[pos + 1]) || !IsDigitAscii(t[pos + 2]) ||
            !IsDigitAscii(t[pos + 3]))
            return false;
        f.century = TwoDigitValue(t[pos], t[pos + 1]);
        f.year = TwoDigitValue(t[pos + 2], t[pos + 3]);
        return true;
    }
    if (!IsDigitAscii(t[pos]) || !IsDigitAscii(t[pos + 1])) return false;
    f.year = TwoDigitValue(t[pos], t[pos + 1]);
    f.century = clock.Century();
    return true;
}

// Four digits of year at 0-3, the first 1-9.
bool ReadLeadingYear(const Text& t, Found& f) {
    if (!DigitIn(t[0], '1', '9') || !IsDigitAscii(t[1]) || !IsDigitAscii(t[2]) ||
        !IsDigitAscii(t[3]))
        return false;
    f.century = TwoDigitValue(t[0], t[1]);
    f.year = TwoDigitValue(t[2], t[3]);
    return true;
}

// A two-digit day whose first digit is 0-3 and second 0-9.
bool ReadDayDigits(const Text& t, int pos, Found& f) {
    if (!DigitIn(t[pos], '0', '3') || !IsDigitAscii(t[pos + 1])) return false;
    f.day = TwoDigitValue(t[pos], t[pos + 1]);
    return true;
}

bool Valid(const Found& f) {
    return ValidateDateParts(f.century, f.year, f.month, f.day);
}

// The basic form a recogniser rewrites its text into.
enum class Rewrite { None, MonthFirst, DayFirst };

Rewrite Accept(bool accepted, Rewrite form) {
    return accepted ? form : Rewrite::None;
}

// Family 1: mmm?DD?CCYY and mmm?DD?YY (codes K, L, M, N).
Rewrite MonthDayYear(const Text& t, LazyClock& clock, Found& f) {
    f.month = MonthFromAbbrev(t.s);
    if (f.month == 0 || !IsSep(t[3]) || t[6] != t[3]) return Rewrite::None;
    f.day = ReadNumber(t.s + 4, 2);
    return Accept(ReadYearAt(t, 7, clock, f) && Valid(f), Rewrite::MonthFirst);
}

// Family 2: DD/mmm/CCYY and DD/mmm/YY (codes H, I); '/' only.
Rewrite DaySlashMonth(const Text& t, LazyClock& clock, Found& f) {
    if (!ReadDayDigits(t, 0, f) || t[2] != '/' || t[6] != '/') return Rewrite::None;
    f.month = MonthFromAbbrev(t.s + 3);
    return Accept(f.month != 0 && ReadYearAt(t, 7, clock, f) && Valid(f), Rewrite::DayFirst);
}

// Family 3: numeric month-first dates with a one-digit month or day (codes U,
// V, W, X, @, & and M?D?YY, M?DD?YY, MM?D?YY), tried as three layouts.
Rewrite ShortNumeric(const Text& t, LazyClock& clock, Found& f) {
    // M?D?
    if (IsSep(t[1]) && t[3] == t[1] && DigitIn(t[0], '1', '9') && DigitIn(t[2], '1', '9')) {
        f.month = t[0] - '0';
        f.day = t[2] - '0';
        if (ReadYearAt(t, 4, clock, f) && Valid(f)) return Rewrite::MonthFirst;
    }
    // M?DD?
    if (IsSep(t[1]) && t[4] == t[1] && DigitIn(t[0], '1', '9') && ReadDayDigits(t, 2, f)) {
        f.month = t[0] - '0';
        if (ReadYearAt(t, 5, clock, f) && Valid(f)) return Rewrite::MonthFirst;
    }
    // MM?D?
    if (IsSep(t[2]) && t[4] == t[2] && DigitIn(t[3], '1', '9')) {
        f.month = ReadNumber(t.s, 2);
        f.day = t[3] - '0';
        if (ReadYearAt(t, 5, clock, f) && Valid(f)) return Rewrite::MonthFirst;
    }
    return Rewrite::None;
}

// Family 4: year first, month second (codes E, F, G, J, O).
Rewrite YearMonthDay(const Text& t, LazyClock&, Found& f) {
    if (!ReadLeadingYear(t, f)) return Rewrite::None;
    int dayPos;
    Rewrite form = Rewrite::MonthFirst;
    if (!IsSep(t[4])) {  // CCYYMMDD
        f.month = ReadNumber(t.s + 4, 2);
        dayPos = 6;
    } else if (t[8] == t[4]) {  // CCYY?mmm?DD
        f.month = MonthFromAbbrev(t.s + 5);
        form = Rewrite::DayFirst;
        dayPos = 9;
    } else if (t[7] == t[4]) {  // CCYY?MM?DD
        f.month = ReadNumber(t.s + 5, 2);
        dayPos = 8;
    } else {
        return Rewrite::None;
    }
    if (t.len < dayPos + 2) return Rewrite::None;  // the day must be two characters long
    f.day = ReadNumber(t.s + dayPos, 2);
    return Accept(Valid(f), form);
}

// Family 5: a one-digit day before the month abbreviation (codes Y, Z, $ and
// D-mmm-YY, D/mmm/YY, DmmmYY).
Rewrite ShortDayMonth(const Text& t, LazyClock& clock, Found& f) {
    if (!DigitIn(t[0], '1', '9')) return Rewrite::None;
    f.day = t[0] - '0';
    int monthPos = 1, yearPos = 4;
    if (IsSep(t[1])) {
        if (t[5] != t[1]) return Rewrite::None;
        monthPos = 2;
        yearPos = 6;
    }
    f.month = MonthFromAbbrev(t.s + monthPos);
    return Accept(f.month != 0 && ReadYearAt(t, yearPos, clock, f) && Valid(f), Rewrite::DayFirst);
}

// Family 6: mmm?D?CCYY and mmm?D?YY (codes *, # and mmm-D-YY, mmm/D/YY).
Rewrite MonthShortDay(const Text& t, LazyClock& clock, Found& f) {
    f.month = MonthFromAbbrev(t.s);
    if (f.month == 0 || !IsSep(t[3]) || t[5] != t[3]) return Rewrite::None;
    f.day = ReadNumber(t.s + 4, 1);
    return Accept(ReadYearAt(t, 6, clock, f) && Valid(f), Rewrite::MonthFirst);
}

// Family 7: year first, day second (codes P, Q, R, S). A text with a valid
// month-first reading was already taken by family 4.
Rewrite YearDayMonth(const Text& t, LazyClock&, Found& f) {
    if (!IsSep(t[4]) || t[7] != t[4] || !ReadLeadingYear(t, f) || !ReadDayDigits(t, 5, f))
        return Rewrite::None;
    const int following = t.len - 8;
    if (following > 2) {
        f.month = MonthFromAbbrev(t.s + 8);
    } else if (following == 2) {
        if (!DigitIn(t[8], '0', '2') || !IsDigitAscii(t[9])) return Rewrite::None;
        f.month = TwoDigitValue(t[8], t[9]);
    } else {
        return Rewrite::None;
    }
    return Accept(Valid(f), Rewrite::MonthFirst);
}

// Family 8: CCYYmmmDD (code T).
Rewrite YearAbbrevDay(const Text& t, LazyClock&, Found& f) {
    if (!ReadLeadingYear(t, f)) return Rewrite::None;
    f.month = MonthFromAbbrev(t.s + 4);
    return Accept(f.month != 0 && ReadDayDigits(t, 7, f) && Valid(f), Rewrite::MonthFirst);
}

// Writes MM/DD/CCYY (code B).
void WriteMonthFirst(const Found& f, DateText& out) {
    WriteMonthFirstDate(out, f.month, f.day, f.century, f.year, '/');
}

// Writes DD-mmm-CCYY (code 7) with the month in lower case.
void WriteDayFirst(const Found& f, DateText& out) {
    std::memset(out, 0, sizeof out);
    PutTwoDigits(out, f.day);
    out[2] = '-';
    const char* abbrev = kMonthAbbrevs[f.month];
    out[3] = ToLowerAscii(abbrev[0]);
    out[4] = abbrev[1];
    out[5] = abbrev[2];
    out[6] = '-';
    PutTwoDigits(out + 7, f.century);
    PutTwoDigits(out + 9, f.year);
}

// Runs the recognisers in their fixed order; the first to accept wins.
bool Recognize(const Text& t, LazyClock& clock, DateText& out) {
    Found f{};
    Rewrite form = MonthDayYear(t, clock, f);
    if (form == Rewrite::None) form = DaySlashMonth(t, clock, f);
    if (form == Rewrite::None) form = ShortNumeric(t, clock, f);
    if (form == Rewrite::None) form = YearMonthDay(t, clock, f);
    if (form == Rewrite::None) form = ShortDayMonth(t, clock, f);
    if (form == Rewrite::None) form = MonthShortDay(t, clock, f);
    if (form == Rewrite::None) form = YearDayMonth(t, clock, f);
    if (form == Rewrite::None) form = YearAbbrevDay(t, clock, f);
    switch (form) {
        case Rewrite::None:
            return false;
        case Rewrite::MonthFirst:
            WriteMonthFirst(f, out);
            return true;
        case Rewrite::DayFirst:
            WriteDayFirst(f, out);
            return true;
    }
    return false;
}

// Basic detection: the input code of a text that no family recogniser took,
// or 0 when the text starts with no date. A leading blank is read as '0'.
char DetectBasicCode(Text& t) {
    if (t[2] == '.' && t[5] == '.') return '5';
    if (t.s[0] == ' ') t.s[0] = '0';
    if (t[2] == '-' && t[6] == '-') return t.len == 9 ? '6' : '7';
    if (static_cast<unsigned char>(t[2]) > '9') return t.len == 7 ? '8' : '9';
    if (!IsDigitAscii(t[0]) || !IsDigitAscii(t[1])) return 0;
    const bool slashes = t[2] == '/' && t[5] == '/';
    const bool dashes = t[2] == '-' && t[5] == '-';
    if (TwoDigitValue(t[0], t[1]) > 12) return slashes ? '4' : '2';  // the text starts with a year
    if (slashes && t.len == 8) return '3';
    if (dashes && t.len == 8) return 'C';
    if (dashes && t.len > 8) return 'A';
    if (slashes) return 'B';
    return t.len == 6 ? '1' : 'D';
}

void CopyField(char (&field)[2], const char* src) {
    field[0] = src[0];
    field[1] = src[1];
}

// Copies the fields of a basic input code from their catalogue positions.
// Fails on an unknown month abbreviation.
bool ExtractFields(const Text& t, const FormatLayout& layout, NormalizedDate& date) {
    if (layout.monthWidth == Width::Abbrev) {
        const int month = MonthFromAbbrev(t.s + layout.monthPos);
        if (month == 0) return false;
        PutTwoDigits(date.month, month);
    } else {
        CopyField(date.month, t.s + layout.monthPos);
    }
    CopyField(date.day, t.s + layout.dayPos);
    CopyField(date.year, t.s + layout.yearPos);
    date.centuryGiven = layout.centuryPos >= 0;
    if (date.centuryGiven) CopyField(date.century, t.s + layout.centuryPos);
    return true;
}

bool TwoDigits(const char (&field)[2]) {
    return IsDigitAscii(field[0]) && IsDigitAscii(field[1]);
}

// Compares a two-character field with a two-character text as the byte
// strings they are.
int CompareField(const char (&field)[2], const char* text) {
    const int a = static_cast<unsigned char>(field[0]) << 8 | static_cast<unsigned char>(field[1]);
    const int b = static_cast<unsigned char>(text[0]) << 8 | static_cast<unsigned char>(text[1]);
    return a - b;
}

// Validation of the extracted texts. February's limit here follows
// divisibility by 4 alone, so 02/29/1900 is accepted in a basic code.
bool ValidateFields(const NormalizedDate& date, int selectorCentury) {
    if (!TwoDigits(date.month) || !TwoDigits(date.day) || !TwoDigits(date.year)) return false;
    if (date.centuryGiven && !TwoDigits(date.century)) return false;
    if (CompareField(date.month, "01") < 0 || CompareField(date.month, "12") > 0) return false;
    const int century =
        date.centuryGiven ? TwoDigitValue(date.century[0], date.century[1]) : selectorCentury;
    const int fullYear = century * 100 + TwoDigitValue(date.year[0], date.year[1]);
    const int month = TwoDigitValue(date.month[0], date.month[1]);
    const char* limit = (month == 2 && fullYear % 4 != 0) ? "28" : kMonthDayLimitText[month];
    if (CompareField(date.day, "01") < 0 || CompareField(date.day, limit) > 0) return false;
    return !date.centuryGiven || date.century[0] != '0';
}

// Replaces today's date by the day a "YESTER" keyword names.
bool MoveBackDays(DateText& date, int daysBack) {
    DateText moved;
    if (!DaysBack(date, moved, daysBack)) return false;
    std::memcpy(date, moved, sizeof date);
    return true;
}

// The preferred output format stored in the date conversion file replaces the
// requested code; without a valid stored code the requested one stays.
void ApplyPreferredFormat(CodeText& code) {
    CodeText stored;
    if (services::ReadConversionCode(stored, services::kConversionFileRead)) code[0] = stored[0];
}

void CopyText(DateText& out, const char* src) {
    std::size_t n = 0;
    for (; n < kMaxDateChars && src[n] != '\0'; ++n) out[n] = src[n];
    out[n] = '\0';
}

// Removes trailing characters whose value as a signed byte is 32 or less
// (blanks, control characters and every byte of 128 and above). A text made
// only of such characters is kept as it is.
// Returns the length of the trimmed text.
int TrimTrailing(DateText& text) {
    const int n = TextLength(text);
    text[n] = '\0';
    int end = n;
    while (end > 0 && static_cast<signed char>(text[end - 1]) <= 32) --end;
    if (end == 0) return n;
    text[end] = '\0';
    return end;
}

}  // namespace

bool ValidateDateParts(int century, int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) return false;
    return day <= kDaysInMonth[IsLeapYear(century * 100 + year) ? 1 : 0][month];
}

bool RecognizeExtendedFormat(const char* text, int currentCentury, DateText& rewritten) {
    if (text == nullptr) return false;
    DateText copy = {};
    std::memcpy(copy, text, strnlen(text, kMaxDateChars));
    Text t;
    Assign(t, copy);
    LazyClock clock(currentCentury);
    return Recognize(t, clock, rewritten);
}

bool ReadDateFields(DateText& input, int centurySelector, bool outputCodeKnown,
                    NormalizedDate& date, DateText& textRead) {
    LazyClock clock;
    Text t;
    Assign(t, input, TrimTrailing(input));

    char inputCode = 0;
    int daysBack = 0;
    if (MatchDateKeyword(t.s, daysBack)) {
        const ClockReading& now = clock.Get();
        std::memset(input, 0, sizeof input);
        std::memcpy(input, now.month, 2);
        input[2] = '/';
        std::memcpy(input + 3, now.day, 2);
        input[5] = '/';
        std::memcpy(input + 6, now.century, 2);
        std::memcpy(input + 8, now.year, 2);
        if (daysBack >= 0 && !MoveBackDays(input, daysBack)) {
            CopyText(textRead, input);
            return false;
        }
        Assign(t, input);
        inputCode = 'B';
    } else {
        DateText rewritten;
        if (Recognize(t, clock, rewritten)) Assign(t, rewritten);
    }

    const bool selectorValid = centurySelector >= 0 && centurySelector <= 9;
    if (!outputCodeKnown || !selectorValid) {
        CopyText(textRead, t.s);
        return false;
    }

    const char leadingChar = t.s[0];
    if (inputCode == 0) inputCode = DetectBasicCode(t);
    // Six digits are read from the text as it was: a leading blank stays a blank.
    if (inputCode == '1') t.s[0] = leadingChar;
    date = NormalizedDate{};
    bool ok = inputCode != 0 && ExtractFields(t, *LayoutFor(inputCode), date);

    // The selector's century: needed for a two-digit year, and to replace an
    // input century when the selector is fixed (1-9).
    int selectorCentury = 0;
    if (ok && (!date.centuryGiven || centurySelector != 0))
        selectorCentury =
            centurySelector == 0 ? clock.Century() : FixedCenturyOfSelector(centurySelector);

    if (!ok || !ValidateFields(date, selectorCentury)) {
        t.s[0] = leadingChar;
        CopyText(textRead, t.s);
        return false;
    }
    if (!date.centuryGiven || centurySelector != 0) PutTwoDigits(date.century, selectorCentury);
    return true;
}

bool ParseConvertDate(DateText& input, DateText& output, CodeText& code, int useConversionFile,
                      int centurySelector) {
    if (useConversionFile == kUseConversionFile) ApplyPreferredFormat(code);
    const char outputCode = ToUpperAscii(code[0]);
    NormalizedDate date;
    if (!ReadDateFields(input, centurySelector, LayoutFor(outputCode) != nullptr, date, output))
        return false;
    RenderDate(date, outputCode, output);
    return true;
}

}  // namespace kalcore
