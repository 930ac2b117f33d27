// genldateinfo: everything the library tells about one date, from fourteen
// calls in a fixed order, most of it as text and as a number.
#pragma once

#include "common/screen.h"

class QLabel;
class QLineEdit;

namespace kaldate {

class GeneralInfo : public Screen {
    Q_OBJECT
  public:
    GeneralInfo(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    void emptyOutputs();

    QLineEdit* date_;
    QLineEdit* checkedDate_;
    QLabel* leapYear_;
    QLabel* julian_;
    QLabel* dayName_;
    QLabel* dayNumber_;
    QLabel* week_;
    QLabel* weekNumber_;
    QLabel* month_;
    QLabel* monthNumber_;
    QLabel* day_;
    QLabel* dayOfMonth_;
    QLabel* holidayName_;
    QLabel* dayOff_;
    QLabel* year_;
    QLabel* yearNumber_;
    QLabel* century_;
    QLabel* centuryNumber_;
    QLabel* fullYear_;
    QLabel* fullYearNumber_;
};

}  // namespace kaldate
