// Drives the demo on a real X server and saves a picture of every screen in
// a realistic state: kaldate_shots DIRECTORY. Each picture is the window's
// own area as the X server shows it, so a message box open over a screen is
// in the picture; DIRECTORY/manifest lists each picture with the window's
// size, for the checks of scripts/screenshots.sh.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <cstdio>

// The X11 headers come last: they define macros (None, Bool, Status) that
// Qt's headers also use as names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include "binding/kalcore_binding.h"
#include "common/library_problems.h"
#include "common/screen_host.h"
#include "common/services.h"
#include "platform/keyboard_state.h"
#include "platform/message_boxes.h"
#include "platform/notification_icon.h"
#include "platform/printer.h"
#include "screens/main_menu.h"
#include "screens/screen_list.h"

namespace {

using namespace kaldate;

// The program's message boxes, left open (not modal) so that they can be
// photographed over their screen; a question is answered Yes.
class OpenMessageBoxes final : public MessageBoxes {
  public:
    int show(QWidget* owner, MessageStyle style, const QString& caption,
             const QString& text) override {
        QMessageBox* box = makeMessageBox(owner, style, caption, text);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->show();
        if (!QTest::qWaitForWindowExposed(box)) std::fprintf(stderr, "a box was not shown\n");
        open_.append(box);
        return style == MessageStyle::YesNoQuestion ? kAnswerYes : kAnswerOk;
    }
    void closeAll() {
        for (const QPointer<QMessageBox>& box : open_) {
            if (box) box->close();
        }
        open_.clear();
    }

  private:
    QList<QPointer<QMessageBox>> open_;
};

// Where `window` and the frame the window manager gave it (_NET_FRAME_EXTENTS)
// lie on the screen, as the X server has them now; the window alone while it
// has no frame, nothing when the server does not tell.
QRect frameOnScreen(QWidget* window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    if (display == nullptr) return {};
    const auto id = static_cast<Window>(window->winId());
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (XGetWindowAttributes(display, id, &attributes) == 0 ||
        !XTranslateCoordinates(display, id, DefaultRootWindow(display), 0, 0, &x, &y, &child)) {
        return {};
    }
    QMargins extents;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, id, XInternAtom(display, "_NET_FRAME_EXTENTS", False), 0, 4,
                           False, XA_CARDINAL, &type, &format, &count, &after, &data) == Success &&
        data != nullptr && format == 32 && count == 4) {
        // Format 32 properties come as longs: left, right, top, bottom.
        const auto* sides = reinterpret_cast<const long*>(data);
        extents = QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]),
                           static_cast<int>(sides[1]), static_cast<int>(sides[3]));
    }
    if (data != nullptr) XFree(data);
    return QRect(x, y, attributes.width, attributes.height).marginsAdded(extents);
}

class Photographer {
  public:
    explicit Photographer(const QString& directory)
        : directory_(directory), manifest_(directory + QStringLiteral("/manifest")) {}

    // Waits for `window` to be painted and saves what the screen shows in
    // its area as NAME.png.
    bool take(QWidget* window, const QString& name) {
        if (window == nullptr || !QTest::qWaitForWindowExposed(window)) {
            std::fprintf(stderr, "%s: not shown (%s)\n", qPrintable(name),
                         window == nullptr ? "no window" : "not exposed");
            return false;
        }
        // A window with a title bar is pictured with the frame the window
        // manager put around it, once that is there. The frame is asked of
        // the X server: Qt may keep the margins it saw before the frame came.
        const bool framed = !window->windowFlags().testFlag(Qt::FramelessWindowHint);
        QRect area;
        if (!QTest::qWaitFor(
                [window, framed, &area] {
                    area = frameOnScreen(window);
                    return !area.isEmpty() && (!framed || area.height() > window->height());
                },
                20000)) {
            std::fprintf(stderr, "%s: no frame (%dx%d, window %dx%d)\n", qPrintable(name),
                         area.width(), area.height(), window->width(), window->height());
            return false;
        }
        QTest::qWait(400);
        // Painted now, and on the X server before the picture is asked for
        // over the same connection.
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible()) shown->repaint();
        }
        const QPixmap picture =
            window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
        if (picture.isNull() ||
            !picture.save(directory_ + QLatin1Char('/') + name + QStringLiteral(".png"))) {
            std::fprintf(stderr, "%s: not saved\n", qPrintable(name));
            return false;
        }
        if (manifest_.isOpen() || manifest_.open(QIODevice::WriteOnly | QIODevice::Text)) {
            QTextStream(&manifest_) << name << ' ' << area.width() << ' ' << area.height() << '\n';
        }
        return true;
    }

  private:
    QString directory_;
    QFile manifest_;
};

template <typename Widget = QWidget>
Widget* find(QWidget* root, const char* name) {
    return root->findChild<Widget*>(QLatin1String(name));
}

// Clicks a button; ticks or unticks a check box (whose text need not lie
// under its middle).
void click(QWidget* root, const char* button) {
    auto* target = find<QAbstractButton>(root, button);
    if (target->isCheckable()) {
        target->click();
    } else {
        QTest::mouseClick(target, Qt::LeftButton);
    }
}

