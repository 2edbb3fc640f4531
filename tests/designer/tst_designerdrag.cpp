#include "core/SampleLayout.h"
#include "data/RecordSet.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/DesignerCanvas.h"
#include "designer/ElementWidget.h"
#include "designer/Form1.h"
#include "support/Find.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QAction>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <cmath>

using LayoutRecords::CanvasControl;

Q_DECLARE_METATYPE(ElementGeometry)

char* toString(const ElementGeometry& g)
{
    return QTest::toString(
        QStringLiteral("left %1 top %2 width %3 height %4").arg(g.left).arg(g.top).arg(g.width).arg(g.height));
}

namespace {

const QString Table = QStringLiteral("Layout5");
constexpr int TitleRow = 41;
constexpr int Titolo = 40; // its list position
// The canvas colour 0x00336699 and its inverse, where the outline crosses it.
const QColor Background(0x99, 0x66, 0x33);
const QColor Inverted(0x66, 0x99, 0xCC);

int nearest(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// The designer on a layout whose only visible element is the title at `title` (twips), over the
// plain background colour, with a canvas of `canvas` twips in a window of `window` pixels (empty:
// as large as the screen allows) scrolled to `scroll`.
struct Rig {
    TestFolder folder;
    std::unique_ptr<Form1> designer;
    QScrollArea* scroll = nullptr;

    Rig(const ElementGeometry& title, QSizeF canvas = {12000, 9000}, QSize window = {}, QPoint scrolled = {},
        const QString& table = Table)
    {
        SampleLayout::Rows rows = SampleLayout::rows();
        for (QVariantMap& row : rows)
            row[QStringLiteral("Visibile")] = 0;
        QVariantMap& titleRow = rows[TitleRow - 1];
        titleRow[QStringLiteral("Visibile")] = -1;
        titleRow[QStringLiteral("Left")] = title.left;
        titleRow[QStringLiteral("Top")] = title.top;
        titleRow[QStringLiteral("Larghezza")] = title.width;
        titleRow[QStringLiteral("Altezza")] = title.height;
        rows[49][QStringLiteral("ColoreSfondo")] = 0x00336699;
        SampleLayout::write(folder.database(), table, rows);

        designer = std::make_unique<Form1>(folder.store(), table);
        ApplyLayoutToDesigner(*designer, std::nullopt);
        designer->setSizeTwips(static_cast<float>(canvas.width()), static_cast<float>(canvas.height()));
        designer->show();
        designer->activateWindow();
        // Active, the designer has taken its stored position: nothing moves it during a drag.
        if (!QTest::qWaitForWindowActive(designer.get()))
            qFatal("the designer did not show");
        if (window.isValid()) {
            designer->resize(window);
            QTRY_COMPARE(designer->size(), window);
        }
        QCoreApplication::processEvents();
        scroll = designer->findChild<QScrollArea*>();
        scroll->horizontalScrollBar()->setValue(scrolled.x());
        scroll->verticalScrollBar()->setValue(scrolled.y());
        QCOMPARE(QPoint(scroll->horizontalScrollBar()->value(), scroll->verticalScrollBar()->value()), scrolled);
    }

    QWindow* window() const { return designer->windowHandle(); }
    QWidget* title() const { return designer->element(CanvasControl::Text9, 0); }
    ElementGeometry geometry() const { return geometryOf(designer->document().element(Titolo)); }

    // The point `local` of `widget` in the window, where QTest puts the mouse.
    QPoint at(const QWidget* widget, QPoint local) const { return designer->mapFromGlobal(widget->mapToGlobal(local)); }

    void press(QPoint where, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(window(), button, {}, where);
    }
    void release(QPoint where, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(window(), button, {}, where);
    }
    // From `from` by `delta` in four steps, as a hand moves.
    void moveBy(QPoint from, QPoint delta)
    {
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(window(), from + delta * step / 4);
    }

    QWidget* handle(int index) const { return child(*designer, QStringLiteral("picHandle"), index); }

    // Where the drop is stored: Top, Left, Altezza, Larghezza of the title's row.
    ElementGeometry stored()
    {
        RecordSet rows(folder.database(), Table);
        for (int row = 1; row < TitleRow; ++row)
            rows.moveNext();
        const auto single = [&rows](const char* column) { return rows.value(QLatin1String(column)).toFloat(); };
        return {single("Left"), single("Top"), single("Larghezza"), single("Altezza")};
    }
};

// The cursor is held inside the window's outer rectangle, frame included: a drop toward the
// top-left corner goes as far past the canvas as the frame is thick. `canvasCorner` is the drop
// with the cursor held at the canvas's own corner.
ElementGeometry heldByFrame(const Rig& rig, ElementGeometry canvasCorner)
{
    const QPoint frame = rig.designer->geometry().topLeft() - rig.designer->frameGeometry().topLeft();
    canvasCorner.left -= static_cast<float>(frame.x() * 15);
    canvasCorner.top -= static_cast<float>(frame.y() * 15);
    return canvasCorner;
}

} // namespace

class TestDesignerDrag : public QObject
{
    Q_OBJECT

private slots:
    // Real mouse events through the window: a press on the title (or, after a click that selects it,
    // on one of its handles), moves, a left release; the drop is saved. While the button is held the
    // title stays put and an inverted outline follows the cursor; after the drop the canvas holds no
    // mouse and the handles sit around the title's new place.
    void dragThroughTheWindow_data()
    {
        QTest::addColumn<QSizeF>("canvas");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("scrolled");
        QTest::addColumn<ElementGeometry>("start");
        QTest::addColumn<int>("handle"); // -1: a move
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<ElementGeometry>("dropped");
        QTest::addColumn<bool>("byFrame"); // the cursor stopped at the frame, beyond the canvas's corner

        const QSizeF design(12000, 9000);
        const ElementGeometry title{2887, 1502, 3000, 600}; // 192, 100, 200 x 40 pixels
        QTest::newRow("move") << design << QSize() << QPoint() << title << -1 << Qt::LeftButton << QPoint(100, 50)
                              << ElementGeometry{4380, 2250, 3000, 600} << false;
        QTest::newRow("move in a scrolled 1920 x 1080 canvas")
            << QSizeF(28800, 16200) << QSize(640, 480) << QPoint(1000, 500) << ElementGeometry{16007, 8002, 3000, 600}
            << -1 << Qt::LeftButton << QPoint(120, 90) << ElementGeometry{17805, 9345, 3000, 600} << false;
        QTest::newRow("move past the window's top left")
            << design << QSize() << QPoint() << title << -1 << Qt::LeftButton << QPoint(-400, -300)
            << ElementGeometry{-150, -150, 3000, 600} << true;
        // After the click the title sits on whole pixels, 2880, 1500; the handle's centre is pressed.
        QTest::newRow("size by the bottom-right corner")
            << design << QSize() << QPoint() << title << 4 << Qt::LeftButton << QPoint(40, 20)
            << ElementGeometry{2880, 1500, 3585, 885} << false;
        QTest::newRow("right edge past the left edge")
            << design << QSize() << QPoint() << title << 3 << Qt::LeftButton << QPoint(-260, 0)
            << ElementGeometry{1965, 1500, 915, 600} << false;
        QTest::newRow("sizing begun with the right button")
            << design << QSize() << QPoint() << title << 7 << Qt::RightButton << QPoint(-50, 30)
            << ElementGeometry{2130, 1500, 3750, 600} << false;
    }

