#include "calendar/full_date.h"

#include <cstring>

#include "format/ascii.h"
#include "format/date_writer.h"
#include "format/names.h"
#include "platform/clock.h"

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

// A date written with the full month name: at most 46 characters.
using MonthNameDateText = char[47];

// Writes the date in a layout that holds a month abbreviation, with the full
// month name in its place: code K gives "July/04/1998". A one-digit day field
// moves the date to the two-digit code when the day is 10 or more. The
// blanks that pad a short layout to its fixed width are not written.
void WriteWithMonthName(const FormatLayout& requested, const CivilDate& date,
                        MonthNameDateText& out) {
    const FormatLayout& layout = WrittenLayout(requested, date.month, date.day);
    char day[2], century[2], year[2];
    PutDigitPair(day, date.day);
    PutDigitPair(century, CenturyOf(date.year));
    PutDigitPair(year, YearOfCentury(date.year));
    TextBuilder builder(out);
    for (int pos = 0; pos < layout.length; ++pos) {
        if (pos == layout.monthPos) {
            builder.Append(kMonthNames[date.month]);
            pos += 2;
        } else if (pos == layout.dayPos) {
            const auto width = static_cast<int>(layout.dayWidth);
            builder.Append(width == 1 ? day + 1 : day, static_cast<std::size_t>(width));
            pos += width - 1;
        } else if (pos == layout.centuryPos) {
            builder.Append(century, 2);
            ++pos;
        } else if (pos == layout.yearPos) {
            builder.Append(year, 2);
            ++pos;
        } else {
            builder.Append(layout.text + pos, 1);
        }
    }
    std::size_t n = builder.size();
    while (n > 0 && out[n - 1] == ' ') --n;
    builder.Truncate(n);
}

}  // namespace

bool SpellOutDate(const CivilDate& date, char code, bool dateIsKeyword,
                  const FullDateOptions& options, FullDateText& out) {
    const FormatLayout* layout = LayoutForEitherCase(code);
    if (layout == nullptr) return false;

    // The date, with the month name in full where the layout has one.
    MonthNameDateText rendered;
    if (!options.abbreviateMonth && layout->monthWidth == Width::Abbrev) {
        WriteWithMonthName(*layout, date, rendered);
    } else {
        DateText written;
        WriteDate(*layout, date, written);
        std::memcpy(rendered, written, sizeof written);
    }

    // Without the time asked for, a keyword date still shows it, on the
    // 24-hour clock with "AM" or "PM".
    const bool withTime = options.includeTime || dateIsKeyword;
    const bool twentyFourHour = options.includeTime ? options.twentyFourHour : dateIsKeyword;
    const bool amPm = options.includeTime ? options.amPm : dateIsKeyword;

    const char* dayName = DayName(WeekdayOf(date));
    FullDateText text;
    TextBuilder builder(text);
    builder.Append(dayName, options.abbreviateDay ? 3 : std::strlen(dayName));
    builder.Append(", ");
    builder.Append(rendered);
    if (withTime) {
        const platform::ClockReading now = platform::ReadClock();
        TimeOfDayText time;
        WriteTimeOfDay(now.hour, now.minute, now.second, twentyFourHour, time);
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
