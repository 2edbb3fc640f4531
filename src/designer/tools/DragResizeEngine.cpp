#include "designer/tools/DragResizeEngine.h"

#include "designer/document/LayoutDocument.h"
#include "designer/tools/DragHost.h"
#include "platform/Twips.h"

#include <algorithm>
#include <array>

namespace {

// Handle 0 sits on the top-left corner, then clockwise; each corner's pointer points across it.
constexpr std::array<Qt::CursorShape, DragResizeEngine::HandleCount> HandlePointers{
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
    Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
};

// The handles are moved opposite pairs first, corners before edges.
constexpr std::array<int, DragResizeEngine::HandleCount> PlacementOrder{0, 4, 1, 5, 2, 6, 3, 7};

// A twips value on the nearest display pixel: to whole twips, then to whole pixels, ties to even.
std::int32_t onDisplayPixel(double twips)
{
    const auto perPixel = static_cast<std::int32_t>(Twips::PerPixel);
    return nearestInt32(nearestInt32(twips) / static_cast<double>(perPixel)) * perPixel;
}

} // namespace

DragResizeEngine::DragResizeEngine(DragHost& host, LayoutDocument& document)
    : m_host(host)
    , m_document(document)
{
}

void DragResizeEngine::InitHandles()
{
    m_handlesShown = false;
    mappingChanged();
    m_current = NoElement;
}

void DragResizeEngine::DragBegin(int element)
{
    if (m_state != Idle || !LayoutDocument::isElement(element))
        return;
    ShowHandles(false);
    m_current = element;
    m_grabOffset = cursor();
    beginDrag(Moving);
    m_grabOffset -= QPoint(m_dragRect.Left(), m_dragRect.Top());
    m_host.releaseMouse();
    m_host.captureMouse();
    confineToWindow();
}

void DragResizeEngine::handlePressed(int handle)
{
    if (m_state != Idle || m_current == NoElement || handle < 0 || handle >= HandleCount)
        return;
    m_grabbedHandle = static_cast<std::int16_t>(handle);
    ShowHandles(false);
    beginDrag(Sizing);
    m_host.captureMouse();
    confineToWindow();
}

// The outline starts on the element's pixels on the screen.
void DragResizeEngine::beginDrag(State state)
{
    m_startTwips.SetRectToCtrl(geometryOf(m_document.element(m_current)));
    m_dragRect = m_startTwips;
    m_dragRect.TwipsToScreen(m_host);
    m_startClient.setLeft(nearestInt32(m_startTwips.Left() / m_host.twipsPerPixelX()));
    m_startClient.setTop(nearestInt32(m_startTwips.Top() / m_host.twipsPerPixelY()));
    m_startClient.setRight(nearestInt32(m_startTwips.Right() / m_host.twipsPerPixelX()));
    m_startClient.setBottom(nearestInt32(m_startTwips.Bottom() / m_host.twipsPerPixelY()));
    m_host.repaintNow();
    DrawDragRect();
    m_state = state;
}

void DragResizeEngine::mouseMoved()
{
    if (m_state == Moving) {
        const std::int32_t width = m_dragRect.Width();
        const std::int32_t height = m_dragRect.Height();
        const QPoint p = cursor();
        DrawDragRect();
        m_dragRect.setLeft(p.x() - m_grabOffset.x());
        m_dragRect.setTop(p.y() - m_grabOffset.y());
        m_dragRect.setWidth(width);
        m_dragRect.setHeight(height);
        DrawDragRect();
    } else if (m_state == Sizing) {
        const QPoint p = cursor();
        DrawDragRect();
        // The edges each handle owns; the others stay, so an edge may pass its opposite.
        switch (m_grabbedHandle) {
        case 0:
            m_dragRect.setLeft(p.x());
            m_dragRect.setTop(p.y());
            break;
        case 1:
            m_dragRect.setTop(p.y());
            break;
        case 2:
            m_dragRect.setRight(p.x());
            m_dragRect.setTop(p.y());
            break;
        case 3:
            m_dragRect.setRight(p.x());
            break;
        case 4:
            m_dragRect.setRight(p.x());
            m_dragRect.setBottom(p.y());
            break;
        case 5:
            m_dragRect.setBottom(p.y());
            break;
        case 6:
            m_dragRect.setLeft(p.x());
            m_dragRect.setBottom(p.y());
            break;
        case 7:
            m_dragRect.setLeft(p.x());
            break;
        default:
            break;
        }
        DrawDragRect();
    }
}

void DragResizeEngine::mouseReleased(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || m_state == Idle)
        return;
    DrawDragRect();
    m_dragRect = dropped();
    m_document.moveElement(m_current, m_dragRect.SetCtrlToRect());
    endDrag();
}

