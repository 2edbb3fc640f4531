#include "data/LayoutNames.h"

#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/StoreError.h"

namespace {

const QString Table = QStringLiteral("DescrizioneLayout");
const QString NameColumn = QStringLiteral("LayoutNome");
const QString DescriptionColumn = QStringLiteral("LayoutDescrizione");

RecordSet openNames(Database& database)
{
    RecordSet names(database, Table);
    if (names.count() < LayoutNames::Count)
        throw StoreError(QStringLiteral("La tabella \"%1\" contiene solo %2 righe: ne servono %3, una per il Layout "
                                        "Base e una per ogni layout da 1 a 10.")
                             .arg(Table)
                             .arg(names.count())
                             .arg(LayoutNames::Count),
                         database.path(), Table);
    return names;
}

} // namespace

LayoutNames::LayoutNames(Store& store)
    : m_store(store)
{
}

QVector<LayoutNames::Entry> LayoutNames::read() const
{
    RecordSet names = openNames(m_store.database());
    QVector<Entry> entries;
    for (int layout = 0; layout < Count; ++layout) {
        entries.append({names.value(NameColumn).toString(), names.value(DescriptionColumn).toString()});
        names.moveNext();
    }
    return entries;
}

void LayoutNames::write(const QVector<Entry>& entries)
{
    Database& database = m_store.database();
    Transaction transaction(database);
    RecordSet names = openNames(database);
    for (int layout = 0; layout < Count && layout < entries.size(); ++layout) {
        names.edit();
        names.setValue(NameColumn, entries.at(layout).name);
        names.setValue(DescriptionColumn, entries.at(layout).description);
        names.update();
        names.moveNext();
    }
    transaction.commit();
}
