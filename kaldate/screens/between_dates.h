// betweendates: whether the second of three dates lies between the first
// and the third, as the library sees it.
#pragma once

#include <array>

#include "common/screen.h"

class QLabel;
class QLineEdit;

namespace kaldate {

class BetweenDates : public Screen {
    Q_OBJECT
  public:
    BetweenDates(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    std::array<QLineEdit*, 3> dates_;
    QLabel* output_;
};

}  // namespace kaldate