    void dragThroughTheWindow()
    {
        QFETCH(QSizeF, canvas);
        QFETCH(QSize, window);
        QFETCH(QPoint, scrolled);
        QFETCH(ElementGeometry, start);
        QFETCH(int, handle);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QPoint, delta);
        QFETCH(ElementGeometry, dropped);
        QFETCH(bool, byFrame);
        Rig rig(start, canvas, window, scrolled);
        QWidget* outline = child(*rig.scroll->viewport(), QStringLiteral("DragOutline"));

        QPoint from = rig.at(rig.title(), QPoint(10, 10));
        if (handle >= 0) {
            rig.press(from);
            rig.release(from);
            from = rig.at(rig.handle(handle), rig.handle(handle)->rect().center());
        }
        const ElementGeometry before = rig.geometry();
        rig.press(from, button);
        if (button != Qt::LeftButton) {
            rig.release(from, button);
            QCOMPARE(QWidget::mouseGrabber(), rig.designer->canvas());
        }
        rig.moveBy(from, delta);

        QCOMPARE(rig.geometry(), before);
        QVERIFY(outline->isVisible());
        // The outline is where the title will drop; a corner of it over the background shows the
        // background inverted.
        const ElementGeometry outlined = byFrame ? heldByFrame(rig, dropped) : dropped;
        const QRect box(nearest(outlined.left / 15), nearest(outlined.top / 15), nearest(outlined.width / 15),
                        nearest(outlined.height / 15));
        const QImage shown = rig.scroll->viewport()->grab().toImage();
        int seen = 0;
        for (const QPoint& corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
            const QPoint there = rig.designer->canvas()->mapTo(rig.scroll->viewport(), corner);
            if (shown.rect().contains(there) && !rig.title()->geometry().contains(corner)) {
                QCOMPARE(shown.pixelColor(there), Inverted);
                ++seen;
            }
        }
        QVERIFY(seen > 0);

