#pragma once

#include "designer/tools/DragHost.h"

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <array>

class DragOutline;
class QScrollArea;
class SizingHandle;

// The designer window as the drag-and-resize engine sees it, in Qt.
//
// The cursor is the global position of the mouse event being handled, never QCursor::pos(), which
// synthetic and remote input leave where it was. The canvas grabs the mouse during a drag, so every
// move and release reaches it wherever the pointer goes. Qt cannot hold the real pointer inside a
// rectangle on every platform; the engine holds each position it reads inside the window's outer
// rectangle instead, which gives the same drop. The outline is drawn inverted over the visible
// part of the canvas by a transparent layer above it, in screen coordinates, so it stays put while
// the canvas scrolls under it; client coordinates are the canvas's own, scrolling included. A drag
// held near an edge of the visible part scrolls the canvas toward it, so every place of a display
// larger than the operator's screen can be reached.
class CanvasDragHost : public QObject, public DragHost
{
    Q_OBJECT
public:
    // How near the edge of the visible part a held drag starts scrolling, and how often it scrolls.
    static constexpr int ScrollMargin = 24;
    static constexpr int ScrollIntervalMs = 20;

    CanvasDragHost(QWidget& window, QScrollArea& scroll, QWidget& canvas);
    ~CanvasDragHost() override;

    // The global position of the mouse event being handled; the engine reads it until the next one.
    void setCursorPosition(QPoint global) { m_cursor = global; }

    // After each move: while `dragging`, a cursor in the scrolling margin (or past it) keeps the
    // canvas scrolling toward that edge, faster the deeper it goes; elsewhere scrolling stops.
    void followCursor(bool dragging);
    bool isScrolling() const { return m_scrollTimer.isActive(); }

    // Canvas pixels per display pixel: twips per canvas pixel are 15 / zoom. Handles keep their
    // 5 by 5 screen pixels.
    void setZoom(double zoom) { m_zoom = zoom; }

    QPoint clientToScreen(QPoint client) const override;
    QPoint screenToClient(QPoint screen) const override;
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    QPoint cursorPosition() const override { return m_cursor; }
    void captureMouse() override;
    void releaseMouse() override;
    void confineCursor(const QRect& screen) override;
    void freeCursor() override;
    QRect windowRect() const override;
    void invertOutline(const CRect& screen) override;
    void repaintNow() override;
    void initHandle(int index, QSizeF sizeTwips, Qt::CursorShape pointer) override;
    void moveHandle(int index, QPointF topLeftTwips) override;
    void setHandlesVisible(bool visible) override;

signals:
    // A press with any button on sizing handle `index`, its cursor already taken.
    void handlePressed(int index);
    // The handles were shown or hidden: shown, they mark the selected element.
    void handlesShown(bool shown);

private:
    QPoint scrollStep() const;
    void scrollOnce();

    QWidget& m_window;
    QScrollArea& m_scroll;
    QWidget& m_canvas;
    DragOutline* m_outline = nullptr;
    std::array<SizingHandle*, 8> picHandle{};
    QPoint m_cursor;
    double m_zoom = 1.0;
    QTimer m_scrollTimer;
};
