#pragma once

#include "designer/tools/CRect.h"
#include "designer/tools/DragHost.h"

#include <QList>
#include <array>
#include <optional>

// The designer window without a window. The test places the canvas on the screen, sets its twips
// per pixel and moves the cursor; the fake keeps what the engine asked for. Outlines behave as
// inverted drawing does: the same rectangle drawn twice is gone.
class FakeDragHost : public DragHost
{
public:
    // A window at (100, 50), 1920 x 1080 inside an 8-pixel frame under a 31-pixel title bar.
    QRect window{100, 50, 1936, 1119};
    QPoint clientOrigin{108, 81};
    double perPixelX = 15.0;
    double perPixelY = 15.0;

    QPoint cursor;
    bool captured = false;
    std::optional<QRect> confinedTo;
    QList<CRect> outlines;
    std::array<QSizeF, 8> handleSizes{};
    std::array<QPointF, 8> handlePlaces{};
    bool handlesVisible = false;

    QPoint clientToScreen(QPoint client) const override { return client + clientOrigin; }
    QPoint screenToClient(QPoint screen) const override { return screen - clientOrigin; }
    double twipsPerPixelX() const override { return perPixelX; }
    double twipsPerPixelY() const override { return perPixelY; }
    QPoint cursorPosition() const override { return cursor; }
    void captureMouse() override { captured = true; }
    void releaseMouse() override { captured = false; }
    void confineCursor(const QRect& screen) override { confinedTo = screen; }
    void freeCursor() override { confinedTo.reset(); }
    QRect windowRect() const override { return window; }
    void invertOutline(const CRect& screen) override
    {
        if (!outlines.removeOne(screen))
            outlines.append(screen);
    }
    void repaintNow() override {}
    void initHandle(int index, QSizeF sizeTwips, Qt::CursorShape) override
    {
        handleSizes.at(static_cast<std::size_t>(index)) = sizeTwips;
    }
    void moveHandle(int index, QPointF topLeftTwips) override
    {
        handlePlaces.at(static_cast<std::size_t>(index)) = topLeftTwips;
    }
    void setHandlesVisible(bool visible) override { handlesVisible = visible; }
};
