#include "common/window_setup.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <vector>

namespace kaldate {

namespace {

// What a window needs around its body: the title bar and frame the window
// manager adds, the window's margins and its status line.
constexpr int kAroundWidth = 40;
constexpr int kAroundHeight = 100;
// The title bar and frame alone.
constexpr int kFrameWidth = 12;
constexpr int kFrameHeight = 40;

class FittingArea : public QScrollArea {
  public:
    FittingArea() {
        setObjectName(QStringLiteral("qt_fittingarea"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        // The area itself is no stop of the Tab key; its controls are.
        setFocusPolicy(Qt::NoFocus);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }

    QSize sizeHint() const override {
        QWidget* content = widget();
        if (content == nullptr) return QScrollArea::sizeHint();
        const QSize wanted = content->sizeHint().expandedTo(content->minimumSizeHint());
        const QScreen* screen = window()->screen();
        if (screen == nullptr) screen = QGuiApplication::primaryScreen();
        if (screen == nullptr) return wanted;
        const QSize room = screen->availableGeometry().size() - QSize(kAroundWidth, kAroundHeight);
        QSize size = wanted.boundedTo(room);
        // A scroll bar in one direction takes room from the other.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        if (wanted.height() > room.height())
            size.rwidth() = std::min(size.width() + bar, room.width());
        if (wanted.width() > room.width())
            size.rheight() = std::min(size.height() + bar, room.height());
        return size;
    }

    QSize minimumSizeHint() const override {
        const int line = fontMetrics().height();
        return QSize(8 * line, 6 * line);
    }
};

// The widgets a layout shows, in the order it shows them, the widgets of
// their own layouts (a group's controls) in their place.
void collect(const QLayout* layout, std::vector<QWidget*>& widgets);

void collectItem(QLayoutItem* item, std::vector<QWidget*>& widgets) {
    if (QWidget* widget = item->widget()) {
        widgets.push_back(widget);
        if (auto* area = qobject_cast<QScrollArea*>(widget)) {
            if (area->widget() != nullptr && area->widget()->layout() != nullptr) {
                collect(area->widget()->layout(), widgets);
            }
        } else if (widget->layout() != nullptr) {
            collect(widget->layout(), widgets);
        }
    } else if (QLayout* inner = item->layout()) {
        collect(inner, widgets);
    }
}

void collect(const QLayout* layout, std::vector<QWidget*>& widgets) {
    std::vector<QLayoutItem*> items;
    for (int i = 0; i < layout->count(); ++i) items.push_back(layout->itemAt(i));
    if (const auto* grid = qobject_cast<const QGridLayout*>(layout)) {
        // Row by row, left to right, whatever order the cells were filled in.
        std::vector<std::pair<std::pair<int, int>, QLayoutItem*>> cells;
        for (int i = 0; i < grid->count(); ++i) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(i, &row, &column, &rows, &columns);
            cells.push_back({{row, column}, grid->itemAt(i)});
        }
        std::stable_sort(cells.begin(), cells.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        items.clear();
        for (const auto& cell : cells) items.push_back(cell.second);
    } else if (const auto* box = qobject_cast<const QBoxLayout*>(layout)) {
        if (box->direction() == QBoxLayout::RightToLeft ||
            box->direction() == QBoxLayout::BottomToTop) {
            std::reverse(items.begin(), items.end());
        }
    }
    for (QLayoutItem* item : items) collectItem(item, widgets);
}

bool takesTab(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0 &&
           qobject_cast<const QScrollArea*>(widget) == nullptr;
}

// A label's text as a name: its lines joined, runs of blanks made one.
QString asName(const QString& text) {
    QString name = text.simplified();
    while (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name.trimmed();
}

}  // namespace

QScrollArea* fittingArea(QLayout* layout) {
    auto* area = new FittingArea;
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("qt_fittingcontent"));
    content->setLayout(layout);
    area->setWidget(content);
    return area;
}

void fitWindow(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    QSize size = window->sizeHint().expandedTo(window->minimumSizeHint());
    if (screen != nullptr) {
        size =
            size.boundedTo(screen->availableGeometry().size() - QSize(kFrameWidth, kFrameHeight));
    }
    window->resize(size.expandedTo(window->minimumSize()));
}

void orderForKeyboard(QWidget* window) {
    if (window->layout() == nullptr) return;
    std::vector<QWidget*> shown;
    collect(window->layout(), shown);
    QWidget* previous = nullptr;
    QString lastLabel;
    for (QWidget* widget : shown) {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            // A plain label (no name of its own) names what follows it.
            if (label->objectName().isEmpty() && !label->text().trimmed().isEmpty()) {
                lastLabel = asName(label->text());
            }
            continue;
        }
        if (!takesTab(widget)) continue;
        if (widget->accessibleDescription().isEmpty() && !widget->statusTip().trimmed().isEmpty()) {
            widget->setAccessibleDescription(widget->statusTip().trimmed());
        }
        if (widget->accessibleName().isEmpty()) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                widget->setAccessibleName(asName(button->text()));
            } else if (qobject_cast<QLineEdit*>(widget) != nullptr ||
                       qobject_cast<QComboBox*>(widget) != nullptr) {
                widget->setAccessibleName(lastLabel.isEmpty() ? widget->objectName() : lastLabel);
            } else {
                widget->setAccessibleName(widget->objectName());
            }
            if (widget->accessibleName().isEmpty()) widget->setAccessibleName(widget->objectName());
        }
        lastLabel.clear();
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

}  // namespace kaldate
