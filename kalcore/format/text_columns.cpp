#include "format/text_columns.h"

#include <array>
#include <bit>
#include <cstring>
#include <type_traits>
#include <utility>

#include "civil/civil_date.h"
#include "format/common_shapes.h"
#include "format/date_writer.h"
#include "platform/compiler.h"

// Texts are read, and UCS-4 columns widened, with SSE2 where the target has
// it (every x86-64, and i686 builds that ask for it: KALCORE_SCAN_SSE2);
// elsewhere one character at a time.

namespace kalcore {

namespace {

// Characters trimmed from both ends of a text: blanks, control characters
// and the values 128-255 (which the reader's own trimming treats alike).
constexpr bool IsTrimmed(std::uint32_t c) {
    return c <= 32 || (c >= 128 && c <= 255);
}

// The words below are put together for a machine that stores the lowest
// byte of a word first.
static_assert(std::endian::native == std::endian::little);

// The character sizes a column may have: 1 byte, or 4 (UCS-4, aligned or not).
struct Bytes {};
struct Ucs4 {};

// The reader's trimming of a byte: its value as a signed byte is 32 or less.
constexpr bool IsTrimmedByte(unsigned char c) {
    return static_cast<signed char>(c) <= 32;
}
static_assert(IsTrimmedByte(0) && IsTrimmedByte(' ') && IsTrimmedByte(0x80) &&
              IsTrimmedByte(0xff) && !IsTrimmedByte('!') && !IsTrimmedByte(0x7f));

// Up to 16 bytes as two words, the first byte lowest.
struct Words {
    std::uint64_t low, high;
};

// A word shifted down by `bytes` (0-8) bytes: in two equal steps, so that
// by 8 bytes it is shifted out whole (one shift by 64 bits would leave it as
// it is).
KALCORE_HOT_STEP std::uint64_t ShiftedDown(std::uint64_t word, std::size_t bytes) {
    const unsigned half = 4 * static_cast<unsigned>(bytes);
    return (word >> half) >> half;
}

// The `length` (1-16) bytes at `s`, zero past them: read with a few loads
// whose offsets depend only on the length, none outside the bytes.
KALCORE_HOT_STEP Words LoadWords(const unsigned char* s, std::size_t length) {
    std::uint64_t low, high = 0;
    if (length >= 8) {
        std::uint64_t tail;
        std::memcpy(&low, s, sizeof low);
        std::memcpy(&tail, s + length - 8, sizeof tail);
        // Bytes 8 to length - 1 (none for a length of 8).
        high = ShiftedDown(tail, 16 - length);
    } else if (length >= 4) {
        std::uint32_t head, tail;
        std::memcpy(&head, s, sizeof head);
        std::memcpy(&tail, s + length - 4, sizeof tail);
        low = head | std::uint64_t{tail} << (8 * (length - 4));
    } else {
        low = s[0] | std::uint64_t{s[length / 2]} << (8 * (length / 2)) |
              std::uint64_t{s[length - 1]} << (8 * (length - 1));
    }
    return {low, high};
}

// Stores two words as a 16-byte text, the first word first. With SSE2 in
// one store, so that the table's 16-byte load of the text is served from it
// rather than waiting for two stores to reach the cache.
KALCORE_HOT_STEP void StoreWords(const Words& words, ShapeText& text) {
#if KALCORE_SCAN_SSE2
    _mm_storeu_si128(
        reinterpret_cast<__m128i*>(text),
        _mm_set_epi64x(static_cast<long long>(words.high), static_cast<long long>(words.low)));
#else
    std::memcpy(text, &words.low, sizeof words.low);
    std::memcpy(text + sizeof words.low, &words.high, sizeof words.high);
#endif
}

// The characters that trimming keeps of `length` 1-byte characters at
// `text`, copied into a zero-filled 16-byte text: the kept characters are
// read with a few loads whose offsets depend only on their number, and
// stored as two words. A zero byte among them is left for the reader to
// find. The number of characters kept, 0 when none or more than 11 are.
KALCORE_HOT_STEP std::size_t CopyTrimmedBytes(const unsigned char* text, std::size_t length,
                                              ShapeText& copy) {
    std::size_t begin = 0, end = length;
    while (begin < end && IsTrimmedByte(text[begin])) ++begin;
    while (end > begin && IsTrimmedByte(text[end - 1])) --end;
    const std::size_t count = end - begin;
    if (count - 1 >= kMaxDateChars) return 0;  // none, or more than 11
    StoreWords(LoadWords(text + begin, count), copy);
    return count;
}

// Character i of a text of 4-byte (UCS-4) characters, aligned or not.
std::uint32_t Ucs4At(const unsigned char* text, std::size_t i) {
    std::uint32_t c;
    std::memcpy(&c, text + 4 * i, sizeof c);
    return c;
}

// Trims `length` UCS-4 characters at `text` and copies what is left into a
// zero-filled 16-byte text. The number of characters kept; 0 when nothing is
// left, more than 11 characters are, or one of them is a zero or lies above
// 255.
KALCORE_HOT_STEP std::size_t CopyTrimmedUcs4(const unsigned char* text, std::size_t length,
                                             ShapeText& copy) {
    std::size_t begin = 0, end = length;
    while (begin < end && IsTrimmed(Ucs4At(text, begin))) ++begin;
    while (end > begin && IsTrimmed(Ucs4At(text, end - 1))) --end;
    const std::size_t count = end - begin;
    if (count == 0 || count > kMaxDateChars) return 0;
    std::memset(copy, 0, sizeof(ShapeText));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t c = Ucs4At(text, begin + i);
        if (c == 0 || c > 255) return 0;
        copy[i] = static_cast<unsigned char>(c);
    }
    return count;
}

// True when a 16-byte text holds a digit. Every layout and form of a date
// has one; only the keywords have none.
KALCORE_HOT_STEP bool HasDigit(const ShapeText& text) {
#if KALCORE_SCAN_SSE2
    const __m128i digit =
        _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text)), _mm_set1_epi8('0'));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(digit, _mm_set1_epi8(9)), digit)) != 0;
