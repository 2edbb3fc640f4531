#include "data/DatabaseCopy.h"

#include "data/Database.h"
#include "data/StoreError.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <sqlite3.h>

namespace {

constexpr int BusyTimeoutMs = 3000;
constexpr int BusyAttempts = 5;

// One raw connection for the length of a call.
class Connection
{
public:
    Connection(const QString& path, int flags)
        : m_path(path)
    {
        m_rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, flags, nullptr);
        if (m_db) {
            sqlite3_extended_result_codes(m_db, 1);
            sqlite3_busy_timeout(m_db, BusyTimeoutMs);
        }
    }
    ~Connection() { sqlite3_close_v2(m_db); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    sqlite3* get() const { return m_db; }
    QString error() const
    {
        return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("memoria esaurita");
    }

    void require(const QString& sentence) const
    {
        if (m_rc != SQLITE_OK)
            fail(m_rc, sentence);
    }

    [[noreturn]] void fail(int rc, const QString& otherwise) const
    {
        throw StoreError(Database::sentenceFor(rc, otherwise), QDir::toNativeSeparators(m_path), {}, {}, error());
    }

    // Runs `sql` and returns the first column of its rows.
    QStringList rows(const char* sql, const QString& sentence) const
    {
        QStringList result;
        sqlite3_stmt* statement = nullptr;
        int rc = sqlite3_prepare_v2(m_db, sql, -1, &statement, nullptr);
        while (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            result.append(QString::fromUtf8(text ? text : ""));
            rc = SQLITE_OK;
        }
        sqlite3_finalize(statement);
        if (rc != SQLITE_DONE)
            fail(rc, sentence);
        return result;
    }

private:
    QString m_path;
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_OK;
};

const QString ReadSentence = QStringLiteral("Il database non può essere letto.");

// Copies all of `from` into `to` in one step: one read snapshot of the source, one write
// transaction on the target. Returns the SQLite result of the copy.
int copyAll(sqlite3* to, sqlite3* from)
{
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return sqlite3_extended_errcode(to);
    int rc = SQLITE_OK;
    for (int attempt = 0; attempt < BusyAttempts; ++attempt) {
        rc = sqlite3_backup_step(backup, -1);
        if ((rc & 0xFF) != SQLITE_BUSY && (rc & 0xFF) != SQLITE_LOCKED)
            break;
        QThread::msleep(100);
    }
    const int finished = sqlite3_backup_finish(backup);
    if (rc == SQLITE_DONE)
        return finished;
    return rc;
}

} // namespace

namespace DatabaseCopy {

void snapshot(const QString& source, const QString& target)
{
    Connection from(source, SQLITE_OPEN_READONLY);
    from.require(QStringLiteral("Il database non può essere aperto per la copia."));
    // Reading the schema first tells a file that is no database before anything is written.
    from.rows("SELECT count(*) FROM sqlite_master", ReadSentence);
    QFile::remove(target);
    Connection to(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    to.require(QStringLiteral("La copia del database non può essere creata."));
    const int rc = copyAll(to.get(), from.get());
    if (rc != SQLITE_OK) {
        // A failure on the reading side is the source's to report.
        if ((rc & 0xFF) == SQLITE_FULL || (rc & 0xFF) == SQLITE_IOERR || (rc & 0xFF) == SQLITE_CANTOPEN)
            to.fail(rc, QStringLiteral("La copia del database non può essere scritta."));
        from.fail(rc, QStringLiteral("Il database non può essere copiato."));
    }
    // The copy stands alone: no journal beside it.
    to.rows("PRAGMA journal_mode=DELETE", QStringLiteral("La copia del database non può essere completata."));
}

QString integrity(const QString& path)
{
    Connection connection(path, SQLITE_OPEN_READONLY);
    connection.require(ReadSentence);
    const QStringList problems = connection.rows("PRAGMA integrity_check(5)", ReadSentence);
    return problems.join(QStringLiteral("; "));
}

int tableCount(const QString& path)
{
    Connection connection(path, SQLITE_OPEN_READONLY);
    connection.require(ReadSentence);
    return connection.rows("SELECT count(*) FROM sqlite_master WHERE type = 'table'", ReadSentence).value(0).toInt();
}

int pageSize(const QString& path)
{
    Connection connection(path, SQLITE_OPEN_READONLY);
    connection.require(ReadSentence);
    return connection.rows("PRAGMA page_size", ReadSentence).value(0).toInt();
}

void matchPageSize(const QString& path, int size)
{
    if (pageSize(path) == size)
        return;
    Connection connection(path, SQLITE_OPEN_READWRITE);
    connection.require(ReadSentence);
    const QString sentence = QStringLiteral("La copia del database non può essere preparata.");
    connection.rows("PRAGMA journal_mode=DELETE", sentence);
    connection.rows(QStringLiteral("PRAGMA page_size=%1").arg(size).toUtf8().constData(), sentence);
    connection.rows("VACUUM", sentence);
}

int userVersion(const QString& path)
{
    Connection connection(path, SQLITE_OPEN_READONLY);
    connection.require(ReadSentence);
    return connection.rows("PRAGMA user_version", ReadSentence).value(0).toInt();
}

void setUserVersion(const QString& path, int value)
{
    Connection connection(path, SQLITE_OPEN_READWRITE);
    connection.require(ReadSentence);
    connection.rows(QStringLiteral("PRAGMA user_version=%1").arg(value).toUtf8().constData(),
                    QStringLiteral("La copia del database non può essere preparata."));
}

void replaceContent(Database& live, const QString& source)
{
    Connection from(source, SQLITE_OPEN_READONLY);
    from.require(ReadSentence);
    Database::Use use(live);
    const int rc = copyAll(live.handle(), from.get());
    if (rc != SQLITE_OK)
        live.fail(rc, QStringLiteral("Il database non è stato sostituito."), {}, {},
                  QString::fromUtf8(sqlite3_errstr(rc)));
    live.settleWrite();
}

} // namespace DatabaseCopy
