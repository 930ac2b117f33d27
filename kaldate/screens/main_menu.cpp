#include "screens/main_menu.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/pictures.h"
#include "common/screen_host.h"
#include "common/services.h"
#include "common/window_setup.h"
#include "platform/message_boxes.h"
#include "platform/notification_icon.h"
#include "screens/splash.h"

namespace kaldate {

namespace {

enum class Opens { Screen, ScreenWithoutRefresh, FormatsDialog, InfoDialog, Exit };

struct MenuButton {
    const char* name;
    const char* caption;
    const char* hint;
    Opens opens;
    const char* screen;
};

// The group "Choose your Button".
constexpr MenuButton kFeatureButtons[] = {
    {"cmd5_dtcnvt", "Date Format Conversions",
     "Performs Y2K Date Conversions.  And We can answer the Questions! ", Opens::Screen,
     "nwdatcnvfrm"},
    {"cmd6_dlc", "Date Lapse Conversions", "Performs a Date Lapse calculation between two dates",
     Opens::Screen, "datlapsfrm"},
    {"cmd7_dccl", "     Date Calculations", "Performs Date Arithmetic", Opens::Screen,
     "nwdatecalcform"},
    {"cmd8_jtcdx", "Julian + Calendar Date Conversions",
     "Perform Julian and Calendar Date Conversions", Opens::Screen, "julcalform"},
    {"cmd2_nwdf", "Next Working Day Feature", "An MRP Next Working Day Function", Opens::Screen,
     "nxtwrkdayform"},
    {"cmd3_dtirx", "Date/Time Information",
     "Retrieves Today's Date(in one of 40 different Date Formats) and Time", Opens::Screen,
     "datimeretvfrm"},
    {"cmd1_gtix", "General Date Information", "Retrieves general 'Date' Information for ANY Date!",
     Opens::Screen, "genldateinfo"},
    {"cmd4_bdcx", "Between Date Comparsions",
     "A Function that see's if a Date is between two Dates", Opens::Screen, "betweendates"},
    {"fulldateformat", "Create your own Output Date Format",
     "Just as it states: 'Create your own Output Date Format', say for a Report. ", Opens::Screen,
     "afulldateform"},
    {"adateslidewind", "A Sliding Date Window Feature", "A Sliding Date Windows Feature",
     Opens::Screen, "slidwindform"},
    {"daylightcmd", "DayLight Savings Time Info",
     "See the calculated DayLight Savings Time(s) --> Start and End Dates",
     Opens::ScreenWithoutRefresh, "daylightform"},
    {"eastercmd", "Easter Date", "See the calculated Easter Date", Opens::ScreenWithoutRefresh,
     "easterform"},
};

// The group "Options".
constexpr MenuButton kOptionButtons[] = {
    {"cmd3infox", "       Read Me      General Information",
     "General Information.  'Readme First' Information on the Software", Opens::Screen, "infoform"},
    {"CmdDatfmt1", "       Supported              Date Formats",
     "Let's see the many Date Formats the Software supports.", Opens::FormatsDialog, nullptr},
    {"cmd2abt", "Info", "Contact/About/Price Information about the Kalendrix Software",
     Opens::InfoDialog, nullptr},
    {"realaboutcmd", "About", "My Software's AboutBox", Opens::ScreenWithoutRefresh, "frmAbout"},
    {"cmd1exit", "Exit", "Exit Program... ", Opens::Exit, nullptr},
};

const QString kTip = QStringLiteral("The Kalendrix Software ");

}  // namespace

MainMenu::MainMenu(Services& services)
    : services_(services),
      printingInfo_(group(QStringLiteral("Printing Info"),
                          QStringLiteral("Printer Port and Printer Name Information"))),
      printerName_(outputLabel("lptprintername", QStringLiteral("Printer Name"))),
      printerPort_(outputLabel("lptportname", QStringLiteral("Lpt Port Name"))),
      clock_(new QLabel),
      hiddenDate_(textField("hiddendate")),
      statusLine_(new StatusLine(this)) {
    setObjectName(QStringLiteral("mainmainfrm"));
    setWindowTitle(QStringLiteral("The Kalendrix Software Demo."));
    setWindowIcon(QIcon(clockPicture(64)));

    auto* title = new QLabel(QStringLiteral("The Kalendrix Software"));
    title->setObjectName(QStringLiteral("titlelabel"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* subtitle = textBlock(QStringLiteral(
        "Y2K Compliant Software for the Windows Developers, for the Ease of Transitioning into "
        "the 21st Century and beyond!"));
    subtitle->setObjectName(QStringLiteral("subtitlelabel"));
    subtitle->setStatusTip(QStringLiteral("The Kalendrix Software is Y2K Compliant Software!"));
    clock_->setObjectName(QStringLiteral("Image3"));
    clock_->setPixmap(clockPicture(72));
    clock_->setStatusTip(
        QStringLiteral("The Clock's running and the Y2K countdown is ON and counting down..."));

    // The option captions are laid out for two lines in a narrow button.
    const int optionWidth =
        fontMetrics().horizontalAdvance(QStringLiteral("General Information")) + 24;
    auto makeButton = [this, optionWidth](const MenuButton& item, bool wrapped) {
        QPushButton* button =
            wrapped ? wrappingButton(item.name, QLatin1String(item.caption), optionWidth,
                                     QLatin1String(item.hint))
                    : pushButton(item.name, QLatin1String(item.caption), QLatin1String(item.hint));
        button->setMinimumHeight(
            std::max(button->minimumHeight(), button->sizeHint().height() * 3 / 2));
        const MenuButton* entry = &item;
        connect(button, &QPushButton::clicked, this, [this, entry] {
            switch (entry->opens) {
                case Opens::Screen:
                    openFromMenu(QLatin1String(entry->screen), After::RefreshPrinter);
                    break;
                case Opens::ScreenWithoutRefresh:
                    openFromMenu(QLatin1String(entry->screen), After::Nothing);
                    break;
                case Opens::FormatsDialog:
                    services_.kalcore.helpBox();
                    refreshPrinter();
                    statusLine_->clear();
                    break;
                case Opens::InfoDialog:
                    services_.kalcore.aboutBox();
                    refreshPrinter();
                    statusLine_->clear();
                    break;
                case Opens::Exit:
                    close();
                    break;
            }
        });
        return button;
    };

    auto* features =
        group(QStringLiteral("Choose your Button"),
              QStringLiteral(
                  "Choose a Button, then interact with the demo and then see the capabilities."));
    auto* featureGrid = new QGridLayout(features);
    int index = 0;
    for (const MenuButton& item : kFeatureButtons) {
        featureGrid->addWidget(makeButton(item, false), index / 2, index % 2);
        ++index;
    }
    auto* options =
        group(QStringLiteral("Options"), QStringLiteral("Choose an Informational Option."));
    auto* optionColumn = new QVBoxLayout(options);
    for (const MenuButton& item : kOptionButtons) {
        optionColumn->addWidget(makeButton(item, true), 0, Qt::AlignHCenter);
    }
    optionColumn->addStretch();

    auto* printing = new QGridLayout(printingInfo_);
    printingInfo_->setObjectName(QStringLiteral("Frameprint"));
    printing->addWidget(new QLabel(QStringLiteral("Lpt Port:")), 0, 0);
    printing->addWidget(printerPort_, 0, 1);
    printing->addWidget(new QLabel(QStringLiteral("Printername: ")), 1, 0);
    printing->addWidget(printerName_, 1, 1);
    printing->setColumnStretch(1, 1);
    hiddenDate_->setVisible(false);
    connect(hiddenDate_, &QLineEdit::textChanged, this, [this] { update(); });

    auto* heading = new QVBoxLayout;
    heading->addWidget(title);
    heading->addWidget(subtitle);
    auto* top = new QHBoxLayout;
    top->addLayout(heading, 1);
    top->addWidget(clock_, 0, Qt::AlignTop);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(top);
    body->addWidget(features, 1);
    body->addWidget(printingInfo_);
    body->addWidget(hiddenDate_);
    // The body scrolls where the screen is too small for it; the options
    // beside it, Exit among them, stay in view.
    auto* optionsColumn = new QVBoxLayout;
    optionsColumn->addSpacing(top->sizeHint().height());
    optionsColumn->addWidget(options, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(fittingArea(body), 1);
    row->addLayout(optionsColumn);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(statusLine_);
    services_.screens.track(this);
}

MainMenu::~MainMenu() = default;

void MainMenu::start() {
    setVisible(false);
    auto* splash = new Splash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    connect(splash, &QDialog::finished, this, &MainMenu::finishLoading);
    splash->show();
    splash->activateWindow();
}

void MainMenu::finishLoading() {
    // Centred on the screen, where a window manager does not place it.
    fitWindow(this);
    move(screen()->availableGeometry().center() - rect().center());
    setVisible(true);
    activateWindow();
    notificationIcon(NotificationIcon::kAdd);
    notificationIcon(NotificationIcon::kModify);
    refreshPrinter();
    printingInfo_->setVisible(false);
    for (QLabel* label : printingInfo_->findChildren<QLabel*>()) label->setVisible(true);
    orderForKeyboard(this);
    statusLine_->clear();
}

void MainMenu::notificationIcon(int operation) {
    services_.notificationIcon.apply(static_cast<NotificationIcon::Operation>(operation),
                                     clock_->pixmap(), kTip);
}

void MainMenu::refreshPrinter() {
    const PrinterInfo printer =
        services_.defaultPrinter ? services_.defaultPrinter() : PrinterInfo{};
    printerName_->setText(printer.name);
    printerPort_->setText(printer.port);
}

void MainMenu::openFromMenu(const QString& screen, After after) {
    services_.screens.open(screen, this, [this, after] {
        if (after == After::RefreshPrinter) refreshPrinter();
        // Back to the idle line: the hint of the button that opened the
        // screen no longer describes anything under the mouse.
        statusLine_->clear();
    });
}

void MainMenu::closeEvent(QCloseEvent* event) {
    const int answer = services_.messages.show(this, MessageStyle::YesNoQuestion,
                                               QStringLiteral(" The Kalendrix Software Demo "),
                                               QStringLiteral("Are you sure you want to Exit?"));
    if (answer != kAnswerYes) {
        event->ignore();
        return;
    }
    notificationIcon(NotificationIcon::kDelete);
    services_.screens.closeAllButFirst();
    event->accept();
    emit exitConfirmed();
}

}  // namespace kaldate
