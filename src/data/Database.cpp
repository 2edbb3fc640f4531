#include "data/Database.h"

#include "data/JetSql.h"
#include "data/Schema.h"
#include "data/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <sqlite3.h>

namespace {

// Long enough to ride out the display program's reads, short enough that an operator facing a
// database held by another program hears about it soon.
constexpr int BusyTimeoutMs = 3000;

QString sqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("memoria esaurita");
}

bool isWritableByAnyone(const QFileInfo& info)
{
    // Checked on the permission bits rather than access(): a file marked read-only stays read-only
    // for us even when the program runs with rights that would override it.
    // (WriteUser is left out: Qt derives it from the current user's rights.)
    const QFile::Permissions write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & write) != 0;
}

} // namespace

Database::Database(const QString& folder, const Populate& populateNew)
    : m_path(pathIn(folder))
{
    const QFileInfo info(m_path);
    if (info.exists()) {
        if (!info.isFile())
            throw StoreError(QStringLiteral("Il database non è un file: non può essere aperto."), m_path);
        if (!isWritableByAnyone(info))
            throw StoreError(QStringLiteral("Il database è in sola lettura: le impostazioni non potrebbero essere "
                                            "salvate. Togliere la protezione dalla scrittura e riavviare."),
                             m_path);
        open(false, populateNew);
        return;
    }
    const QFileInfo folderInfo(QFileInfo(m_path).absolutePath());
    if (!folderInfo.isDir())
        throw StoreError(QStringLiteral("La cartella del programma non esiste: il database non può essere creato."),
                         m_path);
    open(true, populateNew);
}

Database::~Database()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

QString Database::pathIn(const QString& folder)
{
    const QDir dir(folder);
    const QString wanted = QString::fromLatin1(FileName);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir.filePath(name);
    }
    return dir.filePath(wanted);
}

void Database::open(bool create, const Populate& populateNew)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_FULLMUTEX;
    const int rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = sqliteMessage(m_db);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw StoreError(QStringLiteral("Il database non può essere aperto."), m_path, {}, {}, detail);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    // A name in double quotes that matches no column must be an error, not a text constant: a
    // misspelled column would otherwise order by nothing or match nothing without a word.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    JetSql::registerFunctions(m_db);

    try {
        const QString journal = QStringLiteral("PRAGMA journal_mode=WAL"); // the display reads while we write
        if (create) {
            m_created = true;
            run(journal, QStringLiteral("Il database non può essere preparato per la scrittura."));
            Transaction transaction(*this);
            Schema::create(*this);
            if (populateNew)
                populateNew(*this, QFileInfo(m_path).absolutePath());
            transaction.commit();
        } else {
            // Read before anything is written: a file that is not a database, or one that lacks a
            // table or column, is reported and left exactly as it was.
            run(QStringLiteral("SELECT count(*) FROM sqlite_master"),
                QStringLiteral("Il database non può essere letto."));
            Schema::verify(*this);
            run(journal, QStringLiteral("Il database non può essere preparato per la scrittura."));
        }
    } catch (...) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        if (create) {
            // A half-made database would pass for a good one at the next start.
            QFile::remove(m_path);
            QFile::remove(m_path + QStringLiteral("-wal"));
            QFile::remove(m_path + QStringLiteral("-shm"));
        }
        throw;
    }
}

void Database::execute(const QString& sql, const QString& table)
{
    run(sql, QStringLiteral("Operazione sul database non riuscita."), table);
}

void Database::run(const QString& sql, const QString& otherwise, const QString& table)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc == SQLITE_OK)
        return;
    const QString detail = error ? QString::fromUtf8(error) : sqliteMessage(m_db);
    sqlite3_free(error);
    fail(rc, otherwise, table, {}, detail + QStringLiteral(" [") + sql + QLatin1Char(']'));
}

void Database::fail(int rc, const QString& otherwise, const QString& table, const QString& column,
                    const QString& detail) const
{
    QString sentence = otherwise;
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        sentence = QStringLiteral("Il file non è un database delle impostazioni valido o è danneggiato.");
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        sentence = QStringLiteral("Il database è bloccato da un altro programma. Riprovare quando l'altro programma "
                                  "lo avrà rilasciato.");
        break;
    case SQLITE_READONLY:
        sentence = QStringLiteral("Il database è in sola lettura: le impostazioni non possono essere salvate.");
        break;
    default:
        break;
    }
    throw StoreError(sentence, m_path, table, column, detail);
}

QStringList Database::columnsOf(const QString& table) const
{
    QStringList names;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT name FROM pragma_table_info(?1)", -1, &statement, nullptr) != SQLITE_OK)
        return names;
    const QByteArray utf8 = table.toUtf8();
    sqlite3_bind_text(statement, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW)
        names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    return names;
}

Transaction::Transaction(Database& database)
    : m_database(database)
{
    if (sqlite3_get_autocommit(database.handle())) {
        // IMMEDIATE takes the write lock now, so a busy database fails before any row is touched.
        database.execute(QStringLiteral("BEGIN IMMEDIATE"));
        m_owner = true;
    }
}

Transaction::~Transaction()
{
    if (m_owner && !m_done)
        sqlite3_exec(m_database.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    if (m_owner && !m_done)
        m_database.execute(QStringLiteral("COMMIT"));
    m_done = true;
}
