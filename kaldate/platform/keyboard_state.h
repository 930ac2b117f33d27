// The keyboard's Num Lock state, which the daylight-saving and Easter screens
// switch on while they are open (their year fields take digits from the
// numeric keypad). On X11 the state is the server's XKB lock state; where
// the platform gives no such state (the offscreen platform, Wayland) the
// keyboard's state is unknown and left alone.
#pragma once

#include <memory>
#include <optional>

namespace kaldate {

class KeyboardState {
  public:
    virtual ~KeyboardState() = default;
    // Whether Num Lock is on; nothing when the platform does not tell.
    virtual std::optional<bool> numLock() = 0;
    // Switches Num Lock on or off; does nothing where the state is unknown.
    virtual void setNumLock(bool on) = 0;
};

// The keyboard of the platform the application runs on: X11 through XKB when
// the platform is xcb, otherwise a keyboard whose state is unknown. Made
// after the QGuiApplication.
std::unique_ptr<KeyboardState> platformKeyboard();

}  // namespace kaldate
