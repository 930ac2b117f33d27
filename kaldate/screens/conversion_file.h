// FormTwo: stores a chosen format (one of the 40 the library also reads) as
// the preferred format in the library's date conversion file.
#pragma once

#include "common/screen.h"

class QComboBox;
class QLabel;

namespace kaldate {

class ConversionFile : public Screen {
    Q_OBJECT
  public:
    ConversionFile(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;
    void help() override;

  private:
    QComboBox* formats_;
    QLabel* status_;
};

}  // namespace kaldate
