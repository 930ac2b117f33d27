// The demo's windows on a real X server of 1280x1024 (xvfb_test.sh), run at
// the scale factor ctest gives (1, and 2 through QT_SCALE_FACTOR): the
// calendar's weekday letters stand over their columns of day numbers, as
// measured on the pixels drawn, and every window fits the screen's available
// area, scrolling its body where the body does not fit.
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "screens/main_menu.h"
#include "screens/month_calendar.h"
#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

// The horizontal centre, in the window's device pixels, of the dark pixels
// `widget` draws between `left` and `right` (its own logical pixels) and
// between `top` and `bottom`; -1 when it draws none there.
double inkCentre(QWidget* widget, int left, int right, int top, int bottom) {
    const QImage image = widget->grab().toImage();
    const double ratio = image.devicePixelRatio();
    double sum = 0;
    double count = 0;
    for (int y = int(top * ratio); y < int(bottom * ratio) && y < image.height(); ++y) {
        for (int x = int(left * ratio); x < int(right * ratio) && x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                sum += x;
                ++count;
            }
        }
    }
    if (count == 0) return -1;
    return sum / count + widget->mapTo(widget->window(), QPoint()).x() * ratio;
}

}  // namespace

class LayoutX11Test : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        addScreens(demo_.screens);
    }
    void cleanup() { demo_.closeAll(); }

    // November 1998 begins on a Sunday: its first row has a day in every
    // column, each centred in its cell, to measure the letters against.
    void theWeekdayLettersStandOverTheirDays() {
        auto* calendar = qobject_cast<MonthCalendar*>(
            demo_.screens.open(QStringLiteral("frmCalendar"), nullptr));
        QVERIFY(calendar);
        QVERIFY(QTest::qWaitForWindowExposed(calendar));
        calendar->setCurrentDate(QDate(1998, 11, 15));
        auto* surface = child<MonthSurface>(calendar, QStringLiteral("picMonth"));
        auto* heading = child<QWidget>(calendar, QStringLiteral("dayheading"));
        const double ratio = surface->devicePixelRatioF();
        for (int column = 0; column < 7; ++column) {
            const QRect cell = surface->cellOf(column + 1);
            const double letter =
                inkCentre(heading, cell.left(), cell.right(), 0, heading->height());
            const double day = inkCentre(surface, cell.left() + 2, cell.right() - 1, cell.top() + 2,
                                         cell.bottom() - 1);
            QVERIFY2(letter >= 0 && day >= 0, qPrintable(QString::number(column)));
            QVERIFY2(std::abs(letter - day) <= 1.5 * ratio,
                     qPrintable(QStringLiteral("column %1: letter at %2, day at %3 (device px)")
                                    .arg(column)
                                    .arg(letter)
                                    .arg(day)));
        }
    }

    void everyWindowFitsTheScreen_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("mainmainfrm") << "mainmainfrm";
        for (const QString& name : screenNames()) QTest::newRow(qPrintable(name)) << name;
    }
    void everyWindowFitsTheScreen() {
        QFETCH(QString, name);
        std::unique_ptr<MainMenu> menu;
        QWidget* window = nullptr;
        if (name == QLatin1String("mainmainfrm")) {
            menu = std::make_unique<MainMenu>(demo_.services);
            menu->start();
            QWidget* splash = QApplication::activeModalWidget();
            QTRY_VERIFY((splash = QApplication::activeModalWidget()) != nullptr);
            QTest::keyClick(splash, Qt::Key_Return);
            window = menu.get();
        } else {
            window = demo_.screens.open(name, nullptr);
        }
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize room = window->screen()->availableGeometry().size();
        QVERIFY2(window->frameGeometry().width() <= room.width() &&
                     window->frameGeometry().height() <= room.height(),
                 qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                .arg(window->frameGeometry().width())
                                .arg(window->frameGeometry().height())
                                .arg(room.width())
                                .arg(room.height())));
        // What does not fit scrolls: a body wider or taller than its view has
        // the scroll bar to reach the rest.
        for (QScrollArea* area : window->findChildren<QScrollArea*>()) {
            const QWidget* body = area->widget();
            if (body == nullptr) continue;
            const QSize view = area->viewport()->size();
            if (body->width() > view.width()) QVERIFY(area->horizontalScrollBar()->isVisible());
            if (body->height() > view.height()) QVERIFY(area->verticalScrollBar()->isVisible());
        }
        // Nothing outside the window but what its body scrolls to.
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (!control->isVisible() || control->isWindow()) continue;
            const QRect at(control->mapTo(window, QPoint()), control->size());
            bool scrolled = false;
            for (QWidget* up = control->parentWidget(); up != nullptr && up != window;
                 up = up->parentWidget()) {
                scrolled |= qobject_cast<QScrollArea*>(up) != nullptr;
            }
            QVERIFY2(scrolled || window->rect().contains(at), qPrintable(control->objectName()));
        }
        if (menu) {
            demo_.messages.answerNext(kAnswerYes);
            menu->close();
        }
    }
};

KALDATE_TEST_MAIN(LayoutX11Test)
#include "layout_x11_test.moc"
