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
    update();
}

void DesignerCanvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_background);
    if (!m_picture.isNull())
        painter.drawPixmap(event->rect().topLeft(), m_picture, event->rect());
}

void DesignerCanvas::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit backgroundPressed(event->button(), event->globalPosition().toPoint());
}
