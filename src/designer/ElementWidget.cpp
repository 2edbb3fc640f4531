#include "designer/ElementWidget.h"

#include "designer/document/ElementData.h"
#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace {

int onCanvas(float twips, double zoom)
{
    return static_cast<int>(std::nearbyint(twips * zoom / Twips::PerPixel));
}

} // namespace

void ElementWidget::showData(const ElementData& values, double zoom)
{
    if (zoom != m_zoom) {
        m_zoom = zoom;
        lookChanged();
    }
    setGeometry(onCanvas(values.left, zoom), onCanvas(values.top, zoom), onCanvas(values.width, zoom),
                onCanvas(values.height, zoom));
    showLook(values);
    setHidden(!values.visible);
}

void ElementWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed(this, event->button(), event->globalPosition().toPoint());
}

QRectF ElementWidget::area() const
{
    return QRectF(0, 0, width() / m_zoom, height() / m_zoom);
}

void ElementWidget::lookChanged()
{
    m_drawn = QPixmap();
    update();
}

void ElementWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_drawn = QPixmap();
}

void ElementWidget::paintEvent(QPaintEvent* event)
{
    if (width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull()) {
        m_drawn = QPixmap(size() * ratio);
        m_drawn.setDevicePixelRatio(ratio);
        // A transparent label lets the canvas through where it draws no text.
        m_drawn.fill(Qt::transparent);
        QPainter picture(&m_drawn);
        picture.scale(m_zoom, m_zoom);
        paintElement(picture);
    }
    QPainter painter(this);
    for (const QRect& part : event->region())
        painter.drawPixmap(part, m_drawn, QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
}
