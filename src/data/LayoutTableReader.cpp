#include "data/LayoutTableReader.h"

#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/StoreError.h"

#include <utility>

namespace {

QString rowLabel(const LayoutRecords::Row& row)
{
    return QStringLiteral("la riga %1 (%2)").arg(row.number).arg(QLatin1String(row.name));
}

} // namespace

LayoutTableReader::LayoutTableReader(Store& store, QString table)
    : m_store(store)
    , m_table(std::move(table))
{
}

LayoutTableReader::Rows LayoutTableReader::read() const
{
    Database& database = m_store.database();
    RecordSet records(database, m_table);
    const auto& catalogue = LayoutRecords::rows();

    if (records.count() < LayoutRecords::RowCount) {
        const LayoutRecords::Row& missing = catalogue[static_cast<std::size_t>(records.count())];
        fail(QStringLiteral("La tabella %1 contiene %2 righe invece di %3: manca %4.")
                 .arg(m_table)
                 .arg(records.count())
                 .arg(LayoutRecords::RowCount)
                 .arg(rowLabel(missing)),
             database.path(), {}, QStringLiteral("rows: %1").arg(records.count()));
    }

    Rows result;
    for (const LayoutRecords::Row& row : catalogue) {
        LayoutElement& element = result[static_cast<std::size_t>(row.number - 1)];
        for (const QString& column : LayoutRecords::loadedColumns(row.kind)) {
            const QVariant value = records.value(column);
            if (value.isNull() && !LayoutElement::isYesNoColumn(column) && !LayoutRecords::allowsNull(row, column))
                fail(QStringLiteral("Nella tabella %1 %2 non ha un valore nella colonna %3.")
                         .arg(m_table, rowLabel(row), column),
                     database.path(), column, QStringLiteral("row %1: NULL").arg(row.number));
            if (!element.setColumn(column, value))
                fail(QStringLiteral("Nella tabella %1 %2 ha un valore non valido nella colonna %3: \"%4\".")
                         .arg(m_table, rowLabel(row), column, StoreError::shortened(value.toString(), 60)),
                     database.path(), column,
                     QStringLiteral("row %1: %2").arg(row.number).arg(StoreError::shortened(value.toString())));
        }
        records.moveNext();
    }
    return result;
}

void LayoutTableReader::fail(const QString& sentence, const QString& file, const QString& column,
                             const QString& detail) const
{
    throw StoreError(sentence, file, m_table, column, detail);
}
