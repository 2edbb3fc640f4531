#pragma once

#include <QString>
#include <QVector>

class Store;

// The towns of ComuniMeteo, the reference list the weather window searches; never written.
struct WeatherTown {
    QString codice; // the town's code in the weather service
    QString comune;
    QString provincia;
    QString regione;
};

class WeatherTowns
{
public:
    explicit WeatherTowns(Store& store);

    // Every town, ordered by name without regard to case. A field never written reads as empty.
    QVector<WeatherTown> all() const;

    // The towns whose name starts with `typed`, by the store's LIKE: case does not matter, an
    // apostrophe matches any one character, and "*", "?", "#" and "[...]" keep their pattern
    // meaning. Empty text gives every named town.
    QVector<WeatherTown> startingWith(const QString& typed) const;

    // The same towns, in the same order, picked from `towns` as all() gave them, by the same LIKE
    // and without a query: a window that has the list can filter it at every keystroke.
    static QVector<WeatherTown> startingWith(const QVector<WeatherTown>& towns, const QString& typed);

private:
    Store& m_store;
};
