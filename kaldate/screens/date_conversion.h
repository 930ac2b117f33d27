// nwdatcnvfrm: converts a typed date into any of the 48 output formats, with
// a chosen century and optionally the format kept in the library's date
// conversion file. Opens FormTwo (building that file) and datecnvhlpf.
#pragma once

#include "common/screen.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace kaldate {

class DateConversion : public Screen {
    Q_OBJECT
  public:
    DateConversion(Services& services, QWidget* owner);

  protected:
    void ok() override;
    void clear() override;

  private:
    QLineEdit* date_;
    QComboBox* formats_;
    QComboBox* centuries_;
    QCheckBox* useConversionFile_;
    QLabel* output_;
};

}  // namespace kaldate
