// The sliding date window: both ends inclusive, the direction, 29 February,
// and windows that reach past the calendar.
#include "services/sliding_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "fixed_clock.h"

namespace kalcore::services {
namespace {

using testing::FixedClock;

TEST(SlidingWindowTest, Table) {
    FixedClock clock(2026, 12, 6);
    struct Row {
        const char* pivot;
        std::int32_t years;
        const char* check;
        bool valid;
        int inWindow, direction;
    } const rows[] = {
        {"06/15/1998", 5, "06/15/2003", true, 1, 1},  // the end belongs to the window
        {"06/15/1998", 5, "06/16/2003", true, 0, 1},
        {"06/15/1998", 5, "06/15/1998", true, 1, 1},  // so does the pivot
        {"06/15/1998", 5, "06/14/1998", true, 0, 1},
        {"06/15/1998", -5, "06/15/1993", true, 1, -1},
        {"06/15/1998", -5, "06/14/1993", true, 0, -1},
        {"06/15/1998", -5, "06/16/1998", true, 0, -1},
        {"06/15/1998", 0, "06/15/1998", true, 0, 0},  // an empty window
        {"TODAY", 1, "TODAY", true, 1, 1},
        {"01/01/2026", 1, "TODAY", true, 1, 1},
        {"YESTER", -1, "12/06/2025", true, 1, -1},
        {"Jun-15-1998", 5, "2003-06-15", true, 1, 1},  // any input format
        {"Jun-15-98", 5, "2003-06-15", true, 0, 1},    // 2098: the current century
        {"13/45/1998", 5, "06/15/2003", false, 0, 0},
        {"06/15/1998", 5, "02/30/2000", false, 0, 0},
        {"", 5, "06/15/2003", false, 0, 0},
        // 29 February moved into a common year ends on 28 February.
        {"02/29/2000", 1, "02/28/2001", true, 1, 1},
        {"02/29/2000", 1, "03/01/2001", true, 0, 1},
        {"02/29/2000", -1, "02/28/1999", true, 1, -1},
        {"02/29/2000", -1, "02/27/1999", true, 0, -1},
        {"02/29/2000", 4, "02/29/2004", true, 1, 1},
        // Windows reaching past the years 1-9999 end at the calendar's edge.
        {"06/15/1998", INT32_MAX, "12/31/9999", true, 1, 1},
        {"06/15/1998", INT32_MIN, "01/01/1000", true, 1, -1},
        {"06/15/1998", 8001, "06/15/9999", true, 1, 1},
        {"06/15/1998", 8001, "06/16/9999", true, 0, 1},
        {"06/15/1998", 8002, "01/01/2100", true, 1, 1},
    };
    for (const Row& row : rows) {
        DateText pivot = {}, check = {};
        std::strncpy(pivot, row.pivot, 11);
        std::strncpy(check, row.check, 11);
        WindowAnswer answer{7, 7};
        EXPECT_EQ(SlidingWindow(pivot, row.years, check, answer), row.valid)
            << row.pivot << " " << row.years << " " << row.check;
        EXPECT_EQ(answer.inWindow, row.inWindow)
            << row.pivot << " " << row.years << " " << row.check;
        EXPECT_EQ(answer.direction, row.direction) << row.pivot << " " << row.years;
    }
}

TEST(AddYearsTest, Table) {
    FixedClock clock(2026, 12, 6);
    struct Row {
        const char* date;
        std::int64_t years;
        AddYearsStatus status;
        CivilDate moved;
    } const rows[] = {
        {"06/15/1998", 5, AddYearsStatus::kMoved, {2003, 6, 15}},
        {"06/15/1998", -1997, AddYearsStatus::kMoved, {1, 6, 15}},
        {"06/15/1998", -1998, AddYearsStatus::kOutOfRange, {}},
        {"06/15/1998", 8001, AddYearsStatus::kMoved, {9999, 6, 15}},
        {"06/15/1998", 8002, AddYearsStatus::kOutOfRange, {}},
        {"02/29/2024", 100, AddYearsStatus::kMoved, {2124, 2, 29}},
        {"02/29/2024", 76, AddYearsStatus::kMoved, {2100, 2, 28}},
        {"02/29/2024", -24, AddYearsStatus::kMoved, {2000, 2, 29}},
        {"02/30/2024", 1, AddYearsStatus::kInvalidDate, {}},
    };
    for (const Row& row : rows) {
        DateText date = {};
        std::strncpy(date, row.date, 11);
        CivilDate moved{};
        ASSERT_EQ(AddYears(date, row.years, moved), row.status) << row.date << " " << row.years;
        if (row.status != AddYearsStatus::kMoved) continue;
        EXPECT_EQ(moved.year, row.moved.year);
        EXPECT_EQ(moved.month, row.moved.month);
        EXPECT_EQ(moved.day, row.moved.day);
    }
}

}  // namespace
}  // namespace kalcore::services
