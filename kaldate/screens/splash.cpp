#include "screens/splash.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "common/controls.h"
#include "common/pictures.h"

namespace kaldate {

namespace {

// Keeps the keys held when the splash closed from every window until each is
// let go: their auto-repeated presses and releases and their last release.
// A fresh press of such a key (not a repeat) means it was let go unseen, and
// goes through.
class HeldKeysFilter : public QObject {
  public:
    HeldKeysFilter(QList<int> keys, QObject* parent) : QObject(parent), keys_(std::move(keys)) {}

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
            type != QEvent::ShortcutOverride) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!keys_.contains(key->key())) return false;
        if (type == QEvent::KeyPress && !key->isAutoRepeat()) {
            forget(key->key());
            return false;
        }
        if (type == QEvent::KeyRelease && !key->isAutoRepeat()) forget(key->key());
        return true;
    }

  private:
    void forget(int key) {
        keys_.removeAll(key);
        if (keys_.isEmpty()) deleteLater();
    }
    QList<int> keys_;
};

}  // namespace

Splash::Splash(QWidget* owner) : QDialog(owner, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Kalendrix"));
    setModal(true);
    setStyleSheet(QStringLiteral("#frmSplash { border: 2px solid #602020; }"));

    auto* product = plainLabel(QStringLiteral("Kalendrix"));
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    product->setFont(big);
    auto* logo = new QLabel;
    logo->setPixmap(logoPicture(120));

    auto* texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(plainLabel(QStringLiteral("Version 3.4")));
    texts->addWidget(plainLabel(QStringLiteral("Windows 95/98/NT")));
    texts->addSpacing(12);
    texts->addWidget(textBlock(QStringLiteral(
        "Year 2000 Compliant Software.  Ready to take your software needs into the Year 2000 "
        "and Beyond!")));
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(16);
    top->addLayout(texts, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 18);
    layout->addLayout(top);
    layout->addSpacing(16);
    layout->addWidget(new QLabel(QStringLiteral("Press any Key to Continue...")), 0,
                      Qt::AlignRight);
    setFixedWidth(520);
}

void Splash::keyPressEvent(QKeyEvent* event) {
    if (!held_.contains(event->key())) held_.append(event->key());
    qApp->installEventFilter(new HeldKeysFilter(held_, qApp));
    accept();
}

void Splash::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) held_.removeAll(event->key());
}

void Splash::mousePressEvent(QMouseEvent* /*event*/) {
    accept();
}

}  // namespace kaldate
