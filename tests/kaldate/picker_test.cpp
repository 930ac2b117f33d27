// The date entry frmMain, the month calendar frmCalendar and their help
// screens against the built library: the platform's date test, every way of
// moving through the month from a fixed date, clicks inside and outside the
// month, the cell-size rule and the frame colours, accepting and leaving,
// the two error texts, and where OK puts the date on every kind of screen.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "common/calendar_dates.h"
#include "screens/main_menu.h"
#include "screens/month_calendar.h"
#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

// "name=value" pairs.
using Assignments = QStringList;

std::pair<QString, QString> split(const QString& assignment) {
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    return {assignment.left(equals), assignment.mid(equals + 1)};
}

QDate date(const char* text) {
    return QDate::fromString(QLatin1String(text), QStringLiteral("MM/dd/yyyy"));
}

// A double click as the X server delivers it: press, release, then the
// second press as a double click, and its release.
void doubleClick(QWidget* widget, QPoint point = {}) {
    if (point.isNull()) point = widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, point);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, point);
}

}  // namespace

class PickerTest : public QObject {
    Q_OBJECT
    TempHome home_{1998};
    Demo demo_;
    std::unique_ptr<MainMenu> menu_;

    // What get-date handed back, once its calendar closed.
    struct Returned {
        int calls = 0;
        bool accepted = false;
        QString date;
    } returned_;

    MonthCalendar* pick(const QString& date, const QString& title = {}) {
        returned_ = {};
        getDate(demo_.screens, nullptr, date, title, [this](bool accepted, const QString& date) {
            returned_ = {returned_.calls + 1, accepted, date};
        });
        return qobject_cast<MonthCalendar*>(opened(QStringLiteral("frmCalendar")));
    }

    static MonthSurface* surfaceOf(QWidget* calendar) {
        return child<MonthSurface>(calendar, QStringLiteral("picMonth"));
    }

    // The screen the main menu opens with `button`.
    QWidget* fromMenu(const char* button, const char* screen) {
        click(menu_.get(), QLatin1String(button));
        return opened(QLatin1String(screen));
    }

    // The screen `name`, once open, moved beside the others (the offscreen
    // platform hands a click to the first window under it, not the topmost)
    // and active.
    QWidget* opened(const QString& name) {
        QWidget* screen = demo_.screens.find(name);
        if (screen == nullptr) return nullptr;
        screen->move(2000 * static_cast<int>(demo_.screens.openScreens().size()), 0);
        // Active by the application's account: the window asked for a moment
        // ago may still count as active by its own.
        return QTest::qWaitFor([screen] { return QApplication::activeWindow() == screen; })
                   ? screen
                   : nullptr;
    }

    // frmMain, opened with the Calendar button of `screen`.
    QWidget* entryFrom(QWidget* screen, const QString& button) {
        click(screen, button);
        return opened(QStringLiteral("frmMain"));
    }

