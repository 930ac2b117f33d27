// Every export of two builds of the library, timed side by side in one run:
// both are loaded into this process and each export runs the same calls on
// both, in alternating rounds, so that whatever else the machine does falls
// on both alike. Prints per export the median time of a call of each build
// and their ratio.
//
// usage: kalcore_bench_compare BEFORE.so AFTER.so [ROUNDS] [MILLISECONDS] [EXPORT...]
//   ROUNDS (default 21) rounds per export, each timing both builds;
//   MILLISECONDS (default 10) the length of one timing;
//   EXPORT... only the rows of these names (default every row).
// Run it in a scratch home without a display (scripts/bench_compare.sh).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "differential/exports_table.h"

namespace {

using namespace kalcore::exports_table;
using Clock = std::chrono::steady_clock;

// Dates in many of the input forms, one invalid and one keyword among them.
constexpr const char* kDates[] = {"12/31/98",  "1998-12-31", "31/Dec/98",   "Dec/31/1998",
                                  "7Sep99",    "1995/25/12", "19981231",    "98.12.31",
                                  "TODAY",     "1998Jul04",  "Sep-7-1999",  "12311998",
                                  "04-Jul-98", "1/02/98",    "1998/25/Dec", "02/30/1998"};
constexpr int kDateCount = sizeof kDates / sizeof kDates[0];
constexpr char kCodes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=";

// Keeps the compiler from dropping a result.
volatile std::int64_t g_sink;

// One call of an export, the i-th of a run: the inputs rotate with i.
using Work = std::function<void(const Library&, int)>;

struct Row {
    std::string name;
    Work work;
};

std::vector<Row> Rows() {
    auto date = [](int i) { return kDates[i % kDateCount]; };
    std::vector<Row> rows;
    auto add = [&](const char* name, Work work) { rows.push_back({name, std::move(work)}); };
    add("KD_ISVDATE", [=](const Library& l, int i) {
        char buffer[12] = {};
        std::strncpy(buffer, date(i), 11);
        g_sink = l.KD_ISVDATE(buffer);
    });
    add("KD_CONVDATE", [=](const Library& l, int i) {
        char out[12];
        const char code[2] = {kCodes[i % 48], '\0'};
        g_sink = l.KD_CONVDATE(date(i), out, code, 0, (i / 16) % 10);
    });
    add("KD_CONVDATE preferred", [=](const Library& l, int i) {
        char out[12];
        g_sink = l.KD_CONVDATE(date(i), out, "B", 1, 0);
    });
    add("KD_CMPTENUMDAYS", [=](const Library& l, int i) {
        int32_t days;
        g_sink = l.KD_CMPTENUMDAYS(date(i), date(i + 5), &days) + days;
    });
    add("KD_CMPTEADATE", [=](const Library& l, int i) {
        char out[12];
        g_sink = l.KD_CMPTEADATE(i * 97 - 300, date(i), out);
    });
    add("KD_BETWEEN",
        [=](const Library& l, int i) { g_sink = l.KD_BETWEEN(date(i), date(i + 3), date(i + 7)); });
    add("KD_DATELAPSE", [=](const Library& l, int i) {
        int32_t y, m, w, d, r;
        g_sink = l.KD_DATELAPSE(date(i), date(i + 9), &y, &m, &w, &d, &r) + y;
    });
    add("KD_JULIANDATE", [=](const Library& l, int i) {
        char out[8];
        g_sink = l.KD_JULIANDATE(date(i), out);
    });
    add("KD_REVJULIANDATE", [](const Library& l, int i) {
        static const char* const kJulian[] = {"1998365", "2000060", "1999366", "2026340"};
        char out[12];
        g_sink = l.KD_REVJULIANDATE(kJulian[i % 4], out);
    });
    // The pieces of a date, as text and as numbers.
    using TextPiece = decltype(Library::KD_CDAYNO);
    using LongPiece = decltype(Library::KD_NDAYNO);
    using ShortPiece = decltype(Library::KD_NYEAR);
    const struct {
        const char* name;
        TextPiece Library::*fn;
    } texts[] = {{"KD_CDAYNO", &Library::KD_CDAYNO},
                 {"KD_CMONTH", &Library::KD_CMONTH},
                 {"KD_CYEAR", &Library::KD_CYEAR},
                 {"KD_CCNTRY", &Library::KD_CCNTRY},
                 {"KD_CFULCNTRYYR", &Library::KD_CFULCNTRYYR},
                 {"KD_CDOW", &Library::KD_CDOW}};
    for (const auto& t : texts)
        add(t.name, [=](const Library& l, int i) {
            char out[12];
            g_sink = (l.*t.fn)(date(i), out);
        });
    const struct {
        const char* name;
        LongPiece Library::*fn;
    } longs[] = {{"KD_NDAYNO", &Library::KD_NDAYNO},
                 {"KD_NMONTH", &Library::KD_NMONTH},
                 {"KD_ISLEAPYR", &Library::KD_ISLEAPYR},
                 {"KD_NDOW", &Library::KD_NDOW},
                 {"KD_WEEKNO", &Library::KD_WEEKNO}};
    for (const auto& n : longs)
        add(n.name, [=](const Library& l, int i) {
            int32_t value;
            g_sink = (l.*n.fn)(date(i), &value) + value;
        });
    const struct {
        const char* name;
        ShortPiece Library::*fn;
    } shorts[] = {{"KD_NYEAR", &Library::KD_NYEAR},
                  {"KD_NCNTRY", &Library::KD_NCNTRY},
                  {"KD_NFULCNTRYYR", &Library::KD_NFULCNTRYYR}};
    for (const auto& n : shorts)
        add(n.name, [=](const Library& l, int i) {
            int32_t value;
            g_sink = (l.*n.fn)(date(i), &value) + value;
        });
    add("KD_CNTRYDAY", [=](const Library& l, int i) {
        char buffer[12] = {};
        std::strncpy(buffer, date(i), 11);
        int32_t serial = 730500 + i;
        g_sink = l.KD_CNTRYDAY(buffer, 1 + i % 2, &serial) + serial;
    });
    add("KD_CGETCNTRY", [](const Library& l, int i) {
        char out[4];
        g_sink = l.KD_CGETCNTRY(i % 10, out);
    });
    add("KD_IGETCNTRY", [](const Library& l, int i) {
        int32_t century;
        g_sink = l.KD_IGETCNTRY(i % 12 - 1, &century) + century;
    });
    add("KD_AFULLDATEFORMAT", [=](const Library& l, int i) {
        char out[44];
        const char code[2] = {kCodes[i % 48], '\0'};
        g_sink = l.KD_AFULLDATEFORMAT(date(i), out, code, i % 2, 0, 0, 0, 0);
    });
    add("KD_SLIDINGWINDOWPROC", [=](const Library& l, int i) {
        int32_t in, dir;
        g_sink = l.KD_SLIDINGWINDOWPROC(date(i), i % 60 - 30, date(i + 4), &in, &dir) + in;
    });
    add("KD_DATE", [](const Library& l, int i) {
        char out[12];
        const char code[2] = {kCodes[i % 48], '\0'};
        g_sink = l.KD_DATE(out, code);
    });
    add("KD_DATEANDTIME", [](const Library& l, int i) {
        char out[12], time[9], amPm[3];
        const char code[2] = {kCodes[i % 48], '\0'};
        g_sink = l.KD_DATEANDTIME(out, code, time, amPm, i % 2, 0);
    });
    add("KD_TIME", [](const Library& l, int i) {
        char out[9];
        g_sink = l.KD_TIME(out, i % 2);
    });
    add("KD_HOUR", [](const Library& l, int i) {
        int32_t n;
        g_sink = l.KD_HOUR(&n, i % 2) + n;
    });
    add("KD_CHOUR", [](const Library& l, int i) {
        char out[3];
        g_sink = l.KD_CHOUR(out, i % 2);
    });
    add("KD_MINT", [](const Library& l, int) {
        int32_t n;
        g_sink = l.KD_MINT(&n) + n;
    });
    add("KD_SEC", [](const Library& l, int) {
        int32_t n;
        g_sink = l.KD_SEC(&n) + n;
    });
    add("KD_CMINT", [](const Library& l, int) {
        char out[3];
        g_sink = l.KD_CMINT(out);
    });
    add("KD_CSEC", [](const Library& l, int) {
        char out[3];
        g_sink = l.KD_CSEC(out);
    });
    add("KD_DATECNVFILE", [](const Library& l, int) { g_sink = l.KD_DATECNVFILE(""); });
    add("KD_DTCVCREATEFILE", [](const Library& l, int) { g_sink = l.KD_DTCVCREATEFILE("B"); });
    add("KD_NXTWRKDAY", [=](const Library& l, int i) {
        char out[12];
        const int32_t count = 1 + i % 250;
        g_sink = l.KD_NXTWRKDAY("01/02/2026", out, &count, i % 2);
    });
    add("KD_ISTODAYAHOLDY", [=](const Library& l, int i) {
        int32_t holiday, dayOff;
        char name[29];
        g_sink = l.KD_ISTODAYAHOLDY(date(i), &holiday, name, &dayOff) + holiday;
    });
    add("KD_DAYLIGHTSAVINGSTIMES", [](const Library& l, int i) {
        char zone[75], begin[12], end[12], beginLabel[24], endLabel[24];
        int32_t status, sameDay;
        const char* year = i % 2 ? "2026" : "99";
        g_sink = l.KD_DAYLIGHTSAVINGSTIMES(year, zone, &status, &sameDay, begin, end, beginLabel,
                                           endLabel);
    });
    add("KD_EASTERCALC", [](const Library& l, int i) {
        int32_t month, day;
        g_sink = l.KD_EASTERCALC(1583 + i % 8000, &month, &day) + day;
    });
    // Without a display the dialogs and boxes return at once.
    add("KD_HELPABOUTME", [](const Library& l, int) { g_sink = l.KD_HELPABOUTME(); });
    add("KD_ABOUTDLL", [](const Library& l, int) { g_sink = l.KD_ABOUTDLL(); });
    add("AboutBox", [](const Library& l, int) { g_sink = l.AboutBox(); });
    add("HelpBox", [](const Library& l, int) { g_sink = l.HelpBox(); });
    add("UpperCaseString", [=](const Library& l, int i) {
        char text[12] = {};
        std::strncpy(text, date(i), 11);
        g_sink = l.UpperCaseString(text);
    });
    add("DoubleInt", [](const Library& l, int i) {
        auto value = static_cast<int16_t>(i);
        g_sink = *l.DoubleInt(&value);
    });
    add("DoubleInt2", [](const Library& l, int i) { g_sink = l.DoubleInt2(i); });
    add("LoByte", [](const Library& l, int i) { g_sink = l.LoByte(static_cast<uint16_t>(i)); });
    add("HiByte", [](const Library& l, int i) { g_sink = l.HiByte(static_cast<uint16_t>(i)); });
    add("LoWord", [](const Library& l, int i) { g_sink = l.LoWord(i * 40503); });
    add("HiWord", [](const Library& l, int i) { g_sink = l.HiWord(i * 40503); });
    add("MakeWord", [](const Library& l, int i) { g_sink = l.MakeWord(i, i * 7); });
    add("MakeLong", [](const Library& l, int i) { g_sink = l.MakeLong(i, i * 7); });
    add("ShiftLeft", [](const Library& l, int i) { g_sink = l.ShiftLeft(i, i % 40); });
    add("ShiftRight", [](const Library& l, int i) { g_sink = l.ShiftRight(i * 977, i % 40); });
    return rows;
}

// Nanoseconds per call of `calls` calls of the row on one build.
double Time(const Row& row, const Library& lib, int calls) {
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i) row.work(lib, i);
    const std::chrono::duration<double, std::nano> took = Clock::now() - start;
    return took.count() / calls;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s BEFORE.so AFTER.so [ROUNDS] [MILLISECONDS] [EXPORT...]\n",
                     argv[0]);
        return 2;
    }
    static Library before, after;
    if (!before.Load(argv[1]) || !after.Load(argv[2])) return 2;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 21;
    const double milliseconds = argc > 4 ? std::atof(argv[4]) : 10;
    std::printf("%-24s %12s %12s %8s\n", "export", "before ns", "after ns", "ratio");
    double worst = 0;
    const std::vector<std::string> only(argv + std::min(argc, 5), argv + argc);
    for (const Row& row : Rows()) {
        if (!only.empty() && std::find(only.begin(), only.end(), row.name) == only.end()) continue;
        // As many calls as fill one timing, found from a first short run.
        Time(row, before, 16);
        Time(row, after, 16);
        const double probe = std::max(Time(row, before, 64), 1.0);
        const int calls = std::max(16, static_cast<int>(milliseconds * 1e6 / probe));
        std::vector<double> a, b;
        for (int r = 0; r < rounds; ++r) {
            // Which build goes first alternates from round to round.
            if (r % 2 == 0) {
                a.push_back(Time(row, before, calls));
                b.push_back(Time(row, after, calls));
            } else {
                b.push_back(Time(row, after, calls));
                a.push_back(Time(row, before, calls));
            }
        }
        const double ratio = Median(b) / Median(a);
        worst = std::max(worst, ratio);
        std::printf("%-24s %12.1f %12.1f %8.3f\n", row.name.c_str(), Median(a), Median(b), ratio);
    }
    std::printf("highest ratio %.3f\n", worst);
    return 0;
}
