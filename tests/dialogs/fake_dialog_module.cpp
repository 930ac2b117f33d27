// A dialog module for tests: instead of showing anything it "presses" a
// scripted sequence of buttons and records every dialog, press and box. Safe
// to call from several threads at once.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

#include "platform/dialog_module.h"

namespace {

int g_script[64];
int g_scriptLength = 0;
int g_next = 0;
bool g_noDisplay = false;
std::string g_log;
// Guards the script and the log; not held while the library handles a press,
// which may open a nested dialog.
std::recursive_mutex g_mutex;

// The next scripted press; the Escape command once the script is used up.
int NextPress() {
    return g_next < g_scriptLength ? g_script[g_next++] : 2;
}

void Log(const std::string& line) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_log += line;
}

int32_t RunDialog(const KalDialogTemplate* dialog, KalDialogCommandFn onCommand, void* context) {
    {
        std::lock_guard<std::recursive_mutex> hold(g_mutex);
        if (g_noDisplay) return -1;
    }
    Log("open " + std::to_string(dialog->id) + " " + dialog->title + "\n");
    for (int guard = 0; guard < 100; ++guard) {
        int press;
        {
            std::lock_guard<std::recursive_mutex> hold(g_mutex);
            press = NextPress();
        }
        Log("press " + std::to_string(dialog->id) + " " + std::to_string(press) + "\n");
        int32_t endValue = 0;
        if (onCommand(context, dialog->id, press, &endValue)) {
            Log("end " + std::to_string(dialog->id) + " " + std::to_string(endValue) + "\n");
            return endValue;
        }
    }
    return -1;
}

int32_t MessageBox(const char* text, const char* caption, int32_t icon) {
    Log("box " + std::to_string(icon) + " [" + caption + "] [" + text + "]\n");
    return 1;
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) const KalDialogModule* kalcore_dialog_module(void) {
    static KalDialogModule module{KALCORE_DIALOG_MODULE_VERSION, &RunDialog, &MessageBox};
    // A module that takes its time to start, as a toolkit does.
    if (const char* delay = std::getenv("FAKE_DIALOG_MODULE_DELAY_MS"))
        std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(delay)));
    const char* version = std::getenv("FAKE_DIALOG_MODULE_VERSION");
    module.version = version != nullptr ? static_cast<uint32_t>(std::atoi(version))
                                        : KALCORE_DIALOG_MODULE_VERSION;
    return &module;
}

// Test controls: the buttons to press, in order, across nested dialogs.
__attribute__((visibility("default"))) void fake_dialogs_script(const int* presses, int count,
                                                                int noDisplay) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    g_scriptLength = count < 64 ? count : 64;
    if (presses != nullptr) std::memcpy(g_script, presses, sizeof(int) * g_scriptLength);
    g_next = 0;
    g_noDisplay = noDisplay != 0;
    g_log.clear();
}

__attribute__((visibility("default"))) const char* fake_dialogs_log(void) {
    std::lock_guard<std::recursive_mutex> hold(g_mutex);
    return g_log.c_str();
}

}  // extern "C"
