#include "format/date_reader.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "format/ascii.h"
#include "format/names.h"
#include "format/text_scan.h"
#include "platform/clock.h"
#include "platform/compiler.h"

namespace kalcore {

namespace {

// A date text being read: always zero-filled past its end, so that a position
// beyond the text reads as '\0' and never matches a digit, letter or separator.
struct Text {
    char s[kDateTextSize];
    int len;
    std::uint64_t classes;  // the classes of the characters of s

    char operator[](int i) const { return s[i]; }
    // True when every position that `layout` names holds a character of its class.
    bool Fits(std::uint64_t layout) const { return (classes & layout) == layout; }
};

// Sixteen bytes of ones, then sixteen of zeros: the 12 bytes at 16 - length
// keep the first `length` bytes of a text and clear the rest.
constexpr std::array<unsigned char, 32> kKeepFirst = [] {
    std::array<unsigned char, 32> bytes{};
    for (int i = 0; i < 16; ++i) bytes[i] = 0xff;
    return bytes;
}();

// Copies the first `length` (0-11) characters of src into the text and zeroes
// the rest of its 12 bytes. The bytes after a terminator of src may be
// anything. Copied as two words, masked.
void Assign(Text& t, const DateText& src, int length, std::uint64_t classes) {
    const unsigned char* keep = kKeepFirst.data() + 16 - length;
    std::uint64_t low, lowKeep;
    std::uint32_t high, highKeep;
    std::memcpy(&low, src, sizeof low);
    std::memcpy(&high, src + sizeof low, sizeof high);
    std::memcpy(&lowKeep, keep, sizeof lowKeep);
    std::memcpy(&highKeep, keep + sizeof lowKeep, sizeof highKeep);
    if ((low & ~lowKeep) == 0 && (high & ~highKeep) == 0) [[likely]] {
        // Nothing to clear, as for a caller's text copied in: the stored bytes
        // need not wait for the length that chose the mask.
        std::memcpy(t.s, &low, sizeof low);
        std::memcpy(t.s + sizeof low, &high, sizeof high);
    } else {
        low &= lowKeep;
        high &= highKeep;
        std::memcpy(t.s, &low, sizeof low);
        std::memcpy(t.s + sizeof low, &high, sizeof high);
    }
    t.len = length;
    t.classes = classes;
}

// The clock is read at most once per date, and only when the date needs it.
class LazyClock {
  public:
    const CivilDate& Today() {
        if (!read_) {
            today_ = platform::ReadClock().date;
            read_ = true;
        }
        return today_;
    }
    int Century() { return CenturyOf(Today().year); }

  private:
    bool read_ = false;
    CivilDate today_{};
};

// Where the centuries of one date come from: the caller's rule, and the clock
// when the rule or a keyword asks for it. Tracked: any rule, and the reading
// records the layout of the text and whether its year had two digits;
// otherwise the rule is a century selector and nothing more is recorded, as
// the KD_ exports need no more.
template <bool Tracked>
class Centuries {
  public:
    static constexpr bool kTracked = Tracked;

    explicit Centuries(const YearRule& rule) : rule_(rule) {}

    LazyClock& Clock() { return clock_; }
    bool IsSelector() const {
        if constexpr (Tracked)
            return rule_.kind == YearRule::Kind::kSelector;
        else
            return true;
    }
    int Selector() const { return rule_.value; }

    // The century a family recogniser completes a two-digit year with: the
    // current one under a selector (whose century may then replace it, as for
    // any year of a recognised form), else the rule's.
    KALCORE_HOT_STEP int ForRecognizedYear(int year) {
        return IsSelector() ? clock_.Century() : RuleCentury(year);
    }

    // The century of a two-digit year of a basic form.
    KALCORE_HOT_STEP int ForBasicYear(int year) {
        if (!IsSelector()) return RuleCentury(year);
        return rule_.value == 0 ? clock_.Century() : FixedCenturyOfSelector(rule_.value);
    }

    // The century that replaces the one a text wrote (selectors 1-9), or 0.
    int Replacing() const { return IsSelector() ? FixedCenturyOfSelector(rule_.value) : 0; }

  private:
    // The window's or the fixed century of a two-digit year.
    int RuleCentury(int year) const {
        if (rule_.kind == YearRule::Kind::kCentury) return rule_.value;
        const int first = rule_.value % 100;
        return rule_.value / 100 + (year < first ? 1 : 0);
    }