#else
    for (const unsigned char c : text)
        if (c >= '0' && c <= '9') return true;
    return false;
#endif
}

// The reading rules of a column, with what the table of common shapes needs
// resolved once for all its texts.
struct ColumnRules {
    explicit ColumnRules(const ReadingRules& r)
        : rules(r), table(CenturiesOfRule(r.years, centuries)) {}

    const ReadingRules& rules;
    TwoDigitCenturies centuries{};
    bool table;  // the table may read dates: a window or a century rule
};

// The slot of no reading of the table.
inline constexpr std::uint16_t kNoSlot = shape_detail::kSlots.size();

// What a column keeps of an item: the days since 1970-01-01 of its date and
// its layout, or kNoDateDays and 0 when it is no date; and the slot of the
// table's reading it took when the table read it as it stands (a run of
// that reading may follow), else kNoSlot. Returned in registers, so that
// the table's dates and the full order's meet there.
struct ItemDate {
    std::int64_t days;
    std::uint8_t layout;
    std::uint16_t slot;

    static constexpr ItemDate None() { return {kNoDateDays, 0, kNoSlot}; }
    bool IsDate() const { return layout != 0; }  // every date has a layout
    static ItemDate Of(const CommonDate& date) {
        return {date.days, static_cast<std::uint8_t>(date.shape->layout), date.shape->slot};
    }
    static ItemDate OfTrimmed(const CommonDate& date) {
        return {date.days, static_cast<std::uint8_t>(date.shape->layout), kNoSlot};
    }
    static ItemDate Of(const DateReading& reading) {
        return {DaysOfTextDate(reading.date), static_cast<std::uint8_t>(reading.layout), kNoSlot};
    }
};

// What a single text gives back: the whole reading and its days.
struct ExactDate {
    bool date;
    DateReading reading;
    std::int64_t days;

    static ExactDate None() { return {false, {}, kNoDateDays}; }
    bool IsDate() const { return date; }
    static ExactDate Of(const CommonDate& date) { return {true, ReadingOf(date), date.days}; }
    static ExactDate OfTrimmed(const CommonDate& date) { return Of(date); }
    static ExactDate Of(const DateReading& reading) {
        return {true, reading, DaysOfTextDate(reading.date)};
    }
};

