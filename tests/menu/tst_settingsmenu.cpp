#include "ContextMenu.h"
#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "data/SettingsBackup.h"
#include "menu/SplasModule.h"
#include "support/WindowTest.h"
#include "support/core/DatabaseDigest.h"
#include "ui/ScriptedFileDialogs.h"

// Backup and restore as the operator finds them: a right click on the main menu's picture.
class TestSettingsMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    // The picture offers the two commands and nothing else. The copy goes where the dialog says (".zip"
    // added when no extension is typed); the message says where and what it holds, or why there is none.
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
        QFETCH(QString, firstLine);
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
        QCOMPARE(dialogs.saveCaptions(), QStringList{"Salva copia delle impostazioni"});
        QCOMPARE(lines.value(0), firstLine);
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
        if (!written.isEmpty()) {
            // A long path is broken over lines at its separators.
            QVERIFY(lines.join(QString()).contains(QDir::toNativeSeparators(out.filePath(written))));
            QVERIFY(lines.join(QLatin1Char(' ')).contains(QStringLiteral("Contiene il database, 0 playlist")));
        }
    }

    // A restore asks first with the copy's date; once confirmed the menu shows the restored
    // resolution and numbering at once. Declining or a bad file change nothing.
    void restore_data()
    {
        QTest::addColumn<QString>("file"); // "copy" or "bad"
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("restored");
        QTest::addColumn<QString>("said");
        QTest::newRow("confirmed") << "copy" << true << true << "Impostazioni ripristinate dalla copia del";
        QTest::newRow("declined") << "copy" << false << false << "";
        QTest::newRow("not a copy") << "bad" << false << false
                                    << "Ripristino non eseguito: le impostazioni non sono cambiate.";
    }

    void restore()
    {
        QFETCH(QString, file);
        QFETCH(bool, confirm);
        QFETCH(bool, restored);
        QFETCH(QString, said);
        TestFolder folder;
        ConfigurationRecord(folder.store()).setResolution(1);
        ConfigurationRecord(folder.store()).setSingleNumbering(true);
        QTemporaryDir out;
        const QString copy = out.filePath(QStringLiteral("copia.zip"));
        SettingsBackup::backup(folder.path(), copy);
        const QString bad = out.filePath(QStringLiteral("bad.zip"));
        QFile(bad).open(QIODevice::WriteOnly);

        ScriptedFileDialogs dialogs;
        SplasModule menu(folder.store(), nullptr, &dialogs);
        menu.show();
        // The operator changes both settings in the window.
        ModalDriver driver;
        driver.nextMessage(nullptr);
        driver.nextMessage(nullptr);
        QTest::mouseClick(child<QRadioButton>(menu, QStringLiteral("RB1_2")), Qt::LeftButton);
        QTest::mouseClick(child<QCheckBox>(menu, QStringLiteral("NumerazioneSingola")), Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, 5));
        QCOMPARE(menu.selectedResolution(), std::optional<int>(2));
        const QByteArray changed = databaseDigest(Database::pathIn(folder.path()));

        dialogs.setNextFileName(file == QLatin1String("copy") ? copy : bad);
        QStringList question;
        QStringList lines;
        if (file == QLatin1String("copy"))
            driver.nextMessage(&question, confirm);
        std::optional<int> shownUnderMessage = -1;
        if (!said.isEmpty())
            driver.next([&](QWidget* message) {
                lines = ModalDriver::messageLines(message);
                shownUnderMessage = menu.selectedResolution();
                ModalDriver::click(message, QStringLiteral("PB1_0"));
            });
        QVERIFY(chooseFromContextMenu(child<QLabel>(menu, QStringLiteral("Image1")),
                                      QStringLiteral("RipristinaImpostazioni")));

        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(driver.pending(), 0);
        if (file == QLatin1String("copy"))
            QVERIFY2(question.value(0).startsWith(QStringLiteral("Ripristinare la copia del ") +
                                                  QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))),
                     qPrintable(question.join(QLatin1Char('|'))));
        QCOMPARE(lines.isEmpty(), said.isEmpty());
        QVERIFY2(said.isEmpty() || lines.value(0).startsWith(said), qPrintable(lines.join(QLatin1Char('|'))));
        // The window shows the restored settings by the time the message tells of them.
        if (!said.isEmpty())
            QCOMPARE(shownUnderMessage, std::optional<int>(restored ? 0 : 2));
        QCOMPARE(menu.selectedResolution(), std::optional<int>(restored ? 0 : 2));
        QCOMPARE(child<QCheckBox>(menu, QStringLiteral("NumerazioneSingola"))->isChecked(), restored);
        folder.store().close();
        QCOMPARE(databaseDigest(Database::pathIn(folder.path())) != changed, restored);
        QCOMPARE(QFileInfo::exists(folder.filePath(QStringLiteral("Backup"))), restored);
    }
};

QTEST_MAIN(TestSettingsMenu)
#include "tst_settingsmenu.moc"
