#include "data/LayoutTableCopy.h"

#include "data/Database.h"
#include "data/JetValue.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/StoreError.h"

namespace {

bool isNumbered(int layout)
{
    return layout >= LayoutTableCopy::FirstLayout && layout <= LayoutTableCopy::LastLayout;
}

// A short table is found before anything is written: the old rows then stay whole.
void requireFullTable(const RecordSet& rows, const Database& database)
{
    if (rows.count() >= LayoutRecords::RowCount)
        return;
    throw StoreError(QStringLiteral("La tabella \"%1\" contiene solo %2 righe: manca la riga %3 delle %4 di un layout. "
                                    "Nessuna riga è stata scritta.")
                         .arg(rows.table())
                         .arg(rows.count())
                         .arg(rows.count() + 1)
                         .arg(LayoutRecords::RowCount),
                     database.path(), rows.table(), {},
                     QStringLiteral("row %1 of %2 missing").arg(rows.count() + 1).arg(LayoutRecords::RowCount));
}

} // namespace

LayoutTableCopy::LayoutTableCopy(Store& store)
    : m_store(store)
{
}

void LayoutTableCopy::copy(int source, int target)
{
    transfer(source, target);
}

void LayoutTableCopy::clear(int target)
{
    transfer(BaseLayout, target, QStringLiteral("Visibile"), JetValue::yesNo(false));
}

void LayoutTableCopy::transfer(int source, int target, const QString& overriddenColumn, const QVariant& overrideValue)
{
    Database& database = m_store.database();
    if (target == BaseLayout)
        throw StoreError(QStringLiteral("Il Layout Base non può essere modificato: scegliere un layout da 1 a 10."),
                         database.path(), LayoutTableName(BaseLayout));
    if (!isNumbered(target))
        throw StoreError(
            QStringLiteral("Il layout %1 non esiste: si può scrivere solo sui layout da 1 a 10.").arg(target),
            database.path());
    if (source != BaseLayout && !isNumbered(source))
        throw StoreError(
            QStringLiteral("Il layout %1 non esiste: si copia dal Layout Base o dai layout da 1 a 10.").arg(source),
            database.path());
    if (source == target)
        throw StoreError(
            QStringLiteral("Impossibile copiare il layout \"%1\" su se stesso.").arg(LayoutTableName(target)),
            database.path(), LayoutTableName(target));

    Transaction transaction(database);
    RecordSet from(database, LayoutTableName(source));
    RecordSet to(database, LayoutTableName(target));
    requireFullTable(from, database);
    requireFullTable(to, database);

    const QStringList& columns = LayoutRecords::columns();
    for (int row = 0; row < LayoutRecords::RowCount; ++row) {
        to.edit();
        for (const QString& column : columns) {
            const bool overridden =
                !overriddenColumn.isEmpty() && column.compare(overriddenColumn, Qt::CaseInsensitive) == 0;
            to.setValue(column, overridden ? overrideValue : from.value(column));
        }
        to.update();
        to.moveNext();
        from.moveNext();
    }
    transaction.commit();
}
