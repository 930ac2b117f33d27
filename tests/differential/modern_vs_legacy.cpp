// The kal_ interface against KD_CONVDATE: for random, mutated and edge texts
// of every layout and form, kal_parse under the century selector (keywords
// on) must give the date that KD_CONVDATE gives, with two intended
// differences that are counted, not failed:
//  - a text longer than its layout, once blanks are trimmed from its ends, is
//    no date to kal_parse, while KD_CONVDATE reads its first 11 characters;
//  - kal_parse trims blanks and control characters at the start of a text as
//    well; it then reads what KD_CONVDATE reads of the trimmed text.
// Both run in this process under a fixed clock, which moves through several
// days (leap days, centuries, the first readable year) during the run.
//
// usage: kalcore_modern_differential COMPARISONS [SEED]
// Prints the counts; exits 1 on any other difference.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "differential/random.h"
#include "fixed_clock.h"
#include "kalcore.h"
#include "kalcore/dates.h"

namespace {

using kalcore::differential::MutatedText;
using kalcore::differential::Random;
using kalcore::differential::RandomDateChar;

constexpr char kInputCodes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$";

class Texts {
  public:
    explicit Texts(Random& r) : r_(r) {}

    std::string Next() {
        const int kind = r_.Below(100);
        std::string text;
        if (kind < 40)
            text = InCode();
        else if (kind < 52)
            text = TwoDigitYear(InCode());
        else if (kind < 67)
            text = MutatedText(r_, InCode());
        else if (kind < 72)
            text = Keyword();
        else if (kind < 82)
            text = r_.Pick(kEdges);
        else if (kind < 88)
            text = MutatedText(r_, r_.Pick(kEdges));
        else
            text = RandomBytes();
        if (r_.Chance(4)) text = r_.Pick(kLeading) + text;
        if (r_.Chance(4)) text += r_.Pick(kTrailing);
        return text;
    }

  private:
    // A valid date (now and then 29 February of any year or a day past the
    // month's end) in the layout of an input code, as the writer writes it.
    std::string InCode() {
        const int kind = r_.Below(100);
        const int year = kind < 60 ? r_.Between(1900, 2100)
                                   : (kind < 80 ? r_.Between(1580, 2400) : r_.Between(1000, 9999));
        const int month = r_.Between(1, 12);
        int day = r_.Between(1, 28);
        if (r_.Chance(10)) day = r_.Between(28, 31);
        char text[16];
        const char code = kInputCodes[r_.Below(sizeof kInputCodes - 1)];
        if (kal_format(year, month, day, code, text, sizeof text, nullptr) != KAL_OK) {
            std::snprintf(text, sizeof text, "%02d/%02d/%04d", month, day, year);
        }
        return text;
    }

    // The four digits of a year cut to two: the further forms and the
    // two-digit codes.
    std::string TwoDigitYear(std::string text) {
        const std::size_t n = text.size();
        auto digit = [&](std::size_t i) { return text[i] >= '0' && text[i] <= '9'; };
        if (n >= 4 && digit(n - 1) && digit(n - 4) && r_.Chance(80)) return text.erase(n - 4, 2);
        if (n >= 4 && digit(0) && digit(3)) return text.erase(0, 2);
        return text;
    }

    std::string Keyword() {
        static const char* const kWords[] = {"TODAY",   "today",   "NOW",      "now",     "YESTER",
                                             "yester0", "YESTER3", "YESTER7",  "YESTER8", "TODAYS",
                                             "NO",      "YESTE",   "TOMORROW", "ToDaY"};
        return r_.Pick(kWords);
    }

    std::string RandomBytes() {
        std::string text;
        for (int i = r_.Between(0, 14); i > 0; --i) text += RandomDateChar(r_);
        return text;
    }