// Reads `length` characters of 1 or 4 bytes, trimmed at both ends: through
// the table when it settles the text, else in the reader's full order. The
// column loops call it for the texts the table does not settle at once. A
// text read here starts no run of its reading (runs read texts as they
// stand). `tried` tells that the table has already failed on the text as
// it stands: when nothing is trimmed before it, it fails on the trimmed
// copy too (the same characters in the same places, zeros for the trailing
// ones trimmed), and is not tried again.
template <typename Units, typename Result>
KALCORE_OUT_OF_LINE Result ReadTrimmed(const unsigned char* text, std::size_t length,
                                       const ColumnRules& column, bool tried) {
    ShapeText copy;
    std::size_t count;
    if constexpr (std::is_same_v<Units, Bytes>)
        count = CopyTrimmedBytes(text, length, copy);
    else
        count = CopyTrimmedUcs4(text, length, copy);
    // Without keywords, a text with no digit is no date: the common junk of
    // a column ("n/a", "none") is settled without the full order.
    if (count == 0 || (!column.rules.keywords && !HasDigit(copy))) return Result::None();
    bool leadingTrimmed;
    if constexpr (std::is_same_v<Units, Bytes>)
        leadingTrimmed = IsTrimmedByte(text[0]);
    else
        leadingTrimmed = IsTrimmed(Ucs4At(text, 0));
    CommonDate common;
    if (column.table && (!tried || leadingTrimmed) &&
        ReadCommonDate(copy, column.centuries, common))
        return Result::OfTrimmed(common);
    DateText full;
    std::memcpy(full, copy, sizeof full);
    DateReading reading;
    if (!ReadTrimmedDateByRule(full, count, column.rules.years, column.rules.keywords, reading))
        return Result::None();
    return Result::Of(reading);
}

// The readers of an item and of a text add to `misses` the items that are
// no date, which only the full-width reading finds, so that the table's
// dates are not counted one by one.
template <typename Units, typename Result>
KALCORE_HOT_STEP Result ReadTrimmedCounted(const unsigned char* text, std::size_t length,
                                           const ColumnRules& column, bool tried,
                                           std::size_t& misses) {
    const Result date = ReadTrimmed<Units, Result>(text, length, column, tried);
    misses += date.IsDate() ? 0 : 1;
    return date;
}

#if KALCORE_SCAN_SSE2
// A text is taken in the common case as its first 16 characters at once: a
// block's items are at least 16 characters wide in the common case (NumPy's
// S16 and U16), and a text given by pointer and length is copied whole when
// it has at most 16. These go straight to the table; what it does not
// settle (among them texts with characters to trim before them) is read as
// a text of its full length.

// Reads 16 characters through the table.
KALCORE_HOT_STEP bool ReadSixteen(__m128i characters, const ColumnRules& column, CommonDate& date) {
    ShapeText text;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(text), characters);
    return ReadCommonDate(text, column.centuries, date);
}

// The 16 characters of an item of a block, as bytes; false when one of the
// UCS-4 characters lies above 255 (such an item is no date, which reading
// it in full finds).
KALCORE_HOT_STEP bool LoadSixteen(const unsigned char* item, Bytes, __m128i& characters) {
    characters = _mm_loadu_si128(reinterpret_cast<const __m128i*>(item));
    return true;
}

KALCORE_HOT_STEP bool LoadSixteen(const unsigned char* item, Ucs4, __m128i& characters) {
    const auto at = [item](int i) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(item + 16 * i));
    };
    // Packed to 16 bits with signed saturation, a character keeps a high
    // byte of 0 exactly when it is 0-255; such characters then pack to bytes.
    const __m128i low = _mm_packs_epi32(at(0), at(1)), high = _mm_packs_epi32(at(2), at(3));
    const __m128i wide = _mm_srli_epi16(_mm_or_si128(low, high), 8);
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(wide, _mm_setzero_si128())) != 0xffff) return false;
    characters = _mm_packus_epi16(low, high);
    return true;
}

// The `length` (1-16) bytes of a text, zero-filled to 16. From 8 bytes on,
// in vector registers: the first 8 bytes, and the last 8 shifted down by
// the bytes they share with them (by all 8 for a text of 8, which a vector
// shift by 64 bits clears).
KALCORE_HOT_STEP __m128i LoadShort(const unsigned char* s, std::size_t length) {
    if (length >= 8) {
        const __m128i head = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s));
        const __m128i tail = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(s + length - 8));
        const __m128i shift = _mm_cvtsi32_si128(static_cast<int>(8 * (16 - length)));
        return _mm_unpacklo_epi64(head, _mm_srl_epi64(tail, shift));
    }
    const Words words = LoadWords(s, length);
    return _mm_set_epi64x(static_cast<long long>(words.high), static_cast<long long>(words.low));
}

// True when the characters of an item past its first 16 are all trimmed.
template <typename Units>
bool RestTrimmed(const unsigned char* item, std::size_t width) {
    for (std::size_t i = 16; i < width; ++i) {
        const bool trimmed =
            std::is_same_v<Units, Bytes> ? IsTrimmedByte(item[i]) : IsTrimmed(Ucs4At(item, i));
        if (!trimmed) return false;
    }
    return true;
}

