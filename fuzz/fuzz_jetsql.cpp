// The Jet-dialect translator and the LIKE matcher, fed text an operator or a stored record source
// could hold. The input is split at its first zero byte into a pattern and a text.
#include "data/JetSql.h"

#include <QString>
#include <cstdint>
#include <cstdlib>
#include <sqlite3.h>

namespace {

// One connection for the whole run: the translation must at least reach SQLite's parser.
sqlite3* connection()
{
    static sqlite3* const db = [] {
        sqlite3* opened = nullptr;
        sqlite3_open(":memory:", &opened);
        JetSql::registerFunctions(opened);
        sqlite3_exec(opened, "CREATE TABLE t (\"Nome\" TEXT, \"Numero\" INTEGER)", nullptr, nullptr, nullptr);
        return opened;
    }();
    return db;
}

bool hasWildcard(const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#') || c == QLatin1Char('['))
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype split = bytes.indexOf('\0');
    const QString pattern = QString::fromUtf8(split < 0 ? bytes : bytes.left(split));
    const QString text = split < 0 ? pattern : QString::fromUtf8(bytes.mid(split + 1));

    const QString sql = JetSql::toSqlite(pattern);
    JetSql::tableOf(pattern);
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(connection(), utf8.constData(), static_cast<int>(utf8.size()), &statement, nullptr) ==
        SQLITE_OK)
        sqlite3_finalize(statement);

    // A star matches everything; text without wildcards matches itself.
    if (!JetSql::like(text, QStringLiteral("*")))
        std::abort();
    if (!hasWildcard(text) && !JetSql::like(text, text))
        std::abort();
    JetSql::like(text, pattern);
    const int forward = JetSql::compareText(text, pattern);
    const int backward = JetSql::compareText(pattern, text);
    if ((forward < 0) != (backward > 0))
        std::abort();
    return 0;
}
