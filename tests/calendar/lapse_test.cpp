#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "kalcore.h"

namespace {

namespace chr = std::chrono;

TEST(BetweenExport, Table) {
    const struct {
        const char *first, *middle, *last;
        int32_t result;
    } cases[] = {
        {"01/01/1999", "06/15/1999", "12/31/1999", 1},
        {"01/01/1999", "01/01/1999", "12/31/1999", -1},
        {"01/01/1999", "12/31/1999", "12/31/1999", -1},
        {"12/31/1999", "06/15/1999", "01/01/1999", -1},
        {"01/01/1999", "01/01/2000", "12/31/1999", -1},
        {"02/30/1999", "06/15/1999", "12/31/1999", 0},
        {"01/01/1999", "bad", "12/31/1999", 0},
        {"01/01/1999", "06/15/1999", "", 0},
        {"12/31/1900", "01/01/1901", "01/02/1901", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " " + c.middle + " " + c.last);
        EXPECT_EQ(KD_BETWEEN(c.first, c.middle, c.last), c.result);
    }
    EXPECT_EQ(KD_BETWEEN(nullptr, "06/15/1999", "12/31/1999"), 0);
}

struct Span {
    int32_t years, months, weeks, days, reversed;
    bool operator==(const Span&) const = default;
};

Span Lapse(const char* start, const char* end, int32_t* result = nullptr) {
    Span s{};
    const int32_t r = KD_DATELAPSE(start, end, &s.years, &s.months, &s.weeks, &s.days, &s.reversed);
    if (result) *result = r;
    return s;
}

TEST(DateLapseExport, Table) {
    const struct {
        const char *start, *end;
        Span span;
    } cases[] = {
        {"01/15/2000", "03/10/2000", {0, 1, 3, 6, 0}},
        {"03/10/2000", "01/15/2000", {0, -1, -3, -6, 1}},
        {"12/15/1998", "01/14/2000", {1, 1, 0, 0, 0}},
        {"01/14/2000", "12/15/1998", {-1, -1, 0, 0, 1}},
        {"03/20/2000", "03/05/2000", {0, 0, -2, -1, 1}},
        {"03/30/2000", "01/15/2000", {0, -2, -2, -3, 1}},
        {"03/05/2000", "03/20/2000", {0, 0, 2, 1, 0}},
        {"01/15/2000", "03/30/2000", {0, 2, 2, 3, 0}},
        {"09/24/1990", "03/31/1993", {2, 6, 1, 0, 0}},
        {"03/31/1993", "09/24/1990", {-2, -6, -1, 0, 1}},
        {"04/10/1998", "02/12/2002", {3, 10, 0, 3, 0}},
        {"02/12/2002", "04/10/1998", {-3, -10, 0, -3, 1}},
        {"03/01/2000", "03/15/2000", {0, 0, 2, 0, 0}},  // a span within one month counts days
        {"01/01/2000", "01/01/2000", {0, 0, 0, 0, 0}},
        {"01/01/2000", "01/01/2001", {1, 0, 0, 1, 0}},  // January 2001 gives one day
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " " + c.end);
        int32_t result = 0;
        EXPECT_EQ(Lapse(c.start, c.end, &result), c.span);
        EXPECT_EQ(result, 1);
    }
    for (const auto& bad : {std::array<const char*, 2>{"02/30/2000", "01/01/2000"},
                            std::array<const char*, 2>{"01/01/2000", "13/13/13"}}) {
        int32_t result = 7;
        EXPECT_EQ(Lapse(bad[0], bad[1], &result), (Span{-1, -1, -1, -1, -1}));
        EXPECT_EQ(result, 0);
    }
    int32_t v = 0;
    EXPECT_EQ(KD_DATELAPSE("01/01/2000", "01/02/2000", &v, &v, &v, nullptr, &v), 0);
}

// The span as a walk over every month it touches, each marked full or partial
// with its days: the library counts the months arithmetically and must give
// the same four values.
Span WalkMonths(chr::year_month_day from, chr::year_month_day to) {
    auto length = [](int y, unsigned m) {
        return int(unsigned(chr::year_month_day_last{chr::year{y} / m / chr::last}.day()));
    };
    Span s{};
    if (chr::sys_days{from} == chr::sys_days{to}) return s;
    if (chr::sys_days{to} < chr::sys_days{from}) {
        std::swap(from, to);
        s.reversed = 1;
    }
    const int sy = int(from.year()), ey = int(to.year());
    const unsigned sm = unsigned(from.month()), em = unsigned(to.month());
    const int sd = int(unsigned(from.day())), ed = int(unsigned(to.day()));
    int full = 0;
    std::vector<std::pair<int, int>> partial;  // days, month length
    for (int y = sy; y <= ey; ++y)
        for (unsigned m = (y == sy ? sm : 1); m <= (y == ey ? em : 12); ++m) {
            const int len = length(y, m);
            const bool first = y == sy && m == sm, last = y == ey && m == em;
            if (first && last)
                partial.push_back({ed - sd, len});
            else if (first)
                sd <= 1 ? ++full : (partial.push_back({len - sd + 1, len}), 0);
            else if (last)
                len - ed <= 1 ? ++full : (partial.push_back({ed, len}), 0);
            else
                ++full;
        }
    int days = 0;
    for (const auto& p : partial) days += p.first;
    if (partial.size() == 2 && days >= partial[0].second) {
        ++full;
        days -= partial[0].second;
    }
    const int sign = s.reversed ? -1 : 1;
    s.years = sign * (full / 12);
    s.months = sign * (full % 12);
    s.weeks = sign * (days / 7);
    s.days = sign * (days % 7);
    return s;
}

TEST(DateLapseProperty, MatchesTheMonthWalk) {
    std::mt19937 rng(1208);
    std::uniform_int_distribution<int> pick(
        chr::sys_days{chr::year{1601} / 1 / 1}.time_since_epoch().count(),
        chr::sys_days{chr::year{2499} / 12 / 31}.time_since_epoch().count());
    std::uniform_int_distribution<int> near(-400, 400);
    for (int i = 0; i < 20000; ++i) {
        const int a = pick(rng);
        const int b = i % 2 ? pick(rng) : a + near(rng);  // long and short spans
        const chr::year_month_day ya{chr::sys_days{chr::days{a}}}, yb{chr::sys_days{chr::days{b}}};
        char ta[16], tb[16];
        std::snprintf(ta, sizeof ta, "%02u/%02u/%04d", unsigned(ya.month()), unsigned(ya.day()),
                      int(ya.year()));
        std::snprintf(tb, sizeof tb, "%02u/%02u/%04d", unsigned(yb.month()), unsigned(yb.day()),
                      int(yb.year()));
        ASSERT_EQ(Lapse(ta, tb), WalkMonths(ya, yb)) << ta << " " << tb;
    }
}

}  // namespace
