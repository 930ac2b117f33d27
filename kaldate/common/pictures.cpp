#include "common/pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace kaldate {

namespace {

QPixmap blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A hand from the centre of a face of radius 50, `angle` degrees clockwise
// from twelve, `length` long.
void hand(QPainter& painter, qreal angle, qreal length, qreal width) {
    painter.save();
    painter.rotate(angle);
    painter.setPen(QPen(QColor(30, 30, 30), width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(0, 6), QPointF(0, -length));
    painter.restore();
}

}  // namespace

QPixmap clockPicture(int size) {
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(size / 2.0, size / 2.0);
    painter.scale(size / 104.0, size / 104.0);
    painter.setPen(QPen(QColor(120, 20, 20), 5));
    painter.setBrush(QColor(255, 252, 235));
    painter.drawEllipse(QPointF(0, 0), 48, 48);
    for (int tick = 0; tick < 12; ++tick) {
        painter.save();
        painter.rotate(tick * 30);
        painter.setPen(QPen(QColor(60, 60, 60), tick % 3 == 0 ? 4 : 2));
        painter.drawLine(QPointF(0, -42), QPointF(0, tick % 3 == 0 ? -34 : -37));
        painter.restore();
    }
    hand(painter, -0.5, 24, 5);  // hour hand, just before twelve
    hand(painter, -6, 36, 3);    // minute hand, 11:59
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 30, 30));
    painter.drawEllipse(QPointF(0, 0), 4, 4);
    return pixmap;
}

QPixmap logoPicture(int size) {
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);
    const QRectF page(8, 12, 84, 80);
    painter.setPen(QPen(QColor(40, 40, 40), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(page, 6, 6);
    QPainterPath band;
    band.addRoundedRect(QRectF(8, 12, 84, 24), 6, 6);
    painter.fillPath(band, QColor(200, 30, 30));
    painter.setBrush(QColor(90, 90, 90));
    for (int ring : {26, 50, 74}) painter.drawEllipse(QPointF(ring, 12), 3.5, 3.5);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(28);
    painter.setFont(font);
    painter.setPen(QColor(30, 60, 160));
    painter.drawText(QRectF(8, 38, 84, 52), Qt::AlignCenter, QStringLiteral("2000"));
    return pixmap;
}

}  // namespace kaldate
