// Spelled-out dates: the twenty month-name layouts, the switches, keywords
// and the time.
#include "calendar/full_date.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fixed_clock.h"

namespace kalcore {
namespace {

using testing::FixedClock;

std::string Build(const char* date, const char* code, FullDateSwitches switches,
                  bool* ok = nullptr) {
    DateText text = {};
    std::strncpy(text, date, 11);
    const CodeText working = {code[0], '\0'};
    FullDateText out;
    std::memset(out, 'x', sizeof out);
    const bool result = FullDateBuilder(text, out, working, switches);
    if (ok != nullptr) *ok = result;
    EXPECT_EQ(result, out[0] != '\0') << date << " " << code;
    return out;
}

TEST(MonthNameFormatterTest, EveryMonthNameLayout) {
    FixedClock clock(2026, 12, 6);
    struct Row {
        char code;
        const char* fourth;      // 4 July 1998
        const char* fourteenth;  // 14 September 1998
        char codeAfter;          // the code after 14 September
    } const rows[] = {
        {'6', "04-July-98", "14-September-98", '6'},
        {'7', "04-July-1998", "14-September-1998", '7'},
        {'8', "04July98", "14September98", '8'},
        {'9', "04July1998", "14September1998", '9'},
        {'F', "1998-July-04", "1998-September-14", 'F'},
        {'H', "04/July/1998", "14/September/1998", 'H'},
        {'I', "04/July/98", "14/September/98", 'I'},
        {'J', "1998/July/04", "1998/September/14", 'J'},
        {'K', "July/04/1998", "September/14/1998", 'K'},
        {'L', "July/04/98", "September/14/98", 'L'},
        {'M', "July-04-1998", "September-14-1998", 'M'},
        {'N', "July-04-98", "September-14-98", 'N'},
        {'R', "1998/04/July", "1998/14/September", 'R'},
        {'S', "1998-04-July", "1998-14-September", 'S'},
        {'T', "1998July04", "1998September14", 'T'},
        {'Y', "4-July-1998", "14-September-1998", '7'},
        {'Z', "4/July/1998", "14/September/1998", 'H'},
        {'*', "July-4-1998", "September-14-1998", 'M'},
        {'#', "July/4/1998", "September/14/1998", 'K'},
        {'$', "4July1998", "14September1998", '9'},
    };
    ASSERT_EQ(std::strlen(kMonthNameCodes), std::size(rows));
    for (const Row& row : rows) {
        MonthNameDateText out;
        DateText fourth = "07/04/1998", fourteenth = "09/14/1998";
        CodeText code = {ToLowerAscii(row.code), '\0'};
        ASSERT_TRUE(MonthNameFormatter(fourth, code, out)) << row.code;
        EXPECT_STREQ(out, row.fourth);
        EXPECT_EQ(code[0], row.code);  // upper-cased in place
        ASSERT_TRUE(MonthNameFormatter(fourteenth, code, out)) << row.code;
        EXPECT_STREQ(out, row.fourteenth);
        EXPECT_EQ(code[0], row.codeAfter);
    }
}

TEST(MonthNameFormatterTest, RefusesOtherCodesAndInvalidDates) {
    FixedClock clock(2026, 12, 6);
    for (const char* bad : {"B", "A", "[", "0", ""}) {
        MonthNameDateText out = "x";
        DateText date = "07/04/1998";
        CodeText code = {bad[0], '\0'};
        EXPECT_FALSE(MonthNameFormatter(date, code, out)) << bad;
        EXPECT_STREQ(out, "");
    }
    MonthNameDateText out;
    DateText date = "02/30/1998";
    CodeText code = {'K', '\0'};
    EXPECT_FALSE(MonthNameFormatter(date, code, out));
    EXPECT_STREQ(out, "");
}

TEST(FullDateBuilderTest, Switches) {
    FixedClock clock(2026, 12, 6, 18, 40, 5);
    struct Row {
        const char* date;
        const char* code;
        FullDateSwitches switches;
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
