// Modal dialogs from the library's own templates (see dialogs/templates.h).
#pragma once

#include "platform/dialog_module.h"

namespace kalcore::platform {

// Called for every command of a running dialog (a button's id, or 2 for the
// Escape key and the close button). Returns true when the dialog is to end,
// with its end value in `endValue`; false leaves it open.
using DialogCommandFn = bool (*)(void* context, int dialogId, int commandId, int& endValue);

// Runs a template modally without an owner window, handing every command to
// `onCommand`. Returns the end value, or -1 when the dialog cannot be
// created. On Windows the template is the resource of its number.
int RunDialog(const KalDialogTemplate& dialog, DialogCommandFn onCommand, void* context);

}  // namespace kalcore::platform
