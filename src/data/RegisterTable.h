#pragma once

#include <QString>
#include <QVector>
#include <optional>

class Store;

// The two registers the display program reads: operators (utenti) and radio stations (radio). Each
// row is a name and one more text: the operator's photo path or the station's address.
enum class RegisterKind { Operators, Stations };

struct RegisterEntry {
    QString name;
    QString second;

    friend bool operator==(const RegisterEntry&, const RegisterEntry&) = default;
};

// One register, opened afresh for every call. Rows are addressed by their position in list(),
// the order the grid shows; a write first checks that the row there is still the one shown.
class RegisterTable
{
public:
    RegisterTable(Store& store, RegisterKind kind);

    // Every row, ordered by name without regard to case; a field never written reads as empty.
    QVector<RegisterEntry> list() const;

    // Whether a stored name matches `typedName` by the store's LIKE: case does not matter, an
    // apostrophe matches any one character, "*" any run, "#" one digit. When a row is being changed
    // and the typed name is that row's own name (`ownName`) in any case, it is not a duplicate.
    bool isDuplicate(const QString& typedName, const std::optional<QString>& ownName = std::nullopt) const;

    // Adds a row, texts stored exactly as given.
    void add(const RegisterEntry& entry);

    // Rewrites or deletes the row at `position` of list(). False, with nothing written, when that
    // row no longer holds `shown` (another program changed the register in the meantime).
    bool change(int position, const RegisterEntry& shown, const RegisterEntry& entry);
    bool remove(int position, const RegisterEntry& shown);

private:
    Store& m_store;
    RegisterKind m_kind;
};
