// Feeds arbitrary texts, options, block shapes and capacities to the kal_
// interface (kalcore/dates.h): kal_parse, kal_parse_many (pointers and
// lengths), kal_parse_many_fixed (1- and 4-byte characters, odd widths and
// strides, negative ones too), kal_format with capacities 0..n and
// kal_format_many. Every buffer is allocated at exactly the size the call
// may touch, so AddressSanitizer reports any access beyond it; the checks
// hold the results to the header's contract, and each batch to what
// kal_parse says of its items one by one.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "kalcore/dates.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Takes parameters from the front of the input.
class Reader {
  public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() {
        if (size_ == 0) return 0;
        --size_;
        return *data_++;
    }
    const std::uint8_t* rest() const { return data_; }
    std::size_t rest_size() const { return size_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

kal_options OptionsFrom(Reader& in) {
    kal_options o = KAL_OPTIONS_INIT;
    const std::uint8_t policy = in.Byte();
    const std::uint8_t value = in.Byte();
    o.two_digit_years = policy % 3;
    o.window_start = 1000 + value * 35;         // 1000-9925: a few beyond 9900
    o.century = 9 + value % 92;                 // 9-100: either end out of range
    o.selector = static_cast<int>(value % 11);  // 0-10: 10 out of range
    o.flags = (policy & 0x10) ? KAL_KEYWORDS : 0;
    if ((policy & 0xE0) == 0xE0) o.flags |= 4;  // an unknown flag
    if ((policy & 0xE0) == 0xC0) o.size = 20;   // a size of another version
    return o;
}

bool OptionsValid(const kal_options& o) {
    if (o.size != sizeof(kal_options) || (o.flags & ~KAL_KEYWORDS) != 0) return false;
    if (o.two_digit_years == KAL_YEARS_WINDOW) return o.window_start <= 9900;
    if (o.two_digit_years == KAL_YEARS_CENTURY) return o.century >= 10 && o.century <= 99;
    return o.selector <= 9;
}

// kal_parse of one text held in a block of its own length.
int64_t ParseOne(const std::uint8_t* text, std::size_t length, const kal_options& o) {
    std::unique_ptr<char[]> copy(new char[length == 0 ? 1 : length]);
    if (length != 0) std::memcpy(copy.get(), text, length);
    kal_date d;
    const int32_t status = kal_parse(copy.get(), length, &o, &d);
    if (!OptionsValid(o)) {
        Require(status == KAL_E_OPTIONS);
        return KAL_NAT;
    }
    Require(status == KAL_OK || status == KAL_NO_DATE);
    if (status == KAL_NO_DATE) {
        Require(d.days == KAL_NAT && d.year == 0 && d.layout == 0);
        return KAL_NAT;
    }
    Require(d.year >= 1000 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 &&
            d.day <= 31 && d.layout > 0 && d.layout < 128 && d.reserved == 0);
    // The date writes and the length is told, at every capacity.
    const char code = static_cast<char>(d.layout > 32 ? d.layout : 'B');
    std::size_t needed = 0;
    Require(kal_format(d.year, d.month, d.day, code, nullptr, 0, &needed) == KAL_E_SPACE);
    Require(needed >= 6 && needed <= static_cast<std::size_t>(kal_format_width(code)));
    for (std::size_t capacity = 1; capacity <= needed + 1; ++capacity) {
        std::unique_ptr<char[]> out(new char[capacity]);
        std::size_t length2 = 0;
        const int32_t status2 =
            kal_format(d.year, d.month, d.day, code, out.get(), capacity, &length2);
        Require(length2 == needed);
        Require(status2 == (capacity > needed ? KAL_OK : KAL_E_SPACE));
        if (status2 == KAL_OK) Require(std::strlen(out.get()) == needed);
    }
    return d.days;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    const kal_options o = OptionsFrom(in);
    const std::uint8_t shape = in.Byte();
    const std::size_t charSize = (shape & 3) == 3 ? 2 : ((shape & 1) ? 4 : 1);  // 2: invalid
    const std::size_t width = in.Byte() % 24;
    const std::size_t gap = in.Byte() % 5;
    const bool reversed = (shape & 4) != 0;
    const char code = static_cast<char>(in.Byte());
    const std::uint8_t* text = in.rest();
    const std::size_t length = in.rest_size();

    // One text.
    const int64_t alone = ParseOne(text, length, o);

    // The same text over and over, each copy in a block of its own length: a
    // column of one layout, which the library reads in runs of one reading.
    {
        constexpr std::size_t kCopies = 40;
        std::vector<std::unique_ptr<char[]>> copies;
        std::vector<const char*> texts;
        std::vector<std::size_t> sizes(kCopies, length);
        for (std::size_t k = 0; k < kCopies; ++k) {
            copies.emplace_back(new char[length == 0 ? 1 : length]);
            if (length != 0) std::memcpy(copies.back().get(), text, length);
            texts.push_back(copies.back().get());
        }
        std::vector<int64_t> column(kCopies, 7);
        const int64_t read =
            kal_parse_many(texts.data(), sizes.data(), kCopies, &o, column.data(), nullptr);
        if (!OptionsValid(o)) {
            Require(read == KAL_E_OPTIONS);
        } else {
            for (const int64_t day : column) Require(day == alone);
            Require(read == (alone == KAL_NAT ? 0 : static_cast<int64_t>(kCopies)));
        }
    }

    // The same bytes as items of a fixed-width block, in a block of exactly
    // the bytes the items span.
    const std::size_t itemBytes = width * (charSize == 2 ? 1 : charSize);
    const std::size_t strideBytes = itemBytes + gap;
    const std::size_t n = strideBytes == 0 ? 3 : (length / strideBytes) + 1;
    const std::size_t span = (n - 1) * strideBytes + itemBytes;
    std::vector<std::uint8_t> block(span == 0 ? 1 : span);
    for (std::size_t i = 0; i < span; ++i) block[i] = length == 0 ? 0 : text[i % length];
    std::vector<int64_t> days(n, 7);
    std::vector<std::uint8_t> layouts(n, 7);
    const std::uint8_t* first = reversed ? block.data() + (n - 1) * strideBytes : block.data();
    const ptrdiff_t stride =
        reversed ? -static_cast<ptrdiff_t>(strideBytes) : static_cast<ptrdiff_t>(strideBytes);
    const int64_t read =
        kal_parse_many_fixed(first, n, charSize, width, stride, &o, days.data(), layouts.data());
    if (!OptionsValid(o)) {
        Require(read == KAL_E_OPTIONS && days[0] == 7);
    } else if (charSize == 2) {
        Require(read == KAL_E_SHAPE && days[0] == 7);
    } else {
        int64_t count = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint8_t* item = first + static_cast<ptrdiff_t>(i) * stride;
            // Each item as kal_parse reads it: 4-byte characters narrowed,
            // those above 255 making it no date.
            std::vector<std::uint8_t> narrow;
            bool wide = false;
            for (std::size_t c = 0; c < width; ++c) {
                std::uint32_t ch = item[c * charSize];
                if (charSize == 4) std::memcpy(&ch, item + c * 4, 4);
                if (ch > 255) wide = true;
                narrow.push_back(static_cast<std::uint8_t>(ch));
            }
            // A character above 255 is never trimmed, so it leaves no date.
            const int64_t one = wide ? KAL_NAT : ParseOne(narrow.data(), narrow.size(), o);
            Require(days[i] == one);
            Require((days[i] == KAL_NAT) == (layouts[i] == 0));
            count += days[i] != KAL_NAT;
        }
        Require(read == count);
    }

    // The bytes cut into texts given by pointer and length, each in a block
    // of its own.
    std::vector<std::unique_ptr<char[]>> owned;
    std::vector<const char*> pointers;
    std::vector<std::size_t> lengths;
    for (std::size_t at = 0; at < length;) {
        const std::size_t piece = std::min<std::size_t>(length - at, 1 + text[at] % 16);
        owned.emplace_back(new char[piece]);
        std::memcpy(owned.back().get(), text + at, piece);
        pointers.push_back((text[at] & 0x3F) == 0x3F ? nullptr : owned.back().get());
        lengths.push_back(piece);
        at += piece;
    }
    std::vector<int64_t> many(pointers.size() + 1, 7);
    // Every pointer must be given, even for no texts.
    pointers.reserve(1);
    lengths.reserve(1);
    const int64_t readMany =
        kal_parse_many(pointers.data(), lengths.data(), pointers.size(), &o, many.data(), nullptr);
    if (OptionsValid(o)) {
        int64_t count = 0;
        for (std::size_t i = 0; i < pointers.size(); ++i) {
            const int64_t one =
                pointers[i] == nullptr
                    ? KAL_NAT
                    : ParseOne(reinterpret_cast<const std::uint8_t*>(pointers[i]), lengths[i], o);
            Require(many[i] == one);
            count += one != KAL_NAT;
        }
        Require(readMany == count && many[pointers.size()] == 7);
    }

    // The dates read, and arbitrary day counts, written in a block of exactly
    // the size they need.
    many.resize(pointers.size());
    for (std::size_t i = 0; i + 8 <= length && many.size() < 64; i += 8) {
        int64_t value;
        std::memcpy(&value, text + i, 8);
        many.push_back(value % 4000000);
    }
    const int32_t longest = kal_format_width(code);
    const std::size_t outChars = charSize == 2 ? 2 : charSize;
    const std::size_t outWidth = width < 12 ? width : 12;
    std::vector<std::uint8_t> out(many.size() * outWidth * outChars + 1, 0xEE);
    const int64_t written = kal_format_many(many.data(), many.size(), code, out.data(), outChars,
                                            outWidth, static_cast<ptrdiff_t>(outWidth * outChars));
    if (longest < 0) {
        Require(written == KAL_E_CODE);
    } else if (outChars == 2) {
        Require(written == KAL_E_SHAPE);
    } else if (outWidth < static_cast<std::size_t>(longest)) {
        Require(written == KAL_E_SPACE);
    } else {
        Require(written >= 0 && written <= static_cast<int64_t>(many.size()));
    }
    Require(out.back() == 0xEE);
    return 0;
}
