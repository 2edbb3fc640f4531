#include "FakeDragHost.h"
#include "designer/document/LayoutDocument.h"
#include "designer/tools/CRect.h"
#include "designer/tools/DragResizeEngine.h"

#include <QTest>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(ElementGeometry)

char* toString(const ElementGeometry& g)
{
    return QTest::toString(
        QStringLiteral("left %1 top %2 width %3 height %4").arg(g.left).arg(g.top).arg(g.width).arg(g.height));
}

namespace {

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

    void press()
    {
        host.cursor = onElement();
        engine.DragBegin(Numero2);
    }
    void moveTo(QPoint screen)
    {
        host.cursor = screen;
        engine.mouseMoved();
    }
    void click()
    {
        press();
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
    void clickSnapsToWholePixels_data()
    {
        QTest::addColumn<double>("perPixel");
        QTest::addColumn<ElementGeometry>("before");
        QTest::addColumn<ElementGeometry>("after");
        QTest::newRow("2887 snaps to 2880") << 15.0 << Box{2887, 1500, 3000, 600} << Box{2880, 1500, 3000, 600};
        QTest::newRow("2880 stays") << 15.0 << Box{2880, 1500, 3000, 600} << Box{2880, 1500, 3000, 600};
        QTest::newRow("fractions") << 15.0 << Box{300.4f, 450.6f, 1000.5f, 299.5f} << Box{300, 450, 1005, 300};
        // 22.5 twips is 22 (even), 1.47 pixels: back at 15. Rounding half up would give 23, then 30.
        QTest::newRow("half twip to even") << 15.0 << Box{22.5f, 0, 150, 150} << Box{15, 0, 150, 150};
        // 45 twips is 4.5 pixels at 10 twips per pixel: 4 pixels, not 5.
        QTest::newRow("half pixel to even") << 10.0 << Box{45, 0, 100, 100} << Box{40, 0, 100, 100};
        // Zoomed twice: 22 twips is 3 pixels, back 22.5 twips, kept as 22.
        QTest::newRow("zoomed") << 7.5 << Box{22, 7.5f, 2887, 600} << Box{22, 8, 2888, 600};
    }

    void clickSnapsToWholePixels()
    {
        QFETCH(double, perPixel);
        QFETCH(ElementGeometry, before);
        QFETCH(ElementGeometry, after);
        Rig rig(before, perPixel);

        rig.press();
        QCOMPARE(rig.engine.state(), DragResizeEngine::Moving);
        QVERIFY(rig.host.captured);
        QCOMPARE(rig.host.confinedTo, std::optional<QRect>(rig.host.window));
        QCOMPARE(rig.host.outlines.size(), 1);
        rig.engine.mouseReleased(Qt::LeftButton);

        rig.verifyIdle();
        QVERIFY(rig.host.handlesVisible);
        QCOMPARE(rig.engine.currentElement(), Numero2);
        QCOMPARE(rig.element(), after);
        // A click that changes nothing leaves no undo step; one that snaps leaves one, undone exactly.
        QCOMPARE(rig.document.undoStack()->count(), before == after ? 0 : 1);
        rig.document.undoStack()->undo();
        QCOMPARE(rig.element(), before);
    }

    void moveKeepsTheGrabPoint_data()
    {
        QTest::addColumn<double>("perPixel");
        QTest::addColumn<QPoint>("scrolled");
        QTest::newRow("canvas at its origin") << 15.0 << QPoint();
        QTest::newRow("canvas scrolled") << 15.0 << QPoint(700, 320);
        QTest::newRow("canvas zoomed and scrolled") << 7.5 << QPoint(3000, 1500);
    }

    void moveKeepsTheGrabPoint()
    {
        QFETCH(double, perPixel);
        QFETCH(QPoint, scrolled);
        const ElementGeometry start{27000, 13500, 1500, 750};
        Rig rig(start, perPixel, scrolled);
        const QPoint grab = rig.onElement({30, 20});
        rig.host.cursor = grab;
        rig.engine.DragBegin(Numero2);
        const CRect outline = rig.host.outlines.value(0);

        for (int step = 1; step <= 40; ++step)
            rig.moveTo(grab + QPoint(step, -step / 2));
        QCOMPARE(rig.host.outlines.size(), 1);
        const CRect moved = rig.host.outlines.value(0);
        QCOMPARE(QRect(moved.Left(), moved.Top(), moved.Width(), moved.Height()),
                 QRect(outline.Left() + 40, outline.Top() - 20, outline.Width(), outline.Height()));
        QCOMPARE(rig.element(), start); // the element waits for the release

        rig.engine.mouseReleased(Qt::LeftButton);
        rig.verifyIdle();
        const auto dx = static_cast<float>(40 * perPixel);
        const auto dy = static_cast<float>(20 * perPixel);
        QCOMPARE(rig.element(), (Box{27000 + dx, 13500 - dy, 1500, 750}));
        QCOMPARE(rig.document.undoStack()->count(), 1);
    }

    void sizingMovesTheGrabbedEdges_data()
    {
        // The element spans canvas pixels 100 .. 200 across and 100 .. 150 down.
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("to"); // canvas pixels
        QTest::addColumn<ElementGeometry>("after");
        QTest::newRow("0 top-left") << 0 << QPoint(90, 80) << Box{1350, 1200, 1650, 1050};
        QTest::newRow("1 top") << 1 << QPoint(500, 120) << Box{1500, 1800, 1500, 450};
        QTest::newRow("2 top-right") << 2 << QPoint(250, 90) << Box{1500, 1350, 2250, 900};
        QTest::newRow("3 right past the left edge") << 3 << QPoint(60, 0) << Box{900, 1500, 600, 750};
        QTest::newRow("4 bottom-right") << 4 << QPoint(250, 200) << Box{1500, 1500, 2250, 1500};
        QTest::newRow("5 bottom onto the top") << 5 << QPoint(0, 100) << Box{1500, 1500, 1500, 0};
        QTest::newRow("6 bottom-left") << 6 << QPoint(80, 180) << Box{1200, 1500, 1800, 1200};
        QTest::newRow("7 left onto the right") << 7 << QPoint(200, 999) << Box{3000, 1500, 0, 750};
    }

    void sizingMovesTheGrabbedEdges()
    {
        QFETCH(int, handle);
        QFETCH(QPoint, to);
        QFETCH(ElementGeometry, after);
        Rig rig({1500, 1500, 1500, 750});
        rig.click();

        rig.engine.handlePressed(handle);
        QCOMPARE(rig.engine.state(), DragResizeEngine::Sizing);
        QVERIFY(!rig.host.handlesVisible);
        QVERIFY(rig.host.captured);
        rig.moveTo(rig.host.clientToScreen(to + QPoint(7, 3)));
        rig.moveTo(rig.host.clientToScreen(to));
        QCOMPARE(rig.host.outlines.size(), 1);
        rig.engine.mouseReleased(Qt::LeftButton);

        rig.verifyIdle();
        QCOMPARE(rig.element(), after);
        QCOMPARE(rig.document.undoStack()->count(), 1);
    }

    void sizingEndsOnlyAtALeftRelease()
    {
        Rig rig({1500, 1500, 1500, 750});
        rig.click();
        rig.engine.ShowHandles(false); // a left click on the background: the element stays current
        rig.engine.handlePressed(3);   // pressed with the right button

        rig.moveTo(rig.host.clientToScreen({300, 0}));
        rig.engine.mouseReleased(Qt::RightButton);
        rig.engine.mouseReleased(Qt::MiddleButton);
        QCOMPARE(rig.engine.state(), DragResizeEngine::Sizing);
        QCOMPARE(rig.host.outlines.size(), 1);
        QCOMPARE(rig.document.undoStack()->count(), 0);
        rig.engine.DragBegin(Numero2); // presses during a drag start nothing
        rig.engine.handlePressed(0);
        QCOMPARE(rig.engine.grabbedHandle(), 3);

        rig.moveTo(rig.host.clientToScreen({400, 0}));
        rig.engine.mouseReleased(Qt::LeftButton);
        rig.verifyIdle();
        QCOMPARE(rig.element(), (Box{1500, 1500, 4500, 750}));

        // Idle again: moves and releases do nothing.
        rig.moveTo(rig.host.clientToScreen({10, 10}));
        rig.engine.mouseReleased(Qt::LeftButton);
        QVERIFY(rig.host.outlines.isEmpty());
        QCOMPARE(rig.document.undoStack()->count(), 1);
    }

    void dropStaysInsideTheWindow_data()
    {
        // Element at canvas pixel (10, 10), grabbed 20 pixels into it; the window's outer rectangle
        // runs from screen (100, 50) to (2035, 1168), the canvas starts at (108, 81).
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<ElementGeometry>("after");
        QTest::newRow("onto the title bar") << QPoint(400, 60) << Box{4080, -615, 1500, 750};
        QTest::newRow("past the top-left") << QPoint(-500, -500) << Box{-420, -765, 1500, 750};
        QTest::newRow("past the bottom-right") << QPoint(5000, 5000) << Box{28605, 16005, 1500, 750};
    }

    void dropStaysInsideTheWindow()
    {
        QFETCH(QPoint, to);
        QFETCH(ElementGeometry, after);
        Rig rig({150, 150, 1500, 750});
        rig.host.cursor = rig.onElement({20, 20});
        rig.engine.DragBegin(Numero2);
        rig.moveTo(to);
        rig.engine.mouseReleased(Qt::LeftButton);
        QCOMPARE(rig.element(), after);
    }

    void handlesSurroundTheElement_data()
    {
        QTest::addColumn<double>("perPixel");
        QTest::addColumn<double>("handleSize");
        QTest::addColumn<QList<QPointF>>("places");
        // Odd widths and heights in pixels: the middle handles sit on exact halves of twips.
        QTest::newRow("15 twips per pixel")
            << 15.0 << 75.0 << QList<QPointF>{{1471, 2971}, {2220.5, 2971}, {2970, 2971}, {2970, 3705.5},
                                              {2970, 4440}, {2220.5, 4440}, {1471, 4440}, {1471, 3705.5}};
        QTest::newRow("zoomed twice") << 7.5 << 37.5
                                      << QList<QPointF>{{1485, 2985}, {2238.5, 2985}, {2992, 2985}, {2992, 3723.5},
                                                        {2992, 4462}, {2238.5, 4462}, {1485, 4462}, {1485, 3723.5}};
    }

    void handlesSurroundTheElement()
    {
        QFETCH(double, perPixel);
        QFETCH(double, handleSize);
        QFETCH(QList<QPointF>, places);
        Rig rig({1500, 3000, 1515, 1485}, perPixel);
        QCOMPARE(rig.host.handleSizes[7], QSizeF(handleSize, handleSize));
        rig.click();
        QVERIFY(rig.host.handlesVisible);
        for (int index = 0; index < DragResizeEngine::HandleCount; ++index)
            QCOMPARE(rig.host.handlePlaces.at(static_cast<std::size_t>(index)), places.at(index));
    }

    void twipsToPixelsFixed_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("301 is 20.07") << 301 << 20;
        QTest::newRow("308 is 20.53") << 308 << 21;
        QTest::newRow("7 is 0.47") << 7 << 0;
        QTest::newRow("8 is 0.53") << 8 << 1;
        QTest::newRow("negative") << -308 << -21;
        // The factor is a little over a fifteenth, which shows on large values: 6666667.47 pixels.
        QTest::newRow("not a fifteenth") << 100000012 << 6666668;
        QTest::newRow("largest") << std::numeric_limits<std::int32_t>::max() << 143165577;
    }

