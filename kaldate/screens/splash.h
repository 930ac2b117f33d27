// frmSplash: the product's splash screen, shown modally while the main menu
// loads. Any key or a click anywhere on it closes it; it has no timer.
#pragma once

#include <QDialog>

namespace kaldate {

class Splash : public QDialog {
    Q_OBJECT
  public:
    explicit Splash(QWidget* owner = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kaldate
