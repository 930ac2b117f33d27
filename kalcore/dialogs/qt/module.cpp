// libkalcore_dialogs.so: the library's dialogs and information boxes drawn
// with Qt Widgets, for POSIX desktops. kalcore loads it from its own
// directory at its first dialog or box (platform/dialog_module.h) and hands it
// the templates; the module draws them and sends every command back.
#include <QMessageBox>

#include "application_scope.h"
#include "platform/dialog_module.h"
#include "template_dialog.h"

namespace kalcore::dialogs::qt {

namespace {

int32_t runDialog(const KalDialogTemplate* dialog, KalDialogCommandFn onCommand, void* context) {
    if (dialog == nullptr || onCommand == nullptr) return -1;
    const ApplicationScope application;
    if (!application.ready()) return -1;
    TemplateDialog window(*dialog, onCommand, context);
    window.exec();
    return window.endValue();
}

int32_t messageBox(const char* text, const char* caption, int32_t icon) {
    const ApplicationScope application;
    if (!application.ready()) return 1;
    QMessageBox box(icon == KAL_ICON_INFORMATION ? QMessageBox::Information : QMessageBox::NoIcon,
                    QString::fromLatin1(caption != nullptr ? caption : ""),
                    QString::fromLatin1(text != nullptr ? text : ""), QMessageBox::Ok);
    box.setObjectName(QStringLiteral("messagebox"));
    box.setTextFormat(Qt::PlainText);
    box.setWindowIcon(QIcon(QStringLiteral(":/kalcore/product.ico")));
    box.exec();
    return 1;
}

}  // namespace

}  // namespace kalcore::dialogs::qt

extern "C" __attribute__((visibility("default"))) const KalDialogModule* kalcore_dialog_module(
    void) {
    static const KalDialogModule module{KALCORE_DIALOG_MODULE_VERSION,
                                        &kalcore::dialogs::qt::runDialog,
                                        &kalcore::dialogs::qt::messageBox};
    return &module;
}
