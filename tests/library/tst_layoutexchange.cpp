#include "ContextMenu.h"
#include "data/LayoutFile.h"
#include "data/LayoutNames.h"
#include "library/SceltaLayout.h"
#include "support/WindowTest.h"
#include "support/core/LayoutTables.h"
#include "ui/ScriptedFileDialogs.h"

namespace {

void setName(TestFolder& folder, int layout, const QString& name, const QString& description)
{
    LayoutNames names(folder.store());
    QVector<LayoutNames::Entry> entries = names.read();
    entries[layout] = {name, description};
    names.write(entries);
}

} // namespace

// Export and import of one layout as the operator finds them: a right click on a chooser row.
class TestLayoutExchange : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // Every part of a row opens the same two commands for that row, a field keeping its own edit
    // commands above them; the base layout can be exported, never imported over.
    void rowMenu_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("field");
        QTest::newRow("base layout, name") << "Text1_0" << QString("Layout Base") << true;
        QTest::newRow("layout 3, radio button") << "RB1_3" << QString("Layout 3") << false;
        QTest::newRow("layout 10, description") << "Text1_21" << QString("Layout 10") << true;
    }

    void rowMenu()
    {
        QFETCH(QString, control);
        QFETCH(QString, layout);
        QFETCH(bool, field);
        TestFolder folder;
        ScriptedFileDialogs dialogs;
        SceltaLayout chooser(folder.store(), std::nullopt, nullptr, &dialogs);
        chooser.show();
        QStringList shown;
        QStringList disabled;

        QVERIFY(chooseFromContextMenu(child(chooser, control), {}, &shown, &disabled));

        const QString exporting = QStringLiteral("Esporta il %1 in un file...").arg(layout);
        const QString importing = QStringLiteral("Importa da un file nel %1...").arg(layout);
        QVERIFY(shown.contains(exporting));
        const bool base = layout == QLatin1String("Layout Base");
        QCOMPARE(shown.contains(importing), !base);
        QCOMPARE(disabled.contains(importing), base);
        QCOMPARE(shown.size() + disabled.size() > 2, field);
        QVERIFY(dialogs.asked().isEmpty());
    }

    // Layout 3 goes to a file and from it over layout 8: the rows are copied, the row of layout 8
    // shows the name and description at once, and "&Salva" keeps what it shows.
    void exportThenImport()
    {
        TestFolder folder;
        setName(folder, 3, QStringLiteral("Ingresso"), QStringLiteral("Numeri grandi, meteo"));
        folder.database().execute("UPDATE \"Layout3\" SET \"Top\" = 1234.5 WHERE rowid = 1");
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("ingresso.tnl"));
        ScriptedFileDialogs dialogs;
        dialogs.setNextFileName(file);
        dialogs.setNextFileName(file);
        SceltaLayout chooser(folder.store(), std::nullopt, nullptr, &dialogs);
        chooser.show();
        ModalDriver driver;
        QStringList exported;
        QStringList question;
        QStringList imported;
        QStringList saved;
        driver.nextMessage(&exported);
        driver.nextMessage(&question, true);
        driver.nextMessage(&imported);

        QVERIFY(chooseFromContextMenu(child(chooser, QStringLiteral("Text1_6")), QStringLiteral("EsportaLayout")));
        QVERIFY(chooseFromContextMenu(child(chooser, QStringLiteral("RB1_8")), QStringLiteral("ImportaLayout")));

        QCOMPARE(dialogs.saveCaptions(), QStringList{QStringLiteral("Esporta layout")});
        QCOMPARE(dialogs.asked(), QList<QStringList>(2, {QStringLiteral("Layout TN2 (*.tnl)")}));
        QCOMPARE(exported.value(0), QStringLiteral("Layout 3 esportato nel file:"));
        QCOMPARE(question.value(0), QStringLiteral("Il Layout 8 verrà sostituito dal layout del file:"));
        QCOMPARE(question.last(), QStringLiteral("Continuare?"));
        QCOMPARE(imported, QStringList({QStringLiteral("Layout importato nel Layout 8:"), QStringLiteral("Ingresso")}));
        QCOMPARE(child<QLineEdit>(chooser, QStringLiteral("Text1_16"))->text(), QStringLiteral("Ingresso"));
        QCOMPARE(child<QLineEdit>(chooser, QStringLiteral("Text1_17"))->text(), QStringLiteral("Numeri grandi, meteo"));
        QCOMPARE(LayoutTables::of(folder.database(), QStringLiteral("Layout8")),
                 LayoutTables::of(folder.database(), QStringLiteral("Layout3")));

        driver.nextMessage(&saved);
        QTest::mouseClick(child(chooser, QStringLiteral("PB1_1")), Qt::LeftButton);
        QCOMPARE(saved, QStringList{QStringLiteral("Salvataggio effettuato !")});
        QCOMPARE(LayoutNames(folder.store()).read().at(8).name, QStringLiteral("Ingresso"));
        QVERIFY(driver.unexpected().isEmpty());
    }

    // A declined question or a file that is no layout leave the layout and its
    // row as they were.
    void importLeavesTheLayout_data()
    {
        QTest::addColumn<QString>("file"); // "layout" or "other"
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("said");
        QTest::newRow("declined") << "layout" << false << "";
        QTest::newRow("not a layout") << "other" << true << "Il layout non è stato importato: il Layout 8 non è";
    }

    void importLeavesTheLayout()
    {
        QFETCH(QString, file);
        QFETCH(bool, confirm);
        QFETCH(QString, said);
        TestFolder folder;
        folder.database().execute("UPDATE \"Layout3\" SET \"Top\" = 999 WHERE rowid = 1");
        setName(folder, 8, QStringLiteral("Otto"), QStringLiteral("resta"));
        QTemporaryDir out;
        const QString layoutFile = out.filePath(QStringLiteral("tre.tnl"));
        const QString other = out.filePath(QStringLiteral("altro.tnl"));
        LayoutFile::save(folder.store(), 3, layoutFile);
        QVERIFY(writeBytes(other, "non un layout"));
        const LayoutTables::Table before = LayoutTables::of(folder.database(), QStringLiteral("Layout8"));

        ScriptedFileDialogs dialogs;
        dialogs.setNextFileName(file == QLatin1String("layout") ? layoutFile : other);
        SceltaLayout chooser(folder.store(), std::nullopt, nullptr, &dialogs);
        chooser.show();
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(nullptr, confirm);
        if (!said.isEmpty())
            driver.nextMessage(&lines);

        QVERIFY(chooseFromContextMenu(child(chooser, QStringLiteral("Text1_17")), QStringLiteral("ImportaLayout")));

        QCOMPARE(driver.pending(), 0);
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(lines.isEmpty(), said.isEmpty());
        QVERIFY(said.isEmpty() || lines.join(QLatin1Char(' ')).startsWith(said));
        QCOMPARE(LayoutTables::of(folder.database(), QStringLiteral("Layout8")), before);
        QCOMPARE(child<QLineEdit>(chooser, QStringLiteral("Text1_16"))->text(), QStringLiteral("Otto"));
        QCOMPARE(LayoutNames(folder.store()).read().at(8).description, QStringLiteral("resta"));
    }
};

QTEST_MAIN(TestLayoutExchange)
#include "tst_layoutexchange.moc"
