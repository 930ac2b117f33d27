// genldateinfo and genlhlpinfo against the built library, with the holidays
// of 2021 in the holiday file: the calls in their order on the rewritten
// date, the numbers in standard decimal form, the holiday answers, the two
// input errors and Clear.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

const QStringList kOutputs = {
    QStringLiteral("textbox2"),    QStringLiteral("leapyrbox"),  QStringLiteral("juledateout"),
    QStringLiteral("cdowbox"),     QStringLiteral("ndowbox"),    QStringLiteral("wknobox"),
    QStringLiteral("nwknobox"),    QStringLiteral("monbox"),     QStringLiteral("nmonbox"),
    QStringLiteral("daynambox"),   QStringLiteral("ndaynambox"), QStringLiteral("holidayname"),
    QStringLiteral("holdyidsw"),   QStringLiteral("yrbox"),      QStringLiteral("nyrbox"),
    QStringLiteral("cntrybox"),    QStringLiteral("ncntrybox"),  QStringLiteral("cntryyrbox"),
    QStringLiteral("ncntryyrbox"),
};

}  // namespace

class GeneralInfoTest : public QObject {
    Q_OBJECT
    TempHome home_{2021};
    Demo demo_;
    QDialog* screen_ = nullptr;

    QString shown(const QString& name) const { return shownText(child<QWidget>(screen_, name)); }
    bool indicatorShown() const {
        return child<QWidget>(screen_, QStringLiteral("holdyidsw"))->isVisible();
    }
    void press(const QString& date) {
        demo_.clearCalls();
        demo_.messages.shown.clear();
        type(screen_, QStringLiteral("textbox1"), date);
        click(screen_, QStringLiteral("okbutton"));
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void init() { QVERIFY((screen_ = demo_.openAfresh(QStringLiteral("genldateinfo")))); }
    void cleanup() { demo_.closeAll(); }

    void loadState() {
        QCOMPARE(screen_->windowTitle(), QStringLiteral(" The Kalendrix Software Demo."));
        QCOMPARE(shown(QStringLiteral("textbox1")), QString());
        QVERIFY(!indicatorShown());
        QCOMPARE(shown(QStringLiteral("acribline")), QString());
    }

    // Christmas 2021 fell on a Saturday: the Friday before was the day off.
    void aHolidayAndEveryAnswer() {
        press(QStringLiteral("12/24/2021"));
        QVERIFY(demo_.messages.shown.isEmpty());
        const QStringList order = {
            "KD_ISVDATE",       "KD_ISLEAPYR",   "KD_JULIANDATE", "KD_CDOW",   "KD_NDOW",
            "KD_WEEKNO",        "KD_CMONTH",     "KD_NMONTH",     "KD_CDAYNO", "KD_NDAYNO",
            "KD_ISTODAYAHOLDY", "KD_CYEAR",      "KD_NYEAR",      "KD_CCNTRY", "KD_NCNTRY",
            "KD_CFULCNTRYYR",   "KD_NFULCNTRYYR"};
        QCOMPARE(demo_.calledFunctions(), order);
        // Every call after the check gets the date as the check rewrote it.
        const QByteArray checked("Dec/24/2021\0\0", 13);
        for (qsizetype call = 1; call < demo_.calls.size(); ++call) {
            QCOMPARE(demo_.calls[call].textsSent[0], checked);
        }
        QCOMPARE(demo_.calls[2].textsSent[1], QByteArray("       \0", 8));  // Julian: 7
        QCOMPARE(demo_.calls[3].textsSent[1].size(), 11);                   // day name: 10
        QCOMPARE(demo_.calls[10].textsSent[1].size(), 42);                  // holiday: 41
        QCOMPARE(demo_.calls[11].textsSent[1].size(), 4);                   // year: 3
        QCOMPARE(demo_.calls[15].textsSent[1].size(), 6);                   // century and year: 5

        const QList<std::pair<QString, QString>> expected = {
            {"textbox2", "Dec/24/2021"}, {"leapyrbox", " No "},
            {"juledateout", "2021358"},  {"cdowbox", "Friday"},
            {"ndowbox", " 6"},           {"wknobox", " 3"},
            {"nwknobox", " 3"},          {"monbox", "December"},
            {"nmonbox", " 12"},          {"daynambox", "24"},
            {"ndaynambox", " 24"},       {"holidayname", "Christmas_Day - Observed."},
            {"holdyidsw", "Y"},          {"yrbox", "21"},
            {"nyrbox", " 21"},           {"cntrybox", "20"},
            {"ncntrybox", " 20"},        {"cntryyrbox", "2021"},
            {"ncntryyrbox", " 2021"},
        };
        for (const auto& [name, text] : expected) {
            QVERIFY2(shown(name) == text, qPrintable(name + QStringLiteral(": ") + shown(name)));
        }
        QVERIFY(indicatorShown());
    }

    void holidayAnswers_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("indicator");  // empty: hidden
        QTest::newRow("calendar date of a moved holiday") << "12/25/2021"
                                                          << "Christmas_Day"
                                                          << "N";
        QTest::newRow("working-day holiday") << "11/02/2021"
                                             << "Election_Day"
                                             << "N";
        QTest::newRow("day off") << "05/31/2021"
                                 << "Memorial_Day"
                                 << "Y";
        QTest::newRow("no holiday") << "12/23/2021"
                                    << " Nope "
                                    << "";
        QTest::newRow("year not in the file") << "12/25/1998"
                                              << " Nope "
                                              << "";
    }
    void holidayAnswers() {
        QFETCH(QString, date);
        QFETCH(QString, name);
        QFETCH(QString, indicator);
        press(QStringLiteral("12/24/2021"));  // the indicator shown before
        press(date);
        QCOMPARE(shown(QStringLiteral("holidayname")), name);
        QCOMPARE(indicatorShown(), !indicator.isEmpty());
        if (!indicator.isEmpty()) QCOMPARE(shown(QStringLiteral("holdyidsw")), indicator);
    }

