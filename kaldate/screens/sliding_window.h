// slidwindform: whether a check date lies in the window that a pivot date and
// a signed number of years open, forward or back. slidwindhelp explains the
// idea and steps through five fixed examples.
#pragma once

#include "common/screen.h"

class QLabel;
class QLineEdit;

namespace kaldate {

class SlidingWindow : public Screen {
    Q_OBJECT
  public:
    SlidingWindow(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    QLineEdit* pivot_;
    QLineEdit* years_;
    QLineEdit* check_;
    QLabel* answer_;
};

class SlidingWindowHelp : public Screen {
    Q_OBJECT
  public:
    SlidingWindowHelp(Services& services, QWidget* owner);

  private:
    void showExample();

    int example_ = 1;
    QLabel* pivot_;
    QLabel* years_;
    QLabel* check_;
    QLabel* answer_;
    QLabel* number_;
};

}  // namespace kaldate
