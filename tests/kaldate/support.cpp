#include "support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionButton>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

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

Demo::Demo(QStringList libraryLocations, KeyboardState* platformKeyboard)
    : kalcore(std::move(libraryLocations)),
      services{kalcore,
               messages,
               screens,
               notificationIcon,
               [this] { return printer; },
               platformKeyboard != nullptr ? *platformKeyboard : keyboard} {
    screens.setServices(services);
    kalcore.setCallObserver([this](const CallRecord& call) { calls.append(call); });
}

QStringList Demo::calledFunctions() const {
    QStringList names;
    for (const CallRecord& call : calls) names.append(QString::fromLatin1(call.function));
    return names;
}

const CallRecord& Demo::lastCall(const char* function) const {
    for (qsizetype i = calls.size() - 1; i >= 0; --i) {
        if (calls[i].function == function) return calls[i];
    }
    QTest::qFail(qPrintable(QStringLiteral("%1 was not called").arg(QLatin1String(function))),
                 __FILE__, __LINE__);
    throw std::runtime_error("missing call");
}

QStringList Demo::press(QWidget* screen, const QList<std::pair<QString, QString>>& fields,
                        const QString& button) {
    clearCalls();
    messages.shown.clear();
    for (const auto& [field, text] : fields) type(screen, field, text);
    click(screen, button);
    return messages.texts();
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

const QStringList& screenNames() {
    static const QStringList kNames = {
        "nwdatcnvfrm",    "FormTwo",       "datecnvhlpf",   "genldateinfo",  "genlhlpinfo",
        "nwdatecalcform", "datecalcform",  "datlapsfrm",    "datelapsehlpf", "nxtwrkdayform",
        "nxtwrkhlpfrm",   "betweendates",  "julcalform",    "exampl8",       "slidwindform",
        "slidwindhelp",   "datimeretvfrm", "afulldateform", "daylightform",  "easterform",
        "frmMain",        "frmCalendar",   "mainFrmhlp",    "hlpgetdate",    "infoform",
        "frmAbout"};
    return kNames;
}

QWidget* topLevel(const QString& name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible()) return widget;
    }
    return nullptr;
}

QString shownText(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
    if (auto* field = qobject_cast<QLineEdit*>(control)) return field->text();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
    return QString();
}

QString shown(QWidget* root, const QString& name) {
    return shownText(child<QWidget>(root, name));
}

bool focused(QWidget* root, const QString& name) {
    return child<QWidget>(root, name)->hasFocus();
}

void type(QWidget* root, const QString& field, const QString& text) {
    auto* edit = child<QLineEdit>(root, field);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void click(QWidget* root, const QString& button) {
    auto* target = child<QAbstractButton>(root, button);
    // A check box takes clicks on its box and its text only, not on the
    // rest of its width: a click on the box, as a user does.
    if (auto* box = qobject_cast<QCheckBox*>(target)) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
        return;
    }
    QTest::mouseClick(target, Qt::LeftButton);
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

void awaitQtThreadsEnded() {
    // The names Qt gives the painting pool's threads and the test watchdog.
    const auto ending = [] {
        std::error_code error;
        for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", error)) {
            std::ifstream comm(task.path() / "comm");
            std::string name;
            std::getline(comm, name);
            if (name == "Thread (pooled)" || name == "QtTest Watchdog") return true;
        }
        return false;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ending() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

}  // namespace kaldate::testing
