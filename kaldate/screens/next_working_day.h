// nxtwrkdayform: the date a number of working days after a start date, the
// library's holidays skipped on request. nxtwrkhlpfrm, its help, runs the
// same computation on a worked example, without holidays.
#pragma once

#include "common/screen.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kaldate {

// The start date, the number of days and the computed date, and the steps
// both screens take to fill the last from the first two.
class WorkingDayScreen : public Screen {
    Q_OBJECT
  protected:
    struct InputErrors {
        QString startMissing, startBad, daysMissing;
    };
    WorkingDayScreen(Services& services, const char* name, QWidget* owner);

    // Reads the start date and the number of days (a number below 1 counts,
    // and is written back, as 1) and asks the library for the next working
    // day. The first three input errors say `errors` under the screen's
    // message caption and style; a number that is not numeric says the same
    // on both screens. True when the library answered, the date shown.
    bool compute(const InputErrors& errors, std::int32_t useHolidays);
    // Empties the three fields.
    void clear() override;

    QLineEdit* start_;
    QLineEdit* days_;
    QLabel* output_;
};

class NextWorkingDay : public WorkingDayScreen {
    Q_OBJECT
  public:
    NextWorkingDay(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    QCheckBox* useHolidays_;
};

class NextWorkingDayHelp : public WorkingDayScreen {
    Q_OBJECT
  public:
    NextWorkingDayHelp(Services& services, QWidget* owner);

  protected:
    void ok() override;
};

}  // namespace kaldate