// The first 16 characters of an item of a block, as bytes, zero-filled when
// it has fewer; false when it has none, when characters past them are not
// all trimmed, or (UCS-4) when one lies above 255. An item of UCS-4
// characters narrower than 16 is left to the full-width reading.
KALCORE_HOT_STEP bool LoadItem(const unsigned char* item, std::size_t width, Bytes,
                               __m128i& characters) {
    if (width < 16) {
        if (width == 0) return false;
        characters = LoadShort(item, width);
        return true;
    }
    return LoadSixteen(item, Bytes{}, characters) && RestTrimmed<Bytes>(item, width);
}

// Places the four bytes of `four` at byte `at` (0-12) of two words.
KALCORE_HOT_STEP void PlaceFour(std::uint32_t four, std::size_t at, Words& words) {
    if (at < 8) {
        words.low |= std::uint64_t{four} << (8 * at);
        // The bytes past the first word; none when all four fit in it.
        words.high |= ShiftedDown(four, 8 - at);
    } else {
        words.high |= std::uint64_t{four} << (8 * (at - 8));
    }
}

// The `width` (1-15) UCS-4 characters of a narrow item as bytes, zeros past
// them; false when one lies above 255. From four characters on, they are
// taken four at a time with 16-byte loads, the last four ending at the
// item's end (overlapping the ones before them, which writes the same
// bytes again).
KALCORE_HOT_STEP bool LoadNarrowUcs4(const unsigned char* item, std::size_t width, Words& words) {
    words = {0, 0};
    if (width < 4) {
        std::uint32_t all = 0;
        for (std::size_t c = 0; c < width; ++c) {
            const std::uint32_t character = Ucs4At(item, c);
            all |= character;
            words.low |= std::uint64_t{character & 0xff} << (8 * c);
        }
        return all <= 255;
    }
    const auto four = [item](std::size_t c) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(item + 4 * c));
    };
    // Each character 0-255 survives packing with saturation.
    const auto bytes = [](__m128i v) {
        const __m128i halves = _mm_packs_epi32(v, v);
        return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(halves, halves)));
    };
    const __m128i last = four(width - 4);
    __m128i all = last;
    for (std::size_t c = 0; c + 4 < width; c += 4) {
        const __m128i v = four(c);
        all = _mm_or_si128(all, v);
        PlaceFour(bytes(v), c, words);
    }
    PlaceFour(bytes(last), width - 4, words);
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(all, 8), _mm_setzero_si128())) ==
           0xffff;
}

KALCORE_HOT_STEP bool LoadItem(const unsigned char* item, std::size_t width, Ucs4,
                               __m128i& characters) {
    if (width < 16) {
        Words words;
        if (width == 0 || !LoadNarrowUcs4(item, width, words)) return false;
        characters =
            _mm_set_epi64x(static_cast<long long>(words.high), static_cast<long long>(words.low));
        return true;
    }
    return LoadSixteen(item, Ucs4{}, characters) && RestTrimmed<Ucs4>(item, width);
}

// The two words of 16 characters.
KALCORE_HOT_STEP Words WordsOf(__m128i characters) {
    Words words;
    shape_detail::SplitVector(characters, words.low, words.high);
    return words;
}

template <typename Units, bool Table>
KALCORE_HOT_STEP ItemDate ReadItem(const unsigned char* item, std::size_t width,
                                   const ColumnRules& column, std::size_t& misses) {
    __m128i characters;
    CommonDate common;
    const bool loaded = Table && LoadItem(item, width, Units{}, characters);
    if (loaded && ReadSixteen(characters, column, common)) return ItemDate::Of(common);
    return ReadTrimmedCounted<Units, ItemDate>(item, width, column, loaded, misses);
}

// A text given by pointer and length.
template <bool Table, typename Result = ItemDate>
KALCORE_HOT_STEP Result ReadText(const unsigned char* text, std::size_t length,
                                 const ColumnRules& column, std::size_t& misses) {
    CommonDate common;
    const bool loaded = Table && length - 1 < 16;
    if (loaded && ReadSixteen(LoadShort(text, length), column, common)) return Result::Of(common);
    return ReadTrimmedCounted<Bytes, Result>(text, length, column, loaded, misses);
}
#else
template <typename Units, bool Table>
KALCORE_HOT_STEP ItemDate ReadItem(const unsigned char* item, std::size_t width,
                                   const ColumnRules& column, std::size_t& misses) {
    return ReadTrimmedCounted<Units, ItemDate>(item, width, column, false, misses);
}

