#pragma once

#include <QString>
#include <QStringList>

class Store;

// The chime sounds the operator can choose from (table DinDon): one full path of a wave file per
// row, in the table's own order, duplicates allowed. Opened afresh for every call; rows are
// addressed by their position in paths(), and a delete first checks that the row there is still
// the one the operator saw.
class ChimeList
{
public:
    explicit ChimeList(Store& store);

    // Every row's path; a path never written reads as empty.
    QStringList paths() const;

    // Adds a row at the end, the path stored exactly as given.
    void add(const QString& path);

    // Deletes the row at `position` of paths(). False, with nothing deleted, when that row no longer
    // holds `shown` (another program changed the list in the meantime).
    bool remove(int position, const QString& shown);

private:
    Store& m_store;
};
