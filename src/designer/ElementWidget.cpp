#include "designer/ElementWidget.h"

#include "designer/document/ElementData.h"
#include "platform/Twips.h"

#include <QMouseEvent>

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
