// Opens the demo's screens by name. Each opening loads the screen afresh
// (so it starts from its load-time state), shows it modally over its owner
// and unloads it when it closes; a screen already open is raised instead of
// loaded twice. The host keeps the program's list of open screens in the
// order they were opened, the main menu first.
#pragma once

#include <QDialog>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace kaldate {

struct Services;

class ScreenHost {
  public:
    using Factory = std::function<QDialog*(Services& services, QWidget* owner)>;

    void setServices(Services& services) { services_ = &services; }
    void add(const QString& name, Factory factory);
    bool knows(const QString& name) const { return factories_.contains(name); }
    // The names of every screen it can open.
    QStringList names() const { return factories_.keys(); }

    // Opens the screen `name` over `owner`; `closed` runs when it closes.
    // Returns the screen, or nothing for a name the host does not know.
    QDialog* open(const QString& name, QWidget* owner, std::function<void()> closed = {});

    // Adds a window the host did not open (the main menu) to the list.
    void track(QWidget* window);
    // The open (shown) screen of that name, if any.
    QWidget* find(const QString& name) const;
    QList<QWidget*> openScreens() const;
    // Closes every open screen but the first, the latest first.
    void closeAllButFirst();

  private:
    Services* services_ = nullptr;
    QMap<QString, Factory> factories_;
    QList<QPointer<QWidget>> open_;
};

}  // namespace kaldate
