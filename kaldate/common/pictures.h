// The demo's pictures, drawn rather than stored: the clock of the main menu
// (also the notification-area icon) and the logo of the splash screen.
#pragma once

#include <QPixmap>

namespace kaldate {

// A clock face a minute before midnight, `size` pixels square.
QPixmap clockPicture(int size);
// A calendar page turning to the year 2000, `size` pixels square.
QPixmap logoPicture(int size);

}  // namespace kaldate
