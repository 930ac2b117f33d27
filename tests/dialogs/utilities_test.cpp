#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "kalcore.h"

namespace {

TEST(UpperCaseString, ChangesOnlyAsciiLowerCaseLetters) {
    struct Case {
        const char* input;
        const char* want;
    };
    const Case cases[] = {
        {"Dec/06/98", "DEC/06/98"},
        {"", ""},
        {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
        {"ALREADY UPPER 123", "ALREADY UPPER 123"},
        {"`az{", "`AZ{"},  // the neighbours of a and z stay
        {"caf\xe9 \xe0 \xff", "CAF\xe9 \xe0 \xff"},
        {"yester7", "YESTER7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        char buffer[64];
        std::strcpy(buffer, c.input);
        EXPECT_EQ(UpperCaseString(buffer), 0);
        EXPECT_STREQ(buffer, c.want);
    }
}

TEST(UpperCaseString, StopsAtTheTerminatorAndSurvivesNull) {
    char buffer[8] = {'a', 'b', '\0', 'c', 'd', '\0', 0, 0};
    EXPECT_EQ(UpperCaseString(buffer), 0);
    EXPECT_EQ(std::string(buffer, 5), std::string("AB\0cd", 5));
    EXPECT_EQ(UpperCaseString(nullptr), 0);
}

TEST(DoubleInt, DoublesInPlaceWithSixteenBitWrapAround) {
    struct Case {
        int16_t before;
        int16_t after;
    };
    const Case cases[] = {
        {0, 0},       {1, 2},      {-1, -2},         {0x3FFF, 0x7FFE}, {0x4000, -32768},
        {0x7FFF, -2}, {-32768, 0}, {-16384, -32768}, {-16385, 32766},  {0x5555, -21846},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        int16_t value = c.before;
        EXPECT_EQ(DoubleInt(&value), &value);
        EXPECT_EQ(value, c.after);
    }
    EXPECT_EQ(DoubleInt(nullptr), nullptr);
}

TEST(DoubleInt2, DoublesWithThirtyTwoBitWrapAround) {
    struct Case {
        int32_t value;
        int32_t want;
    };
    const Case cases[] = {
        {0, 0},
        {21, 42},
        {-21, -42},
        {0x3FFFFFFF, 0x7FFFFFFE},
        {0x40000000, INT32_MIN},
        {INT32_MAX, -2},
        {INT32_MIN, 0},
        {-0x40000001, 0x7FFFFFFE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(DoubleInt2(c.value), c.want);
    }
}

TEST(ByteAndWordParts, SplitAtTheStatedBits) {
    struct WordCase {
        uint16_t word;
        uint16_t lo, hi;
    };
    const WordCase words[] = {
        {0x0000, 0x00, 0x00}, {0x1234, 0x34, 0x12}, {0xFFFF, 0xFF, 0xFF},
        {0x00FF, 0xFF, 0x00}, {0xFF00, 0x00, 0xFF}, {0x8001, 0x01, 0x80},
    };
    for (const WordCase& c : words) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(LoByte(c.word), c.lo);
        EXPECT_EQ(HiByte(c.word), c.hi);
    }
    struct LongCase {
        int32_t value;
        uint16_t lo, hi;
    };
    const LongCase longs[] = {
        {0, 0, 0},
        {-1, 65535, 65535},
        {65536, 0, 1},
        {65535, 65535, 0},
        {0x12345678, 0x5678, 0x1234},
        {INT32_MIN, 0, 0x8000},
        {INT32_MAX, 0xFFFF, 0x7FFF},
        {-65536, 0, 0xFFFF},
    };
    for (const LongCase& c : longs) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(LoWord(c.value), c.lo);
        EXPECT_EQ(HiWord(c.value), c.hi);
    }
}

TEST(MakeWordAndLong, UseOnlyTheLowBitsOfEachPart) {
    struct Case {
        int32_t low, high;
        uint16_t word;
        int32_t along;
    };
    const Case cases[] = {
        {0x1234, 0x56, 0x5634, 0x00561234},
        {0x12345, 0x6, 0x0645, 0x62345},
        {0, 0, 0, 0},
        {0xFF, 0xFF, 0xFFFF, 0x00FF00FF},
        {-1, -1, 0xFFFF, -1},
        {0x100, 0x100, 0x0000, 0x01000100},
        {0x7F, 0x80, 0x807F, 0x0080007F},
        {0xFFFF, 0x8000, 0x00FF, INT32_MIN + 0xFFFF},
        {INT32_MIN, INT32_MIN, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.low << "," << c.high);
        EXPECT_EQ(MakeWord(c.low, c.high), c.word);
        EXPECT_EQ(MakeLong(c.low, c.high), c.along);
    }
}

TEST(Shifts, UseTheLowWordAndTheLowFiveBitsOfTheCount) {
    struct Case {
        int32_t value, count;
        int32_t left;
        uint16_t right;
    };
    const Case cases[] = {
        {0xFFFF, 4, 0xFFFF0, 0x0FFF},
        {0xFFFF, 33, 0x1FFFE, 0x7FFF},  // count modulo 32
        {0xFFFF, 32, 0xFFFF, 0xFFFF},
        {0xFFFF, 0, 0xFFFF, 0xFFFF},
        {0x18000, 1, 0x10000, 0x4000},  // only the low 16 bits of the value
        {0xFFFF, 16, static_cast<int32_t>(0xFFFF0000u), 0},
        {0xFFFF, 31, INT32_MIN, 0},
        {0xFFFF, 15, 0x7FFF8000, 1},
        {1, -1, INT32_MIN, 0},  // -1 masks to 31
        {-1, 1, 0x1FFFE, 0x7FFF},
        {0x8000, 17, 0, 0},
        {0x12345678, 8, 0x567800, 0x56},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.value << " by " << c.count);
        EXPECT_EQ(ShiftLeft(c.value, c.count), c.left);
        EXPECT_EQ(ShiftRight(c.value, c.count), c.right);
    }
}

}  // namespace
