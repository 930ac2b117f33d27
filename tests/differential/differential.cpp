// Compares every export of two builds of the library, loaded side by side
// into one process, on random, mutated and edge inputs: the same call goes
// to both, and their results and every byte they write must agree.
//
// usage: kalcore_differential BEFORE.so AFTER.so COMPARISONS [SEED]
//
// Both builds share the process's home, so they read the same configuration,
// conversion file and holiday file, and the same clock and time zone; run it
// in a scratch home, without a display, under a frozen clock (faketime) to
// compare the clock exports too. Exits 1 when any result differs.
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "differential/exports_table.h"
#include "differential/random.h"

namespace {

using namespace kalcore::exports_table;
using kalcore::differential::MutatedText;
using kalcore::differential::Random;
using kalcore::differential::RandomDateChar;

// What one call did: its result and every byte it wrote.
struct Outcome {
    std::int64_t result = 0;
    std::vector<unsigned char> bytes;

    void Add(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), p, p + size);
    }
    void Add(std::int64_t value) { Add(&value, sizeof value); }
    bool operator==(const Outcome& other) const {
        return result == other.result && bytes == other.bytes;
    }
};

// A caller's output buffer: filled with a pattern before the call, compared
// whole after it.
template <std::size_t N>
struct Buffer {
    char bytes[N];
    explicit Buffer(unsigned char fill = 0x5a) { std::memset(bytes, fill, N); }
    char* data() { return bytes; }
};

// A text argument held in a buffer of its own, NUL-terminated, padded with
// bytes the library must not let count.
struct Arg {
    char bytes[32];
    bool null = false;
    explicit Arg(const std::string& text = "", bool isNull = false) : null(isNull) {
        std::memset(bytes, 0x7e, sizeof bytes);
        const std::size_t n = text.size() < sizeof bytes - 1 ? text.size() : sizeof bytes - 1;
        std::memcpy(bytes, text.data(), n);
        bytes[n] = '\0';
    }
    const char* get() const { return null ? nullptr : bytes; }
    char* mut() { return null ? nullptr : bytes; }
};

