#include "core/LayoutTables.h"
#include "core/SampleLayout.h"
#include "data/ConfigurationRecord.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/Form1.h"
#include "support/Find.h"
#include "support/ModalDriver.h"
#include "support/ReadErrorWindow.h"
#include "support/core/TestFolder.h"

#include <QAction>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <functional>

using LayoutRecords::CanvasControl;

namespace {

const QString Table = QStringLiteral("Layout2");

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

// The sample layout with a counter's text Null, a size in the weather row that the designer never
// shows, and no background picture.
void writeLayout(Database& database)
{
    SampleLayout::Rows rows = SampleLayout::rows();
    rows[0][QStringLiteral("Testo")] = QVariant();
    rows[45][QStringLiteral("Altezza")] = 9000.0;
    rows[45][QStringLiteral("Larghezza")] = 9000.0;
    SampleLayout::write(database, Table, rows);
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

struct Opened {
    TestFolder folder;
    std::unique_ptr<Form1> designer;

    Opened()
    {
        writeLayout(folder.database());
        designer = std::make_unique<Form1>(folder.store(), Table);
        ApplyLayoutToDesigner(*designer, std::nullopt);
        designer->show();
    }
};

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(Cells)

class TestDesignerSave : public QObject
{
    Q_OBJECT

private slots:
    // What "Salva Impostazioni" stores after an edit, and that "Chiudi Schermata" stores nothing.
    // Every cell not named stays exactly as it was: the columns a row's kind does not save, values
    // that are not whole pixels, the kinds of the stored values. Opened and saved as it is, a layout
    // changes in two cells only: a Null counter text becomes empty text, and the Null background
    // path becomes the hidden label's caption "Label2".
    void saveWrites_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("save");
        QTest::addColumn<Cells>("cells");
        const Cells opened{{1, "Testo", ""}, {48, "PercorsoImmagine", "Label2"}};
        const auto with = [&opened](Cells more) { return opened + more; };

        QTest::newRow("opened and saved") << Edit([](Form1&) {}) << true << opened;
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
            d.document().replaceElements(QStringLiteral("prova"), {{positionOf(CanvasControl::Text2), text}});
        }) << true << with({{49, "NomeFont", "Courier New"}, {49, "DimFont", 30.5}, {49, "FontBold", 0LL}});
        QTest::newRow("title emptied and transparent") << Edit([](Form1& d) {
            ElementData title = d.elementData(CanvasControl::Text9, 0);
            title.text = QString();
            title.transparent = true;
            d.document().replaceElements(QStringLiteral("prova"), {{positionOf(CanvasControl::Text9), title}});
        }) << true << with({{41, "Testo", ""}, {41, "SfondoTestoTrasparente", -1LL}});
        QTest::newRow("background path with blanks and accents") << Edit([](Form1& d) {
            d.document().setBackgroundPicture(QStringLiteral("C:\\Immagini\\caffè bar 2.jpg"));
        }) << true << Cells{{1, "Testo", ""}, {48, "PercorsoImmagine", "C:\\Immagini\\caffè bar 2.jpg"}};
        QTest::newRow("background colour") << Edit([](Form1& d) { d.document().setBackgroundColour(0x00ABCDEF); })
                                           << true << with({{50, "ColoreSfondo", 0x00ABCDEFLL}});
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
        Opened opened;
        // The store closes its connection between events: every use asks it again.
        const auto table = [&opened] { return LayoutTables::of(opened.folder.database(), Table); };
        const LayoutTables::Table before = table();
        edit(*opened.designer);

        ModalDriver driver;
        QStringList said;
        if (save) {
            driver.nextMessage(&said);
            command(*opened.designer, "A99");
            QCOMPARE(said, QStringList{"Memorizzazione effettuata !"});
            const ElementData& weather = opened.designer->elementData(CanvasControl::WB1, 0);
            QCOMPARE(QSizeF(weather.width, weather.height), QSizeF(6760, 5055));
        } else {
            command(*opened.designer, "C11");
            QVERIFY(!opened.designer->isVisible());
        }
        QVERIFY(driver.unexpected().isEmpty());
        const QString difference = LayoutTables::differenceIn(table(), changed(before, cells));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
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
        Opened opened;
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

    // The panel comes up at the top right, 100 twips in from the window's outer edge, and stays
    // where it is when asked again. With no entry selected there is no element to act on, so
    // "Inserisci" and "Elimina" wait for a selection.
    void elementTable()
    {
        Opened opened;
        Form1& designer = *opened.designer;
        auto* panel = child<QGroupBox>(designer, QStringLiteral("GroupBox1"));
        QVERIFY(panel->isHidden());
        command(designer, "T1");
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->pos(), QPoint(designer.frameGeometry().width() - panel->width() - 7, 0));
        QVERIFY(!child<QPushButton>(designer, QStringLiteral("PushButton1_0"))->isEnabled());
        QVERIFY(!child<QPushButton>(designer, QStringLiteral("PushButton1_1"))->isEnabled());
        QVERIFY(child<QPushButton>(designer, QStringLiteral("PushButton1_2"))->isEnabled());

        // Already on the screen: to the corner, still shown, its size kept.
        const ElementData title = designer.elementData(CanvasControl::Text9, 0);
        QVERIFY(title.visible);
        fromElementTable(designer, "Titolo", "PushButton1_0");
        const ElementData inserted = designer.elementData(CanvasControl::Text9, 0);
        QVERIFY(inserted.visible && inserted.left == 0.0f && inserted.top == 0.0f);
        QCOMPARE(QSizeF(inserted.width, inserted.height), QSizeF(title.width, title.height));

        panel->move(40, 30);
        command(designer, "T1");
        QCOMPARE(panel->pos(), QPoint(40, 30));
        QTest::mouseClick(child<QPushButton>(designer, QStringLiteral("PushButton1_2")), Qt::LeftButton);
        QVERIFY(panel->isHidden());
    }

    // The window's outer position in twips, whether or not it was moved since opening; no message.
    void storesWindowPosition()
    {
        Opened opened;
        Form1& designer = *opened.designer;
        designer.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&designer));
        for (const QPoint& place : {designer.pos(), QPoint(123, 45)}) {
            designer.move(place);
            ModalDriver driver;
            command(designer, "S1");
            QVERIFY(driver.unexpected().isEmpty());
            const auto stored = ConfigurationRecord(opened.folder.store()).designerPosition();
            QVERIFY(stored);
            QCOMPARE(QPointF(stored->left, stored->top), QPointF(place * 15));
        }
    }
};

QTEST_MAIN(TestDesignerSave)
#include "tst_designersave.moc"
