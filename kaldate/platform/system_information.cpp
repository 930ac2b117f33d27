#include "platform/system_information.h"

#include <QProcess>
#include <QStandardPaths>

namespace kaldate {

QStringList systemInformationPrograms() {
    // KDE's and the desktop-neutral information centres first; the system
    // monitors show the machine's hardware and system too.
    return {QStringLiteral("kinfocenter"),
            QStringLiteral("hardinfo2"),
            QStringLiteral("hardinfo"),
            QStringLiteral("lshw-gtk"),
            QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor")};
}

bool startSystemInformation() {
    for (const QString& name : systemInformationPrograms()) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) return QProcess::startDetached(path, {});
    }
    return false;
}

}  // namespace kaldate
