// What the demo's tests share: a private home for the library's files, a
// message-box recorder that answers without a modal loop, the demo's services
// around the built library, and small helpers for driving screens.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <stdexcept>

#include "binding/kalcore_binding.h"
#include "common/screen_host.h"
#include "common/services.h"
#include "platform/message_boxes.h"
#include "platform/notification_icon.h"

namespace kaldate::testing {

struct ShownMessage {
    QString owner;  // the owner's object name
    MessageStyle style;
    QString caption;
    QString text;
};

class RecordingMessageBoxes final : public MessageBoxes {
  public:
    int show(QWidget* owner, MessageStyle style, const QString& caption,
             const QString& text) override;

    // The answer to the next question (Yes/No); OK boxes answer OK.
    void answerNext(int answer) { answers_.append(answer); }
    QList<ShownMessage> shown;
    // The texts shown, in order.
    QStringList texts() const;

  private:
    QList<int> answers_;
};

// Points the library's configuration and data files into a fresh directory
// (before the library is first loaded) with the holidays of `keyYear`.
class TempHome {
  public:
    explicit TempHome(int keyYear = 2021);
    QString dataDir() const { return dir_.path() + QStringLiteral("/data/kalcore"); }

  private:
    QTemporaryDir dir_;
};

// The demo's services around the library built with the tests, every call
// recorded, every message box recorded, and a printer the test sets.
class Demo {
  public:
    explicit Demo(QStringList libraryLocations = {QStringLiteral(KALCORE_LIBRARY_PATH)});

    KalcoreBinding kalcore;
    RecordingMessageBoxes messages;
    ScreenHost screens;
    NotificationIcon notificationIcon;
    PrinterInfo printer;
    Services services;
    QList<CallRecord> calls;

    // The names of the functions called since the last clearCalls().
    QStringList calledFunctions() const;
    void clearCalls() { calls.clear(); }

    // Opens the screen `name` from `owner` (none: a bare top-level) and
    // waits until it is shown.
    QDialog* open(const QString& name, QWidget* owner = nullptr);
    // Forgets the calls and boxes so far, opens `name` and waits until it
    // has the focus.
    QDialog* openAfresh(const QString& name);
    // Closes every open screen and lets them go.
    void closeAll();
};

// The descendant of `root` named `name`; a missing one or one of another
// kind fails the test.
template <typename Widget>
Widget* child(QWidget* root, const QString& name) {
    auto* widget = root->findChild<Widget*>(name);
    if (widget == nullptr) {
        QTest::qFail(
            qPrintable(QStringLiteral("no control %1 on %2").arg(name, root->objectName())),
            __FILE__, __LINE__);
        throw std::runtime_error("missing control");
    }
    return widget;
}

// The text a control shows (a label, a text field, a button or a list's
// current entry).
QString shownText(QWidget* control);

// Types into a text field after emptying it, and clicks a button.
void type(QWidget* root, const QString& field, const QString& text);
void click(QWidget* root, const QString& button);

// Moves the mouse over `widget` (its centre, or a spot where no child
// lies when `background` is set).
void hover(QWidget* widget, bool background = false);

}  // namespace kaldate::testing