    // frmMain over the screen `name` that the main menu opens with
    // `menuButton` (that screen in `screen`).
    QWidget* entryOver(const QString& menuButton, const QString& name,
                       const QString& calendarButton, QWidget*& screen) {
        screen = fromMenu(qPrintable(menuButton), qPrintable(name));
        return screen != nullptr ? entryFrom(screen, calendarButton) : nullptr;
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void init() {
        menu_ = std::make_unique<MainMenu>(demo_.services);
        menu_->show();
        QVERIFY(QTest::qWaitForWindowActive(menu_.get()));
    }
    void cleanup() {
        demo_.closeAll();
        menu_.reset();
    }

    void thePlatformsDateTest_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");  // invalid: no date
        const QDate christmas(1998, 12, 25);
        QTest::newRow("month first") << "12/25/1998" << christmas;
        QTest::newRow("short, dashes") << "12-6-26" << QDate(2026, 12, 6);
        QTest::newRow("two-digit year 30") << "1/1/30" << QDate(1930, 1, 1);
        QTest::newRow("dots, blanks around") << "  12.25.1998 " << christmas;
        QTest::newRow("year first") << "1998-12-25" << christmas;
        QTest::newRow("month name first") << "Dec/25/1998" << christmas;
        QTest::newRow("full name, comma") << "December 25, 1998" << christmas;
        QTest::newRow("day first with name") << "25-DEC-1998" << christmas;
        QTest::newRow("year first with name") << "1998-dec-25" << christmas;
        QTest::newRow("leap day") << "2/29/2000" << QDate(2000, 2, 29);
        QTest::newRow("year 100") << "1/1/100" << QDate(100, 1, 1);
        QTest::newRow("no leap day") << "2/29/1900" << QDate();
        QTest::newRow("month 13") << "13/1/1998" << QDate();
        QTest::newRow("two parts") << "12/25" << QDate();
        QTest::newRow("empty part") << "12//1998" << QDate();
        QTest::newRow("leading separator") << "/12/25/1998" << QDate();
        QTest::newRow("keyword") << "TODAY" << QDate();
        QTest::newRow("two names") << "Dec/Jan/1998" << QDate();
        QTest::newRow("year 99") << "1/1/0099" << QDate();
        QTest::newRow("letters") << "12/2x/1998" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void thePlatformsDateTest() {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QCOMPARE(platformDate(text).value_or(QDate()), expected);
    }

    void theCalendarsLoadAndCells() {
        MonthCalendar* calendar = pick(QStringLiteral("12/25/1998"), QStringLiteral("Pick one"));
        QVERIFY(calendar);
        QCOMPARE(calendar->windowTitle(), QStringLiteral("Pick one"));
        QVERIFY(!calendar->accepted());
        QCOMPARE(calendar->currentDate(), QStringLiteral("12/25/1998"));
        QCOMPARE(shown(calendar, "lblMonth"), QStringLiteral("December 1998"));
        QCOMPARE(shown(calendar, "lblPrev"), QStringLiteral(" <<-"));
        QCOMPARE(shown(calendar, "lblNext"), QStringLiteral("+>>"));
        bool heading = false;
        for (QLabel* label : calendar->findChildren<QLabel*>())
            heading |= label->text() == QLatin1String("    S    M    T    W    T    F    S");
        QVERIFY(heading);
        for (const char* button : {"prevyear", "nxtyear", "todaysdate", "okbutton", "helpbutton"})
            QVERIFY(child<QPushButton>(calendar, QLatin1String(button))->isVisible());
        QCOMPARE(shown(calendar, "prevyear"), QStringLiteral("<<-Year"));
        QCOMPARE(shown(calendar, "nxtyear"), QStringLiteral("Year+>>"));
        QCOMPARE(shown(calendar, "todaysdate"), QStringLiteral("Today's Date"));

        // The cell-size rule, and 1 December 1998, a Tuesday, in column 2.
        MonthSurface* surface = surfaceOf(calendar);
        QCOMPARE(surface->cellWidth(), (surface->width() - 1) / 7);
        QCOMPARE(surface->cellHeight(), (surface->height() - 1) / 6);
        QCOMPARE(surface->cellOf(1).topLeft(), QPoint(2 * surface->cellWidth(), 0));
        QCOMPARE(surface->cellOf(31).topLeft(),
                 QPoint(4 * surface->cellWidth(), 4 * surface->cellHeight()));
    }

    // A date without a text the platform reads starts at today.
    void aCalendarOpenedOnNoDateShowsToday() {
        MonthCalendar* calendar = pick(QStringLiteral("TODAY"));
        QVERIFY(calendar);
        QCOMPARE(calendar->currentDate(),
                 QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")));
        QCOMPARE(calendar->windowTitle(), QStringLiteral("Get a Date"));
    }

    void navigation_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("right") << "12/25/1998"
                               << "Right"
                               << "12/26/1998";
        QTest::newRow("right, into the next year") << "12/31/1998"
                                                   << "Right"
                                                   << "01/01/1999";
        QTest::newRow("left, into the month before") << "03/01/2000"
                                                     << "Left"
                                                     << "02/29/2000";
        QTest::newRow("down") << "12/25/1998"
                              << "Down"
                              << "01/01/1999";
        QTest::newRow("up") << "12/05/1998"
                            << "Up"
                            << "11/28/1998";
        QTest::newRow("page down") << "01/31/1999"
                                   << "PageDown"
                                   << "02/28/1999";
        QTest::newRow("page up to a leap February") << "03/31/2024"
                                                    << "PageUp"
                                                    << "02/29/2024";
        QTest::newRow("page up to a common February") << "03/31/2023"
                                                      << "PageUp"
                                                      << "02/28/2023";
        QTest::newRow("page up over the year break") << "01/15/1999"
                                                     << "PageUp"
                                                     << "12/15/1998";
        QTest::newRow("next label") << "12/25/1998"
                                    << "lblNext"
                                    << "01/25/1999";
        QTest::newRow("previous label") << "03/31/2024"
                                        << "lblPrev"
                                        << "02/29/2024";
        QTest::newRow("next label, double click") << "12/25/1998"
                                                  << "lblNext double"
                                                  << "02/25/1999";
        // Each step from the day the one before left: 31 May, 30 April, 30 March.
        QTest::newRow("previous label, double click") << "05/31/1998"
                                                      << "lblPrev double"
                                                      << "03/30/1998";
        QTest::newRow("year on from 29 February") << "02/29/2024"
                                                  << "nxtyear"
                                                  << "02/28/2025";
        QTest::newRow("year back from 29 February") << "02/29/2024"
                                                    << "prevyear"
                                                    << "02/28/2023";
        QTest::newRow("four years on from 29 February") << "02/29/2024"
                                                        << "nxtyear nxtyear nxtyear nxtyear"
                                                        << "02/28/2028";
        QTest::newRow("keys with a button focused") << "12/25/1998"
                                                    << "focus:todaysdate Right Right Up"
                                                    << "12/20/1998";
        QTest::newRow("the first day there is stays") << "01/01/0100"
                                                      << "Left PageUp prevyear"
                                                      << "01/01/0100";
        QTest::newRow("the last day there is stays") << "12/31/9999"
                                                     << "Right Down nxtyear lblNext"
                                                     << "12/31/9999";
    }
    void navigation() {
        QFETCH(QString, start);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        MonthCalendar* calendar = pick(start);
        QVERIFY(calendar);
        QCOMPARE(calendar->currentDate(), start);
        QWidget* target = calendar;
        const QMap<QString, Qt::Key> keys = {
            {QStringLiteral("Right"), Qt::Key_Right},
            {QStringLiteral("Left"), Qt::Key_Left},
            {QStringLiteral("Down"), Qt::Key_Down},
            {QStringLiteral("Up"), Qt::Key_Up},
            {QStringLiteral("PageDown"), Qt::Key_PageDown},
            {QStringLiteral("PageUp"), Qt::Key_PageUp},
        };
        const QStringList steps = input.split(QLatin1Char(' '));
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const QString& step = steps[i];
            if (step.startsWith(QLatin1String("focus:"))) {
                target = child<QWidget>(calendar, step.mid(6));
                target->setFocus();
            } else if (keys.contains(step)) {
                QTest::keyClick(target->focusWidget() != nullptr ? target->focusWidget() : target,
                                keys[step]);
            } else if (i + 1 < steps.size() && steps[i + 1] == QLatin1String("double")) {
                doubleClick(child<QWidget>(calendar, step));
                ++i;
            } else {
                QTest::mouseClick(child<QWidget>(calendar, step), Qt::LeftButton);
            }
        }
        QCOMPARE(calendar->currentDate(), expected);
        QCOMPARE(shown(calendar, "lblMonth"),
                 monthName(date(qPrintable(expected)).month()) + QLatin1Char(' ') +
                     QString::number(date(qPrintable(expected)).year()));
        QVERIFY(!calendar->accepted());
    }

