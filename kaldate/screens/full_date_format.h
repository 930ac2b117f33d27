// afulldateform: a long, spelled-out form of a date, for a report say: a
// basic format from the list and five switches (abbreviated month and day
// names, the time, a 24-hour clock, an AM/PM indicator) that the library
// composes into one text.
#pragma once

#include "common/screen.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kaldate {

class FullDateFormat : public Screen {
    Q_OBJECT
  public:
    FullDateFormat(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    void timeSwitched();

    QLineEdit* date_;
    QComboBox* formats_;
    QCheckBox* abbreviateMonth_;
    QCheckBox* abbreviateDay_;
    QCheckBox* includeTime_;
    QCheckBox* twentyFourHour_;
    QCheckBox* amPm_;
    QLabel* output_;
};

}  // namespace kaldate
