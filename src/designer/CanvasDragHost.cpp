#include "designer/CanvasDragHost.h"

#include "designer/tools/CRect.h"
#include "platform/Twips.h"

#include <QEvent>
#include <QList>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>
#include <functional>

// The layer the drag outline is drawn on: as large as the visible part of the canvas, above it,
// transparent and deaf to the mouse. It keeps the outlines in screen pixels; drawing one that is
// already there takes it away, as inverted drawing does.
class DragOutline : public QWidget
{
public:
    explicit DragOutline(QWidget* viewport)
        : QWidget(viewport)
    {
        setObjectName(QStringLiteral("DragOutline"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        viewport->installEventFilter(this);
        setGeometry(viewport->rect());
        hide();
    }

    void toggle(const CRect& screen)
    {
        const QRect box = QRect(QPoint(screen.Left(), screen.Top()), QPoint(screen.Right(), screen.Bottom()))
                              .normalized()
                              .adjusted(0, 0, -1, -1);
        if (!m_outlines.removeOne(box))
            m_outlines.append(box);
        if (!m_outlines.isEmpty() && isHidden()) {
            raise();
            show();
        } else {
            update(band(box));
        }
    }

    // Every move erases the old outline before it draws the new one: hiding the layer in between
    // would repaint the whole visible canvas each time, so it goes only when the drag is over.
    void hideIfEmpty()
    {
        if (m_outlines.isEmpty())
            hide();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return false;
    }

    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        // Inverting needs a raster surface; where there is none, a black and white line still shows.
        const bool inverting = painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
        if (inverting)
            painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        for (const QRect& box : std::as_const(m_outlines)) {
            const QRegion shown = band(box) & event->region();
            for (const QRect& part : shown) {
                if (inverting)
                    painter.fillRect(part, Qt::black);
                else
                    painter.fillRect(part, QBrush(Qt::black, Qt::Dense4Pattern));
            }
        }
    }

private:
    // The outline's 2-pixel stroke around a box in screen pixels, in this layer's coordinates; each
    // pixel once, so inverting it twice never happens within one outline.
    QRegion band(const QRect& screen) const
    {
        const QRect box(mapFromGlobal(screen.topLeft()), screen.size());
        const QRect outer = box.adjusted(-1, -1, 1, 1);
        const QRect inner = box.adjusted(1, 1, -1, -1);
        return QRegion(outer).subtracted(inner.isValid() ? QRegion(inner) : QRegion());
    }

    QList<QRect> m_outlines;
};

// One of the eight sizing handles: a 5 by 5 pixel square with the sizing pointer of its place. A
// press with any button starts sizing.
class SizingHandle : public QWidget
{
public:
    SizingHandle(int index, QWidget* canvas, std::function<void(int, QPoint)> pressed)
        : QWidget(canvas)
        , m_index(index)
        , m_pressed(std::move(pressed))
    {
        setObjectName(QStringLiteral("picHandle_%1").arg(index));
        setAttribute(Qt::WA_OpaquePaintEvent);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        // Black on a white rim, seen on any background.
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(rect().adjusted(1, 1, -1, -1), Qt::black);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        event->accept();
        m_pressed(m_index, event->globalPosition().toPoint());
    }

private:
    int m_index;
    std::function<void(int, QPoint)> m_pressed;
};

CanvasDragHost::CanvasDragHost(QWidget& window, QScrollArea& scroll, QWidget& canvas)
    : m_window(window)
    , m_scroll(scroll)
    , m_canvas(canvas)
{
    m_outline = new DragOutline(scroll.viewport());
    for (std::size_t index = 0; index < picHandle.size(); ++index) {
        picHandle[index] = new SizingHandle(static_cast<int>(index), &canvas, [this](int handle, QPoint global) {
            m_cursor = global;
            emit handlePressed(handle);
        });
    }
    m_scrollTimer.setInterval(ScrollIntervalMs);
    connect(&m_scrollTimer, &QTimer::timeout, this, &CanvasDragHost::scrollOnce);
}

CanvasDragHost::~CanvasDragHost() = default;

QPoint CanvasDragHost::clientToScreen(QPoint client) const
{
    return m_canvas.mapToGlobal(client);
}

QPoint CanvasDragHost::screenToClient(QPoint screen) const
{
    return m_canvas.mapFromGlobal(screen);
}

double CanvasDragHost::twipsPerPixelX() const
{
    return Twips::PerPixel / m_zoom;
}

double CanvasDragHost::twipsPerPixelY() const
{
    return Twips::PerPixel / m_zoom;
}

void CanvasDragHost::captureMouse()
{
    // Moves with no button held count too: sizing begun with the right button goes on after its
    // release, until the left one is released.
    m_canvas.setMouseTracking(true);
    m_canvas.grabMouse();
}

void CanvasDragHost::releaseMouse()
{
    if (QWidget::mouseGrabber() == &m_canvas)
        m_canvas.releaseMouse();
    m_outline->hideIfEmpty();
    m_canvas.setMouseTracking(false);
    m_scrollTimer.stop();
}

// The engine holds every position inside the rectangle itself; see the class comment.
void CanvasDragHost::confineCursor(const QRect&) {}

void CanvasDragHost::freeCursor() {}

QRect CanvasDragHost::windowRect() const
{
    return m_window.frameGeometry();
}

void CanvasDragHost::invertOutline(const CRect& screen)
{
    m_outline->toggle(screen);
}

// Handles just hidden are repainted over by Qt's own painting, in the same pass as the outline
// layer, so nothing is left to clean up at once.
void CanvasDragHost::repaintNow() {}

void CanvasDragHost::initHandle(int index, QSizeF sizeTwips, Qt::CursorShape pointer)
{
    SizingHandle* handle = picHandle.at(static_cast<std::size_t>(index));
    handle->resize(nearestInt32(sizeTwips.width() / twipsPerPixelX()),
                   nearestInt32(sizeTwips.height() / twipsPerPixelY()));
    handle->setCursor(pointer);
    handle->raise();
}

void CanvasDragHost::moveHandle(int index, QPointF topLeftTwips)
{
    picHandle.at(static_cast<std::size_t>(index))
        ->move(nearestInt32(topLeftTwips.x() / twipsPerPixelX()), nearestInt32(topLeftTwips.y() / twipsPerPixelY()));
}

void CanvasDragHost::setHandlesVisible(bool visible)
{
    for (SizingHandle* handle : picHandle) {
        handle->setVisible(visible);
        if (visible)
            handle->raise();
    }
    emit handlesShown(visible);
}

void CanvasDragHost::followCursor(bool dragging)
{
    if (dragging && !scrollStep().isNull()) {
        if (!m_scrollTimer.isActive())
            m_scrollTimer.start();
    } else {
        m_scrollTimer.stop();
    }
}

// Pixels per tick toward the edges the cursor is near: nothing outside the margins, then growing
// with the depth into the margin (and past the visible part, over the scroll bars or the frame).
QPoint CanvasDragHost::scrollStep() const
{
    QWidget* viewport = m_scroll.viewport();
    const QRect visible(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
    const auto step = [](int position, int low, int high) {
        constexpr int MaxStep = 40;
        if (position < low + ScrollMargin)
            return -std::min(MaxStep, 2 + (low + ScrollMargin - position) / 2);
        if (position > high - ScrollMargin)
            return std::min(MaxStep, 2 + (position - (high - ScrollMargin)) / 2);
        return 0;
    };
    return {step(m_cursor.x(), visible.left(), visible.right()), step(m_cursor.y(), visible.top(), visible.bottom())};
}

void CanvasDragHost::scrollOnce()
{
    const QPoint step = scrollStep();
    QScrollBar* horizontal = m_scroll.horizontalScrollBar();
    QScrollBar* vertical = m_scroll.verticalScrollBar();
    const QPoint before(horizontal->value(), vertical->value());
    horizontal->setValue(horizontal->value() + step.x());
    vertical->setValue(vertical->value() + step.y());
    // At the canvas's ends there is nothing more to show.
    if (QPoint(horizontal->value(), vertical->value()) == before)
        m_scrollTimer.stop();
}
