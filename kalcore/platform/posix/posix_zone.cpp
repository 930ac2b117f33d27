#include "platform/posix/posix_zone.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "calendar/weekday.h"
#include "format/catalogue.h"

namespace kalcore::platform::posix {

namespace {

// Reads a rule text left to right; every step either consumes what it
// recognises or leaves the position where it was and reports false.
class Cursor {
  public:
    explicit Cursor(const char* text) : p_(text) {}
    char Peek() const { return *p_; }
    bool AtEnd() const { return *p_ == '\0'; }
    bool Take(char c) {
        if (*p_ != c) return false;
        ++p_;
        return true;
    }

    // An unsigned number of 1 to `maxDigits` digits.
    bool Number(int maxDigits, long& value) {
        if (!IsDigitAscii(*p_)) return false;
        value = 0;
        for (int n = 0; n < maxDigits && IsDigitAscii(*p_); ++n) value = value * 10 + (*p_++ - '0');
        return !IsDigitAscii(*p_);
    }

    // A zone name: three or more letters, or "<" letters, digits, "+" and "-"
    // ">" (the brackets are not part of the name). Cut to 63 characters.
    bool Name(char (&out)[64]) {
        std::size_t length = 0;
        const char* start = p_;
        if (Take('<')) {
            while (IsDigitAscii(*p_) || IsLetter(*p_) || *p_ == '+' || *p_ == '-')
                Store(out, length);
            if (!Take('>') || length < 3) return Fail(start);
        } else {
            while (IsLetter(*p_)) Store(out, length);
            if (length < 3) return Fail(start);
        }
        out[length < 63 ? length : 63] = '\0';
        return true;
    }

    // [+|-]hh[:mm[:ss]] as seconds, hours at most `maxHours`.
    bool Duration(long maxHours, long& seconds) {
        const char* start = p_;
        long sign = 1;
        if (Take('-'))
            sign = -1;
        else
            Take('+');
        long hours = 0, minutes = 0, secs = 0;
        if (!Number(3, hours) || hours > maxHours) return Fail(start);
        if (Take(':')) {
            if (!Number(2, minutes) || minutes > 59) return Fail(start);
            if (Take(':') && (!Number(2, secs) || secs > 59)) return Fail(start);
        }
        seconds = sign * (hours * 3600 + minutes * 60 + secs);
        return true;
    }

    // Mm.w.d, Jn or n, then an optional /time (default 02:00:00).
    bool Day(RuleDay& day) {
        const char* start = p_;
        day = RuleDay{RuleDay::Kind::kZeroBased, 0, 0, 0, 0, 7200};
        long a = 0, b = 0, c = 0;
        if (Take('M')) {
            if (!Number(2, a) || a < 1 || a > 12 || !Take('.') || !Number(1, b) || b < 1 || b > 5 ||
                !Take('.') || !Number(1, c) || c > 6)
                return Fail(start);
            day.kind = RuleDay::Kind::kMonthWeekDay;
            day.month = static_cast<int>(a);
            day.week = static_cast<int>(b);
            day.weekday = static_cast<int>(c);
        } else if (Take('J')) {
            if (!Number(3, a) || a < 1 || a > 365) return Fail(start);
            day.kind = RuleDay::Kind::kJulianNoLeap;
            day.dayNumber = static_cast<int>(a);
        } else {
            if (!Number(3, a) || a > 365) return Fail(start);
            day.dayNumber = static_cast<int>(a);
        }
        // Transition times may lie outside the day (-167 to 167 hours).
        if (Take('/') && !Duration(167, day.seconds)) return Fail(start);
        return true;
    }

  private:
    static bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
    void Store(char (&out)[64], std::size_t& length) {
        if (length < 63) out[length] = *p_;
        ++length;
        ++p_;
    }
    bool Fail(const char* start) {
        p_ = start;
        return false;
    }

