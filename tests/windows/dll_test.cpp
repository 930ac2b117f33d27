// Calls kalcore.dll the way a Windows program binds it: LoadLibraryA, then
// GetProcAddress by each plain export name, through pointers declared with
// the library's calling convention. On 32-bit x86 every call also checks
// that the callee removed its own arguments (stdcall).
//   kalcore_dll_test <kalcore.def> [--headless]
// With --headless (no display, as under Wine in CI) the dialog exports are
// called too: the boxes return at once and the dialogs cannot be created.
// Prints "N passed, N failed"; exits non-zero on any failure.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#define KALCORE_ABI_CALL WINAPI
#include "abi/abi_cases.h"
#include "kalcore/dates.h"
#include "windows/check.h"

namespace {

using namespace kalcore::abi_cases;

using kalcore::windows_test::Check;

// Calls `fn` and checks on 32-bit x86 that the stack pointer is where it was:
// the compiler re-reserves the bytes a stdcall callee pops, so a callee that
// left its arguments behind shows up as a moved stack pointer.
template <typename Fn, typename... Args>
auto Call(const char* name, Fn fn, Args... args) {
#if defined(__i386__)
    uintptr_t before = 0, after = 0;
    __asm__ volatile("movl %%esp, %0" : "=r"(before));
    auto result = fn(args...);
    __asm__ volatile("movl %%esp, %0" : "=r"(after));
    Check(before == after, std::string(name) + " left the stack moved");
    return result;
#else
    (void)name;
    return fn(args...);
#endif
}

HMODULE g_library = nullptr;

template <typename Fn>
Fn Resolve(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(g_library, name)));
}

constexpr unsigned char kGuard = 0xA5;

// 12 bytes (or `Size`) with guard bytes on both sides.
template <std::size_t Size = 12>
struct Guarded {
    unsigned char bytes[16 + Size + 16];
    explicit Guarded(const char* initial = "") {
        std::memset(bytes, kGuard, sizeof bytes);
        std::memset(data(), 0, Size);
        std::memcpy(data(), initial, strnlen(initial, Size - 1));
    }
    char* data() { return reinterpret_cast<char*>(bytes + 16); }
    bool Intact() const {
        for (int i = 0; i < 16; ++i)
            if (bytes[i] != kGuard || bytes[16 + Size + i] != kGuard) return false;
        return true;
    }
};

// Every name of the export list resolves.
void ResolvesEveryExport(const char* defPath) {
    FILE* def = std::fopen(defPath, "r");
    Check(def != nullptr, std::string("open ") + defPath);
    if (def == nullptr) return;
    char line[256];
    int names = 0;
    while (std::fgets(line, sizeof line, def) != nullptr) {
        if (line[0] != ' ' && line[0] != '\t') continue;
        char name[128];
        if (std::sscanf(line, " %127s", name) != 1) continue;
        ++names;
        Check(GetProcAddress(g_library, name) != nullptr, std::string("resolve ") + name);
    }
    std::fclose(def);
    Check(names > 40, "export list read");
}

void ConvertsAndValidates() {
    using ConvDate = int32_t(WINAPI*)(const char*, char*, const char*, int32_t, int32_t);
    using IsvDate = int32_t(WINAPI*)(char*);
    const auto conv = Resolve<ConvDate>("KD_CONVDATE");
    const auto isv = Resolve<IsvDate>("KD_ISVDATE");
    if (conv == nullptr || isv == nullptr) return Check(false, "KD_CONVDATE / KD_ISVDATE");
    for (const ConvertCase& c : kConvertCases) {
        Guarded<> out("stale-text!");
        const int32_t r = Call("KD_CONVDATE", conv, c.input, out.data(), c.code, 0, c.selector);
        Check(r == c.result && std::strcmp(out.data(), c.output) == 0 && out.Intact(),
              std::string("KD_CONVDATE ") + c.input + " " + c.code + " -> " + out.data());
    }
    for (const ValidateCase& c : kValidateCases) {
        Guarded<> buffer;
        std::memcpy(buffer.data(), c.input, std::strlen(c.input) < 12 ? std::strlen(c.input) : 12);
        const int32_t r = Call("KD_ISVDATE", isv, buffer.data());
        Check(r == c.result && std::strcmp(buffer.data(), c.after) == 0 && buffer.Intact(),
              std::string("KD_ISVDATE ") + c.input + " -> " + buffer.data());
    }
}

