#include "support/core/TestFolder.h"

#include "shell/store/Database.h"
#include "shell/store/RecordSet.h"
#include "shell/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <sqlite3.h>

namespace
{

// A connection of our own, as the display program would hold one.
class RawConnection
{
public:
    explicit RawConnection(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~RawConnection() { sqlite3_close_v2(m_db); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

    QString text(const char* sql)
    {
        sqlite3_stmt* statement = nullptr;
        QString result;
        if (sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3* m_db = nullptr;
};

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A seeded database in `folder`, closed, in the state the display program would find it.
QString makeDatabase(const QString& folder)
{
    const QString path = Database(folder).path();
    return path;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

int defaultLayout(Database& database)
{
    return RecordSet(database, QStringLiteral("Configurazione")).value("qualelayout").toInt();
}

enum class BadFile {
    NotADatabase,
    NotADatabaseOtherCase,
    EmptyFile,
    Truncated,
    MissingTable,
    MissingColumn,
    ReadOnlyFile,
    ReadOnlyFolder,
    Locked
};

} // namespace

Q_DECLARE_METATYPE(BadFile)

class TestDatabase : public QObject
{
    Q_OBJECT

private slots:
    void createdWhenMissing();
    void foundWithoutRegardToCase_data();
    void foundWithoutRegardToCase();
    void walJournalAndBusyTimeout();
    void badFileLeftUntouched_data();
    void badFileLeftUntouched();
    void missingFolder();
    void transactionIsWholeOrNothing();
};

void TestDatabase::createdWhenMissing()
{
    TestFolder folder;
    {
        Database database(folder.path());
        QVERIFY(database.wasCreated());
        QCOMPARE(QFileInfo(database.path()).fileName(), QStringLiteral("TN2.db"));
        QCOMPARE(RecordSet(database, QStringLiteral("LayoutBase")).count(), 50);
    }
    Database again(folder.path());
    QVERIFY(!again.wasCreated());
    QCOMPARE(RecordSet(again, QStringLiteral("Configurazione")).count(), 1);
}

void TestDatabase::foundWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("tn2.db") << "tn2.db";
    QTest::newRow("Tn2.DB") << "Tn2.DB";
}

void TestDatabase::foundWithoutRegardToCase()
{
    QFETCH(QString, name);
    TestFolder folder;
    {
        Database database(folder.path());
        RecordSet configuration(database, QStringLiteral("Configurazione"));
        configuration.edit();
        configuration.setValue("qualelayout", 7);
        configuration.update();
    }
    QVERIFY(QFile::rename(folder.filePath("TN2.db"), folder.filePath(name)));
    const QStringList before = filesIn(folder.path());

    Database& database = folder.database();
    QVERIFY(!database.wasCreated());
    QCOMPARE(QFileInfo(database.path()).fileName(), name);
    QCOMPARE(defaultLayout(database), 7);
    Database::closeCurrent();
    QCOMPARE(filesIn(folder.path()), before); // no second database beside it
}

void TestDatabase::walJournalAndBusyTimeout()
{
    TestFolder folder;
    for (int opening = 0; opening < 2; ++opening) { // created, then found
        Database database(folder.path());
        RawConnection probe(database.path());
        QCOMPARE(probe.text("PRAGMA journal_mode"), QStringLiteral("wal"));
        sqlite3_stmt* statement = nullptr;
        QCOMPARE(sqlite3_prepare_v2(database.handle(), "PRAGMA busy_timeout", -1, &statement, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_step(statement), SQLITE_ROW);
        QVERIFY(sqlite3_column_int(statement, 0) > 0);
        sqlite3_finalize(statement);
    }
}

void TestDatabase::badFileLeftUntouched_data()
{
    QTest::addColumn<BadFile>("bad");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("saying"); // part of the operator's sentence
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");

    QTest::newRow("not a database") << BadFile::NotADatabase << "TN2.db"
                                    << "non è un database"
                                    << ""
                                    << "";
    QTest::newRow("not a database, other case") << BadFile::NotADatabaseOtherCase << "tn2.DB"
                                                << "non è un database"
                                                << ""
                                                << "";
    QTest::newRow("empty file") << BadFile::EmptyFile << "TN2.db"
                                << "manca la tabella"
                                << "Configurazione"
                                << "";
    QTest::newRow("truncated") << BadFile::Truncated << "TN2.db"
                               << "danneggiato"
                               << ""
                               << "";
    QTest::newRow("missing table") << BadFile::MissingTable << "TN2.db"
                                   << "manca la tabella"
                                   << "DinDon"
                                   << "";
    QTest::newRow("missing column") << BadFile::MissingColumn << "TN2.db"
                                    << "manca la colonna"
                                    << "utenti"
                                    << "percorsofoto";
    QTest::newRow("read-only file") << BadFile::ReadOnlyFile << "TN2.db"
                                    << "sola lettura"
                                    << ""
                                    << "";
    QTest::newRow("read-only folder") << BadFile::ReadOnlyFolder << "TN2.db"
                                      << ""
                                      << ""
                                      << "";
    QTest::newRow("locked by another program") << BadFile::Locked << "TN2.db"
                                               << "bloccato"
                                               << ""
                                               << "";
}

void TestDatabase::badFileLeftUntouched()
{
    QFETCH(BadFile, bad);
    QFETCH(QString, fileName);
    QFETCH(QString, saying);
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestFolder folder;
    const QString path = folder.filePath(fileName);
    RawConnection* locker = nullptr;

    switch (bad) {
    case BadFile::NotADatabase:
    case BadFile::NotADatabaseOtherCase: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Elenco postazioni\r\n").repeated(300));
        break;
    }
    case BadFile::EmptyFile:
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        break;
    case BadFile::Truncated:
        QVERIFY(QFile(makeDatabase(folder.path())).resize(1024));
        break;
    case BadFile::MissingTable:
        QVERIFY(RawConnection(makeDatabase(folder.path())).exec("DROP TABLE DinDon"));
        break;
    case BadFile::MissingColumn:
        QVERIFY(RawConnection(makeDatabase(folder.path())).exec("ALTER TABLE utenti DROP COLUMN percorsofoto"));
        break;
    case BadFile::ReadOnlyFile:
        makeDatabase(folder.path());
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        break;
    case BadFile::ReadOnlyFolder: {
        makeDatabase(folder.path());
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        QFile probe(folder.filePath("probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user writes in read-only folders");
        }
        break;
    }
    case BadFile::Locked:
        // A program that holds the whole file, as one that writes without WAL does.
        QVERIFY(RawConnection(makeDatabase(folder.path())).exec("PRAGMA journal_mode=DELETE"));
        locker = new RawConnection(path);
        QVERIFY(locker->exec("BEGIN EXCLUSIVE"));
        break;
    }
    const std::unique_ptr<RawConnection> lockerOwner(locker);
    const QByteArray before = contentOf(path);
    const QStringList filesBefore = filesIn(folder.path());

    try {
        Database database(folder.path());
        QFAIL("the database opened");
    } catch (const StoreError& error) {
        const QString text = error.fullText();
        QCOMPARE(QFileInfo(error.file()).fileName(), fileName);
        QVERIFY2(error.operatorMessage().contains(saying), qPrintable(text));
        QVERIFY2(error.operatorMessage().contains(table), qPrintable(text));
        QVERIFY2(error.operatorMessage().contains(column), qPrintable(text));
        if (!table.isEmpty())
            QCOMPARE(error.table(), table);
        if (!column.isEmpty())
            QCOMPARE(error.column(), column);
    }

    if (locker)
        QVERIFY(locker->exec("ROLLBACK"));
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(contentOf(path), before);
    QCOMPARE(filesIn(folder.path()), filesBefore);
}

void TestDatabase::missingFolder()
{
    TestFolder folder;
    const QString missing = folder.filePath("Programma");
    QVERIFY_THROWS_EXCEPTION(StoreError, Database database(missing));
    QVERIFY(!QFileInfo::exists(missing));
}

void TestDatabase::transactionIsWholeOrNothing()
{
    TestFolder folder;
    Database& database = folder.database();
    RawConnection display(database.path());
    const auto setDefaultLayout = [&](int number) {
        RecordSet configuration(database, QStringLiteral("Configurazione"));
        configuration.edit();
        configuration.setValue("qualelayout", number);
        configuration.update();
    };

    // An exception rolls back every row written inside; an inner transaction joins the outer one.
    try {
        Transaction outer(database);
        setDefaultLayout(4);
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
        setDefaultLayout(6);
        transaction.commit();
    }
    QCOMPARE(defaultLayout(database), 6);
    QCOMPARE(display.text("SELECT qualelayout FROM Configurazione"), QStringLiteral("6"));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
