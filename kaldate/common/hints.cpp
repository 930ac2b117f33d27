#include "common/hints.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>

namespace kaldate {

namespace {

// The control a hint belongs to: the parts Qt builds inside a control (named
// "qt_...") count as the control itself.
QWidget* hintedControl(QWidget* widget) {
    while (widget->parentWidget() != nullptr && !widget->isWindow() &&
           widget->statusTip().isEmpty() && widget->objectName().startsWith(QLatin1String("qt_"))) {
        widget = widget->parentWidget();
    }
    return widget;
}

// The application's filter sees the mouse enter every widget on the way to
// the innermost one under it (outermost first), and move over the innermost
// one whatever that widget tracks itself. A move that a widget ignores goes
// on to its parents; those are not under the mouse themselves.
class HintTracker : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType()) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::MouseMove &&
            widget->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()) != nullptr) {
            return false;
        }
        if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
            if (auto* line = widget->window()->findChild<StatusLine*>(QString(),
                                                                      Qt::FindDirectChildrenOnly)) {
                const QPointF at = event->type() == QEvent::MouseMove
                                       ? static_cast<QMouseEvent*>(event)->globalPosition()
                                       : static_cast<QEnterEvent*>(event)->globalPosition();
                line->showHint(hintedControl(widget)->statusTip(), at);
            }
        }
        return false;
    }
};

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("acribline"));
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setMinimumHeight(fontMetrics().height() + 6);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    installHintTracking();
}

void StatusLine::showNotice(const QString& text) {
    setText(text);
    notice_ = true;
    noticeAt_ = QCursor::pos();
}

void StatusLine::showHint(const QString& hint, const QPointF& globalPosition) {
    if (notice_ && (globalPosition - noticeAt_).manhattanLength() < 2) return;
    notice_ = false;
    setText(hint);
}

void installHintTracking() {
    static const char* const kInstalled = "kaldateHintTracker";
    if (qApp->property(kInstalled).toBool()) return;
    qApp->installEventFilter(new HintTracker(qApp));
    qApp->setProperty(kInstalled, true);
}

}  // namespace kaldate
