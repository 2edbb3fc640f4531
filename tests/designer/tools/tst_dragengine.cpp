#include "designer/document/LayoutDocument.h"
#include "designer/tools/CRect.h"
#include "designer/tools/DragHost.h"
#include "designer/tools/DragResizeEngine.h"

#include <QList>
#include <QTest>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

Q_DECLARE_METATYPE(ElementGeometry)

char* toString(const ElementGeometry& g)
{
    return QTest::toString(
        QStringLiteral("left %1 top %2 width %3 height %4").arg(g.left).arg(g.top).arg(g.width).arg(g.height));
}

namespace {

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
    void initHandle(int, QSizeF, Qt::CursorShape) override {}
    void moveHandle(int index, QPointF topLeftTwips) override
    {
        handlePlaces.at(static_cast<std::size_t>(index)) = topLeftTwips;
    }
    void setHandlesVisible(bool visible) override { handlesVisible = visible; }
};

constexpr int Numero2 = 4;
using Box = ElementGeometry; // left, top, width, height in twips

// A fake window around a real document holding one element.
struct Rig {
    FakeDragHost host;
    LayoutDocument document;
    DragResizeEngine engine{host, document};

    Rig(const ElementGeometry& element, double perPixel = 15.0, QPoint scrolled = {})
    {
        host.perPixelX = host.perPixelY = perPixel;
        host.clientOrigin -= scrolled;
        LayoutDocument::Elements elements{};
        elements[Numero2] = withGeometry(ElementData{}, element);
        document.load(elements, 0, std::nullopt);
        engine.InitHandles();
    }

    ElementGeometry element() const { return geometryOf(document.element(Numero2)); }

    // The screen point `offset` pixels from the element's top-left corner.
    QPoint onElement(QPoint offset = {5, 5}) const
    {
        const ElementGeometry now = element();
        return host.clientToScreen(
                   QPoint(nearestInt32(now.left / host.perPixelX), nearestInt32(now.top / host.perPixelY))) +
               offset;
    }

    void moveTo(QPoint screen)
    {
        host.cursor = screen;
        engine.mouseMoved();
    }
    void click()
    {
        host.cursor = onElement();
        engine.DragBegin(Numero2);
        engine.mouseReleased(Qt::LeftButton);
    }

    // Nothing of the drag is left over: no outline, no capture, no confinement.
    void verifyIdle() const
    {
        QCOMPARE(engine.state(), DragResizeEngine::Idle);
        QVERIFY(host.outlines.isEmpty());
        QVERIFY(!host.captured);
        QVERIFY(!host.confinedTo);
    }
};

} // namespace

