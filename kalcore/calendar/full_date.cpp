#include "calendar/full_date.h"

#include <cstring>

#include "calendar/components.h"
#include "calendar/weekday.h"
#include "format/date_reader.h"
#include "services/clock.h"
#include "services/current_time.h"

namespace kalcore {

namespace {

// Appends to a bounded text; anything past its room is dropped.
template <std::size_t N>
class TextBuilder {
  public:
    explicit TextBuilder(char (&out)[N]) : out_(out) { out_[0] = '\0'; }
    void Append(const char* text, std::size_t n) {
        for (std::size_t i = 0; i < n && text[i] != '\0' && used_ + 1 < N; ++i)
            out_[used_++] = text[i];
        out_[used_] = '\0';
    }
    void Append(const char* text) { Append(text, std::strlen(text)); }
    std::size_t size() const { return used_; }
    void Truncate(std::size_t n) {
        used_ = n;
        out_[n] = '\0';
    }

  private:
    char (&out_)[N];
    std::size_t used_ = 0;
};

}  // namespace

bool MonthNameFormatter(const DateText& date, CodeText& code, MonthNameDateText& out) {
    out[0] = '\0';
    DatePieces pieces;
    if (!DateParts(date, pieces)) return false;
    DateText input, digits;  // digits: MMDDCCYY
    std::memcpy(input, date, sizeof input);
    CodeText numeric = {'D', '\0'};
    if (!ParseConvertDate(input, digits, numeric, 0, 0)) return false;

    code[0] = ToUpperAscii(code[0]);
    if (code[0] == '\0' || std::strchr(kMonthNameCodes, code[0]) == nullptr) return false;
    const FormatLayout* layout = LayoutFor(code[0]);
    if (TwoDigitValue(digits[2], digits[3]) > 9 && layout->codeWhenDayWide != 0) {
        code[0] = layout->codeWhenDayWide;
        layout = LayoutFor(code[0]);
    }

    // The layout's text with every field filled in and the abbreviation
    // replaced by the full name.
    TextBuilder builder(out);
    for (int pos = 0; pos < layout->length; ++pos) {
        if (pos == layout->monthPos) {
            builder.Append(pieces.monthName);
            pos += 2;
        } else if (pos == layout->dayPos) {
            const auto width = static_cast<int>(layout->dayWidth);
            builder.Append(width == 1 ? digits + 3 : digits + 2, static_cast<std::size_t>(width));
            pos += width - 1;
        } else if (pos == layout->centuryPos) {
            builder.Append(digits + 4, 2);
            ++pos;
        } else if (pos == layout->yearPos) {
            builder.Append(digits + 6, 2);
            ++pos;
        } else {
            builder.Append(layout->text + pos, 1);
        }
    }
    // The blanks that pad a short layout to its fixed width are not written.
    std::size_t n = builder.size();
    while (n > 0 && out[n - 1] == ' ') --n;
    builder.Truncate(n);
    return true;
}

bool FullDateBuilder(const DateText& date, FullDateText& out, const CodeText& code,
                     const FullDateSwitches& switches) {
    out[0] = '\0';
    // A keyword stands for its date, written MM/DD/CCYY, and brings the time.
    DateText working;
    std::memcpy(working, date, sizeof working);
    int daysBack;
    const int keyword = MatchDateKeyword(working, daysBack) ? 1 : 0;
    if (keyword != 0) {
        DateText input;
        std::memcpy(input, date, sizeof input);
        CodeText numeric = {'B', '\0'};
        if (!ParseConvertDate(input, working, numeric, 0, 0)) return false;
    }
    const bool abbreviateMonth = switches.abbreviateMonth == 1;
    const bool abbreviateDay = switches.abbreviateDay == 1;
    const bool includeTime = switches.includeTime == 1;

    // The date, with the month name in full where the layout has one.
    MonthNameDateText rendered;
    CodeText workingCode = {ToUpperAscii(code[0]), '\0'};
    if (!abbreviateMonth && workingCode[0] != '\0' &&
        std::strchr(kMonthNameCodes, workingCode[0]) != nullptr) {
        if (!MonthNameFormatter(working, workingCode, rendered)) return false;
    } else {
        DateText input, converted;
        std::memcpy(input, working, sizeof input);
        if (!ParseConvertDate(input, converted, workingCode, 0, 0)) return false;
        std::memcpy(rendered, converted, sizeof converted);
    }

    // Without the time asked for, a keyword date still shows it, on the
    // 24-hour clock with "AM" or "PM".
    const int twentyFourHour = includeTime ? (switches.twentyFourHour != 0 ? 1 : 0) : keyword;
    const bool amPm = includeTime ? switches.amPm != 0 : keyword != 0;

    DayOfWeek day;
    if (!DayOfWeekInfo(working, day)) return false;

    FullDateText text;
    TextBuilder builder(text);
    builder.Append(day.name, abbreviateDay ? 3 : std::strlen(day.name));
    builder.Append(", ");
    builder.Append(rendered);
    if (keyword != 0 || includeTime) {
        DateText today;
        services::TimeOfDayText time;
        services::CurrentDateTimeText(today, time, twentyFourHour, "B", 0);
        builder.Append(" at ");
        builder.Append(time.time);
        if (amPm) {
            builder.Append(" ");
            builder.Append(time.amPm);
        }
    }
    std::memcpy(out, text, sizeof text);
    return true;
}

}  // namespace kalcore
