// A column of a million mixed date texts read in one call, against a loop of
// KD_CONVDATE over the same texts, in the same process; medians of several
// rounds, the two taken in turn.
//
//   kalcore_columns_bench [ROUNDS]      times both, prints medians and ratios
//   kalcore_columns_bench --once        one kal_parse_many pass, for callgrind
//                                       (--toggle-collect=kal_parse_many)
//   kalcore_columns_bench --once-loop   one pass of the KD_CONVDATE loop
//                                       (--toggle-collect=KD_CONVDATE)
//   kalcore_columns_bench --once-layouts, --once-fixed, --once-ucs4
//                                       one kal_parse_many pass with layouts,
//                                       one kal_parse_many_fixed pass over the
//                                       S16 or U16 block
//                                       (--toggle-collect=kal_parse_many_fixed)
//   add --keywords to a --once mode to read the keywords as well
//
// The texts: 16 layouts (numeric and with month names, before and after the
// day, in any case), two- and four-digit years of 1950-2049, and 5% junk.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "kalcore.h"
#include "kalcore/dates.h"

namespace {

constexpr std::size_t kTexts = 1000000;
constexpr std::size_t kSlot = 16;  // bytes per text: a NumPy S16 array

// The layouts of the set, as the format codes that write them: 3 B G E A 7 K
// I F & N 5 9 1 O, and Y with its century cut (D-mmm-YY, no code of its own).
constexpr char kLayoutCodes[] = "3BGEA7KIF&N591OY";

// One text of layout `which` for a date of 1950-2049, its month name as
// written (Jan), in capitals (JAN) or in small letters (jan).
std::string Text(int which, int y, int m, int d, int monthCase) {
    char s[16];
    kal_format(y, m, d, kLayoutCodes[which], s, sizeof s, nullptr);
    std::string text = s;
    if (kLayoutCodes[which] == 'Y') text.erase(text.size() - 4, 2);
    for (char& c : text)
        if (c >= 'A' && c <= 'z' && monthCase != 0)
            c = static_cast<char>(monthCase == 1 ? (c & ~0x20) : (c | 0x20));
    return text;
}

constexpr const char* kJunk[] = {
    "n/a",        "",   "12/31/1998 10:30", "13/45/99",    "Foo/31/1998",
    "2000-02-30", "??", "1998-12-31T00:00", "31.12.1998x", "none"};

struct Column {
    std::vector<char> block;     // kTexts slots of kSlot bytes, NUL-padded
    std::vector<char32_t> wide;  // the same texts as UCS-4 (a NumPy U16 array)
    std::vector<const char*> pointers;
    std::vector<std::size_t> lengths;
};

Column MakeColumn() {
    Column c;
    c.block.assign(kTexts * kSlot, '\0');
    c.pointers.resize(kTexts);
    c.lengths.resize(kTexts);
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<int> year(1950, 2049), month(1, 12), day(1, 28), layout(0, 15),
        monthCase(0, 2), percent(0, 99), junk(0, 9);
    for (std::size_t i = 0; i < kTexts; ++i) {
        std::string text = percent(random) < 5 ? kJunk[junk(random)]
                                               : Text(layout(random), year(random), month(random),
                                                      day(random), monthCase(random));
        char* slot = &c.block[i * kSlot];
        std::memcpy(slot, text.data(), std::min(text.size(), kSlot - 1));
        c.pointers[i] = slot;
        c.lengths[i] = std::strlen(slot);
    }
    c.wide.assign(c.block.begin(), c.block.end());
    return c;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <typename Fn>
double NanosecondsPerText(Fn fn) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::nano>(end - start).count() / kTexts;
}

}  // namespace

int main(int argc, char** argv) {
    const Column column = MakeColumn();
    std::vector<int64_t> days(kTexts);
    std::vector<uint8_t> layouts(kTexts);
    kal_options options;
    kal_options_init(&options);

    if (argc > 2 && std::strcmp(argv[2], "--keywords") == 0) options.flags |= KAL_KEYWORDS;
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--once" || mode == "--once-layouts" || mode == "--once-fixed" ||
        mode == "--once-ucs4") {
        int64_t dates;
        if (mode == "--once-fixed")
            dates = kal_parse_many_fixed(column.block.data(), kTexts, 1, kSlot, kSlot, &options,
                                         days.data(), nullptr);
        else if (mode == "--once-ucs4")
            dates = kal_parse_many_fixed(column.wide.data(), kTexts, 4, kSlot, 4 * kSlot, &options,
                                         days.data(), nullptr);
        else
            dates =
                kal_parse_many(column.pointers.data(), column.lengths.data(), kTexts, &options,
                               days.data(), mode == "--once-layouts" ? layouts.data() : nullptr);
        std::printf("%lld dates of %zu texts\n", static_cast<long long>(dates), kTexts);
        return dates > 0 ? 0 : 1;
    }
    if (argc > 1 && std::strcmp(argv[1], "--once-loop") == 0) {
        char out[12];
        std::size_t converted = 0;
        for (std::size_t i = 0; i < kTexts; ++i)
            converted += KD_CONVDATE(column.pointers[i], out, "G", 0, 0) == 1;
        std::printf("%zu dates of %zu texts\n", converted, kTexts);
        return converted > 0 ? 0 : 1;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;

    std::vector<double> many, fixed, wide, withLayouts, convdate;
    int64_t dates = 0;
    std::size_t converted = 0;
    for (int round = 0; round < rounds; ++round) {
        many.push_back(NanosecondsPerText([&] {
            dates = kal_parse_many(column.pointers.data(), column.lengths.data(), kTexts, &options,
                                   days.data(), nullptr);
        }));
        fixed.push_back(NanosecondsPerText([&] {
            kal_parse_many_fixed(column.block.data(), kTexts, 1, kSlot, kSlot, &options,
                                 days.data(), nullptr);
        }));
        wide.push_back(NanosecondsPerText([&] {
            kal_parse_many_fixed(column.wide.data(), kTexts, 4, kSlot, 4 * kSlot, &options,
                                 days.data(), nullptr);
        }));
        withLayouts.push_back(NanosecondsPerText([&] {
            kal_parse_many(column.pointers.data(), column.lengths.data(), kTexts, &options,
                           days.data(), layouts.data());
        }));
        convdate.push_back(NanosecondsPerText([&] {
            char out[12];
            converted = 0;
            for (std::size_t i = 0; i < kTexts; ++i)
                converted += KD_CONVDATE(column.pointers[i], out, "G", 0, 0) == 1;
        }));
    }
    const double base = Median(convdate);
    std::printf("%zu texts, %lld dates (kal_parse_many), %zu (KD_CONVDATE); medians of %d rounds\n",
                kTexts, static_cast<long long>(dates), converted, rounds);
    std::printf("%-34s %8s %8s\n", "", "ns/text", "vs loop");
    std::printf("%-34s %8.2f %7.2fx\n", "kal_parse_many (pointers)", Median(many),
                base / Median(many));
    std::printf("%-34s %8.2f %7.2fx\n", "kal_parse_many (pointers, layouts)", Median(withLayouts),
                base / Median(withLayouts));
    std::printf("%-34s %8.2f %7.2fx\n", "kal_parse_many_fixed (S16 block)", Median(fixed),
                base / Median(fixed));
    std::printf("%-34s %8.2f %7.2fx\n", "kal_parse_many_fixed (U16 block)", Median(wide),
                base / Median(wide));
    std::printf("%-34s %8.2f %7.2fx\n", "loop of KD_CONVDATE", base, 1.0);
    return 0;
}
