// Cases run through the library's exports as a foreign caller sees them; the
// Linux ABI tests (dlopen) and the Windows test program (LoadLibrary) share
// them.
#pragma once

#include <climits>
#include <cstdint>

// The calling convention of the exports as the includer binds them.
#ifndef KALCORE_ABI_CALL
#define KALCORE_ABI_CALL
#endif

namespace kalcore::abi_cases {

// KD_CONVDATE(input, output, code, 0, selector).
struct ConvertCase {
    const char* input;
    const char* code;
    int32_t selector;
    int32_t result;
    const char* output;
};
inline constexpr ConvertCase kConvertCases[] = {
    {"07/04/1998", "E", 0, 1, "19980704"},
    {"07/04/1998", "e", 0, 1, "19980704"},
    {"1998/Jul/04", "6", 0, 1, "04-Jul-98  "},
    {"Jul-4-98", "G", 4, 1, "1998-07-04"},
    {"12/31/1998", "B", 5, 1, "12/31/2098"},
    {"12/25/1998", "{", 0, 1, "25/12/1998"},
    {"12/31/1998 xyz", "B", 0, 1, "12/31/1998"},
    {"12/31/1998xyz", "B", 0, 0, ""},
    {"02/29/1900", "B", 0, 0, ""},
    {"07/04/1998", "0", 0, 0, ""},
    {"07/04/1998", "", 0, 0, ""},
    {"02/30/1998", "B", 0, 0, ""},
    {"07/04/1998", "B", -1, 0, ""},
    {"07/04/1998", "B", 10, 0, ""},
    {"07/04/1998", "B", INT_MIN, 0, ""},
    {"07/04/1998", "B", INT_MAX, 0, ""},
    {"\x80\xff\x01\x1f", "B", 0, 0, ""},
    {"12/31/98\x80\xff", "B", 4, 1, "12/31/1998"},
    {"\t\t\t\t\t\t\t\t\t\t\t", "B", 0, 0, ""},
    {"Dec/31/\xe9\xe9", "B", 0, 0, ""},
    {"\xff\xff/31/1998", "K", 0, 0, ""},
};

// KD_ISVDATE(buffer): the buffer after the call.
struct ValidateCase {
    const char* input;
    int32_t result;
    const char* after;
};
inline constexpr ValidateCase kValidateCases[] = {
    {"12/31/1998  ", 1, "Dec/31/1998"}, {"1998-12-31", 1, "Dec/31/1998"},
    {"02/30/1998", 0, "02/30/1998"},    {"", 0, ""},
    {"hello world", 0, "hello world"},
};

// UpperCaseString(buffer).
struct UpperCaseCase {
    const char* input;
    const char* after;
};
inline constexpr UpperCaseCase kUpperCaseCases[] = {
    {"Dec/06/98", "DEC/06/98"},
    {"", ""},
    {"abc xyz `{", "ABC XYZ `{"},
    {"caf\xe9\xff", "CAF\xe9\xff"},
};

// DoubleInt(&value).
struct DoubleIntCase {
    int16_t before, after;
};
inline constexpr DoubleIntCase kDoubleIntCases[] = {
    {1, 2}, {0x4000, -32768}, {0x7FFF, -2}, {-32768, 0}, {-1, -2},
};

// A function of one or two 32-bit arguments and its result, widened to 32
// bits as the caller reads it (16-bit results are zero-extended words).
enum class Utility {
    kDoubleInt2,
    kLoByte,
    kHiByte,
    kLoWord,
    kHiWord,
    kMakeWord,
    kMakeLong,
    kShiftLeft,
    kShiftRight
};
struct UtilityCase {
    Utility fn;
    int32_t a, b;
    int32_t want;
};
inline constexpr UtilityCase kUtilityCases[] = {
    {Utility::kDoubleInt2, 0x40000000, 0, INT32_MIN},
    {Utility::kDoubleInt2, INT32_MAX, 0, -2},
    {Utility::kDoubleInt2, -21, 0, -42},
    {Utility::kLoByte, 0x1234, 0, 0x34},
    {Utility::kHiByte, 0x1234, 0, 0x12},
    {Utility::kHiByte, 0xFFFF, 0, 0xFF},
    {Utility::kLoWord, 65536, 0, 0},
    {Utility::kLoWord, 0x12345678, 0, 0x5678},
    {Utility::kHiWord, -1, 0, 65535},
    {Utility::kHiWord, INT32_MIN, 0, 0x8000},
    {Utility::kMakeWord, 0x1234, 0x56, 0x5634},
    {Utility::kMakeWord, -1, -1, 0xFFFF},
    {Utility::kMakeLong, 0x12345, 0x6, 0x62345},
    {Utility::kMakeLong, 0xFFFF, 0x8000, INT32_MIN + 0xFFFF},
    {Utility::kShiftLeft, 0xFFFF, 4, 0xFFFF0},
    {Utility::kShiftLeft, 0xFFFF, 33, 0x1FFFE},
    {Utility::kShiftLeft, 0xFFFF, 31, INT32_MIN},
    {Utility::kShiftRight, 0x18000, 1, 0x4000},
    {Utility::kShiftRight, 0xFFFF, 36, 0x0FFF},
    {Utility::kShiftRight, 0xFFFF, 16, 0},
};

inline constexpr const char* UtilityName(Utility fn) {
    switch (fn) {
        case Utility::kDoubleInt2:
            return "DoubleInt2";
        case Utility::kLoByte:
            return "LoByte";
        case Utility::kHiByte:
            return "HiByte";
        case Utility::kLoWord:
            return "LoWord";
        case Utility::kHiWord:
            return "HiWord";
        case Utility::kMakeWord:
            return "MakeWord";
        case Utility::kMakeLong:
            return "MakeLong";
        case Utility::kShiftLeft:
            return "ShiftLeft";
        case Utility::kShiftRight:
            return "ShiftRight";
    }
    return "";
}

// Calls the utility of a case, resolved by name through `resolve` (a
// callable taking the export name and returning its address, or nullptr),
// with the signature the library declares. `found` is false when the name
// did not resolve.
template <typename Resolve>
int32_t CallUtility(Resolve resolve, const UtilityCase& c, bool& found) {
    using Word1 = uint16_t(KALCORE_ABI_CALL*)(uint16_t);
    using WordOfLong = uint16_t(KALCORE_ABI_CALL*)(int32_t);
    using LongOfLong = int32_t(KALCORE_ABI_CALL*)(int32_t);
    using WordOf2 = uint16_t(KALCORE_ABI_CALL*)(int32_t, int32_t);
    using LongOf2 = int32_t(KALCORE_ABI_CALL*)(int32_t, int32_t);
    void* address = resolve(UtilityName(c.fn));
    found = address != nullptr;
    if (!found) return 0;
    switch (c.fn) {
        case Utility::kDoubleInt2:
            return reinterpret_cast<LongOfLong>(address)(c.a);
        case Utility::kLoByte:
        case Utility::kHiByte:
            return reinterpret_cast<Word1>(address)(static_cast<uint16_t>(c.a));
        case Utility::kLoWord:
        case Utility::kHiWord:
            return reinterpret_cast<WordOfLong>(address)(c.a);
        case Utility::kMakeWord:
        case Utility::kShiftRight:
            return reinterpret_cast<WordOf2>(address)(c.a, c.b);
        case Utility::kMakeLong:
        case Utility::kShiftLeft:
            return reinterpret_cast<LongOf2>(address)(c.a, c.b);
    }
    return 0;
}

}  // namespace kalcore::abi_cases
