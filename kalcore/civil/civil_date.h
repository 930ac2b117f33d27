// The calendar at the bottom of the library: a date as three integers and
// the proleptic Gregorian rules every other layer computes with. No text, no
// clock, no files; everything here can run at compile time.
//
// Serial day numbers are the library's running count of days: 1 January 2000
// is day 730500, 31 December 1998 day 730134. They cover the years 1-9999,
// the years a date text can hold.
#pragma once

#include <array>
#include <cstdint>

namespace kalcore {

// A calendar date: year, month 1-12, day 1-31. Which values make a real date
// is told by IsValidDate.
struct CivilDate {
    int year, month, day;

    friend constexpr bool operator==(const CivilDate&, const CivilDate&) = default;
};

// The days of the week in the library's one numbering, 1 = Sunday .. 7 =
// Saturday.
enum class Weekday : int {
    kSunday = 1,
    kMonday,
    kTuesday,
    kWednesday,
    kThursday,
    kFriday,
    kSaturday
};

constexpr bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

namespace civil_detail {

// Days of each month of a common year, January at 1.
inline constexpr int kMonthLength[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Days before the first of each month of a common year, January at 1.
inline constexpr std::array<int, 13> kDaysBeforeMonth = [] {
    std::array<int, 13> days{};
    for (int month = 2; month <= 12; ++month)
        days[month] = days[month - 1] + kMonthLength[month - 1];
    return days;
}();

}  // namespace civil_detail

// Days of `month` (1-12) in `year`.
constexpr int DaysInMonth(int year, int month) {
    return month == 2 && IsLeapYear(year) ? 29 : civil_detail::kMonthLength[month];
}

constexpr int DaysInYear(int year) {
    return IsLeapYear(year) ? 366 : 365;
}

// A month of 1-12 and a day within that month of that year.
constexpr bool IsValidDate(const CivilDate& date) {
    if (date.month < 1 || date.month > 12 || date.day < 1) return false;
    return date.day <= civil_detail::kMonthLength[date.month] ||
           (date.month == 2 && date.day == 29 && IsLeapYear(date.year));
}

// The century and the year within it of a year 0-9999: 19 and 98 for 1998.
constexpr int CenturyOf(int year) {
    return year / 100;
}
constexpr int YearOfCentury(int year) {
    return year % 100;
}

// Division rounding toward minus infinity, and the remainder that goes with
// it (of the divisor's sign): the calendar counts whole eras, years and
// weeks the same way before an epoch as after it.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}
constexpr std::int64_t FloorMod(std::int64_t a, std::int64_t b) {
    return a - b * FloorDiv(a, b);
}

// Days from 1 January 1970 to a date of any year, by eras of 400 years
// (146097 days).
constexpr std::int64_t DaysFromEpoch(const CivilDate& date) {
    const std::int64_t y = std::int64_t{date.year} - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear =
        (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

namespace civil_detail {

// The date of any day, by eras of 400 years with divisions rounding toward
// minus infinity: the path for days far before or after the years people
// write.
constexpr CivilDate DateFromEpochByEras(std::int64_t days) {
    days += 719468;
    const std::int64_t era = FloorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    const int month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    return CivilDate{static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

// Days from 1 March of the year 0 to 1 January 1970.
inline constexpr std::uint32_t kMarchOfYear0 = 719468;

// The days from 1 March of the year 0 that DateFromMarchOfYear0 takes: four
// times the count plus 3 must fit 32 bits (some 2.9 million years).
inline constexpr std::uint32_t kMarchDaysLimit = std::uint32_t{1} << 30;

// A day counted from 1 March of the year 0 as its year counted from March
// (so that the leap day ends it) and its day within that year, 0 for 1 March
// to 365 for 29 February: the year is 100 * century + yearOfCentury, and
// January and February belong to the calendar year after it.
struct MarchYearDay {
    std::uint32_t century, yearOfCentury, dayOfYear;
};

// The March year and its day of the day `n` days after 1 March of the year 0,
// n below kMarchDaysLimit, without a division or a branch: every quotient is
// a multiplication and a shift on 32-bit unsigned values. Centuries have
// 36524 or 36525 days (four to the 146097 days of 400 years), years within a
// century 365 or 366, and the day of the year falls out of the low half of
// the year's product.
constexpr MarchYearDay MarchYearOf(std::uint32_t n) {
    const std::uint32_t centuryNumerator = 4 * n + 3;
    const std::uint32_t century = centuryNumerator / 146097;
    const std::uint32_t dayOfCentury = centuryNumerator % 146097 / 4;
    const std::uint64_t yearProduct = std::uint64_t{2939745} * (4 * dayOfCentury + 3);
    return MarchYearDay{century, static_cast<std::uint32_t>(yearProduct >> 32),
                        static_cast<std::uint32_t>(yearProduct) / 2939745 / 4};
}

// The day of a March year (0-365) at which January begins.
inline constexpr std::uint32_t kJanuaryOfMarchYear = 306;

// The month (3 for March to 14 for February of the next calendar year) and
// the day of the month of a day of a March year: months as 2141 / 65536
// days' steps (153 days to five months).
struct MarchMonthDay {
    std::uint32_t month, day;
};
constexpr MarchMonthDay MarchMonthOf(std::uint32_t dayOfYear) {
    const std::uint32_t monthAndDay = 2141 * dayOfYear + 197913;
    return MarchMonthDay{monthAndDay >> 16, (monthAndDay & 0xffff) / 2141 + 1};
}

// The date `n` days after 1 March of the year 0, n below kMarchDaysLimit.
constexpr CivilDate DateFromMarchOfYear0(std::uint32_t n) {
    const MarchYearDay year = MarchYearOf(n);
    const MarchMonthDay month = MarchMonthOf(year.dayOfYear);
    const std::uint32_t january = year.dayOfYear >= kJanuaryOfMarchYear ? 1 : 0;
    return CivilDate{static_cast<int>(100 * year.century + year.yearOfCentury + january),
                     static_cast<int>(month.month - 12 * january), static_cast<int>(month.day)};
}

}  // namespace civil_detail

// The date `days` days after 1 January 1970 (before it when negative). Days
// from the year 0 on take the 32-bit path, the rest the one by eras; both give
// the same dates (checked for every day of the years 1-9999 by the tests).
constexpr CivilDate DateFromEpoch(std::int64_t days) {
    // Unsigned, so that a day before the year 0 wraps to a count far above
    // the limit.
    const std::uint64_t fromMarch =
        static_cast<std::uint64_t>(days) + std::uint64_t{civil_detail::kMarchOfYear0};
    if (fromMarch < civil_detail::kMarchDaysLimit)
        return civil_detail::DateFromMarchOfYear0(static_cast<std::uint32_t>(fromMarch));
    return civil_detail::DateFromEpochByEras(days);
}

namespace civil_detail {

// The two paths agree on the days each side of every 1 January and 1 March
// of the 400 years 1600-2000 and at the ends of the 32-bit path; the tests
// compare every day of the years 0-9999.
constexpr bool PathsAgreeOnYearEnds() {
    for (int year = 1600; year < 2001; ++year)
        for (const CivilDate first : {CivilDate{year, 1, 1}, CivilDate{year, 3, 1}})
            for (std::int64_t step = -1; step <= 0; ++step) {
                const std::int64_t days = DaysFromEpoch(first) + step;
                if (DateFromEpoch(days) != DateFromEpochByEras(days)) return false;
            }
    for (const std::int64_t days : {-std::int64_t{kMarchOfYear0} - 1, -std::int64_t{kMarchOfYear0},
                                    std::int64_t{kMarchDaysLimit} - kMarchOfYear0 - 1,
                                    std::int64_t{kMarchDaysLimit} - kMarchOfYear0})
        if (DateFromEpoch(days) != DateFromEpochByEras(days)) return false;
    return true;
}
static_assert(PathsAgreeOnYearEnds());
static_assert(DateFromEpoch(DaysFromEpoch(CivilDate{1000, 1, 1})) == CivilDate{1000, 1, 1});
static_assert(DateFromEpoch(DaysFromEpoch(CivilDate{9999, 12, 31})) == CivilDate{9999, 12, 31});

}  // namespace civil_detail

// Serial day number of 1 January 1970.
inline constexpr std::int64_t kSerialOfEpoch = 730500 - DaysFromEpoch(CivilDate{2000, 1, 1});

// The first and the last day serial day numbers cover.
inline constexpr std::int64_t kFirstSerial = kSerialOfEpoch + DaysFromEpoch(CivilDate{1, 1, 1});
inline constexpr std::int64_t kLastSerial = kSerialOfEpoch + DaysFromEpoch(CivilDate{9999, 12, 31});

// Serial day number of a date of the years 1-9999.
constexpr std::int32_t SerialDay(const CivilDate& date) {
    return static_cast<std::int32_t>(kSerialOfEpoch + DaysFromEpoch(date));
}

// The date of a serial day number; false, with `date` untouched, when it
// lies outside the years 1-9999.
constexpr bool DateOfSerial(std::int64_t serial, CivilDate& date) {
    if (serial < kFirstSerial || serial > kLastSerial) return false;
    date = DateFromEpoch(serial - kSerialOfEpoch);
    return true;
}

// The date moved by `days` (back when negative); false, with `moved`
// untouched, when it leaves the years 1-9999.
constexpr bool AddDays(const CivilDate& date, std::int64_t days, CivilDate& moved) {
    return DateOfSerial(SerialDay(date) + days, moved);
}

// The date moved by `years`, keeping month and day; 29 February moved into
// a common year becomes 28 February. False, with `moved` untouched, when the
// year leaves 1-9999.
constexpr bool AddYears(const CivilDate& date, std::int64_t years, CivilDate& moved) {
    const std::int64_t year = date.year + years;
    if (year < 1 || year > 9999) return false;
    moved = CivilDate{static_cast<int>(year), date.month, date.day};
    if (moved.month == 2 && moved.day == 29 && !IsLeapYear(moved.year)) moved.day = 28;
    return true;
}

// The weekday of the day `days` days after 1 January 1970, a Thursday.
constexpr Weekday WeekdayOfEpochDay(std::int64_t days) {
    return static_cast<Weekday>(FloorMod(days + 4, 7) + 1);
}

constexpr Weekday WeekdayOf(const CivilDate& date) {
    return WeekdayOfEpochDay(DaysFromEpoch(date));
}

constexpr Weekday WeekdayOfSerial(std::int64_t serial) {
    return WeekdayOfEpochDay(serial - kSerialOfEpoch);
}

// Day of the month of the `n`-th (n >= 1) `weekday` of a month; when the
// month has fewer than n of them, its last one. So n = 5 always gives the
// last such weekday.
constexpr int NthWeekdayOfMonth(int year, int month, Weekday weekday, int n) {
    const int first = static_cast<int>(WeekdayOf(CivilDate{year, month, 1}));
    int day = 1 + (static_cast<int>(weekday) - first + 7) % 7 + 7 * (n - 1);
    const int length = DaysInMonth(year, month);
    while (day > length) day -= 7;
    return day;
}

// Day of the year, 1 for 1 January.
constexpr int DayOfYear(const CivilDate& date) {
    return civil_detail::kDaysBeforeMonth[date.month] + date.day +
           (date.month > 2 && IsLeapYear(date.year) ? 1 : 0);
}

// The date of day `dayOfYear` (1 to the year's length) of `year`.
constexpr CivilDate DateOfDayOfYear(int year, int dayOfYear) {
    int month = 1;
    while (month < 12 && dayOfYear > DaysInMonth(year, month))
        dayOfYear -= DaysInMonth(year, month++);
    return CivilDate{year, month, dayOfYear};
}

static_assert(SerialDay(CivilDate{2000, 1, 1}) == 730500);
static_assert(SerialDay(CivilDate{1998, 12, 31}) == 730134);
static_assert(WeekdayOf(CivilDate{2000, 1, 1}) == Weekday::kSaturday);
static_assert(WeekdayOfSerial(730500) == Weekday::kSaturday);

}  // namespace kalcore
