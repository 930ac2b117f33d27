// What every screen is given: the library binding, the message boxes, the
// screen host that opens other screens, and the platform services the main
// menu uses. The program makes one set in main(); tests make their own.
#pragma once

#include <functional>

#include "platform/printer.h"

namespace kaldate {

class KalcoreBinding;
class MessageBoxes;
class NotificationIcon;
class ScreenHost;

struct Services {
    KalcoreBinding& kalcore;
    MessageBoxes& messages;
    ScreenHost& screens;
    NotificationIcon& notificationIcon;
    std::function<PrinterInfo()> defaultPrinter;
};

}  // namespace kaldate
