// The demo as a person uses it, across its screens: a result never stands
// beside inputs it was not computed from, a failed computation leaves its
// outputs empty, keys press what they show, the splash keeps its key from the
// main menu, a zone without daylight saving says so, and every screen can be
// walked with the keyboard and read by a screen reader.
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <ctime>
#include <memory>

#include "screens/main_menu.h"
#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

// "name=value" pairs typed into fields.
QList<std::pair<QString, QString>> fields(const QStringList& assignments) {
    QList<std::pair<QString, QString>> typed;
    for (const QString& assignment : assignments) {
        const qsizetype split = assignment.indexOf(QLatin1Char('='));
        typed.append({assignment.left(split), assignment.mid(split + 1)});
    }
    return typed;
}

// What a user changes: "type:FIELD" types one more character, "list:LIST"
// chooses the next entry with the keyboard, "box:BOX" clicks a check box.
void change(QWidget* screen, const QString& edit) {
    const QString kind = edit.section(QLatin1Char(':'), 0, 0);
    const QString name = edit.section(QLatin1Char(':'), 1);
    if (kind == QLatin1String("type")) {
        auto* field = child<QLineEdit>(screen, name);
        field->setFocus();
        field->end(false);
        QTest::keyClick(field, Qt::Key_0);
    } else if (kind == QLatin1String("list")) {
        auto* list = child<QComboBox>(screen, name);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
    } else {
        click(screen, name);
    }
}

