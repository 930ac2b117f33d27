// The status line `acribline` and the hints it shows. Every control with a
// hint keeps it as its status tip; while the mouse is over a control of a
// window that has a status line, the line shows that control's hint, and
// over anything without one (the background, a group without a hint, a plain
// label, the status line itself) it shows nothing.
#pragma once

#include <QLabel>

namespace kaldate {

// A window's status line; it must be a direct child of its window.
class StatusLine : public QLabel {
    Q_OBJECT
  public:
    explicit StatusLine(QWidget* parent = nullptr);

    // Shows a notice (not a hint) that stays until the mouse moves on, so
    // that the window's coming back under a still mouse does not wipe it.
    void showNotice(const QString& text);
    // Shows the hint of what the mouse is over, unless a notice stands and
    // the mouse has not moved since it came (`globalPosition`).
    void showHint(const QString& hint, const QPointF& globalPosition);

  private:
    bool notice_ = false;
    QPointF noticeAt_;
};

// Watches the mouse for every window's status line; installed once, by the
// first status line made.
void installHintTracking();

}  // namespace kaldate
