// The library's dialogs and information boxes: which template runs, and what
// each of its buttons does.
#pragma once

namespace kalcore::dialogs {

// Runs template `dialogId` modally. A button that closes ends it with 1 (so
// does the Escape key); a button that opens another template runs that one
// on top and leaves this one open. Returns the end value, -1 when the dialog
// cannot be created.
int RunDialog(int dialogId);

// The about-the-library and the ownership information boxes.
void ShowLibraryBox();
void ShowOwnershipBox();

}  // namespace kalcore::dialogs
