#include "platform/keyboard_state.h"

#include <QGuiApplication>

#if KALDATE_HAVE_XKB
// The X11 headers come last: they define macros (None, Bool, Status) that
// Qt's headers also use as names.
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace kaldate {

namespace {

class UnknownKeyboard final : public KeyboardState {
  public:
    std::optional<bool> numLock() override { return std::nullopt; }
    void setNumLock(bool /*on*/) override {}
};

#if KALDATE_HAVE_XKB
// The core keyboard of the X server Qt is connected to. Num Lock is the
// locked modifier that the server's keymap binds to the Num_Lock key (Mod2 in
// the usual keymaps); a keymap without one leaves the state unknown.
class X11Keyboard final : public KeyboardState {
  public:
    explicit X11Keyboard(Display* display) : display_(display) {}

    std::optional<bool> numLock() override {
        const unsigned int mask = numLockMask();
        XkbStateRec state{};
        if (mask == 0 || XkbGetState(display_, XkbUseCoreKbd, &state) != Success) {
            return std::nullopt;
        }
        return (state.locked_mods & mask) != 0;
    }

    void setNumLock(bool on) override {
        const unsigned int mask = numLockMask();
        if (mask == 0) return;
        XkbLockModifiers(display_, XkbUseCoreKbd, mask, on ? mask : 0);
        // On the server before anything else reads it.
        XSync(display_, False);
    }

  private:
    unsigned int numLockMask() const { return XkbKeysymToModifiers(display_, XK_Num_Lock); }

    Display* display_;
};

// The display Qt's xcb platform uses, when it has XKB.
Display* xkbDisplay() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 != nullptr ? x11->display() : nullptr;
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (display == nullptr ||
        !XkbQueryExtension(display, &opcode, &event, &error, &major, &minor)) {
        return nullptr;
    }
    return display;
}
#endif

}  // namespace

std::unique_ptr<KeyboardState> platformKeyboard() {
#if KALDATE_HAVE_XKB
    if (Display* display = xkbDisplay()) return std::make_unique<X11Keyboard>(display);
#endif
    return std::make_unique<UnknownKeyboard>();
}

}  // namespace kaldate