    void todaysDate() {
        MonthCalendar* calendar = pick(QStringLiteral("02/29/1904"));
        QVERIFY(calendar);
        click(calendar, QStringLiteral("todaysdate"));
        QCOMPARE(calendar->currentDate(),
                 QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy")));
    }

    // A click on a cell picks its day; on a cell before the 1st or after
    // the last day, or a right click, nothing changes.
    void clicksOnCells_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("expected");
        // December 1998: the 1st a Tuesday (column 2), the 31st a Thursday.
        QTest::newRow("the 1st") << 0 << 2 << Qt::LeftButton << "12/01/1998";
        QTest::newRow("the 31st") << 4 << 4 << Qt::LeftButton << "12/31/1998";
        QTest::newRow("a Sunday") << 3 << 0 << Qt::LeftButton << "12/20/1998";
        QTest::newRow("before the 1st") << 0 << 1 << Qt::LeftButton << "12/25/1998";
        QTest::newRow("after the last day") << 4 << 5 << Qt::LeftButton << "12/25/1998";
        QTest::newRow("the last row") << 5 << 6 << Qt::LeftButton << "12/25/1998";
        QTest::newRow("right button") << 0 << 2 << Qt::RightButton << "12/25/1998";
    }
    void clicksOnCells() {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, expected);
        MonthCalendar* calendar = pick(QStringLiteral("12/25/1998"));
        QVERIFY(calendar);
        MonthSurface* surface = surfaceOf(calendar);
        const QPoint inside(column * surface->cellWidth() + surface->cellWidth() / 2,
                            row * surface->cellHeight() + surface->cellHeight() / 2);
        QTest::mouseClick(surface, button, {}, inside);
        QCOMPARE(calendar->currentDate(), expected);
        QVERIFY(calendar->isVisible());
    }

    // The current day's cell is framed sunken: button shadow left and top,
    // highlight right and bottom. Moving within the month leaves the old
    // cell in the button face again.
    void theFrameColours() {
        MonthCalendar* calendar = pick(QStringLiteral("12/09/1998"));
        QVERIFY(calendar);
        MonthSurface* surface = surfaceOf(calendar);
        const QPalette palette = surface->palette();
        const auto colourAt = [surface](int x, int y) {
            return surface->grab().toImage().pixel(x, y);
        };
        const auto edges = [surface](int day) {
            const QRect cell = surface->cellOf(day);
            const int x = cell.x();
            const int y = cell.y();
            const int w = surface->cellWidth();
            const int h = surface->cellHeight();
            // left, top, right, bottom: the middle of each edge
            return QList<QPoint>{
                {x, y + h / 2}, {x + w / 2, y}, {x + w, y + h / 2}, {x + w / 2, y + h}};
        };
        const QList<QPoint> old = edges(9);
        QCOMPARE(colourAt(old[0].x(), old[0].y()), palette.color(QPalette::Dark).rgb());
        QCOMPARE(colourAt(old[1].x(), old[1].y()), palette.color(QPalette::Dark).rgb());
        QCOMPARE(colourAt(old[2].x(), old[2].y()), palette.color(QPalette::Light).rgb());
        QCOMPARE(colourAt(old[3].x(), old[3].y()), palette.color(QPalette::Light).rgb());
        QTest::keyClick(calendar, Qt::Key_Down);
        QCOMPARE(calendar->currentDate(), QStringLiteral("12/16/1998"));
        // The old cell's bottom is the new cell's top.
        for (int edge : {0, 1, 2}) {
            QCOMPARE(colourAt(old[edge].x(), old[edge].y()), palette.color(QPalette::Button).rgb());
        }
        const QList<QPoint> now = edges(16);
        QCOMPARE(colourAt(now[1].x(), now[1].y()), palette.color(QPalette::Dark).rgb());
        QCOMPARE(colourAt(now[3].x(), now[3].y()), palette.color(QPalette::Light).rgb());
    }

    // Enter, OK and a double click accept (the double click on its day
    // first); Escape and the close box leave the caller's date as it was.
    void acceptingAndLeaving_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("date");
        QTest::newRow("Enter") << "enter" << true << "12/26/1998";
        QTest::newRow("OK") << "ok" << true << "12/26/1998";
        QTest::newRow("double click on a day") << "double click" << true << "12/10/1998";
        QTest::newRow("double click outside the month")
            << "double click outside" << true << "12/26/1998";
        QTest::newRow("Escape") << "escape" << false << "Dec 25, 1998";
        QTest::newRow("close box") << "close" << false << "Dec 25, 1998";
    }
    void acceptingAndLeaving() {
        QFETCH(QString, how);
        QFETCH(bool, accepted);
        QFETCH(QString, date);
        MonthCalendar* calendar = pick(QStringLiteral("Dec 25, 1998"));
        QVERIFY(calendar);
        QTest::keyClick(calendar, Qt::Key_Right);
        MonthSurface* surface = surfaceOf(calendar);
        if (how == QLatin1String("enter")) {
            QTest::keyClick(child<QWidget>(calendar, QStringLiteral("helpbutton")), Qt::Key_Return);
        } else if (how == QLatin1String("ok")) {
            click(calendar, QStringLiteral("okbutton"));
        } else if (how == QLatin1String("double click")) {
            doubleClick(surface, surface->cellOf(10).center());
        } else if (how == QLatin1String("double click outside")) {
            doubleClick(surface, QPoint(2, 2));
        } else if (how == QLatin1String("escape")) {
            QTest::keyClick(calendar, Qt::Key_Escape);
        } else {
            calendar->close();
        }
        QTRY_VERIFY(demo_.screens.find(QStringLiteral("frmCalendar")) == nullptr);
        QCOMPARE(returned_.calls, 1);
        QCOMPARE(returned_.accepted, accepted);
        QCOMPARE(returned_.date, date);
    }

    void theHelpScreens() {
        MonthCalendar* calendar = pick(QStringLiteral("12/25/1998"));
        QVERIFY(calendar);
        click(calendar, QStringLiteral("helpbutton"));
        QWidget* help = demo_.screens.find(QStringLiteral("hlpgetdate"));
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("Help for 'Get a Date' Feature"));
        QCOMPARE(help->parentWidget(), calendar);
        click(help, QStringLiteral("exitbackbutton"));
        QVERIFY(!help->isVisible());
        calendar->close();

        QWidget* entry = demo_.open(QStringLiteral("frmMain"));
        QVERIFY(entry);
        click(entry, QStringLiteral("cmdhelp"));
        QWidget* entryHelp = demo_.screens.find(QStringLiteral("mainFrmhlp"));
        QVERIFY(entryHelp);
        QCOMPARE(entryHelp->windowTitle(), QStringLiteral("Help for 'Get Calendar Information'"));
        QStringList texts;
        for (QLabel* label : entryHelp->findChildren<QLabel*>()) texts.append(label->text());
        for (const char* line :
             {"1) Calendar: Provides an online calendar to choose a valid date from.",
              "2) OK: Means you accept the date, and then validation and edit checks        will "
              "be performed on the date. If any errors occur, Correct it.",
              "3) Clear: Clears the two boxes, and then uses Todays Date as a start.",
              "4) Help: You are reading the Help Section.",
              "5) Cancel: Just exits out without selecting any date. "}) {
            QVERIFY2(texts.contains(QLatin1String(line)), line);
        }
    }

    // The load and Clear show today through KD_CONVDATE "&"; Cancel closes.
    void theEntrysLoadClearAndCancel() {
        QDialog* entry = demo_.openAfresh(QStringLiteral("frmMain"));
        QVERIFY(entry);
        QCOMPARE(entry->windowTitle(), QStringLiteral("Get Calendar Information"));
        const QDate today = QDate::currentDate();
        const QString todayText = today.toString(QStringLiteral("M/d/yyyy"));
        QCOMPARE(shown(entry, "txtDate"), todayText);
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_CONVDATE")});
        const CallRecord& load = demo_.calls[0];
        QCOMPARE(load.textsSent[0], todayText.leftJustified(12).toLatin1() + '\0');
        QCOMPARE(load.textsSent[1], QByteArray(12, ' ') + '\0');
        QCOMPARE(load.textsSent[2], QByteArray("& \0", 3));
        QCOMPARE(load.numbersSent, (QList<std::int32_t>{0, 0}));
        QCOMPARE(shown(entry, "respondbox"), QString());

        demo_.press(entry, {{QStringLiteral("txtDate"), QStringLiteral("nonsense")}},
                    QStringLiteral("cmdOK"));
        QCOMPARE(shown(entry, "respondbox"), QStringLiteral(" A Bad Date!"));
        demo_.press(entry, {}, QStringLiteral("cmdclear"));
        QCOMPARE(shown(entry, "txtDate"), todayText);
        QCOMPARE(shown(entry, "respondbox"), QString());
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_CONVDATE")});
        click(entry, QStringLiteral("cmdcancel"));
        QVERIFY(!entry->isVisible());
        QVERIFY(demo_.messages.shown.isEmpty());
    }

    // The two error texts: a text the platform reads as no date opens no
    // calendar; a text the library cannot convert keeps the entry open.
    void theTwoErrorTexts() {
        QWidget* screen = nullptr;
        QWidget* entry = entryOver(QStringLiteral("cmd4_bdcx"), QStringLiteral("betweendates"),
                                   QStringLiteral("cmdbcaldr"), screen);
        QVERIFY(entry);
        demo_.press(entry, {{QStringLiteral("txtDate"), QStringLiteral("YESTER3")}},
                    QStringLiteral("cmdCalendar"));
        QCOMPARE(shown(entry, "respondbox"), QStringLiteral("Err: You Blew it. "));
        QVERIFY(demo_.screens.find(QStringLiteral("frmCalendar")) == nullptr);
        QVERIFY(demo_.calls.isEmpty());

        demo_.press(entry, {{QStringLiteral("txtDate"), QStringLiteral("02/30/1998")}},
                    QStringLiteral("cmdOK"));
        QCOMPARE(shown(entry, "respondbox"), QStringLiteral(" A Bad Date!"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_CONVDATE")});
        QCOMPARE(demo_.calls[0].textsSent[2], QByteArray("M \0", 3));
        QVERIFY(entry->isVisible());
        QVERIFY(focused(entry, QStringLiteral("txtDate")));
        for (const char* field : {"betwdate1", "betwdate2", "betwdate3"})
            QCOMPARE(shown(screen, QLatin1String(field)), QString());
        QCOMPARE(shown(menu_.get(), "hiddendate"), QString());
        QVERIFY(demo_.messages.shown.isEmpty());
    }

    // The whole road: the entry opens the calendar on its date; the picked
    // date comes back as mm/dd/yyyy, OK converts it to mmm-DD-CCYY for the
    // screen and copies the entry's text into the main menu's hidden field.
    void aPickedDateReachesTheScreen() {
        QWidget* screen = nullptr;
        QWidget* entry = entryOver(QStringLiteral("cmd1_gtix"), QStringLiteral("genldateinfo"),
                                   QStringLiteral("calendarbutton"), screen);
        QVERIFY(entry);
        type(entry, QStringLiteral("txtDate"), QStringLiteral("12/25/98"));
        click(entry, QStringLiteral("cmdCalendar"));
        auto* calendar = qobject_cast<MonthCalendar*>(opened(QStringLiteral("frmCalendar")));
        QVERIFY(calendar);
        QCOMPARE(calendar->parentWidget(), entry);
        QCOMPARE(calendar->currentDate(), QStringLiteral("12/25/1998"));
        QTest::keyClick(calendar, Qt::Key_PageUp);
        QTest::keyClick(calendar, Qt::Key_Return);
        QCOMPARE(shown(entry, "txtDate"), QStringLiteral("11/25/1998"));
        QCOMPARE(shown(entry, "respondbox"), QStringLiteral(" "));

        // Leaving the calendar keeps the text.
        click(entry, QStringLiteral("cmdCalendar"));
        calendar = qobject_cast<MonthCalendar*>(opened(QStringLiteral("frmCalendar")));
        QVERIFY(calendar);
        QTest::keyClick(calendar, Qt::Key_Right);
        QTest::keyClick(calendar, Qt::Key_Escape);
        QCOMPARE(shown(entry, "txtDate"), QStringLiteral("11/25/1998"));

        demo_.press(entry, {}, QStringLiteral("cmdOK"));
        QVERIFY(!entry->isVisible());
        QCOMPARE(shown(screen, "textbox1"), QStringLiteral("Nov-25-1998"));
        QCOMPARE(shown(menu_.get(), "hiddendate"), QStringLiteral("11/25/1998"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_CONVDATE")});
    }

    // Where OK puts 12/25/1998 on each kind of screen, after the fields (and
    // focus markers) were set as given.
    void placement_data() {
        QTest::addColumn<QString>("menuButton");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("calendarButton");
        QTest::addColumn<Assignments>("before");
        QTest::addColumn<Assignments>("after");
        const QString picked = QStringLiteral("Dec-25-1998");
        QTest::newRow("general information, filled")
            << "cmd1_gtix"
            << "genldateinfo"
            << "calendarbutton" << Assignments{"textbox1=01/01/2000"}
            << Assignments{"textbox1=" + picked};
        QTest::newRow("next working day") << "cmd2_nwdf"
                                          << "nxtwrkdayform"
                                          << "Command1" << Assignments{"nextdayval=5"}
                                          << Assignments{"nextstartday=" + picked, "nextdayval=5"};
        QTest::newRow("conversion, filled") << "cmd5_dtcnvt"
                                            << "nwdatcnvfrm"
                                            << "calendarbutton" << Assignments{"datcnvdate=TODAY"}
                                            << Assignments{"datcnvdate=" + picked};
        QTest::newRow("custom format, always")
            << "fulldateformat"
            << "afulldateform"
            << "calendarbutton" << Assignments{"afulldatevalue=07/04/1998"}
            << Assignments{"afulldatevalue=" + picked};
        QTest::newRow("arithmetic, start empty")
            << "cmd7_dccl"
            << "nwdatecalcform"
            << "calendarbutton"
            << Assignments{"dtcvenddate=01/01/1999", "startdate_focusval=0", "enddate_focusval=1"}
            << Assignments{"dtcvstartdate=" + picked, "dtcvenddate=01/01/1999",
                           "startdate_focusval=0", "enddate_focusval=1"};
        QTest::newRow("arithmetic, start marked")
            << "cmd7_dccl"
            << "nwdatecalcform"
            << "calendarbutton"
            << Assignments{"dtcvstartdate=01/01/1998", "startdate_focusval=1", "enddate_focusval=1"}
            << Assignments{"dtcvstartdate=" + picked, "dtcvenddate=", "startdate_focusval=0",
                           "enddate_focusval=1"};
        QTest::newRow("arithmetic, end empty")
            << "cmd7_dccl"
            << "nwdatecalcform"
            << "calendarbutton"
            << Assignments{"dtcvstartdate=01/01/1998", "startdate_focusval=0", "enddate_focusval=0"}
            << Assignments{"dtcvstartdate=01/01/1998", "dtcvenddate=" + picked,
                           "enddate_focusval=0"};
        QTest::newRow("arithmetic, end marked")
            << "cmd7_dccl"
            << "nwdatecalcform"
            << "calendarbutton"
            << Assignments{"dtcvstartdate=01/01/1998", "dtcvenddate=01/01/1999",
                           "startdate_focusval=0", "enddate_focusval=1"}
            << Assignments{"dtcvstartdate=01/01/1998", "dtcvenddate=" + picked,
                           "startdate_focusval=0", "enddate_focusval=0"};
        QTest::newRow("arithmetic, both filled, neither focused: dropped")
            << "cmd7_dccl"
            << "nwdatecalcform"
            << "calendarbutton"
            << Assignments{"dtcvstartdate=01/01/1998", "dtcvenddate=01/01/1999",
                           "startdate_focusval=0", "enddate_focusval=0"}
            << Assignments{"dtcvstartdate=01/01/1998", "dtcvenddate=01/01/1999",
                           "startdate_focusval=0", "enddate_focusval=0"};
        QTest::newRow("lapse, end marked")
            << "cmd6_dlc"
            << "datlapsfrm"
            << "cmd5dlc_caldr"
            << Assignments{"dlpstrtdate=01/01/1998", "dlpenddate=01/01/1999", "lpstartval=0",
                           "lpendval=1"}
            << Assignments{"dlpstrtdate=01/01/1998", "dlpenddate=" + picked, "lpstartval=0",
                           "lpendval=0"};
        QTest::newRow("lapse, blanks count as empty")
            << "cmd6_dlc"
            << "datlapsfrm"
            << "cmd5dlc_caldr"
            << Assignments{"dlpstrtdate=   ", "dlpenddate=01/01/1999", "lpstartval=0", "lpendval=1"}
            << Assignments{"dlpstrtdate=" + picked, "dlpenddate=01/01/1999", "lpstartval=0",
                           "lpendval=1"};
        QTest::newRow("between, the first empty")
            << "cmd4_bdcx"
            << "betweendates"
            << "cmdbcaldr" << Assignments{"betwdate1=01/01/1998", "betwdate3=12/31/1998"}
            << Assignments{"betwdate1=01/01/1998", "betwdate2=" + picked, "betwdate3=12/31/1998"};
        QTest::newRow("between, all filled: nowhere")
            << "cmd4_bdcx"
            << "betweendates"
            << "cmdbcaldr"
            << Assignments{"betwdate1=01/01/1998", "betwdate2=06/15/1998", "betwdate3=12/31/1998"}
            << Assignments{"betwdate1=01/01/1998", "betwdate2=06/15/1998", "betwdate3=12/31/1998"};
        QTest::newRow("window, pivot empty")
            << "adateslidewind"
            << "slidwindform"
            << "Command1" << Assignments{"checkdate=01/01/1999"}
            << Assignments{"pivotdate=" + picked, "checkdate=01/01/1999"};
        QTest::newRow("window, check date empty")
            << "adateslidewind"
            << "slidwindform"
            << "Command1" << Assignments{"pivotdate=01/01/1998", "sldwndnum=2"}
            << Assignments{"pivotdate=01/01/1998", "checkdate=" + picked, "sldwndnum=2"};
        QTest::newRow("window, both filled: nowhere")
            << "adateslidewind"
            << "slidwindform"
            << "Command1" << Assignments{"pivotdate=01/01/1998", "checkdate=01/01/1999"}
            << Assignments{"pivotdate=01/01/1998", "checkdate=01/01/1999"};
        QTest::newRow("Easter: nowhere")
            << "eastercmd"
            << "easterform"
            << "calcmd" << Assignments{"easterdate=1998"} << Assignments{"easterdate=1998"};
        QTest::newRow("daylight saving: nowhere")
            << "daylightcmd"
            << "daylightform"
            << "calcmd" << Assignments{} << Assignments{"dlstyr="};
    }
    void placement() {
        QFETCH(QString, menuButton);
        QFETCH(QString, screen);
        QFETCH(QString, calendarButton);
        QFETCH(Assignments, before);
        QFETCH(Assignments, after);
        QWidget* feature = fromMenu(qPrintable(menuButton), qPrintable(screen));
        QVERIFY(feature);
        for (const QString& assignment : before) {
            const auto [name, value] = split(assignment);
            child<QLineEdit>(feature, name)->setText(value);
        }
        QWidget* entry = entryFrom(feature, calendarButton);
        QVERIFY(entry);
        QCOMPARE(demo_.screens.openScreens(), (QList<QWidget*>{menu_.get(), feature, entry}));
        demo_.press(entry, {{QStringLiteral("txtDate"), QStringLiteral("12/25/1998")}},
                    QStringLiteral("cmdOK"));
        QVERIFY(!entry->isVisible());
        for (const QString& assignment : after) {
            const auto [name, value] = split(assignment);
            QCOMPARE(child<QLineEdit>(feature, name)->text(), value);
        }
        QCOMPARE(shown(menu_.get(), "hiddendate"), QStringLiteral("12/25/1998"));
        QVERIFY(demo_.messages.shown.isEmpty());
        // A screen that takes picked dates, all of whose fields were taken,
        // says in its status line why the date did not arrive.
        const bool takesDates =
            QStringList{"betweendates", "nwdatecalcform", "datlapsfrm", "slidwindform"}.contains(
                screen);
        const bool dropped =
            takesDates && !after.join(QLatin1Char(' ')).contains(QLatin1String("Dec-25-1998"));
        const QString line = shown(feature, "acribline");
        QVERIFY2(line.startsWith(QLatin1String(" The picked date was not placed: ")) == dropped,
                 qPrintable(line));
    }

    // The markers come from where the focus went: the start field has it
    // from the load; after OK both are "0" and focusing the end marks it.
    void theMarkersTheFocusLeaves() {
        QWidget* screen = fromMenu("cmd6_dlc", "datlapsfrm");
        QVERIFY(screen);
        QTRY_VERIFY(focused(screen, QStringLiteral("dlpstrtdate")));
        demo_.press(screen,
                    {{QStringLiteral("dlpstrtdate"), QStringLiteral("01/01/1998")},
                     {QStringLiteral("dlpenddate"), QStringLiteral("01/01/1999")}},
                    QStringLiteral("cmddlc1ok"));
        QCOMPARE(shown(screen, "lpstartval"), QStringLiteral("0"));
        QCOMPARE(shown(screen, "lpendval"), QStringLiteral("0"));
        child<QLineEdit>(screen, QStringLiteral("dlpenddate"))->setFocus();
        QCOMPARE(shown(screen, "lpendval"), QStringLiteral("1"));
        QWidget* entry = entryFrom(screen, QStringLiteral("cmd5dlc_caldr"));
        QVERIFY(entry);
        demo_.press(entry, {{QStringLiteral("txtDate"), QStringLiteral("07/04/1998")}},
                    QStringLiteral("cmdOK"));
        QCOMPARE(shown(screen, "dlpstrtdate"), QStringLiteral("01/01/1998"));
        QCOMPARE(shown(screen, "dlpenddate"), QStringLiteral("Jul-04-1998"));
        QCOMPARE(shown(screen, "lpendval"), QStringLiteral("0"));
    }
};

KALDATE_TEST_MAIN(PickerTest)
#include "picker_test.moc"
