// POSIX builds link no window toolkit: a box is not shown, and the caller
// carries on as after OK.
#include "platform/message_box.h"

namespace kalcore::platform {

int ShowMessageBox(const char* /*text*/, const char* /*caption*/) {
    return kMessageBoxOk;
}

}  // namespace kalcore::platform
