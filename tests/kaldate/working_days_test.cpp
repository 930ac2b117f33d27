// nxtwrkdayform, nxtwrkhlpfrm and betweendates against the built library,
// with the holidays of 1998 in the holiday file: what each OK sends, the
// holiday switch, a count below 1 sent and shown as 1, the messages in the
// order of the checks (the help's in its own style), and Clear.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

using Fields = QList<std::pair<QString, QString>>;

Fields workingDay(const QString& start, const QString& days) {
    return {{QStringLiteral("nextstartday"), start}, {QStringLiteral("nextdayval"), days}};
}

Fields threeDates(const QString& first, const QString& second, const QString& third) {
    return {{QStringLiteral("betwdate1"), first},
            {QStringLiteral("betwdate2"), second},
            {QStringLiteral("betwdate3"), third}};
}

}  // namespace

class WorkingDaysTest : public QObject {
    Q_OBJECT
    TempHome home_{1998};
    Demo demo_;

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void cleanup() { demo_.closeAll(); }

    // Memorial Day 1998 (Monday 25 May) is skipped only with the box ticked.
    void theNextWorkingDay_data() {
        QTest::addColumn<QString>("days");
        QTest::addColumn<bool>("holidays");
        QTest::addColumn<std::int32_t>("sent");
        QTest::addColumn<QString>("shownDays");
        QTest::addColumn<QString>("result");
        QTest::newRow("without holidays") << "35" << false << 35 << "35"
                                          << "06-03-1998";
        QTest::newRow("with holidays") << " 35 " << true << 35 << " 35 "
                                       << "06-04-1998";
        QTest::newRow("zero counts as one") << "0" << false << 1 << " 1"
                                            << "04-16-1998";
        QTest::newRow("below zero counts as one") << "-12" << true << 1 << " 1"
                                                  << "04-16-1998";
        QTest::newRow("a half rounds to the even number") << "0.5" << false << 1 << " 1"
                                                          << "04-16-1998";
    }
    void theNextWorkingDay() {
        QFETCH(QString, days);
        QFETCH(bool, holidays);
        QFETCH(std::int32_t, sent);
        QFETCH(QString, shownDays);
        QFETCH(QString, result);
        QDialog* screen = demo_.openAfresh(QStringLiteral("nxtwrkdayform"));
        QVERIFY(screen);
        if (holidays) click(screen, QStringLiteral("holdyfeatchk"));
        QCOMPARE(demo_.press(screen, workingDay(QStringLiteral("04/15/1998"), days),
                             QStringLiteral("okbutton")),
                 QStringList{QStringLiteral("Next Working Day Success ")});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Next Work Day Feature"));
        QCOMPARE(demo_.messages.shown[0].style, MessageStyle::Exclamation);
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_NXTWRKDAY")}));
        const CallRecord& call = demo_.lastCall("KD_NXTWRKDAY");
        QCOMPARE(call.textsSent[0], demo_.calls[0].textsReturned[0] + '\0');
        QCOMPARE(call.textsSent[1], QByteArray(12, ' ') + '\0');
        QCOMPARE(call.numbersSent, (QList<std::int32_t>{sent, holidays ? 1 : 0}));
        QCOMPARE(shown(screen, "thenextday"), result);
        QCOMPARE(shown(screen, "nextdayval"), shownDays);
    }

