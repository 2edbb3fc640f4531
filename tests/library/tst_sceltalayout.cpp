#include "ContextMenu.h"
#include "core/LayoutTables.h"
#include "data/LayoutNames.h"
#include "data/RecordSet.h"
#include "data/StoreError.h"
#include "library/CancellaLayout.h"
#include "library/CopiaLayout.h"
#include "library/SceltaLayout.h"
#include "support/WindowTest.h"
#include "ui/ScriptedFileDialogs.h"

namespace {

void setName(TestFolder& folder, int layout, const QString& name, const QString& description)
{
    LayoutNames names(folder.store());
    QVector<LayoutNames::Entry> entries = names.read();
    entries[layout] = {name, description};
    names.write(entries);
}

// Clicks the source and the target layout, then returns the summary the window shows.
QString choose(CopiaLayout& window, const QStringList& radios)
{
    for (const QString& name : radios)
        QTest::mouseClick(child<QRadioButton>(window, name), Qt::LeftButton);
    QStringList words;
    for (const char* name : {"Label2_0", "Label3_0", "Label2_1", "Label3_1"})
        words << child<QLabel>(window, QLatin1String(name))->text();
    return words.join('|');
}

} // namespace

class TestSceltaLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // The window opens on the stored default, without repairing a value it does not understand;
    // "Imposta predefinito" stores the layout selected, 1 to 10, and refuses the base layout.
    void theDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("checked");
        QTest::addColumn<int>("radio"); // clicked before "Imposta predefinito"; -1 none
        const QString invalid = "Nessun layout predefinito valido";
        QTest::newRow("base, set 3") << "99" << QString("Layout Base") << 0 << 3;
        QTest::newRow("7, base refused") << "7" << QString("Layout 7") << 7 << 0;
        QTest::newRow("10, set 5") << "10" << QString("Layout 10") << 10 << 5;
        QTest::newRow("null left alone") << "NULL" << invalid << 0 << -1;
        QTest::newRow("0, set 10") << "0" << invalid << 0 << 10;
        QTest::newRow("11 left alone") << "11" << invalid << 0 << -1;
        QTest::newRow("fraction left alone") << "3.5" << invalid << 0 << -1;
        QTest::newRow("text, set 1") << "'tre'" << invalid << 0 << 1;
    }

    void theDefault()
    {
        QFETCH(QString, stored);
        QFETCH(QString, label);
        QFETCH(int, checked);
        QFETCH(int, radio);
        TestFolder folder;
        LayoutTables::storeDefault(folder.database(), stored);
        const QVariantMap before = configurationRow(folder);
        SceltaLayout window(folder.store(), std::nullopt);
        window.show();
        QCOMPARE(child<QLabel>(window, "Label2")->text(), label);
        for (int layout = 0; layout < SceltaLayout::LayoutCount; ++layout)
            QCOMPARE(child<QRadioButton>(window, "RB1", layout)->isChecked(), layout == checked);
        QCOMPARE(configurationRow(folder), before);

        if (radio >= 0)
            QTest::mouseClick(child<QRadioButton>(window, "RB1", radio), Qt::LeftButton);
        ModalDriver driver;
        QStringList message;
        driver.nextMessage(&message);
        clickButton(window, "PB1_2");

        const bool refused = radio <= 0;
        QCOMPARE(message, refused ? QStringList({"Selezionare Layout 1-10 !", "Impossibile impostare il",
                                                 "Layout Base come Predefinito !"})
                                  : QStringList{"Layout Predefinito memorizzato !"});
        QVariantMap expected = before;
        if (!refused)
            expected["qualelayout"] = qlonglong(radio);
        QCOMPARE(configurationRow(folder), expected);
        QCOMPARE(child<QLabel>(window, "Label2")->text(), refused ? label : QStringLiteral("Layout %1").arg(radio));
    }

    // Rows 2 .. 11 of the names are shown, nulls as empty text, and saved as shown; the stored row
    // of the base layout never is shown, and a twelfth row is left alone.
    void showsAndSavesNames()
    {
        TestFolder folder;
        folder.database().execute(QStringLiteral(
            "UPDATE \"DescrizioneLayout\" SET \"LayoutNome\" = CASE WHEN rowid <> 5 THEN 'Sala ' || rowid END, "
            "\"LayoutDescrizione\" = CASE WHEN rowid % 3 THEN 'Uso ' || rowid END"));
        folder.database().execute(QStringLiteral("INSERT INTO \"DescrizioneLayout\" VALUES ('dodicesima', 'in piu')"));
        QStringList shown{QStringLiteral("Layout Base"), QStringLiteral("Layout di Esempio o utile per la copia")};
        for (int row = 2; row <= 11; ++row) {
            shown << (row == 5 ? QString() : QStringLiteral("Sala %1").arg(row))
                  << (row % 3 ? QStringLiteral("Uso %1").arg(row) : QString());
        }
        SceltaLayout window(folder.store(), std::nullopt);
        window.show();
        QStringList seen;
        for (int index = 0; index < 2 * SceltaLayout::LayoutCount; ++index)
            seen << child<QLineEdit>(window, QStringLiteral("Text1"), index)->text();
        QCOMPARE(seen, shown);

        child<QLineEdit>(window, QStringLiteral("Text1_5"))->clear();
        QTest::keyClicks(child<QLineEdit>(window, QStringLiteral("Text1_5")),
                         QStringLiteral("Sportelli al piano terra"));
        shown[5] = QStringLiteral("Sportelli al piano terra");
        ModalDriver driver;
        QStringList message;
        driver.nextMessage(&message);
        clickButton(window, QStringLiteral("PB1_1"));

        QCOMPARE(message, QStringList{QStringLiteral("Salvataggio effettuato !")});
        // Written as shown: a null comes back as empty text, not as null.
        QVariantList expected(shown.cbegin(), shown.cend());
        expected << QStringLiteral("dodicesima") << QStringLiteral("in piu");
        QVariantList saved;
        for (RecordSet names(folder.database(), QStringLiteral("DescrizioneLayout")); !names.eof(); names.moveNext())
            saved << names.value(QStringLiteral("LayoutNome")) << names.value(QStringLiteral("LayoutDescrizione"));
        QCOMPARE(saved, expected);
    }

    // A names table short of a layout is refused with the table named, before a field is filled.
    void refusesShortNamesTable()
    {
        TestFolder folder;
        folder.database().execute(QStringLiteral(
            "DELETE FROM \"DescrizioneLayout\" WHERE rowid = (SELECT max(rowid) FROM \"DescrizioneLayout\")"));
        try {
            SceltaLayout window(folder.store(), std::nullopt);
            QFAIL("the chooser opened on ten rows of names");
        } catch (const StoreError& error) {
            QCOMPARE(error.table(), QStringLiteral("DescrizioneLayout"));
            QVERIFY2(error.operatorMessage().contains(QStringLiteral("contiene solo 10 righe")),
                     qPrintable(error.operatorMessage()));
        }
        QCOMPARE(RecordSet(folder.database(), QStringLiteral("DescrizioneLayout")).count(), 10);
    }

    // The designer opens on the selected layout, the copy window, the clear window on the layout of
    // its row; the chooser stays open under them. C&hudi closes it.
    void buttons_data()
    {
        QTest::addColumn<int>("radio");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("opened"); // objectName, then the caption or the number to clear
        const QString designer = "Form1 Impostazione Modulo : ";
        QTest::newRow("load 10") << 10 << "PB1_3" << designer + "Layout10";
        QTest::newRow("copy") << 2 << "PB1_4" << QString("CopiaLayout Funzione di Copia Layout");
        QTest::newRow("clear 1") << 2 << "PPBB1_1" << QString("CancellaLayout 1");
        QTest::newRow("clear 10") << 2 << "PPBB1_10" << QString("CancellaLayout 10");
        QTest::newRow("close") << 2 << "PB1_0" << QString();
    }

    void buttons()
    {
        QFETCH(int, radio);
        QFETCH(QString, button);
        QFETCH(QString, opened);
        TestFolder folder;
        SceltaLayout chooser(folder.store(), std::nullopt);
        chooser.show();
        QTest::mouseClick(child<QRadioButton>(chooser, QStringLiteral("RB1"), radio), Qt::LeftButton);
        ModalDriver driver;
        QString seen;
        if (!opened.isEmpty()) {
            driver.next([&](QWidget* modal) {
                const auto* number = modal->findChild<QLabel*>(QStringLiteral("Label3"));
                seen = modal->objectName() + QLatin1Char(' ') + (number ? number->text() : modal->windowTitle());
                modal->close();
            });
        }

        QTest::mouseClick(chooser.findChild<QPushButton*>(button), Qt::LeftButton);

        QCOMPARE(seen, opened);
        QCOMPARE(chooser.isVisible(), !opened.isEmpty());
        QCOMPARE(driver.pending(), 0);
        QVERIFY(driver.unexpected().isEmpty());
    }

    // Export and import of one layout, from a right click on any part of its row in the chooser. Layout 3
    // goes to a file. A declined question or a file that is no layout leave layout 8 and its row as they
    // were; the file then goes over layout 8: the rows are copied, the row of layout 8 shows the name and
    // description at once, and "&Salva" keeps what it shows. The base layout is never imported over.
    void exportThenImport()
    {
        TestFolder folder;
        setName(folder, 3, QStringLiteral("Ingresso"), QStringLiteral("Numeri grandi, meteo"));
        setName(folder, 8, QStringLiteral("Otto"), QStringLiteral("resta"));
        folder.database().execute("UPDATE \"Layout3\" SET \"Top\" = 1234.5 WHERE rowid = 1");
        const LayoutTables::Table before = LayoutTables::of(folder.database(), QStringLiteral("Layout8"));
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("ingresso.tnl"));
        const QString other = out.filePath(QStringLiteral("altro.tnl"));
        QVERIFY(writeBytes(other, "non un layout"));
        ScriptedFileDialogs dialogs;
        for (const QString& name : {file, file, other, file})
            dialogs.setNextFileName(name);
        SceltaLayout chooser(folder.store(), std::nullopt, nullptr, &dialogs);
        chooser.show();
        ModalDriver driver;
        QStringList exported;
        QStringList refused;
        QStringList question;
        QStringList imported;
        QStringList saved;
        driver.nextMessage(&exported);
        driver.nextMessage(nullptr, false);
        driver.nextMessage(nullptr, true);
        driver.nextMessage(&refused);

        QVERIFY(chooseFromContextMenu(child(chooser, QStringLiteral("Text1_6")), QStringLiteral("EsportaLayout")));
        for (int attempt = 0; attempt < 2; ++attempt)
            QVERIFY(chooseFromContextMenu(child(chooser, QStringLiteral("Text1_17")), QStringLiteral("ImportaLayout")));

        QCOMPARE(exported.value(0), QStringLiteral("Layout 3 esportato nel file:"));
        QVERIFY2(refused.join(' ').startsWith("Il layout non è stato importato: il Layout 8 non è"),
                 qPrintable(refused.join(' ')));
        QCOMPARE(LayoutTables::of(folder.database(), QStringLiteral("Layout8")), before);
        QCOMPARE(child<QLineEdit>(chooser, QStringLiteral("Text1_16"))->text(), QStringLiteral("Otto"));
        QCOMPARE(LayoutNames(folder.store()).read().at(8).description, QStringLiteral("resta"));

        driver.nextMessage(&question, true);
        driver.nextMessage(&imported);
        QVERIFY(chooseFromContextMenu(child(chooser, QStringLiteral("RB1_8")), QStringLiteral("ImportaLayout")));

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
        QStringList shown;
        QStringList disabled;
        QVERIFY(chooseFromContextMenu(child(chooser, QStringLiteral("RB1_0")), {}, &shown, &disabled));
        QVERIFY(shown.contains(QStringLiteral("Esporta il Layout Base in un file...")));
        QVERIFY(disabled.contains(QStringLiteral("Importa da un file nel Layout Base...")));
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(driver.pending(), 0);
    }

    // The summary follows the choice, both sides layout 1 as opened. A copy onto itself is refused; each
    // copy is made without closing the window; closing copies nothing.
    void copyLayouts()
    {
        TestFolder folder;
        for (const auto& [table, seed] :
             {std::pair{"Layout3", 1}, std::pair{"Layout4", 2}, std::pair{"Layout5", 3}, std::pair{"Layout10", 5}})
            LayoutTables::fillDistinct(folder.database(), table, seed);
        const auto before = LayoutTables::allLayouts(folder.database());
        CopiaLayout window(folder.store());
        window.show();
        ModalDriver driver;
        QStringList refused;
        QStringList refusedAgain;
        QStringList first;
        QStringList second;
        for (QStringList* message : {&refused, &refusedAgain, &first, &second})
            driver.nextMessage(message);

        QCOMPARE(choose(window, {}), QStringLiteral("Copia del Layout|Layout 1|sul Layout|Layout 1"));
        clickButton(window, "Btn_1");
        choose(window, {"L0_6", "L1_6"});
        clickButton(window, "Btn_1");
        QCOMPARE(refused, QStringList({"Impossibile copiare un ", "Layout su se stesso ! "}));
        QCOMPARE(refusedAgain, refused);
        QVERIFY(LayoutTables::allLayouts(folder.database()) == before);

        QCOMPARE(choose(window, {"L0_10", "L1_3"}), QStringLiteral("Copia del Layout|Layout Base|sul Layout|Layout 4"));
        clickButton(window, "Btn_1");
        QCOMPARE(choose(window, {"L0_2", "L1_9"}), QStringLiteral("Copia del Layout|Layout 3|sul Layout|Layout 10"));
        clickButton(window, "Btn_1");
        QCOMPARE(first, QStringList{"Copia effettuata correttamente ! "});
        QCOMPARE(second, first);
        QVERIFY(window.isVisible());
        for (const auto& [target, source] : {std::pair{"Layout4", "LayoutBase"}, std::pair{"Layout10", "Layout3"}})
            QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(folder.database(), target),
                                                LayoutTables::of(folder.database(), source)),
                     QString());

        const auto copied = LayoutTables::allLayouts(folder.database());
        choose(window, {"L0_10", "L1_5"});
        clickButton(window, "Btn_0");
        QVERIFY(!window.isVisible());
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(LayoutTables::allLayouts(folder.database()) == copied);
    }

    // Confirming clears the layout to the base layout's rows, hidden, says so and closes. Closing, or
    // confirming a number that names no layout from 1 to 10, writes nothing; only the refusal keeps the
    // window open.
    void clearLayout_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("cleared") << 6 << true;
        QTest::newRow("closed") << 4 << false;
        QTest::newRow("base layout") << 0 << true;
        QTest::newRow("eleven") << 11 << true;
    }

    void clearLayout()
    {
        QFETCH(int, number);
        QFETCH(bool, confirm);
        const bool valid = number >= 1 && number <= 10;
        TestFolder folder;
        LayoutTables::fillDistinct(folder.database(), "Layout6", 4);
        const auto before = LayoutTables::allLayouts(folder.database());
        CancellaLayout window(folder.store(), number);
        window.show();
        ModalDriver driver;
        QStringList message;
        bool openUnderMessage = false;
        driver.next([&](QWidget* msgForm) {
            openUnderMessage = window.isVisible();
            message = ModalDriver::messageLines(msgForm);
            ModalDriver::click(msgForm, "PB1_0");
        });

        QTest::mouseClick(child<QPushButton>(window, "PB1", confirm ? 1 : 0), Qt::LeftButton);

        QCOMPARE(driver.pending(), confirm ? 0 : 1);
        if (confirm && valid)
            QCOMPARE(message, QStringList{"Layout cancellato correttamente ! "});
        if (confirm && !valid)
            QCOMPARE(message, QStringList({QString("Layout nr \"%1\" non valido !").arg(number),
                                           "Si possono annullare solo i Layout da 1 a 10.",
                                           "Nessun layout è stato modificato."}));
        QCOMPARE(openUnderMessage, confirm);
        QCOMPARE(window.isVisible(), confirm && !valid);
        QVERIFY(driver.unexpected().isEmpty());
        if (confirm && valid)
            QCOMPARE(LayoutTables::differenceFromCleared(LayoutTables::of(folder.database(), "Layout6"),
                                                         LayoutTables::of(folder.database(), "LayoutBase")),
                     QString());
        else
            QVERIFY(LayoutTables::allLayouts(folder.database()) == before);
    }
};

QTEST_MAIN(TestSceltaLayout)
#include "tst_sceltalayout.moc"
