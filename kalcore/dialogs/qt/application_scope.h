// A QApplication for the duration of one dialog call. Inside a program that
// runs one (on the calling thread) the call uses it; otherwise the outermost
// call makes a temporary one, nested calls share it, and it goes when the
// outermost call returns. Calls from several threads take turns.
#pragma once

#include <QApplication>
#include <memory>
#include <mutex>

namespace kalcore::dialogs::qt {

class ApplicationScope {
  public:
    ApplicationScope();
    ~ApplicationScope();
    ApplicationScope(const ApplicationScope&) = delete;
    ApplicationScope& operator=(const ApplicationScope&) = delete;

    // False when no window can be shown: a program without widgets runs
    // another kind of application, the call comes from a thread other than
    // the running application's, or there is no display to connect to.
    bool ready() const { return ready_; }

  private:
    std::unique_lock<std::recursive_mutex> turn_;
    std::unique_ptr<QApplication> temporary_;
    bool ready_ = false;
};

// The platform a temporary application is to use: the one the user chose
// (QT_QPA_PLATFORM) unless it is the X server's and that does not answer;
// else the X server's when it answers, else Wayland's when its socket
// answers and Qt has its plugin. Empty when there is none: Qt would end the
// process on a display it cannot open.
QByteArray reachablePlatform();

}  // namespace kalcore::dialogs::qt
