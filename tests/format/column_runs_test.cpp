// Runs of one reading: once the last two texts of a stretch of a column
// have taken one slot of the table, the texts after them are read in that
// slot's reading alone. A text it reads must be read as the table reads it,
// and every text of the slot's shape that the table reads in that slot must
// be read by it (or the run would end for nothing). Then the columns: every
// item of a column read in runs must get what it gets alone, whatever breaks
// the runs (another layout, a day that makes no date, a trailing blank, a
// missing text, junk, a character above 255).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "differential/random.h"
#include "format/common_shapes.h"
#include "format/date_writer.h"
#include "format/layouts.h"
#include "format/text_columns.h"

namespace kalcore {
namespace {

using differential::Random;
using namespace shape_detail;

// A character of position p of a shape: mostly of its class, with digits
// that often make months and days, letters that often make a month; now and
// then one of another class.
char CharacterOf(Random& r, unsigned cls) {
    static const char kMonthLetters[] = "JanFebMarAprMayJunJulAugSepOctNovDecjanFEBsepDEC";
    if (r.Chance(3)) return r.Pick({'0', '7', '-', '/', '.', 'x', ' ', 'J'});
    switch (cls) {
        case kDigit:
            return static_cast<char>('0' + (r.Chance(60) ? r.Below(4) : r.Below(10)));
        case kDash:
            return '-';
        case kDot:
            return '.';
        case kSlash:
            return '/';
        default:
            return r.Chance(80) ? kMonthLetters[r.Below(sizeof kMonthLetters - 1)]
                                : static_cast<char>('a' + r.Below(26));
    }
}

// The two words of a text of up to 16 characters, zeros past it.
std::pair<std::uint64_t, std::uint64_t> WordsOf(const ShapeText& text) {
    std::uint64_t low, high;
    std::memcpy(&low, text, sizeof low);
    std::memcpy(&high, text + sizeof low, sizeof high);
    return {low, high};
}

struct Tally {
    long read = 0, differences = 0;
};

// Texts of slot Slot's shape, read by ReadInSlot<Slot> and by the table.
template <unsigned Slot>
void CompareSlot(Random& r, Tally& tally) {
    constexpr std::uint64_t key = kSlots[Slot].key;
    // A reading held in two slots is read in runs in the one its texts name.
    if constexpr (key != NoShape().key && kSlots[Slot].slot == Slot) {
        constexpr std::size_t length = kSlotLength<Slot>;
        const TwoDigitCenturies rules[] = {{19, 50}, {19, 69}, {20, 0}, {10, 0}, {98, 50}};
        for (int i = 0; i < 3000; ++i) {
            ShapeText text{};
            for (std::size_t p = 0; p < length; ++p)
                text[p] =
                    static_cast<unsigned char>(CharacterOf(r, ClassAt(key, static_cast<int>(p))));
            const TwoDigitCenturies centuries = r.Pick(rules);
            const auto [low, high] = WordsOf(text);
            std::int64_t days = 0;
            const bool run = ReadInSlot<Slot>(low, high, centuries, days);
            CommonDate common{};
            const bool table =
                ReadCommonDate(text, centuries, common) && common.shape->slot == Slot;
            const bool same = run == table && (!run || days == common.days);
            if (!same && ++tally.differences <= 10)
                ADD_FAILURE() << "slot " << Slot << " \"" << reinterpret_cast<const char*>(text)
                              << "\": run " << run << " " << days << ", table " << table << " "
                              << common.days;
            tally.read += run ? 1 : 0;
        }
    }
}

template <std::size_t... Slots>
void CompareEverySlot(Random& r, Tally& tally, std::index_sequence<Slots...>) {
    (CompareSlot<Slots>(r, tally), ...);
}

TEST(ColumnRuns, EverySlotReadsAsTheTableReadsIt) {
    Random r(20261209);
    Tally tally;
    CompareEverySlot(r, tally, std::make_index_sequence<kSlots.size()>());
    EXPECT_EQ(tally.differences, 0);
    // 51 readings of 3000 texts: enough of them must be dates to mean something
    // (about one in ten is).
    EXPECT_GT(tally.read, 10000) << tally.read << " texts read in their slots";
}

// A date written in a layout, perhaps with its year cut to two digits, and
// now and then broken: a day the month does not have, a trailing blank, a
// character swapped.
std::string RunText(Random& r, const FormatLayout& layout, bool cut) {
    const CivilDate date{r.Chance(80) ? r.Between(1930, 2069) : r.Between(1000, 9999),
                         r.Between(1, 12), r.Between(1, 28)};
    DateText text;
    WriteDate(layout, date, text);
    std::string s = text;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    if (cut && s.size() >= 4) s.erase(s.size() - 4, 2);
    if (r.Chance(4)) {
        // Day 30 or 31, which February (or a short month) does not have.
        for (std::size_t p = 0; p + 1 < s.size(); ++p)
            if (s[p] == '2' && s[p + 1] >= '0' && s[p + 1] <= '8' && r.Chance(50)) {
                s[p] = '3';
                s[p + 1] = r.Chance(50) ? '0' : '1';
                break;
            }
    }
    if (r.Chance(2)) s += ' ';
    if (r.Chance(2) && !s.empty())
        s[r.Below(static_cast<int>(s.size()))] = r.Pick({'1', '9', 'x', '/'});
    return s;
}

// A column of runs: stretches of one layout, each a few to a hundred texts
// long, with now and then junk or a missing text between them.
std::vector<std::string> ColumnOfRuns(Random& r, std::vector<bool>& missing) {
    std::vector<std::string> texts;
    while (texts.size() < 6000) {
        const FormatLayout& layout = kLayouts[r.Below(kFormatCount)];
        const bool cut = r.Chance(30) && layout.yearPos >= 2;
        const int count = r.Chance(30) ? r.Between(1, 4) : r.Between(5, 100);
        for (int i = 0; i < count; ++i) texts.push_back(RunText(r, layout, cut));
        if (r.Chance(10)) texts.push_back(r.Pick({"", "n/a", "13/45/99", "  12/31/98"}));
    }
    missing.assign(texts.size(), false);
    for (std::size_t i = 0; i < texts.size(); ++i) missing[i] = r.Chance(1);
    return texts;
}

// What each item of a column gives read alone: its days, layout, and the
// number of dates. A null item is missing.
struct Expected {
    std::vector<std::int64_t> days;
    std::vector<std::uint8_t> layouts;
    std::size_t dates = 0;
};

Expected ReadAlone(const std::vector<const std::string*>& items, const ReadingRules& rule) {
    Expected e;
    e.days.assign(items.size(), kNoDateDays);
    e.layouts.assign(items.size(), 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        DateReading reading;
        std::int64_t days;
        if (items[i] == nullptr ||
            !ReadExactText(items[i]->data(), items[i]->size(), rule, reading, days))
            continue;
        e.days[i] = days;
        e.layouts[i] = static_cast<std::uint8_t>(reading.layout);
        ++e.dates;
    }
    return e;
}

void ExpectSame(const char* shape, std::size_t width, const Expected& want, std::size_t dates,
                const std::vector<std::int64_t>& days, const std::vector<std::uint8_t>& layouts,
                const std::vector<const std::string*>& items, const ReadingRules& rule) {
    std::size_t differences = 0;
    for (std::size_t i = 0; i < days.size(); ++i)
        if ((days[i] != want.days[i] || layouts[i] != want.layouts[i]) && ++differences <= 5)
            ADD_FAILURE() << shape << width << " item " << i << " \""
                          << (items[i] ? *items[i] : "(missing)") << "\" rule "
                          << static_cast<int>(rule.years.kind) << "/" << rule.years.value << ": "
                          << days[i] << " layout " << int{layouts[i]} << ", alone " << want.days[i]
                          << " layout " << int{want.layouts[i]};
    EXPECT_EQ(differences, 0u) << shape << width;
    EXPECT_EQ(dates, want.dates) << shape << width;
}

TEST(ColumnRuns, ColumnsReadInRunsGiveWhatEachTextGivesAlone) {
    Random r(20261210);
    const ReadingRules rules[] = {{{YearRule::Kind::kWindow, 1950}, false},
                                  {{YearRule::Kind::kWindow, 1969}, true},
                                  {{YearRule::Kind::kCentury, 20}, false},
                                  {{YearRule::Kind::kSelector, 4}, false}};
    for (const ReadingRules& rule : rules) {
        std::vector<bool> missing;
        const std::vector<std::string> texts = ColumnOfRuns(r, missing);
        const std::size_t n = texts.size();
        std::vector<std::int64_t> days(n);
        std::vector<std::uint8_t> layouts(n);

        // Pointers and lengths, with layouts and without.
        std::vector<const char*> pointers(n);
        std::vector<std::size_t> lengths(n);
        std::vector<const std::string*> items(n);
        for (std::size_t i = 0; i < n; ++i) {
            pointers[i] = missing[i] ? nullptr : texts[i].data();
            lengths[i] = texts[i].size();
            items[i] = missing[i] ? nullptr : &texts[i];
        }
        const Expected alone = ReadAlone(items, rule);
        ExpectSame(
            "pointers", 0, alone,
            ReadTextColumn(pointers.data(), lengths.data(), n, rule, {days.data(), layouts.data()}),
            days, layouts, items, rule);
        std::vector<std::int64_t> daysOnly(n);
        EXPECT_EQ(
            ReadTextColumn(pointers.data(), lengths.data(), n, rule, {daysOnly.data(), nullptr}),
            alone.dates);
        EXPECT_EQ(daysOnly, days);

        // Blocks of 1-byte and of UCS-4 characters, items cut to the width
        // and zero-padded (a missing item is empty); in the UCS-4 blocks a
        // few items have a character above 255, which makes them no date:
        // among them ones whose low bits are a digit or a blank, and ones
        // that are negative as 32-bit numbers.
        constexpr char32_t kWide[] = {0x100,   0x2013,      0x8000,      0x10030,
                                      0x12000, 0x7fff'0020, 0xffff'ff31, 0x8000'0000};
        for (std::size_t width = 1; width <= 20; width += width < 16 ? 1 : 4) {
            std::vector<std::string> cut(n);
            std::vector<unsigned char> bytes(n * width, 0);
            std::vector<char32_t> wide(n * width, 0);
            for (std::size_t i = 0; i < n; ++i) {
                cut[i] = missing[i] ? "" : texts[i].substr(0, width);
                for (std::size_t c = 0; c < cut[i].size(); ++c) {
                    bytes[i * width + c] = static_cast<unsigned char>(cut[i][c]);
                    wide[i * width + c] = static_cast<unsigned char>(cut[i][c]);
                }
                items[i] = &cut[i];
            }
            const auto stride = static_cast<std::ptrdiff_t>(width);
            const Expected cutAlone = ReadAlone(items, rule);
            ExpectSame("S", width, cutAlone,
                       ReadByteBlock({bytes.data(), width, stride}, n, rule,
                                     {days.data(), layouts.data()}),
                       days, layouts, items, rule);
            std::vector<const std::string*> wideItems = items;
            for (std::size_t i = 0; i < n; ++i)
                if (!cut[i].empty() && r.Chance(1)) {
                    // Within the text, or anywhere in the item: past the
                    // text it stands where trimming would take a byte.
                    const std::size_t at =
                        r.Below(static_cast<int>(r.Chance(50) ? cut[i].size() : width));
                    wide[i * width + at] = r.Pick(kWide);
                    wideItems[i] = nullptr;
                }
            ExpectSame("U", width, ReadAlone(wideItems, rule),
                       ReadUcs4Block(
                           {reinterpret_cast<const unsigned char*>(wide.data()), width, 4 * stride},
                           n, rule, {days.data(), layouts.data()}),
                       days, layouts, items, rule);
        }
    }
}

}  // namespace
}  // namespace kalcore
