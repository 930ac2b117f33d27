// Drives the demo on a real X server and saves a picture of every screen in
// a realistic state: kaldate_shots DIRECTORY. Each picture is the window's
// own area as the X server shows it, so a message box open over a screen is
// in the picture; DIRECTORY/manifest lists each picture with the window's
// size, for the checks of scripts/screenshots.sh.
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

#include "binding/kalcore_binding.h"
#include "common/library_problems.h"
#include "common/screen_host.h"
#include "common/services.h"
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
        // A window with a title bar is pictured once the window manager has
        // framed it.
        const bool framed = !window->windowFlags().testFlag(Qt::FramelessWindowHint);
        if (framed &&
            !QTest::qWaitFor(
                [window] { return window->frameGeometry().height() > window->geometry().height(); },
                20000)) {
            const QRect frame = window->frameGeometry();
            std::fprintf(stderr, "%s: no frame (%dx%d, window %dx%d)\n", qPrintable(name),
                         frame.width(), frame.height(), window->width(), window->height());
            return false;
        }
        QTest::qWait(400);
        // Painted now, and on the X server before the picture is asked for
        // over the same connection.
        for (QWidget* shown : QApplication::topLevelWidgets()) {
            if (shown->isVisible()) shown->repaint();
        }
        const QRect area = window->frameGeometry();
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

void click(QWidget* root, const char* button) {
    QTest::mouseClick(find<QPushButton>(root, button), Qt::LeftButton);
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
    Services services{kalcore, messages, screens, notificationIcon, &defaultPrinter};
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
    click(information, "help1button");
    ok &= photos.take(screens.find(QStringLiteral("genlhlpinfo")), QStringLiteral("genlhlpinfo"));
    screens.find(QStringLiteral("genlhlpinfo"))->close();
    information->close();

    messages.closeAll();
    return ok ? 0 : 1;
}
