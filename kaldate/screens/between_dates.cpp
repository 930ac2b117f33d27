#include "screens/between_dates.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/texts.h"

namespace kaldate {

BetweenDates::BetweenDates(Services& services, QWidget* owner)
    : Screen(services, "betweendates", QStringLiteral("The Kalendrix Software Demo."), owner),
      dates_{textField("betwdate1", QStringLiteral(" Input Date #1, in any of the 40 supported "
                                                   "I/O Date Formats")),
             textField("betwdate2", QStringLiteral(" Input Date #2, in any of the 40 supported "
                                                   "I/O Date Formats")),
             textField("betwdate3", QStringLiteral(" Input Date #3, in any of the 40 supported "
                                                   "I/O Date Formats"))},
      output_(outputLabel("Labeloutput", QStringLiteral(" Is Date 2 between Dates 1 and 3? "))) {
    setMessageCaption(QStringLiteral("Between Dates"));

    auto* inputs = group(QStringLiteral("Input in three Dates..."));
    auto* form = new QGridLayout(inputs);
    for (int i = 0; i < 3; ++i) {
        form->addWidget(plainLabel(QStringLiteral("Date %1:").arg(i + 1)), i, 0);
        form->addWidget(dates_[i], i, 1);
    }
    form->setColumnStretch(1, 1);

    auto* column = new QVBoxLayout;
    column->addWidget(heading(QStringLiteral("Between Date Comparisons")));
    column->addWidget(plainLabel(QStringLiteral("Is Date 2 between Dates 1 and 3?")));
    column->addWidget(inputs);
    column->addWidget(output_);
    column->addStretch();
    arrange(column,
            buttonGroup({
                {Action::Ok, QStringLiteral(" Perform the Between Date Comparsion"), "cmdbok"},
                {Action::Clear, usual_hints::kClear, "cmdbclear"},
                {Action::Calendar, usual_hints::kCalendar, "cmdbcaldr"},
                {Action::DateFormats, usual_hints::kDateFormats, "cmdbdthlp",
                 QStringLiteral(" Date Formats")},
                {Action::Info, usual_hints::kInfo, "cmdbabout"},
                {Action::ExitBack, usual_hints::kExitBack, "cmdbexit"},
            }));
    resultOf({dates_[0], dates_[1], dates_[2]}, {output_});
}

void BetweenDates::ok() {
    output_->clear();
    // Every date must be there before any is checked.
    std::array<QString, 3> texts;
    for (std::size_t i = 0; i < dates_.size(); ++i) {
        texts[i] = trimBlanks(dates_[i]->text());
        if (texts[i].isEmpty()) {
            message(QStringLiteral("ERROR: Date%1 is Needed ").arg(i + 1));
            dates_[i]->setFocus();
            return;
        }
    }
    std::array<DateText, 3> dates;
    for (std::size_t i = 0; i < dates_.size(); ++i) {
        dates[i] = DateText(texts[i]);
        if (kalcore().isvdate(dates[i]) != 1) {
            message(QStringLiteral("ERROR: Date%1 is Not a valid Date ").arg(i + 1));
            dates_[i]->setFocus();
            return;
        }
    }
    if (kalcore().between(dates[0], dates[1], dates[2]) == 1) {
        output_->setText(QStringLiteral("Success"));
        message(QStringLiteral("Between Date Success "));
    } else {
        output_->setText(QStringLiteral("Failure"));
        message(QStringLiteral("ERROR: Not Successful, Date 2 is not between Dates 1 and 3. "));
    }
}

void BetweenDates::clear() {
    for (QLineEdit* date : dates_) date->clear();
    output_->clear();
}

}  // namespace kaldate