    const char* p_;
};

int DaysInMonth(int year, int month) {
    return kDaysInMonth[IsLeapYear(year) ? 1 : 0][month];
}

// Month and day of the `ordinal`-th day (1-based) of `year`.
void FromOrdinal(int year, int ordinal, int& month, int& day) {
    month = 1;
    while (month < 12 && ordinal > DaysInMonth(year, month)) ordinal -= DaysInMonth(year, month++);
    day = ordinal;
}

int Ordinal(int year, int month, int day) {
    for (int m = 1; m < month; ++m) day += DaysInMonth(year, m);
    return day;
}

// Seconds from the start of `year` to the local moment month/day + seconds.
long long SecondsIntoYear(int year, int month, int day, long seconds) {
    return (Ordinal(year, month, day) - 1) * 86400LL + seconds;
}

// The transition as a yearly rule that lands on its date in `year`.
TransitionRule ToTransition(const RuleDay& day, int year) {
    if (day.kind == RuleDay::Kind::kMonthWeekDay) return {0, day.month, day.weekday, day.week};
    // A day of the year: its weekday and which occurrence of that weekday in
    // the month it is; the fifth one is always the month's last.
    int month = 0, dayOfMonth = 0;
    RuleMonthDay(day, year, month, dayOfMonth);
    const int weekday = WeekdayNumber(month, dayOfMonth, year % 100, year / 100) - 1;
    return {0, month, weekday, (dayOfMonth - 1) / 7 + 1};
}

void CopyName(const char* name, char (&out)[64]) {
    std::size_t n = strnlen(name, 63);
    std::memcpy(out, name, n);
    out[n] = '\0';
}

}  // namespace

bool ParseZoneRule(const char* text, ZoneRule& rule) {
    if (text == nullptr || strnlen(text, kMaxRuleChars + 1) > kMaxRuleChars) return false;
    rule = ZoneRule{};
    Cursor in(text);
    if (!in.Name(rule.standardName) || !in.Duration(24, rule.standardOffset)) return false;
    if (in.AtEnd()) return true;
    if (!in.Name(rule.daylightName)) return false;
    rule.hasDaylight = true;
    rule.daylightOffset = rule.standardOffset - 3600;
    if (in.Peek() != ',' && !in.AtEnd() && !in.Duration(24, rule.daylightOffset)) return false;
    if (in.AtEnd()) {
        // No dates given: the rules of the United States since 2007.
        rule.start = RuleDay{RuleDay::Kind::kMonthWeekDay, 3, 2, 0, 0, 7200};
        rule.end = RuleDay{RuleDay::Kind::kMonthWeekDay, 11, 1, 0, 0, 7200};
        return true;
    }
    return in.Take(',') && in.Day(rule.start) && in.Take(',') && in.Day(rule.end) && in.AtEnd();
}

bool ReadZoneFileRule(const char* path, char (&out)[kMaxRuleChars + 1]) {
    out[0] = '\0';
    // Non-blocking, so that a FIFO in a zone file's place cannot stall the call.
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    // The footer is "\n" rule "\n" at the very end of the file; only the
    // header and the tail are read.
    char head[5] = {};
    char tail[kMaxRuleChars + 2];
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::pread(fd, head, 5, 0) == 5 &&
              std::memcmp(head, "TZif", 4) == 0 && head[4] >= '2';
    std::size_t got = 0;
    if (ok) {
        const off_t size = st.st_size;
        const std::size_t want =
            size < static_cast<off_t>(sizeof tail) ? static_cast<std::size_t>(size) : sizeof tail;
        const ssize_t n = ::pread(fd, tail, want, size - static_cast<off_t>(want));
        ok = n == static_cast<ssize_t>(want) && want >= 2 && tail[want - 1] == '\n';
        got = want;
    }
    ::close(fd);
    if (!ok) return false;
    std::size_t begin = got - 1;
    while (begin > 0 && tail[begin - 1] != '\n') --begin;
    if (begin == 0) return false;  // no newline before the rule within reach
    const std::size_t length = got - 1 - begin;
    std::memcpy(out, tail + begin, length);
    out[length] = '\0';
    return length > 0;
}

void RuleMonthDay(const RuleDay& day, int year, int& month, int& dayOfMonth) {
    switch (day.kind) {
        case RuleDay::Kind::kMonthWeekDay: {
            month = day.month;
            const int first = WeekdayNumber(month, 1, year % 100, year / 100) - 1;
            dayOfMonth = 1 + (day.weekday - first + 7) % 7 + 7 * (day.week - 1);
            while (dayOfMonth > DaysInMonth(year, month)) dayOfMonth -= 7;
            return;
        }
        case RuleDay::Kind::kJulianNoLeap: {
            // 29 February is never counted: from 1 March on the day lies one
            // further in a leap year.
            const int ordinal = day.dayNumber + (IsLeapYear(year) && day.dayNumber >= 60 ? 1 : 0);
            FromOrdinal(year, ordinal, month, dayOfMonth);
            return;
        }
        case RuleDay::Kind::kZeroBased: {
            // Day 365 exists only in a leap year; in another year it is taken
            // as 31 December.
            const int length = IsLeapYear(year) ? 366 : 365;
            const int ordinal = day.dayNumber + 1 < length ? day.dayNumber + 1 : length;
            FromOrdinal(year, ordinal, month, dayOfMonth);
            return;
        }
    }
    month = 1;
    dayOfMonth = 1;
}

ZoneState DescribeZone(const ZoneRule& rule, int year, const LocalMoment& now, TimeZoneInfo& info) {
    info = TimeZoneInfo{};
    info.bias = rule.standardOffset / 60;
    CopyName(rule.standardName, info.standardName);
    if (!rule.hasDaylight) return ZoneState::kNoDaylightSaving;
    CopyName(rule.daylightName, info.daylightName);
    info.daylightBias = (rule.daylightOffset - rule.standardOffset) / 60;
    info.daylightDate = ToTransition(rule.start, year);
    info.standardDate = ToTransition(rule.end, year);

    // The start is given in standard time and the end in daylight time, the
    // wall-clock times in force before each change, as `now` is.
    int month = 0, day = 0;
    RuleMonthDay(rule.start, now.year, month, day);
    const long long start = SecondsIntoYear(now.year, month, day, rule.start.seconds);
    RuleMonthDay(rule.end, now.year, month, day);
    const long long end = SecondsIntoYear(now.year, month, day, rule.end.seconds);
    const long long at = SecondsIntoYear(now.year, now.month, now.day, now.secondOfDay);
    const bool daylight = start <= end ? (at >= start && at < end) : (at >= start || at < end);
    return daylight ? ZoneState::kDaylight : ZoneState::kStandard;
}

}  // namespace kalcore::platform::posix
