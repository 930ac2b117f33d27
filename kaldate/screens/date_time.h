// datimeretvfrm: today's date in a chosen output format and the current time,
// hour, minute, second and AM/PM indicator, as the library reads the clock.
#pragma once

#include "common/screen.h"

class QCheckBox;
class QComboBox;
class QLabel;

namespace kaldate {

class DateTime : public Screen {
    Q_OBJECT
  public:
    DateTime(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    QComboBox* formats_;
    QCheckBox* twentyFourHour_;
    QLabel* date_;
    QLabel* time_;
    QLabel* hour_;
    QLabel* minute_;
    QLabel* second_;
    QLabel* amPm_;
};

}  // namespace kaldate
