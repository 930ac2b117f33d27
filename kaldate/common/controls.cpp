#include "common/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

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

QLabel* textBlock(const QString& text, int width) {
    QLabel* label = plainLabel(text);
    label->setWordWrap(true);
    if (width > 0) {
        label->setFixedWidth(width);
        label->setMinimumHeight(label->heightForWidth(width));
    }
    return label;
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
    button->setAutoDefault(false);
    return button;
}

QPushButton* wrappingButton(const char* name, const QString& caption, int width,
                            const QString& hint) {
    auto* button = named<QPushButton>(new WrappingButton(caption, width), name, hint);
    button->setAutoDefault(false);
    return button;
}

}  // namespace kaldate
