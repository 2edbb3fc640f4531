#pragma once

#include <QFile>
#include <QString>
#include <sqlite3.h>

// A connection of its own to a database file, as the display program (or a backup tool) holds one.
class RawConnection
{
public:
    enum Mode { ReadOnly = SQLITE_OPEN_READONLY, ReadWrite = SQLITE_OPEN_READWRITE,
                Create = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE };

    explicit RawConnection(const QString& path, Mode mode = ReadWrite)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, mode, nullptr);
    }
    ~RawConnection() { sqlite3_close_v2(m_db); } // a transaction left open is rolled back
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }
    QString text(const char* sql) const { return text(m_db, sql); }

    // The first column of the first row `sql` yields on `db`; empty when none.
    static QString text(sqlite3* db, const char* sql)
    {
        sqlite3_stmt* statement = nullptr;
        QString result;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        sqlite3_finalize(statement);
        return result;
    }

private:
    sqlite3* m_db = nullptr;
};

// What another program reads from the file at `path`, with a read-only connection of its own.
inline QString readWithOwnConnection(const QString& path, const char* sql)
{
    return RawConnection(path, RawConnection::ReadOnly).text(sql);
}
