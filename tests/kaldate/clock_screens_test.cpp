// datimeretvfrm and afulldateform against the built library, run at a clock
// frozen by faketime on Sunday 6 December 2026, 18:40:07 (New York): the
// calls in order and the hour mode each receives, the hour, minute and second
// shown as number and text, today's date after load and Clear, the five
// switches sent (the clock's two as 0 without the time) and the messages.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

const QStringList kClockOutputs = {"todaysdate1", "todaystime1", "hourbox",
                                   "minbox",      "secbox",      "apmbox"};

}  // namespace

class ClockScreensTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;

    static QCheckBox* box(QWidget* screen, const char* name) {
        return child<QCheckBox>(screen, QLatin1String(name));
    }

  private slots:
    void initTestCase() {
        addScreens(demo_.screens);
        // The clock is the one faketime froze, or the results below mean
        // nothing.
        DateText today(QStringLiteral("TODAY"));
        QCOMPARE(demo_.kalcore.convdate(today, QLatin1Char('B'), 0, 0).text,
                 QStringLiteral("12/06/2026"));
    }
    void cleanup() { demo_.closeAll(); }

    void dateTimeLoadState() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("datimeretvfrm"));
        QVERIFY(screen);
        auto* formats = child<QComboBox>(screen, QStringLiteral("fmtcombo"));
        QCOMPARE(formats->count(), 48);
        QCOMPARE(formats->currentIndex(), 6);
        for (const QString& output : kClockOutputs) QCOMPARE(shown(screen, output), QString());
        QVERIFY(!box(screen, "Checkfulltime")->isChecked());
        QVERIFY(demo_.calls.isEmpty());
    }

    // KD_DATEANDTIME always gets the 24-hour mode and no conversion file; the
    // time calls get the box's mode.
    void theDateAndTime_data() {
        QTest::addColumn<bool>("twentyFourHour");
        QTest::addColumn<int>("format");
        QTest::addColumn<QByteArray>("code");
        QTest::addColumn<QStringList>("outputs");
        QTest::newRow("12-hour clock, DD-mmm-CCYY")
            << false << 6 << QByteArray("7 \0", 3)
            << QStringList{"06-Dec-2026", "06:40:07", "6/06", "40/40", "7/07", "PM"};
        QTest::newRow("24-hour clock, CCYY-MM-DD")
            << true << 15 << QByteArray("G \0", 3)
            << QStringList{"2026-12-06", "18:40:07", "18/18", "40/40", "7/07", "PM"};
        QTest::newRow("24-hour clock, D-MM-CCYY")
            << true << 47 << QByteArray("= \0", 3)
            << QStringList{"6-12-2026", "18:40:07", "18/18", "40/40", "7/07", "PM"};
    }
    void theDateAndTime() {
        QFETCH(bool, twentyFourHour);
        QFETCH(int, format);
        QFETCH(QByteArray, code);
        QFETCH(QStringList, outputs);
        QDialog* screen = demo_.openAfresh(QStringLiteral("datimeretvfrm"));
        QVERIFY(screen);
        child<QComboBox>(screen, QStringLiteral("fmtcombo"))->setCurrentIndex(format);
        if (twentyFourHour) click(screen, QStringLiteral("Checkfulltime"));
        QVERIFY(demo_.press(screen, {}, QStringLiteral("cmddtiok")).isEmpty());
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{"KD_DATEANDTIME", "KD_DATE", "KD_TIME", "KD_HOUR", "KD_CHOUR",
                              "KD_MINT", "KD_CMINT", "KD_SEC", "KD_CSEC"}));
        const std::int32_t mode = twentyFourHour ? 1 : 0;
        const CallRecord& both = demo_.calls[0];
        QCOMPARE(both.numbersSent, (QList<std::int32_t>{1, 0}));
        QCOMPARE(both.textsSent,
                 (QList<QByteArray>{QByteArray(12, ' ') + '\0', code, QByteArray(9, ' ') + '\0',
                                    QByteArray("   \0", 4)}));
        QCOMPARE(demo_.calls[1].textsSent[1], code);
        QCOMPARE(demo_.calls[2].numbersSent, QList<std::int32_t>{mode});
        QCOMPARE(demo_.calls[3].numbersSent, (QList<std::int32_t>{0, mode}));
        QCOMPARE(demo_.calls[4].numbersSent, QList<std::int32_t>{mode});
        QCOMPARE(demo_.calls[5].numbersSent, QList<std::int32_t>{0});
        QCOMPARE(demo_.calls[7].numbersSent, QList<std::int32_t>{0});
        QStringList shownOutputs;
        for (const QString& output : kClockOutputs) shownOutputs.append(shown(screen, output));
        QCOMPARE(shownOutputs, outputs);
    }

    // Another format changes the date only; the time follows the box.
    void anotherFormatChangesTheDateOnly() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("datimeretvfrm"));
        QVERIFY(screen);
        demo_.press(screen, {}, QStringLiteral("cmddtiok"));
        child<QComboBox>(screen, QStringLiteral("fmtcombo"))->setCurrentIndex(19);
        demo_.press(screen, {}, QStringLiteral("cmddtiok"));
        QStringList shownOutputs;
        for (const QString& output : kClockOutputs) shownOutputs.append(shown(screen, output));
        QCOMPARE(shownOutputs,
                 (QStringList{"Dec/06/2026", "06:40:07", "6/06", "40/40", "7/07", "PM"}));
    }

    void dateTimeClear() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("datimeretvfrm"));
        QVERIFY(screen);
        child<QComboBox>(screen, QStringLiteral("fmtcombo"))->setCurrentIndex(15);
        click(screen, QStringLiteral("Checkfulltime"));
        demo_.press(screen, {}, QStringLiteral("cmddtiok"));
        demo_.press(screen, {}, QStringLiteral("cmddti_clear"));
        for (const QString& output : kClockOutputs) QCOMPARE(shown(screen, output), QString());
        QVERIFY(!box(screen, "Checkfulltime")->isChecked());
        QCOMPARE(child<QComboBox>(screen, QStringLiteral("fmtcombo"))->currentIndex(), 15);
        QVERIFY(demo_.calls.isEmpty());
    }

    // Load: today in the form of code "K" from the keyword, every box
    // unticked, the clock's two disabled.
    void fullDateLoadState() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("afulldateform"));
        QVERIFY(screen);
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_CONVDATE")});
        const CallRecord& today = demo_.calls[0];
        QCOMPARE(today.textsSent,
                 (QList<QByteArray>{QByteArray("Today       \0", 13), QByteArray(12, ' ') + '\0',
                                    QByteArray("K \0", 3)}));
        QCOMPARE(today.numbersSent, (QList<std::int32_t>{0, 0}));
        QCOMPARE(shown(screen, QStringLiteral("afulldatevalue")), QStringLiteral("Dec/06/2026"));
        QCOMPARE(child<QComboBox>(screen, QStringLiteral("fmtcombo"))->currentIndex(), 6);
        for (const char* name :
             {"monthabbrev", "dayabbrev", "timecheck", "hr24timecheck", "apmswitch"}) {
            QVERIFY2(!box(screen, name)->isChecked(), name);
        }
        QVERIFY(!box(screen, "hr24timecheck")->isEnabled());
        QVERIFY(!box(screen, "apmswitch")->isEnabled());
        QCOMPARE(shown(screen, QStringLiteral("outputbox")), QString());
    }

    void theTimeBoxEnablesTheClocksBoxes() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("afulldateform"));
        QVERIFY(screen);
        for (bool ticked : {true, false, true}) {
            click(screen, QStringLiteral("timecheck"));
            QCOMPARE(box(screen, "hr24timecheck")->isEnabled(), ticked);
            QCOMPARE(box(screen, "apmswitch")->isEnabled(), ticked);
        }
    }

    void theSwitches_data() {
        QTest::addColumn<QStringList>("clicks");  // in this order
        QTest::addColumn<QList<std::int32_t>>("sent");
        QTest::addColumn<QString>("output");
        QTest::newRow("none") << QStringList() << QList<std::int32_t>{0, 0, 0, 0, 0}
                              << "Friday, 25-December-1998   ";
        QTest::newRow("all") << QStringList{"monthabbrev", "dayabbrev", "timecheck",
                                            "hr24timecheck", "apmswitch"}
                             << QList<std::int32_t>{1, 1, 1, 1, 1}
                             << "Fri, 25-Dec-1998 at 18:40:07 PM   ";
        QTest::newRow("time on the 12-hour clock")
            << QStringList{"timecheck"} << QList<std::int32_t>{0, 0, 1, 0, 0}
            << "Friday, 25-December-1998 at 06:40:07   ";
        // The clock's boxes stay ticked (and disabled) but count only with
        // the time.
        QTest::newRow("clock boxes without the time")
            << QStringList{"timecheck", "hr24timecheck", "apmswitch", "timecheck"}
            << QList<std::int32_t>{0, 0, 0, 0, 0} << "Friday, 25-December-1998   ";
    }
    void theSwitches() {
        QFETCH(QStringList, clicks);
        QFETCH(QList<std::int32_t>, sent);
        QFETCH(QString, output);
        QDialog* screen = demo_.openAfresh(QStringLiteral("afulldateform"));
        QVERIFY(screen);
        for (const QString& name : clicks) click(screen, name);
        QVERIFY(demo_
                    .press(screen,
                           {{QStringLiteral("afulldatevalue"), QStringLiteral("12/25/1998")}},
                           QStringLiteral("okbutton"))
                    .isEmpty());
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_AFULLDATEFORMAT")}));
        const CallRecord& call = demo_.lastCall("KD_AFULLDATEFORMAT");
        QCOMPARE(call.textsSent[0], demo_.calls[0].textsReturned[0] + '\0');
        QCOMPARE(call.textsSent[1], QByteArray(51, ' ') + '\0');
        QCOMPARE(call.textsSent[2], QByteArray("7 \0", 3));
        QCOMPARE(call.numbersSent, sent);
        QCOMPARE(shown(screen, QStringLiteral("outputbox")), output);
        QVERIFY(child<QWidget>(screen, QStringLiteral("afulldatevalue"))->hasFocus());
        if (clicks.size() == 4) QVERIFY(box(screen, "hr24timecheck")->isChecked());
    }

    void fullDateErrors_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("checks");
        QTest::newRow("empty") << "   "
                               << "ERROR: An Input Date is Needed "
                               << "Full Date Format" << 0;
        QTest::newRow("bad") << "12/32/1998"
                             << "ERROR: A Bad Date "
                             << "Create Date Format" << 1;
    }
    void fullDateErrors() {
        QFETCH(QString, input);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(int, checks);
        QDialog* screen = demo_.openAfresh(QStringLiteral("afulldateform"));
        QVERIFY(screen);
        demo_.press(screen, {}, QStringLiteral("okbutton"));
        QVERIFY(!shown(screen, QStringLiteral("outputbox")).isEmpty());
        QCOMPARE(demo_.press(screen, {{QStringLiteral("afulldatevalue"), input}},
                             QStringLiteral("okbutton")),
                 QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, caption);
        QCOMPARE(demo_.messages.shown[0].style, MessageStyle::Exclamation);
        QCOMPARE(demo_.calledFunctions(), QStringList(checks, QStringLiteral("KD_ISVDATE")));
        QCOMPARE(shown(screen, QStringLiteral("outputbox")), QString());
        QVERIFY(child<QWidget>(screen, QStringLiteral("afulldatevalue"))->hasFocus());
    }

    void aFullDateTheLibraryRefuses() {
        Demo refusing({QStringLiteral(REFUSING_LIBRARY_PATH)});
        addScreens(refusing.screens);
        QDialog* screen = refusing.open(QStringLiteral("afulldateform"));
        QVERIFY(screen);
        QCOMPARE(refusing.press(screen, {{QStringLiteral("afulldatevalue"), QStringLiteral("x")}},
                                QStringLiteral("okbutton")),
                 QStringList{QStringLiteral("ERROR: Bad Date Calculation ")});
        QCOMPARE(refusing.messages.shown[0].caption, QStringLiteral("Full Date Format"));
        QCOMPARE(shown(screen, QStringLiteral("outputbox")),
                 QStringLiteral("A Bad Date Entered In"));
        refusing.closeAll();
    }

    // Clear brings back the load state: today's date ready for OK.
    void fullDateClear() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("afulldateform"));
        QVERIFY(screen);
        for (const char* name : {"monthabbrev", "timecheck", "apmswitch"})
            click(screen, QLatin1String(name));
        child<QComboBox>(screen, QStringLiteral("fmtcombo"))->setCurrentIndex(19);
        demo_.press(screen, {{QStringLiteral("afulldatevalue"), QStringLiteral("07/04/1998")}},
                    QStringLiteral("okbutton"));
        demo_.press(screen, {}, QStringLiteral("clearbutton"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_CONVDATE")});
        QCOMPARE(shown(screen, QStringLiteral("afulldatevalue")), QStringLiteral("Dec/06/2026"));
        QCOMPARE(shown(screen, QStringLiteral("outputbox")), QString());
        for (const char* name :
             {"monthabbrev", "dayabbrev", "timecheck", "hr24timecheck", "apmswitch"}) {
            QVERIFY2(!box(screen, name)->isChecked(), name);
        }
        QVERIFY(!box(screen, "apmswitch")->isEnabled());
        demo_.press(screen, {}, QStringLiteral("okbutton"));
        QCOMPARE(shown(screen, QStringLiteral("outputbox")),
                 QStringLiteral("Sunday, December/06/2026   "));
    }
};

KALDATE_TEST_MAIN(ClockScreensTest)
#include "clock_screens_test.moc"
