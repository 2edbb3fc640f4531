#include "core/LayoutTables.h"
#include "core/SampleLayout.h"
#include "data/ConfigurationRecord.h"
#include "data/JetValue.h"
#include "data/StoreError.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/DesignerCanvas.h"
#include "designer/ElementLabel.h"
#include "designer/ElementWidget.h"
#include "designer/Form1.h"
#include "designer/OpenDesigner.h"
#include "support/ReadErrorWindow.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QUndoStack>
#include <QWindow>
#include <cmath>
#include <functional>
#include <sqlite3.h>

using LayoutRecords::CanvasControl;

Q_DECLARE_METATYPE(ElementGeometry)

char* toString(const ElementGeometry& g)
{
    return QTest::toString(
        QStringLiteral("left %1 top %2 width %3 height %4").arg(g.left).arg(g.top).arg(g.width).arg(g.height));
}

namespace {

const QString Table = QStringLiteral("Layout2");
constexpr int TitleRow = 41;
constexpr int Titolo = 40; // its list position
// The inverse of the canvas colour 0x00336699, where the outline crosses it.
const QColor Inverted(0x66, 0x99, 0xCC);

int nearest(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

// A layout whose only visible element is the title at `title` (twips), over a plain background.
SampleLayout::Rows titleOnly(const ElementGeometry& title)
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
    return rows;
}

// One stored cell: row 1 .. 50, column, value in the kind SQLite gives back.
struct Cell {
    int row;
    QString column;
    QVariant value;
};
using Cells = QVector<Cell>;
using Edit = std::function<void(Form1&)>;

int positionOf(CanvasControl control, int index = 0)
{
    return LayoutRecords::find(control, index)->listPosition;
}

void setElement(Form1& designer, CanvasControl control, int index, const ElementData& values)
{
    designer.document().replaceElements(QStringLiteral("prova"), {{positionOf(control, index), values}});
}

void activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

QPixmap filled(const QSize& size, const QColor& color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

// The sample layout with a counter's text Null, a size in the weather row that the designer never
// shows, and no background picture.
SampleLayout::Rows savedLayout()
{
    SampleLayout::Rows rows = SampleLayout::rows();
    rows[0][QStringLiteral("Testo")] = QVariant();
    rows[45][QStringLiteral("Altezza")] = 9000.0;
    rows[45][QStringLiteral("Larghezza")] = 9000.0;
    return rows;
}

LayoutTables::Table changed(LayoutTables::Table table, const Cells& cells)
{
    for (const Cell& cell : cells)
        table[cell.row - 1][static_cast<int>(LayoutRecords::columns().indexOf(cell.column))] = cell.value;
    return table;
}

void command(Form1& designer, const char* name)
{
    const std::unique_ptr<QMenu> menu = designer.menuForPress(Qt::RightButton);
    child<QAction>(*menu, QLatin1String(name))->trigger();
}

// Brings up the element table, picks `entry` as the operator does and clicks the button.
void fromElementTable(Form1& designer, const QString& entry, const char* button)
{
    command(designer, "T1");
    auto* list = child<QListWidget>(designer, QStringLiteral("LB1"));
    QListWidgetItem* item = list->findItems(entry, Qt::MatchExactly).value(0);
    QVERIFY(item);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QTest::mouseClick(child<QPushButton>(designer, QLatin1String(button)), Qt::LeftButton);
}

// The designer shown and active on `rows`, with a canvas of `canvas` twips in a window of
// `window` pixels (empty: as large as the screen allows).
struct Rig {
    TestFolder folder;
    std::unique_ptr<Form1> designer;
    QScrollArea* scroll = nullptr;

    explicit Rig(const SampleLayout::Rows& rows, QSizeF canvas = {12000, 9000}, QSize window = {},
                 const QString& table = Table)
    {
        SampleLayout::write(folder.database(), table, rows);
        designer = std::make_unique<Form1>(folder.store(), table);
        ApplyLayoutToDesigner(*designer, std::nullopt);
        designer->setSizeTwips(static_cast<float>(canvas.width()), static_cast<float>(canvas.height()));
        // Active, the designer has taken its stored position: nothing moves it during a drag.
        activate(*designer);
        if (window.isValid()) {
            designer->resize(window);
            QTRY_COMPARE(designer->size(), window);
        }
        QCoreApplication::processEvents();
        scroll = designer->findChild<QScrollArea*>();
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
    QPoint handle0At(const ElementGeometry& g) const
    {
        return {nearest((g.left - 29) / 15), nearest((g.top - 29) / 15)};
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(designer->canvas(), static_cast<Qt::Key>(key), modifiers);
    }
    void click(QPoint where)
    {
        press(where);
        release(where);
    }
};

// A drag through the window: where the title starts, the handle pressed (-1: a move) with which
// button, how far the hand goes in screen pixels, where the title lands.
struct Drag {
    ElementGeometry start;
    int handle;
    Qt::MouseButton button;
    QPoint delta;
    ElementGeometry dropped;
};

// What opening and saving a layout changes: a Null counter text becomes empty text, the Null
// background path becomes the hidden label's caption "Label2".
const Cells OpenedAndSaved{{1, "Testo", ""}, {48, "PercorsoImmagine", "Label2"}};

} // namespace

Q_DECLARE_METATYPE(Drag)
Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Cells)

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    // Read-only, any press on the background opens the menu; editable, only the right button does.
    // Its last item closes the designer; a read-only layout offers nothing else.
    void backgroundMenus_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("items"); // separators count
        QTest::newRow("base, left") << "LayoutBase" << Qt::LeftButton << "M2 Menu2" << 1;
        QTest::newRow("base, right") << "LayoutBase" << Qt::RightButton << "M2 Menu2" << 1;
        QTest::newRow("numbered, right") << "Layout3" << Qt::RightButton << "M1 Menu" << 8;
        QTest::newRow("numbered, middle") << "Layout10" << Qt::MiddleButton << "" << 0;
    }

    void backgroundMenus()
    {
        QFETCH(QString, table);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, menu);
        QFETCH(int, items);
        TestFolder folder;
        Form1 designer(folder.store(), table);
        activate(designer);
        const std::unique_ptr<QMenu> shown = designer.menuForPress(button);
        QCOMPARE(shown ? shown->objectName() + QLatin1Char(' ') + shown->title() : QString(), menu);
        if (!shown)
            return;
        QCOMPARE(shown->actions().size(), items);
        QCOMPARE(shown->actions().constLast()->text(), QStringLiteral("Chiudi Schermata"));
        shown->actions().constLast()->trigger();
        QVERIFY(!designer.isVisible());
    }

    // Twips stay exact in the element's data; only the widget rounds them, ties to even.
    void elementGeometry_data()
    {
        QTest::addColumn<QRectF>("twips");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("not a whole pixel") << QRectF(2887, 157.5, 1507.5, 301) << QRect(192, 10, 100, 20);
        QTest::newRow("ties go to even") << QRectF(97.5, 112.5, 22.5, 37.5) << QRect(6, 8, 2, 2);
        QTest::newRow("above and left of the canvas") << QRectF(-300, -22.5, 0, 7) << QRect(-20, -2, 0, 0);
    }

    void elementGeometry()
    {
        QFETCH(QRectF, twips);
        QFETCH(QRect, pixels);
        TestFolder folder;
        Form1 designer(folder.store(), QStringLiteral("Layout1"));
        for (const CanvasControl control : {CanvasControl::Text1, CanvasControl::MP1}) {
            ElementData values = designer.elementData(control, 0);
            values.left = static_cast<float>(twips.left());
            values.top = static_cast<float>(twips.top());
            values.width = static_cast<float>(twips.width());
            values.height = static_cast<float>(twips.height());
            setElement(designer, control, 0, values);
            QCOMPARE(designer.element(control, 0)->geometry(), pixels);
            QVERIFY(designer.elementData(control, 0) == values);
        }
    }

    // How a text element is drawn. Points at 96 dpi, at least one pixel; alignment 0 left, 1 right,
    // 2 centred, seen where the ink of a short text lands; its back colour or, transparent or hidden,
    // the canvas under it. Colours are 0x00BBGGRR.
    void labelDrawing_data()
    {
        QTest::addColumn<float>("points");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("inkFrom"); // -1: nothing to look at
        QTest::addColumn<int>("inkTo");
        QTest::addColumn<QString>("fill");
        QTest::newRow("12 pt, left") << 12.0f << 16 << 0 << 480 << 520 << "opaque";
        QTest::newRow("7.5 pt, right, transparent") << 7.5f << 10 << 1 << 750 << 780 << "transparent";
        QTest::newRow("12 pt, centre") << 12.0f << 16 << 2 << 600 << 660 << "opaque";
        QTest::newRow("0 pt, hidden") << 0.0f << 1 << 0 << -1 << -1 << "hidden";
    }

    void labelDrawing()
    {
        QFETCH(float, points);
        QFETCH(int, pixels);
        QFETCH(int, alignment);
        QFETCH(int, inkFrom);
        QFETCH(int, inkTo);
        QFETCH(QString, fill);
        TestFolder folder;
        Form1 designer(folder.store(), QStringLiteral("Layout1"));
        designer.document().setBackgroundColour(0x00FF0000);
        // In a corner of the canvas no other element covers: 300 x 40 pixels at (480, 430).
        const ElementData values{.top = 6450,
                                 .left = 7200,
                                 .height = 600,
                                 .width = 4500,
                                 .text = QStringLiteral("II"),
                                 .fontName = QStringLiteral("DejaVu Sans"),
                                 .fontPoints = points,
                                 .bold = true,
                                 .backColour = 0x00000080,
                                 .foreColour = 0x00FFFFFF,
                                 .alignment = static_cast<std::int16_t>(alignment),
                                 .transparent = fill == QLatin1String("transparent"),
                                 .visible = fill != QLatin1String("hidden")};
        setElement(designer, CanvasControl::Text1, 3, values);
        const QFont& font = designer.findChild<ElementLabel*>(QStringLiteral("Text1_3"))->textFont();
        QCOMPARE(font.pixelSize(), pixels);
        QCOMPARE(font.family(), QStringLiteral("DejaVu Sans"));
        QVERIFY(font.bold() && !font.italic());

        const QImage canvas = designer.canvas()->grab().toImage();
        QCOMPARE(canvas.pixelColor(500, 466), fill == QLatin1String("opaque") ? QColor(128, 0, 0) : QColor(Qt::blue));
        if (inkFrom < 0)
            return;
        int first = 780;
        int last = -1;
        for (int x = 480; x < 780; ++x) {
            for (int y = 430; y < 470; ++y) {
                if (qGray(canvas.pixel(x, y)) > 128) {
                    first = std::min(first, x);
                    last = x;
                }
            }
        }
        QVERIFY2(first >= inkFrom && last <= inkTo && first <= last,
                 qPrintable(QStringLiteral("ink from %1 to %2").arg(first).arg(last)));
    }

    // The stored position, when both halves are stored, is applied at the first activation only:
    // a window the operator moved stays where it was put when it comes back.
    void position_data()
    {
        QTest::addColumn<QVariant>("left");
        QTest::addColumn<QVariant>("top");
        QTest::addColumn<QPoint>("opened");
        QTest::newRow("stored") << JetValue::single(1500.0) << JetValue::single(3007.5) << QPoint(100, 200);
        QTest::newRow("left not stored") << QVariant() << JetValue::single(3000.0) << QPoint(60, 40);
        QTest::newRow("top not stored") << JetValue::single(3000.0) << QVariant() << QPoint(60, 40);
        // A monitor that is gone: the title bar comes back onto the screen there is.
        const QPoint screenCorner = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
        QTest::newRow("right of every screen") << JetValue::single(300000.0) << JetValue::single(300.0) << screenCorner;
        QTest::newRow("above every screen") << JetValue::single(300.0) << JetValue::single(-9000.0) << screenCorner;
    }

    void position()
    {
        QFETCH(QVariant, left);
        QFETCH(QVariant, top);
        QFETCH(QPoint, opened);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("MisuraFormLeft"), left);
        storeConfiguration(folder, QStringLiteral("MisuraFormTop"), top);
        Form1 designer(folder.store(), QStringLiteral("Layout1"));
        designer.move(60, 40);
        activate(designer);
        QCOMPARE(designer.pos(), opened);

        designer.move(240, 130);
        QWidget other;
        activate(other);
        activate(designer);
        QCOMPARE(designer.pos(), QPoint(240, 130));
        // The stored value is left as it was, until "Salva posizione finestra" stores the window's
        // outer position in twips, with no message.
        QCOMPARE(configurationRow(folder).value(QStringLiteral("MisuraFormLeft")), left);
        ModalDriver driver;
        designer.menuForPress(Qt::RightButton)->findChild<QAction*>(QStringLiteral("S1"))->trigger();
        QVERIFY(driver.unexpected().isEmpty());
        const auto stored = ConfigurationRecord(folder.store()).designerPosition();
        QCOMPARE(stored ? QPointF(stored->left, stored->top) : QPointF(), QPointF(designer.pos() * 15));
    }

    // The designer takes the main menu's resolution; every element gets the row at its position (the
    // weather element keeps its own size, see the save) and a null background is black.
    void loadsTheTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QSize>("canvas"); // empty: the designer's own size
        QTest::newRow("numbered, 1024 x 768") << "Layout3" << 0 << QSize(1024, 768);
        QTest::newRow("last numbered, 1366 x 768") << "Layout10" << 1 << QSize(1366, 768);
        QTest::newRow("base, 1920 x 1080") << "LayoutBase" << 2 << QSize(1920, 1080);
        QTest::newRow("no resolution chosen") << "Layout4" << -1 << QSize();
    }

    void loadsTheTable()
    {
        QFETCH(QString, table);
        QFETCH(int, resolution);
        QFETCH(QSize, canvas);
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[49][QStringLiteral("ColoreSfondo")] = QVariant();
        SampleLayout::write(folder.database(), table, rows);
        Form1 designer(folder.store(), table);
        const QSize designCanvas = designer.canvas()->size();
        designer.document().setBackgroundColour(0x00FFFFFF);
        ApplyLayoutToDesigner(designer, resolution < 0 ? std::nullopt : std::optional<int>(resolution));

        QCOMPARE(designer.canvas()->size(), canvas.isEmpty() ? designCanvas : canvas);
        for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
            if (row.listPosition < 0)
                continue;
            const int n = row.number;
            const ElementData& values = designer.elementData(row.control, row.index);
            const QByteArray where = QByteArray("row ") + QByteArray::number(n);
            QCOMPARE(values.left, 7.0f + 15.0f * n);
            QCOMPARE(values.top, 97.5f + 45.0f * n);
            QVERIFY2(values.visible == (n % 5 != 0), where);
            if (row.kind == LayoutRecords::RowKind::Weather)
                continue;
            QCOMPARE(values.height, 300.0f + n);
            QCOMPARE(values.width, 1500.0f + 10.0f * n);
            if (row.kind == LayoutRecords::RowKind::Picture)
                continue;
            QCOMPARE(values.text, QStringLiteral("Riga %1").arg(n));
            QCOMPARE(values.fontName, n % 2 ? QStringLiteral("Arial") : QStringLiteral("Courier New"));
            QCOMPARE(values.fontPoints, 8.25f + static_cast<float>(n % 7));
            QCOMPARE(values.backColour, 0x00102030u + static_cast<unsigned>(n));
            QCOMPARE(values.foreColour, 0x00FFFFFFu - static_cast<unsigned>(n));
            QCOMPARE(values.alignment, static_cast<std::int16_t>(n % 3));
            QVERIFY2(values.bold == (n % 2 == 1) && values.italic == (n % 3 == 0), where);
            QVERIFY2(values.transparent == (n % 4 == 0), where);
        }
        QCOMPARE(designer.backgroundColour(), 0u);
    }

    // A table the designer cannot take stops the load before the designer appears and writes nothing.
    void unusableTableShowsNothing()
    {
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[40][QStringLiteral("Testo")] = QVariant();
        SampleLayout::write(folder.database(), QStringLiteral("Layout7"), rows);
        const int changesBefore = sqlite3_total_changes(folder.database().handle());
        ModalDriver driver(500);
        QString raised;
        try {
            OpenDesigner(folder.store(), QStringLiteral("Layout7"), 2);
        } catch (const StoreError& error) {
            raised = error.operatorMessage();
        }
        QCOMPARE(raised,
                 QStringLiteral("Nella tabella Layout7 la riga 41 (Titolo) non ha un valore nella colonna Testo."));
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(sqlite3_total_changes(folder.database().handle()), changesBefore);
    }

    // Row 48: Null clears the picture and leaves Label2; a path that gives no picture keeps the one
    // the designer had but still goes into Label2; either way the rows after it are applied.
    void backgroundPicture_data()
    {
        QTest::addColumn<QString>("file");       // "" for a Null path
        QTest::addColumn<QByteArray>("content"); // written to the file first, unless empty
        QTest::addColumn<QColor>("picture");     // what the canvas shows at its top-left corner
        const QColor background(0x99, 0x66, 0x33);
        QTest::newRow("null") << "" << QByteArray() << background;
        QTest::newRow("picture") << "sfondo schermo.png" << QByteArray("png") << QColor(Qt::red);
        QTest::newRow("not a picture") << "finto.png" << QByteArray("testo, non un'immagine") << QColor(Qt::green);
    }

    void backgroundPicture()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QColor, picture);
        TestFolder folder;
        const QString path = file.isEmpty() ? QString() : folder.filePath(file);
        if (content == "png")
            QVERIFY(filled(QSize(64, 48), Qt::red).save(path));
        else if (!content.isEmpty())
            QVERIFY(writeBytes(path, content));
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[47][QStringLiteral("PercorsoImmagine")] = path.isEmpty() ? QVariant() : QVariant(path);
        rows[48][QStringLiteral("Testo")] = QStringLiteral("dopo lo sfondo");
        rows[49][QStringLiteral("ColoreSfondo")] = 0x00336699;
        SampleLayout::write(folder.database(), QStringLiteral("Layout8"), rows);

        Form1 designer(folder.store(), QStringLiteral("Layout8"));
        designer.setBackgroundPicture(filled(QSize(40, 30), Qt::green));
        designer.setBackgroundPath(QStringLiteral("precedente.png"));
        ApplyLayoutToDesigner(designer, std::nullopt);

        QCOMPARE(designer.backgroundPath(), path.isEmpty() ? QStringLiteral("precedente.png") : path);
        QCOMPARE(designer.findChild<ElementLabel*>(QStringLiteral("Text2"))->text(), QStringLiteral("dopo lo sfondo"));
        // The picture lies on the background colour, from the canvas's top-left corner.
        const QImage canvas = designer.canvas()->grab().toImage();
        QCOMPARE(canvas.pixelColor(designer.canvas()->width() - 1, designer.canvas()->height() - 1),
                 QColor(0x99, 0x66, 0x33));
        QCOMPARE(canvas.pixelColor(1, 1), picture);
    }

    // Only the part of a picture on the screen is read; a larger screen reads the picture again.
    void backgroundPictureLargerThanScreen()
    {
        TestFolder folder;
        QImage picture(1000, 600, QImage::Format_RGB32);
        picture.fill(Qt::red);
        picture.setPixelColor(700, 500, Qt::blue);
        const QString path = folder.filePath(QStringLiteral("grande.png"));
        QVERIFY(picture.save(path));
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[47][QStringLiteral("PercorsoImmagine")] = path;
        SampleLayout::write(folder.database(), QStringLiteral("Layout8"), rows);

        Form1 designer(folder.store(), QStringLiteral("Layout8"));
        designer.setSizeTwips(6000, 4500);
        ApplyLayoutToDesigner(designer, std::nullopt);
        QCOMPARE(designer.backgroundPicture().size(), QSize(400, 300));
        designer.setSizeTwips(12000, 9000);
        QCOMPARE(designer.backgroundPicture().size(), QSize(800, 600));
        QCOMPARE(designer.canvas()->grab().toImage().pixelColor(700, 500), QColor(Qt::blue));
    }

    // Real mouse events through the window: a press on the title (or, after a click that selects it,
    // on one of its handles), moves, a left release. While the button is held the
    // title stays put and an inverted outline follows the cursor; after the drop the canvas holds no
    // mouse and the handles sit around the title's new place.
    void dragThroughTheWindow_data()
    {
        QTest::addColumn<Drag>("drag");
        const ElementGeometry title{2887, 1502, 3000, 600}; // 192, 100, 200 x 40 pixels
        QTest::newRow("move") << Drag{title, -1, Qt::LeftButton, {100, 50}, {4380, 2250, 3000, 600}};
        // After the click the title sits on whole pixels, 2880, 1500; the handle's centre is pressed.
        QTest::newRow("sizing begun with the right button")
            << Drag{title, 7, Qt::RightButton, {-50, 30}, {2130, 1500, 3750, 600}};
    }

    void dragThroughTheWindow()
    {
        QFETCH(Drag, drag);
        const auto& [start, handle, button, delta, dropped] = drag;
        Rig rig(titleOnly(start));
        QWidget* outline = child(*rig.scroll->viewport(), QStringLiteral("DragOutline"));

        QPoint from = rig.at(rig.title(), QPoint(10, 10));
        if (handle >= 0) {
            rig.click(from);
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
        const QRect box(nearest(dropped.left / 15), nearest(dropped.top / 15), nearest(dropped.width / 15),
                        nearest(dropped.height / 15));
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
        QCOMPARE(rig.geometry(), dropped);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QTRY_VERIFY(outline->isHidden());
        for (int index = 0; index < 8; ++index)
            QVERIFY(rig.handle(index)->isVisible());
        // Handle 0 centred on the first pixel, handle 4 on the last.
        QCOMPARE(rig.handle(0)->pos(), rig.handle0At(dropped));
        QCOMPARE(rig.handle(4)->pos(), QPoint(nearest((dropped.left + dropped.width - 45) / 15),
                                              nearest((dropped.top + dropped.height - 45) / 15)));

        // The drag is one step, undone exactly (2887 twips comes back) and redone, handles following.
        rig.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rig.geometry(), before);
        QCOMPARE(rig.handle(0)->pos(), rig.handle0At(before));
        rig.key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(rig.geometry(), dropped);

        // A left click on the background takes the handles away and moves nothing.
        const QPoint empty = rig.at(rig.scroll->viewport(), QPoint(5, rig.scroll->viewport()->height() - 5));
        rig.click(empty);
        QVERIFY(rig.handle(0)->isHidden());
        QCOMPARE(rig.geometry(), dropped);
    }

    // A window too small for the display's canvas stays on the screen and scrolls. Held near the edge
    // of the visible part, a drag scrolls the canvas until its end; the drop lands exactly under the
    // cursor on the scrolled canvas, and scrolling stops with the drop.
    void heldDragScrollsToTheEnd()
    {
        Rig rig(titleOnly({1500, 1500, 3000, 600}), {28800, 16200});
        QCOMPARE(rig.designer->canvas()->size(), QSize(1920, 1080));
        const QSize available = rig.designer->screen()->availableGeometry().size();
        QVERIFY(rig.designer->frameGeometry().width() <= available.width());
        QVERIFY(rig.designer->frameGeometry().height() <= available.height());
        QScrollBar* horizontal = rig.scroll->horizontalScrollBar();
        QScrollBar* vertical = rig.scroll->verticalScrollBar();
        const QPoint from = rig.at(rig.title(), QPoint(10, 10));
        const QPoint corner(rig.designer->width() - 1, rig.designer->height() - 1);
        rig.press(from);
        rig.moveBy(from, corner - from);
        QTRY_VERIFY_WITH_TIMEOUT(
            horizontal->value() == horizontal->maximum() && vertical->value() == vertical->maximum(), 15000);
        QVERIFY(horizontal->maximum() > 0 && vertical->maximum() > 0);
        rig.release(corner);

        const QPoint onCanvas = rig.designer->canvas()->mapFromGlobal(rig.designer->mapToGlobal(corner));
        QCOMPARE(onCanvas, corner + QPoint(horizontal->maximum(), vertical->maximum()));
        QCOMPARE(rig.geometry(), (ElementGeometry{static_cast<float>((onCanvas.x() - 10) * 15),
                                                  static_cast<float>((onCanvas.y() - 10) * 15), 3000, 600}));
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
        QTest::addColumn<bool>("escape"); // pressed mid-drag: the drag is abandoned, the title selected
        QTest::newRow("read-only, left") << "LayoutBase" << Qt::LeftButton << 0 << false;
        QTest::newRow("read-only, right") << "LayoutBase" << Qt::RightButton << 0 << false;
        QTest::newRow("middle") << "Layout2" << Qt::MiddleButton << 0 << false;
        QTest::newRow("right") << "Layout2" << Qt::RightButton << 1 << false;
        QTest::newRow("Escape mid-drag") << "Layout2" << Qt::LeftButton << 0 << true;
    }

    void pressesThatMoveNothing()
    {
        QFETCH(QString, table);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, editorAsked);
        QFETCH(bool, escape);
        Rig rig(titleOnly({2880, 1500, 3000, 600}), {12000, 9000}, {}, table);
        QSignalSpy asked(rig.designer.get(), &Form1::propertiesRequested);
        // The right press opens the property editor over the designer; it is closed untouched.
        ModalDriver driver;
        if (editorAsked)
            driver.next([](QWidget* editor) { editor->close(); });
        const QPoint from = rig.at(rig.title(), QPoint(10, 10));
        rig.press(from, button);
        rig.moveBy(from, QPoint(80, 60));
        if (escape) {
            rig.key(Qt::Key_Escape);
            QTRY_VERIFY(child(*rig.scroll->viewport(), QStringLiteral("DragOutline"))->isHidden());
            QVERIFY(rig.designer->isVisible());
        }
        rig.release(from + QPoint(80, 60), button);

        QCOMPARE(rig.geometry(), (ElementGeometry{2880, 1500, 3000, 600}));
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(rig.handle(0)->isVisible(), escape);
        QCOMPARE(rig.designer->document().undoStack()->count(), 0);
        QCOMPARE(asked.count(), editorAsked);
        if (editorAsked)
            QCOMPARE(asked.first().first().toInt(), Titolo);
    }

    // The arrow keys move the selected title one display pixel from its nearest, ten with Shift;
    // presses in one direction, with Shift or not, are one step; the position box follows, and Enter in it applies
    // what is typed in one step or refuses it with a message.
    void arrowKeysMoveTheSelectedElement()
    {
        const ElementGeometry start{2887, 1502, 3000, 600};
        Rig rig(titleOnly(start));
        rig.key(Qt::Key_Right); // nothing selected
        QCOMPARE(rig.geometry(), start);
        rig.click(rig.at(rig.title(), QPoint(10, 10))); // selects it, on whole pixels: 2880, 1500
        for (int press = 0; press < 3; ++press)
            rig.key(Qt::Key_Right);
        rig.key(Qt::Key_Right, Qt::ShiftModifier);
        rig.key(Qt::Key_Down, Qt::ShiftModifier);
        const ElementGeometry nudged{3075, 1650, 3000, 600};
        QCOMPARE(rig.geometry(), nudged);
        QCOMPARE(rig.handle(0)->pos(), rig.handle0At(nudged));
        QStringList shown;
        for (int field = 0; field < 4; ++field)
            shown << child<QLineEdit>(*rig.designer, QStringLiteral("TxtPosizione"), field)->text();
        QCOMPARE(shown, (QStringList{"205", "110", "200", "40"}));
        QCOMPARE(rig.designer->document().undoStack()->count(), 3);

        auto* width = child<QLineEdit>(*rig.designer, QStringLiteral("TxtPosizione"), 2);
        ModalDriver driver;
        QStringList said;
        driver.nextMessage(&said);
        width->setText(QStringLiteral("-1"));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(said, QStringList{"Posizione non valida: larghezza e altezza non possono essere negative."});
        width->setText(QStringLiteral("300"));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(rig.geometry(), (ElementGeometry{3075, 1650, 4500, 600}));
        QVERIFY(rig.designer->isVisible() && driver.unexpected().isEmpty());
        activate(*rig.designer);
        rig.designer->canvas()->setFocus(); // the refused field took it, with its own Ctrl+Z
        for (int step = 0; step < 4; ++step)
            rig.key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rig.geometry(), start);
    }

    // "50%" halves the canvas and the elements while the handles stay 5 by 5, and a drag moves the
    // title twice the screen distance in display pixels, onto whole display pixels. "Adatta" shows
    // the whole display; Ctrl+0 is 1:1 again.
    void zoom()
    {
        Rig rig(titleOnly({2887, 1502, 3000, 600}), {28800, 16200}, {640, 480});
        QWidget* canvas = rig.designer->canvas();
        auto* factor = child<QLabel>(*rig.designer, QStringLiteral("LblZoom"));
        child<QToolButton>(*rig.designer, QStringLiteral("Zoom"), 1)->click();
        QCOMPARE(factor->text(), QStringLiteral("50%"));
        QCOMPARE(canvas->size(), QSize(960, 540));
        QCOMPARE(rig.title()->geometry(), QRect(96, 50, 100, 20));

        const QPoint from = rig.at(rig.title(), QPoint(10, 10));
        rig.press(from);
        rig.moveBy(from, QPoint(40, 20));
        rig.release(from + QPoint(40, 20));
        QCOMPARE(rig.geometry(), (ElementGeometry{4080, 2100, 3000, 600})); // 80 and 40 display pixels on
        QCOMPARE(rig.handle(0)->size(), QSize(5, 5));
        QCOMPARE(rig.handle(0)->pos(), QPoint(134, 68));

        child<QToolButton>(*rig.designer, QStringLiteral("Zoom"), 0)->click();
        QTRY_COMPARE(canvas->width(), rig.scroll->viewport()->width());
        QTRY_COMPARE(rig.scroll->horizontalScrollBar()->maximum() + rig.scroll->verticalScrollBar()->maximum(), 0);
        rig.key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(canvas->size(), QSize(1920, 1080));
        QCOMPARE(rig.title()->geometry(), QRect(272, 140, 200, 40));
    }

    // What "Salva Impostazioni" stores after an edit, and that "Chiudi Schermata" stores nothing.
    // Every cell not named stays exactly as it was: the columns a row's kind does not save, values
    // that are not whole pixels, the kinds of the stored values. Every edit is undone exactly from
    // the keyboard (the save stores the layout as opened) and redone; a save keeps the history.
    void saveWrites_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("save");
        QTest::addColumn<Cells>("cells");
        const auto with = [](Cells more) { return OpenedAndSaved + more; };

        QTest::newRow("opened and saved") << Edit([](Form1&) {}) << true << OpenedAndSaved;
        QTest::newRow("Elimina") << Edit([](Form1& d) { fromElementTable(d, "Utente3", "PushButton1_1"); }) << true
                                 << with({{11, "Top", 17000.0}, {11, "Left", 0.0}, {11, "Visibile", 0LL}});
        QTest::newRow("Inserisci a hidden photo")
            << Edit([](Form1& d) { fromElementTable(d, "Foto3", "PushButton1_0"); }) << true
            << with({{35, "Top", 0.0}, {35, "Left", 0.0}, {35, "Visibile", -1LL}});
        QTest::newRow("weather resized by its handles") << Edit([](Form1& d) {
            const int weather = positionOf(CanvasControl::WB1);
            d.document().moveElement(weather, {3000, 4500, 9990, 2220});
        }) << true << with({{46, "Top", 4500.0}, {46, "Left", 3000.0}});
        // Its text, alignment and back style belong to another window; its font is the designer's.
        QTest::newRow("scrolling text edited") << Edit([](Form1& d) {
            ElementData text = d.elementData(CanvasControl::Text2, 0);
            text.text = QStringLiteral("scritto nel designer");
            text.alignment = ElementData::Centre;
            text.transparent = true;
            text.fontName = QStringLiteral("Courier New");
            text.fontPoints = 30.5f;
            text.bold = false;
            setElement(d, CanvasControl::Text2, 0, text);
        }) << true << with({{49, "NomeFont", "Courier New"}, {49, "DimFont", 30.5}, {49, "FontBold", 0LL}});
        QTest::newRow("title emptied and transparent") << Edit([](Form1& d) {
            ElementData title = d.elementData(CanvasControl::Text9, 0);
            title.text = QString();
            title.transparent = true;
            setElement(d, CanvasControl::Text9, 0, title);
        }) << true << with({{41, "Testo", ""}, {41, "SfondoTestoTrasparente", -1LL}});
        QTest::newRow("background path with blanks and accents") << Edit([](Form1& d) {
            d.document().setBackgroundPicture(QStringLiteral("C:\\Immagini\\caffè bar 2.jpg"));
        }) << true << Cells{{1, "Testo", ""}, {48, "PercorsoImmagine", "C:\\Immagini\\caffè bar 2.jpg"}};
        // Removed, the path is stored as empty text; undone, the caption "Label2" comes back.
        QTest::newRow("background removed in its window") << Edit([](Form1& d) {
            ModalDriver driver;
            driver.next([](QWidget* window) {
                child<QPushButton>(*window, QStringLiteral("PushButton3"))->click();
                window->close();
            });
            command(d, "A1");
        }) << true << Cells{{1, "Testo", ""}, {48, "PercorsoImmagine", ""}};
        QTest::newRow("background colour in its editor") << Edit([](Form1& d) {
            ModalDriver driver;
            driver.next([](QWidget* editor) {
                child<QLineEdit>(*editor, QStringLiteral("FE1_2"))->setText(QStringLiteral("11259375"));
                child<QPushButton>(*editor, QStringLiteral("Btn_0"))->click();
                editor->close();
            });
            command(d, "CSS");
        }) << true << with({{50, "ColoreSfondo", 0x00ABCDEFLL}});
        QTest::newRow("edited, closed without saving") << Edit([](Form1& d) {
            fromElementTable(d, "Numero1", "PushButton1_1");
            d.document().setBackgroundColour(0x00ABCDEF);
            d.document().moveElement(positionOf(CanvasControl::MP1), {15, 30, 45, 60});
        }) << false << Cells();
    }

    void saveWrites()
    {
        QFETCH(Edit, edit);
        QFETCH(bool, save);
        QFETCH(Cells, cells);
        Rig opened(savedLayout());
        // The store closes its connection between events: every use asks it again.
        const auto table = [&opened] { return LayoutTables::of(opened.folder.database(), Table); };
        const LayoutTables::Table before = table();
        edit(*opened.designer);
        activate(*opened.designer); // back from the edit's own window, if it had one

        ModalDriver driver;
        if (!save) {
            command(*opened.designer, "C11");
            QVERIFY(!opened.designer->isVisible());
            QVERIFY(LayoutTables::differenceIn(table(), before).isEmpty());
            return;
        }
        QStringList said;
        const auto saved = [&](const Cells& expected) {
            driver.nextMessage(&said);
            command(*opened.designer, "A99");
            const QString difference = LayoutTables::differenceIn(table(), changed(before, expected));
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
            QCOMPARE(said, QStringList{"Memorizzazione effettuata !"});
            activate(*opened.designer);
        };
        QWidget* canvas = opened.designer->canvas();
        QUndoStack* history = opened.designer->document().undoStack();
        const int steps = history->index();
        for (int step = 0; step < steps; ++step)
            QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(history->index(), 0);
        saved(OpenedAndSaved);
        for (int step = 0; step < steps; ++step)
            QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(history->index(), steps);
        saved(cells);
        const ElementData& weather = opened.designer->elementData(CanvasControl::WB1, 0);
        QCOMPARE(QSizeF(weather.width, weather.height), QSizeF(6760, 5055));
        QVERIFY(driver.unexpected().isEmpty());
    }

    // A save the store refuses part way leaves every row as it was, says why, and keeps the edits
    // on the canvas for another try.
    void failedSaveLeavesTheTable_data()
    {
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<QString>("reason");
        QTest::newRow("row 25 refused") << QStringLiteral(
                                               "CREATE TRIGGER ferma BEFORE UPDATE ON Layout2 WHEN old.rowid = "
                                               "(SELECT rowid FROM Layout2 ORDER BY rowid LIMIT 1 OFFSET 24) BEGIN "
                                               "SELECT RAISE(ABORT, 'riga bloccata'); END")
                                        << "La riga non può essere salvata nel database.\nriga bloccata";
        QTest::newRow("last row gone") << QStringLiteral(
                                              "DELETE FROM Layout2 WHERE rowid = (SELECT max(rowid) FROM Layout2)")
                                       << "La tabella Layout2 contiene 49 righe invece di 50";
    }

    void failedSaveLeavesTheTable()
    {
        QFETCH(QString, sabotage);
        QFETCH(QString, reason);
        Rig opened(savedLayout());
        opened.folder.database().execute(sabotage);
        const LayoutTables::Table before = LayoutTables::of(opened.folder.database(), Table);
        fromElementTable(*opened.designer, "Numero1", "PushButton1_1");

        ModalDriver driver;
        QString said;
        driver.next(readErrorWindow(&said));
        command(*opened.designer, "A99");
        for (const QString& part : reason.split(QLatin1Char('\n')))
            QVERIFY2(said.contains(part), qPrintable(said));
        QVERIFY(driver.unexpected().isEmpty());
        const LayoutTables::Table after = LayoutTables::of(opened.folder.database(), Table);
        QCOMPARE(after.size(), before.size());
        const QString difference = LayoutTables::differenceIn(after, before, static_cast<int>(before.size()));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(opened.designer->isVisible());
        QCOMPARE(opened.designer->elementData(CanvasControl::Text1, 0).top, 17000.0f);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
