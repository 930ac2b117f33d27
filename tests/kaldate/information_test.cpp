// infoform and frmAbout: their texts and buttons, the library's dialogs they
// call, and System Info starting the first known system information program
// on PATH, or saying that there is none.
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

QStringList labelTexts(QWidget* root) {
    QStringList texts;
    for (QLabel* label : root->findChildren<QLabel*>()) texts.append(label->text());
    return texts;
}

// Puts `directory` alone on PATH while it lives.
class PathSetting {
  public:
    explicit PathSetting(const QString& directory) : before_(qgetenv("PATH")) {
        qputenv("PATH", directory.toLocal8Bit());
    }
    ~PathSetting() { qputenv("PATH", before_); }

  private:
    QByteArray before_;
};

}  // namespace

class InformationTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;
    QTemporaryDir programs_;

    // A program on PATH that writes its name into `started` when it runs.
    QString fakeProgram(const QString& name) {
        const QString path = programs_.path() + QLatin1Char('/') + name;
        QFile script(path);
        if (!script.open(QIODevice::WriteOnly)) return QString();
        script.write(QStringLiteral("#!/bin/sh\necho %1 >>\"%2\"\n")
                         .arg(name, programs_.path() + QStringLiteral("/started"))
                         .toLocal8Bit());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    QString started() const {
        QFile file(programs_.path() + QStringLiteral("/started"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
    }

  private slots:
    void initTestCase() { addScreens(demo_.screens); }
    void cleanup() {
        demo_.closeAll();
        QDir(programs_.path()).removeRecursively();
        QDir().mkpath(programs_.path());
    }

    void theReadMeScreen() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("infoform"));
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("Additional Information"));
        QStringList frames;
        for (QGroupBox* frame : screen->findChildren<QGroupBox*>()) frames.append(frame->title());
        for (const char* title : {"Do this FIRST!!", "Demo Overview", "About Kalendrix Software",
                                  "MainFrame Information"}) {
            QVERIFY2(frames.contains(QLatin1String(title)), title);
        }
        // The five frames and the button group.
        QCOMPARE(frames.size(), 6);
        const QStringList texts = labelTexts(screen);
        QVERIFY(texts.contains(
            QStringLiteral("  Learn all of the supported I/O Date         Formats, plus the "
                           "additional ones!       Then, interact with the Demo. ")));
        QVERIFY(shown(screen, "documentationlabel").contains(QLatin1String("README.md")));

        QCOMPARE(shown(screen, "Dateformatbutton"), QStringLiteral("Supported Date Formats"));
        QCOMPARE(shown(screen, "dllinfobutton"), QStringLiteral("DLL Info"));
        QCOMPARE(shown(screen, "infocontck"), QStringLiteral("Info"));
        QCOMPARE(shown(screen, "infoexitbk"), QStringLiteral("Exit Back"));
        for (const char* button : {"Dateformatbutton", "dllinfobutton", "infocontck"})
            click(screen, QLatin1String(button));
        QCOMPARE(demo_.calledFunctions(),
                 (QStringList{QStringLiteral("HelpBox"), QStringLiteral("KD_HELPABOUTME"),
                              QStringLiteral("AboutBox")}));
        // Without a display the library shows nothing; the screen carries on.
        QVERIFY(demo_.messages.shown.isEmpty());
        click(screen, QStringLiteral("infoexitbk"));
        QVERIFY(!screen->isVisible());
    }

    void theAboutScreen() {
        QDialog* screen = demo_.openAfresh(QStringLiteral("frmAbout"));
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("About the Kalendrix Software"));
        const QStringList texts = labelTexts(screen);
        for (const char* text :
             {"The Kalendrix Software", "Windows 95/98/NT Platform.  Version V3.4",
              " Your comments and feedback, regarding this software, will be appreciated.",
              // The contact block of the library's own contact dialog.
              "The Kalendrix Developers", "2000 Century Lane, Millennium Park, Kalendria",
              "kalendrix@example.org", "Free to use; support contracts on request."}) {
            QVERIFY2(texts.contains(QLatin1String(text)), text);
        }
        QVERIFY(!child<QLabel>(screen, QStringLiteral("abouticon"))->pixmap().isNull());
        QCOMPARE(shown(screen, "cmdOK"), QStringLiteral("OK"));
        QCOMPARE(shown(screen, "cmdSysInfo"), QStringLiteral("System Info"));
        QCOMPARE(shown(screen, "Command1"), QStringLiteral("Contact Information"));
        demo_.press(screen, {}, QStringLiteral("Command1"));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("AboutBox")});
        click(screen, QStringLiteral("cmdOK"));
        QVERIFY(!screen->isVisible());
    }

    void noSystemInformationProgram() {
        const PathSetting path(programs_.path());
        QDialog* screen = demo_.openAfresh(QStringLiteral("frmAbout"));
        QVERIFY(screen);
        demo_.press(screen, {}, QStringLiteral("cmdSysInfo"));
        QCOMPARE(demo_.messages.shown.size(), 1);
        const ShownMessage& box = demo_.messages.shown[0];
        QCOMPARE(box.owner, QStringLiteral("frmAbout"));
        QCOMPARE(box.style, MessageStyle::Exclamation);
        QCOMPARE(box.caption, QStringLiteral("System Info"));
        QCOMPARE(box.text, QStringLiteral("System Information Is Unavailable At This Time"));
        QVERIFY(screen->isVisible());
    }

    // The first program of the list that is on PATH runs, and nothing is
    // said; a file of that name that cannot run is passed over.
    void theFirstKnownProgramRuns() {
        const PathSetting path(programs_.path());
        QVERIFY(!fakeProgram(QStringLiteral("gnome-system-monitor")).isEmpty());
        QVERIFY(!fakeProgram(QStringLiteral("hardinfo")).isEmpty());
        QFile notRunnable(programs_.path() + QStringLiteral("/kinfocenter"));
        QVERIFY(notRunnable.open(QIODevice::WriteOnly));
        notRunnable.close();
        QDialog* screen = demo_.openAfresh(QStringLiteral("frmAbout"));
        QVERIFY(screen);
        demo_.press(screen, {}, QStringLiteral("cmdSysInfo"));
        QTRY_COMPARE(started(), QStringLiteral("hardinfo\n"));
        QVERIFY(demo_.messages.shown.isEmpty());
    }
};

KALDATE_TEST_MAIN(InformationTest)
#include "information_test.moc"