    void aLeapYear() {
        press(QStringLiteral("Feb/29/2000"));
        QCOMPARE(shown(QStringLiteral("leapyrbox")), QStringLiteral(" Yes "));
        QCOMPARE(shown(QStringLiteral("juledateout")), QStringLiteral("2000060"));
        QCOMPARE(shown(QStringLiteral("wknobox")), QStringLiteral(" 4"));
    }

    void theTwoInputErrors_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("empty") << ""
                               << "Error: A Date is needed " << QStringList();
        QTest::newRow("blanks") << "   "
                                << "Error: A Date is needed " << QStringList();
        QTest::newRow("bad") << "02/30/2021"
                             << "Error: Bad Date Entered in "
                             << QStringList{QStringLiteral("KD_ISVDATE")};
    }
    // An error after a good date leaves every output empty.
    void theTwoInputErrors() {
        QFETCH(QString, input);
        QFETCH(QString, message);
        QFETCH(QStringList, calls);
        press(QStringLiteral("12/24/2021"));
        press(input);
        QCOMPARE(demo_.messages.texts(), QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("General Date Information"));
        QCOMPARE(demo_.messages.shown[0].style, MessageStyle::Exclamation);
        QCOMPARE(demo_.calledFunctions(), calls);
        // The outputs are emptied, the indicator included (it is not hidden).
        for (const QString& output : kOutputs)
            QVERIFY2(shown(output).isEmpty(), qPrintable(output));
        QVERIFY(child<QLineEdit>(screen_, QStringLiteral("textbox1"))->hasFocus());
    }

    void clearEmptiesEverything() {
        press(QStringLiteral("12/24/2021"));
        child<QWidget>(screen_, QStringLiteral("okbutton"))->setFocus();
        click(screen_, QStringLiteral("clearbutton"));
        QCOMPARE(shown(QStringLiteral("textbox1")), QString());
        for (const QString& output : kOutputs)
            QVERIFY2(shown(output).isEmpty(), qPrintable(output));
        QVERIFY(!indicatorShown());
        QVERIFY(child<QLineEdit>(screen_, QStringLiteral("textbox1"))->hasFocus());
    }

    void theHelpScreen() {
        click(screen_, QStringLiteral("help1button"));
        QWidget* help = demo_.screens.find(QStringLiteral("genlhlpinfo"));
        QVERIFY(help != nullptr);
        QCOMPARE(help->parentWidget(), screen_);
        QCOMPARE(help->windowTitle(), QStringLiteral(" The Kalendrix Software Demo."));
        QStringList texts;
        for (QLabel* label : help->findChildren<QLabel*>()) texts.append(label->text());
        QVERIFY(texts.contains(QStringLiteral("General Date Information Help")));
        QVERIFY(texts.contains(QStringLiteral(
            "  <-- An Input Date in any one of the                29 supported Date Formats.")));
        QCOMPARE(shownText(child<QLineEdit>(help, QStringLiteral("exampledate"))),
                 QStringLiteral("04/15/1998"));
        demo_.clearCalls();
        click(help, QStringLiteral("infobutton"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("AboutBox")});
        click(help, QStringLiteral("exitbackbutton"));
        QVERIFY(demo_.screens.find(QStringLiteral("genlhlpinfo")) == nullptr);
    }
};

KALDATE_TEST_MAIN(GeneralInfoTest)
#include "general_info_test.moc"
