#include "format/layouts.h"

#include <array>

#include "format/ascii.h"

namespace kalcore {

namespace {

constexpr std::array<std::uint8_t, 256> BuildIndexTable() {
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < kFormatCount; ++i)
        table[static_cast<unsigned char>(kLayouts[i].code)] = static_cast<std::uint8_t>(i + 1);
    return table;
}

constexpr std::array<std::uint8_t, 256> kIndexOf = BuildIndexTable();

// The layout of every byte taken as a format code in either case.
constexpr std::array<const FormatLayout*, 256> BuildEitherCaseTable() {
    std::array<const FormatLayout*, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        const int index =
            kIndexOf[static_cast<unsigned char>(ToUpperAscii(static_cast<char>(byte)))];
        table[byte] = index == 0 ? nullptr : &kLayouts[index - 1];
    }
    return table;
}

constexpr std::array<const FormatLayout*, 256> kLayoutOfEitherCase = BuildEitherCaseTable();

}  // namespace

int FormatIndex(char code) {
    return kIndexOf[static_cast<unsigned char>(code)];
}

const FormatLayout* LayoutFor(char code) {
    const int index = FormatIndex(code);
    return index == 0 ? nullptr : &kLayouts[index - 1];
}

const FormatLayout& WrittenLayout(const FormatLayout& layout, int month, int day) {
    return kLayouts[layout.writtenAs[WideFields(month, day)]];
}

const FormatLayout* LayoutForEitherCase(char code) {
    return kLayoutOfEitherCase[static_cast<unsigned char>(code)];
}

bool IsFormatCode(const char* text) {
    return text != nullptr && FormatIndex(ToUpperAscii(text[0])) != 0;
}

}  // namespace kalcore