    const YearRule& rule_;
    LazyClock clock_;
};

// A layout a text must fill exactly: the classes each position needs (as
// Layout reads them) and the number of positions, with nothing after them.
struct Shape {
    std::uint64_t classes;
    int length;
};

consteval Shape Exactly(const char* pattern) {
    int length = 0;
    while (pattern[length] != '\0') ++length;
    return Shape{Layout(pattern), length};
}

bool Fills(const Text& t, Shape shape) {
    return t.len == shape.length && t.Fits(shape.classes);
}

// A date's fields as the text gives them: the century and the year within it
// apart, as two-digit fields.
struct DateValues {
    int century, year, month, day;
    bool centuryGiven;  // the text carried its own century
    bool twoDigitYear;  // the text wrote two digits of year
    char layout;        // the layout the text was written in
};

// Reads the year that starts at `pos` of a text whose layout has been
// checked: four digits (the century's first digit 1-9) when the text goes on
// past pos + 1, else two digits completed with the recognisers' century.
template <class Cs>
KALCORE_HOT_STEP bool ReadYearAt(const Text& t, int pos, Cs& centuries, DateValues& f) {
    if (t.len > pos + 2) {
        if (t[pos] == '0') return false;
        f.century = TwoDigitValue(t[pos], t[pos + 1]);
        f.year = TwoDigitValue(t[pos + 2], t[pos + 3]);
        if constexpr (Cs::kTracked) f.twoDigitYear = false;
        return true;
    }
    f.year = TwoDigitValue(t[pos], t[pos + 1]);
    f.century = centuries.ForRecognizedYear(f.year);
    if constexpr (Cs::kTracked) f.twoDigitYear = true;
    return true;
}

// Picks one of two layouts by the separator of a text: '-' or '/'.
constexpr char BySeparator(char separator, char dash, char slash) {
    return separator == '-' ? dash : slash;
}

// Four digits of year at 0-3, the first 1-9, for a text whose layout has
// been checked to start with four digits.
bool ReadLeadingYear(const Text& t, DateValues& f) {
    if (t[0] == '0') return false;
    f.century = TwoDigitValue(t[0], t[1]);
    f.year = TwoDigitValue(t[2], t[3]);
    return true;
}

// A two-digit day at `pos`, both digits, whose first digit is 0-3.
bool ReadDayDigits(const Text& t, int pos, DateValues& f) {
    if (t[pos] > '3') return false;
    f.day = TwoDigitValue(t[pos], t[pos + 1]);
    return true;
}

KALCORE_HOT_STEP bool Valid(const DateValues& f) {
    return IsValidDate(CivilDate{f.century * 100 + f.year, f.month, f.day});
}

// The basic form a recognised text is read as: month first (MM/DD/CCYY) or
// day first (DD-mmm-CCYY); 0 when a recogniser does not take the text.
constexpr char kMonthFirst = 'B';
constexpr char kDayFirst = '7';

char Accept(bool accepted, char form) {
    return accepted ? form : 0;
}

// Each recogniser takes a text only when it fills one of the recogniser's
// layouts exactly: a digit at every numeric position, letters where a month
// abbreviation goes, a separator where one goes, and nothing after the last
// position. Then the values are checked.

// Family 1: mmm?DD?CCYY and mmm?DD?YY (codes K, L, M, N).
template <class Cs>
char MonthDayYear(const Text& t, Cs& clock, DateValues& f) {
    if ((!Fills(t, Exactly("aaasddsdd")) && !Fills(t, Exactly("aaasddsdddd"))) || t[6] != t[3])
        return 0;
    f.month = MonthFromLetters(t.s);
    if (f.month == 0) return 0;
    f.day = TwoDigitValue(t[4], t[5]);
    if constexpr (Cs::kTracked)
        f.layout = t.len == 11 ? BySeparator(t[3], 'M', 'K') : BySeparator(t[3], 'N', 'L');
    return Accept(ReadYearAt(t, 7, clock, f) && Valid(f), kMonthFirst);
}

// Family 2: DD/mmm/CCYY and DD/mmm/YY (codes H, I); '/' only.
template <class Cs>
char DaySlashMonth(const Text& t, Cs& clock, DateValues& f) {
    if ((!Fills(t, Exactly("ddsaaasdd")) && !Fills(t, Exactly("ddsaaasdddd"))) || t[2] != '/' ||
        t[6] != '/' || !ReadDayDigits(t, 0, f))
        return 0;
    f.month = MonthFromLetters(t.s + 3);
    if constexpr (Cs::kTracked) f.layout = t.len == 11 ? 'H' : 'I';
    return Accept(f.month != 0 && ReadYearAt(t, 7, clock, f) && Valid(f), kDayFirst);
}

// Family 3: numeric month-first dates with a one-digit month or day (codes U,
// V, W, X, @, & and M?D?YY, M?DD?YY, MM?D?YY), tried as three layouts.
template <class Cs>
char ShortNumeric(const Text& t, Cs& clock, DateValues& f) {
    // M?D?
    if ((Fills(t, Exactly("dsdsdd")) || Fills(t, Exactly("dsdsdddd"))) && t[3] == t[1] &&
        t[0] != '0' && t[2] != '0') {
        f.month = t[0] - '0';
        f.day = t[2] - '0';
        if constexpr (Cs::kTracked)
            f.layout = t.len == 8 ? BySeparator(t[1], '@', '&')
                                  : BySeparator(t[1], kFormMDYYDash, kFormMDYYSlash);
        if (ReadYearAt(t, 4, clock, f) && Valid(f)) return kMonthFirst;
    }
    // M?DD?
    if ((Fills(t, Exactly("dsddsdd")) || Fills(t, Exactly("dsddsdddd"))) && t[4] == t[1] &&
        t[0] != '0' && ReadDayDigits(t, 2, f)) {
        f.month = t[0] - '0';
        if constexpr (Cs::kTracked)
            f.layout = t.len == 9 ? BySeparator(t[1], 'W', 'X')
                                  : BySeparator(t[1], kFormMDDYYDash, kFormMDDYYSlash);
        if (ReadYearAt(t, 5, clock, f) && Valid(f)) return kMonthFirst;
    }
    // MM?D?
    if ((Fills(t, Exactly("ddsdsdd")) || Fills(t, Exactly("ddsdsdddd"))) && t[4] == t[2] &&
        t[3] != '0') {
        f.month = TwoDigitValue(t[0], t[1]);
        f.day = t[3] - '0';
        if constexpr (Cs::kTracked)
            f.layout = t.len == 9 ? BySeparator(t[2], 'U', 'V')
                                  : BySeparator(t[2], kFormMMDYYDash, kFormMMDYYSlash);
        if (ReadYearAt(t, 5, clock, f) && Valid(f)) return kMonthFirst;
    }
    return 0;
}

// Family 4: year first, month second (codes E, F, G, J, O): CCYYMMDD,
// CCYY?mmm?DD or CCYY?MM?DD.
template <class Cs>
char YearMonthDay(const Text& t, Cs&, DateValues& f) {
    if (!ReadLeadingYear(t, f)) return 0;
    char form = kMonthFirst;
    if (Fills(t, Exactly("dddddddd"))) {
        f.month = TwoDigitValue(t[4], t[5]);
        f.day = TwoDigitValue(t[6], t[7]);
        if constexpr (Cs::kTracked) f.layout = 'E';
    } else if (Fills(t, Exactly("ddddsaaasdd")) && t[8] == t[4]) {
        f.month = MonthFromLetters(t.s + 5);
        f.day = TwoDigitValue(t[9], t[10]);
        if constexpr (Cs::kTracked) f.layout = BySeparator(t[4], 'F', 'J');
        form = kDayFirst;
    } else if (Fills(t, Exactly("ddddsddsdd")) && t[7] == t[4]) {
        f.month = TwoDigitValue(t[5], t[6]);
        f.day = TwoDigitValue(t[8], t[9]);
        if constexpr (Cs::kTracked) f.layout = BySeparator(t[4], 'G', 'O');
    } else {
        return 0;
    }
    return Accept(Valid(f), form);
}

// Family 5: a one-digit day before the month abbreviation (codes Y, Z, $ and
// D-mmm-YY, D/mmm/YY, DmmmYY).
template <class Cs>
char ShortDayMonth(const Text& t, Cs& clock, DateValues& f) {
    int monthPos = 1, yearPos = 4;
    if (Fills(t, Exactly("dsaaasdd")) || Fills(t, Exactly("dsaaasdddd"))) {
        if (t[5] != t[1]) return 0;
        monthPos = 2;
        yearPos = 6;
        if constexpr (Cs::kTracked)
            f.layout = t.len == 10 ? BySeparator(t[1], 'Y', 'Z')
                                   : BySeparator(t[1], kFormDMmmYYDash, kFormDMmmYYSlash);
    } else if (Fills(t, Exactly("daaadd")) || Fills(t, Exactly("daaadddd"))) {
        if constexpr (Cs::kTracked) f.layout = t.len == 8 ? '$' : kFormDMmmYY;
    } else {
        return 0;
    }
    if (t[0] == '0') return 0;
    f.day = t[0] - '0';
    f.month = MonthFromLetters(t.s + monthPos);
    return Accept(f.month != 0 && ReadYearAt(t, yearPos, clock, f) && Valid(f), kDayFirst);
}

// Family 6: mmm?D?CCYY and mmm?D?YY (codes *, # and mmm-D-YY, mmm/D/YY).
template <class Cs>
char MonthShortDay(const Text& t, Cs& clock, DateValues& f) {
    if ((!Fills(t, Exactly("aaasdsdd")) && !Fills(t, Exactly("aaasdsdddd"))) || t[5] != t[3])
        return 0;
    f.month = MonthFromLetters(t.s);
    if (f.month == 0) return 0;
    f.day = t[4] - '0';
    if constexpr (Cs::kTracked)
        f.layout = t.len == 10 ? BySeparator(t[3], '*', '#')
                               : BySeparator(t[3], kFormMmmDYYDash, kFormMmmDYYSlash);
    return Accept(ReadYearAt(t, 6, clock, f) && Valid(f), kMonthFirst);
}

// Family 7: year first, day second (codes P, Q, R, S): CCYY?DD?MM or
// CCYY?DD?mmm. A text with a valid month-first reading was already taken by
// family 4.
template <class Cs>
char YearDayMonth(const Text& t, Cs&, DateValues& f) {
    if (t[7] != t[4] || !ReadLeadingYear(t, f)) return 0;
    if (Fills(t, Exactly("ddddsddsaaa"))) {
        f.month = MonthFromLetters(t.s + 8);
        if constexpr (Cs::kTracked) f.layout = BySeparator(t[4], 'S', 'R');
    } else if (Fills(t, Exactly("ddddsddsdd")) && t[8] <= '2') {
        f.month = TwoDigitValue(t[8], t[9]);
        if constexpr (Cs::kTracked) f.layout = BySeparator(t[4], 'Q', 'P');
    } else {
        return 0;
    }
    return Accept(ReadDayDigits(t, 5, f) && Valid(f), kMonthFirst);
}

// Family 8: CCYYmmmDD (code T).
template <class Cs>
char YearAbbrevDay(const Text& t, Cs&, DateValues& f) {
    if (!Fills(t, Exactly("ddddaaadd")) || !ReadLeadingYear(t, f)) return 0;
    f.month = MonthFromLetters(t.s + 4);
    if constexpr (Cs::kTracked) f.layout = 'T';
    return Accept(f.month != 0 && ReadDayDigits(t, 7, f) && Valid(f), kMonthFirst);
}

// Runs the recognisers in their fixed order; the first to accept wins. Only
// the families whose layout can fit the start of the text are tried:
// - a letter first: families 1 and 6 only (the others need a digit first);
// - four digits first: the year-first families 4, 7 and 8 only (the others
//   need a separator or a letter at 1 or 2);
// - anything else: families 2, 3 and 5 only (4, 7 and 8 need four digits),
//   and only when one of their layouts can start the text: a separator at 1
//   (3: M?D?, M?DD?; 5: D?mmm?), a letter at 1 (5: Dmmm), or a separator at
//   2 followed by a letter at 3 (2: DD/mmm/) or by a separator at 4 (3:
//   MM?D?). Numeric texts such as 12/31/1998 go straight to basic detection.
template <class Cs>
char Recognize(const Text& t, Cs& clock, DateValues& f) {
    char form = 0;
    if (t.Fits(Layout("a"))) {
        form = MonthDayYear(t, clock, f);
        if (form == 0) form = MonthShortDay(t, clock, f);
    } else if (t.Fits(Layout("dddd"))) {
        form = YearMonthDay(t, clock, f);
        if (form == 0) form = YearDayMonth(t, clock, f);
        if (form == 0) form = YearAbbrevDay(t, clock, f);
    } else if (t.Fits(Layout("_s")) || t.Fits(Layout("_a")) || t.Fits(Layout("__sa")) ||
               t.Fits(Layout("__s_s"))) {
        form = DaySlashMonth(t, clock, f);
        if (form == 0) form = ShortNumeric(t, clock, f);
        if (form == 0) form = ShortDayMonth(t, clock, f);
    }
    return form;
}

// Basic detection: the input code of a text that no family recogniser took,
// or 0 when the text starts with no date. A leading blank is read as '0'.
char DetectBasicCode(Text& t) {
    if (t[2] == '.' && t[5] == '.') return '5';
    if (t.s[0] == ' ') {
        t.s[0] = '0';
        t.classes |= AtLane(kDigitLane, 1);
    }
    if (t[2] == '-' && t[6] == '-') return t.len == 9 ? '6' : '7';
    if (static_cast<unsigned char>(t[2]) > '9') return t.len == 7 ? '8' : '9';
    if (!t.Fits(Layout("dd"))) return 0;
    const bool slashes = t[2] == '/' && t[5] == '/';
    const bool dashes = t[2] == '-' && t[5] == '-';
    if (TwoDigitValue(t[0], t[1]) > 12) return slashes ? '4' : '2';  // the text starts with a year
    if (slashes && t.len == 8) return '3';
    if (dashes && t.len == 8) return 'C';
    if (dashes && t.len > 8) return 'A';
    if (slashes) return 'B';
    return t.len == 6 ? '1' : 'D';
}

// The length of the text of a basic input code: the catalogue length, but 9
// for DD-mmm-YY, whose two trailing blanks the reader has trimmed.
constexpr int InputLength(const FormatLayout& layout) {
    return layout.code == '6' ? 9 : layout.length;
}

// Reads a basic input code, the one at catalogue position I (codes 1-9 and
// A-D), with its field positions known at compile time:
// - the text must be exactly as long as the code's layout;
// - takes the values of the fields (meaningful once the characters are known
//   to be digits); an unknown month abbreviation fails;
// - validates: every field character a digit, month 1-12, a day within the
//   month by the Gregorian rule, a written century starting with 1-9;
// - completes the century: the rule's for a two-digit year, and for any year
//   when a selector is fixed (1-9). The date must be valid in the century it
//   ends up in as well as in the one it was written in.
template <std::size_t I, class Cs>
bool ReadBasicForm(const Text& t, Cs& centuries, DateValues& v) {
    constexpr FormatLayout layout = kLayouts[I];
    constexpr bool centuryGiven = layout.centuryPos >= 0;
    if (t.len != InputLength(layout)) return false;
    if constexpr (layout.monthWidth == Width::Abbrev) {
        if (!t.Fits(AtLane(kLetterLane, 0b111u << layout.monthPos))) return false;
        v.month = MonthFromLetters(t.s + layout.monthPos);
        if (v.month == 0) return false;
    } else {
        v.month = TwoDigitValue(t[layout.monthPos], t[layout.monthPos + 1]);
    }
    v.day = TwoDigitValue(t[layout.dayPos], t[layout.dayPos + 1]);
    v.year = TwoDigitValue(t[layout.yearPos], t[layout.yearPos + 1]);
    v.centuryGiven = centuryGiven;
    if constexpr (Cs::kTracked) {
        v.twoDigitYear = !centuryGiven;
        v.layout = layout.code;
    }
    if constexpr (centuryGiven) {
        v.century = TwoDigitValue(t[layout.centuryPos], t[layout.centuryPos + 1]);
    }

    bool ruleCentury;
    int century;
    if constexpr (Cs::kTracked) {
        const int replacing = centuries.Replacing();
        ruleCentury = !centuryGiven || replacing != 0;
        century = !ruleCentury   ? v.century
                  : centuryGiven ? replacing
                                 : centuries.ForBasicYear(v.year);
    } else {
        // The selector alone: its century is needed only when it applies.
        const int selector = centuries.Selector();
        ruleCentury = !centuryGiven || selector != 0;
        century = !ruleCentury    ? v.century
                  : selector == 0 ? centuries.Clock().Century()
                                  : FixedCenturyOfSelector(selector);
    }

    if (!t.Fits(AtLane(kDigitLane, layout.digitPositions))) return false;
    // Only 29 February asks whether a year is leap.
    const int written = centuryGiven ? v.century : century;
    if (!IsValidDate(CivilDate{written * 100 + v.year, v.month, v.day})) return false;
    if (v.month == 2 && v.day == 29 && !IsLeapYear(century * 100 + v.year)) return false;
    if (centuryGiven && v.century < 10) return false;

    if (ruleCentury) v.century = century;
    return true;
}

template <class Cs>
using BasicFormReader = bool (*)(const Text&, Cs&, DateValues&);

template <class Cs, std::size_t... I>
constexpr std::array<BasicFormReader<Cs>, sizeof...(I)> MakeBasicReaders(
    std::index_sequence<I...>) {
    return {&ReadBasicForm<I, Cs>...};
}

// The basic input codes 1-9 and A-D are the first 13 of the catalogue.
constexpr int kBasicCodeCount = 13;
static_assert(kLayouts[0].code == '1' && kLayouts[kBasicCodeCount - 1].code == 'D');
template <class Cs>
constexpr std::array<BasicFormReader<Cs>, kBasicCodeCount> kBasicReaders =
    MakeBasicReaders<Cs>(std::make_index_sequence<kBasicCodeCount>{});

// Reads the text into `t` without the trailing characters whose value as a
// signed byte is 32 or less (blanks, control characters and every byte of
// 128 and above). A text made only of such characters is kept as it is.
void TrimInto(const DateText& text, Text& t) {
    const TextScan scan = ScanText(text);
    Assign(t, text, scan.trimmedLength, scan.classes);
}

// Only "NOW", "TODAY", "YESTER" and "YESTERn" are keywords: three letters
// first, and 3, 5, 6 or 7 characters.
bool MayBeKeyword(const Text& t) {
    return (t.len == 3 || t.len == 5 || t.len == 6 || t.len == 7) && t.Fits(Layout("aaa"));
}

bool SelectorValid(int centurySelector) {
    return centurySelector >= 0 && centurySelector <= 9;
}

template <class Cs>
bool RuleValid(const Cs& centuries) {
    return !centuries.IsSelector() || SelectorValid(centuries.Selector());
}

// A date of a recognised form or a keyword goes on with its century, which
// must start with 1-9 (a two-digit year may have been given a lower one by
// the clock), and which selectors 1-9 replace. A selector's century must keep
// the date valid: 29 February 2000 is no date in the century 19.
template <class Cs>
bool TakeOwnCentury(DateValues& f, Cs& centuries) {
    if (!RuleValid(centuries) || f.century < 10) return false;
    f.centuryGiven = true;
    if (centuries.IsSelector() && centuries.Selector() == 0) return true;
    const int century = centuries.Replacing();
    if (century == 0) return true;
    if (f.month == 2 && f.day == 29 && !IsLeapYear(century * 100 + f.year)) return false;
    f.century = century;
    return true;
}

// The date of a keyword: today, moved back for the "YESTER" keywords, read
// as its date written MM/DD/CCYY would be. False when today or the day
// before lies outside the years such a text holds.
template <class Cs>
KALCORE_RARE_PATH bool ReadKeywordDate(int daysBack, Cs& centuries, DateValues& v) {
    CivilDate date = centuries.Clock().Today();
    if (!IsReadableYear(date.year)) return false;
    if (daysBack >= 0 && (!AddDays(date, -daysBack, date) || !IsReadableYear(date.year)))
        return false;
    v = DateValues{
        CenturyOf(date.year), YearOfCentury(date.year), date.month, date.day, true, false,
        kKeywordLayout};
    return TakeOwnCentury(v, centuries);
}

// The outcome of reading a text of a common shape: a date, no date, or a
// shape this shortcut does not settle, which the full order of recognisers
// and basic detection then reads.
enum class ShapeReading { kDate, kNoDate, kUndecided };

constexpr ShapeReading Settled(bool date) {
    return date ? ShapeReading::kDate : ShapeReading::kNoDate;
}

// The classes of every position of a text: digit, letter and separator lanes.
constexpr std::uint64_t kShapeLanes =
    AtLane(kDigitLane, 0xfff) | AtLane(kLetterLane, 0xfff) | AtLane(kSeparatorLane, 0xfff);

// A recogniser that is the first in the fixed order able to take texts of
// the shape at hand: what it accepts is the date, with its own century
// (TakeOwnCentury); what it refuses goes on down the full order.
template <class Cs>
ShapeReading FirstRecognizer(char form, DateValues& v, Cs& centuries, char& code) {
    if (form == 0) return ShapeReading::kUndecided;
    code = form;
    return Settled(TakeOwnCentury(v, centuries));
}

// A basic code that the full order would reach for this shape: no
// recogniser takes the shape, and basic detection picks `Code` from it.
template <char Code, class Cs>
ShapeReading BasicCode(const Text& t, Cs& centuries, DateValues& v, char& code) {
    if (!RuleValid(centuries)) return ShapeReading::kNoDate;
    code = Code;
    return Settled(ReadBasicForm<PositionOf(Code)>(t, centuries, v));
}

// Reads a text whose characters have one of the shapes that dates are
// commonly written in straight from its shape: the exact classes of all its
// positions (digit, letter, separator, other) pick the first recogniser or
// the basic code that the full order would reach, so that the families
// before it, which cannot take such a shape, are not tried. Gives the same
// result as the full order whenever it settles a text; none of these shapes
// can be a keyword (three letters and 3, 5, 6 or 7 characters).
template <class Cs>
KALCORE_HOT_STEP ShapeReading ReadCommonShape(Text& t, Cs& centuries, DateValues& v, char& code) {
    switch (t.classes & kShapeLanes) {
        // Month first, two-digit fields: basic detection alone.
        case Layout("ddsddsdddd"):  // MM?DD?CCYY
            if (t[2] != t[5] || TwoDigitValue(t[0], t[1]) > 12) return ShapeReading::kUndecided;
            return t[2] == '/' ? BasicCode<'B'>(t, centuries, v, code)
                               : BasicCode<'A'>(t, centuries, v, code);
        case Layout("ddsddsdd"):  // MM?DD?YY, YY/MM/DD
            if (t[2] != t[5]) return ShapeReading::kUndecided;
            if (TwoDigitValue(t[0], t[1]) > 12)
                return t[2] == '/' ? BasicCode<'4'>(t, centuries, v, code)
                                   : ShapeReading::kUndecided;
            return t[2] == '/' ? BasicCode<'3'>(t, centuries, v, code)
                               : BasicCode<'C'>(t, centuries, v, code);
        case Layout("dd_dd_dd"):  // YY.MM.DD
            if (t[2] != '.' || t[5] != '.') return ShapeReading::kUndecided;
            return BasicCode<'5'>(t, centuries, v, code);
        case Layout("dddddd"):  // MMDDYY, YYMMDD: no year-first family takes six digits
            return TwoDigitValue(t[0], t[1]) > 12 ? BasicCode<'2'>(t, centuries, v, code)
                                                  : BasicCode<'1'>(t, centuries, v, code);
        case Layout("dddddddd"): {  // CCYYMMDD, else MMDDCCYY
            const ShapeReading read =
                FirstRecognizer(YearMonthDay(t, centuries, v), v, centuries, code);
            if (read != ShapeReading::kUndecided) return read;
            if (TwoDigitValue(t[0], t[1]) > 12) return ShapeReading::kNoDate;
            return BasicCode<'D'>(t, centuries, v, code);
        }
        // Day first with the month abbreviation.
        case Layout("ddaaadddd"):  // DDmmmCCYY
            return BasicCode<'9'>(t, centuries, v, code);
        case Layout("ddaaadd"):  // DDmmmYY
            return BasicCode<'8'>(t, centuries, v, code);
        case Layout("ddsaaasdddd"):  // DD-mmm-CCYY, DD/mmm/CCYY
        case Layout("ddsaaasdd"):    // DD-mmm-YY, DD/mmm/YY
            if (t[2] != t[6]) return ShapeReading::kUndecided;
            if (t[2] == '/')
                return FirstRecognizer(DaySlashMonth(t, centuries, v), v, centuries, code);
            return t.len == 11 ? BasicCode<'7'>(t, centuries, v, code)
                               : BasicCode<'6'>(t, centuries, v, code);
        case Layout("dsaaasdd"):
        case Layout("dsaaasdddd"):
        case Layout("daaadd"):
        case Layout("daaadddd"):
            return FirstRecognizer(ShortDayMonth(t, centuries, v), v, centuries, code);
        // The month abbreviation first.
        case Layout("aaasddsdd"):
        case Layout("aaasddsdddd"):
            return FirstRecognizer(MonthDayYear(t, centuries, v), v, centuries, code);
        case Layout("aaasdsdd"):
        case Layout("aaasdsdddd"):
            return FirstRecognizer(MonthShortDay(t, centuries, v), v, centuries, code);
        // Year first.
        case Layout("ddddsddsdd"):
        case Layout("ddddsaaasdd"):
            return FirstRecognizer(YearMonthDay(t, centuries, v), v, centuries, code);
        case Layout("ddddsddsaaa"):
            return FirstRecognizer(YearDayMonth(t, centuries, v), v, centuries, code);
        case Layout("ddddaaadd"):
            return FirstRecognizer(YearAbbrevDay(t, centuries, v), v, centuries, code);
        // Month first with a one-digit month or day.
        case Layout("dsdsdd"):
        case Layout("dsdsdddd"):
        case Layout("dsddsdd"):
        case Layout("dsddsdddd"):
        case Layout("ddsdsdd"):
        case Layout("ddsdsdddd"):
            return FirstRecognizer(ShortNumeric(t, centuries, v), v, centuries, code);
        default:
            return ShapeReading::kUndecided;
    }
}

// The reading of a date text, with the date's fields as the text gives them;
// `code` receives the input code the text was read as.
template <bool Tracked, bool Shortcut = true>
KALCORE_HOT_STEP bool ReadDateValues(Text& t, const YearRule& rule, bool keywords, DateValues& v,
                                     char& code) {
    Centuries<Tracked> centuries(rule);
    // The year-first families read four digits of year and say nothing of it.
    if constexpr (Tracked) v.twoDigitYear = false;

    if constexpr (Shortcut) {
        switch (ReadCommonShape(t, centuries, v, code)) {
            case ShapeReading::kDate:
                return true;
            case ShapeReading::kNoDate:
                return false;
            case ShapeReading::kUndecided:
                break;
        }
    }
    int daysBack = 0;
    if (keywords && MayBeKeyword(t) && MatchDateKeyword(t.s, daysBack)) {
        code = 'B';
        return ReadKeywordDate(daysBack, centuries, v);
    }
    code = Recognize(t, centuries, v);
    if (code != 0) return TakeOwnCentury(v, centuries);
    if (!RuleValid(centuries)) return false;

    const char leadingChar = t.s[0];
    const std::uint64_t leadingClasses = t.classes;
    code = DetectBasicCode(t);
    // Six digits are read from the text as it was: a leading blank stays a blank.
    if (code == '1') {
        t.s[0] = leadingChar;
        t.classes = leadingClasses;
    }
    return code != 0 && kBasicReaders<Centuries<Tracked>>[FormatIndex(code) - 1](t, centuries, v);
}

template <bool Tracked, bool Shortcut = true>
KALCORE_HOT_STEP bool ReadInto(Text& t, const YearRule& rule, bool keywords, DateReading& reading) {
    DateValues v;
    char code = 0;
    if (!ReadDateValues<Tracked, Shortcut>(t, rule, keywords, v, code)) return false;
    reading.date.year = v.century * 100 + v.year;
    reading.date.month = v.month;
    reading.date.day = v.day;
    reading.centuryGiven = v.centuryGiven;
    reading.code = code;
    if constexpr (Tracked) {
        reading.layout = v.layout;
        reading.twoDigitYear = v.twoDigitYear;
    } else {
        reading.layout = 0;
        reading.twoDigitYear = false;
    }
    return true;
}

}  // namespace

bool ReadDate(const DateText& input, int centurySelector, DateReading& reading) {
    Text t;
    TrimInto(input, t);
    return ReadInto<false>(t, YearRule{YearRule::Kind::kSelector, centurySelector}, true, reading);
}

KALCORE_ONE_BODY bool ReadDateByRule(const DateText& input, const YearRule& rule, bool keywords,
                                     DateReading& reading) {
    Text t;
    TrimInto(input, t);
    return ReadInto<true>(t, rule, keywords, reading);
}

KALCORE_ONE_BODY bool ReadTrimmedDateByRule(const DateText& text, std::size_t length,
                                            const YearRule& rule, bool keywords,
                                            DateReading& reading) {
    const TextScan scan = ScanText(text);
    // A zero byte among the characters would end the text early.
    if (static_cast<std::size_t>(scan.length) != length) return false;
    Text t;
    std::memcpy(t.s, text, sizeof t.s);
    t.len = scan.length;
    t.classes = scan.classes;
    return ReadInto<true>(t, rule, keywords, reading);
}

bool ReadDateByRuleInFullOrder(const DateText& input, const YearRule& rule, bool keywords,
                               DateReading& reading) {
    Text t;
    TrimInto(input, t);
    return ReadInto<true, false>(t, rule, keywords, reading);
}

bool MatchDateKeyword(const char* text, int& daysBack) {
    if (text == nullptr) return false;
    std::size_t length = 0;
    while (length < 8 && text[length] != '\0') ++length;
    // Only "NOW" (3), "TODAY" (5), "YESTER" (6) and "YESTERn" (7) can match.
    if (length != 3 && length != 5 && length != 6 && length != 7) return false;
    char upper[8] = {};
    for (std::size_t i = 0; i < length; ++i) upper[i] = ToUpperAscii(text[i]);

    if (length == 3 || length == 5) {
        if (std::strcmp(upper, "NOW") != 0 && std::strcmp(upper, "TODAY") != 0) return false;
        daysBack = kKeywordToday;
        return true;
    }
    if (std::memcmp(upper, "YESTER", 6) != 0) return false;
    if (length == 6) {
        daysBack = 1;
        return true;
    }
    // "YESTER0" means yesterday too; "YESTERn" goes n + 1 days back.
    if (upper[6] < '0' || upper[6] > '7') return false;
    daysBack = upper[6] - '0' + 1;
    return true;
}

int FixedCenturyOfSelector(int selector) {
    return (selector >= 1 && selector <= 9) ? 15 + selector : 0;
}

bool CenturyOfSelector(int selector, int& century) {
    if (selector == 0) {
        century = CenturyOf(platform::ReadClock().date.year);
        return true;
    }
    const int fixed = FixedCenturyOfSelector(selector);
    if (fixed == 0) return false;
    century = fixed;
    return true;
}

bool ReadYearText(const char* text, int& year) {
    if (text == nullptr) return false;
    // At most five characters, without the trailing ones a date text sheds.
    int length = 0;
    while (length < 5 && text[length] != '\0') ++length;
    while (length > 0 && static_cast<signed char>(text[length - 1]) <= 32) --length;
    for (int i = 0; i < length; ++i)
        if (!IsDigitAscii(text[i])) return false;
    if (length == 2) {
        year = CenturyOf(platform::ReadClock().date.year) * 100 + TwoDigitValue(text[0], text[1]);
        return true;
    }
    if (length != 4 || text[0] == '0') return false;
    year = TwoDigitValue(text[0], text[1]) * 100 + TwoDigitValue(text[2], text[3]);
    return true;
}

}  // namespace kalcore
