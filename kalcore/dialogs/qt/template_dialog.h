// One of the library's dialog templates as a Qt dialog. Its controls stand
// where the template puts them, in dialog units turned into pixels with the
// font's average character size (a unit is a quarter of the average
// character width across, an eighth of the character height down). Every
// button, the Escape key and the window's close button go to the library's
// command callback, which says whether the dialog ends and with what value.
#pragma once

#include <QDialog>
#include <QFont>

#include "platform/dialog_module.h"

namespace kalcore::dialogs::qt {

// The font of a template: its face when the system has it, else the
// application's own family, at the template's point size.
QFont templateFont(const KalDialogTemplate& dialog);

// Pixels per four dialog units across and per eight down for a font.
struct DialogBase {
    int width;
    int height;
};
DialogBase dialogBase(const QFont& font);

class TemplateDialog : public QDialog {
    Q_OBJECT
  public:
    // The dialog is named "dialogNNN" and each button "commandNNN" after
    // the template's and the button's numbers.
    TemplateDialog(const KalDialogTemplate& dialog, KalDialogCommandFn onCommand, void* context);

    // The end value the library gave, once the dialog has ended.
    int32_t endValue() const { return endValue_; }

    // Escape and the close button send the cancel command.
    void reject() override;

  private:
    void command(int32_t id);

    int32_t dialogId_;
    KalDialogCommandFn onCommand_;
    void* context_;
    int32_t endValue_ = -1;
};

}  // namespace kalcore::dialogs::qt
