// julcalform, exampl8, slidwindform and slidwindhelp against the built
// library: both halves of one OK and what each sends (the Julian date cut at
// 8), the halves' failures independent of each other, the window's four
// answers and its checks in order (zero years refused before any call), the
// five examples cycling, and Clear.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "common/hints.h"
#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

using Fields = QList<std::pair<QString, QString>>;

Fields conversions(const QString& julian, const QString& calendar) {
    return {{QStringLiteral("juliandatein"), julian}, {QStringLiteral("caldatein"), calendar}};
}

Fields window(const QString& pivot, const QString& years, const QString& check) {
    return {{QStringLiteral("pivotdate"), pivot},
            {QStringLiteral("sldwndnum"), years},
            {QStringLiteral("checkdate"), check}};
}

}  // namespace

class JulianWindowTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;

    QStringList captions() const {
        QStringList captions;
        for (const ShownMessage& message : demo_.messages.shown) captions.append(message.caption);
        return captions;
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void cleanup() { demo_.closeAll(); }

    // One OK runs every half that has an input; a Julian date reaches the
    // library as its first 8 characters; the calendar date is not checked.
    void theConversions_data() {
        QTest::addColumn<QString>("julian");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QStringList>("functions");
        QTest::addColumn<QByteArray>("julianSent");
        QTest::addColumn<QString>("calendarShown");
        QTest::addColumn<QString>("julianShown");
        QTest::newRow("both") << " 1998365 "
                              << "Dec/25/1998" << QStringList{"KD_REVJULIANDATE", "KD_JULIANDATE"}
                              << QByteArray("1998365 \0", 9) << "12-31-1998"
                              << "1998359";
        QTest::newRow("Julian only, nine characters")
            << "199804312"
            << "" << QStringList{"KD_REVJULIANDATE"} << QByteArray("19980431\0", 9) << "02-12-1998"
            << "";
        QTest::newRow("calendar only")
            << "   "
            << "02/29/2000" << QStringList{"KD_JULIANDATE"} << QByteArray() << ""
            << "2000060";
    }
    void theConversions() {
        QFETCH(QString, julian);
        QFETCH(QString, calendar);
        QFETCH(QStringList, functions);
        QFETCH(QByteArray, julianSent);
        QFETCH(QString, calendarShown);
        QFETCH(QString, julianShown);
        QDialog* screen = demo_.openAfresh(QStringLiteral("julcalform"));
        QVERIFY(screen);
        QVERIFY(demo_.press(screen, conversions(julian, calendar), QStringLiteral("OKButton1"))
                    .isEmpty());
        QCOMPARE(demo_.calledFunctions(), functions);
        if (!julianSent.isEmpty()) {
            const CallRecord& call = demo_.lastCall("KD_REVJULIANDATE");
            QCOMPARE(call.textsSent[0], julianSent);
            QCOMPARE(call.textsSent[1], QByteArray(12, ' ') + '\0');
        }
        if (!julianShown.isEmpty()) {
            const CallRecord& call = demo_.lastCall("KD_JULIANDATE");
            QCOMPARE(call.textsSent[0], (calendar.toLatin1() + "            ").left(12) + '\0');
            QCOMPARE(call.textsSent[1], QByteArray(8, ' ') + '\0');
        }
        QCOMPARE(shown(screen, "julenormdate"), calendarShown);
        QCOMPARE(shown(screen, "Juldateout"), julianShown);
    }

    // A failed half shows its own message and mark and leaves the other to
    // run; the focus ends in the last half that failed.
    void failedHalves_data() {
        QTest::addColumn<QString>("julian");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("calendarShown");
        QTest::addColumn<QString>("julianShown");
        QTest::addColumn<QString>("focus");
        const QString badJulian = QStringLiteral("Error: Bad Julian Date Conversion/Input ");
        const QString badCalendar = QStringLiteral("Error: Bad Calendar Date Conversion/Input ");
        QTest::newRow("Julian fails") << "1998366"
                                      << "Dec/25/1998" << QStringList{badJulian}
                                      << QStringList{"Julian to Calendar"} << " Oops!"
                                      << "1998359"
                                      << "juliandatein";
        QTest::newRow("calendar fails") << "1998365"
                                        << "Feb/29/1998" << QStringList{badCalendar}
                                        << QStringList{"Calendar to Julian"} << "12-31-1998"
                                        << " Oops!!"
                                        << "caldatein";
        QTest::newRow("both fail")
            << "abc"
            << "13/13/1998" << QStringList{badJulian, badCalendar}
            << QStringList{"Julian to Calendar", "Calendar to Julian"} << " Oops!"
            << " Oops!!"
            << "caldatein";
    }
    void failedHalves() {
        QFETCH(QString, julian);
        QFETCH(QString, calendar);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, captions);
        QFETCH(QString, calendarShown);
        QFETCH(QString, julianShown);
        QFETCH(QString, focus);
        QDialog* screen = demo_.openAfresh(QStringLiteral("julcalform"));
        QVERIFY(screen);
        QCOMPARE(demo_.press(screen, conversions(julian, calendar), QStringLiteral("OKButton1")),
                 messages);
        QCOMPARE(this->captions(), captions);
        QCOMPARE(demo_.calledFunctions(), (QStringList{QStringLiteral("KD_REVJULIANDATE"),
                                                       QStringLiteral("KD_JULIANDATE")}));
        QCOMPARE(shown(screen, "julenormdate"), calendarShown);
        QCOMPARE(shown(screen, "Juldateout"), julianShown);
        QVERIFY(focused(screen, focus));
    }

    void noInputAtAll() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("julcalform"));
        QVERIFY(screen);
        QCOMPARE(demo_.press(screen, conversions(QStringLiteral("  "), QString()),
                             QStringLiteral("OKButton1")),
                 QStringList{QStringLiteral(
                     "Error: A Julian Date Input and/or Calendar Date Input is Needed. ")});
        QCOMPARE(captions(), QStringList{QStringLiteral("Date Inputs")});
        QVERIFY(demo_.calls.isEmpty());
    }

    void conversionClearAndHelp() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("julcalform"));
        QVERIFY(screen);
        demo_.press(screen, conversions(QStringLiteral("1998365"), QStringLiteral("12/25/1998")),
                    QStringLiteral("OKButton1"));
        demo_.press(screen, {}, QStringLiteral("clrbutton4"));
        for (const char* field : {"juliandatein", "julenormdate", "caldatein", "Juldateout"})
            QCOMPARE(shown(screen, field), QString());

        click(screen, QStringLiteral("HelpButton2"));
        QWidget* help = demo_.screens.find(QStringLiteral("exampl8"));
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("Julian Date to Calendar Date Example(s)"));
        QStringList texts;
        for (QLabel* label : help->findChildren<QLabel*>()) texts.append(label->text());
        for (const char* text : {"Input or as (Output)", "Output or as (Input)", "1998043",
                                 "02-12-1998", "1996345", "12-10-1996", "1989234", "08-22-1989"}) {
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        }
        QCOMPARE(texts.count(QStringLiteral("Julian Date:")), 3);
        QCOMPARE(texts.count(QStringLiteral(" To  Calendar Date: ")), 3);
        QVERIFY(demo_.calls.isEmpty());
    }

    void theWindowsAnswers_data() {
        QTest::addColumn<QString>("pivot");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("check");
        QTest::addColumn<std::int32_t>("sent");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("message");
        QTest::newRow("inside a positive window")
            << "01/01/1998"
            << "2"
            << "MAr/31/1999" << 2 << "A Positive Window - CheckDate is within the Window"
            << "Success, CheckDate is within the Window";
        QTest::newRow("inside a negative window")
            << "Sep/11/1998"
            << " -2 "
            << "DEC/7/1997" << -2 << "A Negative Window - CheckDate is within the Window"
            << "Success, CheckDate is within the Window";
        QTest::newRow("outside a positive window")
            << "06/15/1998"
            << "5"
            << "06/14/1998" << 5 << "Error: CheckDate not within the positive Window"
            << "Error: Check Date is not within the Positive Window";
        QTest::newRow("outside a negative window")
            << "06/15/1998"
            << "-5"
            << "06/16/1998" << -5 << "Error: CheckDate not within the negative Window"
            << "Error: Check Date is not within the Negative Window";
    }
    void theWindowsAnswers() {
        QFETCH(QString, pivot);
        QFETCH(QString, years);
        QFETCH(QString, check);
        QFETCH(std::int32_t, sent);
        QFETCH(QString, answer);
        QFETCH(QString, message);
        QDialog* screen = demo_.openAfresh(QStringLiteral("slidwindform"));
        QVERIFY(screen);
        QCOMPARE(demo_.press(screen, window(pivot, years, check), QStringLiteral("OKButton1")),
                 QStringList{message});
        QCOMPARE(captions(), QStringList{QStringLiteral("Sliding Date Window Information")});
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_ISVDATE"),
                              QStringLiteral("KD_SLIDINGWINDOWPROC")}));
        const CallRecord& call = demo_.lastCall("KD_SLIDINGWINDOWPROC");
        QCOMPARE(call.textsSent[0], demo_.calls[0].textsReturned[0] + '\0');
        QCOMPARE(call.textsSent[1], demo_.calls[1].textsReturned[0] + '\0');
        QCOMPARE(call.numbersSent, (QList<std::int32_t>{sent, 0, 0}));
        QCOMPARE(shown(screen, "answertext"), answer);
        QVERIFY(focused(screen, QStringLiteral("pivotdate")));
    }

    // The checks in order: pivot, check date, then the years, zero refused
    // before the library is asked; a non-numeric count speaks of days.
    void windowErrors_data() {
        QTest::addColumn<QString>("pivot");
        QTest::addColumn<QString>("years");
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("checks");
        const QString pivot = QStringLiteral("pivotdate");
        const QString check = QStringLiteral("checkdate");
        const QString years = QStringLiteral("sldwndnum");
        const QString numeric = QStringLiteral("Error: You need NUMERIC Number of Days.");
        const QString zero =
            QStringLiteral("Error: You need a + or - Number of Years, Not Zero(0).");
        QTest::newRow("no pivot") << ""
                                  << "0"
                                  << ""
                                  << "Error: A Pivot Date is Needed " << pivot << 0;
        QTest::newRow("bad pivot") << "13/45/1998"
                                   << "x"
                                   << ""
                                   << "Error: An Invalid Pivot Date " << pivot << 1;
        QTest::newRow("no check date") << "01/01/1998"
                                       << "0"
                                       << "  "
                                       << "Error: A Check Date is Needed " << check << 1;
        QTest::newRow("bad check date") << "01/01/1998"
                                        << "0"
                                        << "02/29/1999"
                                        << "Error: An Invalid Check Date" << check << 2;
        QTest::newRow("no years") << "01/01/1998"
                                  << ""
                                  << "01/01/1999" << numeric << years << 2;
        QTest::newRow("letters") << "01/01/1998"
                                 << "two"
                                 << "01/01/1999" << numeric << years << 2;
        QTest::newRow("beyond 32 bits") << "01/01/1998"
                                        << "4294967296"
                                        << "01/01/1999" << numeric << years << 2;
        QTest::newRow("zero") << "01/01/1998"
                              << " 0 "
                              << "01/01/1999" << zero << years << 2;
        QTest::newRow("rounds to zero") << "01/01/1998"
                                        << "0.4"
                                        << "01/01/1999" << zero << years << 2;
    }
    void windowErrors() {
        QFETCH(QString, pivot);
        QFETCH(QString, years);
        QFETCH(QString, check);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        QFETCH(int, checks);
        QDialog* screen = demo_.openAfresh(QStringLiteral("slidwindform"));
        QVERIFY(screen);
        QCOMPARE(demo_.press(screen, window(pivot, years, check), QStringLiteral("OKButton1")),
                 QStringList{message});
        QCOMPARE(captions(), QStringList{QStringLiteral("Sliding Date Window Information")});
        QCOMPARE(demo_.calledFunctions(), QStringList(checks, QStringLiteral("KD_ISVDATE")));
        QVERIFY(focused(screen, focus));
    }

    void aWindowTheLibraryRefuses() {
        Demo refusing({QStringLiteral(REFUSING_LIBRARY_PATH)});
        addScreens(refusing.screens);
        QDialog* screen = refusing.open(QStringLiteral("slidwindform"));
        QVERIFY(screen);
        QCOMPARE(refusing.press(
                     screen, window(QStringLiteral("a"), QStringLiteral("3"), QStringLiteral("b")),
                     QStringLiteral("OKButton1")),
                 QStringList{QStringLiteral("Error: An Program Error in calculation")});
        QVERIFY(focused(screen, QStringLiteral("pivotdate")));
        QCOMPARE(shown(screen, "answertext"), QString());
        refusing.closeAll();
    }

    void windowClearEmptiesTheStatusLineToo() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("slidwindform"));
        QVERIFY(screen);
        demo_.press(
            screen,
            window(QStringLiteral("01/01/1998"), QStringLiteral("2"), QStringLiteral("01/01/1999")),
            QStringLiteral("OKButton1"));
        hover(child<QWidget>(screen, QStringLiteral("clrbutton4")));
        auto* line = screen->findChild<StatusLine*>();
        QCOMPARE(line->text(), QStringLiteral(" Clear all Input and Output fields"));
        QTest::mouseClick(child<QWidget>(screen, QStringLiteral("clrbutton4")), Qt::LeftButton);
        for (const char* field : {"pivotdate", "sldwndnum", "checkdate", "answertext"})
            QCOMPARE(shown(screen, field), QString());
        QCOMPARE(line->text(), QString());
    }

    // Five fixed examples, the sixth press back at the first; no library call.
    void theFiveExamples() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("slidwindform"));
        QVERIFY(screen);
        click(screen, QStringLiteral("HelpButton2"));
        QWidget* help = demo_.screens.find(QStringLiteral("slidwindhelp"));
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QStringLiteral("A Sliding Date Window - Help"));
        const QList<QStringList> examples = {
            {"01/01/1998", "2", "MAr/31/1999",
             "A Positive Window - CheckDate is within the Window"},
            {"Sep/11/1998", "-2", "DEC/7/1997",
             "A Negative Window - CheckDate is within the Window"},
            {"Feb/4/2001", "-3", "JUL-4-1998",
             "A Negative Window - CheckDate is within the Window"},
            {"04101998", "4", "02122002", "A Positive Window - CheckDate is within the Window"},
            {"mar-3-1990", "0", "07/4/1996",
             "Error! You need a + or - Number of Years, Not Zero(0)."},
        };
        demo_.clearCalls();
        for (int press = 0; press <= 10; ++press) {
            const int number = press % 5 + 1;
            const QStringList shownExample = {
                shown(help, "hlp_pivotdate"), shown(help, "hlp_sldwndnum"),
                shown(help, "hlp_checkdate"), shown(help, "answertext")};
            QCOMPARE(shownExample, examples[number - 1]);
            QCOMPARE(shown(help, "hlp_example_no"), QStringLiteral("Example #: %1").arg(number));
            click(help, QStringLiteral("clickmebutton"));
        }
        QVERIFY(demo_.calls.isEmpty());
        click(help, QStringLiteral("exitbackbutton"));
        QVERIFY(!demo_.screens.find(QStringLiteral("slidwindhelp")));
    }
};

KALDATE_TEST_MAIN(JulianWindowTest)
#include "julian_window_test.moc"
