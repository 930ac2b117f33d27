// nwdatecalcform: date arithmetic in either direction. From a start date and
// a signed number of days it computes an end date; from a start and an end
// date, the number of days between them. Which one depends on whether the end
// date field is empty; the two groups' captions then say which fields were
// input and which output. datecalcform is its static help.
#pragma once

#include "common/screen.h"

class QLineEdit;

namespace kaldate {

class DateCalculation : public Screen {
    Q_OBJECT
  public:
    DateCalculation(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    void computeEndDate(DateText& start);
    void computeDays(DateText& start, const QString& endText);
    void showDirection(const QString& days, const QString& end);

    QLineEdit* start_;
    QLineEdit* days_;
    QLineEdit* end_;
    QGroupBox* daysGroup_;
    QGroupBox* endGroup_;
    QLineEdit* startMarker_;
    QLineEdit* endMarker_;
};

class DateCalculationHelp : public Screen {
    Q_OBJECT
  public:
    DateCalculationHelp(Services& services, QWidget* owner);
};

}  // namespace kaldate
