#include "support/core/DatabaseDigest.h"

#include <QCryptographicHash>
#include <QFile>
#include <sqlite3.h>

QByteArray databaseDigest(const QString& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return "unreadable";
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QList<QByteArray> tables;
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1, &statement,
                       nullptr);
    while (sqlite3_step(statement) == SQLITE_ROW)
        tables.append(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    for (const QByteArray& table : tables) {
        hash.addData("table " + table + '\n');
        const QByteArray sql = "SELECT * FROM \"" + table + "\" ORDER BY rowid";
        sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                const int type = sqlite3_column_type(statement, column);
                hash.addData(QByteArray::number(type) + ':');
                const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
                hash.addData(QByteArrayView(bytes, sqlite3_column_bytes(statement, column)));
                hash.addData("|");
            }
            hash.addData("\n");
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return hash.result().toHex();
}
