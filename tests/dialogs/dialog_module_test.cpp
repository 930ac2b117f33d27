// The dialog exports through the module seam: a fake module that presses
// scripted buttons stands in for a toolkit.
#include "platform/posix/dialog_module.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/templates.h"
#include "kalcore.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"

#ifndef FAKE_DIALOG_MODULE_PATH
#error "FAKE_DIALOG_MODULE_PATH must name the fake dialog module"
#endif

namespace {

using ScriptFn = void (*)(const int*, int, int);
using LogFn = const char* (*)();

// Points the library at a module and sets DISPLAY for one test.
class DialogModuleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (display != nullptr) savedDisplay_ = display, hadDisplay_ = true;
        setenv("DISPLAY", ":kalcore-test", 1);
        unsetenv("FAKE_DIALOG_MODULE_VERSION");
        kalcore::platform::SetDialogModuleForTesting(FAKE_DIALOG_MODULE_PATH);
        handle_ = dlopen(FAKE_DIALOG_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle_, nullptr) << dlerror();
        script_ = reinterpret_cast<ScriptFn>(dlsym(handle_, "fake_dialogs_script"));
        log_ = reinterpret_cast<LogFn>(dlsym(handle_, "fake_dialogs_log"));
        ASSERT_NE(script_, nullptr);
        ASSERT_NE(log_, nullptr);
    }
    void TearDown() override {
        if (hadDisplay_)
            setenv("DISPLAY", savedDisplay_.c_str(), 1);
        else
            unsetenv("DISPLAY");
        unsetenv("FAKE_DIALOG_MODULE_VERSION");
        kalcore::platform::SetDialogModuleForTesting(nullptr);
        if (handle_ != nullptr) dlclose(handle_);
    }
    void Press(std::vector<int> presses, bool noDisplay = false) {
        script_(presses.data(), static_cast<int>(presses.size()), noDisplay ? 1 : 0);
    }
    std::string Log() const { return log_(); }

    void* handle_ = nullptr;
    ScriptFn script_ = nullptr;
    LogFn log_ = nullptr;
    std::string savedDisplay_;
    bool hadDisplay_ = false;
};

std::string LibraryBoxLine() {
    kalcore::dialogs::InfoText text;
    kalcore::dialogs::LibraryBoxText(text);
    return std::string("box 1 [") + kalcore::dialogs::kLibraryBoxCaption + "] [" + text + "]\n";
}

TEST_F(DialogModuleTest, AboutBoxOpensContactOnTopAndShowsTheLibraryBox) {
    Press({6, 1, 1015, 1});
    EXPECT_EQ(AboutBox(), 1);
    EXPECT_EQ(Log(),
              "open 101 Information on the Kalendrix\n"
              "press 101 6\n"
              "open 104 Software and Contact Information\n"
              "press 104 1\n"
              "end 104 1\n"
              "press 101 1015\n" +
                  LibraryBoxLine() +
                  "press 101 1\n"
                  "end 101 1\n");
}

TEST_F(DialogModuleTest, HelpBoxNestsEachFormatDialogAndClosesOnExit) {
    Press({6, 6, 4, 6, 1014, 1, 2});
    EXPECT_EQ(HelpBox(), 1);
    EXPECT_EQ(Log(),
              "open 109   Kalendrix Software - Valid Date Formats\n"
              "press 109 6\n"
              "open 110 Additional,  Input Date Formats Only\n"
              "press 110 6\nend 110 1\n"
              "press 109 4\n"
              "open 111 Additional, Output Date Formats Only\n"
              "press 111 6\nend 111 1\n"
              "press 109 1014\n"
              "open 112 Some Date Format Examples...  A Definition of... \n"
              "press 112 1\nend 112 1\n"
              "press 109 2\nend 109 1\n");
}

TEST_F(DialogModuleTest, EscapeClosesEveryDialogAndOtherCommandsDoNothing) {
    // 1 in dialog 109 and 4 in dialog 101 are no buttons there.
    Press({1, 9999, 2});
    EXPECT_EQ(HelpBox(), 1);
    EXPECT_EQ(Log().find("end 109 1"), Log().size() - 10);
    Press({4, 6, 2, 2});
    EXPECT_EQ(AboutBox(), 1);
    EXPECT_NE(Log().find("end 104 1\npress 101 2\nend 101 1\n"), std::string::npos);
}

