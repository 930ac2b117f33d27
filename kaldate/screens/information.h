// infoform ("Additional Information"), the read-me screen, and frmAbout
// ("About the Kalendrix Software"). Neither has date logic: they tell what
// the product is and open the library's own dialogs and the platform's
// system information program.
#pragma once

#include "common/screen.h"

namespace kaldate {

class Information : public Screen {
    Q_OBJECT
  public:
    Information(Services& services, QWidget* owner);
};

class About : public Screen {
    Q_OBJECT
  public:
    About(Services& services, QWidget* owner);

  private:
    void systemInformation();
};

}  // namespace kaldate
