#include "data/LayoutTableWriter.h"

#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/StoreError.h"

#include <utility>

LayoutTableWriter::LayoutTableWriter(Store& store, QString table)
    : m_store(store)
    , m_table(std::move(table))
{
}

void LayoutTableWriter::write(const Rows& rows)
{
    Database& database = m_store.database();
    Transaction transaction(database);
    RecordSet records(database, m_table);
    // Checked before the first row is written: a short table would otherwise take a partial layout.
    if (records.count() < LayoutRecords::RowCount)
        throw StoreError(QStringLiteral("La tabella %1 contiene %2 righe invece di %3: il layout non è stato salvato.")
                             .arg(m_table)
                             .arg(records.count())
                             .arg(LayoutRecords::RowCount),
                         database.path(), m_table, {}, QStringLiteral("rows: %1").arg(records.count()));

    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        const LayoutElement& values = rows[static_cast<std::size_t>(row.number - 1)];
        records.edit();
        for (const QString& column : LayoutRecords::savedColumns(row.kind))
            records.setValue(column, values.columnValue(column));
        records.update();
        records.moveNext();
    }
    transaction.commit();
}