void CalendarExports() {
    const auto count =
        Resolve<int32_t(WINAPI*)(const char*, const char*, int32_t*)>("KD_CMPTENUMDAYS");
    const auto add = Resolve<int16_t(WINAPI*)(int32_t, const char*, char*)>("KD_CMPTEADATE");
    const auto dayName = Resolve<int16_t(WINAPI*)(const char*, char*)>("KD_CDOW");
    const auto julian = Resolve<int32_t(WINAPI*)(const char*, char*)>("KD_JULIANDATE");
    const auto serialDay = Resolve<int16_t(WINAPI*)(char*, int32_t, int32_t*)>("KD_CNTRYDAY");
    const auto lapse = Resolve<int32_t(WINAPI*)(const char*, const char*, int32_t*, int32_t*,
                                                int32_t*, int32_t*, int32_t*)>("KD_DATELAPSE");
    if (!count || !add || !dayName || !julian || !serialDay || !lapse)
        return Check(false, "calendar exports resolve");

    int32_t days = 0;
    Check(Call("KD_CMPTENUMDAYS", count, "01/01/1999", "01/01/2000", &days) == 1 && days == 365,
          "KD_CMPTENUMDAYS");
    Guarded<> moved;
    Check(Call("KD_CMPTEADATE", add, 1, "12/31/1999", moved.data()) == 1 &&
              std::strcmp(moved.data(), "01/01/2000") == 0 && moved.Intact(),
          "KD_CMPTEADATE");
    Guarded<10> name;
    Check(Call("KD_CDOW", dayName, "02/29/2000", name.data()) == 1 &&
              std::strcmp(name.data(), "Tuesday") == 0 && name.Intact(),
          "KD_CDOW");
    Guarded<8> ordinal;
    Check(Call("KD_JULIANDATE", julian, "12/31/1998", ordinal.data()) == 1 &&
              std::strcmp(ordinal.data(), "1998365") == 0 && ordinal.Intact(),
          "KD_JULIANDATE");
    Guarded<> date("12/31/1998");
    int32_t serial = 0;
    Check(Call("KD_CNTRYDAY", serialDay, date.data(), 1, &serial) == 1 && serial == 730134,
          "KD_CNTRYDAY");
    int32_t v[5] = {0, 0, 0, 0, 0};
    Check(Call("KD_DATELAPSE", lapse, "09/24/1990", "03/31/1993", &v[0], &v[1], &v[2], &v[3],
               &v[4]) == 1 &&
              v[0] == 2 && v[1] == 6 && v[2] == 1 && v[3] == 0 && v[4] == 0,
          "KD_DATELAPSE");
}

