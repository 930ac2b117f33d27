#include "screens/julian_conversion.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/texts.h"

namespace kaldate {

namespace {

// One half of the screen: a group with the input in its "Input" group and the
// result in its "Output" group.
QGroupBox* half(const QString& title, const QString& inputLabel, QLineEdit* input,
                const QString& outputLabelText, QLabel* output) {
    auto* box = group(title);
    auto* inputGroup = group(QStringLiteral("Input"));
    auto* inputRow = new QHBoxLayout(inputGroup);
    inputRow->addWidget(plainLabel(inputLabel));
    inputRow->addWidget(input, 1);
    auto* outputGroup = group(QStringLiteral("Output"));
    auto* outputRow = new QHBoxLayout(outputGroup);
    outputRow->addWidget(plainLabel(outputLabelText));
    outputRow->addWidget(output, 1);
    auto* column = new QVBoxLayout(box);
    column->addWidget(inputGroup);
    column->addWidget(outputGroup);
    column->addStretch();
    return box;
}

}  // namespace

JulianConversion::JulianConversion(Services& services, QWidget* owner)
    : Screen(services, "julcalform", QStringLiteral("The Kalendrix Software Demo"), owner),
      julian_(
          textField("juliandatein", QStringLiteral(" Input a Julian Date, such as: 1998365 -> for "
                                                   "Dec/31/1998"))),
      calendarOut_(outputLabel("julenormdate",
                               QStringLiteral(" A Computed Calender Date from a Julian Date"))),
      calendar_(textField("caldatein", QStringLiteral(" Input a Calender Date, such as: "
                                                      "Dec/31/1998 -> for 1998365 "))),
      julianOut_(outputLabel("Juldateout",
                             QStringLiteral(" A Computed Julian Date from a Calender Date"))) {
    auto* halves = new QHBoxLayout;
    halves->addWidget(half(QStringLiteral("Julian Date to Calendar Date Conversion"),
                           QStringLiteral("Julian Date: "), julian_,
                           QStringLiteral("Calender Date:"), calendarOut_));
    halves->addWidget(half(QStringLiteral("Calendar Date to Julian Date Conversion"),
                           QStringLiteral("Calendar Date: "), calendar_,
                           QStringLiteral("Julian Date:"), julianOut_));
    arrange(halves,
            buttonGroup({
                {Action::Ok,
                 QStringLiteral("Execute a Julian to Calendar OR Calendar to Julian Conversion"),
                 "OKButton1"},
                {Action::Clear, usual_hints::kClear, "clrbutton4"},
                {Action::Help,
                 QStringLiteral("Help on Julian to Calendar OR (Calendar to Julian) Conversion"),
                 "HelpButton2"},
                {Action::Info, usual_hints::kInfo, "abtbutton3"},
                {Action::ExitBack, usual_hints::kExitBack, "exitbutton5"},
            }));
    setHelpScreen(QStringLiteral("exampl8"));
    resultOf({julian_}, {calendarOut_});
    resultOf({calendar_}, {julianOut_});
}

void JulianConversion::ok() {
    const QString julian = trimBlanks(julian_->text());
    const QString calendar = trimBlanks(calendar_->text());
    // A failed half does not stop the other.
    if (!julian.isEmpty()) toCalendar(julian);
    if (!calendar.isEmpty()) toJulian(calendar);
    if (julian.isEmpty() && calendar.isEmpty()) {
        message(QStringLiteral("Date Inputs"),
                QStringLiteral("Error: A Julian Date Input and/or Calendar Date Input is "
                               "Needed. "));
    }
}

void JulianConversion::toCalendar(const QString& julian) {
    calendarOut_->clear();
    JulianText field(julian);
    const TextResult date = kalcore().revjuliandate(field);
    if (date.status == 1) {
        calendarOut_->setText(date.text);
        return;
    }
    message(QStringLiteral("Julian to Calendar"),
            QStringLiteral("Error: Bad Julian Date Conversion/Input "));
    julian_->setFocus();
    calendarOut_->setText(QStringLiteral(" Oops!"));
}

// The date is not checked first: the conversion's status is the only check.
void JulianConversion::toJulian(const QString& date) {
    julianOut_->clear();
    DateText field(date);
    const TextResult julian = kalcore().juliandate(field, JulianOutput::Conversion);
    if (julian.status == 1) {
        julianOut_->setText(julian.text);
        return;
    }
    message(QStringLiteral("Calendar to Julian"),
            QStringLiteral("Error: Bad Calendar Date Conversion/Input "));
    calendar_->setFocus();
    julianOut_->setText(QStringLiteral(" Oops!!"));
}

void JulianConversion::clear() {
    julian_->clear();
    calendarOut_->clear();
    calendar_->clear();
    julianOut_->clear();
}

JulianHelp::JulianHelp(Services& services, QWidget* owner)
    : Screen(services, "exampl8", QStringLiteral("Julian Date to Calendar Date Example(s)"),
             owner) {
    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Input or as (Output)")), 0, 1);
    form->addWidget(plainLabel(QStringLiteral("Output or as (Input)")), 0, 3);
    const char* const examples[][2] = {
        {"1998043", "02-12-1998"}, {"1996345", "12-10-1996"}, {"1989234", "08-22-1989"}};
    int row = 1;
    for (const auto& example : examples) {
        form->addWidget(plainLabel(QStringLiteral("Julian Date:")), row, 0);
        QLabel* julian = outputLabel(nullptr);
        julian->setText(QLatin1String(example[0]));
        form->addWidget(julian, row, 1);
        form->addWidget(plainLabel(QStringLiteral(" To  Calendar Date: ")), row, 2);
        QLabel* calendar = outputLabel(nullptr);
        calendar->setText(QLatin1String(example[1]));
        form->addWidget(calendar, row, 3);
        ++row;
    }
    form->setColumnMinimumWidth(1, 110);
    form->setColumnMinimumWidth(3, 110);
    form->setRowStretch(row, 1);
    arrange(form, buttonGroup({{Action::ExitBack, QString()}}));
}

}  // namespace kaldate
