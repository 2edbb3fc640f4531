#pragma once

#include "designer/tools/ClientMapping.h"

#include <QPointF>
#include <QRect>
#include <QSizeF>
#include <Qt>

class CRect;

// What the drag-and-resize engine needs of the designer window. The window implements it with Qt;
// the tests with a fake that records what the engine asked for. Points and rectangles are in screen
// pixels unless they say twips; the client area is the canvas.
class DragHost : public ClientMapping
{
public:
    // The cursor in screen pixels. The window answers with the global position of the mouse event
    // it is handling.
    virtual QPoint cursorPosition() const = 0;

    virtual void captureMouse() = 0;
    virtual void releaseMouse() = 0;

    // Keeps the cursor inside `screen`, and lets it go. The engine also holds every position it
    // reads inside that rectangle, so a window that cannot confine the real cursor may do nothing.
    virtual void confineCursor(const QRect& screen) = 0;
    virtual void freeCursor() = 0;

    // The window's outer rectangle, title bar and frame included.
    virtual QRect windowRect() const = 0;

    // Draws the outline of `screen` inverted, 2 pixels wide; drawing the same rectangle again erases
    // it. Left may lie right of Right, Top below Bottom, while an edge is dragged past its opposite.
    virtual void invertOutline(const CRect& screen) = 0;

    // Repaints the window at once, so handles just hidden leave no trace under the outline.
    virtual void repaintNow() = 0;

    // The eight sizing handles: their size and pointer, their top-left corner in canvas twips, and
    // whether they show.
    virtual void initHandle(int index, QSizeF sizeTwips, Qt::CursorShape pointer) = 0;
    virtual void moveHandle(int index, QPointF topLeftTwips) = 0;
    virtual void setHandlesVisible(bool visible) = 0;
};
