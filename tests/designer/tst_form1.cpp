#include "core/SampleLayout.h"
#include "data/ConfigurationRecord.h"
#include "data/JetValue.h"
#include "data/RecordSet.h"
#include "data/StoreError.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/DesignerCanvas.h"
#include "designer/ElementLabel.h"
#include "designer/Form1.h"
#include "designer/OpenDesigner.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <sqlite3.h>

using LayoutRecords::CanvasControl;

namespace {

void setElement(Form1& designer, CanvasControl control, int index, const ElementData& values)
{
    designer.document().replaceElements(QStringLiteral("prova"),
                                        {{LayoutRecords::find(control, index)->listPosition, values}});
}

void activate(QWidget& window)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// Loads the designer's table into it as opening does with main menu resolution `resolution` chosen.
void load(Form1& designer, int resolution = -1)
{
    ApplyLayoutToDesigner(designer, resolution < 0 ? std::nullopt : std::optional<int>(resolution));
}

QPixmap filled(const QSize& size, const QColor& color)
{
    QPixmap pixmap(size);
    pixmap.fill(color);
    return pixmap;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    // Read-only, any press on the background opens the menu; editable, only the right button does.
    // Its last item closes the designer. The items and their order are the operator's habit.
    void backgroundMenus_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items"); // separators are the empty items
        const QStringList closeOnly{"Chiudi Schermata"};
        QTest::newRow("base, left") << "LayoutBase" << Qt::LeftButton << "M2 Menu2" << closeOnly;
        QTest::newRow("base, right") << "LayoutBase" << Qt::RightButton << "M2 Menu2" << closeOnly;
        QTest::newRow("numbered, right") << "Layout3" << Qt::RightButton << "M1 Menu"
                                         << QStringList{"Tabella Inserimento Oggetti",
                                                        "Sfondo della Schermata",
                                                        "Colore Sfondo Schermata",
                                                        "",
                                                        "Salva posizione finestra",
                                                        "Salva Impostazioni",
                                                        "",
                                                        "Chiudi Schermata"};
        QTest::newRow("numbered, middle") << "Layout10" << Qt::MiddleButton << "" << QStringList();
    }

