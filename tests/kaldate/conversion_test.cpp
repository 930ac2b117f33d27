// nwdatcnvfrm, FormTwo and datecnvhlpf against the built library: what each
// OK sends and shows, every message in the order of its checks, and the
// conversion file built on FormTwo and used by the conversion.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

// The format codes the 48 list positions send, in order.
const QByteArray kCodes = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=";

}  // namespace

class ConversionTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;
    QDialog* screen_ = nullptr;

    QString output() const {
        return shownText(child<QWidget>(screen_, QStringLiteral("datcnvchgdate")));
    }
    QComboBox* list(const char* name) const {
        return child<QComboBox>(screen_, QLatin1String(name));
    }
    // Types `date`, presses OK, and gives the messages shown.
    QStringList convert(const QString& date) {
        demo_.clearCalls();
        demo_.messages.shown.clear();
        type(screen_, QStringLiteral("datcnvdate"), date);
        click(screen_, QStringLiteral("okbutton"));
        return demo_.messages.texts();
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void init() { QVERIFY((screen_ = demo_.openAfresh(QStringLiteral("nwdatcnvfrm")))); }
    void cleanup() { demo_.closeAll(); }

    void loadFillsTheListsFromTheLibrary() {
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_CGETCNTRY")});
        QCOMPARE(demo_.calls[0].numbersSent, QList<std::int32_t>{0});
        QCOMPARE(demo_.calls[0].textsSent[0], QByteArray("   \0", 4));
        QComboBox* centuries = list("cntrycombo");
        QCOMPARE(centuries->count(), 10);
        QCOMPARE(centuries->currentIndex(), 0);
        const QString first = centuries->itemText(0);
        QCOMPARE(first.size(), 9);
        QVERIFY(first.startsWith(QLatin1String(" Def: ")));
        // The library's own century, as it returned it.
        QCOMPARE(demo_.calls[0].textsReturned[0].size(), 3);
        QCOMPARE(first, QStringLiteral(" Def: %1 ")
                            .arg(QString::fromLatin1(demo_.calls[0].textsReturned[0].left(2))));
        for (int position = 1; position <= 9; ++position) {
            QCOMPARE(centuries->itemText(position), QStringLiteral(" %1      ").arg(15 + position));
        }
        QComboBox* formats = list("fmtcombo");
        QCOMPARE(formats->count(), 48);
        QCOMPARE(formats->currentIndex(), 6);
        QCOMPARE(formats->currentText(), QStringLiteral(" DD-mmm-CCYY "));
        QCOMPARE(formats->itemText(0), QStringLiteral(" MMDDYY "));
        QCOMPARE(formats->itemText(47), QStringLiteral(" D-MM-CCYY"));
        QVERIFY(!child<QCheckBox>(screen_, QStringLiteral("dtcvchkf"))->isChecked());
    }

    void anEmptyInputIsRefusedWithoutACall_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks only") << "     ";
    }
    void anEmptyInputIsRefusedWithoutACall() {
        QFETCH(QString, input);
        QCOMPARE(convert(input), QStringList{QStringLiteral("Error: An Input Date is needed ")});
        QCOMPARE(demo_.calledFunctions(), QStringList());
        const ShownMessage& shown = demo_.messages.shown[0];
        QCOMPARE(shown.caption, QStringLiteral("Date Conversion"));
        QCOMPARE(shown.style, MessageStyle::Exclamation);
        QCOMPARE(shown.owner, QStringLiteral("nwdatcnvfrm"));
        QVERIFY(child<QLineEdit>(screen_, QStringLiteral("datcnvdate"))->hasFocus());
    }

    void aBadDateStopsAfterTheCheck() {
        convert(QStringLiteral("12/25/1998"));
        QVERIFY(!output().isEmpty());
        QCOMPARE(convert(QStringLiteral(" 13/45/1998 ")),
                 QStringList{QStringLiteral("Error: Bad Input Date ")});
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_ISVDATE")});
        QCOMPARE(demo_.calls[0].textsSent[0], QByteArray("13/45/1998  \0", 13));
        QCOMPARE(output(), QString());
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Conversion"));
        QVERIFY(child<QLineEdit>(screen_, QStringLiteral("datcnvdate"))->hasFocus());
    }

    // Untouched lists: code "7", century selector 0, no conversion file.
    void theDefaultConversion() {
        QCOMPARE(convert(QStringLiteral("12/25/1998")),
                 QStringList{QStringLiteral("Date Conversion Success ")});
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("KD_ISVDATE"), QStringLiteral("KD_CONVDATE")}));
        const CallRecord& conversion = demo_.calls[1];
        QCOMPARE(conversion.textsSent[0], QByteArray("Dec/25/1998\0\0", 13));
        QCOMPARE(conversion.textsSent[1], QByteArray("            \0", 13));
        QCOMPARE(conversion.textsSent[2], QByteArray("7 \0", 3));
        QCOMPARE(conversion.numbersSent, (QList<std::int32_t>{0, 0}));
        QCOMPARE(output(), QStringLiteral("25-Dec-1998"));
        QCOMPARE(demo_.messages.shown[0].caption, QStringLiteral("Date Conversion"));
    }

    void everyListPositionSendsItsCode() {
        QComboBox* formats = list("fmtcombo");
        for (int position = 0; position < 48; ++position) {
            formats->setCurrentIndex(position);
            convert(QStringLiteral("12/25/1998"));
            QCOMPARE(demo_.calls.size(), 2);
            QCOMPARE(demo_.calls[1].textsSent[2],
                     QByteArray(1, kCodes[position]) + QByteArray(" \0", 2));
            QCOMPARE(demo_.messages.texts(),
                     QStringList{QStringLiteral("Date Conversion Success ")});
            QVERIFY(!output().isEmpty());
        }
    }

    // Outputs are shown exactly as the library leaves the field.
    void outputsAreShownAsReturned_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two trailing blanks") << 5 << "25-Dec-98  ";
        QTest::newRow("ISO") << 15 << "1998-12-25";
        QTest::newRow("month first, names") << 19 << "Dec/25/1998";
        QTest::newRow("day first") << 40 << "25/12/1998";
        QTest::newRow("one-digit fields, widened") << 38 << "12/25/1998";
    }
    void outputsAreShownAsReturned() {
        QFETCH(int, position);
        QFETCH(QString, shown);
        list("fmtcombo")->setCurrentIndex(position);
        convert(QStringLiteral("12/25/1998"));
        QCOMPARE(output(), shown);
    }

    // The century selector is the list position, whatever the entry's text;
    // the default entry names the library's own century.
    void theCenturySentIsTheListPosition() {
        list("fmtcombo")->setCurrentIndex(15);
        QComboBox* centuries = list("cntrycombo");
        for (int position = 0; position <= 9; ++position) {
            centuries->setCurrentIndex(position);
            convert(QStringLiteral("12/25/98"));
            QCOMPARE(demo_.calls[1].numbersSent, (QList<std::int32_t>{0, position}));
            const QString century =
                position == 0 ? centuries->itemText(0).mid(6, 2) : QString::number(15 + position);
            QCOMPARE(output(), century + QStringLiteral("98-12-25"));
        }
    }

    // The library converts every date its check accepts; a stand-in that
    // refuses the conversion shows the last message.
    void aFailedConversionShowsNothing() {
        Demo refusing({QStringLiteral(REFUSING_LIBRARY_PATH)});
        addScreens(refusing.screens);
        QDialog* screen = refusing.open(QStringLiteral("nwdatcnvfrm"));
        QVERIFY(screen != nullptr);
        type(screen, QStringLiteral("datcnvdate"), QStringLiteral("12/25/1998"));
        click(screen, QStringLiteral("okbutton"));
        QCOMPARE(refusing.messages.texts(),
                 QStringList{QStringLiteral("Error: Bad Date Conversion ")});
        QCOMPARE(refusing.messages.shown[0].caption, QStringLiteral("Date Conversion"));
        QCOMPARE(refusing.calledFunctions(),
                 (QStringList{QStringLiteral("KD_CGETCNTRY"), QStringLiteral("KD_ISVDATE"),
                              QStringLiteral("KD_CONVDATE")}));
        QCOMPARE(shownText(child<QWidget>(screen, QStringLiteral("datcnvchgdate"))), QString());
        screen->close();
    }

    // FormTwo stores a format; with the box ticked the conversion uses it.
    void theConversionFileBuiltOnFormTwoIsUsed() {
        click(screen_, QStringLiteral("bldexternfilebutton"));
        QWidget* formTwo = demo_.screens.find(QStringLiteral("FormTwo"));
        QVERIFY(formTwo != nullptr);
        QCOMPARE(formTwo->parentWidget(), screen_);
        auto* formats = child<QComboBox>(formTwo, QStringLiteral("fmtcombo"));
        QCOMPARE(formats->count(), 40);
        QCOMPARE(formats->currentIndex(), 0);
        QCOMPARE(formats->currentText(), QStringLiteral(" MMDDYY "));
        QCOMPARE(formats->itemText(39), QStringLiteral(" DmmmCCYY"));
        formats->setCurrentIndex(15);
        demo_.clearCalls();
        click(formTwo, QStringLiteral("okoption"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_DTCVCREATEFILE")});
        QCOMPARE(demo_.calls[0].textsSent[0], QByteArray("G \0", 3));
        QCOMPARE(shownText(child<QLabel>(formTwo, QStringLiteral("retrnmsg"))),
                 QStringLiteral("Success, File Creation."));
        click(formTwo, QStringLiteral("clearbutton"));
        QCOMPARE(shownText(child<QLabel>(formTwo, QStringLiteral("retrnmsg"))), QString());
        QCOMPARE(formats->currentIndex(), 15);
        click(formTwo, QStringLiteral("exitoption"));
        QVERIFY(demo_.screens.find(QStringLiteral("FormTwo")) == nullptr);

        child<QCheckBox>(screen_, QStringLiteral("dtcvchkf"))->setChecked(true);
        convert(QStringLiteral("12/25/1998"));
        QCOMPARE(demo_.calls[1].numbersSent, (QList<std::int32_t>{1, 0}));
        QCOMPARE(demo_.calls[1].textsSent[2], QByteArray("7 \0", 3));
        QCOMPARE(output(), QStringLiteral("1998-12-25"));
        child<QCheckBox>(screen_, QStringLiteral("dtcvchkf"))->setChecked(false);
        convert(QStringLiteral("12/25/1998"));
        QCOMPARE(output(), QStringLiteral("25-Dec-1998"));
    }

    // A conversion file that cannot be written: here a directory stands where
    // the file would go.
    void formTwoSaysWhenNoFileWasMade() {
        click(screen_, QStringLiteral("bldexternfilebutton"));
        QWidget* formTwo = demo_.screens.find(QStringLiteral("FormTwo"));
        QDir data(home_.dataDir());
        QFile::remove(data.filePath(QStringLiteral("DatCvFil.Bnf")));
        QVERIFY(data.mkpath(QStringLiteral("DatCvFil.Bnf/blocker")));
        click(formTwo, QStringLiteral("okoption"));
        QVERIFY(QDir(data.filePath(QStringLiteral("DatCvFil.Bnf"))).removeRecursively());
        QCOMPARE(shownText(child<QLabel>(formTwo, QStringLiteral("retrnmsg"))),
                 QStringLiteral("No File Creation."));
        QVERIFY(demo_.messages.shown.isEmpty());
    }

    void formTwosHelpIsOneBox() {
        click(screen_, QStringLiteral("bldexternfilebutton"));
        QWidget* formTwo = demo_.screens.find(QStringLiteral("FormTwo"));
        demo_.clearCalls();
        click(formTwo, QStringLiteral("Command1"));
        QCOMPARE(demo_.messages.shown.size(), 1);
        const ShownMessage& help = demo_.messages.shown[0];
        QCOMPARE(help.owner, QStringLiteral("FormTwo"));
        QCOMPARE(help.style, MessageStyle::Exclamation);
        QCOMPARE(help.caption, QStringLiteral("Information on the External Date Date File"));
        QCOMPARE(help.text,
                 QStringLiteral(
                     "The External Date Data File, is used in conjunction with the 'Date Format "
                     "Conversion' Section.  If this option is used, the Date Conversion routine "
                     "uses the Date Format Id, stored in the data file over the one passed to it "
                     "via the function call. This is a programmable and useful option to use.  "
                     "You have 29 different Date Formats to choose from and to use.  To use this "
                     "powerful feature, Click on the text 'Access an External Date Data File?' to "
                     "actually see how useful this feature can really be."));
        QCOMPARE(demo_.calledFunctions(), QStringList());
        QCOMPARE(formTwo->windowTitle(), QStringLiteral("Build an External Date Data File "));
    }

    void clearEmptiesTheFieldsAndKeepsTheChoices() {
        list("fmtcombo")->setCurrentIndex(15);
        list("cntrycombo")->setCurrentIndex(4);
        child<QCheckBox>(screen_, QStringLiteral("dtcvchkf"))->setChecked(true);
        convert(QStringLiteral("12/25/1998"));
        demo_.clearCalls();
        click(screen_, QStringLiteral("clearbutton"));
        QCOMPARE(shownText(child<QWidget>(screen_, QStringLiteral("datcnvdate"))), QString());
        QCOMPARE(output(), QString());
        QCOMPARE(list("fmtcombo")->currentIndex(), 15);
        QCOMPARE(list("cntrycombo")->currentIndex(), 4);
        QVERIFY(child<QCheckBox>(screen_, QStringLiteral("dtcvchkf"))->isChecked());
        QCOMPARE(demo_.calledFunctions(), QStringList());
    }

    // The help screen's example follows its two lists, without the library.
    void theHelpScreensFourExamples_data() {
        QTest::addColumn<int>("century");
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("shown");
        QTest::newRow("default, dashes") << 0 << 0 << "1998-04-15";
        QTest::newRow("default, slashes") << 0 << 1 << "1998/04/15";
        QTest::newRow("20, dashes") << 1 << 0 << "2098-04-15";
        QTest::newRow("20, slashes") << 1 << 1 << "2098/04/15";
    }
    void theHelpScreensFourExamples() {
        QFETCH(int, century);
        QFETCH(int, format);
        QFETCH(QString, shown);
        click(screen_, QStringLiteral("helpbutton"));
        QWidget* help = demo_.screens.find(QStringLiteral("datecnvhlpf"));
        QVERIFY(help != nullptr);
        QCOMPARE(help->windowTitle(), QStringLiteral("Date Format Conversions"));
        QCOMPARE(shownText(child<QLabel>(help, QStringLiteral("datcnvchgdate"))),
                 QStringLiteral("1998-04-15"));
        auto* centuries = child<QComboBox>(help, QStringLiteral("cntrycombod"));
        auto* formats = child<QComboBox>(help, QStringLiteral("fmtcombod"));
        QCOMPARE(centuries->itemText(0), QStringLiteral("DEF 19"));
        QCOMPARE(centuries->itemText(1), QStringLiteral(" 20 "));
        QCOMPARE(formats->itemText(0), QStringLiteral("CCYY-MM-DD"));
        QCOMPARE(formats->itemText(1), QStringLiteral("CCYY/MM/DD"));
        // Chosen by the keyboard, as a user would.
        demo_.clearCalls();
        if (century == 1) QTest::keyClick(centuries, Qt::Key_Down);
        if (format == 1) QTest::keyClick(formats, Qt::Key_Down);
        QCOMPARE(shownText(child<QLabel>(help, QStringLiteral("datcnvchgdate"))), shown);
        QCOMPARE(demo_.calledFunctions(), QStringList());
        click(help, QStringLiteral("dateformatsbutton"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("HelpBox")});
    }

    void theScreensOtherButtons() {
        demo_.clearCalls();
        click(screen_, QStringLiteral("dateformatsbutton"));
        click(screen_, QStringLiteral("infobutton"));
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("HelpBox"), QStringLiteral("AboutBox")}));
        click(screen_, QStringLiteral("calendarbutton"));
        QWidget* calendar = demo_.screens.find(QStringLiteral("frmMain"));
        QVERIFY(calendar != nullptr);
        QCOMPARE(calendar->parentWidget(), screen_);
        calendar->close();
        click(screen_, QStringLiteral("exitbackbutton"));
        QVERIFY(!screen_->isVisible());
    }
};

KALDATE_TEST_MAIN(ConversionTest)
#include "conversion_test.moc"
