#include "data/WeatherTowns.h"

#include "data/RecordSet.h"
#include "data/SostituisciApici.h"
#include "data/Store.h"

namespace {

QVector<WeatherTown> read(Store& store, const QString& source)
{
    RecordSet rows(store.database(), source);
    QVector<WeatherTown> towns;
    towns.reserve(rows.count());
    for (; !rows.eof(); rows.moveNext())
        towns.append({rows.value(QStringLiteral("Codice")).toString(), rows.value(QStringLiteral("Comune")).toString(),
                      rows.value(QStringLiteral("Provincia")).toString(),
                      rows.value(QStringLiteral("Regione")).toString()});
    return towns;
}

} // namespace

WeatherTowns::WeatherTowns(Store& store)
    : m_store(store)
{
}

QVector<WeatherTown> WeatherTowns::all() const
{
    return read(m_store, QStringLiteral("Select * from ComuniMeteo order by [comune]"));
}

QVector<WeatherTown> WeatherTowns::startingWith(const QString& typed) const
{
    return read(m_store, QStringLiteral("select * from ComuniMeteo where [Comune] like'") + SostituisciApici(typed) +
                             QStringLiteral("*'") + QStringLiteral(" order by [comune]"));
}
