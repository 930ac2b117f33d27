// The bounded copy of a caller's date text: the first min(length, 11)
// characters, zero-filled to 12 bytes, for every length and every position of
// the text within an aligned block, whatever follows its terminator.
#include "exports/conventions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace kalcore {
namespace {

TEST(CopyDateArgumentTest, CopiesAtMostElevenCharactersAtEveryAlignment) {
    const std::string source = "12/31/1998-Dec#";
    for (std::size_t length = 0; length <= source.size(); ++length) {
        for (std::size_t offset = 0; offset < 16; ++offset) {
            for (const char fill : {'\0', 'x', '\xff'}) {
                SCOPED_TRACE("length " + std::to_string(length) + " offset " +
                             std::to_string(offset) + " fill " + std::to_string(fill));
                alignas(16) char buffer[48];
                std::memset(buffer, fill, sizeof buffer);
                char* text = buffer + offset;
                std::memcpy(text, source.data(), length);
                text[length] = '\0';

                DateText copy;
                std::memset(copy, '?', sizeof copy);
                CopyDateArgument(text, copy);

                const std::size_t kept = length < kMaxDateChars ? length : kMaxDateChars;
                char expected[kDateTextSize] = {};
                std::memcpy(expected, source.data(), kept);
                EXPECT_EQ(std::memcmp(copy, expected, sizeof copy), 0)
                    << "copy \"" << std::string(copy, kept) << "\"";
            }
        }
    }
}

TEST(CopyDateArgumentTest, StopsAtTheFirstTerminator) {
    alignas(16) char buffer[32] =
        "12/31\0"
        "1998";
    for (std::size_t offset = 0; offset < 8; ++offset) {
        alignas(16) char shifted[48] = {};
        std::memcpy(shifted + offset, buffer, sizeof buffer);
        DateText copy;
        CopyDateArgument(shifted + offset, copy);
        const char expected[kDateTextSize] = "12/31";
        EXPECT_EQ(std::memcmp(copy, expected, sizeof copy), 0) << "offset " << offset;
    }
}

// A date buffer is read 11 bytes at once and cut by masks: it must give the
// bounded copy's result for every length, whatever the bytes after the
// terminator hold, and read nothing past its 11th byte (a heap block of
// exactly 11 bytes, checked in the address-checked build).
TEST(CopyDateBufferTest, CutsAtTheFirstZeroLikeTheBoundedCopy) {
    const char source[] = "12/31/1998-";
    for (std::size_t length = 0; length <= kMaxDateChars; ++length) {
        for (const char fill : {'\0', '\x01', 'x', '\x80', '\xff'}) {
            SCOPED_TRACE("length " + std::to_string(length) + " fill " + std::to_string(fill));
            const auto buffer = std::make_unique<char[]>(kMaxDateChars);
            std::memset(buffer.get(), fill, kMaxDateChars);
            std::memcpy(buffer.get(), source, length);
            if (length < kMaxDateChars) buffer[length] = '\0';

            DateText lent, bounded;
            std::memset(lent, '?', sizeof lent);
            CopyDateBuffer(buffer.get(), lent);
            CopyDateArgument(buffer.get(), bounded);
            EXPECT_EQ(std::memcmp(lent, bounded, sizeof lent), 0);
        }
    }
}

TEST(CopyDateArgumentTest, NullTextGivesAnEmptyCopy) {
    DateText copy;
    std::memset(copy, '?', sizeof copy);
    CopyDateArgument(nullptr, copy);
    const DateText empty = {};
    EXPECT_EQ(std::memcmp(copy, empty, sizeof copy), 0);
}

}  // namespace
}  // namespace kalcore
