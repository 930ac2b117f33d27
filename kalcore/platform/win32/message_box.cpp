#include "platform/message_box.h"

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

namespace {

int Show(const char* text, const char* caption, UINT icon) {
    MessageBoxA(nullptr, text != nullptr ? text : "", caption != nullptr ? caption : "",
                MB_OK | icon);
    return kMessageBoxOk;
}

}  // namespace

int ShowMessageBox(const char* text, const char* caption) {
    return Show(text, caption, 0);
}

int ShowInformationBox(const char* text, const char* caption) {
    return Show(text, caption, MB_ICONINFORMATION);
}

}  // namespace kalcore::platform