std::string Escaped(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c < 32 || c >= 127 || c == '"' || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Hex(const Outcome& o) {
    std::string out = std::to_string(o.result) + " [";
    for (unsigned char c : o.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", c);
        out += hex;
    }
    return out + "]";
}

constexpr char kCodes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=";
constexpr int kCodeCount = sizeof kCodes - 1;
static_assert(kCodeCount == 48);

// The input generators.
class Inputs {
  public:
    Inputs(Random& random, const Library& reference) : r_(random), ref_(reference) {}

    // A date text: valid in any code, mutated, a further form, a keyword, an
    // edge, or random bytes.
    std::string DateText() {
        const int kind = r_.Below(100);
        if (kind < 40) return InCode(RandomCodeIndex());
        if (kind < 55) return Mutated(InCode(RandomCodeIndex()));
        if (kind < 65) return FurtherForm();
        if (kind < 72) return Keyword();
        if (kind < 85) return Edge();
        if (kind < 93) return Mutated(Edge());
        return RandomBytes();
    }

    // A code text: mostly one of the 48, sometimes lower case, another byte,
    // several characters or nothing.
    std::string CodeText() {
        const int kind = r_.Below(100);
        if (kind < 75) return std::string(1, kCodes[RandomCodeIndex()]);
        if (kind < 85) return std::string(1, static_cast<char>(r_.Between('a', 'z')));
        if (kind < 93) return std::string(1, static_cast<char>(r_.Between(1, 255)));
        if (kind < 97) return std::string(1, kCodes[RandomCodeIndex()]) + "X";
        return "";
    }

    int Selector() {
        if (r_.Chance(97)) return r_.Between(-1, 10);
        static const int kExtremes[] = {INT_MIN, INT_MAX, -2, 11, 100, -100};
        return r_.Pick(kExtremes);
    }

    int Switch() {
        if (r_.Chance(95)) return r_.Between(0, 1);
        static const int kOthers[] = {-1, 2, 3, INT_MIN, INT_MAX};
        return r_.Pick(kOthers);
    }

    std::int32_t Count() {
        const int kind = r_.Below(100);
        if (kind < 60) return r_.Between(-400, 400);
        if (kind < 85) return r_.Between(-4000000, 4000000);
        if (kind < 95) return r_.Int32();
        static const std::int32_t kEdges[] = {0,       1,        -1,       INT32_MAX, INT32_MIN,
                                              3000000, -3000000, 2920000,  -2920000,  730500,
                                              -730500, 3652059,  -3652059, 2147483,   36524};
        return r_.Pick(kEdges);
    }

    std::int32_t Serial() {
        const int kind = r_.Below(100);
        if (kind < 70) return r_.Between(365, 3652424);
        if (kind < 85) return r_.Between(690000, 770000);
        if (kind < 95) return r_.Int32();
        static const std::int32_t kEdges[] = {0,         1,       365,     366, 367,
                                              3652424,   3652425, 3652426, -1,  INT32_MIN,
                                              INT32_MAX, 730500,  730134};
        return r_.Pick(kEdges);
    }

    // A year text for the daylight-saving dates.
    std::string YearText() {
        const int kind = r_.Below(100);
        char text[16];
        if (kind < 45) {
            std::snprintf(text, sizeof text, "%d", r_.Between(1000, 9999));
        } else if (kind < 60) {
            std::snprintf(text, sizeof text, "%02d", r_.Between(0, 99));
        } else if (kind < 70) {
            std::snprintf(text, sizeof text, "%d", r_.Between(1960, 2045));
        } else if (kind < 85) {
            std::snprintf(text, sizeof text, "%d", r_.Between(1000, 9999));
            return Mutated(text);
        } else if (kind < 92) {
            static const char* const kEdges[] = {
                "",      "0",      "00",     "000",   "0000",  "0999",  "1000",
                "9999",  "10000",  "99",     "1998 ", "98   ", "1998x", "-1998",
                " 1998", "1998\t", "98\x80", "19 98", "2026",  "1970",  "2038"};
            return r_.Pick(kEdges);
        } else {
            return RandomBytes();
        }
        return text;
    }

    std::string JulianText() {
        const int kind = r_.Below(100);
        char text[16];
        if (kind < 60) {
            const int year = r_.Chance(70) ? r_.Between(1900, 2100) : r_.Between(1000, 9999);
            std::snprintf(text, sizeof text, "%04d%03d", year, r_.Between(0, 367));
            return text;
        }
        if (kind < 85) {
            std::snprintf(text, sizeof text, "%04d%03d", r_.Between(0, 9999), r_.Between(0, 999));
            return Mutated(text);
        }
        return RandomBytes();
    }

    // Some text for UpperCaseString.
    std::string AnyText() { return r_.Chance(50) ? DateText() : RandomBytes(); }

  private:
    int RandomCodeIndex() { return r_.Below(kCodeCount); }

    int RandomYear() {
        const int kind = r_.Below(100);
        if (kind < 60) return r_.Between(1900, 2100);
        if (kind < 75) return r_.Between(1580, 2400);
        if (kind < 95) return r_.Between(1000, 9999);
        static const int kEdges[] = {1000, 1600, 1700, 1800, 1900, 2000, 2100, 2400, 9999, 1999};
        return r_.Pick(kEdges);
    }

    // A date written MM/DD/CCYY, mostly valid; sometimes 29 February of a
    // year without it or a day past the end of the month.
    std::string MonthFirst() {
        const int year = RandomYear();
        const int month = r_.Between(1, 12);
        static const int kLength[] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int day = r_.Between(1, kLength[month]);
        if (r_.Chance(5)) day = r_.Between(28, 31);
        char text[16];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d", month, day, year);
        return text;
    }

    // A date in the layout of a code, written by the reference build.
    std::string InCode(int index) {
        const std::string source = MonthFirst();
        char out[12];
        const char code[2] = {kCodes[index], '\0'};
        if (ref_.KD_CONVDATE(source.c_str(), out, code, 0, 0) != 1) return source;
        return out;
    }

    // A text in one of the forms without a code of their own: a code's
    // layout with the year cut to two digits.
    std::string FurtherForm() {
        std::string text = InCode(RandomCodeIndex());
        // The four digits of a year at the end or at the start.
        const std::size_t n = text.size();
        const bool trailingYear = n >= 4 && std::isdigit(static_cast<unsigned char>(text[n - 1])) &&
                                  std::isdigit(static_cast<unsigned char>(text[n - 4]));
        if (trailingYear && r_.Chance(80)) return text.erase(n - 4, 2);
        if (n >= 4 && r_.Chance(50)) return text.erase(0, 2);
        return text;
    }

    std::string Keyword() {
        static const char* const kWords[] = {
            "TODAY",     "today",       "ToDaY",     "NOW",      "now",       "Now",     "YESTER",
            "yester",    "YESTER0",     "YESTER1",   "YESTER2",  "YESTER3",   "yester4", "YESTER5",
            "YESTER6",   "YESTER7",     "YESTER8",   "YESTER9",  "YESTERDAY", "TODAY ",  "NOW  ",
            " TODAY",    "TODAY\t",     "TODAY\x80", "TOD",      "TODAYS",    "NOWX",    "YESTER00",
            "YESTER7  ", "yester7\x01", "YESTERX",   "TOMORROW", "NO",        "YESTE"};
        return r_.Pick(kWords);
    }

    std::string Edge() {
        static const char* const kEdges[] = {"",
                                             " ",
                                             "           ",
                                             "\t\t\t",
                                             "12/31/1998",
                                             "02/29/1900",
                                             "02/29/2000",
                                             "02/29/2100",
                                             "02/29/1600",
                                             "02/29/00",
                                             "02/29/04",
                                             "02/28/1900",
                                             "12/31/9999",
                                             "01/01/1000",
                                             "01/01/0999",
                                             "12/31/0999",
                                             "00/00/0000",
                                             "13/01/1998",
                                             "12/32/1998",
                                             "02/30/1998",
                                             "04/31/1998",
                                             "1998-02-29",
                                             "2000-02-29",
                                             "1900-02-29",
                                             "29-Feb-2000",
                                             "29-Feb-00",
                                             "29Feb00",
                                             "Feb/29/00",
                                             "Feb/29/1900",
                                             "2000Feb29",
                                             "2000/29/02",
                                             "2000-29-Feb",
                                             "31/Dec/98",
                                             "98.12.31",
                                             "00.02.29",
                                             "1-1-1",
                                             "1/1/1",
                                             "1/1/01",
                                             "9/9/99",
                                             "12/31/98 xyz",
                                             "12/31/98xyz",
                                             "123198",
                                             " 23198",
                                             " 2/31/98",
                                             "981231",
                                             "19981231",
                                             "12311998",
                                             "Dec-31-98",
                                             "dec/31/1998",
                                             "DEC-31-1998",
                                             "Jan/1/1998",
                                             "Jan-1-98",
                                             "1Jan98",
                                             "1-Jan-98",
                                             "1/Jan/1998",
                                             "7Sep99",
                                             "7sep1999",
                                             "1998Jul04",
                                             "1998/25/12",
                                             "1998/25/Dec",
                                             "0998/12/31",
                                             "19981301",
                                             "1998-13-01",
                                             "99/12/31",
                                             "00/01/01",
                                             "13/12/31",
                                             "99-12-31",
                                             "12-31-99",
                                             "1/31/99",
                                             "01/1/99",
                                             "Dec/ 5/1998",
                                             "12/31/19 8",
                                             "12/31/1998x",
                                             "1998-12-3x",
                                             "Foo/31/1998",
                                             "\x80\xff",
                                             "12/31/98\x80",
                                             "12/31/98\x01",
                                             "\xff\xff/31/1998"};
        return r_.Pick(kEdges);
    }

    std::string RandomBytes() {
        const int length = r_.Between(0, 14);
        std::string text;
        for (int i = 0; i < length; ++i) text += RandomChar();
        return text;
    }

    char RandomChar() { return RandomDateChar(r_); }

    std::string Mutated(std::string text) { return MutatedText(r_, std::move(text)); }

    Random& r_;
    const Library& ref_;
};

// Where the conversion file of the scratch home lies.
std::string ConversionFilePath() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data == nullptr || data[0] == '\0') return "";
    return std::string(data) + "/kalcore/DatCvFil.Bnf";
}

