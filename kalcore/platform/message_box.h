// Information boxes the library shows on its own (an absolute daylight-saving
// rule, the dialog exports). Where no window can be shown the box is skipped
// and the caller goes on as if the user had pressed OK.
#pragma once

namespace kalcore::platform {

// The result a box reports when the user presses OK.
inline constexpr int kMessageBoxOk = 1;

// Shows `text` under `caption` with one OK button and no owner window, and
// waits for the user. Returns kMessageBoxOk.
int ShowMessageBox(const char* text, const char* caption);

// As ShowMessageBox, with the information icon.
int ShowInformationBox(const char* text, const char* caption);

}  // namespace kalcore::platform
