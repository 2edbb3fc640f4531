#include "support/core/TestFolder.h"

#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/StoreError.h"
#include "data/seed/Seed.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <sqlite3.h>

namespace {

// The first column of the first row `sql` yields.
QString queryText(sqlite3* db, const char* sql)
{
    sqlite3_stmt* statement = nullptr;
    QString result;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return result;
}

// A connection of our own, as the display program would hold one.
class RawConnection
{
public:
    explicit RawConnection(const QString& path, bool create = false)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0), nullptr);
    }
    ~RawConnection() { sqlite3_close_v2(m_db); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    QString text(const char* sql) { return queryText(m_db, sql); }

private:
    sqlite3* m_db = nullptr;
};

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A seeded database in `folder`, closed (not held open to the end of the caller's expression), in
// the state the display program would find it.
QString makeDatabase(const QString& folder)
{
    return Database(folder, &Seed::populate).path();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

int defaultLayout(Database& database)
{
    return RecordSet(database, QStringLiteral("Configurazione")).value("qualelayout").toInt();
}

void setDefaultLayout(Database& database, int number)
{
    RecordSet configuration(database, QStringLiteral("Configurazione"));
    configuration.edit();
    configuration.setValue("qualelayout", number);
    configuration.update();
}

// Opened for sharing with the display program: WAL journal and a busy timeout.
void checkSharing(Database& database)
{
    QCOMPARE(RawConnection(database.path()).text("PRAGMA journal_mode"), QStringLiteral("wal"));
    QVERIFY(queryText(database.handle(), "PRAGMA busy_timeout").toInt() > 0);
}

enum class BadFile { NotADatabase, Truncated, MissingTable, MissingColumn, ReadOnlyFile, ReadOnlyFolder, Locked };

} // namespace

Q_DECLARE_METATYPE(BadFile)

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void createdOnceThenFoundInAnyCase();
    void badFileLeftUntouched_data();
    void badFileLeftUntouched();
    void missingFolder();
    void emptyFileCreatedAfresh_data();
    void emptyFileCreatedAfresh();
    void tablesStillInTheJournalAreKept();
    void transactionIsWholeOrNothing();
};

// Created with the seed when missing; then found whatever the case of its name, never replaced by a
// second one; shared with the display program either way.
void TestDatabase::createdOnceThenFoundInAnyCase()
{
    TestFolder folder;
    {
        Database database(folder.path(), &Seed::populate);
        QVERIFY(database.wasCreated());
        QCOMPARE(QFileInfo(database.path()).fileName(), QStringLiteral("TN2.db"));
        QCOMPARE(RecordSet(database, QStringLiteral("LayoutBase")).count(), 50);
        checkSharing(database);
        setDefaultLayout(database, 7);
    }
    QVERIFY(QFile::rename(folder.filePath("TN2.db"), folder.filePath("Tn2.DB")));
    const QStringList before = filesIn(folder.path());
    {
        Database database(folder.path(), &Seed::populate);
        QVERIFY(!database.wasCreated());
        QCOMPARE(QFileInfo(database.path()).fileName(), QStringLiteral("Tn2.DB"));
        QCOMPARE(defaultLayout(database), 7);
        checkSharing(database);
    }
    QCOMPARE(filesIn(folder.path()), before);
}

// A file that cannot serve is reported, with the table or column at fault (when a table is first
// used), and left as it was.
void TestDatabase::badFileLeftUntouched_data()
{
    QTest::addColumn<BadFile>("bad");
    QTest::addColumn<QString>("saying"); // part of the operator's sentence
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    const auto add = [](const char* name, BadFile bad, const char* saying, const char* table = "",
                        const char* column = "") {
        QTest::newRow(name) << bad << QString::fromUtf8(saying) << QString::fromLatin1(table)
                            << QString::fromLatin1(column);
    };
    add("not a database", BadFile::NotADatabase, "non è un database");
    add("truncated", BadFile::Truncated, "danneggiato");
    add("missing table", BadFile::MissingTable, "manca la tabella", "DinDon");
    add("missing column", BadFile::MissingColumn, "manca la colonna", "utenti", "percorsofoto");
    add("read-only file", BadFile::ReadOnlyFile, "sola lettura");
    add("read-only folder", BadFile::ReadOnlyFolder, "");
    add("locked by another program", BadFile::Locked, "bloccato");
}