bool takesTab(const QWidget* widget) {
    return widget->isVisible() && widget->isEnabled() &&
           (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The button group a control stands in, if any ("Choose your Button",
// "Options"): a region the Tab key walks as a whole.
const QWidget* buttonGroupOf(const QWidget* widget) {
    for (const QWidget* up = widget->parentWidget(); up != nullptr && !up->isWindow();
         up = up->parentWidget()) {
        if (const auto* box = qobject_cast<const QGroupBox*>(up)) {
            if (box->title() == QLatin1String("Choose your Button") ||
                box->title() == QLatin1String("Options")) {
                return box;
            }
        }
    }
    return nullptr;
}

// The controls of `window` in the order a reader of the screen meets them:
// the screen's own controls, then each button group from left to right;
// within each, row by row from the top and left to right in a row.
QList<QWidget*> readingOrder(QWidget* window, const QList<QWidget*>& controls) {
    struct Placed {
        QWidget* widget;
        QRect at;
        int region;
    };
    QList<const QWidget*> groups;
    for (QWidget* control : controls) {
        const QWidget* group = buttonGroupOf(control);
        if (group != nullptr && !groups.contains(group)) groups.append(group);
    }
    std::sort(groups.begin(), groups.end(), [window](const QWidget* a, const QWidget* b) {
        return a->mapTo(window, QPoint()).x() < b->mapTo(window, QPoint()).x();
    });
    QList<Placed> placed;
    for (QWidget* control : controls) {
        const QWidget* group = buttonGroupOf(control);
        placed.append({control, QRect(control->mapTo(window, QPoint()), control->size()),
                       group == nullptr ? -1 : int(groups.indexOf(group))});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.region != b.region ? a.region < b.region : a.at.top() < b.at.top();
    });
    // Rows: a control whose top lies above the middle of the row's first
    // control stands in that row.
    QList<QWidget*> order;
    for (qsizetype first = 0; first < placed.size();) {
        qsizetype end = first + 1;
        while (end < placed.size() && placed[end].region == placed[first].region &&
               placed[end].at.top() < placed[first].at.center().y()) {
            ++end;
        }
        std::stable_sort(
            placed.begin() + first, placed.begin() + end,
            [](const Placed& a, const Placed& b) { return a.at.left() < b.at.left(); });
        for (qsizetype i = first; i < end; ++i) order.append(placed[i].widget);
        first = end;
    }
    return order;
}

// The controls the Tab key visits from the first one, in its order.
QList<QWidget*> tabOrder(QWidget* window) {
    QList<QWidget*> visited;
    QWidget* start = window->nextInFocusChain();
    for (QWidget* widget = start; widget != window; widget = widget->nextInFocusChain()) {
        if (widget->window() == window && takesTab(widget) && !visited.contains(widget)) {
            visited.append(widget);
        }
        if (visited.size() > 200) break;
    }
    return visited;
}

QStringList names(const QList<QWidget*>& widgets) {
    QStringList named;
    for (const QWidget* widget : widgets) {
        named.append(widget->objectName().isEmpty() ? widget->accessibleName()
                                                    : widget->objectName());
    }
    return named;
}

// The controls a screen reader finds without a name.
void unnamed(QAccessibleInterface* node, QStringList& found, int depth = 0) {
    if (node == nullptr || depth > 40) return;
    const QAccessible::Role role = node->role();
    const bool control = role == QAccessible::PushButton || role == QAccessible::CheckBox ||
                         role == QAccessible::EditableText || role == QAccessible::ComboBox;
    if (control && !node->state().invisible && node->text(QAccessible::Name).trimmed().isEmpty()) {
        found.append(node->object() != nullptr ? node->object()->objectName()
                                               : QStringLiteral("?"));
    }
    for (int i = 0; i < node->childCount(); ++i) unnamed(node->child(i), found, depth + 1);
}

void setZone(const char* zone) {
    qputenv("TZ", zone);
    tzset();
}

}  // namespace

class PolishTest : public QObject {
    Q_OBJECT
    TempHome home_{1998};
    Demo demo_;

    // A window by name: the main menu (past its splash) or a screen.
    std::unique_ptr<MainMenu> menu_;
    QWidget* window(const QString& name) {
        if (name != QLatin1String("mainmainfrm")) return demo_.openAfresh(name);
        menu_ = std::make_unique<MainMenu>(demo_.services);
        menu_->start();
        QWidget* splash = topLevel(QStringLiteral("frmSplash"));
        if (splash == nullptr) return nullptr;
        // A press within a repeat's interval of the last splash's key counts
        // as its repeat.
        QTest::qWait(200);
        QTest::keyClick(splash, Qt::Key_Q);
        return QTest::qWaitForWindowActive(menu_.get()) ? menu_.get() : nullptr;
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }

    // The screens the window tests walk are every screen the demo has: a
    // screen added later is walked too, or this fails.
    void theWalkedScreensAreEveryScreen() {
        QStringList walked = screenNames(), known = demo_.screens.names();
        walked.sort();
        known.sort();
        QCOMPARE(walked, known);
    }
    void cleanup() {
        demo_.closeAll();
        menu_.reset();
        setZone("America/New_York");
    }

    // A computed result empties as soon as an input it came from changes:
    // typed, chosen from a list or ticked.
    void anEditedInputEmptiesTheResult_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QStringList>("outputs");
        QTest::addColumn<QString>("edit");
        const QStringList christmas{"datcnvdate=12/25/1998"};
        const QStringList conversion{"datcnvchgdate"};
        QTest::newRow("conversion, date")
            << "nwdatcnvfrm" << christmas << "okbutton" << conversion << "type:datcnvdate";
        QTest::newRow("conversion, format")
            << "nwdatcnvfrm" << christmas << "okbutton" << conversion << "list:fmtcombo";
        QTest::newRow("conversion, century")
            << "nwdatcnvfrm" << christmas << "okbutton" << conversion << "list:cntrycombo";
        QTest::newRow("conversion, file")
            << "nwdatcnvfrm" << christmas << "okbutton" << conversion << "box:dtcvchkf";
        QTest::newRow("file builder") << "FormTwo" << QStringList{} << "okoption"
                                      << QStringList{"retrnmsg"} << "list:fmtcombo";
        QTest::newRow("information")
            << "genldateinfo" << QStringList{"textbox1=12/25/1998"} << "okbutton"
            << QStringList{"textbox2", "juledateout", "cdowbox", "ncntryyrbox"} << "type:textbox1";
        QTest::newRow("end date from days, start edited")
            << "nwdatecalcform" << QStringList{"dtcvstartdate=04/10/1998", "dtcvnumdays=1404"}
            << "okbutton" << QStringList{"dtcvenddate"} << "type:dtcvstartdate";
        QTest::newRow("end date from days, days edited")
            << "nwdatecalcform" << QStringList{"dtcvstartdate=04/10/1998", "dtcvnumdays=1404"}
            << "okbutton" << QStringList{"dtcvenddate"} << "type:dtcvnumdays";
        QTest::newRow("days from dates, end edited")
            << "nwdatecalcform"
            << QStringList{"dtcvstartdate=04/10/1998", "dtcvnumdays=", "dtcvenddate=02/12/2002"}
            << "okbutton" << QStringList{"dtcvnumdays"} << "type:dtcvenddate";
        QTest::newRow("lapse") << "datlapsfrm"
                               << QStringList{"dlpstrtdate=09/24/1990", "dlpenddate=03/31/1993"}
                               << "cmddlc1ok" << QStringList{"dlpnyrs", "dlpndays"}
                               << "type:dlpenddate";
        const QStringList workingDay{"nextstartday=04/15/1998", "nextdayval=35"};
        QTest::newRow("working day, days") << "nxtwrkdayform" << workingDay << "okbutton"
                                           << QStringList{"thenextday"} << "type:nextdayval";
        QTest::newRow("working day, holidays") << "nxtwrkdayform" << workingDay << "okbutton"
                                               << QStringList{"thenextday"} << "box:holdyfeatchk";
        QTest::newRow("working day help") << "nxtwrkhlpfrm" << workingDay << "okbutton"
                                          << QStringList{"thenextday"} << "type:nextstartday";
        QTest::newRow("between") << "betweendates"
                                 << QStringList{"betwdate1=01/01/1998", "betwdate2=06/01/1998",
                                                "betwdate3=12/31/1998"}
                                 << "cmdbok" << QStringList{"Labeloutput"} << "type:betwdate2";
        QTest::newRow("julian to calendar")
            << "julcalform" << QStringList{"juliandatein=1998043"} << "OKButton1"
            << QStringList{"julenormdate"} << "type:juliandatein";
        QTest::newRow("calendar to julian")
            << "julcalform" << QStringList{"caldatein=12/31/1998"} << "OKButton1"
            << QStringList{"Juldateout"} << "type:caldatein";
        QTest::newRow("sliding window")
            << "slidwindform"
            << QStringList{"pivotdate=01/01/1998", "sldwndnum=2", "checkdate=03/31/1999"}
            << "OKButton1" << QStringList{"answertext"} << "type:sldwndnum";
        QTest::newRow("date and time, format")
            << "datimeretvfrm" << QStringList{} << "cmddtiok"
            << QStringList{"todaysdate1", "todaystime1", "hourbox"} << "list:fmtcombo";
        QTest::newRow("date and time, 24 hours")
            << "datimeretvfrm" << QStringList{} << "cmddtiok" << QStringList{"todaystime1"}
            << "box:Checkfulltime";
        QTest::newRow("custom format, month names")
            << "afulldateform" << QStringList{"afulldatevalue=12/25/1998"} << "okbutton"
            << QStringList{"outputbox"} << "box:monthabbrev";
        QTest::newRow("custom format, format")
            << "afulldateform" << QStringList{"afulldatevalue=12/25/1998"} << "okbutton"
            << QStringList{"outputbox"} << "list:fmtcombo";
        QTest::newRow("daylight saving")
            << "daylightform" << QStringList{"dlstyr=2026"} << "gocmd"
            << QStringList{"firstoutput1", "startdow", "thirdoutput3"} << "type:dlstyr";
        QTest::newRow("easter") << "easterform" << QStringList{"easterdate=1998"} << "gocmd"
                                << QStringList{"thedate", "easterdow"} << "type:easterdate";
    }
    void anEditedInputEmptiesTheResult() {
        QFETCH(QString, screen);
        QFETCH(QStringList, typed);
        QFETCH(QString, ok);
        QFETCH(QStringList, outputs);
        QFETCH(QString, edit);
        QWidget* opened = demo_.openAfresh(screen);
        QVERIFY(opened);
        demo_.press(opened, fields(typed), ok);
        for (const QString& output : outputs) {
            QVERIFY2(!trimmedShown(opened, output).isEmpty(), qPrintable(output));
        }
        change(opened, edit);
        for (const QString& output : outputs) {
            QVERIFY2(shown(opened, output).isEmpty(),
                     qPrintable(output + QStringLiteral(": ") + shown(opened, output)));
        }
    }

    // A computation that fails after one that worked leaves its outputs
    // empty (the inputs are set as a program would, not edited) and says why.
    void aFailureEmptiesTheOutputs_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("ok");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("bad");
        QTest::addColumn<QString>("message");
        QTest::newRow("working day beyond the dates")
            << "nxtwrkdayform" << QStringList{"nextstartday=01/01/2000", "nextdayval=100000"}
            << "okbutton"
            << "thenextday"
            << "nextdayval"
            << "2147483647"
            << "Error: No Working Day could be computed";
        QTest::newRow("window of zero years")
            << "slidwindform"
            << QStringList{"pivotdate=01/01/1998", "sldwndnum=2", "checkdate=03/31/1999"}
            << "OKButton1"
            << "answertext"
            << "sldwndnum"
            << "0"
            << "Error: You need a + or - Number of Years, Not Zero(0).";
        QTest::newRow("window without a check date")
            << "slidwindform"
            << QStringList{"pivotdate=01/01/1998", "sldwndnum=2", "checkdate=03/31/1999"}
            << "OKButton1"
            << "answertext"
            << "checkdate"
            << ""
            << "Error: A Check Date is Needed ";
        QTest::newRow("daylight saving, bad year")
            << "daylightform" << QStringList{"dlstyr=2026"} << "gocmd"
            << "firstoutput1"
            << "dlstyr"
            << "20x6"
            << "Error: Bad Input Year(CCYY) value ";
        QTest::newRow("easter, no year")
            << "easterform" << QStringList{"easterdate=1998"} << "gocmd"
            << "thedate"
            << "easterdate"
            << ""
            << "Error: A Year(CCYY) value is needed ";
    }
    void aFailureEmptiesTheOutputs() {
        QFETCH(QString, screen);
        QFETCH(QStringList, typed);
        QFETCH(QString, ok);
        QFETCH(QString, output);
        QFETCH(QString, field);
        QFETCH(QString, bad);
        QFETCH(QString, message);
        QWidget* opened = demo_.openAfresh(screen);
        QVERIFY(opened);
        demo_.press(opened, fields(typed), ok);
        QVERIFY(!trimmedShown(opened, output).isEmpty());
        child<QLineEdit>(opened, field)->setText(bad);
        const QStringList texts = demo_.press(opened, {}, ok);
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].startsWith(message), qPrintable(texts[0]));
        QCOMPARE(shown(opened, output), QString());
    }

    // In a zone without daylight saving time the screen says so, and shows
    // no dates; in a zone with it, the dates come back and the note goes.
    void aZoneWithoutDaylightSaving() {
        setZone("UTC");
        QWidget* screen = demo_.openAfresh(QStringLiteral("daylightform"));
        QVERIFY(screen);
        auto* note = child<QLabel>(screen, QStringLiteral("nodaylightsaving"));
        QVERIFY(!note->isVisible());
        QVERIFY(demo_.press(screen, fields({"dlstyr=2026"}), QStringLiteral("gocmd")).isEmpty());
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("No daylight saving time in this time zone."));
        for (const char* output : {"firstoutput1", "secondoutput2", "startdow", "enddow",
                                   "thirdoutput3", "firstlabel1"}) {
            QVERIFY2(shown(screen, output).isEmpty(), output);
        }
        QVERIFY(!child<QLabel>(screen, QStringLiteral("fourthoutput4"))->isVisible());
        setZone("America/New_York");
        demo_.press(screen, fields({"dlstyr=2026"}), QStringLiteral("gocmd"));
        QVERIFY(!note->isVisible());
        QCOMPARE(trimmedShown(screen, "firstoutput1"), QStringLiteral("Mar-08-2026"));
    }

    // Enter and Space press the focused button; Enter in an entry field
    // presses the default button (OK).
    void keysPressWhatHasTheFocus_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void keysPressWhatHasTheFocus() {
        QFETCH(int, key);
        QWidget* screen = demo_.openAfresh(QStringLiteral("nwdatcnvfrm"));
        QVERIFY(screen);
        type(screen, QStringLiteral("datcnvdate"), QStringLiteral("12/25/1998"));
        auto* clear = child<QPushButton>(screen, QStringLiteral("clearbutton"));
        clear->setFocus();
        QTest::keyClick(clear, Qt::Key(key));
        QCOMPARE(shown(screen, "datcnvdate"), QString());
        QVERIFY(demo_.messages.shown.isEmpty());
        if (key == Qt::Key_Space) return;
        auto* field = child<QLineEdit>(screen, QStringLiteral("datcnvdate"));
        field->setFocus();
        QTest::keyClick(field, Qt::Key(key));
        QCOMPARE(demo_.messages.texts(),
                 QStringList{QStringLiteral("Error: An Input Date is needed ")});
    }

    void menuButtonsAnswerEnter() {
        QWidget* menu = window(QStringLiteral("mainmainfrm"));
        QVERIFY(menu);
        auto* button = child<QPushButton>(menu, QStringLiteral("cmd4_bdcx"));
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QTRY_VERIFY(demo_.screens.find(QStringLiteral("betweendates")) != nullptr);
    }

    // Every screen has one default button: OK where it has one, else the
    // button that closes it (about and help screens).
    void everyScreenHasADefaultButton() {
        for (const QString& name : screenNames()) {
            QWidget* screen = demo_.openAfresh(name);
            QVERIFY2(screen, qPrintable(name));
            QStringList defaults;
            for (QPushButton* button : screen->findChildren<QPushButton*>()) {
                if (button->isDefault()) defaults.append(button->text());
            }
            QVERIFY2(defaults.size() == 1,
                     qPrintable(name + QStringLiteral(": ") + defaults.join(QStringLiteral(", "))));
            demo_.closeAll();
        }
    }

    // The key that took the splash away, held and repeated, never reaches
    // the main menu, whether the repeats are marked as such or come as
    // fresh-looking presses and releases; a new press after it is let go
    // does.
    void theSplashKeepsItsKey_data() {
        QTest::addColumn<bool>("marked");
        QTest::newRow("repeats marked") << true;
        QTest::newRow("repeats as fresh presses") << false;
    }
    void theSplashKeepsItsKey() {
        QFETCH(bool, marked);
        menu_ = std::make_unique<MainMenu>(demo_.services);
        menu_->start();
        QWidget* splash = topLevel(QStringLiteral("frmSplash"));
        QVERIFY(splash);
        QTest::keyPress(splash, Qt::Key_Space);
        QVERIFY(QTest::qWaitForWindowActive(menu_.get()));
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(qobject_cast<QPushButton*>(focus) != nullptr);
        const auto send = [](QEvent::Type type, bool repeat) {
            QKeyEvent event(type, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), repeat);
            QApplication::sendEvent(QApplication::focusWidget(), &event);
        };
        QTest::qWait(600);  // the delay before the first repeat
        for (int repeat = 0; repeat < 8; ++repeat) {
            if (!marked) send(QEvent::KeyRelease, false);
            send(QEvent::KeyPress, marked);
            QTest::qWait(40);
        }
        send(QEvent::KeyRelease, false);
        QTest::qWait(300);
        QCOMPARE(demo_.screens.openScreens().size(), 1);
        QTest::keyClick(focus, Qt::Key_Space);
        QTRY_COMPARE(demo_.screens.openScreens().size(), 2);
    }

    // The main menu's status line is idle again once a screen it opened
    // closes: the opening button's hint describes nothing there any more.
    void theMenuLineIsIdleAfterAScreen() {
        QWidget* menu = window(QStringLiteral("mainmainfrm"));
        QVERIFY(menu);
        auto* button = child<QPushButton>(menu, QStringLiteral("cmd7_dccl"));
        hover(button);
        QCOMPARE(shown(menu, "acribline"), QStringLiteral("Performs Date Arithmetic"));
        QTest::mouseClick(button, Qt::LeftButton);
        QWidget* screen = demo_.screens.find(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        screen->close();
        QTRY_COMPARE(shown(menu, "acribline"), QString());
    }

    // On every window each control has a name a screen reader reads, Tab
    // visits every control in the order the window shows them, and button
    // captions keep their distance from the buttons' edges.
    void everyWindowReadsAndWalksInOrder_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("mainmainfrm") << "mainmainfrm";
        for (const QString& name : screenNames()) QTest::newRow(qPrintable(name)) << name;
    }
    void everyWindowReadsAndWalksInOrder() {
        QFETCH(QString, name);
        QWidget* shownWindow = window(name);
        QVERIFY(shownWindow);
        QStringList missing;
        unnamed(QAccessible::queryAccessibleInterface(shownWindow), missing);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));

        QList<QWidget*> controls;
        for (QWidget* widget : shownWindow->findChildren<QWidget*>()) {
            if (takesTab(widget)) controls.append(widget);
        }
        const QList<QWidget*> walked = tabOrder(shownWindow);
        QCOMPARE(walked.size(), controls.size());
        QCOMPARE(names(walked), names(readingOrder(shownWindow, controls)));

        for (QPushButton* button : shownWindow->findChildren<QPushButton*>()) {
            if (!button->isVisible() || button->text().contains(QLatin1String("   "))) continue;
            const int room =
                button->width() - button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(room >= 2 * 12, qPrintable(button->text()));
        }
    }

  private:
    static QString trimmedShown(QWidget* root, const QString& name) {
        return shown(root, name).trimmed();
    }
};

KALDATE_TEST_MAIN(PolishTest)
#include "polish_test.moc"
