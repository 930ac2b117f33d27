// The library's own dialogs in the demo, through the real library and its
// Qt module: the library loads kalcore3/libkalcore_dialogs.so beside itself once
// a display is named, the module draws each template in the running
// application (on the offscreen platform here), and every button, Escape,
// Enter and the close box go back through the library's command table, which
// ends a dialog or opens another one on top of it.
#include <dlfcn.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <thread>

#include "screens/main_menu.h"
#include "screens/screen_list.h"
#include "support.h"

using namespace kaldate;
using namespace kaldate::testing;

namespace {

// Acts on the library's modal windows as they come up, from inside their
// modal loops: each step waits until the active modal window has its name,
// then acts on it (an act may open a window of the next step and return when
// that one has ended). When a window does not come in time the script gives
// up and escapes every library window, so that no modal loop is left behind.
class ModalScript {
  public:
    using Act = std::function<void(QWidget*)>;

    ModalScript() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    }
    void then(const QString& name, Act act) { steps_.append({name, std::move(act)}); }
    void start() {
        clock_.start();
        timer_.start(10);
    }
    // Every step ran.
    bool done() const { return steps_.isEmpty() && !gaveUp_; }
    QStringList seen;

  private:
    struct Step {
        QString name;
        Act act;
    };

    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        const bool library = modal != nullptr && modal->parentWidget() == nullptr &&
                             (modal->objectName().startsWith(QLatin1String("dialog")) ||
                              modal->objectName() == QLatin1String("messagebox"));
        if (gaveUp_) {
            if (library) QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        if (steps_.isEmpty()) {
            timer_.stop();
            return;
        }
        if (modal != nullptr && modal->objectName() == steps_.first().name) {
            const Step step = steps_.takeFirst();
            seen.append(step.name);
            clock_.restart();
            // From a timer of its own: a timer does not fire again while its
            // own handler runs, and the act may run a modal loop in which
            // this one must go on polling.
            QTimer::singleShot(0, modal, [act = step.act, modal] { act(modal); });
            return;
        }
        if (clock_.elapsed() > 10000) {
            qWarning("the window %s did not come", qPrintable(steps_.first().name));
            gaveUp_ = true;
        }
    }

    QList<Step> steps_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool gaveUp_ = false;
};

QStringList labelTexts(QWidget* window) {
    QStringList texts;
    for (QLabel* label : window->findChildren<QLabel*>()) texts.append(label->text());
    return texts;
}

// Clicks the button of a library window with the command `id`.
void press(QWidget* window, int id) {
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("command%1").arg(id)),
                      Qt::LeftButton);
}

void closeBox(QWidget* window) {
    QCloseEvent event;
    QCoreApplication::sendEvent(window->windowHandle(), &event);
}

}  // namespace

class LibraryDialogsTest : public QObject {
    Q_OBJECT
    TempHome home_;
    Demo demo_;
    std::unique_ptr<MainMenu> menu_;

    std::int32_t lastResult(const char* function) const { return demo_.lastCall(function).result; }

