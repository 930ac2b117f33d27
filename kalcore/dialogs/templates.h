// The library's dialog templates and the texts of its information boxes: one
// table that the POSIX dialog module is handed directly and from which the
// Windows resource script is generated.
#pragma once

#include <cstddef>
#include <span>

#include "platform/dialog_module.h"

namespace kalcore::dialogs {

// Template numbers.
inline constexpr int kAboutDialog = 101;        // information on the product
inline constexpr int kContactDialog = 104;      // contact and price information
inline constexpr int kFormatsDialog = 109;      // the valid date formats
inline constexpr int kInputFormsDialog = 110;   // input-only forms
inline constexpr int kOutputFormsDialog = 111;  // day-first output-only formats
inline constexpr int kExamplesDialog = 112;     // format examples

// Icon numbers.
inline constexpr int kProductIcon = 102;
inline constexpr int kContactIcon = 105;

// The command every dialog closes on besides its own buttons: the Escape key
// and the window's close button.
inline constexpr int kCancelCommand = 2;

// What a button does.
enum class Action { kClose, kOpenDialog, kShowLibraryBox };

struct Command {
    int dialogId;
    int commandId;
    Action action;
    int target;  // the template to open for kOpenDialog
};

// Every template, in number order.
std::span<const KalDialogTemplate> AllDialogs();

// The template with this number, nullptr when there is none.
const KalDialogTemplate* FindDialog(int id);

// The buttons of every template and what they do.
std::span<const Command> AllCommands();

// What `commandId` does in dialog `dialogId`, nullptr when it does nothing
// (the Escape command is not in the table; every dialog closes on it).
const Command* FindCommand(int dialogId, int commandId);

// The two information boxes: caption and text.
inline constexpr const char kLibraryBoxCaption[] = "     About the DLL File ";
inline constexpr const char kOwnershipBoxCaption[] = "      Software Ownership Information.  ";

// Room for either box's text, terminator included.
inline constexpr std::size_t kInfoTextSize = 640;
using InfoText = char[kInfoTextSize];

// The about-the-library box: product, version, rights, maker and platform
// lines.
void LibraryBoxText(InfoText& out);

// The ownership box: product, version and rights lines, the proprietary
// notice, the maker and the contact.
void OwnershipBoxText(InfoText& out);

}  // namespace kalcore::dialogs
