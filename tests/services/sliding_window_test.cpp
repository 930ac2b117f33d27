// The sliding date window: both ends inclusive, the direction, 29 February,
// and windows that reach past the calendar.
#include "services/sliding_window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "civil/civil_date.h"
#include "fixed_clock.h"
#include "kalcore.h"

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
        std::int32_t inWindow = 7, direction = 7;
        EXPECT_EQ(KD_SLIDINGWINDOWPROC(row.pivot, row.years, row.check, &inWindow, &direction),
                  row.valid ? 1 : 0)
            << row.pivot << " " << row.years << " " << row.check;
        EXPECT_EQ(inWindow, row.inWindow) << row.pivot << " " << row.years << " " << row.check;
        EXPECT_EQ(direction, row.direction) << row.pivot << " " << row.years;
    }
}

TEST(AddYearsTest, Table) {
    struct Row {
        CivilDate date;
        std::int64_t years;
        bool moved;
        CivilDate to;
    } const rows[] = {
        {{1998, 6, 15}, 5, true, {2003, 6, 15}},   {{1998, 6, 15}, -1997, true, {1, 6, 15}},
        {{1998, 6, 15}, -1998, false, {}},         {{1998, 6, 15}, 8001, true, {9999, 6, 15}},
        {{1998, 6, 15}, 8002, false, {}},          {{2024, 2, 29}, 100, true, {2124, 2, 29}},
        {{2024, 2, 29}, 76, true, {2100, 2, 28}},  {{2024, 2, 29}, -24, true, {2000, 2, 29}},
        {{2024, 2, 29}, INT64_MIN / 2, false, {}}, {{2024, 2, 29}, INT64_MAX / 2, false, {}},
    };
    for (const Row& row : rows) {
        CivilDate moved{-1, -1, -1};
        ASSERT_EQ(AddYears(row.date, row.years, moved), row.moved) << row.years;
        EXPECT_EQ(moved, row.moved ? row.to : (CivilDate{-1, -1, -1})) << row.years;
    }
}

}  // namespace
}  // namespace kalcore::services