class Harness {
  public:
    Harness(const Library& before, const Library& after, std::uint64_t seed)
        : before_(before), after_(after), random_(seed), in_(random_, before) {}

    // Runs `comparisons` comparisons; returns the number of differences.
    std::uint64_t Run(std::uint64_t comparisons) {
        // Every export at least once, then by weight.
        for (int id = 0; id < kExportCount; ++id) Compare(static_cast<ExportId>(id));
        const std::uint64_t stateEvery = 20000;
        while (total_ < comparisons) {
            if (total_ / stateEvery != lastState_) {
                lastState_ = total_ / stateEvery;
                ChangeConversionFile();
            }
            Compare(PickExport());
        }
        return differences_;
    }

    void Report() const {
        for (int id = 0; id < kExportCount; ++id)
            std::printf("%-26s %12llu\n", kExportNames[id],
                        static_cast<unsigned long long>(counts_[id]));
        std::printf("%-26s %12llu\n%-26s %12llu\n", "total",
                    static_cast<unsigned long long>(total_), "differences",
                    static_cast<unsigned long long>(differences_));
    }

  private:
    // The weights of the exports in the mix: the date exports most, those
    // that read or write files and the zone less.
    ExportId PickExport() {
        const int roll = random_.Below(1000);
        if (roll < 170) return k_KD_CONVDATE;
        if (roll < 210) return k_KD_ISVDATE;
        if (roll < 990) {
            // Any export but those that touch files or the zone on every call.
            static const ExportId kCheap[] = {
                k_KD_CMPTENUMDAYS,  k_KD_CMPTEADATE,    k_KD_CDOW,
                k_KD_NDOW,          k_KD_WEEKNO,        k_KD_JULIANDATE,
                k_KD_REVJULIANDATE, k_KD_CDAYNO,        k_KD_NDAYNO,
                k_KD_CMONTH,        k_KD_NMONTH,        k_KD_CYEAR,
                k_KD_NYEAR,         k_KD_CCNTRY,        k_KD_NCNTRY,
                k_KD_CFULCNTRYYR,   k_KD_NFULCNTRYYR,   k_KD_ISLEAPYR,
                k_KD_CGETCNTRY,     k_KD_IGETCNTRY,     k_KD_CNTRYDAY,
                k_KD_BETWEEN,       k_KD_DATELAPSE,     k_KD_AFULLDATEFORMAT,
                k_KD_DATE,          k_KD_TIME,          k_KD_HOUR,
                k_KD_CHOUR,         k_KD_MINT,          k_KD_SEC,
                k_KD_CMINT,         k_KD_CSEC,          k_KD_SLIDINGWINDOWPROC,
                k_KD_NXTWRKDAY,     k_KD_ISTODAYAHOLDY, k_KD_EASTERCALC,
                k_UpperCaseString,  k_DoubleInt,        k_DoubleInt2,
                k_LoByte,           k_HiByte,           k_LoWord,
                k_HiWord,           k_MakeWord,         k_MakeLong,
                k_ShiftLeft,        k_ShiftRight,       k_KD_DATEANDTIME};
            return random_.Pick(kCheap);
        }
        static const ExportId kCostly[] = {k_KD_DAYLIGHTSAVINGSTIMES,
                                           k_KD_DATECNVFILE,
                                           k_KD_HELPABOUTME,
                                           k_KD_ABOUTDLL,
                                           k_AboutBox,
                                           k_HelpBox};
        return random_.Pick(kCostly);
    }

