// daylightform and easterform against the built library, in the zone of New
// York unless a test sets another: the year checked as "01-01-" and its
// 5-character field, every output and call, a zone text longer than the 63
// characters shown, a year without adjustments, Easter of a two-digit year
// in its century, Clear, and Num Lock switched
// on while a screen is open and put back as it was when it closes (and left
// alone where the platform does not tell its state).
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

// Sets TZ for the library's next calls and puts the old value back.
class ZoneRule {
  public:
    explicit ZoneRule(const QByteArray& rule) : before_(qgetenv("TZ")) { qputenv("TZ", rule); }
    ~ZoneRule() { qputenv("TZ", before_); }

  private:
    QByteArray before_;
};

const QStringList kDaylightOutputs = {"firstlabel1",  "firstoutput1",  "startdow",
                                      "secondlabel2", "secondoutput2", "enddow",
                                      "thirdoutput3"};

}  // namespace

class YearScreensTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;

    static bool visible(QWidget* screen, const char* name) {
        return child<QWidget>(screen, QLatin1String(name))->isVisible();
    }
    static QStringList daylightOutputs(QWidget* screen) {
        QStringList outputs;
        for (const QString& output : kDaylightOutputs) outputs.append(shown(screen, output));
        return outputs;
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void init() { demo_.keyboard = RecordingKeyboard(); }
    void cleanup() { demo_.closeAll(); }

    void theLoadStates_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("year");
        QTest::newRow("daylight") << "daylightform"
                                  << "dlstyr";
        QTest::newRow("easter") << "easterform"
                                << "easterdate";
    }
    void theLoadStates() {
        QFETCH(QString, screen);
        QFETCH(QString, year);
        QDialog* window = demo_.openAfresh(screen);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("The Kalendrix Software Demo."));
        QCOMPARE(shown(window, year), QString());
        QVERIFY(demo_.calls.isEmpty());
        // The buttons in the group "Options"; no hints, no status line.
        QStringList buttons;
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            buttons.append(button->objectName() + QLatin1Char('=') + button->text());
            QVERIFY(button->statusTip().isEmpty());
            QCOMPARE(qobject_cast<QGroupBox*>(button->parentWidget())->title(),
                     QStringLiteral("Options"));
        }
        QCOMPARE(buttons, (QStringList{"gocmd=OK", "clearcmd=Clear", "infocmd=Info",
                                       "exitoutcmd=Exit Back", "calcmd=Calendar    Check"}));
        QVERIFY(!child<QWidget>(window, QStringLiteral("acribline"))->isVisible());
        if (screen == QLatin1String("daylightform")) {
            for (const QString& output : kDaylightOutputs)
                QCOMPARE(shown(window, output), QString());
            QVERIFY(visible(window, "firstoutput1"));
            QVERIFY(visible(window, "secondoutput2"));
            QVERIFY(!visible(window, "fourthoutput4"));
        }
    }

    void theDaylightSavingDates() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("daylightform"));
        QVERIFY(screen);
        QVERIFY(demo_
                    .press(screen, {{QStringLiteral("dlstyr"), QStringLiteral(" 2026 ")}},
                           QStringLiteral("gocmd"))
                    .isEmpty());
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{"KD_ISVDATE", "KD_DAYLIGHTSAVINGSTIMES", "KD_CONVDATE", "KD_CDOW",
                              "KD_CONVDATE", "KD_CDOW"}));
        QCOMPARE(demo_.calls[0].textsSent[0], QByteArray("01-01-2026  \0", 13));
        const CallRecord& call = demo_.calls[1];
        QCOMPARE(call.textsSent[0], QByteArray("2026 \0", 6));
        QCOMPARE(call.textsSent[1], QByteArray(63, ' ') + '\0');
        QCOMPARE(call.textsSent.size(), 6);
        QCOMPARE(call.textsSent[5], QByteArray(24, ' ') + '\0');
        QCOMPARE(call.numbersSent, (QList<std::int32_t>{0, 0}));
        QCOMPARE(demo_.calls[2].textsSent[2], QByteArray("M \0", 3));
        QCOMPARE(demo_.calls[2].numbersSent, (QList<std::int32_t>{0, 0}));
        QCOMPARE(demo_.calls[3].textsSent[1].size(), 11);
        const QStringList outputs = daylightOutputs(screen);
        QCOMPARE(outputs.mid(0, 6),
                 (QStringList{"DayLight Savings Begins", "Mar-08-2026", "Sunday",
                              "DayLight Savings Ends  ", "Nov-01-2026", "Sunday"}));
        // The name of the time in force today.
        QVERIFY2(outputs[6] == QLatin1String("GMT -05:00 EST") ||
                     outputs[6] == QLatin1String("GMT -05:00 EDT"),
                 qPrintable(outputs[6]));
        QVERIFY(!visible(screen, "fourthoutput4"));
    }

    // The library writes up to 74 characters of zone text: all of it lands
    // in the binding's field, the screen shows the first 63. Both names share
    // their first 52 characters, so the shown text does not depend on the
    // season.
    void aLongZoneText() {
        const QByteArray common = "Kalendrix" + QByteArray(43, 'Z');
        const QByteArray standard = common + "StandardTime";
        const QByteArray daylight = common + "DaylightTime";
        ZoneRule zone('<' + standard + ">5<" + daylight + ">,M3.2.0,M11.1.0");
        QDialog* screen = demo_.openAfresh(QStringLiteral("daylightform"));
        QVERIFY(screen);
        demo_.press(screen, {{QStringLiteral("dlstyr"), QStringLiteral("2026")}},
                    QStringLiteral("gocmd"));
        const QString expected = QStringLiteral("GMT -05:00 ") + QLatin1String(common);
        QCOMPARE(expected.size(), 63);
        QCOMPARE(shown(screen, QStringLiteral("thirdoutput3")), expected);
        QCOMPARE(demo_.lastCall("KD_DAYLIGHTSAVINGSTIMES").textsReturned[1], expected.toLatin1());
        QCOMPARE(shown(screen, QStringLiteral("secondoutput2")), QStringLiteral("Nov-01-2026"));
    }

    // Begin and end on one day: no adjustment that year.
    void aYearWithoutAdjustments() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("daylightform"));
        QVERIFY(screen);
        {
            ZoneRule zone("XST5XDT,M3.2.0/2,M3.2.0/3");
            demo_.press(screen, {{QStringLiteral("dlstyr"), QStringLiteral("2026")}},
                        QStringLiteral("gocmd"));
        }
        QCOMPARE(demo_.calledFunctions(), (QStringList{"KD_ISVDATE", "KD_DAYLIGHTSAVINGSTIMES",
                                                       "KD_CONVDATE", "KD_CONVDATE"}));
        QVERIFY(visible(screen, "fourthoutput4"));
        QCOMPARE(shown(screen, QStringLiteral("fourthoutput4")),
                 QStringLiteral("No Daylight Savings Time Adjustments needed."));
        for (const char* hidden : {"firstlabel1", "secondlabel2", "firstoutput1", "secondoutput2"})
            QVERIFY2(!visible(screen, hidden), hidden);
        QCOMPARE(shown(screen, QStringLiteral("startdow")), QString());
        QCOMPARE(shown(screen, QStringLiteral("enddow")), QString());
        QVERIFY(shown(screen, QStringLiteral("thirdoutput3"))
                    .startsWith(QLatin1String("GMT -05:00 X")));

        // The next year with adjustments shows the dates again.
        demo_.press(screen, {{QStringLiteral("dlstyr"), QStringLiteral("2026")}},
                    QStringLiteral("gocmd"));
        QVERIFY(!visible(screen, "fourthoutput4"));
        QVERIFY(visible(screen, "firstoutput1"));
        QCOMPARE(shown(screen, QStringLiteral("firstoutput1")), QStringLiteral("Mar-08-2026"));
    }

    // A zone without daylight saving: the library answers with empty texts.
    void aZoneWithoutDaylightSaving() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("daylightform"));
        QVERIFY(screen);
        ZoneRule zone("UTC0");
        demo_.press(screen, {{QStringLiteral("dlstyr"), QStringLiteral("2026")}},
                    QStringLiteral("gocmd"));
        for (const QString& output : daylightOutputs(screen)) QCOMPARE(output, QString());
        QVERIFY(!visible(screen, "fourthoutput4"));
    }

    void easterDates_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<std::int32_t>("sent");
        QTest::addColumn<QByteArray>("converted");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("day");
        QTest::newRow("1998") << "1998" << 1998 << QByteArray("4-12-1998   \0", 13) << "Apr-12-1998"
                              << "Sunday";
        QTest::newRow("2024, in March")
            << " 2024" << 2024 << QByteArray("3-31-2024   \0", 13) << "Mar-31-2024"
            << "Sunday";
        QTest::newRow("1818") << "1818" << 1818 << QByteArray("3-22-1818   \0", 13) << "Mar-22-1818"
                              << "Sunday";
        // Easter of the year the library reads, not of the year 98 (6 April
        // 98 would show as Apr-06-2098, a Sunday no longer).
        QTest::newRow("two digits")
            << "98" << 2098 << QByteArray("4-20-98     \0", 13) << "Apr-20-2098"
            << "Sunday";
    }
    void easterDates() {
        QFETCH(QString, year);
        QFETCH(std::int32_t, sent);
        QFETCH(QByteArray, converted);
        QFETCH(QString, date);
        QFETCH(QString, day);
        QDialog* screen = demo_.openAfresh(QStringLiteral("easterform"));
        QVERIFY(screen);
        QVERIFY(demo_.press(screen, {{QStringLiteral("easterdate"), year}}, QStringLiteral("gocmd"))
                    .isEmpty());
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{"KD_ISVDATE", "KD_EASTERCALC", "KD_CONVDATE", "KD_CDOW"}));
        const QByteArray field = year.trimmed().toLatin1().left(5).leftJustified(5);
        QCOMPARE(demo_.calls[0].textsSent[0],
                 (QByteArray("01-01-") + field).leftJustified(12) + '\0');
        QCOMPARE(demo_.calls[1].numbersSent, (QList<std::int32_t>{sent, 0, 0}));
        QCOMPARE(demo_.calls[2].textsSent[0], converted);
        QCOMPARE(demo_.calls[2].textsSent[2], QByteArray("M \0", 3));
        QCOMPARE(shown(screen, QStringLiteral("thedate")), date);
        QCOMPARE(shown(screen, QStringLiteral("easterdow")), day);
        QVERIFY(child<QWidget>(screen, QStringLiteral("easterdate"))->hasFocus());
    }

    // The year's check, alike on both screens but for one blank.
    void yearChecks_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QByteArray>("checked");  // empty: no call
        const QString bad = QStringLiteral("Error: Bad Input Year(CCYY) value ");
        for (const char* screen : {"daylightform", "easterform"}) {
            const bool easter = QLatin1String(screen) == QLatin1String("easterform");
            const QString missing = easter ? QStringLiteral("Error: A Year(CCYY) value is needed ")
                                           : QStringLiteral("Error: A Year(CCYY) value is needed");
            QTest::addRow("%s, blanks", screen) << screen << "   " << missing << QByteArray();
            QTest::addRow("%s, letters", screen)
                << screen << "19x8" << bad << QByteArray("01-01-19x8  \0", 13);
            QTest::addRow("%s, no year 0", screen)
                << screen << "0000" << bad << QByteArray("01-01-0000  \0", 13);
            // The field holds five characters: a longer year reaches the
            // library cut, and a date with a five-digit year is none.
            QTest::addRow("%s, cut at five", screen)
                << screen << "199812" << bad << QByteArray("01-01-19981 \0", 13);
        }
    }
    void yearChecks() {
        QFETCH(QString, screen);
        QFETCH(QString, year);
        QFETCH(QString, message);
        QFETCH(QByteArray, checked);
        QDialog* window = demo_.openAfresh(screen);
        QVERIFY(window);
        const QString field =
            screen == QLatin1String("easterform") ? QStringLiteral("easterdate") : "dlstyr";
        QCOMPARE(demo_.press(window, {{field, year}}, QStringLiteral("gocmd")),
                 QStringList{message});
        QCOMPARE(demo_.messages.shown[0].caption, screen == QLatin1String("easterform")
                                                      ? QStringLiteral("Easter Date Info")
                                                      : QStringLiteral("DayLight Savings Info"));
        QCOMPARE(demo_.messages.shown[0].style, MessageStyle::Exclamation);
        if (checked.isEmpty()) {
            QVERIFY(demo_.calls.isEmpty());
            QCOMPARE(shown(window, field), QString());
        } else {
            QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_ISVDATE")});
            QCOMPARE(demo_.calls[0].textsSent[0], checked);
        }
        QVERIFY(child<QWidget>(window, field)->hasFocus());
    }

    // A year field holds 5 characters; a two-digit year passes as the
    // library decides (the current century).
    void yearsAsTheLibraryReadsThem_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QByteArray>("checked");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("start");
        QTest::newRow("two digits") << "26" << QByteArray("01-01-26    \0", 13)
                                    << QByteArray("26   \0", 6) << "Mar-08-2026";
    }
    void yearsAsTheLibraryReadsThem() {
        QFETCH(QString, year);
        QFETCH(QByteArray, checked);
        QFETCH(QByteArray, sent);
        QFETCH(QString, start);
        QDialog* screen = demo_.openAfresh(QStringLiteral("daylightform"));
        QVERIFY(screen);
        demo_.press(screen, {{QStringLiteral("dlstyr"), year}}, QStringLiteral("gocmd"));
        QCOMPARE(demo_.calls[0].textsSent[0], checked);
        QCOMPARE(demo_.calls[1].textsSent[0], sent);
        QCOMPARE(shown(screen, QStringLiteral("firstoutput1")), start);
    }

    void theClears() {
        QDialog* daylight = demo_.openAfresh(QStringLiteral("daylightform"));
        QVERIFY(daylight);
        {
            ZoneRule zone("XST5XDT,M3.2.0/2,M3.2.0/3");
            demo_.press(daylight, {{QStringLiteral("dlstyr"), QStringLiteral("2026")}},
                        QStringLiteral("gocmd"));
        }
        QVERIFY(visible(daylight, "fourthoutput4"));
        child<QWidget>(daylight, QStringLiteral("gocmd"))->setFocus();
        demo_.press(daylight, {}, QStringLiteral("clearcmd"));
        QCOMPARE(shown(daylight, QStringLiteral("dlstyr")), QString());
        for (const QString& output : daylightOutputs(daylight)) QCOMPARE(output, QString());
        QVERIFY(visible(daylight, "firstoutput1"));
        QVERIFY(visible(daylight, "secondoutput2"));
        QVERIFY(!visible(daylight, "fourthoutput4"));
        QVERIFY(child<QWidget>(daylight, QStringLiteral("dlstyr"))->hasFocus());
        QVERIFY(demo_.calls.isEmpty());
        daylight->close();

        QDialog* easter = demo_.openAfresh(QStringLiteral("easterform"));
        QVERIFY(easter);
        demo_.press(easter, {{QStringLiteral("easterdate"), QStringLiteral("2026")}},
                    QStringLiteral("gocmd"));
        child<QWidget>(easter, QStringLiteral("gocmd"))->setFocus();
        demo_.press(easter, {}, QStringLiteral("clearcmd"));
        for (const char* field : {"easterdate", "thedate", "easterdow"})
            QCOMPARE(shown(easter, QLatin1String(field)), QString());
        QVERIFY(child<QWidget>(easter, QStringLiteral("easterdate"))->hasFocus());
    }

    // "Calendar    Check" opens the date entry over the screen; Info the
    // library's about box.
    void theOtherButtons() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("easterform"));
        QVERIFY(screen);
        demo_.press(screen, {}, QStringLiteral("infocmd"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("AboutBox")});
        click(screen, QStringLiteral("calcmd"));
        QWidget* entry = demo_.screens.find(QStringLiteral("frmMain"));
        QVERIFY(entry);
        QCOMPARE(entry->parentWidget(), screen);
    }

    // Num Lock on from the load, and on closing back to what it was at the
    // opening (on stays on), whichever way the screen closes.
    void numLock_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("before");  // 0 off, 1 on, -1 unknown
        for (const char* screen : {"daylightform", "easterform"}) {
            for (const char* how : {"exit back", "close box", "escape"}) {
                QTest::addRow("%s, %s, was off", screen, how) << screen << how << 0;
                QTest::addRow("%s, %s, was on", screen, how) << screen << how << 1;
            }
            QTest::addRow("%s, state unknown", screen) << screen << "exit back" << -1;
        }
    }
    void numLock() {
        QFETCH(QString, screen);
        QFETCH(QString, how);
        QFETCH(int, before);
        demo_.keyboard.state =
            before < 0 ? std::optional<bool>() : std::optional<bool>(before == 1);
        QDialog* window = demo_.openAfresh(screen);
        QVERIFY(window);
        QCOMPARE(demo_.keyboard.switches, QList<bool>{true});
        if (before >= 0) QCOMPARE(demo_.keyboard.state, std::optional<bool>(true));
        if (how == QLatin1String("exit back")) {
            click(window, QStringLiteral("exitoutcmd"));
        } else if (how == QLatin1String("close box")) {
            QCloseEvent event;
            QCoreApplication::sendEvent(window->windowHandle(), &event);
        } else {
            QTest::keyClick(window, Qt::Key_Escape);
        }
        QVERIFY(!window->isVisible());
        if (before < 0) {
            QCOMPARE(demo_.keyboard.switches, QList<bool>{true});
        } else {
            QCOMPARE(demo_.keyboard.switches, (QList<bool>{true, before == 1}));
            QCOMPARE(demo_.keyboard.state, std::optional<bool>(before == 1));
        }
    }

    // Without a display server the platform tells nothing and changes nothing.
    void theOffscreenKeyboardIsLeftAlone() {
        const auto keyboard = platformKeyboard();
        QCOMPARE(keyboard->numLock(), std::optional<bool>());
        keyboard->setNumLock(true);
        QCOMPARE(keyboard->numLock(), std::optional<bool>());
        Demo offscreen({QStringLiteral(KALCORE_LIBRARY_PATH)}, keyboard.get());
        addScreens(offscreen.screens);
        QDialog* screen = offscreen.open(QStringLiteral("easterform"));
        QVERIFY(screen);
        offscreen.press(screen, {{QStringLiteral("easterdate"), QStringLiteral("1998")}},
                        QStringLiteral("gocmd"));
        QCOMPARE(shown(screen, QStringLiteral("thedate")), QStringLiteral("Apr-12-1998"));
        click(screen, QStringLiteral("exitoutcmd"));
        QCOMPARE(keyboard->numLock(), std::optional<bool>());
    }
};

KALDATE_TEST_MAIN(YearScreensTest)
#include "year_screens_test.moc"