template <bool Table, typename Result = ItemDate>
KALCORE_HOT_STEP Result ReadText(const unsigned char* text, std::size_t length,
                                 const ColumnRules& column, std::size_t& misses) {
    return ReadTrimmedCounted<Bytes, Result>(text, length, column, false, misses);
}
#endif

#if KALCORE_SCAN_SSE2
// Runs of one reading. The texts of a column mostly share one layout: once
// the last two texts of a stretch have taken the same reading of the table,
// the texts after them are read in that reading alone (ReadInSlot), with
// the text's length, field positions and checks fixed in the code, until
// one is not of it; that one goes back to the table, and so on. A run reads
// only dates: every text it does not read as one ends it.

// Reads items from i on as long as they are dates of the table's slot
// `Slot`, each taken by Read<true>::RunWords; the index of the first item
// it does not read. The column's source, rules and outputs are copied, as
// in ReadItemByItem.
template <unsigned Slot, template <bool> class Read, typename Source>
std::size_t ReadRun(const Source& columnSource, std::size_t i, std::size_t n,
                    const TwoDigitCenturies& columnCenturies, const DayColumn& columnOut) {
    constexpr auto kLayout = static_cast<std::uint8_t>(shape_detail::kSlots[Slot].layout);
    const Source source = columnSource;
    const TwoDigitCenturies centuries = columnCenturies;
    const DayColumn out = columnOut;
    for (; i < n; ++i) {
        Words words;
        std::int64_t days;
        if (!Read<true>::template RunWords<kSlotLength<Slot>>(source, i, words) ||
            !ReadInSlot<Slot>(words.low, words.high, centuries, days))
            break;
        out.days[i] = days;
        if (out.layouts != nullptr) out.layouts[i] = kLayout;
    }
    return i;
}

template <typename Source>
using RunReader = std::size_t (*)(const Source&, std::size_t, std::size_t, const TwoDigitCenturies&,
                                  const DayColumn&);

// No run: the slots of no shape, those whose reading is read in runs in
// another slot, and kNoSlot.
template <typename Source>
std::size_t NoRun(const Source&, std::size_t i, std::size_t, const TwoDigitCenturies&,
                  const DayColumn&) {
    return i;
}

template <std::size_t Slot, template <bool> class Read, typename Source>
constexpr RunReader<Source> RunOf() {
    if constexpr (shape_detail::kSlots[Slot].key == shape_detail::NoShape().key ||
                  shape_detail::kSlots[Slot].slot != Slot)
        return &NoRun<Source>;
    else
        return &ReadRun<Slot, Read, Source>;
}

// The run reader of each slot, and of kNoSlot.
template <template <bool> class Read, typename Source, std::size_t... Slots>
constexpr std::array<RunReader<Source>, kNoSlot + 1> RunsOf(std::index_sequence<Slots...>) {
    return {RunOf<Slots, Read, Source>()..., &NoRun<Source>};
}

template <template <bool> class Read, typename Source>
inline constexpr std::array<RunReader<Source>, kNoSlot + 1> kRuns =
    RunsOf<Read, Source>(std::make_index_sequence<kNoSlot>());

inline constexpr bool kRunsOfSlots = true;
#else
inline constexpr bool kRunsOfSlots = false;
#endif

// What ReadItemByItem did: the index after the last item it read, the
// number of dates among its items, and the slot of the last item.
struct ItemsRead {
    std::size_t end, dates;
    unsigned slot;
};

// Reads items from i on with Read<Table>::Item, storing each, until the
// last two of a stretch of kStretch items have taken one slot of the table
// (never without it): checked once a stretch, so that mixed columns pay
// little for it. Out of line, so that the runs between its calls do not
// take the registers of its loop. The column's source, rules and outputs
// are copied, so that the stores into the outputs cannot change them and
// they stay in registers.
inline constexpr std::size_t kStretch = 16;

template <template <bool> class Read, bool Table, bool Layouts, typename Source>
KALCORE_OUT_OF_LINE ItemsRead ReadItemByItem(const Source& columnSource, std::size_t i,
                                             std::size_t n, const ColumnRules& columnRules,
                                             const DayColumn& columnOut) {
    const Source source = columnSource;
    const ColumnRules column = columnRules;
    const DayColumn out = columnOut;
    const std::size_t first = i;
    std::size_t misses = 0;
    const auto item = [&](std::size_t at) KALCORE_HOT_LAMBDA {
        const ItemDate date = Read<Table>::Item(source, at, column, misses);
        out.days[at] = date.days;
        if constexpr (Layouts) out.layouts[at] = date.layout;
        return date.slot;
    };
    if constexpr (Table && kRunsOfSlots) {
        // The last two items of a stretch apart, so that the loop over the
        // others keeps no slot.
        while (n - i >= kStretch) {
            for (const std::size_t end = i + kStretch - 2; i < end; ++i) item(i);
            const unsigned before = item(i);
            const unsigned slot = item(i + 1);
            i += 2;
            if (slot == before && slot != kNoSlot) return {i, i - first - misses, slot};
        }
    }
    for (; i < n; ++i) item(i);
    return {i, i - first - misses, kNoSlot};
}

