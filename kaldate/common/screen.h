// The pattern every screen but the main menu shares. A screen is a dialog
// named as its Part names it, with its caption, a body its subclass fills,
// and the status line `acribline` at the bottom, cleared on load. It is
// loaded afresh at each opening (ScreenHost), so whatever its constructor
// sets up is its load-time state.
//
// The buttons of the group "Choose your Button" come from buttonGroup():
// each is named (by its Part, else okbutton, clearbutton, calendarbutton,
// dateformatsbutton, helpbutton, infobutton, exitbackbutton), hinted and
// does its usual action (OK and Clear call ok()
// and clear(); Calendar calls calendar(), which opens frmMain; "  Date
// Formats" calls HelpBox; Help
// calls help(), which opens the screen's help screen; Info calls AboutBox;
// Exit Back closes the screen). Messages go through message(): one OK
// button, the exclamation icon, this screen as owner, the screen's caption.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QString>
#include <functional>
#include <initializer_list>

#include "binding/fixed_text.h"
#include "platform/message_boxes.h"

class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace kaldate {

class KalcoreBinding;
class StatusLine;
struct Services;

// The hints most screens give their usual buttons.
namespace usual_hints {
inline const QString kClear = QStringLiteral(" Clear all Input and Output fields");
inline const QString kCalendar = QStringLiteral(" Access the OnLine Calendar.");
inline const QString kDateFormats = QStringLiteral(" View the 40 Supported I/O Date Formats.");
inline const QString kInfo = QStringLiteral(" Information on the Kalendrix Software");
inline const QString kExitBack = QStringLiteral(" Exit back to the previous screen.");
}  // namespace usual_hints

class Screen : public QDialog {
    Q_OBJECT
  public:
    Screen(Services& services, const char* name, const QString& caption, QWidget* owner);

    StatusLine* statusLine() const { return statusLine_; }

  protected:
    // Own: a button of the screen's own, doing `run`; it has no usual name
    // or caption, so its description gives both.
    enum class Action { Ok, Clear, Calendar, DateFormats, Help, Info, ExitBack, Own };
    struct ButtonSpec {
        Action action;
        QString hint;                    // empty: no hint
        const char* name = nullptr;      // the object name; nullptr: the action's usual one
        QString caption = {};            // empty: the action's usual caption
        std::function<void()> run = {};  // what an Own button does
    };

    Services& services() const { return services_; }
    KalcoreBinding& kalcore() const;
    // The layout above the status line, for the screen's own controls.
    QVBoxLayout* body() const { return body_; }

    // A group of buttons, stacked, each doing its action. The first OK
    // button (else the first Exit Back, as on a help screen) becomes the
    // default button, which Enter presses from an entry field; Enter and
    // Space on a focused button press that button.
    QGroupBox* buttonGroup(std::initializer_list<ButtonSpec> buttons,
                           const QString& title = QStringLiteral("Choose your Button"));
    // The usual arrangement: the screen's own controls with the button group
    // to their right, outside the part that scrolls on a small screen.
    void arrange(QLayout* controls, QGroupBox* buttons);

    // The button Enter presses from an entry field (buttonGroup() chooses
    // it unless the screen does).
    void setDefaultButton(QPushButton* button);

    void setMessageCaption(const QString& caption) { messageCaption_ = caption; }
    void setMessageStyle(MessageStyle style) { messageStyle_ = style; }
    void setHelpScreen(const QString& name) { helpScreen_ = name; }

    // Shows `text` in a box owned by this screen, under its message caption
    // in its message style (the exclamation box unless set), or under the
    // caption and in the style given.
    void message(const QString& text);
    void message(const QString& caption, const QString& text,
                 MessageStyle style = MessageStyle::Exclamation);

    // Reads `field` without the blanks around it into `date` and checks it
    // with KD_ISVDATE. An empty text shows `whenEmpty` without a library
    // call, a date the library refuses shows `whenBad`; after either the
    // focus goes to `focus` (the field itself when none) and the answer is
    // false. On true `date` holds the date as the library rewrote it.
    bool readDate(QLineEdit* field, DateText& date, const QString& whenEmpty,
                  const QString& whenBad, QWidget* focus = nullptr);

    // Opens another screen modally over this one.
    void openScreen(const QString& name);

    // A result computed from `inputs`: when the user changes one of them
    // (types into a field, picks from a list, ticks a box, or places a
    // picked date), `stale` runs, which empties the result shown beside
    // inputs it was not computed from.
    void resultOf(std::initializer_list<QWidget*> inputs, std::function<void()> stale);
    // The same, emptying the output labels and fields given.
    void resultOf(std::initializer_list<QWidget*> inputs, std::initializer_list<QWidget*> outputs);

    virtual void ok() {}
    virtual void clear() {}
    // The Calendar button: opens frmMain.
    virtual void calendar();
    virtual void help();
    // The screen is closing, by Exit Back, the close box or Escape alike.
    virtual void closing() {}

    void done(int result) override;
    void showEvent(QShowEvent* event) override;

  private:
    void act(Action action);

    Services& services_;
    QVBoxLayout* body_;
    QVBoxLayout* side_;
    StatusLine* statusLine_;
    QString messageCaption_;
    MessageStyle messageStyle_ = MessageStyle::Exclamation;
    QString helpScreen_;
    bool ordered_ = false;
    QPushButton* defaultButton_ = nullptr;
};

}  // namespace kaldate