  private slots:
    void initTestCase() {
        // The library looks for its module only while a display is named;
        // the module draws in the application that runs, offscreen.
        qputenv("DISPLAY", ":kaldate-offscreen");
        addScreens(demo_.screens);
        menu_ = std::make_unique<MainMenu>(demo_.services);
        menu_->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu_.get()));
    }
    void cleanup() { demo_.closeAll(); }
    void cleanupTestCase() { menu_.reset(); }

    // "Supported Date Formats": the formats dialog, each of its three
    // dialogs opened on top of it and closed by its button, Escape and the
    // close box, and Enter on the default button ending it.
    void theFormatsDialogAndTheThreeOnTop() {
        ModalScript script;
        script.then(QStringLiteral("dialog109"), [&](QWidget* formats) {
            QCOMPARE(formats->windowTitle(),
                     QStringLiteral("  Kalendrix Software - Valid Date Formats"));
            QCOMPARE(formats->font().pointSize(), 8);
            const QStringList texts = labelTexts(formats);
            for (const char* text :
                 {"1 = MMDDYY", "& = M/D/CCYY", "mmm=(Jan, Feb, ..., Nov, Dec) "})
                QVERIFY2(texts.contains(QLatin1String(text)), text);
            // Dialog units become pixels in proportion: the "Exit Back..."
            // button ends at 292 of 300 units across and 244 of 252 down.
            auto* exitBack = child<QPushButton>(formats, QStringLiteral("command2"));
            QCOMPARE(exitBack->text(), QStringLiteral("Exit Back..."));
            QVERIFY(exitBack->isDefault());
            QVERIFY(qAbs(exitBack->geometry().right() + 1 - formats->width() * 292 / 300) <= 2);
            QVERIFY(qAbs(exitBack->geometry().bottom() + 1 - formats->height() * 244 / 252) <= 2);
            press(formats, 6);
            press(formats, 4);
            press(formats, 1014);
            // Back on top, Enter presses the default button.
            QVERIFY(formats->isVisible());
            QTest::keyClick(formats, Qt::Key_Return);
        });
        script.then(QStringLiteral("dialog110"), [](QWidget* input) {
            QCOMPARE(input->windowTitle(), QStringLiteral("Additional,  Input Date Formats Only"));
            press(input, 6);
        });
        script.then(QStringLiteral("dialog111"), [](QWidget* output) {
            QVERIFY(labelTexts(output).contains(QStringLiteral("[ = DD/MM/CCYY")));
            closeBox(output);
        });
        script.then(QStringLiteral("dialog112"), [](QWidget* examples) {
            QVERIFY(labelTexts(examples).contains(QStringLiteral("1998Jul04")));
            QTest::keyClick(examples, Qt::Key_Escape);
        });
        script.start();
        demo_.clearCalls();
        click(menu_.get(), QStringLiteral("CmdDatfmt1"));
        QVERIFY(script.done());
        QCOMPARE(script.seen, (QStringList{"dialog109", "dialog110", "dialog111", "dialog112"}));
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("HelpBox")});
        QCOMPARE(lastResult("HelpBox"), 1);
    }

    // "Info": the product dialog, the about-the-library box and the contact
    // dialog opened from it, then OK.
    void theProductDialogWithItsBoxAndContacts() {
        ModalScript script;
        script.then(QStringLiteral("dialog101"), [](QWidget* product) {
            QCOMPARE(product->windowTitle(), QStringLiteral("Information on the Kalendrix"));
            QVERIFY(!child<QLabel>(product, QStringLiteral("icon102"))->pixmap().isNull());
            press(product, 1015);
            press(product, 6);
            press(product, 1);
        });
        script.then(QStringLiteral("messagebox"), [](QWidget* box) {
            auto* message = qobject_cast<QMessageBox*>(box);
            QVERIFY(message);
            QCOMPARE(message->windowTitle(), QStringLiteral("     About the DLL File "));
            QCOMPARE(message->icon(), QMessageBox::Information);
            QVERIFY(message->text().startsWith(QLatin1String("The 'Kalendrix' Software. \n\n")));
            QVERIFY(message->text().endsWith(
                QLatin1String(" This Windows DLL is Win 95/98/NT Platform compatible. ")));
            QTest::mouseClick(message->button(QMessageBox::Ok), Qt::LeftButton);
        });
        script.then(QStringLiteral("dialog104"), [](QWidget* contact) {
            QVERIFY(!child<QLabel>(contact, QStringLiteral("icon105"))->pixmap().isNull());
            QVERIFY(labelTexts(contact).contains(QStringLiteral("kalendrix@example.org")));
            QTest::keyClick(contact, Qt::Key_Return);
        });
        script.start();
        demo_.clearCalls();
        click(menu_.get(), QStringLiteral("cmd2abt"));
        QVERIFY(script.done());
        QCOMPARE(script.seen, (QStringList{"dialog101", "messagebox", "dialog104"}));
        QCOMPARE(lastResult("AboutBox"), 1);
    }

    // The read-me screen's DLL Info shows the about-the-library box.
    void dllInfo() {
        click(menu_.get(), QStringLiteral("cmd3infox"));
        QWidget* readMe = demo_.screens.find(QStringLiteral("infoform"));
        QVERIFY(readMe);
        ModalScript script;
        script.then(QStringLiteral("messagebox"),
                    [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
        script.start();
        demo_.clearCalls();
        click(readMe, QStringLiteral("dllinfobutton"));
        QVERIFY(script.done());
        QCOMPARE(demo_.calledFunctions(), QStringList{QStringLiteral("KD_HELPABOUTME")});
        QCOMPARE(lastResult("KD_HELPABOUTME"), 1);
        QVERIFY(readMe->isVisible());
    }

    // Widgets live on the application's thread: a call from another thread
    // shows nothing and says so.
    void aCallFromAnotherThreadGetsMinusOne() {
        void* library = dlopen(KALCORE_LIBRARY_PATH, RTLD_NOW);
        QVERIFY(library);
        using Dialog = std::int32_t (*)();
        auto helpBox = reinterpret_cast<Dialog>(dlsym(library, "HelpBox"));
        QVERIFY(helpBox);
        std::int32_t result = 0;
        std::thread worker([&result, helpBox] { result = helpBox(); });
        worker.join();
        QCOMPARE(result, -1);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        dlclose(library);
    }
};

KALDATE_TEST_MAIN(LibraryDialogsTest)
#include "library_dialogs_test.moc"
