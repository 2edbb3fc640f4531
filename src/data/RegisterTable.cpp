#include "data/RegisterTable.h"

#include "data/RecordSet.h"
#include "data/SostituisciApici.h"
#include "data/Store.h"

namespace {

struct Kind {
    QString table;
    QString listQuery;
    QString nameField;
    QString secondField;
    QString criterionPrefix;
};

const Kind& kindOf(RegisterKind kind)
{
    static const Kind operators{QStringLiteral("utenti"), QStringLiteral("Select * from utenti order by [nominativo]"),
                                QStringLiteral("nominativo"), QStringLiteral("percorsofoto"),
                                QStringLiteral("[nominativo]like'")};
    static const Kind stations{QStringLiteral("radio"), QStringLiteral("Select * from radio order by [NomeRadio]"),
                               QStringLiteral("nomeradio"), QStringLiteral("PercorsoURL"),
                               QStringLiteral("[nomeradio]like'")};
    return kind == RegisterKind::Operators ? operators : stations;
}

// Upper case letter by letter, so the text keeps its length: "ß" stays "ß" instead of becoming
// "SS", which LIKE would no longer match against the stored name.
QString upperKeepingLength(const QString& text)
{
    QString upper;
    upper.reserve(text.size());
    for (const char32_t codePoint : text.toUcs4()) {
        const char32_t mapped = QChar::toUpper(codePoint);
        upper.append(QString::fromUcs4(&mapped, 1));
    }
    return upper;
}

RegisterEntry entryAt(const RecordSet& rows, const Kind& kind)
{
    return {rows.value(kind.nameField).toString(), rows.value(kind.secondField).toString()};
}

// Stands `rows` (the list query) on `position`; false when the register no longer has that row as shown.
bool standOn(RecordSet& rows, const Kind& kind, int position, const RegisterEntry& shown)
{
    if (position < 0)
        return false;
    for (int row = 0; row < position && !rows.eof(); ++row)
        rows.moveNext();
    return !rows.eof() && entryAt(rows, kind) == shown;
}

} // namespace

RegisterTable::RegisterTable(Store& store, RegisterKind kind)
    : m_store(store)
    , m_kind(kind)
{
}

QVector<RegisterEntry> RegisterTable::list() const
{
    const Kind& kind = kindOf(m_kind);
    RecordSet rows(m_store.database(), kind.listQuery);
    QVector<RegisterEntry> entries;
    entries.reserve(rows.count());
    for (; !rows.eof(); rows.moveNext())
        entries.append(entryAt(rows, kind));
    return entries;
}

bool RegisterTable::isDuplicate(const QString& typedName, const std::optional<QString>& ownName) const
{
    const Kind& kind = kindOf(m_kind);
    const QString upper = upperKeepingLength(typedName);
    // Only whether a row matches counts: the rows that match are read, not the whole register.
    const RecordSet matching(m_store.database(), QStringLiteral("select * from ") + kind.table +
                                                     QStringLiteral(" where ") + kind.criterionPrefix +
                                                     SostituisciApici(upper) + QLatin1Char('\''));
    if (matching.count() == 0)
        return false;
    return !(ownName && upper == upperKeepingLength(*ownName));
}

void RegisterTable::add(const RegisterEntry& entry)
{
    const Kind& kind = kindOf(m_kind);
    RecordSet rows(m_store.database(), kind.table);
    rows.addNew();
    rows.setValue(kind.nameField, entry.name);
    rows.setValue(kind.secondField, entry.second);
    rows.update();
}

bool RegisterTable::change(int position, const RegisterEntry& shown, const RegisterEntry& entry)
{
    const Kind& kind = kindOf(m_kind);
    RecordSet rows(m_store.database(), kind.listQuery);
    if (!standOn(rows, kind, position, shown))
        return false;
    rows.edit();
    rows.setValue(kind.nameField, entry.name);
    rows.setValue(kind.secondField, entry.second);
    rows.update();
    return true;
}

bool RegisterTable::remove(int position, const RegisterEntry& shown)
{
    const Kind& kind = kindOf(m_kind);
    RecordSet rows(m_store.database(), kind.listQuery);
    if (!standOn(rows, kind, position, shown))
        return false;
    rows.deleteCurrent();
    return true;
}
