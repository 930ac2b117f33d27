#include "screens/date_conversion.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/format_table.h"
#include "common/texts.h"

namespace kaldate {

namespace {

constexpr int kCenturyField = 9;   // each century entry is held in a 9-character field
constexpr int kDefaultFormat = 6;  // " DD-mmm-CCYY "

}  // namespace

DateConversion::DateConversion(Services& services, QWidget* owner)
    : Screen(services, "nwdatcnvfrm", QStringLiteral("The Kalendrix Software Demo."), owner),
      date_(textField("datcnvdate", QStringLiteral(" Enter in a Start Date, to be changed."))),
      formats_(dropDownList("fmtcombo")),
      centuries_(dropDownList("cntrycombo")),
      useConversionFile_(checkBox("dtcvchkf", QStringLiteral("Access an External Date Data File?"),
                                  QStringLiteral(" Access the External Date Date File."))),
      output_(
          outputLabel("datcnvchgdate",
                      QStringLiteral(" Your Changed Output Date.  Great for Y2K programming."))) {
    setMessageCaption(QStringLiteral("Date Conversion"));
    setHelpScreen(QStringLiteral("datecnvhlpf"));

    // The first century entry names the library's default century.
    const QString defaultCentury = trimBlanks(kalcore().cgetcntry(0).text);
    centuries_->addItem(
        QString(QStringLiteral(" Def: ") + defaultCentury).leftJustified(kCenturyField, ' ', true));
    for (int century = 16; century <= 24; ++century) {
        centuries_->addItem(
            QString(QLatin1Char(' ') + QString::number(century)).leftJustified(kCenturyField));
    }
    centuries_->setCurrentIndex(0);
    fillFormatList(formats_, kOutputFormatCount);
    formats_->setCurrentIndex(kDefaultFormat);

    auto* build = pushButton(
        "bldexternfilebutton", QStringLiteral("Build an External Date Data File"),
        QStringLiteral("An easy way of changing a Date Format from outside the program"));
    connect(build, &QPushButton::clicked, this, [this] { openScreen(QStringLiteral("FormTwo")); });

    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Enter in a Start Date")), 0, 0);
    form->addWidget(date_, 0, 1);
    form->addWidget(plainLabel(QStringLiteral("Date Formats:")), 1, 0);
    form->addWidget(formats_, 1, 1);
    form->addWidget(textBlock(QStringLiteral("<-- Choose your Date              Format.")), 1, 2);
    form->addWidget(plainLabel(QStringLiteral("Change Default Century Value 'CC':")), 2, 0);
    form->addWidget(centuries_, 2, 1);
    form->addWidget(plainLabel(QStringLiteral("<-- If, desired to...")), 2, 2);
    form->addWidget(useConversionFile_, 3, 0, 1, 2);
    form->addWidget(build, 4, 0, 1, 2);
    form->addWidget(plainLabel(QStringLiteral("Your Changed (Output) Date:")), 5, 0);
    form->addWidget(output_, 5, 1);
    form->setColumnStretch(1, 1);
    form->setColumnMinimumWidth(2, 150);
    form->setRowStretch(6, 1);

    arrange(form,
            buttonGroup({
                {Action::Ok,
                 QStringLiteral(" Execute the Date Conversion Process. Great for Y2K programming")},
                {Action::Clear, usual_hints::kClear},
                {Action::Calendar, usual_hints::kCalendar},
                {Action::DateFormats, usual_hints::kDateFormats},
                {Action::Help,
                 QStringLiteral(" Help about the Date Conversion Process. Great for Y2K.")},
                {Action::Info, usual_hints::kInfo},
                {Action::ExitBack, usual_hints::kExitBack},
            }));
    resultOf({date_, formats_, centuries_, useConversionFile_}, {output_});
}

void DateConversion::ok() {
    output_->clear();
    DateText date;
    if (!readDate(date_, date, QStringLiteral("Error: An Input Date is needed "),
                  QStringLiteral("Error: Bad Input Date "))) {
        return;
    }
    const QChar code = formatCode(formats_->currentIndex());
    const std::int32_t useFile = useConversionFile_->checkState() != Qt::Unchecked ? 1 : 0;
    const std::int32_t century = centuries_->currentIndex();
    const TextResult converted = kalcore().convdate(date, code, useFile, century);
    if (converted.status == 1) {
        output_->setText(converted.text);
        message(QStringLiteral("Date Conversion Success "));
    } else {
        message(QStringLiteral("Error: Bad Date Conversion "));
    }
}

void DateConversion::clear() {
    date_->clear();
    output_->clear();
}

}  // namespace kaldate
