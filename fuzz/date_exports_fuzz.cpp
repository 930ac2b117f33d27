// Feeds arbitrary bytes, codes, selectors and switches to the date exports
// (KD_CONVDATE, KD_ISVDATE, day arithmetic, spelled-out dates, the sliding
// window).
// Every buffer is allocated at exactly the size the caller contract gives, so
// AddressSanitizer reports any read or write beyond it; the checks below hold
// the results to their contracts.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "kalcore.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Copies a date argument into a heap block of its own length: 11 bytes with
// no terminator when the text has 11 or more characters, else the text and a
// terminator.
std::unique_ptr<char[]> DateArgument(const std::uint8_t* data, std::size_t size) {
    const std::size_t n = size < 11 ? size : 11;
    std::unique_ptr<char[]> text(new char[size < 11 ? n + 1 : n]);
    std::memcpy(text.get(), data, n);
    if (size < 11) text[n] = '\0';
    return text;
}

std::size_t BoundedLength(const char* text) {
    return strnlen(text, 12);
}

// Output codes whose text the reader reads back to the same date (four-digit
// years, and no layout that a month-first or eight-digit reading would take).
bool ReadsBack(char code) {
    if (code >= 'a' && code <= 'z') code = static_cast<char>(code - 'a' + 'A');
    return code != '\0' && std::strchr("79ABFGHJKMORSTUVWXYZ*#@&$", code) != nullptr;
}

// True when MM/DD/CCYY names a day of the Gregorian calendar.
bool GregorianDate(const char* mmddccyy) {
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9})
        if (mmddccyy[i] < '0' || mmddccyy[i] > '9') return false;
    const auto number = [&](int pos, int digits) {
        int value = 0;
        for (int i = 0; i < digits; ++i) value = value * 10 + (mmddccyy[pos + i] - '0');
        return value;
    };
    const int month = number(0, 2), day = number(3, 2), year = number(6, 4);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr int kLength[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 1 && month <= 12 && day >= 1 &&
           day <= kLength[month - 1] + (month == 2 && leap ? 1 : 0);
}

}  // namespace

// The library's files go into a private home whose preferred format is B,
// so conversions that consult it still write a date that reads back.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static char home[] = "/tmp/kalcore-fuzz-XXXXXX";
    if (mkdtemp(home) == nullptr) std::abort();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(home, ignored);
    });
    setenv("HOME", home, 1);
    setenv("XDG_CONFIG_HOME", (std::string(home) + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (std::string(home) + "/data").c_str(), 1);
    unsetenv("HOLDYPATH");
    Require(KD_DTCVCREATEFILE("B") == 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const char codeChar = static_cast<char>(data[0]);
    const std::int32_t selector = static_cast<std::int32_t>(static_cast<std::int8_t>(data[1]));
    const std::int32_t useFile = data[2] & 1;
    data += 3;
    size -= 3;

    std::unique_ptr<char[]> input = DateArgument(data, size);
    std::unique_ptr<char[]> code(new char[1]);  // only the first character is read
    code[0] = codeChar;
    std::unique_ptr<char[]> output(new char[12]);
    std::memset(output.get(), 'x', 12);

    const std::int32_t converted =
        KD_CONVDATE(input.get(), output.get(), code.get(), useFile, selector);
    Require(converted == 0 || converted == 1);
    const std::size_t length = BoundedLength(output.get());
    Require(length <= 11);
    Require(converted == 1 ? length > 0 : length == 0);
    if (converted == 1) {
        // Reading the result back gives the same date as converting the input
        // straight to MM/DD/CCYY.
        char direct[12], again[12];
        Require(KD_CONVDATE(input.get(), direct, "B", useFile, selector) == 1);
        Require(BoundedLength(direct) == 10 && GregorianDate(direct));
        if (ReadsBack(codeChar)) {
            Require(KD_CONVDATE(output.get(), again, "B", 0, 0) == 1);
            Require(std::strcmp(direct, again) == 0);
        }
    }

    // Moving the date and counting back agree; the moved date fits 12 bytes.
    const std::int32_t shift = static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(static_cast<std::uint8_t>(codeChar)) << 24) |
        (static_cast<std::uint32_t>(static_cast<std::uint8_t>(selector)) << 16) | (size << 4));
    std::unique_ptr<char[]> moved(new char[12]);
    const std::int16_t added = KD_CMPTEADATE(shift, input.get(), moved.get());
    Require(added == 0 || added == 1);
    Require(BoundedLength(moved.get()) <= 11);
    if (added == 1) {
        std::int32_t days = 0;
        Require(KD_CMPTENUMDAYS(input.get(), moved.get(), &days) == 1);
        Require(days == shift);
    } else {
        Require(moved[0] == '\0');
    }

    std::unique_ptr<char[]> date(new char[12]);
    std::memset(date.get(), 0, 12);
    std::memcpy(date.get(), data, size < 11 ? size : 11);
    char before[12];
    std::memcpy(before, date.get(), 12);
    const std::int32_t valid = KD_ISVDATE(date.get());
    Require(valid == 0 || valid == 1);
    if (valid == 1) {
        Require(BoundedLength(date.get()) == 11);  // Mmm/DD/CCYY
        Require(date[3] == '/' && date[6] == '/');
    } else {
        Require(std::memcmp(before, date.get(), 12) == 0);
    }

    // The spelled-out date fits its 44 bytes and is empty exactly on failure.
    std::unique_ptr<char[]> full(new char[44]);
    std::memset(full.get(), 'x', 44);
    const std::int32_t s = static_cast<std::uint8_t>(codeChar);
    const std::int16_t spelled =
        KD_AFULLDATEFORMAT(input.get(), full.get(), code.get(), s & 3, (s >> 2) & 3, (s >> 4) & 3,
                           selector & 3, (selector >> 2) & 3);
    Require(spelled == 0 || spelled == 1);
    const std::size_t fullLength = strnlen(full.get(), 44);
    Require(fullLength <= 43);
    Require(spelled == 1 ? fullLength > 0 : fullLength == 0);

    // A date always lies in a window of at least one year that starts at it.
    std::int32_t inWindow = -1, direction = -1;
    const std::int32_t windowed =
        KD_SLIDINGWINDOWPROC(input.get(), shift, input.get(), &inWindow, &direction);
    Require(windowed == 0 || windowed == 1);
    if (windowed == 1) {
        Require(direction == (shift > 0) - (shift < 0));
        Require(inWindow == (shift != 0 ? 1 : 0));
    } else {
        Require(inWindow == 0 && direction == 0);
    }
    return 0;
}
