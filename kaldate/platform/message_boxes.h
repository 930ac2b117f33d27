// Message boxes, behind one small interface: the program shows QMessageBox,
// tests put in a recorder that answers without a modal loop.
#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace kaldate {

// The styles the demo uses, by their numbers on the platform it came from.
enum class MessageStyle {
    Exclamation = 48,    // one OK button, exclamation icon
    Information = 64,    // one OK button, information icon
    YesNoQuestion = 36,  // Yes and No, question icon
};

// The answers, by the same numbering.
enum MessageAnswer { kAnswerOk = 1, kAnswerYes = 6, kAnswerNo = 7 };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows `text` under `caption`, owned by `owner` (a screen's window, or
    // none), and returns the button pressed.
    virtual int show(QWidget* owner, MessageStyle style, const QString& caption,
                     const QString& text) = 0;
};

// The box the program shows, not yet shown: plain text, the style's icon and
// buttons, owned by `owner`.
QMessageBox* makeMessageBox(QWidget* owner, MessageStyle style, const QString& caption,
                            const QString& text);

class QtMessageBoxes final : public MessageBoxes {
  public:
    int show(QWidget* owner, MessageStyle style, const QString& caption,
             const QString& text) override;
};

}  // namespace kaldate