// Reads the n items of a column: item by item, and in runs of one reading
// where the last two items of a stretch start one; the number of dates. Whether the
// table may read dates, and whether layouts are kept, is decided once for
// the column rather than for each item.
template <template <bool> class Read, typename Source>
std::size_t ReadColumn(const Source& source, std::size_t n, const ReadingRules& rules,
                       const DayColumn& out) {
    const ColumnRules column(rules);
    const auto run = [&]<bool Table, bool Layouts>() {
        std::size_t dates = 0;
        for (std::size_t i = 0; i < n;) {
            const ItemsRead read = ReadItemByItem<Read, Table, Layouts>(source, i, n, column, out);
            dates += read.dates;
            i = read.end;
#if KALCORE_SCAN_SSE2
            if constexpr (Table) {
                const std::size_t end =
                    kRuns<Read, Source>[read.slot](source, i, n, column.centuries, out);
                dates += end - i;
                i = end;
            }
#endif
        }
        return dates;
    };
    if (out.layouts == nullptr)
        return column.table ? run.template operator()<true, false>()
                            : run.template operator()<false, false>();
    return column.table ? run.template operator()<true, true>()
                        : run.template operator()<false, true>();
}

// The items of a block of 1-byte or 4-byte characters.
template <typename Units>
struct BlockItems {
    template <bool Table>
    struct Read {
        KALCORE_HOT_STEP static ItemDate Item(const TextBlock& block, std::size_t i,
                                              const ColumnRules& column, std::size_t& misses) {
            // Each item's address from the base: stepping past the last item
            // could leave the block, as a negative stride does at once.
            const unsigned char* item = block.base + static_cast<std::ptrdiff_t>(i) * block.stride;
            return ReadItem<Units, Table>(item, block.width, column, misses);
        }
#if KALCORE_SCAN_SSE2
        // An item's first 16 characters for a run of texts of `Length`.
        template <std::size_t Length>
        KALCORE_HOT_STEP static bool RunWords(const TextBlock& block, std::size_t i, Words& words) {
            const unsigned char* item = block.base + static_cast<std::ptrdiff_t>(i) * block.stride;
            __m128i characters;
            if (!LoadItem(item, block.width, Units{}, characters)) return false;
            words = WordsOf(characters);
            return true;
        }
#endif
    };
};

// A missing text: out of line, so that the loop does not hold the values of
// no date ready for it.
KALCORE_RARE_PATH ItemDate MissingText() {
    return ItemDate::None();
}

// Texts given as pointers and lengths; a null pointer is no date.
struct TextPointers {
    const char* const* texts;
    const std::size_t* lengths;
};

template <bool Table>
struct ReadPointedText {
    KALCORE_HOT_STEP static ItemDate Item(const TextPointers& source, std::size_t i,
                                          const ColumnRules& column, std::size_t& misses) {
        const char* text = source.texts[i];
        if (text == nullptr) {
            ++misses;
            return MissingText();
        }
        return ReadText<Table>(reinterpret_cast<const unsigned char*>(text), source.lengths[i],
                               column, misses);
    }
    // A text for a run of texts of `Length`: only a text of that length.
    template <std::size_t Length>
    KALCORE_HOT_STEP static bool RunWords(const TextPointers& source, std::size_t i, Words& words) {
        const char* text = source.texts[i];
        if (text == nullptr || source.lengths[i] != Length) return false;
        words = LoadWords(reinterpret_cast<const unsigned char*>(text), Length);
        return true;
    }
};

