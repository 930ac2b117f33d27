#include "screens/conversion_help.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "common/controls.h"

namespace kaldate {

ConversionHelp::ConversionHelp(Services& services, QWidget* owner)
    : Screen(services, "datecnvhlpf", QStringLiteral("Date Format Conversions"), owner),
      formats_(dropDownList("fmtcombod")),
      centuries_(dropDownList("cntrycombod")),
      output_(outputLabel("datcnvchgdate")) {
    formats_->addItems({QStringLiteral("CCYY-MM-DD"), QStringLiteral("CCYY/MM/DD")});
    centuries_->addItems({QStringLiteral("DEF 19"), QStringLiteral(" 20 ")});
    auto* input = textField("exampledate");
    input->setText(QStringLiteral("04/15/1998"));
    input->setReadOnly(true);

    auto* form = new QGridLayout;
    form->addWidget(
        textBlock(QStringLiteral(
            "A date typed in any of the supported input formats is checked first, then "
            "written in the output format chosen from the list. A two-digit year takes the "
            "default century; choosing another century changes the century of the result, "
            "also of a date typed with four digits of year.")),
        0, 0, 1, 3);
    form->addWidget(plainLabel(QStringLiteral("Input Date:")), 1, 0);
    form->addWidget(input, 1, 1);
    form->addWidget(plainLabel(QStringLiteral("Date Formats:")), 2, 0);
    form->addWidget(formats_, 2, 1);
    form->addWidget(plainLabel(QStringLiteral("Century 'CC':")), 3, 0);
    form->addWidget(centuries_, 3, 1);
    form->addWidget(plainLabel(QStringLiteral("Changed (Output) Date:")), 4, 0);
    form->addWidget(output_, 4, 1);
    form->addWidget(
        textBlock(QStringLiteral(
            "Choose a format and a century to see the example change. Ticking 'Access an "
            "External Date Data File?' makes the conversion use the format stored with "
            "'Build an External Date Data File' instead of the one chosen.")),
        5, 0, 1, 3);
    form->setColumnStretch(2, 1);
    form->setRowStretch(6, 1);

    arrange(form, buttonGroup({{Action::DateFormats, QString()}, {Action::ExitBack, QString()}}));

    connect(formats_, &QComboBox::currentIndexChanged, this, &ConversionHelp::showExample);
    connect(centuries_, &QComboBox::currentIndexChanged, this, &ConversionHelp::showExample);
    showExample();
}

void ConversionHelp::showExample() {
    const QString year =
        centuries_->currentIndex() == 0 ? QStringLiteral("1998") : QStringLiteral("2098");
    const QChar separator = formats_->currentIndex() == 0 ? QLatin1Char('-') : QLatin1Char('/');
    output_->setText(year + separator + QStringLiteral("04") + separator + QStringLiteral("15"));
}

}  // namespace kaldate
