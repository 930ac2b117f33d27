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
#include "platform/keyboard_state.h"
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

// A keyboard whose Num Lock state the test sets and reads, every switch
// recorded.
class RecordingKeyboard final : public KeyboardState {
  public:
    std::optional<bool> numLock() override { return state; }
    void setNumLock(bool on) override {
        switches.append(on);
        if (state) state = on;
    }
    std::optional<bool> state = false;  // nothing: the platform does not tell
    QList<bool> switches;
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
    // The screens switch Num Lock on `platformKeyboard` when one is given,
    // else on `keyboard`.
    explicit Demo(QStringList libraryLocations = {QStringLiteral(KALCORE_LIBRARY_PATH)},
                  KeyboardState* platformKeyboard = nullptr);

    KalcoreBinding kalcore;
    RecordingMessageBoxes messages;
    ScreenHost screens;
    NotificationIcon notificationIcon;
    PrinterInfo printer;
    RecordingKeyboard keyboard;
    Services services;
    QList<CallRecord> calls;

    // The names of the functions called since the last clearCalls().
    QStringList calledFunctions() const;
    // The last call of `function` since the last clearCalls(); a missing one
    // fails the test.
    const CallRecord& lastCall(const char* function) const;
    void clearCalls() { calls.clear(); }

    // Forgets the calls and boxes so far, types each text into its field
    // (emptied first) and clicks `button`; gives the texts of the boxes shown.
    QStringList press(QWidget* screen, const QList<std::pair<QString, QString>>& fields,
                      const QString& button);

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

// The names of every screen the host opens (all but the main menu and the
// splash).
const QStringList& screenNames();

// The shown top-level window named `name`, if any.
QWidget* topLevel(const QString& name);

// The text a control shows (a label, a text field, a button or a list's
// current entry).
QString shownText(QWidget* control);

// The text the control `name` of `root` shows, and whether it has the focus.
QString shown(QWidget* root, const QString& name);
bool focused(QWidget* root, const QString& name);

// Types into a text field after emptying it, and clicks a button.
void type(QWidget* root, const QString& field, const QString& text);
void click(QWidget* root, const QString& button);

// Moves the mouse over `widget` (its centre, or a spot where no child
// lies when `background` is set).
void hover(QWidget* widget, bool background = false);

// Returns once Qt's painting-pool threads and its test watchdog have ended,
// or after five seconds. Qt ends them as the application and the test run
// end, but a thread's last step, releasing its thread data, runs from a
// thread-exit hook that Qt's library removes as it unloads; a thread still
// ending when the process exits leaves that block behind, and the leak
// checker reports it at random.
void awaitQtThreadsEnded();

}  // namespace kaldate::testing

// QTEST_MAIN for the demo's tests: the same application and test run, then a
// wait for Qt's threads to end before the process does.
#define KALDATE_TEST_MAIN(TestObject)                                      \
    static int runTests(int argc, char* argv[]) {                          \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>(); \
        QTEST_MAIN_SETUP()                                                 \
        TestObject tc;                                                     \
        QTEST_SET_MAIN_SOURCE_PATH                                         \
        return QTest::qExec(&tc, argc, argv);                              \
    }                                                                      \
    int main(int argc, char* argv[]) {                                     \
        const int status = runTests(argc, argv);                           \
        kaldate::testing::awaitQtThreadsEnded();                           \
        return status;                                                     \
    }
