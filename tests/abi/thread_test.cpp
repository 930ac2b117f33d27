// Every export of the built library called from eight threads at once, the
// first dialog calls among them: each thread must get the answers one thread
// alone gets. Built with ThreadSanitizer in CI (scripts/test.sh), where a data
// race fails the run.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "kalcore.h"
#include "kalcore/dates.h"

// KALCORE_LIBRARY_PATH and FAKE_DIALOG_MODULE_PATH name the built library
// and the fake dialog module (tests/CMakeLists.txt).

namespace {

namespace fs = std::filesystem;

// Every export, resolved by name from the loaded library.
// clang-format off
#define KALCORE_EXPORTS(X)                                                                     \
    X(KD_ISVDATE) X(KD_CONVDATE) X(KD_CMPTENUMDAYS) X(KD_CMPTEADATE) X(KD_CDOW) X(KD_NDOW)     \
    X(KD_WEEKNO) X(KD_JULIANDATE) X(KD_REVJULIANDATE) X(KD_CDAYNO) X(KD_NDAYNO) X(KD_CMONTH)   \
    X(KD_NMONTH) X(KD_CYEAR) X(KD_NYEAR) X(KD_CCNTRY) X(KD_NCNTRY) X(KD_CFULCNTRYYR)           \
    X(KD_NFULCNTRYYR) X(KD_ISLEAPYR) X(KD_CGETCNTRY) X(KD_IGETCNTRY) X(KD_CNTRYDAY)            \
    X(KD_BETWEEN) X(KD_DATELAPSE) X(KD_AFULLDATEFORMAT) X(KD_DATE) X(KD_DATEANDTIME)           \
    X(KD_TIME) X(KD_HOUR) X(KD_CHOUR) X(KD_MINT) X(KD_SEC) X(KD_CMINT) X(KD_CSEC)              \
    X(KD_DTCVCREATEFILE) X(KD_DATECNVFILE) X(KD_SLIDINGWINDOWPROC) X(KD_NXTWRKDAY)             \
    X(KD_ISTODAYAHOLDY) X(KD_DAYLIGHTSAVINGSTIMES) X(KD_EASTERCALC) X(KD_HELPABOUTME)          \
    X(KD_ABOUTDLL) X(AboutBox) X(HelpBox) X(UpperCaseString) X(DoubleInt) X(DoubleInt2)        \
    X(LoByte) X(HiByte) X(LoWord) X(HiWord) X(MakeWord) X(MakeLong) X(ShiftLeft) X(ShiftRight) \
    X(kal_options_init) X(kal_parse) X(kal_format) X(kal_format_width) X(kal_parse_many)       \
    X(kal_parse_many_fixed) X(kal_format_many) X(kal_status_text)
// clang-format on

struct Api {
#define KALCORE_MEMBER(name) decltype(&::name) name = nullptr;
    KALCORE_EXPORTS(KALCORE_MEMBER)
#undef KALCORE_MEMBER

    bool Resolve(void* library) {
        bool all = true;
#define KALCORE_RESOLVE(name)                                          \
    name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name)); \
    all = all && name != nullptr;
        KALCORE_EXPORTS(KALCORE_RESOLVE)
#undef KALCORE_RESOLVE
        return all;
    }
};

