#include "application_scope.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QLibraryInfo>
#include <QThread>
#include <cstdlib>
#include <cstring>

#ifdef KALCORE_DIALOGS_HAVE_XLIB
#include <X11/Xlib.h>
#endif

namespace kalcore::dialogs::qt {

namespace {

std::recursive_mutex g_turns;

// The X server named by DISPLAY accepts a connection.
bool xServerAnswers() {
#ifdef KALCORE_DIALOGS_HAVE_XLIB
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return false;
    Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) return false;
    XCloseDisplay(connection);
    return true;
#else
    // Without Xlib the server is trusted to be there when it is named.
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
#endif
}

// The Wayland compositor named by WAYLAND_DISPLAY accepts a connection.
bool waylandAnswers() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') return false;
    std::string path = name;
    if (path.front() != '/') {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        if (runtime == nullptr || *runtime == '\0') return false;
        path = std::string(runtime) + "/" + path;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return false;
    const bool answers =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return answers;
}

bool hasWaylandPlugin() {
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                         QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*")}, QDir::Files).isEmpty();
}

// Qt keeps pointers to these for the application's lifetime.
int g_argc = 3;
char g_program[] = "kalcore";
char g_platformOption[] = "-platform";
char g_platform[64];
char* g_argv[] = {g_program, g_platformOption, g_platform, nullptr};

}  // namespace

QByteArray reachablePlatform() {
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) {
        if (!chosen.startsWith("xcb")) return chosen;
        return xServerAnswers() ? chosen : QByteArray();
    }
    if (xServerAnswers()) return QByteArrayLiteral("xcb");
    if (waylandAnswers() && hasWaylandPlugin()) return QByteArrayLiteral("wayland");
    return QByteArray();
}

ApplicationScope::ApplicationScope() : turn_(g_turns) {
    if (QCoreApplication* running = QCoreApplication::instance()) {
        ready_ = qobject_cast<QApplication*>(running) != nullptr &&
                 running->thread() == QThread::currentThread();
        return;
    }
    const QByteArray platform = reachablePlatform();
    if (platform.isEmpty() || platform.size() >= static_cast<qsizetype>(sizeof g_platform)) return;
    std::memcpy(g_platform, platform.constData(), static_cast<std::size_t>(platform.size()) + 1);
    g_argc = 3;
    temporary_ = std::make_unique<QApplication>(g_argc, g_argv);
    ready_ = true;
}

ApplicationScope::~ApplicationScope() {
    temporary_.reset();
}

}  // namespace kalcore::dialogs::qt