// The kal_ exports through the pointer types of their header's declarations
// (stdcall on 32-bit x86): each checks that the callee removed its arguments,
// including the 64-bit and pointer-sized ones, and wrote within its buffers.
void DateColumnExports() {
    const auto init = Resolve<decltype(&kal_options_init)>("kal_options_init");
    const auto parse = Resolve<decltype(&kal_parse)>("kal_parse");
    const auto format = Resolve<decltype(&kal_format)>("kal_format");
    const auto width = Resolve<decltype(&kal_format_width)>("kal_format_width");
    const auto many = Resolve<decltype(&kal_parse_many)>("kal_parse_many");
    const auto fixed = Resolve<decltype(&kal_parse_many_fixed)>("kal_parse_many_fixed");
    const auto formatMany = Resolve<decltype(&kal_format_many)>("kal_format_many");
    const auto status = Resolve<decltype(&kal_status_text)>("kal_status_text");
    if (!init || !parse || !format || !width || !many || !fixed || !formatMany || !status)
        return Check(false, "kal_ exports resolve");

    kal_options options;
    Check(Call("kal_options_init", init, &options) == KAL_OK, "kal_options_init");
    kal_date date{};
    Check(Call("kal_parse", parse, "  Dec/31/49 ", size_t{12}, &options, &date) == KAL_OK &&
              date.year == 2049 && date.layout == 'L' && date.days == 29219,
          "kal_parse Dec/31/49");
    Check(
        Call("kal_parse", parse, "12/31/1998 10:30", size_t{16}, &options, &date) == KAL_NO_DATE &&
            date.days == KAL_NAT,
        "kal_parse refuses a text longer than its layout");
    Guarded<> text;
    size_t length = 0;
    Check(
        Call("kal_format", format, 2003, 5, 12, '@', text.data(), size_t{12}, &length) == KAL_OK &&
            std::strcmp(text.data(), "5-12-2003") == 0 && length == 9 && text.Intact(),
        "kal_format @");
    Check(Call("kal_format_width", width, '6') == 11, "kal_format_width 6");

    const char* texts[3] = {"12/31/98", "1998-12-31", "junk"};
    const size_t lengths[3] = {8, 10, 4};
    int64_t days[3] = {};
    uint8_t layouts[3] = {};
    Check(Call("kal_parse_many", many, texts, lengths, size_t{3}, &options, days, layouts) == 2 &&
              days[0] == 10591 && days[1] == 10591 && days[2] == KAL_NAT && layouts[0] == '3' &&
              layouts[1] == 'G' && layouts[2] == 0,
          "kal_parse_many");
    const char block[] = "12/31/98\0\0\0Dec/31/1998";  // two items of 11 characters
    Check(Call("kal_parse_many_fixed", fixed, static_cast<const void*>(block), size_t{2}, size_t{1},
               size_t{11}, ptrdiff_t{11}, &options, days, layouts) == 2 &&
              days[0] == 10591 && days[1] == 10591 && layouts[1] == 'K',
          "kal_parse_many_fixed");
    Guarded<24> out;
    const int64_t written[2] = {10591, KAL_NAT};
    Check(Call("kal_format_many", formatMany, written, size_t{2}, 'B',
               static_cast<void*>(out.data()), size_t{1}, size_t{12}, ptrdiff_t{12}) == 1 &&
              std::memcmp(out.data(), "12/31/1998\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 24) == 0 &&
              out.Intact(),
          "kal_format_many");
    Check(std::strcmp(Call("kal_status_text", status, KAL_NO_DATE), "no date") == 0,
          "kal_status_text");
}

// TZ is set by the test to America/New_York: the dates of each year by the
// rules of that year.
void DaylightSaving() {
    const auto dst = Resolve<int16_t(WINAPI*)(const char*, char*, int32_t*, int32_t*, char*, char*,
                                              char*, char*)>("KD_DAYLIGHTSAVINGSTIMES");
    if (!dst) return Check(false, "KD_DAYLIGHTSAVINGSTIMES resolves");
    const struct {
        const char* year;
        const char* begin;
        const char* end;
    } cases[] = {{"2026", "03-08-2026", "11-01-2026"}, {"2000", "04-02-2000", "10-29-2000"}};
    for (const auto& c : cases) {
        Guarded<75> zone;
        Guarded<> begin, end;
        Guarded<24> beginLabel, endLabel;
        int32_t status = -1, sameDay = -1;
        Check(Call("KD_DAYLIGHTSAVINGSTIMES", dst, c.year, zone.data(), &status, &sameDay,
                   begin.data(), end.data(), beginLabel.data(), endLabel.data()) == 1 &&
                  status == 1 && sameDay == 0 && std::strcmp(begin.data(), c.begin) == 0 &&
                  std::strcmp(end.data(), c.end) == 0 && zone.Intact() && begin.Intact() &&
                  end.Intact(),
              std::string("KD_DAYLIGHTSAVINGSTIMES ") + c.year + ": " + begin.data() + " " +
                  end.data());
    }
}

void Utilities() {
    for (const UtilityCase& c : kUtilityCases) {
        bool found = false;
#if defined(__i386__)
        uintptr_t before = 0, after = 0;
        __asm__ volatile("movl %%esp, %0" : "=r"(before));
#endif
        const int32_t got = CallUtility(
            [](const char* name) {
                return reinterpret_cast<void*>(GetProcAddress(g_library, name));
            },
            c, found);
#if defined(__i386__)
        __asm__ volatile("movl %%esp, %0" : "=r"(after));
        Check(before == after, std::string(UtilityName(c.fn)) + " left the stack moved");
#endif
        Check(found && got == c.want, std::string(UtilityName(c.fn)) + "(" + std::to_string(c.a) +
                                          ", " + std::to_string(c.b) +
                                          ") = " + std::to_string(got));
    }
    const auto upper = Resolve<int32_t(WINAPI*)(char*)>("UpperCaseString");
    const auto twice = Resolve<int16_t*(WINAPI*)(int16_t*)>("DoubleInt");
    if (!upper || !twice) return Check(false, "UpperCaseString / DoubleInt");
    for (const UpperCaseCase& c : kUpperCaseCases) {
        Guarded<16> text(c.input);
        Check(Call("UpperCaseString", upper, text.data()) == 0 &&
                  std::strcmp(text.data(), c.after) == 0 && text.Intact(),
              std::string("UpperCaseString ") + c.input);
    }
    for (const DoubleIntCase& c : kDoubleIntCases) {
        int16_t value = c.before;
        Check(Call("DoubleInt", twice, &value) == &value && value == c.after,
              "DoubleInt " + std::to_string(c.before));
    }
}

// The dialogs need a display and are not run here; their templates and icons
// must be among the library's resources.
void DialogResources() {
    for (int id : {101, 104, 109, 110, 111, 112})
        Check(FindResourceA(g_library, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)) != nullptr,
              "dialog resource " + std::to_string(id));  // 5 = RT_DIALOG
    for (int id : {102, 105})
        Check(FindResourceA(g_library, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14)) != nullptr,
              "icon resource " + std::to_string(id));  // 14 = RT_GROUP_ICON
}