    void backgroundMenus()
    {
        QFETCH(QString, table);
        QFETCH(Qt::MouseButton, button);
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        TestFolder folder;
        Form1 designer(folder.store(), table);
        QCOMPARE(designer.isReadOnly(), table == QLatin1String("LayoutBase"));
        activate(designer);
        const std::unique_ptr<QMenu> shown = designer.menuForPress(button);
        QCOMPARE(shown ? shown->objectName() + QLatin1Char(' ') + shown->title() : QString(), menu);
        if (!shown)
            return;
        QStringList texts;
        for (QAction* action : shown->actions())
            texts << action->text();
        QCOMPARE(texts, items);
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
        const ElementData values{6450,
                                 7200,
                                 600,
                                 4500,
                                 QStringLiteral("II"),
                                 QStringLiteral("DejaVu Sans"),
                                 points,
                                 true,
                                 false,
                                 0x00000080,
                                 0x00FFFFFF,
                                 static_cast<std::int16_t>(alignment),
                                 fill == QLatin1String("transparent"),
                                 fill != QLatin1String("hidden")};
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

    // The canvas is the display's full size; a window that would not fit the screen scrolls.
    void canvasSize_data()
    {
        QTest::addColumn<QSizeF>("twips");
        QTest::addColumn<QSize>("canvas");
        QTest::newRow("1920 x 1080") << QSizeF(28800, 16200) << QSize(1920, 1080);
        QTest::newRow("small") << QSizeF(6000, 4500) << QSize(400, 300);
    }

    void canvasSize()
    {
        QFETCH(QSizeF, twips);
        QFETCH(QSize, canvas);
        TestFolder folder;
        Form1 designer(folder.store(), QStringLiteral("Layout1"));
        designer.setSizeTwips(static_cast<float>(twips.width()), static_cast<float>(twips.height()));
        QCOMPARE(designer.canvas()->size(), canvas);
        activate(designer);
        const QSize available = designer.screen()->availableGeometry().size();
        QVERIFY(designer.frameGeometry().width() <= available.width());
        QVERIFY(designer.frameGeometry().height() <= available.height());
        auto* scroll = designer.findChild<QScrollArea*>();
        const bool fits = canvas.width() <= available.width() && canvas.height() <= available.height();
        QCOMPARE(scroll->horizontalScrollBar()->maximum() > 0 || scroll->verticalScrollBar()->maximum() > 0, !fits);
        if (fits)
            QCOMPARE(scroll->viewport()->size(), canvas);
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
        {
            RecordSet configuration(folder.database(), QStringLiteral("Configurazione"));
            configuration.edit();
            configuration.setValue(QStringLiteral("MisuraFormLeft"), left);
            configuration.setValue(QStringLiteral("MisuraFormTop"), top);
            configuration.update();
        }
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
        QCOMPARE(RecordSet(folder.database(), QStringLiteral("Configurazione")).value("MisuraFormLeft"), left);
        ModalDriver driver;
        designer.menuForPress(Qt::RightButton)->findChild<QAction*>(QStringLiteral("S1"))->trigger();
        QVERIFY(driver.unexpected().isEmpty());
        const auto stored = ConfigurationRecord(folder.store()).designerPosition();
        QCOMPARE(stored ? QPointF(stored->left, stored->top) : QPointF(), QPointF(designer.pos() * 15));
    }

    // The designer takes the table's name and the main menu's resolution; every element gets the
    // row at its position, the weather element keeps its own size and a null background is black.
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
        rows[45][QStringLiteral("Altezza")] = 9000.0;
        rows[45][QStringLiteral("Larghezza")] = 9000.0;
        rows[49][QStringLiteral("ColoreSfondo")] = QVariant();
        SampleLayout::write(folder.database(), table, rows);
        Form1 designer(folder.store(), table);
        const QSize designCanvas = designer.canvas()->size();
        designer.document().setBackgroundColour(0x00FFFFFF);
        load(designer, resolution);

        QCOMPARE(designer.windowTitle(), QStringLiteral("Impostazione Modulo : ") + table);
        QCOMPARE(designer.DesignerTable(), table);
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
        QCOMPARE(designer.elementData(LayoutRecords::CanvasControl::WB1, 0).width, 6760.0f);
        QCOMPARE(designer.elementData(LayoutRecords::CanvasControl::WB1, 0).height, 5055.0f);
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
        QTest::newRow("missing file") << "manca.jpg" << QByteArray() << QColor(Qt::green);
        QTest::newRow("not a picture") << "finto.png" << QByteArray("testo, non un'immagine") << QColor(Qt::green);
    }

    void backgroundPicture()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QColor, picture);
        TestFolder folder;
        const QString path = file.isEmpty() ? QString() : folder.filePath(file);
        if (content == "png") {
            QVERIFY(filled(QSize(64, 48), Qt::red).save(path));
        } else if (!content.isEmpty()) {
            QFile text(path);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write(content);
        }
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[47][QStringLiteral("PercorsoImmagine")] = path.isEmpty() ? QVariant() : QVariant(path);
        rows[48][QStringLiteral("Testo")] = QStringLiteral("dopo lo sfondo");
        rows[49][QStringLiteral("ColoreSfondo")] = 0x00336699;
        SampleLayout::write(folder.database(), QStringLiteral("Layout8"), rows);

        Form1 designer(folder.store(), QStringLiteral("Layout8"));
        designer.setBackgroundPicture(filled(QSize(40, 30), Qt::green));
        designer.setBackgroundPath(QStringLiteral("precedente.png"));
        load(designer);

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
        load(designer);
        QCOMPARE(designer.backgroundPicture().size(), QSize(400, 300));
        designer.setSizeTwips(12000, 9000);
        QCOMPARE(designer.backgroundPicture().size(), QSize(800, 600));
        QCOMPARE(designer.canvas()->grab().toImage().pixelColor(700, 500), QColor(Qt::blue));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
