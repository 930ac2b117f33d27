#include "common/library_problems.h"

#include <QApplication>
#include <QTimer>
#include <memory>

#include "binding/kalcore_binding.h"
#include "platform/message_boxes.h"

namespace kaldate {

void reportLibraryProblems(KalcoreBinding& kalcore, MessageBoxes& messages) {
    // Set while a problem has been shown and the event loop has not yet run
    // again: the rest of the same button press stays quiet.
    auto shown = std::make_shared<bool>(false);
    kalcore.setProblemHandler([&messages, shown](const QString& problem) {
        if (*shown) return;
        *shown = true;
        QWidget* owner = QApplication::activeModalWidget();
        if (owner == nullptr) owner = QApplication::activeWindow();
        messages.show(owner, MessageStyle::Exclamation,
                      QStringLiteral("The Kalendrix Software Demo."), problem);
        QTimer::singleShot(0, [shown] { *shown = false; });
    });
}

}  // namespace kaldate
