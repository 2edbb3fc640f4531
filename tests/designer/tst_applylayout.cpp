#include "core/SampleLayout.h"
#include "data/StoreError.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/DesignerCanvas.h"
#include "designer/ElementLabel.h"
#include "designer/Form1.h"
#include "designer/OpenDesigner.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <sqlite3.h>

namespace {

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

class TestApplyLayout : public QObject
{
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(TestApplyLayout)
#include "tst_applylayout.moc"
