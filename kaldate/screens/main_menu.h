// mainmainfrm: the start-up screen and main menu. It loads behind the splash,
// adds its notification-area icon, opens one screen per feature button, keeps
// the hidden printing information and `hiddendate`, and asks before the
// program ends, from the Exit button and from the window's close box alike.
#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;

namespace kaldate {

class StatusLine;
struct Services;

class MainMenu : public QWidget {
    Q_OBJECT
  public:
    explicit MainMenu(Services& services);
    ~MainMenu() override;

    // Shows the splash; the menu appears when the splash is closed.
    void start();

    // The hidden date field the date entry screen writes into.
    QLineEdit* hiddenDate() const { return hiddenDate_; }

  signals:
    // The user said Yes to the exit question: the program is to end.
    void exitConfirmed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class After { RefreshPrinter, Nothing };
    void finishLoading();
    void refreshPrinter();
    void openFromMenu(const QString& screen, After after);
    void notificationIcon(int operation);

    Services& services_;
    QGroupBox* printingInfo_;
    QLabel* printerName_;
    QLabel* printerPort_;
    QLabel* clock_;
    QLineEdit* hiddenDate_;
    StatusLine* statusLine_;
};

}  // namespace kaldate
