// kaldate: the desktop demo of the kalcore date library. It starts with the
// splash over its main menu and ends when the user confirms the exit question.
#include <QApplication>

#include "binding/kalcore_binding.h"
#include "common/library_problems.h"
#include "common/screen_host.h"
#include "common/services.h"
#include "platform/message_boxes.h"
#include "platform/notification_icon.h"
#include "platform/printer.h"
#include "screens/main_menu.h"
#include "screens/screen_list.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kaldate"));
    // The program ends through the main menu's exit question only.
    QApplication::setQuitOnLastWindowClosed(false);

    kaldate::KalcoreBinding kalcore;
    kaldate::QtMessageBoxes messages;
    kaldate::ScreenHost screens;
    kaldate::NotificationIcon notificationIcon;
    kaldate::Services services{kalcore, messages, screens, notificationIcon,
                               &kaldate::defaultPrinter};
    screens.setServices(services);
    kaldate::addScreens(screens);
    kaldate::reportLibraryProblems(kalcore, messages);

    kaldate::MainMenu menu(services);
    QObject::connect(&menu, &kaldate::MainMenu::exitConfirmed, &app, &QApplication::quit);
    menu.start();
    return QApplication::exec();
}
