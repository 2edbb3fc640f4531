#include "data/WeatherTowns.h"

#include "data/JetSql.h"
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

// The start of a name as typed, apostrophes made one-character wildcards.
QString pattern(const QString& typed)
{
    return SostituisciApici(typed) + QLatin1Char('*');
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
    return read(m_store, QStringLiteral("select * from ComuniMeteo where [Comune] like'") + pattern(typed) +
                             QStringLiteral("'") + QStringLiteral(" order by [comune]"));
}

QVector<WeatherTown> WeatherTowns::startingWith(const QVector<WeatherTown>& towns, const QString& typed)
{
    const QString startsWith = pattern(typed);
    QVector<WeatherTown> found;
    for (const WeatherTown& town : towns) {
        // A name never written is Null, which LIKE never matches.
        if (!town.comune.isNull() && JetSql::like(town.comune, startsWith))
            found.append(town);
    }
    return found;
}
