#pragma once

#include "data/LayoutElement.h"
#include "data/LayoutRecords.h"

#include <QString>
#include <array>

class Store;

// Reads the fifty rows of a layout table by position, each with the columns its kind loads, and
// checks them all before anyone puts a value on the canvas: a table that is short of rows, or
// holds Null or an unusable value where a layout row must hold a value, raises StoreError with a
// sentence that names the table, the row (number and element) and the column. Rows after the
// fiftieth are not read. Yes/no columns read Null as no.
class LayoutTableReader
{
public:
    using Rows = std::array<LayoutElement, LayoutRecords::RowCount>;

    LayoutTableReader(Store& store, QString table);

    // Rows in stored order: element i is row i + 1 of LayoutRecords::rows().
    Rows read() const;

private:
    [[noreturn]] void fail(const QString& sentence, const QString& file, const QString& column,
                           const QString& detail) const;

    Store& m_store;
    QString m_table;
};
