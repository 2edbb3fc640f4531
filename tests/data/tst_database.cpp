#include "support/core/FileBytes.h"
#include "support/core/LayoutTables.h"
#include "support/core/RawConnection.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/seed/Seed.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

using LayoutTables::storedDefault;
using LayoutTables::storeDefault;

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

enum class BadFile { NotADatabase, Truncated, BySql, ReadOnlyFile, ReadOnlyFolder, Locked };

} // namespace

Q_DECLARE_METATYPE(BadFile)

class TestDatabase : public QObject
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
        add("missing table", BadFile::BySql, "manca la tabella", "DROP TABLE DinDon", "DinDon");
        add("missing column", BadFile::BySql, "manca la colonna", "ALTER TABLE utenti DROP COLUMN percorsofoto",
            "utenti", "percorsofoto");
        add("read-only file", BadFile::ReadOnlyFile, "sola lettura");
        add("read-only folder", BadFile::ReadOnlyFolder, "");
        // A program that holds the whole file, as one that writes without WAL does.
        add("locked by another program", BadFile::Locked, "bloccato", "PRAGMA journal_mode=DELETE");
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
        std::unique_ptr<RawConnection> locker;
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
        } else if (bad == BadFile::Locked) {
            locker = std::make_unique<RawConnection>(path);
            QVERIFY(locker->exec("BEGIN EXCLUSIVE"));
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

        locker.reset();
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
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
