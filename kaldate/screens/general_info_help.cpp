#include "screens/general_info_help.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "common/controls.h"

namespace kaldate {

GeneralInfoHelp::GeneralInfoHelp(Services& services, QWidget* owner)
    : Screen(services, "genlhlpinfo", QStringLiteral(" The Kalendrix Software Demo."), owner) {
    auto* heading = new QLabel(QStringLiteral("General Date Information Help"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.5);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    auto* example = textField("exampledate");
    example->setText(QStringLiteral("04/15/1998"));
    example->setReadOnly(true);

    auto* form = new QGridLayout;
    form->addWidget(heading, 0, 0, 1, 2);
    form->addWidget(example, 1, 0);
    form->addWidget(textBlock(QStringLiteral(
                        "  <-- An Input Date in any one of the                29 supported "
                        "Date Formats.")),
                    1, 1);
    form->addWidget(textBlock(QStringLiteral(
                        "Within this form, there is one piece of Input: A Start Date. And the "
                        "information is retrieved, is based on that Input Date.")),
                    2, 0, 1, 2);
    form->addWidget(
        textBlock(QStringLiteral(
            " The Information that's retrieved, is provided in several different         "
            "forms:  1) Integer,  2) Character,  3) Character Strings.                   "
            "Please see prior screen, to view retrieved Information.")),
        3, 0, 1, 2);
    form->setColumnStretch(1, 1);
    form->setRowStretch(4, 1);

    arrange(form, buttonGroup({{Action::Info, QString()}, {Action::ExitBack, QString()}}));
}

}  // namespace kaldate
