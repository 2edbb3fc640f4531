#pragma once

#include "data/LayoutTableWriter.h"

#include <QSet>
#include <QString>
#include <sqlite3.h>

// The mark a test save leaves on a whole layout: every row carries the save's number where its kind
// saves it and the display reads it (Top; the picture's path in the background picture's row, the
// colour in the background colour's). A layout with one number throughout is one whole save (a copy
// carries its source's number, a clear the base layout's); two numbers are two saves mixed.
namespace LayoutMark {

inline LayoutTableWriter::Rows rows(int number)
{
    LayoutTableWriter::Rows rows;
    for (LayoutElement& element : rows) {
        element.top = static_cast<float>(number);
        element.coloreSfondo = static_cast<std::uint32_t>(number);
        element.percorsoImmagine = QString::number(number);
    }
    return rows;
}

// Why `table`, read in one statement as the display reads it, is not one whole save (a failed read,
// other than fifty rows, two numbers); empty when it is. Adds the numbers found to `seen`.
inline QString fault(sqlite3* db, const QString& table, QSet<double>* seen = nullptr)
{
    const QByteArray sql = "SELECT Top, PercorsoImmagine, ColoreSfondo FROM \"" + table.toUtf8() + "\" LIMIT 50";
    sqlite3_stmt* statement = nullptr;
    QSet<double> found;
    int rows = 0;
    int rc = sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr);
    for (rc = rc == SQLITE_OK ? sqlite3_step(statement) : rc; rc == SQLITE_ROW; rc = sqlite3_step(statement)) {
        const LayoutRecords::RowKind kind = LayoutRecords::rows()[static_cast<std::size_t>(rows++)].kind;
        const int column =
            (kind == LayoutRecords::RowKind::BackgroundImage) + 2 * (kind == LayoutRecords::RowKind::BackgroundColour);
        found.insert(sqlite3_column_double(statement, column));
    }
    const QString error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(statement);
    if (seen)
        *seen += found;
    if (rc != SQLITE_DONE || rows != LayoutRecords::RowCount)
        return QStringLiteral("%1: %2 (%3 rows)").arg(table, error).arg(rows);
    return found.size() == 1 ? QString() : QStringLiteral("%1 mixes %2 saves").arg(table).arg(found.size());
}

} // namespace LayoutMark
