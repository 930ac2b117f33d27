#include "screens/splash.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "common/controls.h"
#include "common/pictures.h"

namespace kaldate {

namespace {

// Keeps the keys held when the splash closed from every window until each is
// let go: their repeats and their last release. Whether the platform marks a
// repeat as one varies (a repeat may come as a press and a release that look
// fresh), so the filter goes by time instead: a key is taken as let go when
// no press follows its release within the repeat interval, or when it has
// been silent longer than a repeat delay (its release went elsewhere). A
// later press of it is a new press and goes through.
class HeldKeysFilter : public QObject {
  public:
    HeldKeysFilter(const QList<int>& keys, QObject* parent) : QObject(parent) {
        clock_.start();
        for (int key : keys) held_.append({key, 0, true});
    }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease &&
            type != QEvent::ShortcutOverride) {
            return false;
        }
        const int code = static_cast<QKeyEvent*>(event)->key();
        const auto held = std::find_if(held_.begin(), held_.end(),
                                       [code](const Held& entry) { return entry.key == code; });
        if (held == held_.end()) return false;
        const qint64 now = clock_.elapsed();
        const qint64 silence = now - held->last;
        const bool newPress = held->down ? silence >= kRepeatDelay : silence >= kRepeatInterval;
        if (type == QEvent::ShortcutOverride) return !newPress;
        if (type == QEvent::KeyPress) {
            if (newPress) {
                forget(code);
                return false;
            }
            held->down = true;
        } else {
            held->down = false;
            QTimer::singleShot(kRepeatInterval + 10, this, [this, code] { forgetIfLetGo(code); });
        }
        held->last = now;
        return true;
    }

  private:
    struct Held {
        int key;
        qint64 last;  // milliseconds, by clock_
        bool down;
    };
    // Longer than the gap between two repeats of a held key, and than the
    // delay before the first repeat.
    static constexpr qint64 kRepeatInterval = 150;
    static constexpr qint64 kRepeatDelay = 1000;

    void forgetIfLetGo(int key) {
        for (const Held& entry : held_) {
            if (entry.key == key && !entry.down &&
                clock_.elapsed() - entry.last >= kRepeatInterval) {
                forget(key);
                return;
            }
        }
    }
    void forget(int key) {
        held_.removeIf([key](const Held& entry) { return entry.key == key; });
        if (held_.isEmpty()) {
            qApp->removeEventFilter(this);
            deleteLater();
        }
    }

    QElapsedTimer clock_;
    QList<Held> held_;
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
    held_.removeAll(event->key());
}

void Splash::mousePressEvent(QMouseEvent* /*event*/) {
    accept();
}

}  // namespace kaldate