    void workingDayErrors_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("checks");
        const QString start = QStringLiteral("nextstartday");
        const QString days = QStringLiteral("nextdayval");
        QTest::newRow("no start") << " "
                                  << ""
                                  << "Error: A Start Date is Needed " << start << 0;
        QTest::newRow("bad start") << "04/31/1998"
                                   << ""
                                   << "Error: A Bad Start Date was Entered in" << start << 1;
        QTest::newRow("no days") << "04/15/1998"
                                 << "  "
                                 << "Error: A Numeric Number of Days is Needed" << days << 1;
        QTest::newRow("letters") << "04/15/1998"
                                 << "5 days"
                                 << "Error: Bad Numeric Number of Days Entered in" << days << 1;
        QTest::newRow("beyond 32 bits")
            << "04/15/1998"
            << "-3000000000"
            << "Error: Bad Numeric Number of Days Entered in" << days << 1;
    }
    void workingDayErrors() {
        QFETCH(QString, start);
        QFETCH(QString, days);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(int, checks);
        QDialog* screen = demo_.openAfresh(QStringLiteral("nxtwrkdayform"));
        QVERIFY(screen);
        QCOMPARE(demo_.press(screen, workingDay(start, days), QStringLiteral("okbutton")),
                 QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Next Working Day Feature"));
        QCOMPARE(demo_.messages.shown[0].style, MessageStyle::Exclamation);
        QCOMPARE(demo_.calledFunctions(), QStringList(checks, QStringLiteral("KD_ISVDATE")));
        QVERIFY(focused(screen, focus));
    }

    // A day the library cannot find empties the result and says why, on
    // the screen and on its help's live example alike; an edited input
    // empties the result before any OK.
    void aDayTheLibraryCannotFind_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("holidays");
        QTest::newRow("screen, holidays") << "nxtwrkdayform" << true;
        QTest::newRow("screen") << "nxtwrkdayform" << false;
        QTest::newRow("help") << "nxtwrkhlpfrm" << false;
    }
    void aDayTheLibraryCannotFind() {
        QFETCH(QString, screen);
        QFETCH(bool, holidays);
        QDialog* window = demo_.openAfresh(screen);
        QVERIFY(window);
        if (holidays) click(window, QStringLiteral("holdyfeatchk"));
        demo_.press(window, workingDay(QStringLiteral("01/01/2000"), QStringLiteral("100000")),
                    QStringLiteral("okbutton"));
        QVERIFY(!shown(window, "thenextday").isEmpty());
        type(window, QStringLiteral("nextdayval"), QStringLiteral("2147483647"));
        QCOMPARE(shown(window, "thenextday"), QString());
        const QStringList texts = demo_.press(window, {}, QStringLiteral("okbutton"));
        QCOMPARE(demo_.lastCall("KD_NXTWRKDAY").numbersSent,
                 (QList<std::int32_t>{2147483647, holidays ? 1 : 0}));
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts[0].startsWith(QLatin1String("Error: No Working Day could be computed")),
                 qPrintable(texts[0]));
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Next Working Day Feature"));
        QCOMPARE(shown(window, "thenextday"), QString());
        QVERIFY(focused(window, "nextdayval"));
    }

    void workingDayClear() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("nxtwrkdayform"));
        QVERIFY(screen);
        click(screen, QStringLiteral("holdyfeatchk"));
        demo_.press(screen, workingDay(QStringLiteral("04/15/1998"), QStringLiteral("3")),
                    QStringLiteral("okbutton"));
        demo_.press(screen, {}, QStringLiteral("clearbutton"));
        for (const char* field : {"nextstartday", "nextdayval", "thenextday"})
            QCOMPARE(shown(screen, field), QString());
        QVERIFY(!child<QCheckBox>(screen, QStringLiteral("holdyfeatchk"))->isChecked());
        QVERIFY(demo_.calls.isEmpty());
    }

    // The help runs the example itself, never with holidays and without a
    // success message.
    void theHelpsLiveExample() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("nxtwrkdayform"));
        QVERIFY(screen);
        click(screen, QStringLiteral("holdyfeatchk"));
        click(screen, QStringLiteral("olhelpbutton"));
        QWidget* help = demo_.screens.find(QStringLiteral("nxtwrkhlpfrm"));
        QVERIFY(help);
        QCOMPARE(help->parentWidget(), screen);
        QCOMPARE(help->windowTitle(), QStringLiteral("The Kalendrix Software Demo."));
        QVERIFY(!help->findChild<QCheckBox*>());
        QCOMPARE(shown(help, "nextstartday"), QStringLiteral("04/15/1998"));
        QCOMPARE(shown(help, "thenextday"), QStringLiteral("06/03/1998"));
        QStringList texts;
        for (QLabel* label : help->findChildren<QLabel*>()) texts.append(label->text());
        for (const char* text :
             {"Note: All negative numbers are changed to a value of 1",
              "1) First, You need to enter in a Start Date:",
              "2) You need to provide a Positive Number of Days into the future:",
              "3) Then a Computed Date is calculated for you:"}) {
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        }
        QVERIFY(demo_
                    .press(help, workingDay(QStringLiteral("04/15/1998"), QStringLiteral("-4")),
                           QStringLiteral("okbutton"))
                    .isEmpty());
        QCOMPARE(demo_.lastCall("KD_NXTWRKDAY").numbersSent, (QList<std::int32_t>{1, 0}));
        QCOMPARE(shown(help, "nextdayval"), QStringLiteral(" 1"));
        QCOMPARE(shown(help, "thenextday"), QStringLiteral("04-16-1998"));
        demo_.press(help, workingDay(QStringLiteral("04/15/1998"), QStringLiteral("35")),
                    QStringLiteral("okbutton"));
        QCOMPARE(shown(help, "thenextday"), QStringLiteral("06-03-1998"));

        demo_.press(help, {}, QStringLiteral("clearbutton"));
        for (const char* field : {"nextstartday", "nextdayval", "thenextday"})
            QCOMPARE(shown(help, field), QString());
        demo_.press(help, {}, QStringLiteral("infobutton"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("AboutBox")});
    }

    void theHelpsMessages_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("focus");
        const int information = int(MessageStyle::Information);
        QTest::newRow("no start") << ""
                                  << "3"
                                  << "ERROR: A Start Date is Needed "
                                  << "Next Working Day" << information << "nextstartday";
        QTest::newRow("bad start") << "02/29/1998"
                                   << "3"
                                   << "ERROR: A Bad Start Date was Entered in "
                                   << "Next Working Day" << information << "nextstartday";
        QTest::newRow("no days") << "04/15/1998"
                                 << ""
                                 << "ERROR: A Numeric Number of Days is Needed "
                                 << "Next Working Day" << information << "nextdayval";
        QTest::newRow("letters") << "04/15/1998"
                                 << "x"
                                 << "Error: Bad Numeric Number of Days Entered in"
                                 << "Next Working Day Feature" << int(MessageStyle::Exclamation)
                                 << "nextdayval";
    }
    void theHelpsMessages() {
        QFETCH(QString, start);
        QFETCH(QString, days);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QFETCH(int, style);
        QFETCH(QString, focus);
        QDialog* help = demo_.openAfresh(QStringLiteral("nxtwrkhlpfrm"));
        QVERIFY(help);
        QCOMPARE(demo_.press(help, workingDay(start, days), QStringLiteral("okbutton")),
                 QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, caption);
        QCOMPARE(int(demo_.messages.shown[0].style), style);
        QCOMPARE(demo_.messages.shown[0].owner, QStringLiteral("nxtwrkhlpfrm"));
        QVERIFY(focused(help, focus));
    }

    void betweenOrNot_data() {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("message");
        const QString success = QStringLiteral("Between Date Success ");
        const QString failure =
            QStringLiteral("ERROR: Not Successful, Date 2 is not between Dates 1 and 3. ");
        QTest::newRow("inside") << QStringList{"01/01/1998", "Jun/15/1998", "19981231"} << "Success"
                                << success;
        QTest::newRow("after") << QStringList{"01/01/1998", "01/01/1999", "12/31/1998"} << "Failure"
                               << failure;
        QTest::newRow("on a bound")
            << QStringList{"01/01/1998", "01/01/1998", "12/31/1998"} << "Failure" << failure;
    }
    void betweenOrNot() {
        QFETCH(QStringList, dates);
        QFETCH(QString, output);
        QFETCH(QString, message);
        QDialog* screen = demo_.openAfresh(QStringLiteral("betweendates"));
        QVERIFY(screen);
        QCOMPARE(
            demo_.press(screen, threeDates(dates[0], dates[1], dates[2]), QStringLiteral("cmdbok")),
            QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Between Dates"));
        QCOMPARE(demo_.messages.shown[0].style, MessageStyle::Exclamation);
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_ISVDATE"),
                              QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_BETWEEN")}));
        const CallRecord& call = demo_.lastCall("KD_BETWEEN");
        for (int i = 0; i < 3; ++i)
            QCOMPARE(call.textsSent[i], demo_.calls[i].textsReturned[0] + '\0');
        QCOMPARE(shown(screen, "Labeloutput"), output);
    }

    // Every date must be there before any is checked.
    void betweenErrors_data() {
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("checks");
        QTest::newRow("all empty") << QStringList{"", " ", ""} << "ERROR: Date1 is Needed "
                                   << "betwdate1" << 0;
        QTest::newRow("second missing, first bad")
            << QStringList{"13/13/1998", "", "12/31/1998"} << "ERROR: Date2 is Needed "
            << "betwdate2" << 0;
        QTest::newRow("third missing, second bad")
            << QStringList{"01/01/1998", "02/30/1998", ""} << "ERROR: Date3 is Needed "
            << "betwdate3" << 0;
        QTest::newRow("first bad")
            << QStringList{"13/13/1998", "02/30/1998", "x"} << "ERROR: Date1 is Not a valid Date "
            << "betwdate1" << 1;
        QTest::newRow("second bad")
            << QStringList{"01/01/1998", "02/30/1998", "x"} << "ERROR: Date2 is Not a valid Date "
            << "betwdate2" << 2;
        QTest::newRow("third bad")
            << QStringList{"01/01/1998", "06/15/1998", "x"} << "ERROR: Date3 is Not a valid Date "
            << "betwdate3" << 3;
    }
    void betweenErrors() {
        QFETCH(QStringList, dates);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(int, checks);
        QDialog* screen = demo_.openAfresh(QStringLiteral("betweendates"));
        QVERIFY(screen);
        demo_.press(screen,
                    threeDates(QStringLiteral("01/01/1998"), QStringLiteral("06/15/1998"),
                               QStringLiteral("12/31/1998")),
                    QStringLiteral("cmdbok"));
        QCOMPARE(
            demo_.press(screen, threeDates(dates[0], dates[1], dates[2]), QStringLiteral("cmdbok")),
            QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Between Dates"));
        QCOMPARE(demo_.calledFunctions(), QStringList(checks, QStringLiteral("KD_ISVDATE")));
        QVERIFY(focused(screen, focus));
        QCOMPARE(shown(screen, "Labeloutput"), QString());
    }

    void betweenClear() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("betweendates"));
        QVERIFY(screen);
        QCOMPARE(shown(screen, "cmdbdthlp"), QStringLiteral(" Date Formats"));
        demo_.press(screen,
                    threeDates(QStringLiteral("01/01/1998"), QStringLiteral("06/15/1998"),
                               QStringLiteral("12/31/1998")),
                    QStringLiteral("cmdbok"));
        demo_.press(screen, {}, QStringLiteral("cmdbclear"));
        for (const char* field : {"betwdate1", "betwdate2", "betwdate3", "Labeloutput"})
            QCOMPARE(shown(screen, field), QString());
        demo_.press(screen, {}, QStringLiteral("cmdbdthlp"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("HelpBox")});
    }
};

KALDATE_TEST_MAIN(WorkingDaysTest)
#include "working_days_test.moc"