// One call of every export. What does not depend on the clock or on what
// the other threads store goes into the returned text; a failed call of
// the others makes it "failed".
std::string CallEverything(const Api& api, int thread) {
    std::string out;
    char text[64];
    int32_t a = 0, b = 0, c = 0, d = 0, e = 0;
    const auto add = [&](const char* name, long result, const std::string& value) {
        out += std::string(name) + "=" + std::to_string(result) + ":" + value + " ";
    };
    // The call first, then what it wrote.
#define CALL(name, call, value)     \
    do {                            \
        const long result = (call); \
        add(name, result, (value)); \
    } while (false)
    char date[12] = "12/31/98";
    CALL("ISVDATE", api.KD_ISVDATE(date), date);
    CALL("CONVDATE", api.KD_CONVDATE("07/04/1998", text, "G", 0, 4), text);
    CALL("CMPTENUMDAYS", api.KD_CMPTENUMDAYS("01/01/2000", "12/25/2021", &a),
         std::to_string(a).c_str());
    CALL("CMPTEADATE", api.KD_CMPTEADATE(100, "02/27/2024", text), text);
    CALL("CDOW", api.KD_CDOW("12/25/2021", text), text);
    CALL("NDOW", api.KD_NDOW("12/25/2021", &a), std::to_string(a).c_str());
    CALL("WEEKNO", api.KD_WEEKNO("12/25/2021", &a), std::to_string(a).c_str());
    CALL("JULIANDATE", api.KD_JULIANDATE("12/25/2021", text), text);
    CALL("REVJULIANDATE", api.KD_REVJULIANDATE("2021359", text), text);
    CALL("CDAYNO", api.KD_CDAYNO("12/25/2021", text), text);
    CALL("NDAYNO", api.KD_NDAYNO("12/25/2021", &a), std::to_string(a).c_str());
    CALL("CMONTH", api.KD_CMONTH("12/25/2021", text), text);
    CALL("NMONTH", api.KD_NMONTH("12/25/2021", &a), std::to_string(a).c_str());
    CALL("CYEAR", api.KD_CYEAR("12/25/2021", text), text);
    CALL("NYEAR", api.KD_NYEAR("12/25/2021", &a), std::to_string(a).c_str());
    CALL("CCNTRY", api.KD_CCNTRY("12/25/2021", text), text);
    CALL("NCNTRY", api.KD_NCNTRY("12/25/2021", &a), std::to_string(a).c_str());
    CALL("CFULCNTRYYR", api.KD_CFULCNTRYYR("12/25/2021", text), text);
    CALL("NFULCNTRYYR", api.KD_NFULCNTRYYR("12/25/2021", &a), std::to_string(a).c_str());
    CALL("ISLEAPYR", api.KD_ISLEAPYR("02/29/2024", &a), std::to_string(a).c_str());
    CALL("CGETCNTRY", api.KD_CGETCNTRY(5, text), text);
    CALL("IGETCNTRY", api.KD_IGETCNTRY(5, &a), std::to_string(a).c_str());
    char serialDate[12] = "12/25/2021";
    CALL("CNTRYDAY", api.KD_CNTRYDAY(serialDate, 1, &a), std::to_string(a).c_str());
    CALL("BETWEEN", api.KD_BETWEEN("01/01/2021", "06/15/2021", "12/31/2021"), "");
    CALL("DATELAPSE", api.KD_DATELAPSE("01/15/2020", "12/25/2021", &a, &b, &c, &d, &e),
         (std::to_string(a) + "/" + std::to_string(b) + "/" + std::to_string(c) + "/" +
          std::to_string(d))
             .c_str());
    CALL("AFULLDATEFORMAT", api.KD_AFULLDATEFORMAT("07/04/1998", text, "K", 0, 0, 0, 0, 0), text);
    CALL("SLIDINGWINDOWPROC", api.KD_SLIDINGWINDOWPROC("06/15/1998", 5, "01/01/2001", &a, &b),
         std::to_string(a * 10 + b).c_str());
    char name[29];
    CALL("ISTODAYAHOLDY", api.KD_ISTODAYAHOLDY("12/24/2021", &a, name, &b), name);
    const int32_t count = 1 + thread % 3;
    CALL("NXTWRKDAY", api.KD_NXTWRKDAY("12/23/2021", text, &count, 1), text);
    char zone[75], begin[12], end[12], beginLabel[24], endLabel[24];
    CALL("DAYLIGHTSAVINGSTIMES",
         api.KD_DAYLIGHTSAVINGSTIMES("2026", zone, &a, &b, begin, end, beginLabel, endLabel),
         (std::string(zone) + begin + end).c_str());
    CALL("EASTERCALC", api.KD_EASTERCALC(2038, &a, &b), std::to_string(a * 100 + b).c_str());
    CALL("AboutBox", api.AboutBox(), "");
    CALL("HelpBox", api.HelpBox(), "");
    CALL("HELPABOUTME", api.KD_HELPABOUTME(), "");
    CALL("ABOUTDLL", api.KD_ABOUTDLL(), "");
    std::snprintf(text, sizeof text, "dec/25/21");
    CALL("UpperCaseString", api.UpperCaseString(text), text);
    int16_t word = 0x1234;
    CALL("DoubleInt", api.DoubleInt(&word) == &word, std::to_string(word).c_str());
    CALL("DoubleInt2", api.DoubleInt2(21), "");
    CALL("LoByte", api.LoByte(0x1234), "");
    CALL("HiByte", api.HiByte(0x1234), "");
    CALL("LoWord", api.LoWord(0x12345678), "");
    CALL("HiWord", api.HiWord(0x12345678), "");
    CALL("MakeWord", api.MakeWord(0x34, 0x12), "");
    CALL("MakeLong", api.MakeLong(0x5678, 0x1234), "");
    CALL("ShiftLeft", api.ShiftLeft(3, 4), "");
    CALL("ShiftRight", api.ShiftRight(0x30, 4), "");

    kal_options options;
    CALL("kal_options_init", api.kal_options_init(&options), "");
    options.window_start = 1900 + 10 * thread;  // each thread its own window
    kal_date parsed;
    CALL("kal_parse", api.kal_parse("12/31/49", 8, &options, &parsed),
         std::to_string(parsed.year).c_str());
    const char* texts[] = {"1998-12-31", " 7/4/76 ", "n/a"};
    const size_t lengths[] = {10, 8, 3};
    int64_t days[3];
    uint8_t layouts[3];
    CALL("kal_parse_many", api.kal_parse_many(texts, lengths, 3, &options, days, layouts),
         std::to_string(days[0]).c_str());
    const char block[] = "12/31/1998 Dec/31/1998";
    CALL("kal_parse_many_fixed",
         api.kal_parse_many_fixed(block, 2, 1, 11, 11, &options, days, nullptr),
         (std::to_string(days[0]) + "/" + std::to_string(days[1])).c_str());
    CALL("kal_format", api.kal_format(2003, 5, 12, '@', text, sizeof text, nullptr), text);
    CALL("kal_format_width", api.kal_format_width('6'), "");
    char column[24];
    CALL("kal_format_many", api.kal_format_many(days, 2, 'G', column, 1, 12, 12), column);
    CALL("kal_status_text", 0, api.kal_status_text(KAL_NO_DATE));

#undef CALL

    // The clock and the stored preferred format: only that they succeed.
    char time[9], amPm[3];
    const char codes[] = "GEB7K";
    const char code[2] = {codes[thread % 5], '\0'};
    const bool others =
        api.KD_DATE(text, "B") == 1 && api.KD_DATEANDTIME(text, "K", time, amPm, 0, 1) == 1 &&
        api.KD_TIME(time, 1) == 1 && api.KD_HOUR(&a, 0) == 1 && api.KD_CHOUR(time, 1) == 1 &&
        api.KD_MINT(&a) == 1 && api.KD_SEC(&a) == 1 && api.KD_CMINT(time) == 1 &&
        api.KD_CSEC(time) == 1 && api.KD_DTCVCREATEFILE(code) == 1 && api.KD_DATECNVFILE("") == 1 &&
        api.KD_CONVDATE("07/04/1998", text, "B", 1, 0) == 1;
    if (!others) out += "failed";
    return out;
}

