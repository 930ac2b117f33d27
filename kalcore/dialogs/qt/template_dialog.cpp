#include "template_dialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kalcore::dialogs::qt {

namespace {

constexpr int32_t kCancelCommand = 2;

// The average character width is measured over the 52 letters, as the
// platform the templates come from does.
const QString kAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// Texts are shown as they stand: an '&' is no mnemonic marker.
QString literal(const char* text) {
    return QString::fromLatin1(text != nullptr ? text : "")
        .replace(QLatin1Char('&'), QStringLiteral("&&"));
}

constexpr int kIconSize = 32;

// The library's icons by number: 102 the product's, 105 the contact's.
QPixmap iconPicture(int32_t number) {
    const char* file = number == 105 ? ":/kalcore/contact.ico" : ":/kalcore/product.ico";
    return QIcon(QLatin1String(file)).pixmap(kIconSize, kIconSize);
}

}  // namespace

QFont templateFont(const KalDialogTemplate& dialog) {
    const QString face = QString::fromLatin1(dialog.font != nullptr ? dialog.font : "");
    QFont font = QApplication::font();
    if (!face.isEmpty() && QFontDatabase::hasFamily(face)) font.setFamily(face);
    if (dialog.pointSize > 0) font.setPointSize(dialog.pointSize);
    return font;
}

DialogBase dialogBase(const QFont& font) {
    const QFontMetrics metrics(font);
    return {(metrics.horizontalAdvance(kAlphabet) / 26 + 1) / 2, metrics.height()};
}

TemplateDialog::TemplateDialog(const KalDialogTemplate& dialog, KalDialogCommandFn onCommand,
                               void* context)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      dialogId_(dialog.id),
      onCommand_(onCommand),
      context_(context) {
    setObjectName(QStringLiteral("dialog%1").arg(dialog.id));
    setWindowTitle(QString::fromLatin1(dialog.title != nullptr ? dialog.title : ""));
    setWindowIcon(QIcon(QStringLiteral(":/kalcore/product.ico")));
    setFont(templateFont(dialog));
    const DialogBase base = dialogBase(font());
    const auto across = [&base](int units) { return (units * base.width + 2) / 4; };
    const auto down = [&base](int units) { return (units * base.height + 4) / 8; };
    const auto area = [&](const KalDialogControl& control) {
        return QRect(across(control.x), down(control.y), across(control.width),
                     down(control.height));
    };
    setFixedSize(across(dialog.width), down(dialog.height));

    for (int i = 0; i < dialog.controlCount; ++i) {
        const KalDialogControl& control = dialog.controls[i];
        QWidget* widget = nullptr;
        switch (control.kind) {
            case KAL_CONTROL_TEXT:
            case KAL_CONTROL_CENTERED_TEXT: {
                auto* label = new QLabel(QString::fromLatin1(control.text), this);
                label->setTextFormat(Qt::PlainText);
                label->setWordWrap(true);
                label->setAlignment(
                    Qt::AlignTop |
                    (control.kind == KAL_CONTROL_TEXT ? Qt::AlignLeft : Qt::AlignHCenter));
                widget = label;
                break;
            }
            case KAL_CONTROL_GROUP: {
                auto* group = new QGroupBox(literal(control.text), this);
                widget = group;
                break;
            }
            case KAL_CONTROL_BUTTON:
            case KAL_CONTROL_DEFAULT_BUTTON: {
                auto* button = new QPushButton(literal(control.text), this);
                button->setObjectName(QStringLiteral("command%1").arg(control.id));
                if (control.kind == KAL_CONTROL_DEFAULT_BUTTON) {
                    // Enter presses it, until the user moves the focus on.
                    button->setDefault(true);
                    button->setFocus();
                }
                const int32_t id = control.id;
                connect(button, &QPushButton::clicked, this, [this, id] { command(id); });
                widget = button;
                break;
            }
            case KAL_CONTROL_ICON: {
                // An icon keeps its own size, from the control's top left.
                auto* icon = new QLabel(this);
                icon->setObjectName(QStringLiteral("icon%1").arg(control.icon));
                icon->setPixmap(iconPicture(control.icon));
                icon->setGeometry(QRect(area(control).topLeft(), QSize(kIconSize, kIconSize)));
                continue;
            }
            default:
                continue;
        }
        widget->setGeometry(area(control));
    }
    // Frames lie under the controls they enclose.
    for (QGroupBox* group : findChildren<QGroupBox*>()) group->lower();
}

void TemplateDialog::reject() {
    command(kCancelCommand);
}

void TemplateDialog::command(int32_t id) {
    int32_t endValue = 0;
    if (onCommand_(context_, dialogId_, id, &endValue) == 0) return;
    endValue_ = endValue;
    done(QDialog::Accepted);
}

}  // namespace kalcore::dialogs::qt
