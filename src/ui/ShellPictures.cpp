#include "ui/ShellPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace {

QFont pictureFont(int pixels, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QPixmap blank(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// A screen on a stand, showing the counters and the numbers they call; the first row is the call
// in progress.
void drawDisplay(QPainter& painter, const QRectF& frame)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x22, 0x26, 0x2e));
    const QRectF stand(frame.center().x() - frame.width() * 0.08, frame.bottom(), frame.width() * 0.16,
                       frame.height() * 0.12);
    painter.drawRect(stand);
    painter.drawRoundedRect(QRectF(stand.left() - stand.width() * 0.6, stand.bottom() - 4, stand.width() * 2.2, 6), 3,
                            3);
    painter.setBrush(QColor(0x1a, 0x1d, 0x24));
    painter.drawRoundedRect(frame, 8, 8);

    const QRectF screen = frame.adjusted(8, 8, -8, -8);
    QLinearGradient glass(screen.topLeft(), screen.bottomLeft());
    glass.setColorAt(0, QColor(0x10, 0x3a, 0x6b));
    glass.setColorAt(1, QColor(0x07, 0x1c, 0x38));
    painter.setBrush(glass);
    painter.drawRect(screen);

    const qreal header = screen.height() * 0.2;
    painter.setBrush(QColor(0xf2, 0xa9, 0x00));
    painter.drawRect(QRectF(screen.left(), screen.top(), screen.width(), header));
    painter.setPen(QColor(0x10, 0x1a, 0x2a));
    painter.setFont(pictureFont(static_cast<int>(std::min(header * 0.55, screen.width() / 15)), true));
    painter.drawText(QRectF(screen.left() + 8, screen.top(), screen.width() * 0.5, header),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("SPORTELLO"));
    painter.drawText(QRectF(screen.center().x(), screen.top(), screen.width() * 0.5 - 8, header),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("NUMERO"));

    struct Call {
        const char* counter;
        const char* number;
    };
    static constexpr Call calls[] = {{"1", "A 027"}, {"2", "B 114"}, {"3", "A 026"}, {"4", "C 008"}};
    const qreal rowHeight = (screen.height() - header) / 4;
    for (int row = 0; row < 4; ++row) {
        const QRectF band(screen.left(), screen.top() + header + row * rowHeight, screen.width(), rowHeight);
        if (row == 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(255, 255, 255, 40));
            painter.drawRect(band);
        }
        painter.setPen(row == 0 ? QColor(0xff, 0xe0, 0x66) : QColor(0xdd, 0xe8, 0xf5));
        painter.setFont(pictureFont(static_cast<int>(rowHeight * 0.6), row == 0));
        painter.drawText(band.adjusted(14, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromLatin1(calls[row].counter));
        painter.drawText(band.adjusted(0, 0, -10, 0), Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromLatin1(calls[row].number));
    }
}

void drawBubble(QPainter& painter, const QRectF& body, const QColor& colour)
{
    QPainterPath bubble;
    bubble.addRoundedRect(body, body.height() * 0.25, body.height() * 0.25);
    QPainterPath tail;
    tail.moveTo(body.left() + body.width() * 0.25, body.bottom() - 2);
    tail.lineTo(body.left() + body.width() * 0.12, body.bottom() + body.height() * 0.5);
    tail.lineTo(body.left() + body.width() * 0.42, body.bottom() - 2);
    tail.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(bubble.united(tail));
}

} // namespace