    // The conversion file between batches: a code stored through both
    // builds, or a file that holds no code, or none.
    void ChangeConversionFile() {
        const std::string path = ConversionFilePath();
        const int kind = random_.Below(10);
        if (kind < 6 || path.empty()) {
            Compare(k_KD_DTCVCREATEFILE);
            return;
        }
        if (kind < 8) {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            if (f != nullptr) {
                static const char* const kContents[] = {"",        "F",    "FqXT", "F0XT",
                                                        "F\x80XT", "FkXT", "F{XT", "FbX"};
                const char* content = random_.Pick(kContents);
                std::fwrite(content, 1, std::strlen(content), f);
                std::fclose(f);
            }
            return;
        }
        unlink(path.c_str());
    }

    template <typename Call>
    void Check(ExportId id, Call&& call, const std::string& what) {
        Outcome a, b;
        call(before_, a);
        call(after_, b);
        ++counts_[id];
        ++total_;
        if (a == b) return;
        if (++differences_ <= 30)
            std::printf("DIFFERENCE %s(%s)\n  before %s\n  after  %s\n", kExportNames[id],
                        what.c_str(), Hex(a).c_str(), Hex(b).c_str());
    }

    // Most text arguments are given; some are null.
    Arg DateArg() { return random_.Chance(1) ? Arg("", true) : Arg(in_.DateText()); }

