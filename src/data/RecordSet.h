#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include "data/Database.h"

// A record set on one table or on a Jet-dialect SELECT over one table, with the eight operations
// every window uses and nothing more: open (the constructor), read a field, edit + set + update,
// add a row, delete the current row, move to the next row, count, and find the first row that
// matches a criterion. Rows keep the stored order of the table (or the SELECT's ORDER BY); column
// names are matched without regard to case. Every failure throws StoreError naming the file, the
// table and the column.
class RecordSet
{
public:
    // Opens `source` (a table name such as "Configurazione" or a SELECT in the Jet dialect) and
    // stands on the first row.
    RecordSet(Database& database, const QString& source);

    // 2. Read a field of the current row. Throws when there is no current row or no such column.
    QVariant value(const QString& column) const;

    // 3. Begin editing the current row, set fields, store them. A value set without update is lost.
    void edit();
    void setValue(const QString& column, const QVariant& value);
    void update();

    // 4. Add a new row: addNew, setValue..., update.
    void addNew();

    // 5. Delete the current row; the record set then stands on the row that followed it.
    void deleteCurrent();

    // 6. Move to the next row; eof() is true once past the last row.
    void moveNext();
    bool eof() const { return m_position >= m_rows.size(); }

    // 7. Number of rows.
    int count() const { return static_cast<int>(m_rows.size()); }

    // 8. Stand on the first row matching a Jet-dialect criterion ("[nominativo]like'O?NEIL'").
    // noMatch() tells whether none matched; the position is then unchanged.
    void findFirst(const QString& criterion);
    bool noMatch() const { return m_noMatch; }

    int position() const { return static_cast<int>(m_position); }
    const QString& table() const { return m_table; }
    const QStringList& columns() const { return m_columns; }

private:
    enum class EditMode { None, Edit, Add };

    int columnIndex(const QString& column) const;
    void requireCurrentRow(const QString& operation) const;
    [[noreturn]] void fail(const QString& operatorMessage, const QString& column, const QString& detail) const;

    Database& m_database;
    Database::Use m_use;
    QString m_table;
    QString m_selectSql; // translated SELECT that yields rowid first, then the columns
    QStringList m_columns;
    QHash<QString, int> m_columnByLowerName;
    QVector<qint64> m_rowIds;
    QVector<QVector<QVariant>> m_rows;
    qsizetype m_position = 0;
    EditMode m_mode = EditMode::None;
    QHash<int, QVariant> m_pending;
    bool m_noMatch = false;
};
