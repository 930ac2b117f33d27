#include "screens/date_time.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/format_table.h"
#include "common/texts.h"

namespace kaldate {

namespace {

constexpr int kDefaultFormat = 6;  // " DD-mmm-CCYY "

// A clock value as the screen shows it: the number in standard decimal form,
// "/" and the library's two-digit text, without the blanks around it
// (9 and "09 " show as "9/09").
QString numberAndText(std::int32_t number, const QString& text) {
    return trimBlanks(QLatin1Char(' ') + decimalForm(number) + QLatin1Char('/') + text);
}

}  // namespace

DateTime::DateTime(Services& services, QWidget* owner)
    : Screen(services, "datimeretvfrm", QStringLiteral("The Kalendrix Software Demo."), owner),
      formats_(dropDownList("fmtcombo")),
      twentyFourHour_(checkBox("Checkfulltime", QStringLiteral("Check for 24 Hr time"),
                               QStringLiteral(" Check box if you want 24 hour Time"))),
      date_(outputLabel("todaysdate1",
                        QStringLiteral(" This is your System's current Date(Today's Date)"))),
      time_(outputLabel("todaystime1",
                        QStringLiteral(" This is your System's current Time(Today's Time)"))),
      hour_(outputLabel("hourbox", QStringLiteral(" Hours is presented in character/numeric "
                                                  "forms"))),
      minute_(outputLabel("minbox", QStringLiteral(" Minutes is presented in character/numeric "
                                                   "forms"))),
      second_(outputLabel("secbox", QStringLiteral(" Seconds is presented in character/numeric "
                                                   "forms"))),
      amPm_(outputLabel("apmbox", QStringLiteral(" An AM and PM Indicator"))) {
    fillFormatList(formats_, kOutputFormatCount);
    formats_->setCurrentIndex(kDefaultFormat);

    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Todays Date Format")), 0, 0);
    form->addWidget(formats_, 0, 1);
    form->addWidget(
        textBlock(QStringLiteral("<-- Choose a Format       to see the different         Date "
                                 "Formats")),
        0, 2, 2, 1);
    form->addWidget(twentyFourHour_, 1, 0, 1, 2);
    form->addWidget(plainLabel(QStringLiteral("Todays Date:")), 2, 0);
    form->addWidget(date_, 2, 1);
    form->addWidget(plainLabel(QStringLiteral("Current Time:")), 3, 0);
    form->addWidget(time_, 3, 1);

    // Hour, minute and second, each under its heading, and the AM/PM box.
    auto* clock = new QGridLayout;
    const struct {
        const char* label;
        QLabel* output;
    } parts[] = {{" Hour:", hour_}, {"Min:", minute_}, {"Sec:", second_}};
    int column = 0;
    for (const auto& part : parts) {
        clock->addWidget(textBlock(QStringLiteral("     Data      Char/Numeric")), 0, column,
                         Qt::AlignBottom);
        clock->addWidget(plainLabel(QLatin1String(part.label)), 1, column);
        clock->addWidget(part.output, 2, column);
        ++column;
    }
    clock->addWidget(textBlock(QStringLiteral("  AM/PM       Indicator")), 0, column, 2, 1,
                     Qt::AlignBottom);
    clock->addWidget(amPm_, 2, column);
    form->addLayout(clock, 4, 0, 1, 3);
    form->setColumnStretch(1, 1);
    form->setRowStretch(5, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(heading(QStringLiteral("Date/Time Information.  Retrieval Only...")));
    left->addLayout(form);
    arrange(left,
            buttonGroup({
                {Action::Ok,
                 QStringLiteral(" Press OK to retrieve your system's current Date and Time Info"),
                 "cmddtiok"},
                {Action::Clear, usual_hints::kClear, "cmddti_clear"},
                {Action::DateFormats, usual_hints::kDateFormats, "cmddti_dthlp"},
                {Action::Info, usual_hints::kInfo, "cmddti_about"},
                {Action::ExitBack, usual_hints::kExitBack, "cmddti_exitb"},
            }));
    resultOf({formats_, twentyFourHour_}, {date_, time_, hour_, minute_, second_, amPm_});
}

// No status is checked and no message is shown: the outputs show whatever
// the library left.
void DateTime::ok() {
    KalcoreBinding& library = kalcore();
    amPm_->clear();
    const QChar code = formatCode(formats_->currentIndex());
    // The AM/PM indicator always comes from the 24-hour clock, without the
    // conversion file.
    amPm_->setText(trimBlanks(library.dateandtime(code, 1, 0).amPm));
    date_->setText(library.date(code).text);

    const std::int32_t hourMode = twentyFourHour_->checkState() != Qt::Unchecked ? 1 : 0;
    time_->setText(library.time(hourMode).text);
    std::int32_t number = 0;
    library.hour(number, hourMode);
    hour_->setText(numberAndText(number, library.chour(hourMode).text));
    number = 0;
    library.mint(number);
    minute_->setText(numberAndText(number, library.cmint().text));
    number = 0;
    library.sec(number);
    second_->setText(numberAndText(number, library.csec().text));
}

void DateTime::clear() {
    for (QLabel* output : {date_, time_, hour_, minute_, second_, amPm_}) output->clear();
    twentyFourHour_->setCheckState(Qt::Unchecked);
}

}  // namespace kaldate
