#pragma once

#include "data/Database.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"

#include <QVariant>
#include <QVector>

// Fills and reads layout tables whole, for tests that compare them before and after a copy or a
// clear; and reads and sets the stored default layout.
namespace LayoutTables {

using Table = QVector<QVariantList>;

// Every row of a layout table, every column in the catalogue's order.
inline Table of(Database& database, const QString& table)
{
    Table rows;
    RecordSet set(database, table);
    while (!set.eof()) {
        QVariantList row;
        for (const QString& column : LayoutRecords::columns())
            row.append(set.value(column));
        rows.append(row);
        set.moveNext();
    }
    return rows;
}

// Gives every cell of a table a value of its own, with nulls scattered over every column
// (DescCampo included) and whole numbers, fractions and texts mixed across the kinds.
inline void fillDistinct(Database& database, const QString& table, int salt)
{
    Transaction transaction(database);
    RecordSet set(database, table);
    for (int row = 0; !set.eof(); ++row, set.moveNext()) {
        set.edit();
        for (int column = 0; column < LayoutRecords::columns().size(); ++column) {
            const int cell = row * 16 + column + salt;
            QVariant value;
            if (cell % 7 != 0)
                value = cell % 3 == 0   ? QVariant(QStringLiteral("t%1").arg(cell))
                        : cell % 3 == 1 ? QVariant(cell)
                                        : QVariant(cell + 0.25);
            set.setValue(LayoutRecords::columns()[column], value);
        }
        set.update();
    }
    transaction.commit();
}

// LayoutBase, Layout1 .. Layout10.
inline QVector<Table> allLayouts(Database& database)
{
    QVector<Table> all;
    for (int number = 0; number <= 10; ++number)
        all.append(of(database, LayoutTableName(number)));
    return all;
}

// Same value and same stored kind: a copy must not turn 3 into 3.0 or NULL into "".
inline bool sameCell(const QVariant& a, const QVariant& b)
{
    return a.isNull() == b.isNull() && (a.isNull() || (a.typeId() == b.typeId() && a == b));
}

// The first difference between the first `rows` rows of two tables; empty when they agree.
inline QString differenceIn(const Table& actual, const Table& expected, int rows = LayoutRecords::RowCount)
{
    if (actual.size() < rows || expected.size() < rows)
        return QStringLiteral("fewer than %1 rows").arg(rows);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < LayoutRecords::columns().size(); ++column) {
            if (!sameCell(actual[row][column], expected[row][column]))
                return QStringLiteral("row %1 column %2: %3 instead of %4")
                    .arg(row + 1)
                    .arg(LayoutRecords::columns()[column], actual[row][column].toString(),
                         expected[row][column].toString());
        }
    }
    return {};
}

// What a cleared layout must hold: the base layout's first fifty rows with Visibile stored as 0.
inline QString differenceFromCleared(const Table& actual, Table base)
{
    const auto visibile = LayoutRecords::columns().indexOf(QLatin1String("Visibile"));
    for (qsizetype row = 0; row < qMin(base.size(), qsizetype(LayoutRecords::RowCount)); ++row)
        base[row][visibile] = QVariant(qlonglong(0));
    return differenceIn(actual, base);
}

// qualelayout of the configuration record, and a way to store any value there, even one this
// program never writes ("NULL", "'tre'", "3.5").
inline QVariant storedDefault(Database& database)
{
    return RecordSet(database, QStringLiteral("Configurazione")).value(QStringLiteral("qualelayout"));
}

inline void storeDefault(Database& database, const QString& sqlLiteral)
{
    database.execute(QStringLiteral("UPDATE \"Configurazione\" SET \"qualelayout\" = %1").arg(sqlLiteral));
}

} // namespace LayoutTables