// Writes dates into a block, each text (zero-filled past its end) stored
// into its item by Stores; an item that is no date of the years 1000-9999
// gets zeros. The texts are written a chunk at a time into a buffer on the
// stack and then stored: two short loops, each of which the processor runs
// many items of at once. The block's shape is held in locals, which the
// stores into the items cannot change.
//
// Stores has Exact(item, text), which writes the item's bytes and none
// else, and, when kRunOnBytes is not 0, RunOn(item, text), which writes the
// item whole and runs on to kRunOnBytes bytes from its start. RunOn serves a
// block whose items follow one another without a gap, for each item whose
// run-on stays inside the block: the items it runs into are written after
// it.
template <typename Stores>
KALCORE_HOT_STEP std::size_t WriteBlock(const std::int64_t* days, std::size_t n,
                                        const FormatLayout& layout, const OutputBlock& out,
                                        const Stores& stores) {
    constexpr std::size_t kChunk = 64;
    unsigned char* const base = out.base;
    const std::ptrdiff_t stride = out.stride;
    const std::size_t itemBytes = stores.ItemBytes();
    // The items before runOnEnd take RunOn: those at least kRunOnBytes from
    // the end of a gapless block.
    std::size_t runOnEnd = 0;
    if (Stores::kRunOnBytes != 0 && itemBytes <= Stores::kRunOnBytes &&
        stride == static_cast<std::ptrdiff_t>(itemBytes)) {
        const std::size_t tailItems = (Stores::kRunOnBytes + itemBytes - 1) / itemBytes - 1;
        runOnEnd = n > tailItems ? n - tailItems : 0;
    }
    TextWords texts[kChunk];
    std::size_t written = 0;
    for (std::size_t first = 0; first < n; first += kChunk) {
        const std::size_t count = n - first < kChunk ? n - first : kChunk;
        written += WriteDayTexts(days + first, count, layout, texts);
        for (std::size_t i = 0; i < count; ++i) {
            // Each item's address from the base: stepping past the last item
            // could leave the block, as a negative stride does at once.
            unsigned char* item = base + static_cast<std::ptrdiff_t>(first + i) * stride;
            if (first + i < runOnEnd)
                stores.RunOn(item, texts[i]);
            else
                stores.Exact(item, texts[i]);
        }
    }
    return written;
}

// The stores of items of 1-byte characters. RunOn writes 16 bytes, the
// text's zeros past it included.
struct ByteStores {
    static constexpr std::size_t kRunOnBytes = 16;
    std::size_t width;

    std::size_t ItemBytes() const { return width; }
    KALCORE_HOT_STEP void Exact(unsigned char* item, const TextWords& text) const {
        if (width < kDateTextSize) {
            PutTextBytes(item, text, width);
            return;
        }
        std::memcpy(item, &text.low, sizeof text.low);
        std::memcpy(item + sizeof text.low, &text.high, sizeof text.high);
        if (width > kDateTextSize) std::memset(item + kDateTextSize, 0, width - kDateTextSize);
    }
    KALCORE_HOT_STEP void RunOn(unsigned char* item, const TextWords& text) const {
        const std::uint64_t high = text.high;
        std::memcpy(item, &text.low, sizeof text.low);
        std::memcpy(item + sizeof text.low, &high, sizeof high);
    }
};

// Every layout's texts have at least the 4 characters the stores of a
// column item below 12 characters write whole.
static_assert([] {
    for (const FormatLayout& layout : kLayouts)
        if (layout.length < 4) return false;
    return true;
}());

#if KALCORE_SCAN_SSE2

// Four characters as four UCS-4 characters: two unpackings with zero.
KALCORE_HOT_STEP __m128i WidenFour(std::uint32_t characters) {
    const __m128i zero = _mm_setzero_si128();
    return _mm_unpacklo_epi16(
        _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(characters)), zero), zero);
}

// A text's 12 bytes in the low three quarters of a vector.
KALCORE_HOT_STEP __m128i TextVector(const TextWords& text) {
    return _mm_set_epi32(0, static_cast<int>(text.high), static_cast<int>(text.low >> 32),
                         static_cast<int>(text.low));
}

// The 12 characters of a text as UCS-4 at `to`, 48 bytes.
KALCORE_HOT_STEP void PutUcs4Whole(unsigned char* to, const TextWords& text) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = TextVector(text);
    const __m128i first8 = _mm_unpacklo_epi8(bytes, zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi16(first8, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), _mm_unpackhi_epi16(first8, zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 32),
                     _mm_unpacklo_epi16(_mm_unpackhi_epi8(bytes, zero), zero));
}

