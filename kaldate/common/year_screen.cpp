#include "common/year_screen.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/services.h"
#include "common/texts.h"
#include "platform/keyboard_state.h"

namespace kaldate {

YearScreen::YearScreen(Services& services, const char* name, const char* yearField,
                       const QString& caption, QWidget* owner)
    : Screen(services, name, QStringLiteral("The Kalendrix Software Demo."), owner),
      year_(textField(yearField)) {
    setMessageCaption(caption);
    statusLine()->setVisible(false);
    numLockBefore_ = services.keyboard.numLock();
    services.keyboard.setNumLock(true);
}

void YearScreen::arrangeYearScreen(const QString& headingText, QLayout* outputs) {
    auto* yearRow = new QHBoxLayout;
    yearRow->addWidget(plainLabel(QStringLiteral("Input a 4 digit Year:")));
    year_->setFixedWidth(80);
    yearRow->addWidget(year_);
    yearRow->addStretch();
    auto* column = new QVBoxLayout;
    column->addWidget(heading(headingText));
    column->addLayout(yearRow);
    column->addLayout(outputs);
    column->addStretch();
    arrange(column,
            buttonGroup(
                {
                    {Action::Ok, QString(), "gocmd"},
                    {Action::Clear, QString(), "clearcmd"},
                    {Action::Info, QString(), "infocmd"},
                    {Action::ExitBack, QString(), "exitoutcmd"},
                    {Action::Calendar, QString(), "calcmd", QStringLiteral("Calendar    Check")},
                },
                QStringLiteral("Options")));
}

bool YearScreen::readYear(YearText& year, const QString& whenEmpty, std::int32_t* fullYear) {
    const QString text = trimBlanks(year_->text());
    if (text.isEmpty()) {
        year_->clear();
        message(whenEmpty);
        year_->setFocus();
        return false;
    }
    // The year's field (blank-padded to 5) after "01-01-": "2026" is checked
    // as "01-01-2026 ".
    year = YearText(text);
    DateText firstDay(QStringLiteral("01-01-") + year.shown());
    if (kalcore().isvdate(firstDay) != 1) {
        message(QStringLiteral("Error: Bad Input Year(CCYY) value "));
        year_->setFocus();
        return false;
    }
    // The check rewrote the day as "Jan/01/CCYY".
    if (fullYear != nullptr) *fullYear = toInt32(firstDay.shown().mid(7, 4)).value_or(0);
    return true;
}

void YearScreen::closing() {
    if (numLockBefore_) services().keyboard.setNumLock(*numLockBefore_);
}

}  // namespace kaldate
