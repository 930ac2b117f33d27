#include "common/screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/screen_host.h"
#include "common/services.h"
#include "common/texts.h"
#include "common/window_setup.h"

namespace kaldate {

namespace {

// Captions and object names by Screen::Action.
// An Own button brings its own.
constexpr const char* kUsualCaptions[] = {"OK",   "Clear", "Calendar",  "  Date Formats",
                                          "Help", "Info",  "Exit Back", ""};
constexpr const char* kUsualNames[] = {"okbutton",          "clearbutton", "calendarbutton",
                                       "dateformatsbutton", "helpbutton",  "infobutton",
                                       "exitbackbutton",    "ownbutton"};

}  // namespace

Screen::Screen(Services& services, const char* name, const QString& caption, QWidget* owner)
    : QDialog(owner),
      services_(services),
      body_(new QVBoxLayout),
      side_(new QVBoxLayout),
      statusLine_(new StatusLine(this)) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    // The body scrolls where the screen is too small for it; the buttons
    // beside it stay in view.
    auto* row = new QHBoxLayout;
    row->addWidget(fittingArea(body_), 1);
    row->addLayout(side_);
    body_->setContentsMargins(0, 0, 0, 0);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(statusLine_);
    statusLine_->clear();
}

KalcoreBinding& Screen::kalcore() const {
    return services_.kalcore;
}

QGroupBox* Screen::buttonGroup(std::initializer_list<ButtonSpec> buttons, const QString& title) {
    auto* box = group(title);
    auto* column = new QVBoxLayout(box);
    QPushButton* firstOk = nullptr;
    QPushButton* firstExit = nullptr;
    for (const ButtonSpec& entry : buttons) {
        const auto index = static_cast<int>(entry.action);
        const QString caption =
            entry.caption.isEmpty() ? QString::fromLatin1(kUsualCaptions[index]) : entry.caption;
        QPushButton* button = pushButton(entry.name != nullptr ? entry.name : kUsualNames[index],
                                         caption, entry.hint);
        if (entry.action == Action::Ok && firstOk == nullptr) firstOk = button;
        if (entry.action == Action::ExitBack && firstExit == nullptr) firstExit = button;
        const Action action = entry.action;
        if (action == Action::Own) {
            connect(button, &QPushButton::clicked, this, entry.run);
        } else {
            connect(button, &QPushButton::clicked, this, [this, action] { act(action); });
        }
        column->addWidget(button);
    }
    column->addStretch();
    if (QPushButton* main = firstOk != nullptr ? firstOk : firstExit) setDefaultButton(main);
    return box;
}

void Screen::arrange(QLayout* controls, QGroupBox* buttons) {
    body_->addLayout(controls);
    side_->addWidget(buttons);
}

void Screen::done(int result) {
    if (isVisible()) closing();
    QDialog::done(result);
}

void Screen::setDefaultButton(QPushButton* button) {
    defaultButton_ = button;
    button->setDefault(true);
}

void Screen::showEvent(QShowEvent* event) {
    if (!ordered_) {
        ordered_ = true;
        orderForKeyboard(this);
        if (!testAttribute(Qt::WA_Resized)) fitWindow(this);
        // Made the default again now that it stands in this dialog: the
        // dialog takes it as the one Enter presses from an entry field, and
        // comes back to it when the focus leaves another button.
        if (defaultButton_ != nullptr) {
            defaultButton_->setDefault(false);
            defaultButton_->setDefault(true);
        }
    }
    QDialog::showEvent(event);
}

void Screen::resultOf(std::initializer_list<QWidget*> inputs, std::function<void()> stale) {
    for (QWidget* input : inputs) {
        if (auto* field = qobject_cast<QLineEdit*>(input)) {
            connect(field, &QLineEdit::textEdited, this, stale);
        } else if (auto* list = qobject_cast<QComboBox*>(input)) {
            connect(list, &QComboBox::activated, this, stale);
        } else if (auto* box = qobject_cast<QAbstractButton*>(input)) {
            connect(box, &QAbstractButton::clicked, this, stale);
        }
    }
}

void Screen::resultOf(std::initializer_list<QWidget*> inputs,
                      std::initializer_list<QWidget*> outputs) {
    const QList<QWidget*> shown(outputs);
    resultOf(inputs, [shown] {
        for (QWidget* output : shown) {
            if (auto* label = qobject_cast<QLabel*>(output)) label->clear();
            if (auto* field = qobject_cast<QLineEdit*>(output)) field->clear();
        }
    });
}

void Screen::act(Action action) {
    switch (action) {
        case Action::Ok:
            ok();
            break;
        case Action::Clear:
            clear();
            break;
        case Action::Calendar:
            calendar();
            break;
        case Action::DateFormats:
            kalcore().helpBox();
            break;
        case Action::Help:
            help();
            break;
        case Action::Info:
            kalcore().aboutBox();
            break;
        case Action::ExitBack:
            close();
            break;
        case Action::Own:
            break;
    }
}

void Screen::calendar() {
    openScreen(QStringLiteral("frmMain"));
}

void Screen::help() {
    if (!helpScreen_.isEmpty()) openScreen(helpScreen_);
}

bool Screen::readDate(QLineEdit* field, DateText& date, const QString& whenEmpty,
                      const QString& whenBad, QWidget* focus) {
    const QString text = trimBlanks(field->text());
    date = DateText(text);
    const bool good = !text.isEmpty() && kalcore().isvdate(date) == 1;
    if (!good) {
        message(text.isEmpty() ? whenEmpty : whenBad);
        (focus != nullptr ? focus : field)->setFocus();
    }
    return good;
}

void Screen::openScreen(const QString& name) {
    services_.screens.open(name, this);
}

void Screen::message(const QString& text) {
    message(messageCaption_, text, messageStyle_);
}

void Screen::message(const QString& caption, const QString& text, MessageStyle style) {
    // When the library or a function could not be found, its box has said so
    // for this press; a message about the input would blame the user for it.
    if (kalcore().problemReported()) return;
    services_.messages.show(this, style, caption, text);
}

}  // namespace kaldate
