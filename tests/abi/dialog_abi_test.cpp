// The dialog and utility exports through the built shared library, loaded by
// file name the way a foreign caller loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "abi/abi_cases.h"

#ifndef KALCORE_LIBRARY_PATH
#error "KALCORE_LIBRARY_PATH must name the built shared library"
#endif
#ifndef FAKE_DIALOG_MODULE_PATH
#error "FAKE_DIALOG_MODULE_PATH must name the fake dialog module"
#endif

namespace {

namespace fs = std::filesystem;
using namespace kalcore::abi_cases;

using NoArgs32 = int32_t (*)();
using NoArgs16 = int16_t (*)();

constexpr unsigned char kGuard = 0x5A;
constexpr std::size_t kGuardSize = 16;

// `Size` bytes with guard bytes on both sides.
template <std::size_t Size>
struct Guarded {
    unsigned char bytes[kGuardSize + Size + kGuardSize];
    Guarded() {
        std::memset(bytes, kGuard, sizeof bytes);
        std::memset(data(), 0, Size);
    }
    char* data() { return reinterpret_cast<char*>(bytes + kGuardSize); }
    bool Intact() const {
        for (std::size_t i = 0; i < kGuardSize; ++i)
            if (bytes[i] != kGuard || bytes[kGuardSize + Size + i] != kGuard) return false;
        return true;
    }
};

class Library {
  public:
    explicit Library(const char* path) : handle_(dlopen(path, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library() {
        if (handle_) dlclose(handle_);
    }
    void* handle() const { return handle_; }
    void* Address(const char* name) const { return dlsym(handle_, name); }
    template <typename Fn>
    Fn Resolve(const char* name) const {
        return reinterpret_cast<Fn>(Address(name));
    }

  private:
    void* handle_;
};

// Runs one test with DISPLAY set to `display` (nullptr: unset).
class DisplayGuard {
  public:
    explicit DisplayGuard(const char* display) {
        if (const char* old = std::getenv("DISPLAY")) saved_ = old, had_ = true;
        if (display != nullptr)
            setenv("DISPLAY", display, 1);
        else
            unsetenv("DISPLAY");
        if (const char* wayland = std::getenv("WAYLAND_DISPLAY")) wayland_ = wayland;
        unsetenv("WAYLAND_DISPLAY");
    }
    ~DisplayGuard() {
        if (had_)
            setenv("DISPLAY", saved_.c_str(), 1);
        else
            unsetenv("DISPLAY");
        if (!wayland_.empty()) setenv("WAYLAND_DISPLAY", wayland_.c_str(), 1);
    }

  private:
    std::string saved_, wayland_;
    bool had_ = false;
};

class DialogAbiTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(lib_.handle(), nullptr) << dlerror(); }
    Library lib_{KALCORE_LIBRARY_PATH};
};

TEST_F(DialogAbiTest, UtilitiesGiveTheSharedCases) {
    for (const UtilityCase& c : kUtilityCases) {
        SCOPED_TRACE(::testing::Message() << UtilityName(c.fn) << "(" << c.a << ", " << c.b << ")");
        bool found = false;
        const int32_t got =
            CallUtility([this](const char* name) { return lib_.Address(name); }, c, found);
        ASSERT_TRUE(found);
        EXPECT_EQ(got, c.want);
    }
}

TEST_F(DialogAbiTest, UpperCaseStringWritesOnlyWithinItsText) {
    const auto upper = lib_.Resolve<int32_t (*)(char*)>("UpperCaseString");
    ASSERT_NE(upper, nullptr);
    for (const UpperCaseCase& c : kUpperCaseCases) {
        SCOPED_TRACE(c.input);
        Guarded<16> text;
        std::strcpy(text.data(), c.input);
        std::memset(text.data() + std::strlen(c.input) + 1, 'q', 16 - std::strlen(c.input) - 1);
        EXPECT_EQ(upper(text.data()), 0);
        EXPECT_STREQ(text.data(), c.after);
        // The bytes after the terminator are not the text's.
        for (std::size_t i = std::strlen(c.input) + 1; i < 16; ++i) EXPECT_EQ(text.data()[i], 'q');
        EXPECT_TRUE(text.Intact());
    }
    EXPECT_EQ(upper(nullptr), 0);
}

TEST_F(DialogAbiTest, DoubleIntWritesTwoBytesAndReturnsItsPointer) {
    const auto twice = lib_.Resolve<int16_t* (*)(int16_t*)>("DoubleInt");
    ASSERT_NE(twice, nullptr);
    for (const DoubleIntCase& c : kDoubleIntCases) {
        SCOPED_TRACE(c.before);
        Guarded<2> value;
        std::memcpy(value.data(), &c.before, 2);
        auto* p = reinterpret_cast<int16_t*>(value.data());
        EXPECT_EQ(twice(p), p);
        int16_t after;
        std::memcpy(&after, value.data(), 2);
        EXPECT_EQ(after, c.after);
        EXPECT_TRUE(value.Intact());
    }
    EXPECT_EQ(twice(nullptr), nullptr);
}

TEST_F(DialogAbiTest, WithoutADisplayDialogsFailAndBoxesSucceed) {
    DisplayGuard display(nullptr);
    const auto about = lib_.Resolve<NoArgs32>("AboutBox");
    const auto help = lib_.Resolve<NoArgs32>("HelpBox");
    const auto helpAbout = lib_.Resolve<NoArgs16>("KD_HELPABOUTME");
    const auto aboutDll = lib_.Resolve<NoArgs16>("KD_ABOUTDLL");
    ASSERT_TRUE(about && help && helpAbout && aboutDll);
    EXPECT_EQ(about(), -1);
    EXPECT_EQ(help(), -1);
    EXPECT_EQ(helpAbout(), 1);
    EXPECT_EQ(aboutDll(), 1);
}

// A private copy of the library with the fake module beside it under the
// module's real path: the library must find it in kalcore3/ beside itself.
class ModuleBesideLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/kalcore-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        fs::copy_file(KALCORE_LIBRARY_PATH, dir_ / "libkalcore.so");
        fs::create_directory(dir_ / "kalcore3");
        fs::copy_file(FAKE_DIALOG_MODULE_PATH, dir_ / "kalcore3/libkalcore_dialogs.so");
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(ModuleBesideLibraryTest, DialogsAndBoxesReachTheModule) {
    DisplayGuard display(":kalcore-test");
    Library copy((dir_ / "libkalcore.so").c_str());
    ASSERT_NE(copy.handle(), nullptr) << dlerror();
    Library module((dir_ / "kalcore3/libkalcore_dialogs.so").c_str());
    ASSERT_NE(module.handle(), nullptr) << dlerror();
    const auto script = module.Resolve<void (*)(const int*, int, int)>("fake_dialogs_script");
    const auto log = module.Resolve<const char* (*)()>("fake_dialogs_log");
    ASSERT_TRUE(script && log);

    const int presses[] = {6, 1, 1};
    script(presses, 3, 0);
    EXPECT_EQ(copy.Resolve<NoArgs32>("AboutBox")(), 1);
    EXPECT_STREQ(log(),
                 "open 101 Information on the Kalendrix\npress 101 6\n"
                 "open 104 Software and Contact Information\npress 104 1\nend 104 1\n"
                 "press 101 1\nend 101 1\n");

    script(nullptr, 0, 0);
    EXPECT_EQ(copy.Resolve<NoArgs16>("KD_ABOUTDLL")(), 1);
    EXPECT_EQ(std::string(log()).rfind("box 1 [      Software Ownership Information.  ]", 0), 0u);

    script(nullptr, 0, /*noDisplay=*/1);
    EXPECT_EQ(copy.Resolve<NoArgs32>("HelpBox")(), -1);
}

}  // namespace
