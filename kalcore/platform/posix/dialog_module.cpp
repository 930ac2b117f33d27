// POSIX builds link no window toolkit. Dialogs and message boxes go to an
// optional module that lives in the directory kalcore3 beside the library
// (a plugin, out of the loader's search path) and is loaded at the first
// dialog or box shown while a display is present. Without the module or the
// display a dialog reports -1 and a box is skipped as if OK had been pressed.
#include "platform/posix/dialog_module.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/dialog_module.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"

namespace kalcore::platform {

namespace {

constexpr int kPathSize = 4096;

// The module is looked for once per process and then kept: a toolkit cannot
// safely be unloaded while the process runs. The first calls of several
// threads at once wait for the one that loads it, so all see the same module.
struct ModuleSlot {
    bool tried = false;
    const KalDialogModule* module = nullptr;
    const char* pathOverride = nullptr;
};
std::mutex g_slotMutex;
ModuleSlot g_slot;

bool DisplayPresent() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// The module's path: the directory this library was loaded from, and the
// module's path below it. False when the directory is unknown or too long.
bool ModulePathNextToLibrary(char (&out)[kPathSize]) {
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(&ModulePathNextToLibrary), &info) == 0 ||
        info.dli_fname == nullptr)
        return false;
    const char* slash = std::strrchr(info.dli_fname, '/');
    if (slash == nullptr) return false;
    const std::size_t dirLength = static_cast<std::size_t>(slash - info.dli_fname) + 1;
    const std::size_t nameLength = std::strlen(KALCORE_DIALOG_MODULE_FILE);
    if (dirLength + nameLength + 1 > sizeof out) return false;
    std::memcpy(out, info.dli_fname, dirLength);
    std::memcpy(out + dirLength, KALCORE_DIALOG_MODULE_FILE, nameLength + 1);
    return true;
}

const KalDialogModule* LoadModule(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    const auto entry =
        reinterpret_cast<KalDialogModuleEntryFn>(dlsym(handle, KALCORE_DIALOG_MODULE_ENTRY));
    const KalDialogModule* module = entry != nullptr ? entry() : nullptr;
    if (module == nullptr || module->version != KALCORE_DIALOG_MODULE_VERSION ||
        module->runDialog == nullptr || module->messageBox == nullptr) {
        dlclose(handle);
        return nullptr;
    }
    return module;
}

// The module, loaded at the first call made while a display is present;
// nullptr when there is no display or no usable module.
const KalDialogModule* Module() {
    if (!DisplayPresent()) return nullptr;
    std::lock_guard<std::mutex> hold(g_slotMutex);
    if (!g_slot.tried) {
        g_slot.tried = true;
        char path[kPathSize];
        if (g_slot.pathOverride != nullptr)
            g_slot.module = LoadModule(g_slot.pathOverride);
        else if (ModulePathNextToLibrary(path))
            g_slot.module = LoadModule(path);
    }
    return g_slot.module;
}

struct CommandRelay {
    DialogCommandFn onCommand;
    void* context;
};

int32_t RelayCommand(void* context, int32_t dialogId, int32_t commandId, int32_t* endValue) {
    const auto* relay = static_cast<const CommandRelay*>(context);
    int value = 0;
    if (!relay->onCommand(relay->context, dialogId, commandId, value)) return 0;
    if (endValue != nullptr) *endValue = value;
    return 1;
}

int ShowBox(const char* text, const char* caption, int32_t icon) {
    if (const KalDialogModule* module = Module())
        module->messageBox(text != nullptr ? text : "", caption != nullptr ? caption : "", icon);
    return kMessageBoxOk;
}

}  // namespace

void SetDialogModuleForTesting(const char* path) {
    std::lock_guard<std::mutex> hold(g_slotMutex);
    g_slot = ModuleSlot{};
    g_slot.pathOverride = path;
}

int RunDialog(const KalDialogTemplate& dialog, DialogCommandFn onCommand, void* context) {
    const KalDialogModule* module = Module();
    if (onCommand == nullptr || module == nullptr) return -1;
    CommandRelay relay{onCommand, context};
    return module->runDialog(&dialog, &RelayCommand, &relay);
}

int ShowMessageBox(const char* text, const char* caption) {
    return ShowBox(text, caption, KAL_ICON_NONE);
}

int ShowInformationBox(const char* text, const char* caption) {
    return ShowBox(text, caption, KAL_ICON_INFORMATION);
}

}  // namespace kalcore::platform
