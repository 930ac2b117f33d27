// julcalform: Julian dates (CCYYDDD) to calendar dates and back; one OK runs
// every half whose input is filled. exampl8 is its static help.
#pragma once

#include "common/screen.h"

class QLabel;
class QLineEdit;

namespace kaldate {

class JulianConversion : public Screen {
    Q_OBJECT
  public:
    JulianConversion(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    void toCalendar(const QString& julian);
    void toJulian(const QString& date);

    QLineEdit* julian_;
    QLabel* calendarOut_;
    QLineEdit* calendar_;
    QLabel* julianOut_;
};

class JulianHelp : public Screen {
    Q_OBJECT
  public:
    JulianHelp(Services& services, QWidget* owner);
};

}  // namespace kaldate
