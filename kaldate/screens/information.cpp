#include "screens/information.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/pictures.h"
#include "dialogs/product_texts.h"
#include "platform/system_information.h"

namespace kaldate {

namespace {

namespace product = kalcore::dialogs;

constexpr int kFrameTextWidth = 300;

QGroupBox* framedText(const QString& title, const QString& text) {
    auto* frame = group(title);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(textBlock(text, kFrameTextWidth));
    return frame;
}

}  // namespace

Information::Information(Services& services, QWidget* owner)
    : Screen(services, "infoform", QStringLiteral("Additional Information"), owner) {
    auto* first = group(QStringLiteral("Do this FIRST!!"));
    auto* firstLayout = new QVBoxLayout(first);
    firstLayout->addWidget(textBlock(
        QStringLiteral("  Learn all of the supported I/O Date         Formats, plus the additional "
                       "ones!       Then, interact with the Demo. ")));

    auto* left = new QVBoxLayout;
    left->addWidget(first);
    left->addWidget(framedText(
        QStringLiteral("Demo Overview"),
        QStringLiteral("The demo is made of two parts: this desktop front end, and kalcore, the "
                       "32-bit date library behind it, a date manipulation tool for the change of "
                       "century. Every screen hands the dates you type to the library and shows "
                       "what it answers.")));
    left->addWidget(framedText(
        QStringLiteral("Entering Dates with the Calendar"),
        QStringLiteral("Type a date in any of the 40 supported formats, or press \"Calendar\": "
                       "type the date there, or press its \"Calendar\" to pick the day from a "
                       "month with the mouse, the arrow keys or Page Up and Page Down, and press "
                       "OK. The date goes into a date field of the screen you came from: an "
                       "empty one, or the one you were in last.")));
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(framedText(
        QStringLiteral("About Kalendrix Software"),
        QStringLiteral("kalcore is a shared library with a flat C interface (libkalcore.so on "
                       "Linux, kalcore.dll on Windows) that any language able to call C can use. "
                       "It comes with its header, CMake and pkg-config files, the kalc command "
                       "line and this demo. Press \"About\" or \"Info\" for details.")));
    right->addWidget(framedText(
        QStringLiteral("MainFrame Information"),
        QStringLiteral("Its date rules need nothing but the C++ standard library, so the library "
                       "could be ported to a mainframe environment with the same "
                       "functionality.")));
    auto* documentation =
        textBlock(QStringLiteral("The documentation comes with the product as README.md "
                                 "(share/doc/kalcore/README.md where it is installed)."),
                  kFrameTextWidth);
    documentation->setObjectName(QStringLiteral("documentationlabel"));
    right->addWidget(documentation);
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    arrange(columns, buttonGroup({
                         {Action::DateFormats, QString(), "Dateformatbutton",
                          QStringLiteral("Supported Date Formats")},
                         {Action::Own, QString(), "dllinfobutton", QStringLiteral("DLL Info"),
                          [this] { kalcore().helpaboutme(); }},
                         {Action::Info, QString(), "infocontck"},
                         {Action::ExitBack, QString(), "infoexitbk"},
                     }));
}

About::About(Services& services, QWidget* owner)
    : Screen(services, "frmAbout", QStringLiteral("About the Kalendrix Software"), owner) {
    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("abouticon"));
    icon->setPixmap(logoPicture(64));

    auto* texts = new QVBoxLayout;
    texts->addWidget(heading(QStringLiteral("The Kalendrix Software")));
    texts->addWidget(plainLabel(QStringLiteral("Windows 95/98/NT Platform.  Version V3.4")));
    texts->addSpacing(6);
    texts->addWidget(textBlock(
        QStringLiteral("A date toolkit for the change of century: the kalcore library reads a "
                       "date in 40 layouts and more, gives a two-digit year its century, checks "
                       "it and writes it in 48 formats, and counts, moves and compares dates, "
                       "working days and holidays included. This demo shows every function off."),
        360));
    texts->addSpacing(6);
    texts->addWidget(plainLabel(QLatin1String(product::kRights)));
    texts->addSpacing(6);
    auto* contact = new QGridLayout;
    const std::pair<const char*, const char*> lines[] = {
        {"Contact:", product::kMaker},
        {"Post:", product::kPostal},
        {"E-mail:", product::kMail},
        {"Price:", product::kPrice},
    };
    int row = 0;
    for (const auto& [label, text] : lines) {
        contact->addWidget(plainLabel(QLatin1String(label)), row, 0);
        contact->addWidget(plainLabel(QLatin1String(text)), row++, 1);
    }
    contact->setColumnStretch(1, 1);
    texts->addLayout(contact);
    texts->addSpacing(6);
    texts->addWidget(
        plainLabel(QStringLiteral(" Your comments and feedback, regarding this software, will be "
                                  "appreciated.")));
    texts->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addWidget(icon, 0, Qt::AlignTop);
    columns->addSpacing(8);
    columns->addLayout(texts, 1);
    arrange(columns,
            buttonGroup(
                {
                    {Action::ExitBack, QString(), "cmdOK", QStringLiteral("OK")},
                    {Action::Own, QString(), "cmdSysInfo", QStringLiteral("System Info"),
                     [this] { systemInformation(); }},
                    {Action::Info, QString(), "Command1", QStringLiteral("Contact Information")},
                },
                QString()));
}

void About::systemInformation() {
    if (!startSystemInformation()) {
        message(QStringLiteral("System Info"),
                QStringLiteral("System Information Is Unavailable At This Time"));
    }
}

}  // namespace kaldate
