#include "common/screen_host.h"

namespace kaldate {

void ScreenHost::add(const QString& name, Factory factory) {
    factories_.insert(name, std::move(factory));
}

QDialog* ScreenHost::open(const QString& name, QWidget* owner, std::function<void()> closed) {
    if (auto* screen = qobject_cast<QDialog*>(find(name))) {
        screen->raise();
        screen->activateWindow();
        return screen;
    }
    const auto factory = factories_.constFind(name);
    if (factory == factories_.constEnd() || services_ == nullptr) return nullptr;
    QDialog* screen = (*factory)(*services_, owner);
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->setWindowModality(Qt::ApplicationModal);
    if (closed) QObject::connect(screen, &QDialog::finished, screen, std::move(closed));
    track(screen);
    screen->show();
    screen->activateWindow();
    return screen;
}

void ScreenHost::track(QWidget* window) {
    open_.removeAll(nullptr);
    open_.append(window);
}

QWidget* ScreenHost::find(const QString& name) const {
    for (QWidget* screen : openScreens()) {
        if (screen->objectName() == name) return screen;
    }
    return nullptr;
}

QList<QWidget*> ScreenHost::openScreens() const {
    QList<QWidget*> screens;
    for (const QPointer<QWidget>& screen : open_) {
        // A closed screen is deleted later; it no longer counts as open.
        if (screen && screen->isVisible()) screens.append(screen);
    }
    return screens;
}

void ScreenHost::closeAllButFirst() {
    const QList<QWidget*> screens = openScreens();
    for (qsizetype i = screens.size() - 1; i > 0; --i) screens[i]->close();
}

}  // namespace kaldate
