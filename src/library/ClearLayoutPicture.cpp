#include "library/ClearLayoutPicture.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ClearLayoutPicture::draw(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);

    // The display: a dark frame on a small stand.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x55, 0x5a, 0x64));
    painter.drawRect(QRectF(28, 48, 8, 6));
    painter.drawRoundedRect(QRectF(20, 53, 24, 4), 2, 2);
    painter.setBrush(QColor(0x2f, 0x34, 0x3d));
    painter.drawRoundedRect(QRectF(4, 8, 56, 41), 4, 4);
    painter.setBrush(QColor(0xe8, 0xf1, 0xfb));
    painter.drawRect(QRectF(8, 12, 48, 33));

    // Elements of the layout: the title bar and counter boxes, the right half already wiped.
    painter.setBrush(QColor(0x2b, 0x6c, 0xc4));
    painter.drawRect(QRectF(11, 15, 26, 5));
    painter.setBrush(QColor(0x9c, 0xc3, 0xef));
    for (int row = 0; row < 3; ++row)
        painter.drawRect(QRectF(11, 23 + row * 7, 12, 5));
    painter.setPen(QPen(QColor(0x9c, 0xc3, 0xef), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    for (int row = 0; row < 3; ++row)
        painter.drawRect(QRectF(26.5, 23.5 + row * 7, 11, 4));

    // The warning badge.
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(QColor(0xd3, 0x2f, 0x2f));
    painter.drawEllipse(QPointF(48, 40), 12, 12);
    painter.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(48, 33), QPointF(48, 42));
    painter.drawPoint(QPointF(48, 47));
    return pixmap;
}