class TestDragEngine : public QObject
{
    Q_OBJECT

private slots:
    // A click (no distance) or a move: each edge goes as far as the hand went over the canvas, in
    // twips at the zoom (15 twips per pixel at 1:1, 30 at 50%, 22.5 at fit zoom, 7.5 at 200%), and
    // lands on the nearest display pixel, so a click leaves an element on its own nearest pixel.
    // The cursor is held inside the window's outer rectangle, (100, 50) to (2035, 1168).
    void dropLandsOnDisplayPixels_data()
    {
        QTest::addColumn<double>("perPixel");
        QTest::addColumn<QPoint>("scrolled");
        QTest::addColumn<ElementGeometry>("before");
        QTest::addColumn<QPoint>("distance"); // screen pixels from (30, 20) into the element
        QTest::addColumn<ElementGeometry>("after");
        const Box far{27000, 13500, 1500, 750};
        const Box near{150, 150, 1500, 750}; // grabbed at screen (148, 111)
        const Box title{2887, 1502, 3000, 600};
        const QPoint none;
        QTest::newRow("2887 snaps to 2880") << 15.0 << none << title << none << Box{2880, 1500, 3000, 600};
        QTest::newRow("fractions") << 15.0 << none << Box{300.4f, 450.6f, 1000.5f, 299.5f} << none
                                   << Box{300, 450, 1005, 300};
        // 22.5 twips is 22 (even), 1.47 pixels: back at 15. Rounding half up would give 23, then 30.
        QTest::newRow("half twip to even") << 15.0 << none << Box{22.5f, 0, 150, 150} << none << Box{15, 0, 150, 150};
        QTest::newRow("50%") << 30.0 << none << title << none << Box{2880, 1500, 3000, 600};
        QTest::newRow("fit zoom") << 22.5 << none << Box{2895, 22.5f, 1507.5f, 600} << none << Box{2895, 15, 1500, 600};
        QTest::newRow("200%") << 7.5 << none << Box{22, 7.5f, 2887, 600} << none << Box{15, 15, 2895, 600};
        QTest::newRow("move") << 15.0 << none << far << QPoint(40, -20) << Box{27600, 13200, 1500, 750};
        QTest::newRow("move, canvas scrolled")
            << 15.0 << QPoint(700, 320) << far << QPoint(40, -20) << Box{27600, 13200, 1500, 750};
        QTest::newRow("move at 50%: twice the screen distance")
            << 30.0 << QPoint(500, 200) << far << QPoint(40, -20) << Box{28200, 12900, 1500, 750};
        QTest::newRow("move at fit zoom from between pixels")
            << 22.5 << none << title << QPoint(40, -20) << Box{3780, 1050, 3000, 600};
        QTest::newRow("onto the title bar") << 15.0 << none << near << QPoint(252, -51) << Box{3930, -615, 1500, 750};
        QTest::newRow("past the top-left") << 15.0 << none << near << QPoint(-648, -611) << Box{-570, -765, 1500, 750};
        QTest::newRow("past the bottom-right")
            << 15.0 << none << near << QPoint(4852, 4889) << Box{28455, 16005, 1500, 750};
    }

    void dropLandsOnDisplayPixels()
    {
        QFETCH(double, perPixel);
        QFETCH(QPoint, scrolled);
        QFETCH(ElementGeometry, before);
        QFETCH(QPoint, distance);
        QFETCH(ElementGeometry, after);
        Rig rig(before, perPixel, scrolled);
        const QPoint grab = rig.onElement({30, 20});
        rig.host.cursor = grab;
        rig.engine.DragBegin(Numero2);
        QCOMPARE(rig.engine.state(), DragResizeEngine::Moving);
        QVERIFY(rig.host.captured);
        QCOMPARE(rig.host.confinedTo, std::optional<QRect>(rig.host.window));
        for (int step = 1; step <= 40; ++step)
            rig.moveTo(grab + distance * step / 40);
        QCOMPARE(rig.host.outlines.size(), 1);
        QCOMPARE(rig.element(), before); // the element waits for the release

        rig.engine.mouseReleased(Qt::LeftButton);
        rig.verifyIdle();
        QVERIFY(rig.host.handlesVisible);
        QCOMPARE(rig.engine.currentElement(), Numero2);
        QCOMPARE(rig.element(), after);
        // A drop that changes nothing leaves no undo step; one that does leaves one, undone exactly.
        QCOMPARE(rig.document.undoStack()->count(), before == after ? 0 : 1);
        rig.document.undoStack()->undo();
        QCOMPARE(rig.element(), before);
    }