        if (button != Qt::LeftButton)
            rig.press(from + delta, Qt::LeftButton);
        rig.release(from + delta, Qt::LeftButton);
        if (byFrame)
            dropped = heldByFrame(rig, dropped);
        QCOMPARE(rig.geometry(), dropped);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QTRY_VERIFY(outline->isHidden());
        const Qt::CursorShape pointers[8] = {Qt::SizeFDiagCursor, Qt::SizeVerCursor,   Qt::SizeBDiagCursor,
                                             Qt::SizeHorCursor,   Qt::SizeFDiagCursor, Qt::SizeVerCursor,
                                             Qt::SizeBDiagCursor, Qt::SizeHorCursor};
        for (int index = 0; index < 8; ++index) {
            QVERIFY(rig.handle(index)->isVisible());
            QCOMPARE(rig.handle(index)->size(), QSize(5, 5));
            QCOMPARE(rig.handle(index)->cursor().shape(), pointers[index]);
        }
        // Handle 0 centred on the first pixel, handle 4 on the last.
        QCOMPARE(rig.handle(0)->pos(), QPoint(nearest((dropped.left - 29) / 15), nearest((dropped.top - 29) / 15)));
        QCOMPARE(rig.handle(4)->pos(), QPoint(nearest((dropped.left + dropped.width - 45) / 15),
                                              nearest((dropped.top + dropped.height - 45) / 15)));

        ModalDriver driver;
        driver.nextMessage(nullptr);
        const std::unique_ptr<QMenu> menu = rig.designer->menuForPress(Qt::RightButton);
        child<QAction>(*menu, QStringLiteral("A99"))->trigger();
        QCOMPARE(rig.stored(), dropped);

        // A left click on the background takes the handles away and moves nothing.
        const QPoint empty = rig.at(rig.scroll->viewport(), QPoint(5, rig.scroll->viewport()->height() - 5));
        rig.press(empty);
        rig.release(empty);
        QVERIFY(rig.handle(0)->isHidden());
        QCOMPARE(rig.geometry(), dropped);
    }

    // Held near the edge of the visible part, a drag scrolls the canvas until its end, so a 1920 x
    // 1080 display is reachable from a small window; the drop lands exactly under the cursor on the
    // scrolled canvas, and scrolling stops with the drop.
    void heldDragScrollsToTheEnd()
    {
        Rig rig({1500, 1500, 3000, 600}, {28800, 16200}, {640, 480});
        QScrollBar* horizontal = rig.scroll->horizontalScrollBar();
        QScrollBar* vertical = rig.scroll->verticalScrollBar();
        const QPoint from = rig.at(rig.title(), QPoint(10, 10));
        const QPoint corner(rig.designer->width() - 1, rig.designer->height() - 1);
        rig.press(from);
        rig.moveBy(from, corner - from);
        QTRY_VERIFY_WITH_TIMEOUT(
            horizontal->value() == horizontal->maximum() && vertical->value() == vertical->maximum(), 15000);
        QVERIFY(horizontal->maximum() > 1000 && vertical->maximum() > 500);
        rig.release(corner);

        const QPoint onCanvas = rig.designer->canvas()->mapFromGlobal(rig.designer->mapToGlobal(corner));
        QCOMPARE(onCanvas, corner + QPoint(horizontal->maximum(), vertical->maximum()));
        QCOMPARE(rig.geometry(), (ElementGeometry{static_cast<float>((onCanvas.x() - 10) * 15),
                                                  static_cast<float>((onCanvas.y() - 10) * 15), 3000, 600}));
        QVERIFY(rig.geometry().left / 15 > 1920 - 200);
        horizontal->setValue(300);
        QTest::qWait(3 * 20);
        QCOMPARE(horizontal->value(), 300);
    }

    // Presses that must not move anything: any button on an element of the read-only base layout,
    // the middle button anywhere. The right button on an editable element asks for the property
    // editor and moves nothing.
    void pressesThatMoveNothing_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("editorAsked");
        QTest::newRow("read-only, left") << "LayoutBase" << Qt::LeftButton << 0;
        QTest::newRow("read-only, right") << "LayoutBase" << Qt::RightButton << 0;
        QTest::newRow("middle") << "Layout5" << Qt::MiddleButton << 0;
        QTest::newRow("right") << "Layout5" << Qt::RightButton << 1;
    }

    void pressesThatMoveNothing()
    {
        QFETCH(QString, table);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, editorAsked);
        Rig rig({2880, 1500, 3000, 600}, {12000, 9000}, {}, {}, table);
        QSignalSpy asked(rig.designer.get(), &Form1::propertiesRequested);
        // The right press opens the property editor over the designer; it is closed untouched.
        ModalDriver driver;
        if (editorAsked)
            driver.next([](QWidget* editor) { editor->close(); });
        const QPoint from = rig.at(rig.title(), QPoint(10, 10));
        rig.press(from, button);
        rig.moveBy(from, QPoint(80, 60));
        rig.release(from + QPoint(80, 60), button);

        QCOMPARE(rig.geometry(), (ElementGeometry{2880, 1500, 3000, 600}));
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QVERIFY(rig.handle(0)->isHidden());
        QCOMPARE(asked.count(), editorAsked);
        if (editorAsked)
            QCOMPARE(asked.first().first().toInt(), Titolo);
    }
};

QTEST_MAIN(TestDesignerDrag)
#include "tst_designerdrag.moc"