// Only where no window can appear: the boxes return 1 at once, the dialogs -1.
void DialogExportsWithoutADisplay() {
    const auto helpAbout = Resolve<int16_t(WINAPI*)()>("KD_HELPABOUTME");
    const auto aboutDll = Resolve<int16_t(WINAPI*)()>("KD_ABOUTDLL");
    const auto about = Resolve<int32_t(WINAPI*)()>("AboutBox");
    const auto help = Resolve<int32_t(WINAPI*)()>("HelpBox");
    if (!helpAbout || !aboutDll || !about || !help) return Check(false, "dialog exports resolve");
    Check(Call("KD_HELPABOUTME", helpAbout) == 1, "KD_HELPABOUTME");
    Check(Call("KD_ABOUTDLL", aboutDll) == 1, "KD_ABOUTDLL");
    Check(Call("AboutBox", about) == -1, "AboutBox without a display");
    Check(Call("HelpBox", help) == -1, "HelpBox without a display");
}

}  // namespace

int main(int argc, char** argv) {
    g_library = LoadLibraryA("kalcore.dll");
    Check(g_library != nullptr, "LoadLibraryA(kalcore.dll)");
    if (g_library != nullptr) {
        if (argc > 1) ResolvesEveryExport(argv[1]);
        ConvertsAndValidates();
        CalendarExports();
        DateColumnExports();
        const char* tz = std::getenv("TZ");
        if (tz != nullptr && std::strcmp(tz, "America/New_York") == 0) DaylightSaving();
        Utilities();
        DialogResources();
        if (argc > 2 && std::strcmp(argv[2], "--headless") == 0) DialogExportsWithoutADisplay();
        FreeLibrary(g_library);
    }
    return kalcore::windows_test::Verdict();
}
