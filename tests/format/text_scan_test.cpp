// The one-pass scan of a date text: classes per position, the text length
// (up to the first terminator, at most 11) and the trimmed length, with the
// compare-all-at-once scan held to the byte-by-byte one.
#include "format/text_scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace kalcore {
namespace {

// A 12-byte text: the given bytes, then whatever `rest` says.
void Fill(DateText& text, const char* bytes, std::size_t n, char rest = '\0') {
    std::memset(text, rest, sizeof text);
    std::memcpy(text, bytes, n);
}

unsigned Positions(const char* marks) {
    unsigned bits = 0;
    for (int i = 0; marks[i] != '\0'; ++i)
        if (marks[i] == 'x') bits |= 1u << i;
    return bits;
}

TEST(TextScanTest, LengthsAndClasses) {
    struct Row {
        const char* bytes;
        std::size_t n;  // bytes given; the rest of the 12 is `rest`
        char rest;
        int length, trimmedLength;
        const char *digits, *letters, *separators;
    };
    const Row rows[] = {
        {"12/31/1998", 10, '\0', 10, 10, "xx_xx_xxxx", "", "__x__x"},
        {"Dec-5.98", 8, '\0', 8, 8, "____x_xx", "xxx", "___x"},
        {"12/31/98 \t", 10, '\0', 10, 8, "xx_xx_xx", "", "__x__x"},
        {"12/31/98\x80\xff", 10, '\0', 10, 8, "xx_xx_xx", "", "__x__x"},
        {"   ", 3, '\0', 3, 3, "", "", ""},
        {"", 0, '\0', 0, 0, "", "", ""},
        // Bytes after the terminator are no part of the text.
        {"7-4\0", 4, '9', 3, 3, "x_x", "", "_x"},
        {"ab\0cd", 5, 'z', 2, 2, "", "xx", ""},
        // Eleven characters and a twelfth byte that is not read.
        {"12345678901", 11, '5', 11, 11, "xxxxxxxxxxx", "", ""},
        {"Jul 4 1998 ", 11, 'x', 11, 10, "____x_xxxx", "xxx", ""},
        // A leading blank stays; '.' and '@' are neither letters nor separators.
        {" 1/02/98", 8, '\0', 8, 8, "_x_xx_xx", "", "__x__x"},
        {"@[`{.Zaz", 8, '\0', 8, 8, "", "_____xxx", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.bytes);
        DateText text;
        Fill(text, r.bytes, r.n, r.rest);
        const TextScan scan = ScanText(text);
        EXPECT_EQ(scan.length, r.length);
        EXPECT_EQ(scan.trimmedLength, r.trimmedLength);
        EXPECT_EQ(LaneOf(scan.classes, kDigitLane), Positions(r.digits));
        EXPECT_EQ(LaneOf(scan.classes, kLetterLane), Positions(r.letters));
        EXPECT_EQ(LaneOf(scan.classes, kSeparatorLane), Positions(r.separators));
        EXPECT_EQ(LaneOf(scan.classes, kPresentLane), (1u << r.length) - 1);
    }
}

TEST(TextScanTest, LayoutMasks) {
    DateText text;
    Fill(text, "Dec/31/98", 9);
    const std::uint64_t classes = ScanText(text).classes;
    const auto fits = [&](std::uint64_t layout) { return (classes & layout) == layout; };
    EXPECT_TRUE(fits(Layout("aaas__sdd")));
    EXPECT_TRUE(fits(Layout("aaasddsdd")));
    EXPECT_FALSE(fits(Layout("aaas__sddd")));  // nothing at position 9
    EXPECT_FALSE(fits(Layout("d")));
    EXPECT_FALSE(fits(Layout("___a")));
}

// Every byte value at every position, between texts of each kind, gives the
// same scan both ways.
TEST(TextScanTest, BothScansAgreeOnEveryByteAtEveryPosition) {
    const char* const bases[] = {"12/31/1998x", "Dec-31-1998", "           ", "a\t\x80-/.0z Z9"};
    for (const char* base : bases) {
        for (int pos = 0; pos < static_cast<int>(kDateTextSize); ++pos) {
            for (int byte = 0; byte < 256; ++byte) {
                DateText text;
                std::memcpy(text, base, sizeof text);
                text[pos] = static_cast<char>(byte);
                const TextScan a = ScanText(text);
                const TextScan b = ScanTextPortable(text);
                ASSERT_EQ(a.classes, b.classes) << base << " pos " << pos << " byte " << byte;
                ASSERT_EQ(a.length, b.length);
                ASSERT_EQ(a.trimmedLength, b.trimmedLength);
            }
        }
    }
}

TEST(TextScanTest, BothScansAgreeOnRandomTexts) {
    std::mt19937 random(20261206);
    const char alphabet[] = "0123456789/-. aZ\t\x80\xff";
    for (int n = 0; n < 200000; ++n) {
        DateText text;
        for (char& c : text)
            c = (random() % 4 == 0) ? static_cast<char>(random() % 256)
                                    : alphabet[random() % (sizeof alphabet - 1)];
        const TextScan a = ScanText(text);
        const TextScan b = ScanTextPortable(text);
        ASSERT_EQ(a.classes, b.classes);
        ASSERT_EQ(a.length, b.length);
        ASSERT_EQ(a.trimmedLength, b.trimmedLength);
    }
}

}  // namespace
}  // namespace kalcore
