#include "core/LayoutTables.h"
#include "core/SampleLayout.h"
#include "designer/ApplyLayoutToDesigner.h"
#include "designer/Form1.h"
#include "support/Find.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

using LayoutRecords::CanvasControl;

namespace {

const QString Table = QStringLiteral("Layout4");

void command(Form1& designer, const char* name)
{
    const std::unique_ptr<QMenu> menu = designer.menuForPress(Qt::RightButton);
    child<QAction>(*menu, QLatin1String(name))->trigger();
}

QVariant stored(TestFolder& folder, int row, const char* column)
{
    const LayoutTables::Table table = LayoutTables::of(folder.database(), Table);
    return table[row - 1][static_cast<int>(LayoutRecords::columns().indexOf(QLatin1String(column)))];
}

void save(Form1& designer)
{
    ModalDriver driver;
    QStringList said;
    driver.nextMessage(&said);
    command(designer, "A99");
    QCOMPARE(said, QStringList{"Memorizzazione effettuata !"});
}

struct Opened {
    TestFolder folder;
    std::unique_ptr<Form1> designer;

    explicit Opened(const QString& table = Table)
    {
        SampleLayout::write(folder.database(), Table, SampleLayout::rows());
        designer = std::make_unique<Form1>(folder.store(), table);
        ApplyLayoutToDesigner(*designer, std::nullopt);
        designer->show();
    }
};

} // namespace

class TestDesignerProperties : public QObject
{
    Q_OBJECT

private slots:
    // The fifth workstation opens the tall "Postazione" editor; what it applies is saved.
    void rightPressOpensTheGroupEditor()
    {
        Opened opened;
        Form1& designer = *opened.designer;
        ModalDriver driver;
        QString title;
        int height = 0;
        driver.next([&](QWidget* editor) {
            title = child<QLabel>(*editor, "Label1")->text();
            height = editor->height();
            child<QLineEdit>(*editor, "F1", 4)->clear();
            child<QLineEdit>(*editor, "FE1", 4)->setText(QStringLiteral("20"));
            child<QPushButton>(*editor, "Btn", 0)->click();
            child<QPushButton>(*editor, "Btn", 1)->click();
        });
        QTest::mouseClick(child(designer, "Text1_17"), Qt::RightButton, {}, QPoint(2, 2));
        QCOMPARE(title, QStringLiteral("Postazione"));
        QCOMPARE(height, (9015 - 540) / 15);
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(designer.elementData(CanvasControl::Text1, 17).text, QStringLiteral("Postazione 5"));
        save(designer);
        QCOMPARE(stored(opened.folder, 18, "Testo").toString(), QStringLiteral("Postazione 5"));
        QCOMPARE(stored(opened.folder, 30, "Altezza").toDouble(), 300.0);
        // "&Applica" is one step, undone after the save.
        designer.document().undoStack()->undo();
        QCOMPARE(designer.document().undoStack()->index(), 0);
        QCOMPARE(designer.elementData(CanvasControl::Text1, 17).text, QStringLiteral("Riga 18"));
    }

    void pressesThatOpenNothing_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("element");
        QTest::newRow("weather") << Table << "WB1";
        QTest::newRow("read-only") << "LayoutBase"
                                   << "Text1_0";
    }
    void pressesThatOpenNothing()
    {
        QFETCH(QString, table);
        QFETCH(QString, element);
        Opened opened(table);
        ModalDriver driver(500);
        QTest::mouseClick(child(*opened.designer, element), Qt::RightButton, {}, QPoint(2, 2));
        QTest::qWait(100);
        QVERIFY(driver.unexpected().isEmpty());
    }

    void backgroundColourCommand()
    {
        Opened opened;
        ModalDriver driver;
        driver.next([](QWidget* editor) {
            QCOMPARE(child<QLabel>(*editor, "Label1")->text(), QStringLiteral("Colore Sfondo Schermata"));
            child<QLineEdit>(*editor, "FE1", 2)->setText(QStringLiteral("11259375"));
            child<QPushButton>(*editor, "Btn", 0)->click();
            editor->close();
        });
        command(*opened.designer, "CSS");
        QCOMPARE(opened.designer->backgroundColour(), 11259375u);
        save(*opened.designer);
        QCOMPARE(stored(opened.folder, 50, "ColoreSfondo").toLongLong(), 11259375LL);
        opened.designer->document().undoStack()->undo();
        QCOMPARE(opened.designer->backgroundColour(), 0x00102030u + 50);
    }

    // Set, saved, removed, saved again: the row holds the path, then empty text.
    void backgroundPictureSetRemovedSaved()
    {
        QTemporaryDir pictures;
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(Qt::red);
        const QString path = QDir::toNativeSeparators(pictures.filePath(QStringLiteral("sfondo.jpg")));
        QVERIFY(picture.save(path));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(pictures.path());
        Opened opened;
        ModalDriver driver;
        driver.next([](QWidget* window) {
            auto* files = child<QListView>(*window, "File1");
            QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                              files->visualRect(files->model()->index(0, 0)).center());
            child<QPushButton>(*window, "PushButton1")->click();
            child<QPushButton>(*window, "Command5")->click();
        });
        command(*opened.designer, "A1");
        QVERIFY(!opened.designer->backgroundPicture().isNull());
        save(*opened.designer);
        QCOMPARE(stored(opened.folder, 48, "PercorsoImmagine").toString(), path);

        driver.next([](QWidget* window) {
            child<QPushButton>(*window, "PushButton3")->click();
            window->close();
        });
        command(*opened.designer, "A1");
        QVERIFY(opened.designer->backgroundPicture().isNull());
        save(*opened.designer);
        QCOMPARE(stored(opened.folder, 48, "PercorsoImmagine").toString(), QString());
        // Undone, the picture and its path are back.
        opened.designer->document().undoStack()->undo();
        QVERIFY(!opened.designer->backgroundPicture().isNull());
        QCOMPARE(opened.designer->backgroundPath(), path);
        QDir::setCurrent(previous);
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestDesignerProperties)
#include "tst_designerproperties.moc"
