// daylightform: the dates daylight saving time begins and ends in a year in
// the machine's time zone, their days of the week and the zone's name.
// easterform: the date of Easter in a year and its day of the week.
#pragma once

#include "common/year_screen.h"

class QLabel;

namespace kaldate {

class DaylightSavingDates : public YearScreen {
    Q_OBJECT
  public:
    DaylightSavingDates(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    void emptyOutputs();

    QLabel* startLabel_;
    QLabel* start_;
    QLabel* startDay_;
    QLabel* endLabel_;
    QLabel* end_;
    QLabel* endDay_;
    QLabel* zone_;
    QLabel* noAdjustment_;
    QLabel* noDaylightSaving_;
};

class EasterDate : public YearScreen {
    Q_OBJECT
  public:
    EasterDate(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    QLabel* date_;
    QLabel* day_;
};

}  // namespace kaldate