void TestDatabase::badFileLeftUntouched()
{
    QFETCH(BadFile, bad);
    QFETCH(QString, saying);
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("TN2.db"));
    if (bad != BadFile::NotADatabase)
        makeDatabase(folder.path());
    std::unique_ptr<RawConnection> locker;

    switch (bad) {
    case BadFile::NotADatabase: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Elenco postazioni\r\n").repeated(300));
        break;
    }
    case BadFile::Truncated:
        QVERIFY(QFile(path).resize(1024));
        break;
    case BadFile::MissingTable:
        QVERIFY(RawConnection(path).exec("DROP TABLE DinDon"));
        break;
    case BadFile::MissingColumn:
        QVERIFY(RawConnection(path).exec("ALTER TABLE utenti DROP COLUMN percorsofoto"));
        break;
    case BadFile::ReadOnlyFile:
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        break;
    case BadFile::ReadOnlyFolder:
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (QFile probe(folder.filePath("probe")); probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user writes in read-only folders");
        }
        break;
    case BadFile::Locked:
        // A program that holds the whole file, as one that writes without WAL does.
        QVERIFY(RawConnection(path).exec("PRAGMA journal_mode=DELETE"));
        locker = std::make_unique<RawConnection>(path);
        QVERIFY(locker->exec("BEGIN EXCLUSIVE"));
        break;
    }
    const QByteArray before = contentOf(path);
    const QStringList filesBefore = filesIn(folder.path());

    try {
        // A table the file lacks is found when it is first used, not before.
        Database database(folder.path(), &Seed::populate);
        if (!table.isEmpty())
            RecordSet records(database, table);
        QFAIL("the database opened");
    } catch (const StoreError& error) {
        const QString& message = error.operatorMessage();
        QVERIFY2(message.contains(saying) && message.contains(table) && message.contains(column),
                 qPrintable(error.fullText()));
        QCOMPARE(error.file(), path);
        QCOMPARE(error.table(), table);
        QCOMPARE(error.column(), column);
    }

    if (locker)
        QVERIFY(locker->exec("ROLLBACK"));
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(contentOf(path), before);
    QCOMPARE(filesIn(folder.path()), filesBefore);
}

// A file that holds nothing (a creation cut short) is like no file: it is built again, whole.
void TestDatabase::emptyFileCreatedAfresh_data()
{
    QTest::addColumn<bool>("sqliteHeader");
    QTest::newRow("no bytes") << false;
    QTest::newRow("a database without tables") << true;
}

void TestDatabase::emptyFileCreatedAfresh()
{
    QFETCH(bool, sqliteHeader);
    TestFolder folder;
    const QString path = folder.filePath(QStringLiteral("TN2.db"));
    if (sqliteHeader)
        QVERIFY(RawConnection(path, true).exec("PRAGMA journal_mode=WAL"));
    else
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
    Database database(folder.path(), &Seed::populate);
    QVERIFY(database.wasCreated());
    QCOMPARE(RecordSet(database, QStringLiteral("LayoutBase")).count(), 50);
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("TN2.db.nuovo"))));
}

// A database whose tables are still in its journal looks empty in the main file alone; it is
// opened with its journal, never taken for empty, and its journal is never removed.
void TestDatabase::tablesStillInTheJournalAreKept()
{
    TestFolder source;
    TestFolder target;
    {
        RawConnection writer(source.filePath(QStringLiteral("TN2.db")), true);
        QVERIFY(writer.exec("PRAGMA journal_mode=WAL"));
        QVERIFY(writer.exec("PRAGMA wal_autocheckpoint=0"));
        QVERIFY(writer.exec("CREATE TABLE Configurazione (MisuraFormWH INTEGER)"));
        QVERIFY(writer.exec("INSERT INTO Configurazione VALUES (2)"));
        // A copy taken now, as a backup of a running display would be: the tables are in the journal.
        for (const char* name : {"TN2.db", "TN2.db-wal"})
            QVERIFY(QFile::copy(source.filePath(QLatin1String(name)), target.filePath(QLatin1String(name))));
    }
    Database database(target.path(), &Seed::populate);
    QVERIFY(!database.wasCreated());
    QCOMPARE(RawConnection(database.path()).text("SELECT MisuraFormWH FROM Configurazione"), QStringLiteral("2"));
}

void TestDatabase::missingFolder()
{
    TestFolder folder;
    const QString missing = folder.filePath("Programma");
    QVERIFY_THROWS_EXCEPTION(StoreError, Database database(missing, &Seed::populate));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestDatabase::transactionIsWholeOrNothing()
{
    TestFolder folder;
    Database& database = folder.database();
    RawConnection display(database.path());

    // An exception rolls back every row written inside; an inner transaction joins the outer one.
    try {
        Transaction outer(database);
        setDefaultLayout(database, 4);
        {
            Transaction inner(database);
            RecordSet names(database, QStringLiteral("DescrizioneLayout"));
            names.edit();
            names.setValue("LayoutNome", QStringLiteral("Sala d'attesa"));
            names.update();
            inner.commit();
        }
        // Meanwhile the display still reads the old rows.
        QCOMPARE(display.text("SELECT qualelayout FROM Configurazione"), QStringLiteral("1"));
        throw StoreError(QStringLiteral("prova"), database.path());
    } catch (const StoreError&) {
    }
    QCOMPARE(defaultLayout(database), 1);
    QCOMPARE(RecordSet(database, QStringLiteral("DescrizioneLayout")).value("LayoutNome").toString(),
             QStringLiteral("Layout Base"));

    {
        Transaction transaction(database);
        setDefaultLayout(database, 6);
        transaction.commit();
    }
    QCOMPARE(defaultLayout(database), 6);
    QCOMPARE(display.text("SELECT qualelayout FROM Configurazione"), QStringLiteral("6"));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