    void Compare(ExportId id) {
        switch (id) {
            case k_KD_ISVDATE: {
                const Arg date = DateArg();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Arg copy = date;
                        o.result = lib.KD_ISVDATE(copy.mut());
                        o.Add(copy.bytes, sizeof copy.bytes);
                    },
                    Escaped(date.bytes));
                break;
            }
            case k_KD_CONVDATE: {
                const Arg date = DateArg();
                const Arg code(in_.CodeText(), random_.Chance(1));
                const int useFile = in_.Switch(), selector = in_.Selector();
                const bool nullOutput = random_.Chance(1);
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<16> out;
                        o.result = lib.KD_CONVDATE(date.get(), nullOutput ? nullptr : out.data(),
                                                   code.get(), useFile, selector);
                        o.Add(out.bytes, sizeof out.bytes);
                    },
                    Escaped(date.bytes) + ", " + Escaped(code.bytes) + ", " +
                        std::to_string(useFile) + ", " + std::to_string(selector));
                break;
            }
            case k_KD_CMPTENUMDAYS: {
                const Arg a = DateArg(), b = DateArg();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        std::int32_t days = 12345;
                        o.result = lib.KD_CMPTENUMDAYS(a.get(), b.get(), &days);
                        o.Add(days);
                    },
                    Escaped(a.bytes) + ", " + Escaped(b.bytes));
                break;
            }
            case k_KD_CMPTEADATE: {
                const Arg date = DateArg();
                const std::int32_t days = in_.Count();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<16> out;
                        o.result = lib.KD_CMPTEADATE(days, date.get(), out.data());
                        o.Add(out.bytes, sizeof out.bytes);
                    },
                    std::to_string(days) + ", " + Escaped(date.bytes));
                break;
            }
            case k_KD_CDOW:
            case k_KD_CDAYNO:
            case k_KD_CMONTH:
            case k_KD_CYEAR:
            case k_KD_CCNTRY:
            case k_KD_CFULCNTRYYR:
            case k_KD_JULIANDATE: {
                const Arg date = DateArg();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<16> out;
                        char* p = out.data();
                        switch (id) {
                            case k_KD_CDOW:
                                o.result = lib.KD_CDOW(date.get(), p);
                                break;
                            case k_KD_CDAYNO:
                                o.result = lib.KD_CDAYNO(date.get(), p);
                                break;
                            case k_KD_CMONTH:
                                o.result = lib.KD_CMONTH(date.get(), p);
                                break;
                            case k_KD_CYEAR:
                                o.result = lib.KD_CYEAR(date.get(), p);
                                break;
                            case k_KD_CCNTRY:
                                o.result = lib.KD_CCNTRY(date.get(), p);
                                break;
                            case k_KD_CFULCNTRYYR:
                                o.result = lib.KD_CFULCNTRYYR(date.get(), p);
                                break;
                            default:
                                o.result = lib.KD_JULIANDATE(date.get(), p);
                                break;
                        }
                        o.Add(out.bytes, sizeof out.bytes);
                    },
                    Escaped(date.bytes));
                break;
            }
            case k_KD_NDOW:
            case k_KD_WEEKNO:
            case k_KD_NDAYNO:
            case k_KD_NMONTH:
            case k_KD_NYEAR:
            case k_KD_NCNTRY:
            case k_KD_NFULCNTRYYR:
            case k_KD_ISLEAPYR: {
                const Arg date = DateArg();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        std::int32_t n = 777;
                        switch (id) {
                            case k_KD_NDOW:
                                o.result = lib.KD_NDOW(date.get(), &n);
                                break;
                            case k_KD_WEEKNO:
                                o.result = lib.KD_WEEKNO(date.get(), &n);
                                break;
                            case k_KD_NDAYNO:
                                o.result = lib.KD_NDAYNO(date.get(), &n);
                                break;
                            case k_KD_NMONTH:
                                o.result = lib.KD_NMONTH(date.get(), &n);
                                break;
                            case k_KD_NYEAR:
                                o.result = lib.KD_NYEAR(date.get(), &n);
                                break;
                            case k_KD_NCNTRY:
                                o.result = lib.KD_NCNTRY(date.get(), &n);
                                break;
                            case k_KD_NFULCNTRYYR:
                                o.result = lib.KD_NFULCNTRYYR(date.get(), &n);
                                break;
                            default:
                                o.result = lib.KD_ISLEAPYR(date.get(), &n);
                                break;
                        }
                        o.Add(n);
                    },
                    Escaped(date.bytes));
                break;
            }
            case k_KD_REVJULIANDATE: {
                const Arg julian(in_.JulianText(), random_.Chance(1));
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<16> out;
                        o.result = lib.KD_REVJULIANDATE(julian.get(), out.data());
                        o.Add(out.bytes, sizeof out.bytes);
                    },
                    Escaped(julian.bytes));
                break;
            }
            case k_KD_CGETCNTRY:
            case k_KD_IGETCNTRY: {
                const int selector = in_.Selector();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<8> text;
                        std::int32_t n = 777;
                        o.result = id == k_KD_CGETCNTRY ? lib.KD_CGETCNTRY(selector, text.data())
                                                        : lib.KD_IGETCNTRY(selector, &n);
                        o.Add(text.bytes, sizeof text.bytes);
                        o.Add(n);
                    },
                    std::to_string(selector));
                break;
            }
            case k_KD_CNTRYDAY: {
                const Arg date = DateArg();
                const int kind = random_.Below(100);
                const std::int32_t mode = kind < 45 ? 1 : kind < 90 ? 2 : random_.Between(-2, 5);
                const std::int32_t serial = in_.Serial();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Arg copy = date;
                        std::int32_t n = serial;
                        o.result = lib.KD_CNTRYDAY(copy.mut(), mode, &n);
                        o.Add(copy.bytes, sizeof copy.bytes);
                        o.Add(n);
                    },
                    Escaped(date.bytes) + ", " + std::to_string(mode) + ", " +
                        std::to_string(serial));
                break;
            }
            case k_KD_BETWEEN: {
                const Arg a = DateArg(), b = DateArg(), c = DateArg();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        o.result = lib.KD_BETWEEN(a.get(), b.get(), c.get());
                    },
                    Escaped(a.bytes) + ", " + Escaped(b.bytes) + ", " + Escaped(c.bytes));
                break;
            }
            case k_KD_DATELAPSE: {
                const Arg a = DateArg(), b = DateArg();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        std::int32_t v[5] = {7, 7, 7, 7, 7};
                        o.result =
                            lib.KD_DATELAPSE(a.get(), b.get(), &v[0], &v[1], &v[2], &v[3], &v[4]);
                        o.Add(v, sizeof v);
                    },
                    Escaped(a.bytes) + ", " + Escaped(b.bytes));
                break;
            }
            case k_KD_AFULLDATEFORMAT: {
                const Arg date = DateArg();
                const Arg code(in_.CodeText(), random_.Chance(1));
                int s[5];
                for (int& v : s) v = random_.Chance(90) ? random_.Between(0, 1) : in_.Switch();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<48> out;
                        o.result = lib.KD_AFULLDATEFORMAT(date.get(), out.data(), code.get(), s[0],
                                                          s[1], s[2], s[3], s[4]);
                        o.Add(out.bytes, sizeof out.bytes);
                    },
                    Escaped(date.bytes) + ", " + Escaped(code.bytes) + ", " + std::to_string(s[0]) +
                        std::to_string(s[1]) + std::to_string(s[2]) + std::to_string(s[3]) +
                        std::to_string(s[4]));
                break;
            }
            case k_KD_DATE: {
                const Arg code(in_.CodeText(), random_.Chance(1));
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<16> out;
                        o.result = lib.KD_DATE(out.data(), code.get());
                        o.Add(out.bytes, sizeof out.bytes);
                    },
                    Escaped(code.bytes));
                break;
            }
            case k_KD_DATEANDTIME: {
                const Arg code(in_.CodeText(), random_.Chance(1));
                const int hourMode = in_.Switch(), useFile = in_.Switch();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<16> date;
                        Buffer<12> time;
                        Buffer<4> amPm;
                        o.result = lib.KD_DATEANDTIME(date.data(), code.get(), time.data(),
                                                      amPm.data(), hourMode, useFile);
                        o.Add(date.bytes, sizeof date.bytes);
                        o.Add(time.bytes, sizeof time.bytes);
                        o.Add(amPm.bytes, sizeof amPm.bytes);
                    },
                    Escaped(code.bytes) + ", " + std::to_string(hourMode) + ", " +
                        std::to_string(useFile));
                break;
            }
            case k_KD_TIME:
            case k_KD_HOUR:
            case k_KD_CHOUR: {
                const int hourMode = in_.Switch();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<12> text;
                        std::int32_t n = 777;
                        if (id == k_KD_TIME) o.result = lib.KD_TIME(text.data(), hourMode);
                        if (id == k_KD_HOUR) o.result = lib.KD_HOUR(&n, hourMode);
                        if (id == k_KD_CHOUR) o.result = lib.KD_CHOUR(text.data(), hourMode);
                        o.Add(text.bytes, sizeof text.bytes);
                        o.Add(n);
                    },
                    std::to_string(hourMode));
                break;
            }
            case k_KD_MINT:
            case k_KD_SEC:
            case k_KD_CMINT:
            case k_KD_CSEC: {
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<8> text;
                        std::int32_t n = 777;
                        if (id == k_KD_MINT) o.result = lib.KD_MINT(&n);
                        if (id == k_KD_SEC) o.result = lib.KD_SEC(&n);
                        if (id == k_KD_CMINT) o.result = lib.KD_CMINT(text.data());
                        if (id == k_KD_CSEC) o.result = lib.KD_CSEC(text.data());
                        o.Add(text.bytes, sizeof text.bytes);
                        o.Add(n);
                    },
                    "");
                break;
            }
            case k_KD_DTCVCREATEFILE: {
                const Arg code(in_.CodeText(), random_.Chance(2));
                // Both builds store the code in the one file; the file each
                // leaves must be the same.
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        o.result = lib.KD_DTCVCREATEFILE(code.get());
                        char content[8] = {};
                        if (std::FILE* f = std::fopen(ConversionFilePath().c_str(), "rb")) {
                            o.Add(static_cast<std::int64_t>(std::fread(content, 1, 8, f)));
                            std::fclose(f);
                        }
                        o.Add(content, sizeof content);
                    },
                    Escaped(code.bytes));
                break;
            }
            case k_KD_DATECNVFILE: {
                const char* unused = random_.Chance(50) ? "" : nullptr;
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) { o.result = lib.KD_DATECNVFILE(unused); },
                    "");
                break;
            }
            case k_KD_SLIDINGWINDOWPROC: {
                const Arg pivot = DateArg(), check = DateArg();
                const std::int32_t years = random_.Chance(80)   ? random_.Between(-120, 120)
                                           : random_.Chance(50) ? random_.Between(-9999, 9999)
                                                                : random_.Int32();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        std::int32_t in = 7, dir = 7;
                        o.result =
                            lib.KD_SLIDINGWINDOWPROC(pivot.get(), years, check.get(), &in, &dir);
                        o.Add(in);
                        o.Add(dir);
                    },
                    Escaped(pivot.bytes) + ", " + std::to_string(years) + ", " +
                        Escaped(check.bytes));
                break;
            }
            case k_KD_NXTWRKDAY: {
                const Arg date = DateArg();
                const std::int32_t count =
                    random_.Chance(80) ? random_.Between(-30, 30) : in_.Count();
                const int useHolidays = random_.Chance(90) ? random_.Between(0, 1) : in_.Switch();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<16> out;
                        o.result = lib.KD_NXTWRKDAY(date.get(), out.data(), &count, useHolidays);
                        o.Add(out.bytes, sizeof out.bytes);
                    },
                    Escaped(date.bytes) + ", " + std::to_string(count) + ", " +
                        std::to_string(useHolidays));
                break;
            }
            case k_KD_ISTODAYAHOLDY: {
                const Arg date = DateArg();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        std::int32_t holiday = 7, dayOff = 7;
                        Buffer<32> name;
                        o.result = lib.KD_ISTODAYAHOLDY(date.get(), &holiday, name.data(), &dayOff);
                        o.Add(holiday);
                        o.Add(dayOff);
                        o.Add(name.bytes, sizeof name.bytes);
                    },
                    Escaped(date.bytes));
                break;
            }
            case k_KD_DAYLIGHTSAVINGSTIMES: {
                const Arg year(in_.YearText(), random_.Chance(1));
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Buffer<80> zone;
                        Buffer<16> begin, end;
                        Buffer<28> beginLabel, endLabel;
                        std::int32_t status = 7, sameDay = 7;
                        o.result = lib.KD_DAYLIGHTSAVINGSTIMES(year.get(), zone.data(), &status,
                                                               &sameDay, begin.data(), end.data(),
                                                               beginLabel.data(), endLabel.data());
                        o.Add(status);
                        o.Add(sameDay);
                        o.Add(zone.bytes, sizeof zone.bytes);
                        o.Add(begin.bytes, sizeof begin.bytes);
                        o.Add(end.bytes, sizeof end.bytes);
                        o.Add(beginLabel.bytes, sizeof beginLabel.bytes);
                        o.Add(endLabel.bytes, sizeof endLabel.bytes);
                    },
                    Escaped(year.bytes));
                break;
            }
            case k_KD_EASTERCALC: {
                const std::int32_t year =
                    random_.Chance(80) ? random_.Between(1, 9999) : random_.Int32();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        std::int32_t month = 7, day = 7;
                        o.result = lib.KD_EASTERCALC(year, &month, &day);
                        o.Add(month);
                        o.Add(day);
                    },
                    std::to_string(year));
                break;
            }
            case k_KD_HELPABOUTME:
            case k_KD_ABOUTDLL:
            case k_AboutBox:
            case k_HelpBox: {
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        if (id == k_KD_HELPABOUTME) o.result = lib.KD_HELPABOUTME();
                        if (id == k_KD_ABOUTDLL) o.result = lib.KD_ABOUTDLL();
                        if (id == k_AboutBox) o.result = lib.AboutBox();
                        if (id == k_HelpBox) o.result = lib.HelpBox();
                    },
                    "");
                break;
            }
            case k_UpperCaseString: {
                const Arg text(in_.AnyText(), random_.Chance(2));
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        Arg copy = text;
                        o.result = lib.UpperCaseString(copy.mut());
                        o.Add(copy.bytes, sizeof copy.bytes);
                    },
                    Escaped(text.bytes));
                break;
            }
            case k_DoubleInt: {
                const auto value = static_cast<std::int16_t>(random_.Int32());
                const bool null = random_.Chance(2);
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        std::int16_t v = value;
                        std::int16_t* given = null ? nullptr : &v;
                        o.result = lib.DoubleInt(given) == given ? 1 : 0;
                        o.Add(v);
                    },
                    std::to_string(value));
                break;
            }
            default: {
                // The integer utilities: two random integers in, one out.
                const std::int32_t a =
                    random_.Chance(70) ? random_.Int32() : random_.Between(-300, 300);
                const std::int32_t b =
                    random_.Chance(70) ? random_.Between(-40, 40) : random_.Int32();
                Check(
                    id,
                    [&](const Library& lib, Outcome& o) {
                        switch (id) {
                            case k_DoubleInt2:
                                o.result = lib.DoubleInt2(a);
                                break;
                            case k_LoByte:
                                o.result = lib.LoByte(static_cast<std::uint16_t>(a));
                                break;
                            case k_HiByte:
                                o.result = lib.HiByte(static_cast<std::uint16_t>(a));
                                break;
                            case k_LoWord:
                                o.result = lib.LoWord(a);
                                break;
                            case k_HiWord:
                                o.result = lib.HiWord(a);
                                break;
                            case k_MakeWord:
                                o.result = lib.MakeWord(a, b);
                                break;
                            case k_MakeLong:
                                o.result = lib.MakeLong(a, b);
                                break;
                            case k_ShiftLeft:
                                o.result = lib.ShiftLeft(a, b);
                                break;
                            case k_ShiftRight:
                                o.result = lib.ShiftRight(a, b);
                                break;
                            default:
                                o.result = INT64_MIN;
                                break;
                        }
                    },
                    std::to_string(a) + ", " + std::to_string(b));
                break;
            }
        }
    }

    const Library& before_;
    const Library& after_;
    Random random_;
    Inputs in_;
    std::uint64_t counts_[kExportCount] = {};
    std::uint64_t total_ = 0;
    std::uint64_t differences_ = 0;
    std::uint64_t lastState_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s BEFORE.so AFTER.so COMPARISONS [SEED]\n", argv[0]);
        return 2;
    }
    static Library before, after;
    if (!before.Load(argv[1]) || !after.Load(argv[2])) return 2;
    const std::uint64_t comparisons = std::strtoull(argv[3], nullptr, 10);
    const std::uint64_t seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 1;
    Harness harness(before, after, seed);
    const std::uint64_t differences = harness.Run(comparisons);
    harness.Report();
    return differences == 0 ? 0 : 1;
}