TEST_F(DialogModuleTest, InformationBoxesGoThroughTheModule) {
    Press({});
    EXPECT_EQ(KD_HELPABOUTME(), 1);
    EXPECT_EQ(KD_ABOUTDLL(), 1);
    kalcore::dialogs::InfoText ownership;
    kalcore::dialogs::OwnershipBoxText(ownership);
    EXPECT_EQ(Log(), LibraryBoxLine() + "box 1 [" + kalcore::dialogs::kOwnershipBoxCaption + "] [" +
                         ownership + "]\n");
    Press({});
    EXPECT_EQ(kalcore::platform::ShowMessageBox("Rule", "Year is SET(>0)"),
              kalcore::platform::kMessageBoxOk);
    EXPECT_EQ(kalcore::platform::ShowMessageBox(nullptr, nullptr),
              kalcore::platform::kMessageBoxOk);
    EXPECT_EQ(Log(), "box 0 [Year is SET(>0)] [Rule]\nbox 0 [] []\n");
}

TEST_F(DialogModuleTest, ADialogTheModuleCannotCreateGivesMinusOne) {
    Press({}, /*noDisplay=*/true);
    EXPECT_EQ(AboutBox(), -1);
    EXPECT_EQ(HelpBox(), -1);
}

TEST_F(DialogModuleTest, WithoutADisplayTheModuleIsNotAsked) {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    Press({1});
    EXPECT_EQ(AboutBox(), -1);
    EXPECT_EQ(KD_HELPABOUTME(), 1);
    EXPECT_EQ(kalcore::platform::ShowInformationBox("text", "caption"),
              kalcore::platform::kMessageBoxOk);
    EXPECT_EQ(Log(), "");
}

TEST_F(DialogModuleTest, AMissingModuleGivesTheFallback) {
    kalcore::platform::SetDialogModuleForTesting("/nonexistent/libkalcore_dialogs.so");
    Press({1});
    EXPECT_EQ(AboutBox(), -1);
    EXPECT_EQ(HelpBox(), -1);
    EXPECT_EQ(KD_ABOUTDLL(), 1);
    EXPECT_EQ(Log(), "");
}

TEST_F(DialogModuleTest, AModuleOfAnotherVersionIsNotUsed) {
    setenv("FAKE_DIALOG_MODULE_VERSION", "2", 1);
    kalcore::platform::SetDialogModuleForTesting(FAKE_DIALOG_MODULE_PATH);
    Press({1});
    EXPECT_EQ(AboutBox(), -1);
    EXPECT_EQ(KD_HELPABOUTME(), 1);
    EXPECT_EQ(Log(), "");
}

// The first dialogs of eight threads at once, before the module is loaded:
// each waits for the one loading, and all get the module's answer.
TEST_F(DialogModuleTest, ConcurrentFirstCallsAllGetTheModule) {
    setenv("FAKE_DIALOG_MODULE_DELAY_MS", "20", 1);
    for (int round = 0; round < 5; ++round) {
        kalcore::platform::SetDialogModuleForTesting(FAKE_DIALOG_MODULE_PATH);
        constexpr int kThreads = 8;
        std::atomic<int> waiting{kThreads};
        std::vector<int> results(kThreads, 0);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t)
            threads.emplace_back([&, t] {
                waiting.fetch_sub(1);
                while (waiting.load() > 0) {
                }
                results[t] = kalcore::platform::RunDialog(
                    *kalcore::dialogs::FindDialog(kalcore::dialogs::kAboutDialog),
                    [](void*, int, int, int& endValue) {
                        endValue = 7;
                        return true;
                    },
                    nullptr);
            });
        for (std::thread& thread : threads) thread.join();
        for (int t = 0; t < kThreads; ++t) EXPECT_EQ(results[t], 7) << round << " " << t;
    }
    unsetenv("FAKE_DIALOG_MODULE_DELAY_MS");
}

}  // namespace
