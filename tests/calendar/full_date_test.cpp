// Spelled-out dates: the twenty month-name layouts, the switches, keywords
// and the time.
#include "calendar/full_date.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fixed_clock.h"
#include "format/ascii.h"
#include "format/layouts.h"
#include "kalcore.h"

namespace kalcore {
namespace {

using testing::FixedClock;

// The switches of the export: abbreviated month, abbreviated day, time,
// 24-hour clock, AM/PM.
struct Switches {
    int abbreviateMonth, abbreviateDay, includeTime, twentyFourHour, amPm;
};

std::string Build(const char* date, const char* code, Switches switches) {
    char out[kFullDateSize];
    std::memset(out, 'x', sizeof out);
    const int16_t result =
        KD_AFULLDATEFORMAT(date, out, code, switches.abbreviateMonth, switches.abbreviateDay,
                           switches.includeTime, switches.twentyFourHour, switches.amPm);
    EXPECT_EQ(result, out[0] != '\0' ? 1 : 0) << date << " " << code;
    return out;
}

TEST(MonthNameLayoutsTest, EveryMonthNameLayout) {
    FixedClock clock(2026, 12, 6);
    struct Row {
        char code;
        const char* fourth;      // 4 July 1998
        const char* fourteenth;  // 14 September 1998
    } const rows[] = {
        {'6', "04-July-98", "14-September-98"},     {'7', "04-July-1998", "14-September-1998"},
        {'8', "04July98", "14September98"},         {'9', "04July1998", "14September1998"},
        {'F', "1998-July-04", "1998-September-14"}, {'H', "04/July/1998", "14/September/1998"},
        {'I', "04/July/98", "14/September/98"},     {'J', "1998/July/04", "1998/September/14"},
        {'K', "July/04/1998", "September/14/1998"}, {'L', "July/04/98", "September/14/98"},
        {'M', "July-04-1998", "September-14-1998"}, {'N', "July-04-98", "September-14-98"},
        {'R', "1998/04/July", "1998/14/September"}, {'S', "1998-04-July", "1998-14-September"},
        {'T', "1998July04", "1998September14"},     {'Y', "4-July-1998", "14-September-1998"},
        {'Z', "4/July/1998", "14/September/1998"},  {'*', "July-4-1998", "September-14-1998"},
        {'#', "July/4/1998", "September/14/1998"},  {'$', "4July1998", "14September1998"},
    };
    // Every code whose layout holds a month abbreviation is in the table.
    int withAbbreviation = 0;
    for (const FormatLayout& layout : kLayouts)
        withAbbreviation += layout.monthWidth == Width::Abbrev;
    ASSERT_EQ(withAbbreviation, static_cast<int>(std::size(rows)));
    for (const Row& row : rows) {
        const char code[2] = {ToLowerAscii(row.code), '\0'};
        EXPECT_EQ(Build("07/04/1998", code, {}), std::string("Saturday, ") + row.fourth);
        EXPECT_EQ(Build("09/14/1998", code, {}), std::string("Monday, ") + row.fourteenth);
    }
}

// Codes without a month abbreviation write their layout as it is; no code
// and an invalid date fail.
TEST(MonthNameLayoutsTest, OtherCodesAndInvalidDates) {
    FixedClock clock(2026, 12, 6);
    EXPECT_EQ(Build("07/04/1998", "B", {}), "Saturday, 07/04/1998");
    EXPECT_EQ(Build("07/04/1998", "A", {}), "Saturday, 07-04-1998");
    EXPECT_EQ(Build("07/04/1998", "[", {}), "Saturday, 04/07/1998");
    EXPECT_EQ(Build("07/04/1998", "0", {}), "");
    EXPECT_EQ(Build("07/04/1998", "", {}), "");
    EXPECT_EQ(Build("02/30/1998", "K", {}), "");
}

TEST(SpelledOutDateTest, Switches) {
    FixedClock clock(2026, 12, 6, 18, 40, 5);
    struct Row {
        const char* date;
        const char* code;
        Switches switches;
        const char* want;  // "" when the call fails
    } const rows[] = {
        {"07/04/1998", "K", {0, 0, 0, 0, 0}, "Saturday, July/04/1998"},
        {"07/04/1998", "K", {1, 0, 0, 0, 0}, "Saturday, Jul/04/1998"},
        {"07/04/1998", "K", {0, 1, 0, 0, 0}, "Sat, July/04/1998"},
        {"07/04/1998", "k", {0, 0, 0, 0, 0}, "Saturday, July/04/1998"},
        {"07/04/1998", "B", {0, 0, 0, 0, 0}, "Saturday, 07/04/1998"},
        {"07/04/1998", "#", {0, 0, 0, 0, 0}, "Saturday, July/4/1998"},
        {"07/14/1998", "#", {0, 0, 0, 0, 0}, "Tuesday, July/14/1998"},
        {"07/14/1998", "#", {1, 0, 0, 0, 0}, "Tuesday, Jul/14/1998"},
        {"09/30/1998", "7", {0, 0, 0, 0, 0}, "Wednesday, 30-September-1998"},
        // Switches other than 1 count as 0 ...
        {"07/04/1998", "K", {2, -1, 5, 1, 1}, "Saturday, July/04/1998"},
        // ... while with the time the clock switches count as 1 unless 0.
        {"07/04/1998", "B", {0, 0, 1, 0, 1}, "Saturday, 07/04/1998 at 06:40:05 PM"},
        {"07/04/1998", "B", {0, 0, 1, 0, 0}, "Saturday, 07/04/1998 at 06:40:05"},
        {"07/04/1998", "B", {0, 0, 1, 1, 0}, "Saturday, 07/04/1998 at 18:40:05"},
        {"07/04/1998", "B", {0, 0, 1, 5, 7}, "Saturday, 07/04/1998 at 18:40:05 PM"},
        // A keyword brings the time, 24-hour with AM/PM unless asked otherwise.
        {"TODAY", "K", {0, 0, 0, 0, 0}, "Sunday, December/06/2026 at 18:40:05 PM"},
        {"today", "B", {0, 1, 1, 0, 0}, "Sun, 12/06/2026 at 06:40:05"},
        {"YESTER", "G", {0, 0, 0, 0, 0}, "Saturday, 2026-12-05 at 18:40:05 PM"},
        // Only the keyword as it stands brings the time; with a blank after
        // it, it is read as today's date alone.
        {"TODAY ", "K", {0, 0, 0, 0, 0}, "Sunday, December/06/2026"},
        // The longest text fits the 43 characters.
        {"09/30/1998", "K", {0, 0, 1, 1, 1}, "Wednesday, September/30/1998 at 18:40:05 PM"},
        {"02/30/1998", "K", {0, 0, 0, 0, 0}, ""},
        {"07/04/1998", "0", {0, 0, 0, 0, 0}, ""},
        {"07/04/1998", "", {0, 0, 0, 0, 0}, ""},
        {"", "K", {0, 0, 1, 0, 0}, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Build(row.date, row.code, row.switches), row.want) << row.date << " " << row.code;
    }
}

}  // namespace
}  // namespace kalcore
