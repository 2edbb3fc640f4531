#pragma once

#include "designer/tools/CRect.h"

#include <QPoint>
#include <QRect>
#include <QSizeF>
#include <Qt>
#include <cstdint>
#include <optional>

class DragHost;
class LayoutDocument;

// Moves and sizes the designer's elements with the mouse. While the button is held the element
// stays put and an inverted outline follows the cursor; the left button's release moves and sizes
// the element to the outline in one command on the document and shows the eight handles around it.
//
// The outline lives in screen pixels during a drag. On release each edge moves by the distance its
// outline edge travelled over the canvas, in twips at the canvas's twips per pixel (15 / zoom), and
// lands on a whole display pixel (a multiple of 15 twips): at any zoom a click leaves an element on
// the display pixel nearest to where it was. Elements are named by their position in the element
// list.
class DragResizeEngine
{
public:
    enum State : std::int32_t { Idle = 0, Moving = 1, Sizing = 2 };
    static constexpr int HandleCount = 8;
    static constexpr int NoElement = -1;

    DragResizeEngine(DragHost& host, LayoutDocument& document);

    // Gives the handles their size (5 by 5 canvas pixels) and pointers; no element is current.
    void InitHandles();

    // A left press on `element`: starts moving it. Ignored during a drag, whose capture keeps
    // presses from the elements anyway.
    void DragBegin(int element);
    // A press with any button on handle `handle` (0 .. 7): starts sizing the current element.
    void handlePressed(int handle);
    // Every mouse move reaching the window; the capture sends them all during a drag.
    void mouseMoved();
    // Only the left button's release ends a drag; sizing begun with another button goes on.
    void mouseReleased(Qt::MouseButton button);
    // Escape: the outline goes, the element stays where it was and keeps its handles.
    void cancelDrag();

    // With `show` and a current element, places the handles around the drag rectangle (then in
    // twips); in every case shows or hides all eight.
    void ShowHandles(bool show);
    // The document changed `element`: shown handles around it follow it, or go with it when hidden.
    void elementChanged(int element);
    // The canvas's twips per pixel changed: the handles keep 5 by 5 screen pixels and their place.
    void mappingChanged();

    State state() const { return m_state; }
    int currentElement() const { return m_current; }
    int grabbedHandle() const { return m_grabbedHandle; }
    const CRect& dragRect() const { return m_dragRect; }
    // The current element is the selected one exactly while its handles show.
    bool handlesShown() const { return m_handlesShown; }

private:
    void beginDrag(State state);
    void handlesAroundElement();
    CRect dropped() const;
    void endDrag();
    void DrawDragRect();
    void confineToWindow();
    QPoint cursor() const;

    DragHost& m_host;
    LayoutDocument& m_document;
    State m_state = Idle;
    int m_current = NoElement;
    std::int16_t m_grabbedHandle = 0;
    CRect m_dragRect;
    // The element's edges in twips and in canvas pixels when the drag began.
    CRect m_startTwips;
    CRect m_startClient;
    QPoint m_grabOffset;
    bool m_handlesShown = false;
    QSizeF m_handleSize;
    std::optional<QRect> m_confinement;
};

// An element's height and width in twips to pixels with the fixed factor 0.066666667, whatever the
// canvas's twips per pixel: the property editor shows these numbers.
void TwipsToPixelsFixed(std::int32_t& a, std::int32_t& b);
