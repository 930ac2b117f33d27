// frmMain ("Get Calendar Information"): the date entry every Calendar button
// opens. The user types a date or picks one in the month calendar; OK
// converts it through the library to mmm-DD-CCYY and writes it into a date
// field of the feature screen opened from the main menu, by that screen's
// placement rule. mainFrmhlp explains it.
#pragma once

#include "common/screen.h"

class QLabel;
class QLineEdit;

namespace kaldate {

class DateEntry : public Screen {
    Q_OBJECT
  public:
    DateEntry(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;
    void calendar() override;

  private:
    // Today's date as the platform writes it, converted by the library to
    // M/D/CCYY, in the date field.
    void showToday();
    // Writes `date` into the screen second in the list of open screens (the
    // one opened from the main menu), where its rule puts it.
    void place(const QString& date);

    QLineEdit* date_;
    QLabel* response_;
};

class DateEntryHelp : public Screen {
    Q_OBJECT
  public:
    DateEntryHelp(Services& services, QWidget* owner);
};

}  // namespace kaldate