QPixmap ShellPictures::mainMenu(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), size);

    QLinearGradient sky(area.topLeft(), area.bottomRight());
    sky.setColorAt(0, QColor(0x0d, 0x3b, 0x66));
    sky.setColorAt(1, QColor(0x1b, 0x7f, 0x93));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(area, 10, 10);

    // Soft rings behind the title.
    for (int ring = 0; ring < 3; ++ring) {
        const qreal radius = area.height() * (0.35 + 0.22 * ring);
        QRadialGradient glow(QPointF(area.width() * 0.18, area.height() * 0.4), radius);
        glow.setColorAt(0, QColor(255, 255, 255, 26));
        glow.setColorAt(1, QColor(255, 255, 255, 0));
        painter.setBrush(glow);
        painter.drawEllipse(glow.center(), radius, radius);
    }

    const qreal textLeft = area.width() * 0.06;
    painter.setPen(Qt::white);
    painter.setFont(pictureFont(static_cast<int>(area.height() * 0.3), true));
    painter.drawText(QRectF(textLeft, area.height() * 0.12, area.width() * 0.45, area.height() * 0.36),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TN2"));
    painter.setPen(QColor(0xf2, 0xa9, 0x00));
    painter.drawRect(QRectF(textLeft, area.height() * 0.52, area.width() * 0.3, 3));
    painter.setPen(QColor(0xe6, 0xf0, 0xfa));
    painter.setFont(pictureFont(static_cast<int>(area.height() * 0.065)));
    painter.drawText(QRectF(textLeft, area.height() * 0.56, area.width() * 0.45, area.height() * 0.1),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Modulo di Impostazione"));
    painter.setFont(pictureFont(static_cast<int>(area.height() * 0.045)));
    painter.drawText(QRectF(textLeft, area.height() * 0.66, area.width() * 0.45, area.height() * 0.16),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Schermate, contenuti e chiamate del display di sala"));

    drawDisplay(painter, QRectF(area.width() * 0.52, area.height() * 0.12, area.width() * 0.42, area.height() * 0.6));
    return pixmap;
}

QPixmap ShellPictures::messageBackground(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(QPointF(0, 0), size);
    QLinearGradient paper(area.topLeft(), area.bottomLeft());
    paper.setColorAt(0, QColor(0xfb, 0xfd, 0xff));
    paper.setColorAt(1, QColor(0xdc, 0xea, 0xf7));
    painter.fillRect(area, paper);
    const qreal side = area.height() * 0.45;
    drawBubble(painter, QRectF(area.right() - side * 1.5, area.bottom() - side * 1.45, side * 1.3, side * 0.8),
               QColor(0x1b, 0x6f, 0x8f, 38));
    return pixmap;
}

QPixmap ShellPictures::exitSign(const QSize& size)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();

    // The door frame, and the door swung open towards us.
    painter.setPen(QPen(QColor(0x5a, 0x3a, 0x1e), w * 0.04));
    painter.setBrush(QColor(0x20, 0x24, 0x2c));
    painter.drawRect(QRectF(w * 0.3, h * 0.1, w * 0.45, h * 0.82));
    QPolygonF door;
    door << QPointF(w * 0.3, h * 0.1) << QPointF(w * 0.52, h * 0.18) << QPointF(w * 0.52, h * 0.98)
         << QPointF(w * 0.3, h * 0.92);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xb0, 0x6a, 0x2c));
    painter.drawPolygon(door);
    painter.setBrush(QColor(0xf2, 0xc2, 0x4a));
    painter.drawEllipse(QPointF(w * 0.47, h * 0.58), w * 0.025, w * 0.025);

    // The arrow leading out.
    QPolygonF arrow;
    arrow << QPointF(w * 0.02, h * 0.46) << QPointF(w * 0.16, h * 0.46) << QPointF(w * 0.16, h * 0.36)
          << QPointF(w * 0.29, h * 0.52) << QPointF(w * 0.16, h * 0.68) << QPointF(w * 0.16, h * 0.58)
          << QPointF(w * 0.02, h * 0.58);
    painter.setBrush(QColor(0xc6, 0x28, 0x28));
    painter.drawPolygon(arrow);
    return pixmap;
}

QPixmap ShellPictures::exitQuestion(const QSize& size, const QString& question)
{
    QPixmap pixmap = blank(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(QPointF(0, 0), size).adjusted(1, 1, -1, -1);
    QLinearGradient fill(card.topLeft(), card.bottomLeft());
    fill.setColorAt(0, QColor(0xff, 0xf6, 0xd8));
    fill.setColorAt(1, QColor(0xf7, 0xe0, 0x9a));
    painter.setPen(QPen(QColor(0xc9, 0x9a, 0x1c), 1.5));
    painter.setBrush(fill);
    painter.drawRoundedRect(card, 8, 8);
    painter.setPen(QColor(0x3a, 0x2a, 0x05));
    painter.setFont(pictureFont(static_cast<int>(size.height() * 0.26), true));
    painter.drawText(card.adjusted(8, 4, -8, -4), Qt::AlignCenter | Qt::TextWordWrap, question);
    return pixmap;
}
