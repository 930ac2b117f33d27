// frmSplash: the product's splash screen, shown modally while the main menu
// loads. Any key or a click anywhere on it closes it; it has no timer. The
// key that closed it goes no further: while it is held, its repeats and its
// release are kept from the windows that come up after the splash.
#pragma once

#include <QDialog>
#include <QList>

namespace kaldate {

class Splash : public QDialog {
    Q_OBJECT
  public:
    explicit Splash(QWidget* owner = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    QList<int> held_;
};

}  // namespace kaldate
