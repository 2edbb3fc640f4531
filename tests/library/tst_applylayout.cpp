#include "designer/DesignerCanvas.h"
#include "designer/ElementLabel.h"
#include "designer/Form1.h"
#include "designer/SampleLayout.h"
#include "library/ApplyLayoutToDesigner.h"
#include "shell/store/Globals.h"
#include "shell/store/StoreError.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <sqlite3.h>

using LayoutRecords::CanvasControl;

namespace {

// What the designer showed while it was open.
struct Shown {
    QString caption;
    QString designerTable;
    bool readOnly = false;
    QSizeF sizeTwips;
    QSize canvas;
    std::array<ElementData, LayoutRecords::RowCount> elements{}; // by row; screen value rows empty
    int numberFontPixels = 0;
    std::uint32_t background = 0;
};

// Opens `table` through the loader, notes what the modal designer shows, and closes it.
Shown showLayout(const QString& table, int resolution = 2)
{
    CurrentLayoutTable = table;
    SelectedResolutionIndex = [resolution] { return resolution; };
    Shown shown;
    ModalDriver driver;
    driver.next([&shown](QWidget* window) {
        auto* designer = qobject_cast<Form1*>(window);
        if (!designer)
            return;
        shown.caption = designer->windowTitle();
        shown.designerTable = designer->DesignerTable();
        shown.readOnly = designer->isReadOnly();
        shown.sizeTwips = designer->sizeTwips();
        shown.canvas = designer->canvas()->size();
        for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
            if (row.listPosition >= 0)
                shown.elements[static_cast<std::size_t>(row.number - 1)] = designer->elementData(row.control, row.index);
        }
        shown.numberFontPixels = designer->Text1[0]->textFont().pixelSize();
        shown.background = designer->backgroundColour();
        designer->close();
    });
    ApplyLayoutToDesigner();
    if (!driver.unexpected().isEmpty() || driver.pending() != 0)
        qWarning("the designer was not shown and closed as expected");
    SelectedResolutionIndex = [] { return -1; };
    return shown;
}

const ElementData& element(const Shown& shown, int row)
{
    return shown.elements[static_cast<std::size_t>(row - 1)];
}

