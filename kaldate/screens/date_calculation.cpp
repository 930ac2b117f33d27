#include "screens/date_calculation.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/texts.h"

namespace kaldate {

namespace {

const QString kCaption = QStringLiteral("Date Calculation");
const QString kInput = QStringLiteral("Input");
const QString kOutput = QStringLiteral("Output");

}  // namespace

DateCalculation::DateCalculation(Services& services, QWidget* owner)
    : Screen(services, "nwdatecalcform", QStringLiteral("The Kalendrix Software Demo."), owner),
      start_(textField("dtcvstartdate", QStringLiteral(" Enter in a Start Date "))),
      days_(textField("dtcvnumdays",
                      QStringLiteral(" Enter in a No. of Days(+ or -) OR Leave it blank for "
                                     "Output"))),
      end_(textField("dtcvenddate",
                     QStringLiteral(" Enter in an End Date OR Leave it blank for Output"))),
      daysGroup_(group(QString())),
      endGroup_(group(QString())),
      startMarker_(focusMarker("startdate_focusval", start_)),
      endMarker_(focusMarker("enddate_focusval", end_)) {
    setMessageCaption(kCaption);
    setHelpScreen(QStringLiteral("datecalcform"));
    daysGroup_->setObjectName(QStringLiteral("ioFramea"));
    endGroup_->setObjectName(QStringLiteral("ioFrameb"));

    auto* daysLayout = new QGridLayout(daysGroup_);
    daysLayout->addWidget(
        textBlock(QStringLiteral("Enter in a No. of Days (+ or -) To help Produce an End Date.")),
        0, 0);
    daysLayout->addWidget(days_, 0, 1);
    daysLayout->setColumnStretch(0, 1);
    auto* endLayout = new QGridLayout(endGroup_);
    endLayout->addWidget(plainLabel(QStringLiteral("(Enter in an) End Date:")), 0, 0);
    endLayout->addWidget(end_, 0, 1);
    endLayout->setColumnStretch(0, 1);
    for (QLineEdit* field : {start_, days_, end_}) field->setFixedWidth(150);

    auto* startRow = new QHBoxLayout;
    startRow->addWidget(plainLabel(QStringLiteral("Enter in a Start Date:")), 1);
    startRow->addWidget(start_);

    auto* column = new QVBoxLayout;
    column->addWidget(heading(QStringLiteral("Date Calculations")));
    column->addLayout(startRow);
    column->addWidget(daysGroup_);
    column->addWidget(endGroup_);
    column->addWidget(startMarker_);
    column->addWidget(endMarker_);
    column->addStretch();
    arrange(column, buttonGroup({
                        {Action::Ok, QStringLiteral(" Perform Date Arithmetic ")},
                        {Action::Clear, usual_hints::kClear},
                        {Action::Calendar, usual_hints::kCalendar},
                        {Action::DateFormats, usual_hints::kDateFormats},
                        {Action::Help, QStringLiteral(" Help for Date Calculations ")},
                        {Action::Info, usual_hints::kInfo},
                        {Action::ExitBack, usual_hints::kExitBack},
                    }));
    // The field the last computation filled empties when an input it was
    // computed from changes; the direction shown goes with it.
    resultOf({start_, days_, end_}, [this] {
        QObject* edited = sender();
        const bool endComputed = daysGroup_->title() == kInput;
        const bool daysComputed = daysGroup_->title() == kOutput;
        if (endComputed && edited != end_) end_->clear();
        if (daysComputed && edited != days_) days_->clear();
        showDirection(QString(), QString());
    });
}

void DateCalculation::ok() {
    startMarker_->setText(QStringLiteral("0"));
    endMarker_->setText(QStringLiteral("0"));
    const QString endText = trimBlanks(end_->text());
    DateText start;
    if (!readDate(start_, start, QStringLiteral("Error: You need a Start Date "),
                  QStringLiteral("Error: Bad Start Date "))) {
        return;
    }
    if (endText.isEmpty()) {
        computeEndDate(start);
    } else {
        computeDays(start, endText);
    }
}

// Start date and days given: the end date.
void DateCalculation::computeEndDate(DateText& start) {
    end_->clear();
    const QString daysText = trimBlanks(days_->text());
    if (daysText.isEmpty()) {
        message(QStringLiteral("Error: You need a (+-) Number of Days. "));
        days_->setFocus();
        return;
    }
    // A number beyond 32 bits counts as not numeric.
    const std::optional<std::int32_t> days = toInt32(daysText);
    if (!days) {
        message(QStringLiteral("Error: You need NUMERIC Number of Days. "));
        days_->setFocus();
        return;
    }
    const TextResult end = kalcore().cmpteadate(*days, start);
    if (end.status == 1) {
        end_->setText(end.text);
        showDirection(kInput, kOutput);
        message(QStringLiteral("Date Calcuation"), QStringLiteral("Date Calcuation Success"));
    } else {
        message(QStringLiteral("Error! "));
    }
}

// Start and end date given: the number of days between them, which replaces
// whatever the days field held.
void DateCalculation::computeDays(DateText& start, const QString& endText) {
    DateText end(endText);
    if (kalcore().isvdate(end) != 1) {
        message(QStringLiteral("Error: Bad End Date "));
        end_->setFocus();
        return;
    }
    days_->clear();
    std::int32_t days = 0;
    if (kalcore().cmptenumdays(start, end, days) == 1) {
        days_->setText(decimalForm(days));
        start_->setFocus();
        showDirection(kOutput, kInput);
        message(QStringLiteral("Date Calculation Success"));
    } else {
        message(QStringLiteral("Error: Bad Date(s) "));
    }
}

void DateCalculation::showDirection(const QString& days, const QString& end) {
    daysGroup_->setTitle(days);
    endGroup_->setTitle(end);
}

void DateCalculation::clear() {
    start_->clear();
    days_->clear();
    end_->clear();
    showDirection(QString(), QString());
}

DateCalculationHelp::DateCalculationHelp(Services& services, QWidget* owner)
    : Screen(services, "datecalcform", QStringLiteral("Date Calculation Example"), owner) {
    // The worked example both ways: 1404 days after 04/10/1998 is 02/12/2002.
    const auto value = [](const char* name, const char* text) {
        QLabel* label = outputLabel(name);
        label->setText(QLatin1String(text));
        return label;
    };
    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("First Input Start Date:")), 0, 0, 1, 2);
    form->addWidget(value("examplestart", "04/10/1998"), 0, 2);
    form->addWidget(plainLabel(QStringLiteral("Then, you can one of two things:")), 1, 0, 1, 3);
    form->addWidget(
        plainLabel(QStringLiteral("A) Input a +- Number  of days , to compute a Date.")), 2, 0, 1,
        3);
    form->addWidget(plainLabel(QStringLiteral("Number of Days")), 3, 1);
    form->addWidget(value("exampledays", "  1404"), 3, 2);
    form->addWidget(plainLabel(QStringLiteral("Computed End Date")), 4, 1);
    form->addWidget(value("exampleend", "02/12/2002"), 4, 2);
    form->addWidget(textBlock(QStringLiteral("B) Input an End Date, to compute a difference in  "
                                             "                               (+-)number of "
                                             "days.")),
                    5, 0, 1, 3);
    form->addWidget(plainLabel(QStringLiteral("End Date")), 6, 1);
    form->addWidget(value("exampleenddate", "02/12/2002"), 6, 2);
    form->addWidget(plainLabel(QStringLiteral("Computed Number of Days")), 7, 1);
    form->addWidget(value("examplenumdays", "  1404"), 7, 2);
    form->setColumnMinimumWidth(0, 20);
    form->setColumnMinimumWidth(2, 120);
    form->setRowStretch(8, 1);
    arrange(form, buttonGroup({{Action::ExitBack, QString()}}));
}

}  // namespace kaldate
