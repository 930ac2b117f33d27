#include "screens/full_date_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/format_table.h"
#include "common/texts.h"

namespace kaldate {

namespace {

constexpr int kDefaultFormat = 6;  // " DD-mmm-CCYY "

std::int32_t ticked(const QCheckBox* box) {
    return box->checkState() != Qt::Unchecked ? 1 : 0;
}

}  // namespace

FullDateFormat::FullDateFormat(Services& services, QWidget* owner)
    : Screen(services, "afulldateform",
             QStringLiteral("Create your own Date Format.     Output Only."), owner),
      date_(textField("afulldatevalue", QStringLiteral(" Enter in a Date, in any of the 40 "
                                                       "supported I/O Date Formats"))),
      formats_(dropDownList("fmtcombo")),
      abbreviateMonth_(
          checkBox("monthabbrev", QStringLiteral("Click to Abbreviate Month?  <- 'mmm' entries "
                                                 "only"))),
      abbreviateDay_(checkBox("dayabbrev", QStringLiteral("Click to Abbreviate Day?"))),
      includeTime_(checkBox("timecheck", QStringLiteral("Include Time into Format?"))),
      twentyFourHour_(checkBox("hr24timecheck", QStringLiteral("Click for 24 Hr Time"))),
      amPm_(checkBox("apmswitch", QStringLiteral("Click for AM/PM Indicator"))),
      output_(outputLabel("outputbox",
                          QStringLiteral(" Output for your created Output Date Format."))) {
    fillFormatList(formats_, kOutputFormatCount);
    formats_->setCurrentIndex(kDefaultFormat);
    // Wide enough for the longest text the library composes.
    output_->setMinimumWidth(output_->fontMetrics().averageCharWidth() * 54);

    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Enter in a Start Date:")), 0, 0);
    form->addWidget(date_, 0, 1);
    form->addWidget(plainLabel(QStringLiteral("Basic Date Formats:")), 1, 0);
    form->addWidget(formats_, 1, 1);
    int row = 2;
    for (QCheckBox* box : {abbreviateMonth_, abbreviateDay_, includeTime_}) {
        form->addWidget(box, row++, 0, 1, 3);
    }
    // The clock's two switches belong to "Include Time into Format?".
    for (QCheckBox* box : {twentyFourHour_, amPm_}) {
        auto* indented = new QHBoxLayout;
        indented->addSpacing(24);
        indented->addWidget(box, 1);
        form->addLayout(indented, row++, 0, 1, 3);
    }
    auto* output = group(QStringLiteral("Your Created Output"));
    auto* outputRow = new QHBoxLayout(output);
    outputRow->addWidget(output_);
    form->addWidget(output, row++, 0, 1, 3);
    form->setColumnStretch(2, 1);
    form->setRowStretch(row, 1);
    connect(includeTime_, &QCheckBox::stateChanged, this, &FullDateFormat::timeSwitched);

    arrange(form, buttonGroup({
                      {Action::Ok, QStringLiteral(" Now Create your own Date Format")},
                      {Action::Clear, usual_hints::kClear},
                      {Action::Calendar, usual_hints::kCalendar},
                      {Action::DateFormats, usual_hints::kDateFormats},
                      {Action::Info, usual_hints::kInfo},
                      {Action::ExitBack, usual_hints::kExitBack},
                  }));
    resultOf(
        {date_, formats_, abbreviateMonth_, abbreviateDay_, includeTime_, twentyFourHour_, amPm_},
        {output_});
    clear();
}

void FullDateFormat::timeSwitched() {
    const bool withTime = includeTime_->checkState() != Qt::Unchecked;
    twentyFourHour_->setEnabled(withTime);
    amPm_->setEnabled(withTime);
}

void FullDateFormat::ok() {
    output_->clear();
    const QString text = trimBlanks(date_->text());
    if (text.isEmpty()) {
        message(QStringLiteral("Full Date Format"),
                QStringLiteral("ERROR: An Input Date is Needed "));
        date_->setFocus();
        return;
    }
    DateText date(text);
    if (kalcore().isvdate(date) != 1) {
        message(QStringLiteral("Create Date Format"), QStringLiteral("ERROR: A Bad Date "));
        date_->setFocus();
        return;
    }
    // The clock's switches count only with the time included, ticked or not.
    const std::int32_t withTime = ticked(includeTime_);
    const TextResult full = kalcore().afulldateformat(
        date, formatCode(formats_->currentIndex()), ticked(abbreviateMonth_),
        ticked(abbreviateDay_), withTime, withTime == 1 ? ticked(twentyFourHour_) : 0,
        withTime == 1 ? ticked(amPm_) : 0);
    if (full.status == 1) {
        output_->setText(full.text + QStringLiteral("   "));
    } else {
        output_->setText(QStringLiteral("A Bad Date Entered In"));
        message(QStringLiteral("Full Date Format"), QStringLiteral("ERROR: Bad Date Calculation "));
    }
    date_->setFocus();
}

// Load and Clear alike: today's date in the form of code "K", every box
// unticked and the clock's two disabled.
void FullDateFormat::clear() {
    date_->clear();
    DateText today(QStringLiteral("Today"));
    date_->setText(kalcore().convdate(today, QLatin1Char('K'), 0, 0).text);
    for (QCheckBox* box :
         {abbreviateMonth_, abbreviateDay_, includeTime_, twentyFourHour_, amPm_}) {
        box->setCheckState(Qt::Unchecked);
    }
    timeSwitched();
    output_->clear();
}

}  // namespace kaldate
