// nwdatecalcform, datecalcform, datlapsfrm and datelapsehlpf against the
// built library: the direction the date arithmetic takes from the end-date
// field, what each call receives, every message in the order of the checks
// with the field that gets the focus, the focus markers, and Clear.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

using Fields = QList<std::pair<QString, QString>>;

Fields calculation(const QString& start, const QString& days, const QString& end) {
    return {{QStringLiteral("dtcvstartdate"), start},
            {QStringLiteral("dtcvnumdays"), days},
            {QStringLiteral("dtcvenddate"), end}};
}

Fields lapse(const QString& start, const QString& end) {
    return {{QStringLiteral("dlpstrtdate"), start}, {QStringLiteral("dlpenddate"), end}};
}

}  // namespace

class ArithmeticTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;

    static QString title(QWidget* screen, const char* group) {
        return child<QGroupBox>(screen, QLatin1String(group))->title();
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void cleanup() { demo_.closeAll(); }

    void calculationLoadState() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("The Kalendrix Software Demo."));
        for (const char* field : {"dtcvstartdate", "dtcvnumdays", "dtcvenddate", "acribline"})
            QCOMPARE(shown(screen, field), QString());
        QCOMPARE(title(screen, "ioFramea"), QString());
        QCOMPARE(title(screen, "ioFrameb"), QString());
        // The start date has the focus from the start, which marks it.
        QVERIFY(focused(screen, "dtcvstartdate"));
        QCOMPARE(shown(screen, "startdate_focusval"), QStringLiteral("1"));
        QCOMPARE(shown(screen, "enddate_focusval"), QStringLiteral("0"));
        for (const char* marker : {"startdate_focusval", "enddate_focusval"})
            QVERIFY(!child<QWidget>(screen, QLatin1String(marker))->isVisible());
        QVERIFY(demo_.calls.isEmpty());
    }

    // An empty end date: the end date from the start and the days.
    void anEndDateFromDays_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("end");  // as typed: blanks count as empty
        QTest::addColumn<std::int32_t>("sent");
        QTest::addColumn<QString>("computed");
        QTest::newRow("forward") << "04/10/1998"
                                 << "1404"
                                 << "" << 1404 << "02/12/2002";
        QTest::newRow("back, blanks around") << "02/12/2002"
                                             << " -1404 "
                                             << "   " << -1404 << "04/10/1998";
        QTest::newRow("exponent form") << "12/31/1999"
                                       << "1E1"
                                       << "" << 10 << "01/10/2000";
    }
    void anEndDateFromDays() {
        QFETCH(QString, start);
        QFETCH(QString, days);
        QFETCH(QString, end);
        QFETCH(std::int32_t, sent);
        QFETCH(QString, computed);
        QDialog* screen = demo_.openAfresh(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        const QStringList texts =
            demo_.press(screen, calculation(start, days, end), QStringLiteral("okbutton"));
        QCOMPARE(texts, QStringList{QStringLiteral("Date Calcuation Success")});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Calcuation"));
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_CMPTEADATE")}));
        const CallRecord& call = demo_.lastCall("KD_CMPTEADATE");
        QCOMPARE(call.numbersSent, QList<std::int32_t>{sent});
        // The start date as the check rewrote it, and a blank output.
        QCOMPARE(call.textsSent[0], demo_.calls[0].textsReturned[0] + '\0');
        QCOMPARE(call.textsSent[1], QByteArray(12, ' ') + '\0');
        QCOMPARE(shown(screen, "dtcvenddate"), computed);
        QCOMPARE(title(screen, "ioFramea"), QStringLiteral("Input"));
        QCOMPARE(title(screen, "ioFrameb"), QStringLiteral("Output"));
    }

    // Both filled: the days between the dates, the days field overwritten.
    void daysFromAnEndDate_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("days");
        QTest::newRow("forward") << "04/10/1998"
                                 << "02/12/2002"
                                 << " 1404";
        QTest::newRow("back") << "Feb/12/2002"
                              << "19980410"
                              << "-1404";
        QTest::newRow("same day") << "04/10/1998"
                                  << "Apr-10-1998"
                                  << " 0";
    }
    void daysFromAnEndDate() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, days);
        QDialog* screen = demo_.openAfresh(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        const QStringList texts = demo_.press(screen, calculation(start, QStringLiteral("77"), end),
                                              QStringLiteral("okbutton"));
        QCOMPARE(texts, QStringList{QStringLiteral("Date Calculation Success")});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Calculation"));
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_ISVDATE"),
                              QStringLiteral("KD_CMPTENUMDAYS")}));
        const CallRecord& call = demo_.lastCall("KD_CMPTENUMDAYS");
        QCOMPARE(call.textsSent[0], demo_.calls[0].textsReturned[0] + '\0');
        QCOMPARE(call.textsSent[1], demo_.calls[1].textsReturned[0] + '\0');
        QCOMPARE(call.numbersSent, QList<std::int32_t>{0});
        QCOMPARE(shown(screen, "dtcvnumdays"), days);
        QCOMPARE(shown(screen, "dtcvenddate"), end);
        QCOMPARE(title(screen, "ioFramea"), QStringLiteral("Output"));
        QCOMPARE(title(screen, "ioFrameb"), QStringLiteral("Input"));
        QVERIFY(focused(screen, "dtcvstartdate"));
    }

    void calculationErrors_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("days");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("checks");  // KD_ISVDATE calls, and no other
        const QString start = QStringLiteral("dtcvstartdate");
        const QString days = QStringLiteral("dtcvnumdays");
        QTest::newRow("no start, before anything") << "  "
                                                   << "abc"
                                                   << "13/45/1998"
                                                   << "Error: You need a Start Date " << start << 0;
        QTest::newRow("bad start, before the end") << "02/30/1998"
                                                   << ""
                                                   << "13/45/1998"
                                                   << "Error: Bad Start Date " << start << 1;
        QTest::newRow("no days") << "04/10/1998"
                                 << "   "
                                 << ""
                                 << "Error: You need a (+-) Number of Days. " << days << 1;
        QTest::newRow("digits then letters")
            << "04/10/1998"
            << "12abc"
            << ""
            << "Error: You need NUMERIC Number of Days. " << days << 1;
        QTest::newRow("beyond 32 bits") << "04/10/1998"
                                        << "9999999999"
                                        << ""
                                        << "Error: You need NUMERIC Number of Days. " << days << 1;
        QTest::newRow("bad end, the days not looked at")
            << "04/10/1998"
            << "abc"
            << "02/30/2002"
            << "Error: Bad End Date " << QStringLiteral("dtcvenddate") << 2;
    }
    void calculationErrors() {
        QFETCH(QString, start);
        QFETCH(QString, days);
        QFETCH(QString, end);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(int, checks);
        QDialog* screen = demo_.openAfresh(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        // An earlier computation, whose direction goes once its inputs are
        // edited.
        demo_.press(screen, calculation(QStringLiteral("04/10/1998"), QStringLiteral("1"), {}),
                    QStringLiteral("okbutton"));
        QCOMPARE(demo_.press(screen, calculation(start, days, end), QStringLiteral("okbutton")),
                 QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Calculation"));
        QCOMPARE(demo_.messages.shown[0].style, MessageStyle::Exclamation);
        QCOMPARE(demo_.messages.shown[0].owner, QStringLiteral("nwdatecalcform"));
        QCOMPARE(demo_.calledFunctions(), QStringList(checks, QStringLiteral("KD_ISVDATE")));
        QVERIFY(child<QWidget>(screen, focus)->hasFocus());
        QCOMPARE(title(screen, "ioFramea"), QString());
        QCOMPARE(title(screen, "ioFrameb"), QString());
    }

    // A move the library cannot make leaves the end date empty.
    void aDateTheLibraryCannotReach() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        const QStringList texts = demo_.press(
            screen,
            calculation(QStringLiteral("04/10/1998"), QStringLiteral("2000000000"), QString()),
            QStringLiteral("okbutton"));
        QCOMPARE(texts, QStringList{QStringLiteral("Error! ")});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Calculation"));
        QCOMPARE(demo_.lastCall("KD_CMPTEADATE").numbersSent, QList<std::int32_t>{2000000000});
        QCOMPARE(shown(screen, "dtcvenddate"), QString());
        QCOMPARE(title(screen, "ioFramea"), QString());
    }

    // The days field is emptied before the call; a failed count leaves it so.
    void aCountTheLibraryRefuses() {
        Demo refusing({QStringLiteral(REFUSING_LIBRARY_PATH)});
        addScreens(refusing.screens);
        QDialog* screen = refusing.open(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        const QStringList texts = refusing.press(
            screen, calculation(QStringLiteral("a"), QStringLiteral("5"), QStringLiteral("b")),
            QStringLiteral("okbutton"));
        QCOMPARE(texts, QStringList{QStringLiteral("Error: Bad Date(s) ")});
        QCOMPARE(refusing.messages.shown[0].caption, QStringLiteral("Date Calculation"));
        QCOMPARE(shown(screen, "dtcvnumdays"), QString());
        refusing.closeAll();
    }

    // A marker turns "1" when its field gets the focus and stays so when the
    // other field gets it; OK sets both back to "0".
    void theFocusMarkers_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("fields");   // start, end
        QTest::addColumn<QStringList>("markers");  // start, end
        QTest::addColumn<QString>("ok");
        QTest::newRow("calculation")
            << "nwdatecalcform"
            << QStringList{QStringLiteral("dtcvstartdate"), QStringLiteral("dtcvenddate")}
            << QStringList{QStringLiteral("startdate_focusval"), QStringLiteral("enddate_focusval")}
            << "okbutton";
        QTest::newRow("lapse") << "datlapsfrm"
                               << QStringList{QStringLiteral("dlpstrtdate"),
                                              QStringLiteral("dlpenddate")}
                               << QStringList{QStringLiteral("lpstartval"),
                                              QStringLiteral("lpendval")}
                               << "cmddlc1ok";
    }
    void theFocusMarkers() {
        QFETCH(QString, screen);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, markers);
        QFETCH(QString, ok);
        QDialog* window = demo_.openAfresh(screen);
        QVERIFY(window);
        const auto marks = [&] {
            return QStringList{shownText(child<QWidget>(window, markers[0])),
                               shownText(child<QWidget>(window, markers[1]))};
        };
        // The start date has the focus from the load on.
        QCOMPARE(marks(), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
        child<QWidget>(window, fields[1])->setFocus();
        QCOMPARE(marks(), (QStringList{QStringLiteral("1"), QStringLiteral("1")}));
        // An OK whose error sends the focus to the start date: both reset,
        // the start date marked again.
        child<QWidget>(window, ok)->setFocus();
        click(window, ok);
        QCOMPARE(marks(), (QStringList{QStringLiteral("1"), QStringLiteral("0")}));
        // Leaving a field keeps its mark.
        child<QWidget>(window, fields[1])->setFocus();
        child<QWidget>(window, ok)->setFocus();
        QCOMPARE(marks(), (QStringList{QStringLiteral("1"), QStringLiteral("1")}));
        // A successful OK resets both; the calculation screen then gives the
        // start date the focus, which marks it.
        demo_.press(
            window,
            {{fields[0], QStringLiteral("04/10/1998")}, {fields[1], QStringLiteral("02/12/2002")}},
            ok);
        const bool startFocused = child<QWidget>(window, fields[0])->hasFocus();
        QCOMPARE(marks(), (QStringList{startFocused ? QStringLiteral("1") : QStringLiteral("0"),
                                       QStringLiteral("0")}));
    }

    void calculationClear() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        demo_.press(
            screen,
            calculation(QStringLiteral("04/10/1998"), QString(), QStringLiteral("02/12/2002")),
            QStringLiteral("okbutton"));
        demo_.press(screen, {}, QStringLiteral("clearbutton"));
        for (const char* field : {"dtcvstartdate", "dtcvnumdays", "dtcvenddate"})
            QCOMPARE(shown(screen, field), QString());
        QCOMPARE(title(screen, "ioFramea"), QString());
        QCOMPARE(title(screen, "ioFrameb"), QString());
        QVERIFY(demo_.calls.isEmpty());
    }

    void calculationHelp() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("nwdatecalcform"));
        QVERIFY(screen);
        click(screen, QStringLiteral("helpbutton"));
        QWidget* help = demo_.screens.find(QStringLiteral("datecalcform"));
        QVERIFY(help);
        QCOMPARE(help->parentWidget(), screen);
        QCOMPARE(help->windowTitle(), QStringLiteral("Date Calculation Example"));
        QStringList texts;
        for (QLabel* label : help->findChildren<QLabel*>()) texts.append(label->text());
        for (const char* text :
             {"First Input Start Date:", "04/10/1998", "Then, you can one of two things:",
              "A) Input a +- Number  of days , to compute a Date.",
              "B) Input an End Date, to compute a difference in                                 "
              "(+-)number of days.",
              "Number of Days", "  1404", "Computed End Date", "02/12/2002", "End Date",
              "Computed Number of Days"}) {
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        }
        click(help, QStringLiteral("exitbackbutton"));
        QVERIFY(!demo_.screens.find(QStringLiteral("datecalcform")));
    }

    void aLapse_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QStringList>("outputs");
        QTest::newRow("forward") << "09/24/1990"
                                 << "03/31/1993" << QStringList{" 2", " 6", " 1", " 0"};
        QTest::newRow("back") << "Mar/31/1993"
                              << "09-24-1990" << QStringList{"-2", "-6", "-1", " 0"};
        QTest::newRow("over a leap day") << "04/10/1998"
                                         << "02/12/2002" << QStringList{" 3", " 10", " 0", " 3"};
    }
    void aLapse() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QStringList, outputs);
        QDialog* screen = demo_.openAfresh(QStringLiteral("datlapsfrm"));
        QVERIFY(screen);
        QCOMPARE(demo_.press(screen, lapse(start, end), QStringLiteral("cmddlc1ok")),
                 QStringList{QStringLiteral("Date Lapse Conversions Success")});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Lapse"));
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_ISVDATE"),
                              QStringLiteral("KD_DATELAPSE")}));
        const CallRecord& call = demo_.lastCall("KD_DATELAPSE");
        QCOMPARE(call.textsSent[0], demo_.calls[0].textsReturned[0] + '\0');
        QCOMPARE(call.textsSent[1], demo_.calls[1].textsReturned[0] + '\0');
        QCOMPARE(call.numbersSent.size(), 5);
        QStringList shownOutputs;
        for (const char* output : {"dlpnyrs", "dlpnmons", "dlpnwks", "dlpndays"})
            shownOutputs.append(shown(screen, output));
        QCOMPARE(shownOutputs, outputs);
    }

    // Every error sends the focus to the start date; an empty start date
    // reads as a bad one; the outputs of the last lapse are emptied.
    void lapseErrors_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("checks");
        QTest::newRow("no start") << "   "
                                  << "02/30/1993"
                                  << "Error: Bad Start Date " << 0;
        QTest::newRow("bad start") << "13/45/1990"
                                   << ""
                                   << "Error: Bad Start Date " << 1;
        QTest::newRow("no end") << "09/24/1990"
                                << " "
                                << "Error: An End Date is needed " << 1;
        QTest::newRow("bad end") << "09/24/1990"
                                 << "02/30/1993"
                                 << "Error: Bad End Date" << 2;
    }
    void lapseErrors() {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, message);
        QFETCH(int, checks);
        QDialog* screen = demo_.openAfresh(QStringLiteral("datlapsfrm"));
        QVERIFY(screen);
        demo_.press(screen, lapse(QStringLiteral("09/24/1990"), QStringLiteral("03/31/1993")),
                    QStringLiteral("cmddlc1ok"));
        QCOMPARE(demo_.press(screen, lapse(start, end), QStringLiteral("cmddlc1ok")),
                 QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Lapse"));
        QCOMPARE(demo_.calledFunctions(), QStringList(checks, QStringLiteral("KD_ISVDATE")));
        QVERIFY(focused(screen, "dlpstrtdate"));
        for (const char* output : {"dlpnyrs", "dlpnmons", "dlpnwks", "dlpndays"})
            QCOMPARE(shown(screen, output), QString());
    }

    void aLapseTheLibraryRefuses() {
        Demo refusing({QStringLiteral(REFUSING_LIBRARY_PATH)});
        addScreens(refusing.screens);
        QDialog* screen = refusing.open(QStringLiteral("datlapsfrm"));
        QVERIFY(screen);
        QCOMPARE(refusing.press(screen, lapse(QStringLiteral("a"), QStringLiteral("b")),
                                QStringLiteral("cmddlc1ok")),
                 QStringList{QStringLiteral("Error: Bad Date Lapse Conversions")});
        QVERIFY(focused(screen, "dlpstrtdate"));
        QCOMPARE(shown(screen, "dlpnyrs"), QString());
        refusing.closeAll();
    }

    void lapseClear() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("datlapsfrm"));
        QVERIFY(screen);
        demo_.press(screen, lapse(QStringLiteral("09/24/1990"), QStringLiteral("03/31/1993")),
                    QStringLiteral("cmddlc1ok"));
        demo_.press(screen, {}, QStringLiteral("cmddlc6_clr"));
        for (const char* field :
             {"dlpstrtdate", "dlpenddate", "dlpnyrs", "dlpnmons", "dlpnwks", "dlpndays"})
            QCOMPARE(shown(screen, field), QString());
        QVERIFY(demo_.calls.isEmpty());
    }

    // The help's rows are the library's answers for its three pairs, each
    // number ending under the end of its heading's word.
    void lapseHelpAsksTheLibrary() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("datlapsfrm"));
        QVERIFY(screen);
        demo_.clearCalls();
        click(screen, QStringLiteral("cmddlc2_hlp"));
        QWidget* help = demo_.screens.find(QStringLiteral("datelapsehlpf"));
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("Date Lapse Information"));
        QCOMPARE(demo_.calledFunctions(), QStringList(3, QStringLiteral("KD_DATELAPSE")));
        QCOMPARE(demo_.calls[1].textsSent[0], QByteArray("03/31/1993  \0", 13));
        QCOMPARE(demo_.calls[1].textsSent[1], QByteArray("09/24/1990  \0", 13));
        const QString heading = QStringLiteral(" No. Yrs     Mons    Wks     Days ");
        const QStringList rows = {
            QStringLiteral("       2        6      1        0"),
            QStringLiteral("      -2       -6     -1        0"),
            QStringLiteral("       3       10      0        3"),
        };
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(shownText(child<QLabel>(help, QStringLiteral("example%1").arg(row + 1))),
                     rows[row]);
        }
        QStringList texts;
        for (QLabel* label : help->findChildren<QLabel*>()) texts.append(label->text());
        for (const QString& text :
             {heading,
              QStringLiteral("The Date Lapse Conversions returns the following          "
                             "Information based on a Start and End Dates:"),
              QStringLiteral("Approx: (+-) No. of Yrs, Mons, Wks, and Days."),
              QStringLiteral("Leap Years are taken into the approximation.")}) {
            QVERIFY2(texts.contains(text), qPrintable(text));
        }
    }
};

KALDATE_TEST_MAIN(ArithmeticTest)
#include "arithmetic_test.moc"
