#pragma once

#include "data/RecordSet.h"
#include "support/core/TestFolder.h"

#include <QVariantMap>

// The configuration record as the display program reads it, every field by name.
inline QVariantMap configurationRow(TestFolder& folder)
{
    RecordSet record(folder.database(), QStringLiteral("Configurazione"));
    QVariantMap row;
    for (const QString& column : record.columns())
        row.insert(column, record.value(column));
    return row;
}

// Writes one field of the configuration record the way another program would.
inline void storeConfiguration(TestFolder& folder, const QString& field, const QVariant& value)
{
    RecordSet record(folder.database(), QStringLiteral("Configurazione"));
    record.edit();
    record.setValue(field, value);
    record.update();
}
