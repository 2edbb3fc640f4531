#include "ContextMenu.h"
#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "data/SettingsBackup.h"
#include "menu/SplasModule.h"
#include "support/WindowTest.h"
#include "support/core/DatabaseDigest.h"
#include "ui/ScriptedFileDialogs.h"

class TestSplasModule : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The tests close the menu many times; the test run must not end with it.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    // The menu opens on the stored state, storing and saying nothing; a click then stores its own
    // field, says so, and changes nothing else.
    void storedState_data()
    {
        QTest::addColumn<QVariant>("storedResolution");
        QTest::addColumn<QVariant>("storedNumbering");
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("message");
        const QString resolution = "Schermata video impostata a : Risoluzione ";
        const QString single = "Impostata Numerazione Singola ";
        const QVariant none;
        QTest::newRow("never written, 1024 x 768")
            << none << none << -1 << false << "RB1_0" << resolution + "1024 x 768";
        QTest::newRow("1, yes, numbering cleared") << QVariant(1) << QVariant(-1) << 0 << true << "NumerazioneSingola"
                                                   << "Impostata Numerazione Standard ";
        QTest::newRow("2 as a real") << QVariant(2.0) << QVariant(0) << 1 << false << "RB1_1"
                                     << resolution + "1366 x 768";
        QTest::newRow("0, 1920 x 1080") << QVariant(0) << QVariant(0) << -1 << false << "RB1_2"
                                        << resolution + "1920 x 1080";
        QTest::newRow("4, numbering ticked")
            << QVariant(4) << QVariant(0) << -1 << false << "NumerazioneSingola" << single;
        QTest::newRow("2.5, 1366 x 768") << QVariant(2.5) << QVariant(0) << -1 << false << "RB1_1"
                                         << resolution + "1366 x 768";
        QTest::newRow("numbering 1 is not yes")
            << QVariant(2) << QVariant(1) << 1 << false << "NumerazioneSingola" << single;
    }

    void storedState()
    {
        QFETCH(QVariant, storedResolution);
        QFETCH(QVariant, storedNumbering);
        QFETCH(int, selected);
        QFETCH(bool, ticked);
        QFETCH(QString, click);
        QFETCH(QString, message);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("MisuraFormWH"), storedResolution);
        storeConfiguration(folder, QStringLiteral("NumerazioneSingola"), storedNumbering);
        storeConfiguration(folder, QStringLiteral("playlistFoto"), QStringLiteral("/tmp/foto.tni"));
        QVariantMap before = configurationRow(folder);
        ModalDriver driver;
        {
            SplasModule menu(folder.store());
            menu.show();
            QCOMPARE(menu.selectedResolution().value_or(-1), selected);
            QCOMPARE(child<QCheckBox>(menu, QStringLiteral("NumerazioneSingola"))->isChecked(), ticked);
            QCOMPARE(configurationRow(folder), before);

            QStringList lines;
            driver.nextMessage(&lines);
            QTest::mouseClick(menu.findChild<QAbstractButton*>(click), Qt::LeftButton);

            QCOMPARE(lines, QStringList{message});
            const bool resolution = click.startsWith(QLatin1String("RB1_"));
            const int index = click.mid(4).toInt();
            const QString field = resolution ? QStringLiteral("MisuraFormWH") : click;
            QVariantMap after = configurationRow(folder);
            QCOMPARE(after.take(field).toInt(), resolution ? index + 1 : ticked ? 0 : -1);
            before.remove(field);
            QCOMPARE(after, before);
            QCOMPARE(menu.selectedResolution().value_or(-1), resolution ? index : selected);
        }
        QVERIFY(driver.unexpected().isEmpty());
    }

    // A save the database refuses shows the error, and the controls go back to what is stored: the
    // designer takes its size from them.
    void refusedSaveShowsWhatIsStored_data()
    {
        QTest::addColumn<QString>("click");
        QTest::newRow("resolution") << "RB1_0";
        QTest::newRow("numbering") << "NumerazioneSingola";
    }

    void refusedSaveShowsWhatIsStored()
    {
        QFETCH(QString, click);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("MisuraFormWH"), 2);
        folder.database().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Configurazione "
                                                 "BEGIN SELECT RAISE(ABORT, 'disco non disponibile'); END"));
        SplasModule menu(folder.store());
        menu.show();
        ModalDriver driver;
        QString error;
        driver.next([&](QWidget* window) {
            error = window->objectName();
            window->close();
        });

        QTest::mouseClick(menu.findChild<QAbstractButton*>(click), Qt::LeftButton);

        QCOMPARE(error, QStringLiteral("ErrorWindow"));
        QCOMPARE(menu.selectedResolution(), std::optional<int>(1));
        QVERIFY(!child<QCheckBox>(menu, QStringLiteral("NumerazioneSingola"))->isChecked());
    }

    // Every way of closing the menu asks first, and only &Si closes it.
    void closing_data()
    {
        QTest::addColumn<QString>("request"); // a button, "closebox" or "system"
        QTest::addColumn<QString>("answer");  // a button of the question, or "closebox"
        const char* const exits[][2] = {{"PB1_0", "CBT_0"},    {"PB1_0", "CBT_1"},  {"PB1_0", "closebox"},
                                        {"closebox", "CBT_0"}, {"system", "CBT_0"}, {"system", "CBT_1"}};
        for (const auto& [request, answer] : exits)
            QTest::addRow("%s, %s", request, answer) << QString(request) << QString(answer);
    }

    void closing()
    {
        QFETCH(QString, request);
        QFETCH(QString, answer);
        TestFolder folder;
        SplasModule menu(folder.store());
        menu.show();
        QString opened;
        ModalDriver driver;
        driver.next([&](QWidget* modal) {
            opened = modal->objectName();
            if (answer == QLatin1String("closebox"))
                modal->close();
            else
                ModalDriver::click(modal, answer);
        });

        if (request == QLatin1String("closebox"))
            menu.close();
        else if (request == QLatin1String("system"))
            QApplication::closeAllWindows();
        else
            QTest::mouseClick(menu.findChild<QPushButton*>(request), Qt::LeftButton);

        QCOMPARE(opened, QStringLiteral("FormUscita"));
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(menu.isVisible(), answer != QLatin1String("CBT_0"));
    }

    // Backup and restore as the operator finds them: a right click on the picture. It offers the two commands and
    // nothing else. The copy goes where the dialog says (".zip" added when no extension is typed); the message says
    // where and what it holds, or why there is none.
    void backup_data()
    {
        QTest::addColumn<QString>("chosen"); // relative to a scratch folder
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("firstLine");
        const QString saved = "Copia delle impostazioni salvata in:";
        QTest::newRow("copia.zip") << "copia.zip" << false << QString("copia.zip") << saved;
        QTest::newRow("no extension typed") << "sabato" << false << QString("sabato.zip") << saved;
        QTest::newRow("read-only folder")
            << "copia.zip" << true << QString() << QString("La copia delle impostazioni non è stata salvata.");
    }

    void backup()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, readOnly);
        QFETCH(QString, written);
        TestFolder folder;
        QTemporaryDir out;
        ScriptedFileDialogs dialogs;
        dialogs.setNextFileName(out.filePath(chosen));
        if (readOnly)
            QFile::setPermissions(out.path(), QFile::ReadOwner | QFile::ExeOwner);
        SplasModule menu(folder.store(), nullptr, &dialogs);
        menu.show();
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(&lines);
        QStringList shown;

        QVERIFY(chooseFromContextMenu(child<QLabel>(menu, "Image1"), "SalvaImpostazioni", &shown));
        QFile::setPermissions(out.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QCOMPARE(shown, QStringList({"Salva copia delle impostazioni...", "Ripristina impostazioni..."}));
        QTEST(lines.value(0), "firstLine");
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
        if (!written.isEmpty()) {
            // A long path is broken over lines at its separators.
            QVERIFY(lines.join(QString()).contains(QDir::toNativeSeparators(out.filePath(written))));
            QVERIFY(lines.join(QLatin1Char(' ')).contains(QStringLiteral("Contiene il database, 0 playlist")));
        }
    }

    // A bad file or a declined question change nothing; a restore asks first with the copy's date and,
    // once confirmed, the menu shows the restored resolution and numbering at once.
    void restore()
    {
        TestFolder folder;
        ConfigurationRecord(folder.store()).setResolution(1);
        ConfigurationRecord(folder.store()).setSingleNumbering(true);
        QTemporaryDir out;
        const QString copy = out.filePath(QStringLiteral("copia.zip"));
        SettingsBackup::backup(folder.path(), copy);
        const QString bad = out.filePath(QStringLiteral("bad.zip"));
        QVERIFY(writeBytes(bad, {}));
        ConfigurationRecord(folder.store()).setResolution(3);
        ConfigurationRecord(folder.store()).setSingleNumbering(false);
        folder.store().close();
        const QByteArray changed = databaseDigest(Database::pathIn(folder.path()));
        ScriptedFileDialogs dialogs;
        for (const QString& file : {bad, copy, copy})
            dialogs.setNextFileName(file);
        SplasModule menu(folder.store(), nullptr, &dialogs);
        menu.show();
        auto* numbering = child<QCheckBox>(menu, QStringLiteral("NumerazioneSingola"));
        ModalDriver driver;
        QStringList refused;
        QStringList question;
        QStringList restored;
        driver.nextMessage(&refused);
        driver.nextMessage(nullptr, false);
        for (int attempt = 0; attempt < 2; ++attempt)
            QVERIFY(chooseFromContextMenu(child<QLabel>(menu, "Image1"), QStringLiteral("RipristinaImpostazioni")));

        QCOMPARE(refused.value(0), QStringLiteral("Ripristino non eseguito: le impostazioni non sono cambiate."));
        QCOMPARE(menu.selectedResolution(), std::optional<int>(2));
        QVERIFY(!numbering->isChecked());
        folder.store().close();
        QCOMPARE(databaseDigest(Database::pathIn(folder.path())), changed);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("Backup"))));

        driver.nextMessage(&question, true);
        std::optional<int> shownUnderMessage;
        driver.next([&](QWidget* message) {
            restored = ModalDriver::messageLines(message);
            shownUnderMessage = menu.selectedResolution();
            ModalDriver::click(message, QStringLiteral("PB1_0"));
        });
        QVERIFY(chooseFromContextMenu(child<QLabel>(menu, "Image1"), QStringLiteral("RipristinaImpostazioni")));

        QVERIFY2(question.value(0).startsWith(QStringLiteral("Ripristinare la copia del ") +
                                              QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))),
                 qPrintable(question.join(QLatin1Char('|'))));
        QVERIFY2(restored.value(0).startsWith(QStringLiteral("Impostazioni ripristinate dalla copia del")),
                 qPrintable(restored.join(QLatin1Char('|'))));
        // The menu shows the restored settings by the time the message tells of them.
        QCOMPARE(shownUnderMessage, std::optional<int>(0));
        QCOMPARE(menu.selectedResolution(), std::optional<int>(0));
        QVERIFY(numbering->isChecked());
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(driver.pending(), 0);
        folder.store().close();
        QVERIFY(databaseDigest(Database::pathIn(folder.path())) != changed);
        QVERIFY(QFileInfo::exists(folder.filePath(QStringLiteral("Backup"))));
    }
};

QTEST_MAIN(TestSplasModule)
#include "tst_splasmodule.moc"
