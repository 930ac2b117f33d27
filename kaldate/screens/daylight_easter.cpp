#include "screens/daylight_easter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/texts.h"

namespace kaldate {

namespace {

// Shows `date` in the form "mmm-DD-CCYY" (code "M") in `dateOutput` and, when
// `withDay`, the converted date's day of the week in `dayOutput`, else
// nothing there.
void showConverted(KalcoreBinding& library, const QString& date, QLabel* dateOutput,
                   QLabel* dayOutput, bool withDay) {
    DateText input(date);
    const QString converted = library.convdate(input, QLatin1Char('M'), 0, 0).text;
    dateOutput->setText(converted);
    DateText convertedField(converted);
    dayOutput->setText(withDay ? library.cdow(convertedField).text : QString());
}

}  // namespace

DaylightSavingDates::DaylightSavingDates(Services& services, QWidget* owner)
    : YearScreen(services, "daylightform", "dlstyr", QStringLiteral("DayLight Savings Info"),
                 owner),
      startLabel_(plainLabel(QString())),
      start_(outputLabel("firstoutput1")),
      startDay_(outputLabel("startdow")),
      endLabel_(plainLabel(QString())),
      end_(outputLabel("secondoutput2")),
      endDay_(outputLabel("enddow")),
      zone_(outputLabel("thirdoutput3")),
      noAdjustment_(plainLabel(QStringLiteral("No Daylight Savings Time Adjustments needed."))),
      noDaylightSaving_(plainLabel(QStringLiteral("No daylight saving time in this time zone."))) {
    noDaylightSaving_->setObjectName(QStringLiteral("nodaylightsaving"));
    startLabel_->setObjectName(QStringLiteral("firstlabel1"));
    endLabel_->setObjectName(QStringLiteral("secondlabel2"));
    noAdjustment_->setObjectName(QStringLiteral("fourthoutput4"));
    // The zone is shown as its first 63 characters, the longest name.
    zone_->setMinimumWidth(zone_->fontMetrics().averageCharWidth() * 66);

    auto* output = group(QStringLiteral("Output"));
    auto* form = new QGridLayout(output);
    form->addWidget(startLabel_, 0, 0);
    form->addWidget(start_, 0, 1);
    form->addWidget(startDay_, 0, 2);
    form->addWidget(endLabel_, 1, 0);
    form->addWidget(end_, 1, 1);
    form->addWidget(endDay_, 1, 2);
    form->addWidget(noAdjustment_, 2, 0, 1, 3);
    form->addWidget(noDaylightSaving_, 5, 0, 1, 3);
    form->addWidget(plainLabel(QStringLiteral("Windows Time Zone: ")), 3, 0);
    form->addWidget(zone_, 4, 0, 1, 3);
    form->setColumnMinimumWidth(0, startLabel_->fontMetrics().horizontalAdvance(
                                       QStringLiteral("DayLight Savings Begins  ")));
    form->setColumnMinimumWidth(1, 110);
    form->setColumnMinimumWidth(2, 100);
    form->setColumnStretch(2, 1);

    auto* outputs = new QVBoxLayout;
    outputs->addWidget(output);
    arrangeYearScreen(QStringLiteral("DayLight Savings Time Zone Information"), outputs);
    emptyOutputs();
    resultOf({year()}, [this] { emptyOutputs(); });
}

void DaylightSavingDates::emptyOutputs() {
    for (QLabel* output : {startLabel_, endLabel_, start_, end_, zone_, startDay_, endDay_}) {
        output->clear();
    }
    for (QLabel* dates : {startLabel_, endLabel_, start_, end_}) dates->setVisible(true);
    noAdjustment_->setVisible(false);
    noDaylightSaving_->setVisible(false);
}

// No status is checked and no message shown once the year is good.
void DaylightSavingDates::ok() {
    emptyOutputs();
    YearText yearField;
    if (!readYear(yearField, QStringLiteral("Error: A Year(CCYY) value is needed"))) return;
    std::int32_t status = 0;
    std::int32_t sameDay = 0;
    const DaylightSaving times = kalcore().daylightsavingstimes(yearField, status, sameDay);
    // A zone without daylight saving time: the library leaves every text
    // empty, and the screen says so instead of showing nothing.
    if (times.status == 1 && trimBlanks(times.start).isEmpty() && trimBlanks(times.end).isEmpty()) {
        noDaylightSaving_->setVisible(true);
        return;
    }
    startLabel_->setText(times.startLabel);
    endLabel_->setText(times.endLabel);
    if (sameDay == 1) {
        for (QLabel* dates : {startLabel_, endLabel_, start_, end_}) dates->setVisible(false);
        noAdjustment_->setVisible(true);
    }
    showConverted(kalcore(), times.start, start_, startDay_, sameDay <= 0);
    showConverted(kalcore(), times.end, end_, endDay_, sameDay <= 0);
    zone_->setText(times.zone);
}

void DaylightSavingDates::clear() {
    year()->clear();
    emptyOutputs();
    year()->setFocus();
}

EasterDate::EasterDate(Services& services, QWidget* owner)
    : YearScreen(services, "easterform", "easterdate", QStringLiteral("Easter Date Info"), owner),
      date_(outputLabel("thedate")),
      day_(outputLabel("easterdow")) {
    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral(" Easter Day is on: ")), 0, 0);
    form->addWidget(date_, 0, 1);
    form->addWidget(plainLabel(QStringLiteral("Day of Week:")), 1, 0);
    form->addWidget(day_, 1, 1);
    form->setColumnMinimumWidth(1, 130);
    form->setColumnStretch(2, 1);

    arrangeYearScreen(QStringLiteral("Easter Day Calculation"), form);
    resultOf({year()}, {date_, day_});
}

void EasterDate::ok() {
    date_->clear();
    day_->clear();
    YearText yearField;
    std::int32_t fullYear = 0;
    if (!readYear(yearField, QStringLiteral("Error: A Year(CCYY) value is needed "), &fullYear)) {
        return;
    }
    std::int32_t month = 0;
    std::int32_t day = 0;
    // Easter of the year the date below is in: a two-digit year is asked for
    // in its century, as the library reads "01-01-98" and the date
    // "4-20-98", not as the year 98.
    kalcore().eastercalc(fullYear, month, day);
    // month-day-year, the year as its 5-character field.
    const QString text =
        trimBlanks(QStringLiteral("%1-%2-%3").arg(month).arg(day).arg(yearField.shown()));
    showConverted(kalcore(), text, date_, day_, true);
    year()->setFocus();
}

void EasterDate::clear() {
    year()->clear();
    date_->clear();
    day_->clear();
    year()->setFocus();
}

}  // namespace kaldate
