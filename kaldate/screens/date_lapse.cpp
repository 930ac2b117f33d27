#include "screens/date_lapse.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <cstring>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/texts.h"

namespace kaldate {

namespace {

// The lapse between two dates: years, months, weeks and days (the library's
// fifth answer is not shown); nothing when the library refuses.
std::optional<std::array<std::int32_t, 4>> lapse(KalcoreBinding& library, DateText& start,
                                                 DateText& end) {
    std::array<std::int32_t, 4> numbers{};
    std::int32_t fifth = 0;
    if (library.datelapse(start, end, numbers[0], numbers[1], numbers[2], numbers[3], fifth) != 1) {
        return std::nullopt;
    }
    return numbers;
}

}  // namespace

DateLapse::DateLapse(Services& services, QWidget* owner)
    : Screen(services, "datlapsfrm", QStringLiteral("The Kalendrix Software Demo."), owner),
      start_(textField("dlpstrtdate",
                       QStringLiteral(" Enter in a Start Date - For the Date Lapse Conversion"))),
      end_(textField("dlpenddate",
                     QStringLiteral(" Enter in an End Date - For the Date Lapse Conversion"))),
      outputs_{outputLabel("dlpnyrs", QStringLiteral(" The number of Years")),
               outputLabel("dlpnmons", QStringLiteral(" The number of Months")),
               outputLabel("dlpnwks", QStringLiteral(" The number of Weeks")),
               outputLabel("dlpndays", QStringLiteral(" The number of Days"))},
      startMarker_(focusMarker("lpstartval", start_)),
      endMarker_(focusMarker("lpendval", end_)) {
    setMessageCaption(QStringLiteral("Date Lapse"));
    setHelpScreen(QStringLiteral("datelapsehlpf"));

    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Enter in a Start Date:")), 0, 0, 1, 2);
    form->addWidget(start_, 0, 2, 1, 2);
    form->addWidget(plainLabel(QStringLiteral("And an End Date:")), 1, 0, 1, 2);
    form->addWidget(end_, 1, 2, 1, 2);
    const char* const headings[] = {"No. Yrs", "No. Mons", "No. Wks", "No. Days"};
    for (int column = 0; column < 4; ++column) {
        form->addWidget(plainLabel(QLatin1String(headings[column])), 2, column, Qt::AlignBottom);
        form->addWidget(outputs_[column], 3, column);
        form->setColumnMinimumWidth(column, 80);
        form->setColumnStretch(column, 1);
    }
    form->setRowMinimumHeight(2, 36);

    auto* column = new QVBoxLayout;
    column->addWidget(heading(QStringLiteral("Date Lapse Conversions")));
    column->addLayout(form);
    column->addWidget(startMarker_);
    column->addWidget(endMarker_);
    column->addStretch();
    arrange(
        column,
        buttonGroup({
            {Action::Ok, QStringLiteral(" Perform the Date Lapse Conversion"), "cmddlc1ok"},
            {Action::Clear, usual_hints::kClear, "cmddlc6_clr"},
            {Action::Calendar, usual_hints::kCalendar, "cmd5dlc_caldr"},
            {Action::DateFormats, usual_hints::kDateFormats, "cmddlc3_dthlp"},
            {Action::Help, QStringLiteral(" Help for the Date Lapse Conversion"), "cmddlc2_hlp"},
            {Action::Info, usual_hints::kInfo, "cmd8dlc_abt"},
            {Action::ExitBack, usual_hints::kExitBack, "cmd7dlc_exit"},
        }));
    resultOf({start_, end_}, {outputs_[0], outputs_[1], outputs_[2], outputs_[3]});
}

void DateLapse::ok() {
    startMarker_->setText(QStringLiteral("0"));
    endMarker_->setText(QStringLiteral("0"));
    // A stale lapse beside an error message would read as its answer.
    for (QLabel* output : outputs_) output->clear();
    // After every error the focus goes to the start date, whichever field
    // was wrong; an empty start date reads as a bad one.
    DateText start;
    DateText end;
    const QString badStart = QStringLiteral("Error: Bad Start Date ");
    if (!readDate(start_, start, badStart, badStart) ||
        !readDate(end_, end, QStringLiteral("Error: An End Date is needed "),
                  QStringLiteral("Error: Bad End Date"), start_)) {
        return;
    }
    const auto numbers = lapse(kalcore(), start, end);
    if (!numbers) {
        message(QStringLiteral("Error: Bad Date Lapse Conversions"));
        start_->setFocus();
        return;
    }
    for (std::size_t i = 0; i < outputs_.size(); ++i)
        outputs_[i]->setText(decimalForm((*numbers)[i]));
    message(QStringLiteral("Date Lapse Conversions Success"));
}

void DateLapse::clear() {
    start_->clear();
    end_->clear();
    for (QLabel* output : outputs_) output->clear();
}

DateLapseHelp::DateLapseHelp(Services& services, QWidget* owner)
    : Screen(services, "datelapsehlpf", QStringLiteral("Date Lapse Information"), owner) {
    auto* form = new QGridLayout;
    form->addWidget(textBlock(QStringLiteral("The Date Lapse Conversions returns the following  "
                                             "        Information based on a Start and End "
                                             "Dates:")),
                    0, 0, 1, 3);
    form->addWidget(plainLabel(QStringLiteral("Approx: (+-) No. of Yrs, Mons, Wks, and Days.")), 1,
                    0, 1, 3);
    form->addWidget(plainLabel(QStringLiteral("Leap Years are taken into the approximation.")), 2,
                    0, 1, 3);
    // The numbers stand under the words of their heading, in a font of fixed
    // width, each ending where its word ends.
    const QString columns = QStringLiteral(" No. Yrs     Mons    Wks     Days ");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    form->addWidget(plainLabel(QStringLiteral("Start Date")), 3, 0);
    form->addWidget(plainLabel(QStringLiteral("End Date")), 3, 1);
    QLabel* columnHeading = plainLabel(columns);
    columnHeading->setFont(fixed);
    form->addWidget(columnHeading, 3, 2);
    std::array<qsizetype, 4> ends{};
    const char* const words[] = {"Yrs", "Mons", "Wks", "Days"};
    for (std::size_t i = 0; i < ends.size(); ++i) {
        ends[i] = columns.indexOf(QLatin1String(words[i])) + qsizetype(std::strlen(words[i]));
    }

    // The examples' numbers are the library's answers, asked for now.
    const char* const pairs[][2] = {
        {"09/24/1990", "03/31/1993"}, {"03/31/1993", "09/24/1990"}, {"04/10/1998", "02/12/2002"}};
    int row = 4;
    for (const auto& pair : pairs) {
        DateText start(QString::fromLatin1(pair[0]));
        DateText end(QString::fromLatin1(pair[1]));
        QString numbers;
        if (const auto lapsed = lapse(kalcore(), start, end)) {
            for (std::size_t i = 0; i < ends.size(); ++i) {
                numbers += decimalForm((*lapsed)[i]).rightJustified(ends[i] - numbers.size());
            }
        }
        QLabel* answers = plainLabel(numbers);
        answers->setObjectName(QStringLiteral("example%1").arg(row - 3));
        answers->setFont(fixed);
        form->addWidget(plainLabel(QLatin1String(pair[0])), row, 0);
        form->addWidget(plainLabel(QLatin1String(pair[1])), row, 1);
        form->addWidget(answers, row, 2);
        ++row;
    }
    form->setHorizontalSpacing(16);
    form->setRowStretch(row, 1);
    arrange(form, buttonGroup({{Action::ExitBack, QString()}}));
}

}  // namespace kaldate
