#include "core/LayoutTables.h"
#include "data/RecordSet.h"
#include "data/StoreError.h"
#include "library/SceltaLayout.h"
#include "support/WindowTest.h"

class TestSceltaLayout : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::mouseClick(child<QPushButton>(window, "PB1_2"), Qt::LeftButton);

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

    void tabVisitsOnlyTheDescriptions()
    {
        TestFolder folder;
        SceltaLayout window(folder.store(), std::nullopt);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        child<QLineEdit>(window, QStringLiteral("Text1_3"))->setFocus();
        QSet<QString> visited;
        for (int step = 0; step < 40; ++step) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            if (auto* field = qobject_cast<QLineEdit*>(focused)) {
                QVERIFY2(!field->isReadOnly(), qPrintable(field->objectName()));
                visited.insert(field->objectName());
            }
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        for (int layout = 1; layout <= 10; ++layout)
            QVERIFY2(visited.contains(QStringLiteral("Text1_%1").arg(2 * layout + 1)),
                     qPrintable(QString::number(layout)));
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
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PB1_1")), Qt::LeftButton);

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
        QTest::newRow("load base") << 0 << "PB1_3" << designer + "LayoutBase";
        QTest::newRow("load 3") << 3 << "PB1_3" << designer + "Layout3";
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
};

QTEST_MAIN(TestSceltaLayout)
#include "tst_sceltalayout.moc"
