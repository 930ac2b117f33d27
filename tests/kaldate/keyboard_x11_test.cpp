// Num Lock on a real X server (Xvfb, through xvfb_test.sh): the platform's
// keyboard switches the server's XKB lock and reads it back, and the
// daylight-saving and Easter screens leave the server's Num Lock as they
// found it when they close. The state is read from the server over a
// connection of the test's own, not through the layer under test.
#include <QGuiApplication>
#include <QTest>

#include "screens/screen_list.h"
#include "support.h"

// The X11 headers come last: they define macros (None, Bool, Status) that
// Qt's headers also use as names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>

using namespace kaldate;
using namespace kaldate::testing;

namespace {

// The server's Num Lock, over a connection of its own.
class Server {
  public:
    Server() : display_(XOpenDisplay(nullptr)) {}
    ~Server() {
        if (display_ != nullptr) XCloseDisplay(display_);
    }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    bool connected() const { return display_ != nullptr && mask() != 0; }
    bool numLock() const {
        XkbStateRec state{};
        XkbGetState(display_, XkbUseCoreKbd, &state);
        return (state.locked_mods & mask()) != 0;
    }
    void setNumLock(bool on) const {
        XkbLockModifiers(display_, XkbUseCoreKbd, mask(), on ? mask() : 0);
        XSync(display_, False);
    }

  private:
    unsigned int mask() const { return XkbKeysymToModifiers(display_, XK_Num_Lock); }
    Display* display_;
};

}  // namespace

class KeyboardX11Test : public QObject {
    Q_OBJECT
    TempHome home_;
    Server server_;
    std::unique_ptr<KeyboardState> keyboard_;

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY2(server_.connected(), "no X server with a Num Lock modifier");
        keyboard_ = platformKeyboard();
    }
    void cleanup() { server_.setNumLock(false); }

    void theLayerSwitchesTheServersNumLock() {
        for (bool on : {true, false, true, true, false}) {
            keyboard_->setNumLock(on);
            QCOMPARE(server_.numLock(), on);
            QCOMPARE(keyboard_->numLock(), std::optional<bool>(on));
        }
    }

    // A change made elsewhere (a key press, another program) is what the
    // layer reads.
    void theLayerReadsAChangeMadeElsewhere() {
        for (bool on : {true, false}) {
            server_.setNumLock(on);
            QCOMPARE(keyboard_->numLock(), std::optional<bool>(on));
        }
    }

    void theScreensPutNumLockBack_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<bool>("before");
        for (const char* screen : {"daylightform", "easterform"}) {
            QTest::addRow("%s, was off", screen) << screen << false;
            QTest::addRow("%s, was on", screen) << screen << true;
        }
    }
    void theScreensPutNumLockBack() {
        QFETCH(QString, screen);
        QFETCH(bool, before);
        server_.setNumLock(before);
        Demo demo({QStringLiteral(KALCORE_LIBRARY_PATH)}, keyboard_.get());
        addScreens(demo.screens);
        QDialog* window = demo.open(screen);
        QVERIFY(window);
        QVERIFY(server_.numLock());
        click(window, QStringLiteral("exitoutcmd"));
        QVERIFY(!window->isVisible());
        QCOMPARE(server_.numLock(), before);
    }
};

KALDATE_TEST_MAIN(KeyboardX11Test)
#include "keyboard_x11_test.moc"
