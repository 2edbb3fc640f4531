#include "designer/ElementWidget.h"

#include "designer/document/ElementData.h"
#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

void ElementWidget::showData(const ElementData& values)
{
    setGeometry(Twips::toPixels(values.left), Twips::toPixels(values.top), Twips::toPixels(values.width),
                Twips::toPixels(values.height));
    showLook(values);
    setHidden(!values.visible);
}

void ElementWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit pressed(this, event->button(), event->globalPosition().toPoint());
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
        paintElement(picture);
    }
    QPainter painter(this);
    for (const QRect& part : event->region())
        painter.drawPixmap(part, m_drawn, QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
}
