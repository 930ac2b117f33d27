// datecnvhlpf: help for the conversion screen, with a worked example that
// follows the two lists; it makes no library call.
#pragma once

#include "common/screen.h"

class QComboBox;
class QLabel;

namespace kaldate {

class ConversionHelp : public Screen {
    Q_OBJECT
  public:
    ConversionHelp(Services& services, QWidget* owner);

  private:
    void showExample();

    QComboBox* formats_;
    QComboBox* centuries_;
    QLabel* output_;
};

}  // namespace kaldate
