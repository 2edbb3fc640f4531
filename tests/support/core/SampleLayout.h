#pragma once

#include "data/Database.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"

#include <QVariantMap>
#include <QVector>

// Writes whole layout tables with values of our choosing, so a test knows what every row holds.
namespace SampleLayout {

using Rows = QVector<QVariantMap>;

// Fifty rows in which every loaded column differs from row to row and from the designer's own
// state: positions that are not whole pixels, both fonts, every alignment, some rows hidden,
// transparent, bold or italic.
inline Rows rows()
{
    Rows all;
    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        const int n = row.number;
        all.append(QVariantMap{
            {QStringLiteral("DescCampo"), QString::fromUtf8(row.name)},
            {QStringLiteral("Top"), 97.5 + 45.0 * n},
            {QStringLiteral("Left"), 7.0 + 15.0 * n},
            {QStringLiteral("Testo"), QStringLiteral("Riga %1").arg(n)},
            {QStringLiteral("NomeFont"), n % 2 ? QStringLiteral("Arial") : QStringLiteral("Courier New")},
            {QStringLiteral("DimFont"), 8.25 + n % 7},
            {QStringLiteral("FontBold"), n % 2 ? -1 : 0},
            {QStringLiteral("FontItalic"), n % 3 == 0 ? -1 : 0},
            {QStringLiteral("ColoreSfondo"), 0x00102030 + n},
            {QStringLiteral("ColoreTesto"), 0x00FFFFFF - n},
            {QStringLiteral("Allineamento"), n % 3},
            {QStringLiteral("Altezza"), 300.0 + n},
            {QStringLiteral("Larghezza"), 1500.0 + 10.0 * n},
            {QStringLiteral("Visibile"), n % 5 ? -1 : 0},
            {QStringLiteral("PercorsoImmagine"), QVariant()},
            {QStringLiteral("SfondoTestoTrasparente"), n % 4 == 0 ? -1 : 0},
        });
    }
    return all;
}

// Replaces every row of `table` with `rows`, in that stored order.
inline void write(Database& database, const QString& table, const Rows& rows)
{
    Transaction transaction(database);
    database.execute(QStringLiteral("DELETE FROM \"%1\"").arg(table), table);
    RecordSet records(database, table);
    for (const QVariantMap& row : rows) {
        records.addNew();
        for (auto cell = row.cbegin(); cell != row.cend(); ++cell)
            records.setValue(cell.key(), cell.value());
        records.update();
    }
    transaction.commit();
}

} // namespace SampleLayout
