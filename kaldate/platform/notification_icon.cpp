#include "platform/notification_icon.h"

#include <QIcon>
#include <QSystemTrayIcon>

namespace kaldate {

namespace {
constexpr int kTipField = 64;
}

NotificationIcon::NotificationIcon() = default;
NotificationIcon::~NotificationIcon() = default;

void NotificationIcon::apply(Operation operation, const QPixmap& picture, const QString& tip) {
    if (operation == kDelete) {
        present_ = false;
        icon_.reset();
        return;
    }
    if (operation == kModify && !present_) return;
    present_ = true;
    tip_ = tip.left(kTipField - 1);
    if (!icon_ && QSystemTrayIcon::isSystemTrayAvailable()) {
        icon_ = std::make_unique<QSystemTrayIcon>();
    }
    if (icon_) {
        icon_->setIcon(QIcon(picture));
        icon_->setToolTip(tip_);
        icon_->show();
    }
}

bool NotificationIcon::shownOnDesktop() const {
    return icon_ && icon_->isVisible();
}

}  // namespace kaldate
