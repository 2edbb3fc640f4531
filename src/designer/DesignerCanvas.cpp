#include "designer/DesignerCanvas.h"

#include <QMouseEvent>
#include <QPainter>

DesignerCanvas::DesignerCanvas(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Canvas"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DesignerCanvas::setBackgroundColor(const QColor& color)
{
    m_background = color;
    update();
}

void DesignerCanvas::setBackgroundPicture(const QPixmap& picture)
{
    m_picture = picture;
    setZoom(m_zoom);
}

void DesignerCanvas::setZoom(double zoom)
{
    m_zoom = zoom;
    if (zoom == 1.0 || m_picture.isNull())
        m_shown = m_picture;
    else
        m_shown = m_picture.scaled(m_picture.size() * zoom, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

// Only the parts asked for: a drag repaints thin bands along the outline, and the bounding box of
// those bands would be most of the canvas.
void DesignerCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    for (const QRect& part : event->region()) {
        painter.fillRect(part, m_background);
        if (!m_shown.isNull())
            painter.drawPixmap(part.topLeft(), m_shown, part);
    }
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit backgroundPressed(event->button(), event->globalPosition().toPoint());
}

void DesignerCanvas::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseMoved(event->globalPosition().toPoint());
}

void DesignerCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseReleased(event->button(), event->globalPosition().toPoint());
}
