#include "support.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

namespace kaldate::testing {

int RecordingMessageBoxes::show(QWidget* owner, MessageStyle style, const QString& caption,
                                const QString& text) {
    shown.append({owner != nullptr ? owner->objectName() : QString(), style, caption, text});
    if (style != MessageStyle::YesNoQuestion) return kAnswerOk;
    return answers_.isEmpty() ? kAnswerNo : answers_.takeFirst();
}

QStringList RecordingMessageBoxes::texts() const {
    QStringList texts;
    for (const ShownMessage& message : shown) texts.append(message.text);
    return texts;
}

TempHome::TempHome(int keyYear) {
    const QString root = dir_.path();
    qputenv("HOME", root.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/data")).toLocal8Bit());
    qunsetenv("HOLDYPATH");
    QDir().mkpath(root + QStringLiteral("/config/kalcore"));
    QFile ini(root + QStringLiteral("/config/kalcore/KalDatFl.Ini"));
    if (ini.open(QIODevice::WriteOnly)) {
        ini.write(
            QStringLiteral("[KalDateSoft]\nKeyYearForHolidayFile=%1\n").arg(keyYear).toLatin1());
    }
}

Demo::Demo(QStringList libraryLocations)
    : kalcore(std::move(libraryLocations)),
      services{kalcore, messages, screens, notificationIcon, [this] { return printer; }} {
    screens.setServices(services);
    kalcore.setCallObserver([this](const CallRecord& call) { calls.append(call); });
}

QStringList Demo::calledFunctions() const {
    QStringList names;
    for (const CallRecord& call : calls) names.append(QString::fromLatin1(call.function));
    return names;
}

QDialog* Demo::open(const QString& name, QWidget* owner) {
    QDialog* screen = screens.open(name, owner);
    if (screen == nullptr) return nullptr;
    // Side by side rather than stacked: the offscreen platform hands the
    // mouse to the first window under it, not the topmost.
    screen->move(2000 * static_cast<int>(screens.openScreens().size()), 0);
    return QTest::qWaitForWindowExposed(screen) ? screen : nullptr;
}

QDialog* Demo::openAfresh(const QString& name) {
    clearCalls();
    messages.shown.clear();
    QDialog* screen = open(name);
    return screen != nullptr && QTest::qWaitForWindowActive(screen) ? screen : nullptr;
}

void Demo::closeAll() {
    for (QWidget* screen : screens.openScreens()) screen->close();
    QCoreApplication::processEvents();
}

QString shownText(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* field = qobject_cast<QLineEdit*>(control)) return field->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
    return QString();
}

void type(QWidget* root, const QString& field, const QString& text) {
    auto* edit = child<QLineEdit>(root, field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void click(QWidget* root, const QString& button) {
    QTest::mouseClick(child<QAbstractButton>(root, button), Qt::LeftButton);
}

void hover(QWidget* widget, bool background) {
    QPoint spot = widget->rect().center();
    if (background) {
        // The first point, on a coarse grid, that no child covers.
        for (int y = 2; y < widget->height(); y += 3) {
            for (int x = 2; x < widget->width(); x += 3) {
                if (widget->childAt(x, y) == nullptr) {
                    spot = QPoint(x, y);
                    y = widget->height();
                    break;
                }
            }
        }
    }
    // Away first, so that moving back onto the same spot still counts.
    QTest::mouseMove(widget->window(), QPoint(0, 0));
    QTest::mouseMove(widget, spot);
}

}  // namespace kaldate::testing
