#include "common/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

#include "common/hints.h"

namespace kaldate {

namespace {

// Draws the button without its caption, then the caption wrapped and centred.
class WrappingButton : public QPushButton {
  public:
    WrappingButton(const QString& caption, int width) : QPushButton(caption) {
        setFixedWidth(width);
        const QRect text = fontMetrics().boundingRect(QRect(0, 0, width - 2 * kMargin, 1000),
                                                      Qt::AlignCenter | Qt::TextWordWrap, caption);
        setMinimumHeight(text.height() + 2 * kMargin);
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        option.text.clear();
        painter.drawControl(QStyle::CE_PushButton, option);
        painter.drawItemText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                             Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                             QPalette::ButtonText);
    }

  private:
    static constexpr int kMargin = 6;
};

// Sets a marker to "1" whenever the field it watches receives the focus.
class FocusWatcher : public QObject {
  public:
    FocusWatcher(QLineEdit* marker, QLineEdit* field) : QObject(marker), marker_(marker) {
        field->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) marker_->setText(QStringLiteral("1"));
        return false;
    }

  private:
    QLineEdit* marker_;
};

// The least room between a button's caption and each of its edges.
constexpr int kCaptionMargin = 14;

template <typename Widget>
Widget* named(Widget* widget, const char* name, const QString& hint) {
    if (name != nullptr) widget->setObjectName(QLatin1String(name));
    widget->setStatusTip(hint);
    return widget;
}

}  // namespace

QLineEdit* textField(const char* name, const QString& hint) {
    return named(new QLineEdit, name, hint);
}

QLabel* outputLabel(const char* name, const QString& hint) {
    auto* label = named(new QLabel, name, hint);
    label->setTextFormat(Qt::PlainText);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumHeight(label->fontMetrics().height() + 8);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* plainLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* heading(const QString& text) {
    QLabel* label = plainLabel(text);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* textBlock(const QString& text, int width) {
    QLabel* label = plainLabel(text);
    label->setWordWrap(true);
    if (width == 0) {
        static const QRegularExpression kLineBreak(QStringLiteral("(?<=\\S) {3,}"));
        const QStringList lines = text.split(kLineBreak);
        if (lines.size() > 1) {
            for (const QString& line : lines) {
                width = std::max(width, label->fontMetrics().horizontalAdvance(line) + 2);
            }
        }
    }
    if (width > 0) {
        label->setFixedWidth(width);
        label->setMinimumHeight(label->heightForWidth(width));
    }
    return label;
}

QLineEdit* focusMarker(const char* name, QLineEdit* field) {
    QLineEdit* marker = textField(name);
    marker->setText(QStringLiteral("0"));
    marker->setVisible(false);
    new FocusWatcher(marker, field);
    return marker;
}

QCheckBox* checkBox(const char* name, const QString& text, const QString& hint) {
    return named(new QCheckBox(text), name, hint);
}

QComboBox* dropDownList(const char* name, const QString& hint) {
    auto* list = named(new QComboBox, name, hint);
    list->setMaxVisibleItems(16);
    return list;
}

QGroupBox* group(const QString& title, const QString& hint) {
    return named(new QGroupBox(title), nullptr, hint);
}

QPushButton* pushButton(const char* name, const QString& caption, const QString& hint) {
    auto* button = named(new QPushButton(caption), name, hint);
    button->setAutoDefault(true);
    // Room either side of the caption, which the style alone leaves too thin
    // for a long caption.
    button->setMinimumWidth(button->fontMetrics().horizontalAdvance(caption) + 2 * kCaptionMargin);
    return button;
}

QPushButton* wrappingButton(const char* name, const QString& caption, int width,
                            const QString& hint) {
    auto* button = named<QPushButton>(new WrappingButton(caption, width), name, hint);
    button->setAutoDefault(true);
    return button;
}

}  // namespace kaldate
