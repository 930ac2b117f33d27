// A screen not built yet: its name and caption, a line saying so, and Exit
// Back. screen_list.cpp registers one for every screen still to come; each is
// replaced by the real screen, one at a time.
#pragma once

#include "common/screen.h"

namespace kaldate {

class Placeholder : public Screen {
    Q_OBJECT
  public:
    Placeholder(Services& services, const char* name, const QString& caption, QWidget* owner);
};

}  // namespace kaldate
