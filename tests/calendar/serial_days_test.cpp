// Serial day numbers through the export that hands them out, and the
// keywords that move back from today by them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "kalcore.h"

namespace kalcore {
namespace {

namespace chr = std::chrono;

std::int64_t ChronoDays(int y, int m, int d) {
    return chr::sys_days{chr::year{y} / m / d}.time_since_epoch().count();
}

TEST(SerialDays, KnownNumbers) {
    struct Case {
        const char* date;
        std::int32_t serial;
    };
    const Case cases[] = {
        {"12/31/1998", 730134}, {"01/01/1998", 729770},  {"01/01/2000", 730500},
        {"02/29/2000", 730559}, {"03/01/2000", 730560},  {"1901-01-01", 694341},
        {"12/31/2100", 767389}, {"Jan/01/1601", 584769},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date);
        char text[12] = {};
        std::strncpy(text, c.date, 11);
        std::int32_t serial = -1;
        ASSERT_EQ(KD_CNTRYDAY(text, 1, &serial), 1);
        EXPECT_EQ(serial, c.serial);
    }
}

// Outside 1901-2100 the count stays Gregorian: no skipped or doubled day at
// the turn of 1900 or 2100.
TEST(SerialDays, CenturyYearsAreCommonYears) {
    char text[12] = "02/28/1900";
    std::int32_t serial = 0;
    ASSERT_EQ(KD_CNTRYDAY(text, 1, &serial), 1);
    EXPECT_EQ(serial, 694034);
    std::strcpy(text, "03/01/1900");
    ASSERT_EQ(KD_CNTRYDAY(text, 1, &serial), 1);
    EXPECT_EQ(serial, 694035);
    std::strcpy(text, "12/31/2100");
    std::int32_t last = 0, next = 0;
    ASSERT_EQ(KD_CNTRYDAY(text, 1, &last), 1);
    std::strcpy(text, "01/01/2101");
    ASSERT_EQ(KD_CNTRYDAY(text, 1, &next), 1);
    EXPECT_EQ(next - last, 1);
}

TEST(SerialDays, RoundTripEveryDayFrom1601To2499) {
    const std::int64_t offset = 730500 - ChronoDays(2000, 1, 1);
    CivilDate previous{};
    std::int32_t previousSerial = 0;
    for (int y = 1601; y <= 2499; ++y)
        for (int m = 1; m <= 12; ++m) {
            const int length = DaysInMonth(y, m);
            for (int d = 1; d <= length; ++d) {
                const CivilDate date{y, m, d};
                const std::int32_t serial = SerialDay(date);
                ASSERT_EQ(serial, ChronoDays(y, m, d) + offset) << y << '-' << m << '-' << d;
                if (previousSerial != 0) {
                    ASSERT_EQ(serial, previousSerial + 1);
                }
                CivilDate back{};
                ASSERT_TRUE(DateOfSerial(serial, back));
                ASSERT_EQ(back.year * 10000 + back.month * 100 + back.day, y * 10000 + m * 100 + d);
                previous = date;
                previousSerial = serial;
            }
        }
    EXPECT_EQ(previous.year, 2499);
}

TEST(SerialDays, SerialToCalendarText) {
    struct Case {
        std::int32_t serial;
        bool ok;
        const char* text;
    };
    const Case cases[] = {
        {730500, true, "01-01-2000"},
        {730134, true, "12-31-1998"},
        {730559, true, "02-29-2000"},
        {381, true, "01-01-0001"},
        {SerialDay({9999, 12, 31}), true, "12-31-9999"},
        {SerialDay({1, 1, 1}) - 1, false, "untouched"},
        {SerialDay({9999, 12, 31}) + 1, false, "untouched"},
        {0, false, "untouched"},
        {-5, false, "untouched"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.serial);
        char text[12] = "untouched";
        std::int32_t serial = c.serial;
        EXPECT_EQ(KD_CNTRYDAY(text, 2, &serial), c.ok ? 1 : 0);
        EXPECT_STREQ(text, c.text);
    }
    char text[12] = "12/31/1998";
    std::int32_t serial = 7;
    EXPECT_EQ(KD_CNTRYDAY(text, 3, &serial), 0);
    EXPECT_EQ(serial, 7);
    std::strcpy(text, "02/30/1998");
    EXPECT_EQ(KD_CNTRYDAY(text, 1, &serial), 0);
    EXPECT_EQ(serial, 7);
}

TEST(KeywordDays, YesterKeywordsMoveBackFromToday) {
    struct Case {
        int year, month, day;
        const char* keyword;
        const char* date;
    };
    const Case cases[] = {
        {2024, 3, 1, "YESTER0", "02/29/2024"}, {2024, 3, 1, "yester", "02/29/2024"},
        {2027, 1, 8, "YESTER7", "12/31/2026"}, {2026, 12, 6, "Yester3", "12/02/2026"},
        {2100, 3, 1, "yester1", "02/27/2100"}, {2000, 1, 1, "YESTER", "12/31/1999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keyword);
        testing::FixedClock clock(c.year, c.month, c.day, 18, 40);
        char out[12];
        ASSERT_EQ(KD_CONVDATE(c.keyword, out, "B", 0, 0), 1);
        EXPECT_STREQ(out, c.date);
    }
}

}  // namespace
}  // namespace kalcore
