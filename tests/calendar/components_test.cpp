#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fixed_clock.h"
#include "format/date_reader.h"
#include "kalcore.h"

namespace {

using TextFn = int16_t (*)(const char*, char*);
using Number16Fn = int16_t (*)(const char*, int32_t*);
using Number32Fn = int32_t (*)(const char*, int32_t*);

struct Expected {
    const char* date;
    int ok;
    const char *day, *month, *year, *century, *fullYear;
    int32_t nDay, nMonth, nYear, nCentury, nFullYear, leap;
};

// One row per date: every character and numeric piece, or every failure value.
const Expected kRows[] = {
    {"12/31/1998", 1, "31", "December", "98", "19", "1998", 31, 12, 98, 19, 1998, 0},
    {"07/04/2005", 1, "04", "July", "05", "20", "2005", 4, 7, 5, 20, 2005, 0},
    {"02/29/2000", 1, "29", "February", "00", "20", "2000", 29, 2, 0, 20, 2000, 1},
    {"01/01/1996", 1, "01", "January", "96", "19", "1996", 1, 1, 96, 19, 1996, 1},
    {"01/01/1900", 1, "01", "January", "00", "19", "1900", 1, 1, 0, 19, 1900, 0},
    {"01/01/2100", 1, "01", "January", "00", "21", "2100", 1, 1, 0, 21, 2100, 0},
    {"Sep-7-99", 1, "07", "September", "99", "20", "2099", 7, 9, 99, 20, 2099, 0},
    {"02/30/1998", 0, "", "", "", "", "", -1, -1, 0, 0, 0, 0},
    {"", 0, "", "", "", "", "", -1, -1, 0, 0, 0, 0},
};

TEST(ComponentExports, EveryPieceOfEveryRow) {
    for (const Expected& r : kRows) {
        SCOPED_TRACE(r.date);
        const struct {
            TextFn fn;
            const char* want;
        } texts[] = {{KD_CDAYNO, r.day},
                     {KD_CMONTH, r.month},
                     {KD_CYEAR, r.year},
                     {KD_CCNTRY, r.century},
                     {KD_CFULCNTRYYR, r.fullYear}};
        for (const auto& t : texts) {
            char out[12] = "stale";
            EXPECT_EQ(t.fn(r.date, out), r.ok);
            EXPECT_STREQ(out, t.want);
        }
        const struct {
            Number16Fn fn;
            int32_t want;
        } numbers16[] = {
            {KD_NYEAR, r.nYear}, {KD_NCNTRY, r.nCentury}, {KD_NFULCNTRYYR, r.nFullYear}};
        for (const auto& n : numbers16) {
            int32_t value = 12345;
            EXPECT_EQ(n.fn(r.date, &value), r.ok);
            EXPECT_EQ(value, n.want);
        }
        const struct {
            Number32Fn fn;
            int32_t want;
        } numbers32[] = {{KD_NDAYNO, r.nDay}, {KD_NMONTH, r.nMonth}, {KD_ISLEAPYR, r.leap}};
        for (const auto& n : numbers32) {
            int32_t value = 12345;
            EXPECT_EQ(n.fn(r.date, &value), r.ok);
            EXPECT_EQ(value, n.want);
        }
    }
}

TEST(ComponentExports, NullPointersFail) {
    EXPECT_EQ(KD_CDAYNO("12/31/1998", nullptr), 0);
    EXPECT_EQ(KD_NMONTH("12/31/1998", nullptr), 0);
    int32_t value = 5;
    EXPECT_EQ(KD_NDAYNO(nullptr, &value), 0);
    EXPECT_EQ(value, -1);
    char text[12] = "stale";
    EXPECT_EQ(KD_CMONTH(nullptr, text), 0);
    EXPECT_STREQ(text, "");
}

TEST(CenturyExports, Selectors) {
    kalcore::testing::FixedClock clock(2026, 12, 6, 18, 40);
    const struct {
        int32_t selector;
        const char* text;
        int32_t number;
    } cases[] = {{0, "20", 20}, {1, "16", 16}, {4, "19", 19}, {5, "20", 20},
                 {9, "24", 24}, {10, "", 0},   {-1, "", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selector);
        char text[3] = {'x', 'x', 'x'};
        int32_t number = 77;
        EXPECT_EQ(KD_CGETCNTRY(c.selector, text), 1);
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(KD_IGETCNTRY(c.selector, &number), 1);
        EXPECT_EQ(number, c.number);
    }
}

TEST(SerialExport, BothModes) {
    char date[12] = "12/31/1998";
    int32_t serial = 0;
    EXPECT_EQ(KD_CNTRYDAY(date, 1, &serial), 1);
    EXPECT_EQ(serial, 730134);
    EXPECT_STREQ(date, "12/31/1998");

    serial = 730500;
    EXPECT_EQ(KD_CNTRYDAY(date, 2, &serial), 1);
    EXPECT_STREQ(date, "01-01-2000");

    // Numbers outside the years 1-9999 fail and leave the buffer alone.
    for (int32_t bad : {0, -1, 365, 4'000'000, INT32_MAX, INT32_MIN}) {
        SCOPED_TRACE(bad);
        char out[12] = "unchanged";
        serial = bad;
        EXPECT_EQ(KD_CNTRYDAY(out, 2, &serial), 0);
        EXPECT_STREQ(out, "unchanged");
    }
    char invalid[12] = "02/30/1998";
    serial = 42;
    EXPECT_EQ(KD_CNTRYDAY(invalid, 1, &serial), 0);
    EXPECT_EQ(serial, 42);
    EXPECT_EQ(KD_CNTRYDAY(date, 3, &serial), 0);
    EXPECT_EQ(KD_CNTRYDAY(date, 1, nullptr), 0);
}

// The year of a year text, as the key year and the daylight-saving year are
// read: two digits take the current century, four digits must start with
// 1-9; the first five characters count, without trailing blanks.
TEST(ReadYearTextTest, Table) {
    kalcore::testing::FixedClock clock(2026, 12, 6);
    struct Row {
        const char* text;
        bool valid;
        int year;
    } const rows[] = {
        {"1999", true, 1999},
        {"99", true, 2099},
        {"26", true, 2026},
        {"ABCD", false, 0},
        {"", false, 0},
        {"0000", false, 0},
        {"9999", true, 9999},
        {nullptr, false, 0},
        {"0999", false, 0},
        {"1998 ", true, 1998},
        {"98\x80\x80", true, 2098},
        {"1998x", false, 0},
        {"19980", false, 0},
        {"1998  x", true, 1998},
        {" 1998", false, 0},
        {"998", false, 0},
        {"9", false, 0},
        {"-199", false, 0},
    };
    for (const Row& row : rows) {
        int year = -1;
        EXPECT_EQ(kalcore::ReadYearText(row.text, year), row.valid)
            << (row.text ? row.text : "(null)");
        EXPECT_EQ(year, row.valid ? row.year : -1) << (row.text ? row.text : "(null)");
    }
}

}  // namespace