void DragResizeEngine::cancelDrag()
{
    if (m_state == Idle)
        return;
    DrawDragRect();
    m_dragRect = m_startTwips;
    endDrag();
}

void DragResizeEngine::endDrag()
{
    ShowHandles(true);
    m_host.freeCursor();
    m_confinement.reset();
    m_host.releaseMouse();
    m_state = Idle;
}

// Each edge moves by what its outline edge travelled over the canvas, scrolling included, so the
// drop follows the hand at any zoom; then it lands on a display pixel.
CRect DragResizeEngine::dropped() const
{
    const QPoint topLeft = m_host.screenToClient(QPoint(m_dragRect.Left(), m_dragRect.Top()));
    const QPoint bottomRight = m_host.screenToClient(QPoint(m_dragRect.Right(), m_dragRect.Bottom()));
    const double perPixelX = m_host.twipsPerPixelX();
    const double perPixelY = m_host.twipsPerPixelY();
    CRect drop;
    drop.setLeft(onDisplayPixel(m_startTwips.Left() + (topLeft.x() - m_startClient.Left()) * perPixelX));
    drop.setTop(onDisplayPixel(m_startTwips.Top() + (topLeft.y() - m_startClient.Top()) * perPixelY));
    drop.setRight(onDisplayPixel(m_startTwips.Right() + (bottomRight.x() - m_startClient.Right()) * perPixelX));
    drop.setBottom(onDisplayPixel(m_startTwips.Bottom() + (bottomRight.y() - m_startClient.Bottom()) * perPixelY));
    return drop;
}

void DragResizeEngine::ShowHandles(bool show)
{
    if (show && m_current != NoElement) {
        const double hw = nearestInt32(m_handleSize.width()) / 2;
        const double hh = nearestInt32(m_handleSize.height()) / 2;
        const double fx = nearestInt32(0.5 * m_host.twipsPerPixelX());
        const double fy = nearestInt32(0.5 * m_host.twipsPerPixelY());
        const double l = m_dragRect.Left();
        const double t = m_dragRect.Top();
        const double w = m_dragRect.Width();
        const double h = m_dragRect.Height();
        // Handles centre on the edges, the corner ones half a pixel inside, on the element's last pixels.
        const std::array<QPointF, HandleCount> places{
            QPointF(l - hw + fx, t - hh + fy),         QPointF(l + w / 2 - hw, t - hh + fy),
            QPointF(l + w - hw - fx, t - hh + fy),     QPointF(l + w - hw - fx, t + h / 2 - hh),
            QPointF(l + w - hw - fx, t + h - hh - fy), QPointF(l + w / 2 - hw, t + h - hh - fy),
            QPointF(l - hw + fx, t + h - hh - fy),     QPointF(l - hw + fx, t + h / 2 - hh),
        };
        for (int index : PlacementOrder)
            m_host.moveHandle(index, places[static_cast<std::size_t>(index)]);
    }
    m_handlesShown = show && m_current != NoElement;
    m_host.setHandlesVisible(show);
}

void DragResizeEngine::elementChanged(int element)
{
    if (m_state == Idle && element == m_current && m_handlesShown)
        handlesAroundElement();
}

void DragResizeEngine::mappingChanged()
{
    m_handleSize = QSizeF(5.0 * m_host.twipsPerPixelX(), 5.0 * m_host.twipsPerPixelY());
    for (int index = 0; index < HandleCount; ++index)
        m_host.initHandle(index, m_handleSize, HandlePointers[static_cast<std::size_t>(index)]);
    if (m_state == Idle && m_handlesShown)
        handlesAroundElement();
}

void DragResizeEngine::handlesAroundElement()
{
    const ElementData& element = m_document.element(m_current);
    m_dragRect.SetRectToCtrl(geometryOf(element));
    ShowHandles(element.visible);
}

void DragResizeEngine::DrawDragRect()
{
    m_host.invertOutline(m_dragRect);
}

void DragResizeEngine::confineToWindow()
{
    const QRect window = m_host.windowRect();
    m_host.confineCursor(window);
    m_confinement = window;
}

QPoint DragResizeEngine::cursor() const
{
    QPoint p = m_host.cursorPosition();
    // Where the window cannot hold the real cursor, the drag still stops at the window's edges.
    if (m_confinement && m_confinement->isValid()) {
        p.setX(std::clamp(p.x(), m_confinement->left(), m_confinement->right()));
        p.setY(std::clamp(p.y(), m_confinement->top(), m_confinement->bottom()));
    }
    return p;
}

void TwipsToPixelsFixed(std::int32_t& a, std::int32_t& b)
{
    constexpr double Factor = 0.066666667;
    a = nearestInt32(a * Factor);
    b = nearestInt32(b * Factor);
}
