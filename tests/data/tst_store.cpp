// The store keeps its promise that nothing stored is lost, whatever happens to the file under a
// running program: a backup copied or moved over it, the file deleted, a kill while a new database
// is being built, a second spelling of its name, a user without the right to write. A full disk is
// met in the backup tests, where a restore writes the most.
// A new database is created whole, with what every window and the display program need to start.

#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "data/LayoutTableReader.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/seed/Seed.h"
#include "data/seed/Towns.h"
#include "support/core/FileBytes.h"
#include "support/core/LayoutTables.h"
#include "support/core/RawConnection.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

using LayoutTables::storedDefault;
using LayoutTables::storeDefault;

// A closed, checkpointed copy of the folder's database, as an operator's backup would be.
QString takeBackup(TestFolder& folder, const QString& name)
{
    folder.database();
    folder.store().close();
    const QString backup = folder.filePath(name);
    QFile::copy(folder.filePath(QStringLiteral("TN2.db")), backup);
    return backup;
}

bool renameOver(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Lets the event that used the store end, as every action of the program does.
void endOfAction()
{
    QCoreApplication::processEvents();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Opened for sharing with the display program: WAL journal and a busy timeout.
void checkSharing(Database& database)
{
    QCOMPARE(RawConnection(database.path()).text("PRAGMA journal_mode"), QStringLiteral("wal"));
    QVERIFY(RawConnection::text(database.handle(), "PRAGMA busy_timeout").toInt() > 0);
}

enum class BadFile { NotADatabase, Truncated, BySql, ReadOnlyFile, ReadOnlyFolder };

// The child process: builds a database in FOLDER, to be killed midway.
int createDatabase(const QString& folder)
{
    QCoreApplication application(
        *new int(1), new char* [1] { const_cast<char*>("tst_store") });
    Database database(folder, &Seed::populate);
    return 0;
}

} // namespace

Q_DECLARE_METATYPE(BadFile)

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    // Created whole with the seed when there is no file, or one that holds nothing (a creation cut
    // short); then found whatever the case of its name, never replaced; shared with the display program.
    void createdOnceThenFoundInAnyCase_data()
    {
        QTest::addColumn<int>("existing"); // 0 none, 1 a file of no bytes, 2 a database without tables
        QTest::newRow("no file") << 0;
        QTest::newRow("no bytes") << 1;
        QTest::newRow("a database without tables") << 2;
    }

    void createdOnceThenFoundInAnyCase()
    {
        QFETCH(int, existing);
        TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("TN2.db"));
        if (existing == 1)
            QVERIFY(writeBytes(path, {}));
        else if (existing == 2)
            QVERIFY(RawConnection(path, RawConnection::Create).exec("PRAGMA journal_mode=WAL"));
        {
            Database database(folder.path(), &Seed::populate);
            QVERIFY(database.wasCreated());
            QCOMPARE(database.path(), path);
            QCOMPARE(RecordSet(database, QStringLiteral("LayoutBase")).count(), 50);
            checkSharing(database);
            storeDefault(database, QStringLiteral("7"));
        }
        QVERIFY(QFile::rename(path, folder.filePath("Tn2.DB")));
        const QStringList before = filesIn(folder.path());
        QVERIFY(!before.contains(QStringLiteral("TN2.db.nuovo")));
        {
            Database database(folder.path(), &Seed::populate);
            QVERIFY(!database.wasCreated());
            QCOMPARE(QFileInfo(database.path()).fileName(), QStringLiteral("Tn2.DB"));
            QCOMPARE(storedDefault(database).toInt(), 7);
            checkSharing(database);
        }
        QCOMPARE(filesIn(folder.path()), before);
    }

    // A file that cannot serve is reported, with the table or column at fault (when a table is first
    // used), and left as it was; so is a folder that does not exist.
    void badFileLeftUntouched_data()
    {
        QTest::addColumn<BadFile>("bad");
        QTest::addColumn<QByteArray>("sql"); // run on the file first
        QTest::addColumn<QString>("saying"); // part of the operator's sentence
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        const auto add = [](const char* name, BadFile bad, const char* saying, const char* sql = "",
                            const char* table = "", const char* column = "") {
            QTest::newRow(name) << bad << QByteArray(sql) << QString::fromUtf8(saying) << QString::fromLatin1(table)
                                << QString::fromLatin1(column);
        };
        add("not a database", BadFile::NotADatabase, "non è un database");
        add("truncated", BadFile::Truncated, "danneggiato");
        add("missing column", BadFile::BySql, "manca la colonna", "ALTER TABLE utenti DROP COLUMN percorsofoto",
            "utenti", "percorsofoto");
        add("read-only file", BadFile::ReadOnlyFile, "sola lettura");
        add("read-only folder", BadFile::ReadOnlyFolder, "");
    }

    void badFileLeftUntouched()
    {
        QFETCH(BadFile, bad);
        QFETCH(QByteArray, sql);
        QFETCH(QString, saying);
        QFETCH(QString, table);
        QFETCH(QString, column);
        TestFolder folder;
        const QString path = folder.filePath(QStringLiteral("TN2.db"));
        if (bad != BadFile::NotADatabase)
            Database(folder.path(), &Seed::populate); // closed again, as the display program would find it
        if (!sql.isEmpty())
            QVERIFY(RawConnection(path).exec(sql.constData()));
        if (bad == BadFile::NotADatabase) {
            QVERIFY(writeBytes(path, QByteArray("Elenco postazioni\r\n").repeated(300)));
        } else if (bad == BadFile::Truncated) {
            QVERIFY(QFile(path).resize(1024));
        } else if (bad == BadFile::ReadOnlyFile) {
            QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        } else if (bad == BadFile::ReadOnlyFolder) {
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            if (QFileInfo(folder.path()).isWritable()) {
                QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("this user writes in read-only folders");
            }
        }
        const QByteArray before = readBytes(path);
        const QStringList filesBefore = filesIn(folder.path());

        const auto error = storeErrorOf([&] {
            Database database(folder.path(), &Seed::populate);
            if (!table.isEmpty())
                RecordSet records(database, table);
        });
        QVERIFY2(error, "the database opened");
        const QString& message = error->operatorMessage();
        QVERIFY2(message.contains(saying) && message.contains(table) && message.contains(column),
                 qPrintable(error->fullText()));
        QCOMPARE(error->file(), path);
        QCOMPARE(error->table(), table);
        QCOMPARE(error->column(), column);

        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(readBytes(path), before);
        QCOMPARE(filesIn(folder.path()), filesBefore);

        const QString missing = folder.filePath("Programma");
        QVERIFY_THROWS_EXCEPTION(StoreError, Database database(missing, &Seed::populate));
        QVERIFY(!QFileInfo::exists(missing));
    }

    // A copy of a running display's database, its tables still in the journal, looks empty in the main
    // file alone: it is opened with its journal, never taken for empty, and the journal is kept.
    void tablesStillInTheJournalAreKept()
    {
        TestFolder source;
        TestFolder target;
        {
            RawConnection writer(source.filePath(QStringLiteral("TN2.db")), RawConnection::Create);
            for (const char* sql :
                 {"PRAGMA journal_mode=WAL", "PRAGMA wal_autocheckpoint=0",
                  "CREATE TABLE Configurazione (MisuraFormWH INTEGER)", "INSERT INTO Configurazione VALUES (2)"})
                QVERIFY(writer.exec(sql));
            for (const char* name : {"TN2.db", "TN2.db-wal"})
                QVERIFY(QFile::copy(source.filePath(QLatin1String(name)), target.filePath(QLatin1String(name))));
        }
        Database database(target.path(), &Seed::populate);
        QVERIFY(!database.wasCreated());
        QCOMPARE(RawConnection(database.path()).text("SELECT MisuraFormWH FROM Configurazione"), QStringLiteral("2"));
    }

    // An exception rolls back every row written inside; an inner transaction joins the outer one; the
    // display reads the old rows until the commit.
    void transactionIsWholeOrNothing()
    {
        TestFolder folder;
        Database& database = folder.database();
        RawConnection display(database.path());
        QVERIFY(storeErrorOf([&] {
            Transaction outer(database);
            storeDefault(database, QStringLiteral("4"));
            {
                Transaction inner(database);
                RecordSet names(database, QStringLiteral("DescrizioneLayout"));
                names.edit();
                names.setValue("LayoutNome", QStringLiteral("Sala d'attesa"));
                names.update();
                inner.commit();
            }
            QCOMPARE(display.text("SELECT qualelayout FROM Configurazione"), QStringLiteral("1"));
            throw StoreError(QStringLiteral("prova"), database.path());
        }));
        QCOMPARE(storedDefault(database).toInt(), 1);
        QCOMPARE(RecordSet(database, QStringLiteral("DescrizioneLayout")).value("LayoutNome").toString(),
                 QStringLiteral("Layout Base"));

        Transaction transaction(database);
        storeDefault(database, QStringLiteral("6"));
        transaction.commit();
        QCOMPARE(display.text("SELECT qualelayout FROM Configurazione"), QStringLiteral("6"));
    }

    // A new database holds what every window and the display program need to start: the default
    // layout is a numbered one; meteo stays Null until chosen (the weather window shows an empty
    // preview only then); names are empty, not Null, where none was given; the default chime is a
    // copy of the one DinDon row. Every layout loads into the designer; Layout1 is the base layout,
    // the others are the base layout with every element hidden.
    void newDatabaseContent()
    {
        TestFolder folder;
        Database& database = folder.database();
        const std::pair<const char*, int> counts[] = {
            {"Configurazione", 1}, {"DescrizioneLayout", 11}, {"DinDon", 1}, {"utenti", 0}, {"radio", 0}};
        for (const auto& [table, rows] : counts)
            QVERIFY2(RecordSet(database, QLatin1String(table)).count() == rows, table);
        RecordSet configuration(database, QStringLiteral("Configurazione"));
        QCOMPARE(configuration.value("qualelayout"), QVariant(1));
        QCOMPARE(configuration.value("meteo"), QVariant());
        QCOMPARE(configuration.value("dindon"), RecordSet(database, QStringLiteral("DinDon")).value("dindon"));
        RecordSet names(database, QStringLiteral("DescrizioneLayout"));
        for (int number = 0; number <= 10; names.moveNext(), ++number) {
            QVERIFY(!names.value("LayoutNome").toString().isEmpty());
            QVERIFY(!names.value("LayoutDescrizione").isNull());
        }
        const LayoutTables::Table base = LayoutTables::of(database, LayoutTableName(0));
        for (int number = 0; number <= 10; ++number) {
            LayoutTableReader(folder.store(), LayoutTableName(number)).read();
            const LayoutTables::Table layout = LayoutTables::of(database, LayoutTableName(number));
            QCOMPARE(number <= 1 ? LayoutTables::differenceIn(layout, base)
                                 : LayoutTables::differenceFromCleared(layout, base),
                     QString());
        }
    }

    // Every town of the shipped list, with the code the weather service expects (leading zeros kept)
    // and names as ISTAT writes them. A list that lost its shape is refused with the line named,
    // never seeded in part.
    void townsMatchReferenceList()
    {
        TestFolder folder;
        QHash<QString, QStringList> byCode; // code -> town, province, region
        for (RecordSet towns(folder.database(), QStringLiteral("ComuniMeteo")); !towns.eof(); towns.moveNext()) {
            const QString code = towns.value("Codice").toString();
            QVERIFY2(code.size() == 6 && !byCode.contains(code), qPrintable(code));
            byCode.insert(code, {towns.value("Comune").toString(), towns.value("Provincia").toString(),
                                 towns.value("Regione").toString()});
        }
        QCOMPARE(byCode.size(), 7896);
        QCOMPARE(byCode.value("066049"), (QStringList{"L'Aquila", "L'Aquila", "Abruzzo"}));
        QCOMPARE(byCode.value("040012"), (QStringList{"Forlì", "Forlì-Cesena", "Emilia-Romagna"}));

        QVERIFY_THROWS_EXCEPTION(StoreError, Towns::parse("Comune\tCodice\n"));
        const QString said = storeErrorSentence(
            [] { Towns::parse("Codice\tComune\tProvincia\tRegione\n058091\tRoma\tRoma\tLazio\n001272\tTorino\n"); });
        QVERIFY2(said.contains(QStringLiteral("riga 3")), qPrintable(said));
    }

    // A folder where the chime cannot be written: the creation fails whole, leaving no half-filled database.
    void failedSeedLeavesNoDatabase()
    {
        TestFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dindon.wav")));
        QVERIFY_THROWS_EXCEPTION(StoreError, Database database(folder.path(), &Seed::populate));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
    }

    // A backup put over the file between two actions: the next save goes into the file that is
    // there now, which stays whole, and the program says nothing wrong.
    void backupRestoredWhileRunning_data()
    {
        QTest::addColumn<bool>("copiedOver"); // else moved over
        QTest::addColumn<bool>("actionEnded");
        QTest::newRow("copied over, between actions") << true << true;
        QTest::newRow("moved over, between actions") << false << true;
        QTest::newRow("moved over, connection still open") << false << false;
    }

    void backupRestoredWhileRunning()
    {
        QFETCH(bool, copiedOver);
        QFETCH(bool, actionEnded);
        TestFolder folder;
        ConfigurationRecord configuration(folder.store());
        configuration.setScrollingText(QStringLiteral("nel backup"));
        const QString backup = takeBackup(folder, QStringLiteral("backup.db"));
        configuration.setScrollingText(QStringLiteral("dopo il backup"));
        configuration.setResolution(2);
        if (actionEnded)
            endOfAction();

        const QString path = folder.filePath(QStringLiteral("TN2.db"));
        if (copiedOver) {
            QFile from(backup);
            QFile to(path);
            QVERIFY(from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly | QIODevice::Truncate));
            to.write(from.readAll());
        } else {
            QVERIFY(renameOver(backup, path));
        }

        QCOMPARE(configuration.scrollingText().value_or(QString()), QStringLiteral("nel backup"));
        configuration.setResolution(1);
        endOfAction();
        QCOMPARE(readWithOwnConnection(path, "SELECT MisuraFormWH FROM Configurazione"), QStringLiteral("1"));
        QCOMPARE(readWithOwnConnection(path, "SELECT StringaScorrevole FROM Configurazione"),
                 QStringLiteral("nel backup"));
        QCOMPARE(readWithOwnConnection(path, "PRAGMA integrity_check"), QStringLiteral("ok"));
    }

    // The file deleted under the program: a save is refused plainly and no new database appears.
    // Replaced while a write is under way: the write is not reported as done.
    void fileGoneUnderTheProgram()
    {
        TestFolder folder;
        ConfigurationRecord configuration(folder.store());
        configuration.setResolution(2);
        endOfAction();
        QVERIFY(QFile::remove(folder.filePath(QStringLiteral("TN2.db"))));
        QString said = storeErrorSentence([&] { configuration.setResolution(3); });
        QVERIFY2(said.contains(QStringLiteral("non si trova più")), qPrintable(said));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("TN2.db"))));

        TestFolder other;
        const QString backup = takeBackup(other, QStringLiteral("backup.db"));
        Transaction transaction(other.database());
        ConfigurationRecord(other.store()).setResolution(1);
        QVERIFY(renameOver(backup, other.filePath(QStringLiteral("TN2.db"))));
        said = storeErrorSentence([&] { transaction.commit(); });
        QVERIFY2(said.contains(QStringLiteral("sostituito")), qPrintable(said));
    }

    // A kill at any moment of the first start leaves TN2.db complete or absent; the next start works.
    void killedWhileCreating()
    {
        TestFolder folder;
        for (int attempt = 0; attempt < 4; ++attempt) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--create"), folder.path()});
            QVERIFY(child.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(QStringLiteral("TN2.db.nuovo"))) ||
                                         child.state() == QProcess::NotRunning,
                                     20000);
            QTest::qWait(QRandomGenerator::global()->bounded(400));
            child.kill();
            child.waitForFinished();
            const QString path = folder.filePath(QStringLiteral("TN2.db"));
            if (QFile::exists(path)) {
                QCOMPARE(readWithOwnConnection(path, "PRAGMA integrity_check"), QStringLiteral("ok"));
                QCOMPARE(readWithOwnConnection(path, "SELECT count(*) FROM ComuniMeteo"), QStringLiteral("7896"));
                QFile::remove(path);
            }
        }
        Database database(folder.path(), &Seed::populate);
        QCOMPARE(RecordSet(database, QStringLiteral("LayoutBase")).count(), 50);
    }

    // Both spellings in one folder: TN2.db is used, and standard error says so in one line.
    void twoSpellings()
    {
        TestFolder folder;
        takeBackup(folder, QStringLiteral("tn2.DB"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("TN2\\.db.*tn2\\.DB")));
        Store store(folder.path());
        QCOMPARE(QFileInfo(store.database().path()).fileName(), QStringLiteral("TN2.db"));
    }
};

int main(int argc, char* argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--create") == 0)
        return createDatabase(QString::fromLocal8Bit(argv[2]));
    QCoreApplication application(argc, argv);
    TestStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store.moc"
