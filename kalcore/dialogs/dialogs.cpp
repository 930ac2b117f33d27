#include "dialogs/dialogs.h"

#include "dialogs/templates.h"
#include "platform/dialogs.h"
#include "platform/message_box.h"

namespace kalcore::dialogs {

namespace {

constexpr int kClosedValue = 1;

bool OnCommand(void* /*context*/, int dialogId, int commandId, int& endValue) {
    const Command* command = FindCommand(dialogId, commandId);
    if (command == nullptr) {
        if (commandId != kCancelCommand) return false;
        endValue = kClosedValue;
        return true;
    }
    switch (command->action) {
        case Action::kClose:
            endValue = kClosedValue;
            return true;
        case Action::kOpenDialog:
            RunDialog(command->target);
            return false;
        case Action::kShowLibraryBox:
            ShowLibraryBox();
            return false;
    }
    return false;
}

}  // namespace

int RunDialog(int dialogId) {
    const KalDialogTemplate* dialog = FindDialog(dialogId);
    if (dialog == nullptr) return -1;
    return platform::RunDialog(*dialog, &OnCommand, nullptr);
}

void ShowLibraryBox() {
    InfoText text;
    LibraryBoxText(text);
    platform::ShowInformationBox(text, kLibraryBoxCaption);
}

void ShowOwnershipBox() {
    InfoText text;
    OwnershipBoxText(text);
    platform::ShowInformationBox(text, kOwnershipBoxCaption);
}

}  // namespace kalcore::dialogs