// A background colour row and scrolling text row of their own, to tell that the rows after the
// background picture were applied.
SampleLayout::Rows withPicturePath(const QVariant& path)
{
    SampleLayout::Rows rows = SampleLayout::rows();
    rows[47][QStringLiteral("PercorsoImmagine")] = path;
    rows[48][QStringLiteral("Testo")] = QStringLiteral("dopo lo sfondo");
    rows[49][QStringLiteral("ColoreSfondo")] = 0x00336699;
    return rows;
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
    void captionAndTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::newRow("numbered") << "Layout3";
        QTest::newRow("last numbered") << "Layout10";
        QTest::newRow("base") << "LayoutBase";
    }

    void captionAndTable()
    {
        QFETCH(QString, table);
        TestFolder folder;
        const Shown shown = showLayout(table);
        QCOMPARE(shown.caption, QStringLiteral("Impostazione Modulo : ") + table);
        QCOMPARE(shown.designerTable, table);
        QCOMPARE(shown.readOnly, table == QLatin1String("LayoutBase"));
    }

    // Every element gets the row at its position, with the null rules of a layout row.
    void elementsTakeTheirRows()
    {
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[0][QStringLiteral("Top")] = 2887.0;
        rows[0][QStringLiteral("Testo")] = QVariant();
        rows[0][QStringLiteral("FontBold")] = QVariant();
        rows[48][QStringLiteral("Testo")] = QVariant();
        rows[45][QStringLiteral("Altezza")] = 9000.0; // the weather row may carry a size; it is not used
        rows[45][QStringLiteral("Larghezza")] = 9000.0;
        rows[49][QStringLiteral("ColoreSfondo")] = QVariant();
        SampleLayout::write(QStringLiteral("Layout4"), rows);
        const Shown shown = showLayout(QStringLiteral("Layout4"));

        for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
            if (row.listPosition < 0)
                continue;
            const int n = row.number;
            const ElementData& values = element(shown, n);
            const QByteArray where = QByteArray("row ") + QByteArray::number(n);
            QCOMPARE(values.left, 7.0f + 15.0f * n);
            QVERIFY2(values.visible == (n % 5 != 0), where);
            if (row.kind == LayoutRecords::RowKind::Weather)
                continue;
            QCOMPARE(values.height, 300.0f + n);
            QCOMPARE(values.width, 1500.0f + 10.0f * n);
            if (row.kind == LayoutRecords::RowKind::Picture)
                continue;
            if (n != 1 && n != 49)
                QCOMPARE(values.text, QStringLiteral("Riga %1").arg(n));
            QCOMPARE(values.fontName, n % 2 ? QStringLiteral("Arial") : QStringLiteral("Courier New"));
            QCOMPARE(values.fontPoints, 8.25f + static_cast<float>(n % 7));
            QCOMPARE(values.backColour, 0x00102030u + static_cast<unsigned>(n));
            QCOMPARE(values.foreColour, 0x00FFFFFFu - static_cast<unsigned>(n));
            QCOMPARE(values.alignment, static_cast<std::int16_t>(n % 3));
            QVERIFY2(values.italic == (n % 3 == 0), where);
            QVERIFY2(values.transparent == (n % 4 == 0), where);
        }
        QCOMPARE(element(shown, 1).top, 2887.0f);
        QCOMPARE(element(shown, 1).text, QString());
        QVERIFY(!element(shown, 1).bold);
        QCOMPARE(shown.numberFontPixels, 12); // 9.25 pt at 96 dpi
        QCOMPARE(element(shown, 49).text, QString());
        QCOMPARE(element(shown, 46).width, 6760.0f);
        QCOMPARE(element(shown, 46).height, 5055.0f);
        QCOMPARE(shown.background, 0u);
    }

    // A table the designer cannot take stops the load before the designer appears, writes nothing
    // and says which table, row and column are at fault.
    void unusableTableShowsNothing_data()
    {
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<int>("nullRow");
        QTest::addColumn<QString>("nullColumn");
        QTest::addColumn<QString>("message");
        QTest::newRow("short") << 49 << 0 << ""
                               << "La tabella Layout7 contiene 49 righe invece di 50: manca la riga 50 (ColoreSfondo).";
        QTest::newRow("title without text")
            << 50 << 41 << "Testo" << "Nella tabella Layout7 la riga 41 (Titolo) non ha un valore nella colonna Testo.";
    }

    void unusableTableShowsNothing()
    {
        QFETCH(int, rowCount);
        QFETCH(int, nullRow);
        QFETCH(QString, nullColumn);
        QFETCH(QString, message);
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows().mid(0, rowCount);
        if (nullRow > 0)
            rows[nullRow - 1][nullColumn] = QVariant();
        SampleLayout::write(QStringLiteral("Layout7"), rows);
        CurrentLayoutTable = QStringLiteral("Layout7");

        const int changesBefore = sqlite3_total_changes(Database::current().handle());
        ModalDriver driver(500);
        QString raised;
        try {
            ApplyLayoutToDesigner();
        } catch (const StoreError& error) {
            raised = error.operatorMessage();
        }
        QCOMPARE(raised, message);
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(sqlite3_total_changes(Database::current().handle()), changesBefore);
    }

    void sizeFromTheMainMenuResolution_data()
    {
        QTest::addColumn<int>("resolution");
        QTest::addColumn<QSizeF>("twips");
        QTest::addColumn<QSize>("canvas");
        QTest::newRow("1024 x 768") << 0 << QSizeF(15360, 11520) << QSize(1024, 768);
        QTest::newRow("1366 x 768") << 1 << QSizeF(20490, 11520) << QSize(1366, 768);
        QTest::newRow("1920 x 1080") << 2 << QSizeF(28800, 16200) << QSize(1920, 1080);
    }

    void sizeFromTheMainMenuResolution()
    {
        QFETCH(int, resolution);
        QFETCH(QSizeF, twips);
        QFETCH(QSize, canvas);
        TestFolder folder;
        const Shown shown = showLayout(QStringLiteral("Layout1"), resolution);
        QCOMPARE(shown.sizeTwips, twips);
        QCOMPARE(shown.canvas, canvas);
    }

    void noResolutionKeepsTheDesignSize()
    {
        TestFolder folder;
        const Form1 untouched;
        const Shown shown = showLayout(QStringLiteral("Layout1"), -1);
        QCOMPARE(shown.sizeTwips, untouched.sizeTwips());
        QCOMPARE(shown.canvas, untouched.canvas()->size());
    }

    // Row 48: Null clears the picture and leaves Label2; a path that gives no picture keeps the one
    // the designer had but still goes into Label2; either way the rows after it are applied.
    void backgroundPicture_data()
    {
        QTest::addColumn<QString>("file");    // "" for a Null path
        QTest::addColumn<QByteArray>("content"); // written to the file first, unless empty
        QTest::addColumn<QSize>("picture");   // what the designer shows afterwards
        QTest::newRow("null") << "" << QByteArray() << QSize();
        QTest::newRow("picture") << "sfondo schermo.png" << QByteArray("png") << QSize(64, 48);
        QTest::newRow("missing file") << "manca.jpg" << QByteArray() << QSize(40, 30);
        QTest::newRow("not a picture") << "finto.png" << QByteArray("testo, non un'immagine") << QSize(40, 30);
    }

    void backgroundPicture()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QSize, picture);
        TestFolder folder;
        const QString path = file.isEmpty() ? QString() : folder.filePath(file);
        if (content == "png") {
            QVERIFY(filled(QSize(64, 48), Qt::red).save(path));
        } else if (!content.isEmpty()) {
            QFile text(path);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write(content);
        }
        SampleLayout::write(QStringLiteral("Layout8"), withPicturePath(path.isEmpty() ? QVariant() : QVariant(path)));
        CurrentLayoutTable = QStringLiteral("Layout8");

        Form1 designer;
        designer.setBackgroundPicture(filled(QSize(40, 30), Qt::green));
        designer.Label2->setText(QStringLiteral("precedente.png"));
        LoadLayoutIntoDesigner(designer);

        QCOMPARE(designer.backgroundPicture().size(), picture.isValid() ? picture : QSize(0, 0));
        QCOMPARE(designer.Label2->text(), path.isEmpty() ? QStringLiteral("precedente.png") : path);
        QCOMPARE(designer.Text2->text(), QStringLiteral("dopo lo sfondo"));
        QCOMPARE(designer.backgroundColour(), 0x00336699u);

        // The picture lies on the background colour, from the canvas's top-left corner.
        const QImage canvas = designer.canvas()->grab().toImage();
        const QColor expected = picture == QSize(64, 48)   ? QColor(Qt::red)
                                : picture == QSize(40, 30) ? QColor(Qt::green)
                                                           : QColor(0x99, 0x66, 0x33);
        QCOMPARE(canvas.pixelColor(designer.canvas()->width() - 1, designer.canvas()->height() - 1),
                 QColor(0x99, 0x66, 0x33));
        QCOMPARE(canvas.pixelColor(1, 1), expected);
    }
};

QTEST_MAIN(TestApplyLayout)
#include "tst_applylayout.moc"
