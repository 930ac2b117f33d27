// Drives the demo on a real X server and saves a picture of every screen in
// a realistic state: kaldate_shots DIRECTORY. Each picture is the window's
// own area as the X server shows it, so a message box open over a screen is
// in the picture; DIRECTORY/manifest lists each picture with the window's
// size, for the checks of scripts/screenshots.sh.
#include <dlfcn.h>

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
#include <QTimer>
#include <cstdio>
#include <functional>

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
        // The server's area is in device pixels; the screen is asked in the
        // scaled pixels Qt works in (the same at a scale factor of 1).
        const qreal ratio = window->devicePixelRatioF();
        const QRect scaled(qRound(area.x() / ratio), qRound(area.y() / ratio),
                           qRound(area.width() / ratio), qRound(area.height() / ratio));
        const QPixmap picture = window->screen()->grabWindow(0, scaled.x(), scaled.y(),
                                                             scaled.width(), scaled.height());
        if (picture.isNull() ||
            !picture.save(directory_ + QLatin1Char('/') + name + QStringLiteral(".png"))) {
            std::fprintf(stderr, "%s: not saved\n", qPrintable(name));
            return false;
        }
        if (manifest_.isOpen() || manifest_.open(QIODevice::WriteOnly | QIODevice::Text)) {
            // The area asked for, in device pixels (an odd size at a scale
            // of 2 is asked for one pixel larger).
            QTextStream(&manifest_) << name << ' ' << qRound(scaled.width() * ratio) << ' '
                                    << qRound(scaled.height() * ratio) << '\n';
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

// Types into a text field after emptying it.
void type(QWidget* root, const char* field, const QString& text) {
    auto* edit = find<QLineEdit>(root, field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Moves the pointer over a control, so that its hint shows.
void hover(QWidget* root, const char* control) {
    // Where the window manager has put the window by now.
    if (!QTest::qWaitForWindowExposed(root)) std::fprintf(stderr, "%s: not shown\n", control);
    QTest::qWait(300);
    QTest::mouseMove(find(root, control));
    QTest::qWait(100);
}

// Opens a help screen from `screen` with `button`, presses `clicks` on it,
// pictures it and closes it.
bool pictureHelp(ScreenHost& screens, Photographer& photos, QWidget* screen, const char* button,
                 const char* help, const QList<const char*>& clicks = {}) {
    click(screen, button);
    QWidget* opened = screens.find(QLatin1String(help));
    if (opened != nullptr) {
        for (const char* name : clicks) click(opened, name);
    }
    const bool taken = photos.take(opened, QLatin1String(help));
    if (opened != nullptr) opened->close();
    return taken;
}

// Runs `step` from inside the modal loop of the library's window named
// `name` once that window is the active modal one; the step must end it. A
// window that does not come is reported; one of another name is ended so
// that the program goes on.
void whenShown(const QString& name, std::function<void(QWidget*)> step) {
    QTimer::singleShot(0, [name, step = std::move(step)] {
        QWidget* window = nullptr;
        const bool shown = QTest::qWaitFor(
            [&window, &name] {
                window = QApplication::activeModalWidget();
                return window != nullptr && window->objectName() == name;
            },
            10000);
        if (!shown) {
            std::fprintf(stderr, "%s: not shown\n", qPrintable(name));
            if (window != nullptr) QTest::keyClick(window, Qt::Key_Escape);
            return;
        }
        step(window);
    });
}

// Pictures the library's window `name` opened by clicking `button` of
// `window`, as PICTURE.png, and ends it with its button `closer` (Escape
// when none).
bool pictureLibraryWindow(Photographer& photos, QWidget* window, const char* button,
                          const QString& name, const QString& picture, const char* closer = nullptr,
                          std::function<void(QWidget*)> more = nullptr) {
    bool taken = false;
    whenShown(name, [&](QWidget* shown) {
        taken = photos.take(shown, picture);
        if (more) more(shown);
        if (closer != nullptr) {
            click(shown, closer);
        } else {
            QTest::keyClick(shown, Qt::Key_Escape);
        }
    });
    click(window, button);
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

    // The feature screens opened from the menu, each with its input typed,
    // its boxes ticked, the pointer on a control (its hint shown) and OK
    // pressed, its message box open over it; then its help screen, with
    // buttons pressed there.
    struct Shot {
        const char* menuButton;
        const char* screen;
        QList<std::pair<const char*, const char*>> fields;
        QList<const char*> clicks;  // before OK
        int format;                 // the position chosen in fmtcombo; -1: none
        const char* hover;
        const char* ok;
        const char* helpButton = nullptr;
        const char* help = nullptr;
        QList<const char*> helpClicks = {};
    };
    const Shot shots[] = {
        // 1404 days after 04/10/1998.
        {"cmd7_dccl",
         "nwdatecalcform",
         {{"dtcvstartdate", "04/10/1998"}, {"dtcvnumdays", "1404"}},
         {},
         -1,
         "dtcvnumdays",
         "okbutton",
         "helpbutton",
         "datecalcform"},
        // From 09/24/1990 to 03/31/1993.
        {"cmd6_dlc",
         "datlapsfrm",
         {{"dlpstrtdate", "09/24/1990"}, {"dlpenddate", "03/31/1993"}},
         {},
         -1,
         "dlpnmons",
         "cmddlc1ok",
         "cmddlc2_hlp",
         "datelapsehlpf"},
        // 35 working days after 04/15/1998, the holidays of 1998 skipped; the
        // help's example computed.
        {"cmd2_nwdf",
         "nxtwrkdayform",
         {{"nextstartday", "04/15/1998"}, {"nextdayval", "35"}},
         {"holdyfeatchk"},
         -1,
         "holdyfeatchk",
         "okbutton",
         "olhelpbutton",
         "nxtwrkhlpfrm",
         {"okbutton"}},
        // Is 06/15/1998 between 01/01/1998 and 12/31/1998?
        {"cmd4_bdcx",
         "betweendates",
         {{"betwdate1", "01/01/1998"}, {"betwdate2", "06/15/1998"}, {"betwdate3", "12/31/1998"}},
         {},
         -1,
         "Labeloutput",
         "cmdbok"},
        // Both halves of the Julian conversion at once.
        {"cmd8_jtcdx",
         "julcalform",
         {{"juliandatein", "1998365"}, {"caldatein", "Dec/25/1998"}},
         {},
         -1,
         "OKButton1",
         "OKButton1",
         "HelpButton2",
         "exampl8"},
        // A check date inside a two-year window; the help at its third example.
        {"adateslidewind",
         "slidwindform",
         {{"pivotdate", "01/01/1998"}, {"sldwndnum", "2"}, {"checkdate", "MAr/31/1999"}},
         {},
         -1,
         "answertext",
         "OKButton1",
         "HelpButton2",
         "slidwindhelp",
         {"clickmebutton", "clickmebutton"}},
        // Today as CCYY-MM-DD and the time on the 24-hour clock.
        {"cmd3_dtirx", "datimeretvfrm", {}, {"Checkfulltime"}, 15, "hourbox", "cmddtiok"},
        // Christmas 1998 spelled out with the time and an AM/PM indicator.
        {"fulldateformat",
         "afulldateform",
         {{"afulldatevalue", "12/25/1998"}},
         {"timecheck", "apmswitch"},
         19,
         "outputbox",
         "okbutton"},
        // Daylight saving in 2026 in the zone of New York, and Easter 1998.
        {"daylightcmd", "daylightform", {{"dlstyr", "2026"}}, {}, -1, "gocmd", "gocmd"},
        {"eastercmd", "easterform", {{"easterdate", "1998"}}, {}, -1, "gocmd", "gocmd"},
    };
    for (const Shot& shot : shots) {
        click(&menu, shot.menuButton);
        QWidget* screen = screens.find(QLatin1String(shot.screen));
        if (screen == nullptr) {
            std::fprintf(stderr, "%s: not opened\n", shot.screen);
            ok = false;
            continue;
        }
        for (const auto& [field, text] : shot.fields) type(screen, field, QLatin1String(text));
        for (const char* button : shot.clicks) click(screen, button);
        if (shot.format >= 0) find<QComboBox>(screen, "fmtcombo")->setCurrentIndex(shot.format);
        hover(screen, shot.hover);
        click(screen, shot.ok);
        ok &= photos.take(screen, QLatin1String(shot.screen));
        messages.closeAll();
        if (shot.help != nullptr) {
            ok &= pictureHelp(screens, photos, screen, shot.helpButton, shot.help, shot.helpClicks);
        }
        screen->close();
    }

    messages.closeAll();

    // The date entry from the between-dates screen, Date 1 filled: 12/25/1998
    // typed and the calendar opened on it, its help, the 24th picked with a
    // double click, the entry's help, and OK filling Date 2.
    click(&menu, "cmd4_bdcx");
    QWidget* between = screens.find(QStringLiteral("betweendates"));
    type(between, "betwdate1", QStringLiteral("01/01/1998"));
    click(between, "cmdbcaldr");
    QWidget* entry = screens.find(QStringLiteral("frmMain"));
    type(entry, "txtDate", QStringLiteral("12/25/1998"));
    click(entry, "cmdCalendar");
    auto* calendar = screens.find(QStringLiteral("frmCalendar"));
    hover(calendar, "picMonth");
    ok &= photos.take(calendar, QStringLiteral("frmCalendar"));
    ok &= pictureHelp(screens, photos, calendar, "helpbutton", "hlpgetdate");
    QTest::keyClick(calendar, Qt::Key_Left);
    QTest::keyClick(calendar, Qt::Key_Return);
    hover(entry, "cmdOK");
    ok &= photos.take(entry, QStringLiteral("frmMain"));
    ok &= pictureHelp(screens, photos, entry, "cmdhelp", "mainFrmhlp");
    click(entry, "cmdOK");
    ok &= photos.take(between, QStringLiteral("betweendates-picked"));
    between->close();

    // The read-me screen; its DLL Info box.
    click(&menu, "cmd3infox");
    QWidget* readMe = screens.find(QStringLiteral("infoform"));
    ok &= photos.take(readMe, QStringLiteral("infoform"));
    ok &= pictureLibraryWindow(photos, readMe, "dllinfobutton", QStringLiteral("messagebox"),
                               QStringLiteral("KD_HELPABOUTME"));
    readMe->close();

    // The about screen, and what System Info says where no system
    // information program is installed.
    click(&menu, "realaboutcmd");
    QWidget* about = screens.find(QStringLiteral("frmAbout"));
    ok &= photos.take(about, QStringLiteral("frmAbout"));
    click(about, "cmdSysInfo");
    ok &= photos.take(about, QStringLiteral("frmAbout-sysinfo"));
    messages.closeAll();
    about->close();

    // The library's dialogs from the main menu's Supported Date Formats and
    // Info buttons, each nested one opened from its button on top.
    ok &= pictureLibraryWindow(
        photos, &menu, "CmdDatfmt1", QStringLiteral("dialog109"), QStringLiteral("dialog109"),
        "command2", [&](QWidget* formats) {
            ok &= pictureLibraryWindow(photos, formats, "command6", QStringLiteral("dialog110"),
                                       QStringLiteral("dialog110"), "command6");
            ok &= pictureLibraryWindow(photos, formats, "command4", QStringLiteral("dialog111"),
                                       QStringLiteral("dialog111"), "command6");
            ok &= pictureLibraryWindow(photos, formats, "command1014", QStringLiteral("dialog112"),
                                       QStringLiteral("dialog112"), "command1");
        });
    ok &= pictureLibraryWindow(photos, &menu, "cmd2abt", QStringLiteral("dialog101"),
                               QStringLiteral("dialog101"), "command1", [&](QWidget* product) {
                                   ok &= pictureLibraryWindow(
                                       photos, product, "command6", QStringLiteral("dialog104"),
                                       QStringLiteral("dialog104"), "command1");
                               });

    // The ownership box, which the demo does not call: straight from the
    // library the demo loaded.
    bool ownership = false;
    whenShown(QStringLiteral("messagebox"), [&](QWidget* box) {
        ownership = photos.take(box, QStringLiteral("KD_ABOUTDLL"));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    void* library = dlopen("libkalcore.so.3", RTLD_NOW | RTLD_NOLOAD);
    using InformationBox = std::int16_t (*)();
    auto aboutDll = library != nullptr
                        ? reinterpret_cast<InformationBox>(dlsym(library, "KD_ABOUTDLL"))
                        : nullptr;
    if (aboutDll != nullptr) aboutDll();
    if (library != nullptr) dlclose(library);
    ok &= ownership;

    messages.closeAll();
    return ok ? 0 : 1;
}
