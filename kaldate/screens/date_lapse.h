// datlapsfrm: the approximate years, months, weeks and days between two
// dates. datelapsehlpf is its help, whose example rows are the library's own
// answers for three pairs of dates.
#pragma once

#include <array>

#include "common/screen.h"

class QLabel;
class QLineEdit;

namespace kaldate {

class DateLapse : public Screen {
    Q_OBJECT
  public:
    DateLapse(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    QLineEdit* start_;
    QLineEdit* end_;
    std::array<QLabel*, 4> outputs_;  // years, months, weeks, days
    QLineEdit* startMarker_;
    QLineEdit* endMarker_;
};

class DateLapseHelp : public Screen {
    Q_OBJECT
  public:
    DateLapseHelp(Services& services, QWidget* owner);
};

}  // namespace kaldate
