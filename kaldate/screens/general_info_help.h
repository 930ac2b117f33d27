// genlhlpinfo: the static help of the general date information screen.
#pragma once

#include "common/screen.h"

namespace kaldate {

class GeneralInfoHelp : public Screen {
    Q_OBJECT
  public:
    GeneralInfoHelp(Services& services, QWidget* owner);
};

}  // namespace kaldate