TEST(ThreadTest, EveryExportFromEightThreadsAtOnce) {
    // A home of its own, in memory where it can be had: the threads store
    // the preferred format many times over.
    std::string pattern = (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
    pattern += "/kalcore-threads-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern;
    setenv("HOME", root.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    unsetenv("HOLDYPATH");
    fs::create_directories(root / "config/kalcore");
    std::FILE* ini = std::fopen((root / "config/kalcore/KalDatFl.Ini").c_str(), "w");
    ASSERT_NE(ini, nullptr);
    std::fputs("[KalDateSoft]\nKeyYearForHolidayFile=2021\n", ini);
    std::fclose(ini);
    // The library with the dialog module beside it, and a display to show
    // dialogs on, so that the first dialog calls load the module.
    fs::copy_file(KALCORE_LIBRARY_PATH, root / "libkalcore.so");
    fs::copy_file(FAKE_DIALOG_MODULE_PATH, root / "libkalcore_dialogs.so");
    setenv("DISPLAY", ":kalcore-test", 1);

    void* library = dlopen((root / "libkalcore.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    Api api;
    ASSERT_TRUE(api.Resolve(library));

    // What one thread alone gets: every thread calls once first, with the
    // module not yet loaded, then many times.
    constexpr int kThreads = 8;
    constexpr int kRounds = 12;
    std::vector<std::string> first(kThreads), want(kThreads);
    std::vector<int> mismatches(kThreads, 0);
    std::atomic<int> waiting{kThreads};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&, t] {
            waiting.fetch_sub(1);
            while (waiting.load() > 0) std::this_thread::yield();
            first[t] = CallEverything(api, t);
            for (int round = 0; round < kRounds; ++round)
                if (CallEverything(api, t) != first[t]) ++mismatches[t];
        });
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < kThreads; ++t) want[t] = CallEverything(api, t);
    for (int t = 0; t < kThreads; ++t) {
        SCOPED_TRACE(t);
        EXPECT_EQ(first[t], want[t]);
        EXPECT_EQ(mismatches[t], 0);
        EXPECT_EQ(first[t].find("failed"), std::string::npos);
        EXPECT_NE(first[t].find("ISTODAYAHOLDY=1:Christmas_Day - Observed."), std::string::npos);
    }

    dlclose(library);
    unsetenv("DISPLAY");
    std::error_code ignored;
    fs::remove_all(root, ignored);
}

}  // namespace
