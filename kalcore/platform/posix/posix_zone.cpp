#include "platform/posix/posix_zone.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>

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
        if (!IsDigit(*p_)) return false;
        value = 0;
        for (int n = 0; n < maxDigits && IsDigit(*p_); ++n) value = value * 10 + (*p_++ - '0');
        return !IsDigit(*p_);
    }

    // A zone name: three or more letters, or "<" letters, digits, "+" and "-"
    // ">" (the brackets are not part of the name). Cut to 63 characters.
    bool Name(char (&out)[64]) {
        std::size_t length = 0;
        const char* start = p_;
        if (Take('<')) {
            while (IsDigit(*p_) || IsLetter(*p_) || *p_ == '+' || *p_ == '-') Store(out, length);
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
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
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

// Seconds from the start of `year` to the local moment month/day + seconds.
long long SecondsIntoYear(int year, int month, int day, long seconds) {
    return (DayOfYear(CivilDate{year, month, day}) - 1) * 86400LL + seconds;
}

constexpr std::int64_t kSecondsPerDay = 86400;

// Transition times further than this from 1970 lie outside the years 1-9999
// and are never a change of a year asked for.
constexpr std::int64_t kFarSeconds = 400'000'000'000;

bool Earlier(const CivilDate& a, const CivilDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

// Counts a change on `date` when it lies in `year` and is the first of its
// kind there.
void Note(YearChanges& changes, int year, bool intoDaylight, const CivilDate& date) {
    if (date.year != year) return;
    bool& seen = intoDaylight ? changes.begins : changes.ends;
    CivilDate& first = intoDaylight ? changes.begin : changes.end;
    if (seen && !Earlier(date, first)) return;
    seen = true;
    first = date;
}

// Calls visit(instant, intoDaylight, localDate) for each change `rule` makes
// in the years around `year` (a time of day beyond 24 hours or below 0 can
// carry a change into the next or the previous year): the instant in seconds
// since 1970 UTC and the local date in the time in force before the change.
template <typename Visit>
void ForEachRuleChange(const ZoneRule& rule, int year, Visit&& visit) {
    if (!rule.hasDaylight) return;
    for (int y = year - 1; y <= year + 1; ++y) {
        if (y < 1 || y > 9999) continue;
        // The start is given in standard time, the end in daylight time.
        const RuleDay* days[] = {&rule.start, &rule.end};
        const long before[] = {rule.standardOffset, rule.daylightOffset};
        for (int i = 0; i < 2; ++i) {
            int month = 0, day = 0;
            RuleMonthDay(*days[i], y, month, day);
            const std::int64_t local =
                DaysFromEpoch(CivilDate{y, month, day}) * kSecondsPerDay + days[i]->seconds;
            visit(local + before[i], i == 0, DateFromEpoch(FloorDiv(local, kSecondsPerDay)));
        }
    }
}

// A date as the yearly rule that lands on it in its year: its weekday, and
// which occurrence of that weekday in the month it is; the fifth is always
// the month's last.
TransitionRule YearlyRuleOf(const CivilDate& date) {
    const int weekday = static_cast<int>(WeekdayOf(date)) - 1;
    return {0, date.month, weekday, (date.day - 1) / 7 + 1};
}

std::uint32_t BigEndian32(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::int64_t BigEndian64(const unsigned char* p) {
    return static_cast<std::int64_t>(std::uint64_t{BigEndian32(p)} << 32 | BigEndian32(p + 4));
}

bool ReadAt(int fd, std::uint64_t offset, void* out, std::size_t size) {
    return ::pread(fd, out, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
}

// The counts of a TZif header, and the size of the data block they describe
// for transition times of `timeSize` bytes.
struct TzifCounts {
    std::uint64_t utIndicators, standardIndicators, leapSeconds, transitions, types, characters;

    static bool Read(int fd, std::uint64_t offset, TzifCounts& counts, char& version) {
        unsigned char header[44];
        if (!ReadAt(fd, offset, header, sizeof header) || std::memcmp(header, "TZif", 4) != 0)
            return false;
        version = static_cast<char>(header[4]);
        std::uint64_t* fields[] = {&counts.utIndicators, &counts.standardIndicators,
                                   &counts.leapSeconds,  &counts.transitions,
                                   &counts.types,        &counts.characters};
        for (int i = 0; i < 6; ++i) *fields[i] = BigEndian32(header + 20 + 4 * i);
        return true;
    }
    std::uint64_t DataSize(std::uint64_t timeSize) const {
        return transitions * (timeSize + 1) + types * 6 + characters +
               leapSeconds * (timeSize + 4) + standardIndicators + utIndicators;
    }
};

struct TimeType {
    std::int32_t utcOffset;  // seconds east of UTC
    bool daylight;
};

// The changes of `year` from the transition table of the open zone file
// `fd`, then from `rule` after the table.
bool TableChanges(int fd, const ZoneRule& rule, int year, YearChanges& out) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    // The 64-bit table follows the header and the 32-bit data of version 1.
    TzifCounts counts{};
    char version = 0;
    if (!TzifCounts::Read(fd, 0, counts, version) || version < '2') return false;
    const std::uint64_t header = 44 + counts.DataSize(4);
    if (!TzifCounts::Read(fd, header, counts, version)) return false;
    const std::uint64_t times = header + 44;
    const std::uint64_t indices = times + 8 * counts.transitions;
    const std::uint64_t typeRecords = indices + counts.transitions;
    if (counts.types < 1 || counts.types > 256 || times + counts.DataSize(8) > size) return false;

    TimeType types[256];
    unsigned char record[6 * 256];
    if (!ReadAt(fd, typeRecords, record, 6 * counts.types)) return false;
    for (std::uint64_t i = 0; i < counts.types; ++i)
        types[i] = {static_cast<std::int32_t>(BigEndian32(record + 6 * i)), record[6 * i + 4] != 0};

    // Before the first transition the first type is in force.
    TimeType before = types[0];
    std::int64_t last = 0;
    constexpr std::size_t kChunk = 128;
    unsigned char timeBytes[8 * kChunk], indexBytes[kChunk];
    for (std::uint64_t first = 0; first < counts.transitions; first += kChunk) {
        const std::size_t n = static_cast<std::size_t>(
            counts.transitions - first < kChunk ? counts.transitions - first : kChunk);
        if (!ReadAt(fd, times + 8 * first, timeBytes, 8 * n) ||
            !ReadAt(fd, indices + first, indexBytes, n))
            return false;
        for (std::size_t i = 0; i < n; ++i) {
            if (indexBytes[i] >= counts.types) return false;
            const TimeType after = types[indexBytes[i]];
            last = BigEndian64(timeBytes + 8 * i);
            if (after.daylight != before.daylight && last > -kFarSeconds && last < kFarSeconds) {
                const std::int64_t local = last + before.utcOffset;
                Note(out, year, after.daylight, DateFromEpoch(FloorDiv(local, kSecondsPerDay)));
            }
            before = after;
        }
    }
    // After the table the footer's rule; without a table, for every year.
    const bool table = counts.transitions > 0;
    ForEachRuleChange(rule, year, [&](std::int64_t instant, bool intoDaylight, CivilDate date) {
        if (!table || instant > last) Note(out, year, intoDaylight, date);
    });
    return true;
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
        case RuleDay::Kind::kMonthWeekDay:
            month = day.month;
            dayOfMonth =
                NthWeekdayOfMonth(year, month, static_cast<Weekday>(day.weekday + 1), day.week);
            return;
        case RuleDay::Kind::kJulianNoLeap: {
            // 29 February is never counted: from 1 March on the day lies one
            // further in a leap year.
            const int ordinal = day.dayNumber + (IsLeapYear(year) && day.dayNumber >= 60 ? 1 : 0);
            const CivilDate date = DateOfDayOfYear(year, ordinal);
            month = date.month;
            dayOfMonth = date.day;
            return;
        }
        case RuleDay::Kind::kZeroBased: {
            // Day 365 exists only in a leap year; in another year it is taken
            // as 31 December.
            const int length = DaysInYear(year);
            const CivilDate date =
                DateOfDayOfYear(year, day.dayNumber + 1 < length ? day.dayNumber + 1 : length);
            month = date.month;
            dayOfMonth = date.day;
            return;
        }
    }
    month = 1;
    dayOfMonth = 1;
}

YearChanges RuleChanges(const ZoneRule& rule, int year) {
    YearChanges changes;
    ForEachRuleChange(rule, year, [&](std::int64_t, bool intoDaylight, CivilDate date) {
        Note(changes, year, intoDaylight, date);
    });
    return changes;
}

bool ZoneFileChanges(const char* path, const ZoneRule& rule, int year, YearChanges& out) {
    out = YearChanges{};
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    const bool read = TableChanges(fd, rule, year, out);
    ::close(fd);
    if (!read) out = YearChanges{};
    return read;
}

ZoneState DescribeZone(const ZoneRule& rule, const YearChanges& changes, const LocalMoment& now,
                       TimeZoneInfo& info) {
    info = TimeZoneInfo{};
    info.bias = rule.standardOffset / 60;
    CopyName(rule.standardName, info.standardName);
    if (!changes.begins && !changes.ends) return ZoneState::kNoDaylightSaving;
    info.hasDaylightDate = changes.begins;
    info.hasStandardDate = changes.ends;
    if (changes.begins) info.daylightDate = YearlyRuleOf(changes.begin);
    if (changes.ends) info.standardDate = YearlyRuleOf(changes.end);
    // A zone whose rule of today has no daylight saving had it that year
    // (from its history): it is on standard time now.
    if (!rule.hasDaylight) return ZoneState::kStandard;
    CopyName(rule.daylightName, info.daylightName);
    info.daylightBias = (rule.daylightOffset - rule.standardOffset) / 60;

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
