#include "designer/ElementPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

ElementPicture::ElementPicture(Marker marker, QWidget* parent)
    : ElementWidget(parent)
    , m_marker(marker)
{
}

void ElementPicture::paintElement(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_marker == Marker::Photo)
        paintPhoto(painter);
    else
        paintPlaceholder(painter);
}

// Head and shoulders on a pale studio background, like the passport photo the operator gets.
void ElementPicture::paintPhoto(QPainter& painter) const
{
    const QRectF box = area();
    QLinearGradient backdrop(box.topLeft(), box.bottomLeft());
    backdrop.setColorAt(0.0, QColor(0xdd, 0xe6, 0xf0));
    backdrop.setColorAt(1.0, QColor(0xa9, 0xb9, 0xcc));
    painter.fillRect(box, backdrop);

    const QColor figure(0x4a, 0x5a, 0x70);
    painter.setPen(Qt::NoPen);
    painter.setBrush(figure);
    const qreal w = box.width();
    const qreal h = box.height();
    painter.drawEllipse(QRectF(w * 0.32, h * 0.14, w * 0.36, h * 0.38));
    QPainterPath shoulders;
    shoulders.moveTo(w * 0.08, h);
    shoulders.cubicTo(w * 0.10, h * 0.62, w * 0.90, h * 0.62, w * 0.92, h);
    shoulders.closeSubpath();
    painter.drawPath(shoulders);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x2f, 0x3b, 0x4b), 1));
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
}

// A dark panel with a sign of what the display shows there and its name under it.
void ElementPicture::paintPlaceholder(QPainter& painter) const
{
    const QRectF box = area();
    painter.fillRect(box, QColor(0x26, 0x2b, 0x33));
    painter.setPen(QPen(QColor(0x9a, 0xa4, 0xb1), 1, Qt::DashLine));
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));

    const qreal side = std::min(box.width(), box.height()) * 0.4;
    const QRectF sign(box.center().x() - side / 2, box.center().y() - side * 0.7, side, side);
    const QColor ink(0xe3, 0xe8, 0xee);
    painter.setPen(Qt::NoPen);
    QString name;
    switch (m_marker) {
    case Marker::Video: {
        name = QStringLiteral("Video");
        painter.setBrush(ink);
        const QPointF play[3] = {sign.topLeft() + QPointF(side * 0.2, 0), sign.bottomLeft() + QPointF(side * 0.2, 0),
                                 QPointF(sign.right(), sign.center().y())};
        painter.drawPolygon(play, 3);
        break;
    }
    case Marker::Weather:
        name = QStringLiteral("Meteo");
        painter.setBrush(QColor(0xf2, 0xc1, 0x4e));
        painter.drawEllipse(sign.adjusted(0, 0, -side * 0.35, -side * 0.35));
        painter.setBrush(ink);
        painter.drawEllipse(QRectF(sign.left() + side * 0.25, sign.top() + side * 0.5, side * 0.75, side * 0.45));
        break;
    case Marker::Images: {
        name = QStringLiteral("Immagini");
        painter.setBrush(ink);
        const QPointF hills[4] = {sign.bottomLeft(), QPointF(sign.left() + side * 0.4, sign.top() + side * 0.3),
                                  QPointF(sign.left() + side * 0.7, sign.top() + side * 0.6), sign.bottomRight()};
        painter.drawPolygon(hills, 4);
        painter.drawEllipse(QRectF(sign.right() - side * 0.3, sign.top(), side * 0.25, side * 0.25));
        break;
    }
    case Marker::Photo:
        break;
    }

    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(side * 0.3)));
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(box.left(), sign.bottom(), box.width(), box.bottom() - sign.bottom()),
                     Qt::AlignHCenter | Qt::AlignVCenter, name);
}
