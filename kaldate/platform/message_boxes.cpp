#include "platform/message_boxes.h"

#include <QMessageBox>
#include <memory>

namespace kaldate {

QMessageBox* makeMessageBox(QWidget* owner, MessageStyle style, const QString& caption,
                            const QString& text) {
    auto* box = new QMessageBox(owner);
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(caption);
    box->setText(text);
    switch (style) {
        case MessageStyle::Exclamation:
            box->setIcon(QMessageBox::Warning);
            box->setStandardButtons(QMessageBox::Ok);
            break;
        case MessageStyle::Information:
            box->setIcon(QMessageBox::Information);
            box->setStandardButtons(QMessageBox::Ok);
            break;
        case MessageStyle::YesNoQuestion:
            box->setIcon(QMessageBox::Question);
            box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box->setDefaultButton(QMessageBox::Yes);
            break;
    }
    return box;
}

int QtMessageBoxes::show(QWidget* owner, MessageStyle style, const QString& caption,
                         const QString& text) {
    const std::unique_ptr<QMessageBox> box(makeMessageBox(owner, style, caption, text));
    switch (box->exec()) {
        case QMessageBox::Yes:
            return kAnswerYes;
        case QMessageBox::No:
            return kAnswerNo;
        default:
            return kAnswerOk;
    }
}

}  // namespace kaldate