    // Each handle moves its edges to the cursor, past the opposite edge at most onto it. Sizing begun
    // with another button goes on past that button's release, until the left one's; presses meanwhile
    // start nothing, and once idle moves and releases do nothing.
    void sizingMovesTheGrabbedEdges_data()
    {
        // The element spans canvas pixels 100 .. 200 across and 100 .. 150 down.
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("to"); // canvas pixels
        QTest::addColumn<ElementGeometry>("after");
        QTest::addColumn<Qt::MouseButton>("button"); // that pressed the handle
        const Qt::MouseButton left = Qt::LeftButton;
        QTest::newRow("0 top-left") << 0 << QPoint(90, 80) << Box{1350, 1200, 1650, 1050} << left;
        QTest::newRow("1 top") << 1 << QPoint(500, 120) << Box{1500, 1800, 1500, 450} << left;
        QTest::newRow("2 top-right") << 2 << QPoint(250, 90) << Box{1500, 1350, 2250, 900} << left;
        QTest::newRow("3 right past the left edge") << 3 << QPoint(60, 0) << Box{900, 1500, 600, 750} << left;
        QTest::newRow("3 right, the right button")
            << 3 << QPoint(400, 0) << Box{1500, 1500, 4500, 750} << Qt::RightButton;
        QTest::newRow("4 bottom-right") << 4 << QPoint(250, 200) << Box{1500, 1500, 2250, 1500} << left;
        QTest::newRow("5 bottom onto the top") << 5 << QPoint(0, 100) << Box{1500, 1500, 1500, 0} << left;
        QTest::newRow("6 bottom-left") << 6 << QPoint(80, 180) << Box{1200, 1500, 1800, 1200} << left;
        QTest::newRow("7 left onto the right") << 7 << QPoint(200, 999) << Box{3000, 1500, 0, 750} << left;
    }

    void sizingMovesTheGrabbedEdges()
    {
        QFETCH(int, handle);
        QFETCH(QPoint, to);
        QFETCH(ElementGeometry, after);
        QFETCH(Qt::MouseButton, button);
        Rig rig({1500, 1500, 1500, 750});
        rig.click();

        rig.engine.handlePressed(handle);
        QCOMPARE(rig.engine.state(), DragResizeEngine::Sizing);
        QVERIFY(!rig.host.handlesVisible);
        QVERIFY(rig.host.captured);
        rig.moveTo(rig.host.clientToScreen(to + QPoint(7, 3)));
        if (button != Qt::LeftButton) {
            rig.engine.mouseReleased(button);
            rig.engine.mouseReleased(Qt::MiddleButton);
            rig.engine.DragBegin(Numero2);
            rig.engine.handlePressed(0);
            QCOMPARE(rig.engine.state(), DragResizeEngine::Sizing);
            QCOMPARE(rig.engine.grabbedHandle(), handle);
        }
        rig.moveTo(rig.host.clientToScreen(to));
        QCOMPARE(rig.host.outlines.size(), 1);
        rig.engine.mouseReleased(Qt::LeftButton);
        rig.moveTo(rig.host.clientToScreen({10, 10}));
        rig.engine.mouseReleased(Qt::LeftButton);

        rig.verifyIdle();
        QCOMPARE(rig.element(), after);
        QCOMPARE(rig.document.undoStack()->count(), 1);
    }

    // Odd widths and heights in pixels: the middle handles sit on exact halves of twips.
    void handlesSurroundTheElement()
    {
        Rig rig({1500, 3000, 1515, 1485});
        rig.click();
        QVERIFY(rig.host.handlesVisible);
        const QList<QPointF> places{{1471, 2971}, {2220.5, 2971}, {2970, 2971}, {2970, 3705.5},
                                    {2970, 4440}, {2220.5, 4440}, {1471, 4440}, {1471, 3705.5}};
        for (int index = 0; index < DragResizeEngine::HandleCount; ++index)
            QCOMPARE(rig.host.handlePlaces.at(static_cast<std::size_t>(index)), places.at(index));
    }

    // A corrupt layout value runs into the ends of the range, not past them.
    void rectangleSaturates()
    {
        CRect rect;
        const float huge = 1e20f;
        rect.SetRectToCtrl({-huge, std::nanf(""), huge, huge});
        QCOMPARE(rect.Left(), std::numeric_limits<std::int32_t>::min());
        QCOMPARE(rect.Top(), 0);
        QCOMPARE(rect.Width(), std::numeric_limits<std::int32_t>::max());
    }
};

QTEST_GUILESS_MAIN(TestDragEngine)
#include "tst_dragengine.moc"