    static constexpr const char* kLeading[] = {" ", "  ", "\t", "\x80", " \x01", "0"};
    static constexpr const char* kTrailing[] = {" ", "  ", "\r\n", "\x80", " 10:30",
                                                "x", "0",  "  x",  "\xff", "T00:00:00"};
    static constexpr const char* kEdges[] = {
        "",           " ",           "02/29/1900", "02/29/2000", "02/29/2100", "02/29/00",
        "02/29/04",   "12/31/9999",  "01/01/1000", "01/01/0999", "00/00/0000", "13/01/1998",
        "12/32/1998", "1998-02-29",  "1900-02-29", "29-Feb-00",  "29Feb00",    "Feb/29/00",
        "2000Feb29",  "2000/29/02",  "31/Dec/98",  "98.12.31",   "00.02.29",   "1/1/01",
        "9/9/99",     "123198",      " 23198",     " 2/31/98",   "981231",     "19981231",
        "12311998",   "Dec-31-98",   "1Jan98",     "7Sep99",     "1998/25/12", "0998/12/31",
        "99/12/31",   "00/01/01",    "13/12/31",   "12-31-99",   "01/1/99",    "12/31/1998x",
        "25/12/1998", "12/31/98xyz", "010203",     "130203",     "Dec/ 5/1998"};

    Random& r_;
};

bool Trimmed(char c) {
    return static_cast<signed char>(c) <= 32;
}

// The date KD_CONVDATE gives a text, as days since 1970-01-01, or KAL_NAT.
int64_t Legacy(const std::string& text, int selector) {
    char out[12];
    if (KD_CONVDATE(text.c_str(), out, "G", 0, selector) != 1) return KAL_NAT;
    kal_date d;
    const kal_options iso = KAL_OPTIONS_INIT;
    return kal_parse(out, std::strlen(out), &iso, &d) == KAL_OK ? d.days : KAL_NAT;
}

int64_t Modern(const std::string& text, const kal_options& options) {
    kal_date d;
    return kal_parse(text.data(), text.size(), &options, &d) == KAL_OK ? d.days : KAL_NAT;
}

struct Clock {
    int year, month, day, hour;
};
constexpr Clock kClocks[] = {{2026, 12, 6, 18}, {2000, 2, 29, 10}, {1999, 12, 31, 23},
                             {2100, 3, 1, 12},  {1000, 1, 3, 13},  {2400, 2, 29, 7}};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COMPARISONS [SEED]\n", argv[0]);
        return 2;
    }
    const long long total = std::atoll(argv[1]);
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    Random random(seed);
    Texts texts(random);
    long long same = 0, longer = 0, leading = 0, differences = 0;
    const long long perClock = total / static_cast<long long>(std::size(kClocks)) + 1;
    long long done = 0;
    for (const Clock& c : kClocks) {
        kalcore::testing::FixedClock clock(c.year, c.month, c.day, c.hour);
        for (long long i = 0; i < perClock && done < total; ++i, ++done) {
            std::string text = texts.Next();
            // A C string ends at its first zero byte, for both.
            text.resize(std::strlen(text.c_str()));
            const int selector = random.Below(10);
            kal_options options = KAL_OPTIONS_INIT;
            options.two_digit_years = KAL_YEARS_SELECTOR;
            options.selector = selector;
            options.flags = KAL_KEYWORDS;
            const int64_t modern = Modern(text, options);
            const int64_t legacy = Legacy(text, selector);
            // The text without the trimmed characters at its start, and its
            // length without those at its end.
            std::size_t start = 0, end = text.size();
            while (start < end && Trimmed(text[start])) ++start;
            while (end > start && Trimmed(text[end - 1])) --end;
            bool ok;
            if (end - start > 11) {
                ok = modern == KAL_NAT;
                if (ok && legacy != KAL_NAT) ++longer;
            } else {
                ok = modern == (start == 0 ? legacy : Legacy(text.substr(start), selector));
                if (ok && modern != legacy) ++leading;
            }
            if (ok && modern == legacy) ++same;
            if (!ok && ++differences <= 20) {
                std::string shown;
                for (const unsigned char ch : text) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, ch >= 32 && ch < 127 ? "%c" : "\\x%02x", ch);
                    shown += hex;
                }
                std::printf(
                    "DIFFERENCE: \"%s\" selector %d clock %04d-%02d-%02d: kal_parse %lld, "
                    "KD_CONVDATE %lld\n",
                    shown.c_str(), selector, c.year, c.month, c.day, static_cast<long long>(modern),
                    static_cast<long long>(legacy));
            }
        }
    }
    std::printf(
        "%lld comparisons (seed %llu): %lld the same date or none, %lld longer than "
        "their layout (intended), %lld with leading blanks (intended), %lld other "
        "differences\n",
        done, static_cast<unsigned long long>(seed), same, longer, leading, differences);
    return differences == 0 ? 0 : 1;
}
