#include "screens/conversion_file.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/format_table.h"

namespace kaldate {

ConversionFile::ConversionFile(Services& services, QWidget* owner)
    : Screen(services, "FormTwo", QStringLiteral("Build an External Date Data File "), owner),
      formats_(dropDownList("fmtcombo")),
      status_(outputLabel("retrnmsg")) {
    fillFormatList(formats_, kReadableFormatCount);
    formats_->setCurrentIndex(0);

    auto* form = new QGridLayout;
    auto* explanation = textBlock(QStringLiteral(
        "Choose a Desired Date     Format to store within      an External Data File."));
    form->addWidget(explanation, 0, 0, 1, 2);
    form->addWidget(formats_, 1, 0, 1, 2);
    form->addWidget(plainLabel(QStringLiteral("Return Status?")), 2, 0, 1, 2);
    form->addWidget(status_, 3, 0, 1, 2);
    form->setRowStretch(4, 1);

    arrange(form, buttonGroup({
                      {Action::Ok, QString(), "okoption"},
                      {Action::Clear, QString()},
                      {Action::Help, QString(), "Command1"},
                      {Action::ExitBack, QString(), "exitoption", QStringLiteral("Exit")},
                  }));
    resultOf({formats_}, {status_});
}

void ConversionFile::ok() {
    status_->clear();
    const std::int16_t status = kalcore().dtcvcreatefile(formatCode(formats_->currentIndex()));
    status_->setText(status == 1 ? QStringLiteral("Success, File Creation.")
                                 : QStringLiteral("No File Creation."));
}

void ConversionFile::clear() {
    status_->clear();
}

void ConversionFile::help() {
    message(QStringLiteral("Information on the External Date Date File"),
            QStringLiteral("The External Date Data File, is used in conjunction with the 'Date "
                           "Format Conversion' Section. ") +
                QStringLiteral(" If this option is used, the Date Conversion routine uses the "
                               "Date Format Id, stored in the ") +
                QStringLiteral("data file over the one passed to it via the function call.") +
                QStringLiteral(" This is a programmable and useful option to use.  You have 29 "
                               "different Date Formats to choose ") +
                QStringLiteral("from and to use.  To use this powerful feature, Click on the text "
                               "'Access an External Date Data File?' to actually ") +
                QStringLiteral("see how useful this feature can really be."));
}

}  // namespace kaldate
