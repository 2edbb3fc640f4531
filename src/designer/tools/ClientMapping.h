#pragma once

#include <QPoint>

// How the canvas lies on the screen: points between canvas pixels and screen pixels, and how many
// twips one canvas pixel spans. Scrolling the canvas moves its origin and zooming changes the twips
// per pixel; the arithmetic built on these four answers stays the same.
class ClientMapping
{
public:
    virtual ~ClientMapping() = default;

    virtual QPoint clientToScreen(QPoint client) const = 0;
    virtual QPoint screenToClient(QPoint screen) const = 0;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
};
