// The main menu's icon in the desktop's notification area. One operation
// (add, modify, delete) at a time, as the main menu asks; where the desktop
// has no notification area the icon is silently absent, but what was asked
// is still kept, so the program behaves alike on every desktop.
#pragma once

#include <QPixmap>
#include <QString>
#include <memory>

class QSystemTrayIcon;

namespace kaldate {

class NotificationIcon {
  public:
    enum Operation { kAdd = 0, kModify = 1, kDelete = 2 };

    NotificationIcon();
    ~NotificationIcon();
    NotificationIcon(const NotificationIcon&) = delete;
    NotificationIcon& operator=(const NotificationIcon&) = delete;

    // Applies one operation with the icon's picture and tip. The tip is held
    // in a 64-character field: at most 63 characters are shown.
    void apply(Operation operation, const QPixmap& picture, const QString& tip);

    // Added and not deleted since.
    bool present() const { return present_; }
    QString tip() const { return tip_; }
    // Whether the desktop shows it (it has a notification area).
    bool shownOnDesktop() const;

  private:
    bool present_ = false;
    QString tip_;
    std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace kaldate
