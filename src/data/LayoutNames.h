#pragma once

#include <QString>
#include <QVector>

class Store;

// The names and descriptions of the eleven layouts (DescrizioneLayout), walked by position: row 0
// the base layout, row n layout n. A table with fewer than eleven rows would put names on the wrong
// layouts, so it is refused with StoreError before anything is shown or written.
class LayoutNames
{
public:
    static constexpr int Count = 11;

    struct Entry {
        QString name;
        QString description;
    };

    explicit LayoutNames(Store& store);

    // The eleven entries in stored order; Null reads as empty text.
    QVector<Entry> read() const;

    // Writes the first eleven rows from `entries` (which holds eleven) in one transaction.
    void write(const QVector<Entry>& entries);

private:
    Store& m_store;
};
