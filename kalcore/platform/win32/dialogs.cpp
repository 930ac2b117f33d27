// Dialogs from the templates in the library's resources (kalcore.rc), run by
// the system's modal dialog loop.
#include "platform/dialogs.h"

#include "platform/win32/module_instance.h"

namespace kalcore::platform {

namespace {

HINSTANCE g_instance = nullptr;

struct Session {
    DialogCommandFn onCommand;
    void* context;
    int dialogId;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            return TRUE;
        case WM_COMMAND: {
            // Only button commands: a click, Enter on the default button, or
            // Escape and the close button as command 2.
            if (HIWORD(wParam) != BN_CLICKED) return FALSE;
            auto* session = reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, DWLP_USER));
            if (session == nullptr) return FALSE;
            int endValue = 0;
            if (session->onCommand(session->context, session->dialogId, LOWORD(wParam), endValue))
                EndDialog(dialog, endValue);
            return TRUE;
        }
        default:
            return FALSE;  // the system's default dialog handling
    }
}

}  // namespace

void SetModuleInstance(HINSTANCE instance) {
    g_instance = instance;
}

HINSTANCE ModuleInstance() {
    return g_instance;
}

int RunDialog(const KalDialogTemplate& dialog, DialogCommandFn onCommand, void* context) {
    if (onCommand == nullptr) return -1;
    Session session{onCommand, context, dialog.id};
    const INT_PTR result = DialogBoxParamA(g_instance, MAKEINTRESOURCEA(dialog.id), nullptr,
                                           &DialogProc, reinterpret_cast<LPARAM>(&session));
    return static_cast<int>(result);
}

}  // namespace kalcore::platform
