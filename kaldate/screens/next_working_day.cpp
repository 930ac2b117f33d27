#include "screens/next_working_day.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/texts.h"

namespace kaldate {

namespace {

// The library found no working day: the day reached lies beyond the dates
// it supports, or a holiday could not be looked up.
const QString kNoWorkingDay = QStringLiteral(
    "Error: No Working Day could be computed: the date reached lies beyond the supported "
    "dates, or the holiday file could not be read.");

}  // namespace

WorkingDayScreen::WorkingDayScreen(Services& services, const char* name, QWidget* owner)
    : Screen(services, name, QStringLiteral("The Kalendrix Software Demo."), owner),
      start_(textField("nextstartday")),
      days_(textField("nextdayval")),
      output_(outputLabel("thenextday")) {
    for (QWidget* field : {static_cast<QWidget*>(start_), static_cast<QWidget*>(days_),
                           static_cast<QWidget*>(output_)}) {
        field->setFixedWidth(150);
    }
    resultOf({start_, days_}, {output_});
}

bool WorkingDayScreen::compute(const InputErrors& errors, std::int32_t useHolidays) {
    // A result stays only beside the inputs it was computed from.
    output_->clear();
    DateText start;
    if (!readDate(start_, start, errors.startMissing, errors.startBad)) return false;
    const QString daysText = trimBlanks(days_->text());
    if (daysText.isEmpty()) {
        message(errors.daysMissing);
        days_->setFocus();
        return false;
    }
    // A number beyond 32 bits counts as not numeric.
    std::optional<std::int32_t> days = toInt32(daysText);
    if (!days) {
        message(QStringLiteral("Next Working Day Feature"),
                QStringLiteral("Error: Bad Numeric Number of Days Entered in"));
        days_->setFocus();
        return false;
    }
    if (*days < 1) {
        days = 1;
        days_->setText(decimalForm(*days));
    }
    const TextResult next = kalcore().nxtwrkday(start, *days, useHolidays);
    if (next.status != 1) {
        message(QStringLiteral("Next Working Day Feature"), kNoWorkingDay);
        days_->setFocus();
        return false;
    }
    output_->setText(next.text);
    return true;
}

NextWorkingDay::NextWorkingDay(Services& services, QWidget* owner)
    : WorkingDayScreen(services, "nxtwrkdayform", owner),
      useHolidays_(checkBox("holdyfeatchk", QStringLiteral("Incorporate Holiday Feature?"),
                            QStringLiteral("Access the External Data File Feature."))) {
    setMessageCaption(QStringLiteral("Next Working Day Feature"));
    setHelpScreen(QStringLiteral("nxtwrkhlpfrm"));
    resultOf({useHolidays_}, {output_});
    start_->setStatusTip(QStringLiteral(" Input a Start Date."));
    days_->setStatusTip(QStringLiteral(" Input a POSITIVE number of days."));
    const QString outputHint = QStringLiteral(" The Computed Output Date.");
    output_->setStatusTip(outputHint);

    auto* output = group(QStringLiteral("Output"), outputHint);
    auto* outputRow = new QHBoxLayout(output);
    outputRow->addWidget(plainLabel(QStringLiteral("A Computed Date:")), 1);
    outputRow->addWidget(output_);

    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Enter in a Start Date:")), 0, 0);
    form->addWidget(start_, 0, 1);
    form->addWidget(plainLabel(QStringLiteral("+  A Number of Days:")), 1, 0);
    form->addWidget(days_, 1, 1);
    form->addWidget(useHolidays_, 2, 0, 1, 2);
    form->setColumnStretch(0, 1);

    auto* column = new QVBoxLayout;
    column->addWidget(heading(QStringLiteral("Next Working Day Feature")));
    column->addLayout(form);
    column->addWidget(output);
    column->addStretch();
    arrange(
        column,
        buttonGroup({
            {Action::Ok, QStringLiteral(" Execute the Next Working Day Feature.")},
            {Action::Clear, QStringLiteral(" Clear all fields.")},
            {Action::Calendar, usual_hints::kCalendar, "Command1"},
            {Action::DateFormats, usual_hints::kDateFormats, "helpbutton"},
            {Action::Help, QStringLiteral(" Access Help for Next Working Day Feature."),
             "olhelpbutton"},
            {Action::Info, QStringLiteral(" Information on the Kalendrix Software."),
             "Aboutbutton"},
            {Action::ExitBack, QStringLiteral(" Exit Back to the Previous Screen. "), "exitout"},
        }));
}

void NextWorkingDay::ok() {
    const std::int32_t useHolidays = useHolidays_->checkState() != Qt::Unchecked ? 1 : 0;
    // A library failure shows nothing: the previous result stays.
    if (compute({QStringLiteral("Error: A Start Date is Needed "),
                 QStringLiteral("Error: A Bad Start Date was Entered in"),
                 QStringLiteral("Error: A Numeric Number of Days is Needed")},
                useHolidays)) {
        message(QStringLiteral("Next Work Day Feature"),
                QStringLiteral("Next Working Day Success "));
    }
}

void NextWorkingDay::clear() {
    WorkingDayScreen::clear();
    useHolidays_->setCheckState(Qt::Unchecked);
}

NextWorkingDayHelp::NextWorkingDayHelp(Services& services, QWidget* owner)
    : WorkingDayScreen(services, "nxtwrkhlpfrm", owner) {
    setMessageCaption(QStringLiteral("Next Working Day"));
    setMessageStyle(MessageStyle::Information);
    // The example: 35 working days after Wednesday 04/15/1998 is 06/03/1998.
    start_->setText(QStringLiteral("04/15/1998"));
    days_->setText(QStringLiteral("35"));
    output_->setText(QStringLiteral("06/03/1998"));

    auto* form = new QGridLayout;
    form->addWidget(heading(QStringLiteral("Next Working Day Feature")), 0, 0, 1, 2);
    form->addWidget(plainLabel(QStringLiteral("1) First, You need to enter in a Start Date:")), 1,
                    0);
    form->addWidget(start_, 1, 1);
    form->addWidget(
        plainLabel(QStringLiteral("2) You need to provide a Positive Number of Days into the "
                                  "future:")),
        2, 0);
    form->addWidget(days_, 2, 1);
    form->addWidget(plainLabel(QStringLiteral("3) Then a Computed Date is calculated for you:")), 3,
                    0);
    form->addWidget(output_, 3, 1);
    form->addWidget(plainLabel(QStringLiteral("Note: All negative numbers are changed to a value "
                                              "of 1")),
                    4, 0, 1, 2);
    form->setColumnStretch(0, 1);
    form->setRowStretch(5, 1);
    arrange(form, buttonGroup({
                      {Action::Ok, QString()},
                      {Action::Clear, QString()},
                      {Action::Info, QString()},
                      {Action::ExitBack, QString()},
                  }));
}

void NextWorkingDayHelp::ok() {
    compute({QStringLiteral("ERROR: A Start Date is Needed "),
             QStringLiteral("ERROR: A Bad Start Date was Entered in "),
             QStringLiteral("ERROR: A Numeric Number of Days is Needed ")},
            0);
}

void WorkingDayScreen::clear() {
    output_->clear();
    start_->clear();
    days_->clear();
}

}  // namespace kaldate
