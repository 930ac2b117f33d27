#include "common/screen.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/screen_host.h"
#include "common/services.h"
#include "common/texts.h"

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
      statusLine_(new StatusLine(this)) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body_, 1);
    layout->addWidget(statusLine_);
    statusLine_->clear();
}

KalcoreBinding& Screen::kalcore() const {
    return services_.kalcore;
}

QGroupBox* Screen::buttonGroup(std::initializer_list<ButtonSpec> buttons, const QString& title) {
    auto* box = group(title);
    auto* column = new QVBoxLayout(box);
    bool hasDefault = false;
    for (const ButtonSpec& spec : buttons) {
        const auto index = static_cast<int>(spec.action);
        const QString caption =
            spec.caption.isEmpty() ? QString::fromLatin1(kUsualCaptions[index]) : spec.caption;
        QPushButton* button =
            pushButton(spec.name != nullptr ? spec.name : kUsualNames[index], caption, spec.hint);
        if (spec.action == Action::Ok && !hasDefault) {
            button->setDefault(true);
            hasDefault = true;
        }
        const Action action = spec.action;
        if (action == Action::Own) {
            connect(button, &QPushButton::clicked, this, spec.run);
        } else {
            connect(button, &QPushButton::clicked, this, [this, action] { act(action); });
        }
        column->addWidget(button);
    }
    column->addStretch();
    return box;
}

void Screen::arrange(QLayout* controls, QGroupBox* buttons) {
    auto* row = new QHBoxLayout;
    row->addLayout(controls, 1);
    row->addWidget(buttons);
    body_->addLayout(row);
}

void Screen::done(int result) {
    if (isVisible()) closing();
    QDialog::done(result);
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
    services_.messages.show(this, style, caption, text);
}

}  // namespace kaldate
