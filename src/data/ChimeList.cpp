#include "data/ChimeList.h"

#include "data/RecordSet.h"
#include "data/Store.h"

namespace {

const QString Table = QStringLiteral("DinDon");
const QString PathField = QStringLiteral("dindon");

} // namespace

ChimeList::ChimeList(Store& store)
    : m_store(store)
{
}

QStringList ChimeList::paths() const
{
    RecordSet rows(m_store.database(), Table);
    QStringList paths;
    paths.reserve(rows.count());
    for (; !rows.eof(); rows.moveNext())
        paths.append(rows.value(PathField).toString());
    return paths;
}

void ChimeList::add(const QString& path)
{
    RecordSet rows(m_store.database(), Table);
    rows.addNew();
    rows.setValue(PathField, path);
    rows.update();
}

bool ChimeList::remove(int position, const QString& shown)
{
    if (position < 0)
        return false;
    RecordSet rows(m_store.database(), Table);
    for (int row = 0; row < position && !rows.eof(); ++row)
        rows.moveNext();
    if (rows.eof() || rows.value(PathField).toString() != shown)
        return false;
    rows.deleteCurrent();
    return true;
}
