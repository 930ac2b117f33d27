// kal_format_many item by item. The column writer and kal_format take
// different paths from a date to its text (the column's from the day count
// through a table of the days of a year), so the column is held to
// kal_format for every code in every block shape over whole years and the
// ends of the range, and to std::chrono for every day a text can hold.
#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "civil/civil_date.h"
#include "kalcore/dates.h"

namespace {

using kalcore::CivilDate;
using kalcore::DaysFromEpoch;

constexpr char kCodes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=";
constexpr int64_t kFirst = DaysFromEpoch(CivilDate{1000, 1, 1});
constexpr int64_t kLast = DaysFromEpoch(CivilDate{9999, 12, 31});

std::chrono::year_month_day DateOf(int64_t day) {
    return std::chrono::year_month_day{std::chrono::sys_days{std::chrono::days{day}}};
}

// Whole years (common, leap by 4 and by 400, common by 100, the first and
// the last), the days just outside the range, and counts that are no date
// near the ends of the integers.
std::vector<int64_t> SampleDays() {
    std::vector<int64_t> days;
    for (const int year : {1000, 1600, 1900, 1999, 2000, 2024, 2100, 9999})
        for (int64_t day = DaysFromEpoch(CivilDate{year, 1, 1});
             day <= DaysFromEpoch(CivilDate{year, 12, 31}); ++day)
            days.push_back(day);
    for (const int64_t day : {kFirst - 1, kFirst - 366, kLast + 1, kLast + 366, int64_t{-719468},
                              int64_t{INT32_MIN}, int64_t{INT32_MAX}, int64_t{UINT32_MAX},
                              int64_t{1} << 32, INT64_MIN, INT64_MIN + 1, INT64_MAX, int64_t{0}})
        days.push_back(day);
    return days;
}

// What kal_format writes for a day, "" for a day no text holds.
std::string FormatOne(int64_t day, char code) {
    if (day < kFirst || day > kLast) return "";
    const std::chrono::year_month_day ymd = DateOf(day);
    char text[16];
    size_t length = 0;
    const int32_t status =
        kal_format(int(ymd.year()), static_cast<int32_t>(unsigned(ymd.month())),
                   static_cast<int32_t>(unsigned(ymd.day())), code, text, sizeof text, &length);
    EXPECT_EQ(status, KAL_OK) << day << " " << code;
    return std::string(text, length);
}

// Character c of an item of 1-byte or UCS-4 characters.
uint32_t CharAt(const unsigned char* item, size_t charSize, size_t c) {
    if (charSize == 1) return item[c];
    uint32_t wide;
    std::memcpy(&wide, item + 4 * c, sizeof wide);
    return wide;
}

struct Shape {
    size_t charSize;
    size_t width;  // 0: the code's longest text
    size_t gap;    // bytes between items, which stay untouched
    bool backwards;
};

// Widths of 12 and more, the code's own, 11 and odd ones; strides that are
// odd (UCS-4 items off their alignment), packed, and negative.
constexpr Shape kShapes[] = {
    {1, 0, 3, false}, {1, 11, 0, false}, {1, 12, 5, false}, {1, 16, 1, false}, {1, 13, 2, true},
    {4, 0, 0, false}, {4, 11, 3, false}, {4, 12, 4, true},  {4, 16, 1, false},
};

TEST(FormatManyTest, EveryCodeAndShapeAgreesWithFormat) {
    const std::vector<int64_t> days = SampleDays();
    int64_t dates = 0;
    for (const int64_t day : days) dates += day >= kFirst && day <= kLast ? 1 : 0;
    for (const char* code = kCodes; *code != '\0'; ++code) {
        std::vector<std::string> expected;
        for (const int64_t day : days) expected.push_back(FormatOne(day, *code));
        for (const Shape& shape : kShapes) {
            const size_t width =
                shape.width != 0 ? shape.width : static_cast<size_t>(kal_format_width(*code));
            SCOPED_TRACE(std::string("code ") + *code + ", " + std::to_string(shape.charSize) +
                         "-byte characters, width " + std::to_string(width) +
                         (shape.backwards ? ", backwards" : ""));
            const size_t step = width * shape.charSize + shape.gap;
            std::vector<unsigned char> block(step * days.size(), 0xEE);
            const auto stride = static_cast<ptrdiff_t>(step);
            unsigned char* base =
                shape.backwards ? block.data() + step * (days.size() - 1) : block.data();
            ASSERT_EQ(kal_format_many(days.data(), days.size(), *code, base, shape.charSize, width,
                                      shape.backwards ? -stride : stride),
                      dates);
            for (size_t i = 0; i < days.size(); ++i) {
                const unsigned char* item = shape.backwards ? base - step * i : base + step * i;
                const std::string& text = expected[i];
                std::string got;
                for (size_t c = 0; c < width; ++c) {
                    const uint32_t wide = CharAt(item, shape.charSize, c);
                    // The text, then zeros to the width.
                    if (c < text.size() ? wide != static_cast<unsigned char>(text[c]) : wide != 0)
                        got = "differs at character " + std::to_string(c);
                }
                for (size_t b = width * shape.charSize; b < step; ++b)
                    if (item[b] != 0xEE) got = "wrote between items";
                ASSERT_EQ(got, "") << "day " << days[i] << ", expected \"" << text << "\"";
            }
        }
    }
}

// Every day of the years 1000-9999, a column at a time, against std::chrono:
// the digits (E, CCYYMMDD), the abbreviations (7, DD-Mmm-CCYY, as UCS-4)
// and both one-digit fields with their substitutions ({, D/M/CCYY).
TEST(FormatManyTest, EveryDayAgreesWithChrono) {
    static const char* const kAbbrevs[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    constexpr size_t kColumn = 1 << 16;
    std::vector<int64_t> days(kColumn);
    std::vector<char> digits(kColumn * 8);
    std::vector<uint32_t> named(kColumn * 11);
    std::vector<char> dayFirst(kColumn * 10);
    for (int64_t start = kFirst; start <= kLast; start += kColumn) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(kColumn, kLast - start + 1));
        for (size_t i = 0; i < n; ++i) days[i] = start + static_cast<int64_t>(i);
        ASSERT_EQ(kal_format_many(days.data(), n, 'E', digits.data(), 1, 8, 8), int64_t(n));
        ASSERT_EQ(kal_format_many(days.data(), n, '7', named.data(), 4, 11, 44), int64_t(n));
        ASSERT_EQ(kal_format_many(days.data(), n, '{', dayFirst.data(), 1, 10, 10), int64_t(n));
        for (size_t i = 0; i < n; ++i) {
            const std::chrono::year_month_day ymd = DateOf(days[i]);
            const int year = int(ymd.year());
            const auto month = unsigned(ymd.month()), day = unsigned(ymd.day());
            char want[16];
            std::snprintf(want, sizeof want, "%04d%02u%02u", year, month, day);
            ASSERT_EQ(std::string(&digits[i * 8], 8), want);
            std::snprintf(want, sizeof want, "%02u-%s-%04d", day, kAbbrevs[month - 1], year);
            std::string wide;
            for (size_t c = 0; c < 11; ++c) wide += static_cast<char>(named[i * 11 + c]);
            ASSERT_EQ(wide, want);
            std::snprintf(want, sizeof want, "%u/%u/%04d", day, month, year);
            ASSERT_EQ(std::string(&dayFirst[i * 10], strnlen(&dayFirst[i * 10], 10)), want);
        }
    }
}

}  // namespace