    void twipsToPixelsFixed()
    {
        QFETCH(int, twips);
        QFETCH(int, pixels);
        std::int32_t height = twips;
        std::int32_t width = -twips;
        TwipsToPixelsFixed(height, width);
        QCOMPARE(height, pixels);
        QCOMPARE(width, -pixels);
    }

    void rectangleArithmetic()
    {
        CRect rect;
        rect.SetRectToCtrl({2.5f, 3.5f, 1.0f, -7.0f});
        QCOMPARE(rect.Left(), 2); // ties to even
        QCOMPARE(rect.Top(), 4);
        QCOMPARE(rect.Right(), 4);   // 3.5
        QCOMPARE(rect.Bottom(), -4); // -3.5
        QCOMPARE(rect.SetCtrlToRect(), (Box{2, -4, 2, 8}));

        QVERIFY(rect.PtInRect(2.0f, -4.0f));
        QVERIFY(rect.PtInRect(3.99f, 3.99f));
        QVERIFY(!rect.PtInRect(4.0f, 0.0f));
        QVERIFY(!rect.PtInRect(2.0f, 4.0f));

        // A corrupt layout value runs into the ends of the range, not past them.
        const float huge = 1e20f;
        rect.SetRectToCtrl({-huge, std::nanf(""), huge, huge});
        QCOMPARE(rect.Left(), std::numeric_limits<std::int32_t>::min());
        QCOMPARE(rect.Top(), 0);
        QCOMPARE(rect.Width(), std::numeric_limits<std::int32_t>::max());
    }
};

QTEST_GUILESS_MAIN(TestDragEngine)
#include "tst_dragengine.moc"