void type(QWidget* root, const char* field, const QString& text) {
    QTest::keyClicks(find<QLineEdit>(root, field), text);
}

// Moves the pointer over a control, so that its hint shows.
void hover(QWidget* root, const char* control) {
    // Where the window manager has put the window by now.
    if (!QTest::qWaitForWindowExposed(root)) std::fprintf(stderr, "%s: not shown\n", control);
    QTest::qWait(300);
    QTest::mouseMove(find(root, control));
    QTest::qWait(100);
}

// Opens a help screen from `screen` with `button`, pictures it and closes it.
bool pictureHelp(ScreenHost& screens, Photographer& photos, QWidget* screen, const char* button,
                 const char* help) {
    click(screen, button);
    QWidget* opened = screens.find(QLatin1String(help));
    const bool taken = photos.take(opened, QLatin1String(help));
    if (opened != nullptr) opened->close();
    return taken;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2 || QGuiApplication::platformName() != QLatin1String("xcb")) {
        std::fprintf(stderr, "usage: kaldate_shots DIRECTORY (on an X display)\n");
        return 2;
    }
    const QString directory = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(directory);

    KalcoreBinding kalcore;
    OpenMessageBoxes messages;
    ScreenHost screens;
    NotificationIcon notificationIcon;
    const auto keyboard = platformKeyboard();
    Services services{kalcore, messages, screens, notificationIcon, &defaultPrinter, *keyboard};
    screens.setServices(services);
    addScreens(screens);
    reportLibraryProblems(kalcore, messages);
    Photographer photos(directory);
    bool ok = true;

    MainMenu menu(services);
    menu.start();
    QWidget* splash = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmSplash")) splash = widget;
    }
    ok &= photos.take(splash, QStringLiteral("frmSplash"));
    QTest::keyClick(splash, Qt::Key_Space);
    hover(&menu, "cmd5_dtcnvt");
    ok &= photos.take(&menu, QStringLiteral("mainmainfrm"));

    // The conversion screen: 12/25/1998 converted, the success box open.
    click(&menu, "cmd5_dtcnvt");
    QWidget* conversion = screens.find(QStringLiteral("nwdatcnvfrm"));
    type(conversion, "datcnvdate", QStringLiteral("12/25/1998"));
    hover(conversion, "okbutton");
    click(conversion, "okbutton");
    ok &= photos.take(conversion, QStringLiteral("nwdatcnvfrm"));
    messages.closeAll();

    // FormTwo: CCYY-MM-DD stored as the preferred format.
    click(conversion, "bldexternfilebutton");
    QWidget* formTwo = screens.find(QStringLiteral("FormTwo"));
    find<QComboBox>(formTwo, "fmtcombo")->setCurrentIndex(15);
    click(formTwo, "okoption");
    ok &= photos.take(formTwo, QStringLiteral("FormTwo"));
    formTwo->close();

    // The conversion help with the other century chosen.
    click(conversion, "helpbutton");
    QWidget* conversionHelp = screens.find(QStringLiteral("datecnvhlpf"));
    find<QComboBox>(conversionHelp, "cntrycombod")->setCurrentIndex(1);
    ok &= photos.take(conversionHelp, QStringLiteral("datecnvhlpf"));
    conversionHelp->close();
    conversion->close();

    // The general information of Christmas 1998, a holiday with a day off.
    click(&menu, "cmd1_gtix");
    QWidget* information = screens.find(QStringLiteral("genldateinfo"));
    type(information, "textbox1", QStringLiteral("12/25/1998"));
    click(information, "okbutton");
    hover(information, "holidayname");
    ok &= photos.take(information, QStringLiteral("genldateinfo"));
    ok &= pictureHelp(screens, photos, information, "help1button", "genlhlpinfo");
    information->close();

    // Date arithmetic: 1404 days after 04/10/1998, the success box open.
    click(&menu, "cmd7_dccl");
    QWidget* calculation = screens.find(QStringLiteral("nwdatecalcform"));
    type(calculation, "dtcvstartdate", QStringLiteral("04/10/1998"));
    type(calculation, "dtcvnumdays", QStringLiteral("1404"));
    hover(calculation, "dtcvnumdays");
    click(calculation, "okbutton");
    ok &= photos.take(calculation, QStringLiteral("nwdatecalcform"));
    messages.closeAll();
    ok &= pictureHelp(screens, photos, calculation, "helpbutton", "datecalcform");
    calculation->close();

    // The lapse from 09/24/1990 to 03/31/1993.
    click(&menu, "cmd6_dlc");
    QWidget* lapse = screens.find(QStringLiteral("datlapsfrm"));
    type(lapse, "dlpstrtdate", QStringLiteral("09/24/1990"));
    type(lapse, "dlpenddate", QStringLiteral("03/31/1993"));
    hover(lapse, "dlpnmons");
    click(lapse, "cmddlc1ok");
    ok &= photos.take(lapse, QStringLiteral("datlapsfrm"));
    messages.closeAll();
    ok &= pictureHelp(screens, photos, lapse, "cmddlc2_hlp", "datelapsehlpf");
    lapse->close();

    // 35 working days after 04/15/1998 with the holidays of 1998 skipped;
    // the help's example computed.
    click(&menu, "cmd2_nwdf");
    QWidget* workingDay = screens.find(QStringLiteral("nxtwrkdayform"));
    type(workingDay, "nextstartday", QStringLiteral("04/15/1998"));
    type(workingDay, "nextdayval", QStringLiteral("35"));
    click(workingDay, "holdyfeatchk");
    hover(workingDay, "holdyfeatchk");
    click(workingDay, "okbutton");
    ok &= photos.take(workingDay, QStringLiteral("nxtwrkdayform"));
    messages.closeAll();
    click(workingDay, "olhelpbutton");
    QWidget* workingDayHelp = screens.find(QStringLiteral("nxtwrkhlpfrm"));
    click(workingDayHelp, "okbutton");
    ok &= photos.take(workingDayHelp, QStringLiteral("nxtwrkhlpfrm"));
    workingDayHelp->close();
    workingDay->close();

    // Is 06/15/1998 between 01/01/1998 and 12/31/1998?
    click(&menu, "cmd4_bdcx");
    QWidget* between = screens.find(QStringLiteral("betweendates"));
    type(between, "betwdate1", QStringLiteral("01/01/1998"));
    type(between, "betwdate2", QStringLiteral("06/15/1998"));
    type(between, "betwdate3", QStringLiteral("12/31/1998"));
    hover(between, "Labeloutput");
    click(between, "cmdbok");
    ok &= photos.take(between, QStringLiteral("betweendates"));
    messages.closeAll();
    between->close();

    // Both halves of the Julian conversion at once.
    click(&menu, "cmd8_jtcdx");
    QWidget* julian = screens.find(QStringLiteral("julcalform"));
    type(julian, "juliandatein", QStringLiteral("1998365"));
    type(julian, "caldatein", QStringLiteral("Dec/25/1998"));
    hover(julian, "OKButton1");
    click(julian, "OKButton1");
    ok &= photos.take(julian, QStringLiteral("julcalform"));
    ok &= pictureHelp(screens, photos, julian, "HelpButton2", "exampl8");
    julian->close();

    // A check date inside a two-year window; the help at its third example.
    click(&menu, "adateslidewind");
    QWidget* window = screens.find(QStringLiteral("slidwindform"));
    type(window, "pivotdate", QStringLiteral("01/01/1998"));
    type(window, "sldwndnum", QStringLiteral("2"));
    type(window, "checkdate", QStringLiteral("MAr/31/1999"));
    hover(window, "answertext");
    click(window, "OKButton1");
    ok &= photos.take(window, QStringLiteral("slidwindform"));
    messages.closeAll();
    click(window, "HelpButton2");
    QWidget* windowHelp = screens.find(QStringLiteral("slidwindhelp"));
    click(windowHelp, "clickmebutton");
    click(windowHelp, "clickmebutton");
    ok &= photos.take(windowHelp, QStringLiteral("slidwindhelp"));
    windowHelp->close();
    window->close();

    // Today's date as CCYY-MM-DD and the time on the 24-hour clock.
    click(&menu, "cmd3_dtirx");
    QWidget* dateTime = screens.find(QStringLiteral("datimeretvfrm"));
    find<QComboBox>(dateTime, "fmtcombo")->setCurrentIndex(15);
    click(dateTime, "Checkfulltime");
    hover(dateTime, "hourbox");
    click(dateTime, "cmddtiok");
    ok &= photos.take(dateTime, QStringLiteral("datimeretvfrm"));
    dateTime->close();

    // Christmas 1998 spelled out with the time and an AM/PM indicator.
    click(&menu, "fulldateformat");
    QWidget* fullDate = screens.find(QStringLiteral("afulldateform"));
    find<QLineEdit>(fullDate, "afulldatevalue")->clear();
    type(fullDate, "afulldatevalue", QStringLiteral("12/25/1998"));
    find<QComboBox>(fullDate, "fmtcombo")->setCurrentIndex(19);
    click(fullDate, "timecheck");
    click(fullDate, "apmswitch");
    hover(fullDate, "outputbox");
    click(fullDate, "okbutton");
    ok &= photos.take(fullDate, QStringLiteral("afulldateform"));
    fullDate->close();

    // Daylight saving in 2026 in the zone of New York, and Easter 1998.
    click(&menu, "daylightcmd");
    QWidget* daylight = screens.find(QStringLiteral("daylightform"));
    type(daylight, "dlstyr", QStringLiteral("2026"));
    click(daylight, "gocmd");
    ok &= photos.take(daylight, QStringLiteral("daylightform"));
    daylight->close();
    click(&menu, "eastercmd");
    QWidget* easter = screens.find(QStringLiteral("easterform"));
    type(easter, "easterdate", QStringLiteral("1998"));
    click(easter, "gocmd");
    ok &= photos.take(easter, QStringLiteral("easterform"));
    easter->close();

    messages.closeAll();
    return ok ? 0 : 1;
}
