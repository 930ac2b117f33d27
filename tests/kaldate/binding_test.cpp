// The binding against the built library: fields padded, cut and copied
// back, statuses read as 16 bits, and a missing library or function reported
// once without a crash. Also the shared text rules every screen uses.
#include <QTest>

#include "binding/kalcore_binding.h"
#include "common/library_problems.h"
#include "common/texts.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

QByteArray sent(const QByteArray& text) {
    return text + '\0';
}

}  // namespace

class BindingTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;

  private slots:
    void init() { demo_.clearCalls(); }

    void fieldsArePaddedAndCut_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("short, padded") << "12/25/98" << QByteArray("12/25/98    ");
        QTest::newRow("exact") << "Dec/25/1998 " << QByteArray("Dec/25/1998 ");
        QTest::newRow("13 characters, cut") << "12/25/1998abc" << QByteArray("12/25/1998ab");
        QTest::newRow("empty") << "" << QByteArray("            ");
        QTest::newRow("not Latin-1") << QStringLiteral("12\u20AC25") << QByteArray("12?25       ");
    }
    void fieldsArePaddedAndCut() {
        QFETCH(QString, text);
        QFETCH(QByteArray, field);
        DateText date(text);
        QCOMPARE(date.bytes(), field);
        demo_.kalcore.isvdate(date);
        QCOMPARE(demo_.calls.size(), 1);
        QCOMPARE(demo_.calls[0].function, QByteArray("KD_ISVDATE"));
        QCOMPARE(demo_.calls[0].textsSent[0], sent(field));
    }

    void shownTextStopsAtTheFirstNul() {
        FixedText field(6, u"ab");
        field.copyFrom("x\0yz  ");
        QCOMPARE(field.shown(), QStringLiteral("x"));
        field.copyFrom("abc   ");
        QCOMPARE(field.shown(), QStringLiteral("abc   "));
    }

    // KD_ISVDATE rewrites the field in place; the next call gets it rewritten.
    void aCheckedDateReachesTheNextCallRewritten() {
        DateText date(u"12/25/1998");
        QCOMPARE(demo_.kalcore.isvdate(date), std::int16_t{1});
        QCOMPARE(date.shown(), QStringLiteral("Dec/25/1998"));
        const TextResult converted = demo_.kalcore.convdate(date, QLatin1Char('G'), 0, 0);
        QCOMPARE(converted.text, QStringLiteral("1998-12-25"));
        QCOMPARE(demo_.calls[1].textsSent[0], sent(date.bytes()));
        QVERIFY(demo_.calls[1].textsSent[0].startsWith("Dec/25/1998\0"));
    }

    void inputsAreCopiedBackToo() {
        DateText date(u"12/25/1998");
        demo_.kalcore.isvdate(date);
        QCOMPARE(demo_.calls[0].textsReturned[0], date.bytes());
        QCOMPARE(date.bytes(), QByteArray("Dec/25/1998\0", 12));
    }

    void outputsAreShownWithTheirBlanks() {
        DateText date(u"12/25/1998");
        const TextResult converted = demo_.kalcore.convdate(date, QLatin1Char('6'), 0, 0);
        QCOMPARE(converted.status, std::int16_t{1});
        QCOMPARE(converted.text, QStringLiteral("25-Dec-98  "));
        // The code goes as a 2-character field, the output as a blank one.
        QCOMPARE(demo_.calls[0].textsSent[1], sent("            "));
        QCOMPARE(demo_.calls[0].textsSent[2], sent("6 "));
        QCOMPARE(demo_.calls[0].numbersSent, (QList<std::int32_t>{0, 0}));
    }

    void aFailedCallLeavesItsOutputEmpty() {
        DateText date(u"13/45/1998");
        const TextResult converted = demo_.kalcore.convdate(date, QLatin1Char('G'), 0, 0);
        QCOMPARE(converted.status, std::int16_t{0});
        QCOMPARE(converted.text, QString());
    }

    // The status is the low half of the result: KD_BETWEEN's -1 stays -1.
    void statusesAreRead16BitsWide() {
        DateText first(u"01/01/1998"), middle(u"01/01/2005"), last(u"12/31/1999");
        QCOMPARE(demo_.kalcore.between(first, middle, last), std::int16_t{-1});
        QCOMPARE(demo_.calls[0].result, -1);
        DateText inside(u"06/01/1998");
        QCOMPARE(demo_.kalcore.between(first, inside, last), std::int16_t{1});
    }

    void numbersGoThroughTheCallersVariable() {
        DateText date(u"12/25/1998");
        std::int32_t number = 99;
        QCOMPARE(demo_.kalcore.nfulcntryyr(date, number), std::int16_t{1});
        QCOMPARE(number, 1998);
        QCOMPARE(demo_.calls[0].numbersSent, QList<std::int32_t>{99});
    }

    // The library may write a zone text longer than the 63 characters shown:
    // the field it gets holds the whole text, the screen gets the first 63.
    void aLongZoneTextIsCutToItsShownWidth() {
        const QByteArray saved = qgetenv("TZ");
        qputenv("TZ",
                "<ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHI>5"
                "<ZYXWVUTSRQPONMLKJIHGFEDCBAZYXWVUTSRQPONMLKJIHGFEDCBAZYXWVUTSR>,"
                "M3.2.0,M11.1.0");
        YearText year(u"2021");
        std::int32_t status = 0, sameDay = 0;
        const DaylightSaving saving = demo_.kalcore.daylightsavingstimes(year, status, sameDay);
        qputenv("TZ", saved);
        QCOMPARE(saving.status, std::int16_t{1});
        QCOMPARE(saving.zone.size(), 63);
        QVERIFY(saving.zone.startsWith(QLatin1String("GMT -0")));
        QCOMPARE(saving.start, QStringLiteral("03-14-2021"));
        QCOMPARE(saving.startLabel, QStringLiteral("DayLight Savings Begins"));
    }

    void aMissingLibraryIsReportedAndNothingIsCalled() {
        KalcoreBinding missing({QStringLiteral("/nonexistent/libkalcore.so"),
                                QStringLiteral("libkalcore-missing.so.3")});
        QStringList problems;
        missing.setProblemHandler([&](const QString& problem) { problems.append(problem); });
        DateText date(u"12/25/1998");
        QCOMPARE(missing.isvdate(date), std::int16_t{0});
        QCOMPARE(date.shown(), QStringLiteral("12/25/1998  "));
        std::int32_t number = 7;
        QCOMPARE(missing.nyear(date, number), std::int16_t{0});
        QCOMPARE(number, 7);
        QCOMPARE(missing.cdow(date).text, QStringLiteral("          "));
        QCOMPARE(problems.size(), 3);
        QVERIFY(problems[0].contains(QLatin1String("/nonexistent/libkalcore.so")));
        QVERIFY(problems[0].contains(QLatin1String("libkalcore-missing.so.3")));
    }

    void aMissingFunctionIsReportedByName() {
        KalcoreBinding other({QStringLiteral("libm.so.6")});
        QStringList problems;
        other.setProblemHandler([&](const QString& problem) { problems.append(problem); });
        DateText date(u"12/25/1998");
        QCOMPARE(other.isvdate(date), std::int16_t{0});
        QCOMPARE(problems, QStringList{QStringLiteral(
                               "The function KD_ISVDATE was not found in the date library "
                               "libm.so.6.")});
    }

    // One button press making many failing calls shows one box; the next
    // press shows it again.
    void problemsShowOneBoxPerUserAction() {
        KalcoreBinding missing({QStringLiteral("/nonexistent/libkalcore.so")});
        RecordingMessageBoxes messages;
        reportLibraryProblems(missing, messages);
        DateText date(u"12/25/1998");
        for (int call = 0; call < 5; ++call) missing.isvdate(date);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].style, MessageStyle::Exclamation);
        QVERIFY(messages.shown[0].text.startsWith(
            QLatin1String("The date library could not be loaded.")));
        QCoreApplication::processEvents();
        missing.isvdate(date);
        QCOMPARE(messages.shown.size(), 2);
    }

    void blanksAroundAnInputAreRemoved_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("none") << "12/25/98"
                              << "12/25/98";
        QTest::newRow("both sides") << "  12/25/98   "
                                    << "12/25/98";
        QTest::newRow("inside kept") << " Dec 25 98 "
                                     << "Dec 25 98";
        QTest::newRow("only blanks") << "     "
                                     << "";
        QTest::newRow("tab is no blank") << "\t12"
                                         << "\t12";
    }
    void blanksAroundAnInputAreRemoved() {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(trimBlanks(text), trimmed);
    }

    void theNumericTest_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("numeric");
        QTest::addColumn<int>("value");  // -999999 when there is none
        QTest::newRow("digits") << "12" << true << 12;
        QTest::newRow("blanks around") << "  -3 " << true << -3;
        QTest::newRow("plus") << "+45" << true << 45;
        QTest::newRow("decimal rounds half to even") << "2.5" << true << 2;
        QTest::newRow("odd half rounds up") << "3.5" << true << 4;
        QTest::newRow("leading point") << ".6" << true << 1;
        QTest::newRow("exponent") << "2E3" << true << 2000;
        QTest::newRow("D exponent") << "1d2" << true << 100;
        QTest::newRow("hexadecimal") << "&HFF" << true << 255;
        QTest::newRow("octal") << "&o17" << true << 15;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << -2147483647 - 1;
        QTest::newRow("too large") << "2147483648" << true << -999999;
        QTest::newRow("huge exponent") << "1E400" << true << -999999;
        QTest::newRow("digits then letters") << "12abc" << false << -999999;
        QTest::newRow("empty") << "" << false << -999999;
        QTest::newRow("blanks only") << "   " << false << -999999;
        QTest::newRow("sign only") << "-" << false << -999999;
        QTest::newRow("inner blank") << "1 2" << false << -999999;
        QTest::newRow("two points") << "1.2.3" << false << -999999;
        QTest::newRow("exponent without digits") << "2E" << false << -999999;
        QTest::newRow("bad hexadecimal") << "&HFG" << false << -999999;
        QTest::newRow("infinity") << "inf" << false << -999999;
    }
    void theNumericTest() {
        QFETCH(QString, text);
        QFETCH(bool, numeric);
        QFETCH(int, value);
        QCOMPARE(isNumeric(text), numeric);
        const std::optional<std::int32_t> converted = toInt32(text);
        QCOMPARE(converted.has_value(), value != -999999);
        if (converted) QCOMPARE(*converted, value);
    }

    void standardDecimalForm_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("form");
        QTest::newRow("positive") << 7 << " 7";
        QTest::newRow("zero") << 0 << " 0";
        QTest::newRow("negative") << -12 << "-12";
        QTest::newRow("smallest") << -2147483647 - 1 << "-2147483648";
    }
    void standardDecimalForm() {
        QFETCH(int, number);
        QFETCH(QString, form);
        QCOMPARE(decimalForm(number), form);
    }
};

KALDATE_TEST_MAIN(BindingTest)
#include "binding_test.moc"
