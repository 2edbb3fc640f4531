// The layout table reader, fed a table whose rows and values come from the input: how many rows,
// and for every cell Null, a whole number, a real, a text or a blob. Whatever the table holds, the
// reader returns fifty elements or raises StoreError; it never crashes or reads out of bounds.
#include "data/Database.h"
#include "data/LayoutRecords.h"
#include "data/LayoutTableReader.h"
#include "data/Store.h"
#include "data/StoreError.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>

namespace {

// Consumes the input a little at a time; past its end every read gives zeros.
class Input
{
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }

    template <typename T> T value()
    {
        unsigned char raw[sizeof(T)] = {};
        for (unsigned char& b : raw)
            b = byte();
        T result;
        std::memcpy(&result, raw, sizeof(T));
        return result;
    }

    QByteArray bytes(std::size_t length)
    {
        const std::size_t available = std::min(length, m_size - m_at);
        const QByteArray result(reinterpret_cast<const char*>(m_data + m_at), static_cast<qsizetype>(available));
        m_at += available;
        return result;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

struct Fixture {
    Fixture()
    {
        if (!folder.isValid())
            std::abort();
    }

    int argc = 1;
    char name[17] = "fuzz_layouttable";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    QTemporaryDir folder;
    Store store{folder.path(), [](Database&, const QString&) {}};
};

Fixture& fixture()
{
    static Fixture* const instance = new Fixture; // lives until the process ends
    return *instance;
}

void bindCell(sqlite3_stmt* insert, int index, Input& input)
{
    switch (input.byte() % 6) {
    case 0:
        sqlite3_bind_null(insert, index);
        break;
    case 1:
        sqlite3_bind_int64(insert, index, input.value<std::int64_t>());
        break;
    case 2:
        sqlite3_bind_int(insert, index, static_cast<std::int8_t>(input.byte()));
        break;
    case 3:
        sqlite3_bind_double(insert, index, input.value<double>());
        break;
    case 4: {
        const QByteArray text = input.bytes(input.byte());
        sqlite3_bind_text(insert, index, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray blob = input.bytes(input.byte() % 16);
        sqlite3_bind_blob(insert, index, blob.constData(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Fixture& f = fixture();
    Database& database = f.store.database();
    sqlite3* db = database.handle();
    const QString table = LayoutTableName(1);
    const QStringList& columns = LayoutRecords::columns();

    QString sql = QStringLiteral("INSERT INTO \"%1\" (").arg(table);
    QString marks;
    for (const QString& column : columns) {
        sql += QLatin1Char('"') + column + QLatin1String("\",");
        marks += QLatin1String("?,");
    }
    sql.chop(1);
    marks.chop(1);
    sql += QLatin1String(") VALUES (") + marks + QLatin1Char(')');

    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_exec(db, QStringLiteral("DELETE FROM \"%1\"").arg(table).toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &insert, nullptr) != SQLITE_OK)
        std::abort();
    Input input(data, size);
    const int rows = input.byte() % (LayoutRecords::RowCount + 6);
    for (int row = 0; row < rows; ++row) {
        for (int column = 1; column <= columns.size(); ++column)
            bindCell(insert, column, input);
        if (sqlite3_step(insert) != SQLITE_DONE)
            std::abort();
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);

    try {
        LayoutTableReader(f.store, table).read();
    } catch (const StoreError&) {
        // a table the designer cannot load is reported, which is all the reader owes
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return 0;
}