// The first `width` characters of a text as UCS-4 at `to`, zeros past the
// 12 bytes: 16-byte stores of four characters, the last of them overlapping
// the one before when the width is no multiple of four.
KALCORE_HOT_STEP void PutUcs4(unsigned char* to, const TextWords& text, std::size_t width) {
    if (width >= kDateTextSize) {
        PutUcs4Whole(to, text);
        if (width > kDateTextSize) std::memset(to + 48, 0, 4 * (width - kDateTextSize));
        return;
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i first8 = _mm_unpacklo_epi8(TextVector(text), zero);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_unpacklo_epi16(first8, zero));
    std::uint32_t tail;  // characters width-4 to width-1
    if (width >= 8) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16), _mm_unpackhi_epi16(first8, zero));
        const std::uint64_t upper = std::uint64_t{text.high} << 32 | text.low >> 32;
        tail = static_cast<std::uint32_t>(upper >> (8 * (width - 8)));
    } else {
        tail = static_cast<std::uint32_t>(text.low >> (8 * (width - 4)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 4 * (width - 4)), WidenFour(tail));
}

// The stores of items of UCS-4 characters. RunOn writes all 12 characters.
struct Ucs4Stores {
    static constexpr std::size_t kRunOnBytes = 48;
    std::size_t width;

    std::size_t ItemBytes() const { return 4 * width; }
    KALCORE_HOT_STEP void Exact(unsigned char* item, const TextWords& text) const {
        PutUcs4(item, text, width);
    }
    KALCORE_HOT_STEP void RunOn(unsigned char* item, const TextWords& text) const {
        PutUcs4Whole(item, text);
    }
};
#else

// The first `width` characters of a text as UCS-4 at `to`, zeros past the
// 12 bytes, one character at a time.
void PutUcs4(unsigned char* to, const TextWords& text, std::size_t width) {
    unsigned char bytes[kDateTextSize];
    std::memcpy(bytes, &text.low, sizeof text.low);
    std::memcpy(bytes + sizeof text.low, &text.high, sizeof text.high);
    for (std::size_t c = 0; c < width; ++c) {
        const std::uint32_t wide = c < kDateTextSize ? bytes[c] : 0;
        std::memcpy(to + 4 * c, &wide, sizeof wide);
    }
}

// The stores of items of UCS-4 characters, each item exactly.
struct Ucs4Stores {
    static constexpr std::size_t kRunOnBytes = 0;
    std::size_t width;

    std::size_t ItemBytes() const { return 4 * width; }
    void Exact(unsigned char* item, const TextWords& text) const { PutUcs4(item, text, width); }
    void RunOn(unsigned char* item, const TextWords& text) const { PutUcs4(item, text, width); }
};
#endif

}  // namespace

bool ReadExactText(const char* chars, std::size_t length, const ReadingRules& rules,
                   DateReading& reading, std::int64_t& days) {
    const ColumnRules column(rules);
    const auto* text = reinterpret_cast<const unsigned char*>(chars);
    std::size_t misses = 0;
    const ExactDate read = column.table ? ReadText<true, ExactDate>(text, length, column, misses)
                                        : ReadText<false, ExactDate>(text, length, column, misses);
    if (!read.date) return false;
    reading = read.reading;
    days = read.days;
    return true;
}

bool ReadExactText(const char* chars, std::size_t length, const ReadingRules& rules,
                   DateReading& reading) {
    std::int64_t days;
    return ReadExactText(chars, length, rules, reading, days);
}

std::size_t ReadTextColumn(const char* const* texts, const std::size_t* lengths, std::size_t n,
                           const ReadingRules& rules, const DayColumn& out) {
    return ReadColumn<ReadPointedText>(TextPointers{texts, lengths}, n, rules, out);
}

std::size_t ReadByteBlock(const TextBlock& block, std::size_t n, const ReadingRules& rules,
                          const DayColumn& out) {
    return ReadColumn<BlockItems<Bytes>::Read>(block, n, rules, out);
}

std::size_t ReadUcs4Block(const TextBlock& block, std::size_t n, const ReadingRules& rules,
                          const DayColumn& out) {
    return ReadColumn<BlockItems<Ucs4>::Read>(block, n, rules, out);
}

int LongestText(const FormatLayout& layout) {
    int longest = 0;
    for (const std::uint8_t position : layout.writtenAs)
        if (kLayouts[position].length > longest) longest = kLayouts[position].length;
    return longest;
}

// A width below 12 gets the bounded stores of PutTextBytes; every layout's
// longest text has at least the 4 characters they need.
std::size_t WriteByteBlock(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out) {
    return WriteBlock(days, n, layout, out, ByteStores{out.width});
}

std::size_t WriteUcs4Block(const std::int64_t* days, std::size_t n, const FormatLayout& layout,
                           const OutputBlock& out) {
    return WriteBlock(days, n, layout, out, Ucs4Stores{out.width});
}

}  // namespace kalcore
