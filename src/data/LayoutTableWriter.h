#pragma once

#include "data/LayoutElement.h"
#include "data/LayoutRecords.h"

#include <QString>
#include <array>

class Store;

// Writes a layout back over the fifty rows of its table, by position, each row with exactly the
// columns the designer's save writes for its kind (LayoutRecords::savedColumns): a column a row
// does not save keeps what the table holds. The fifty rows go in one transaction, so the display
// never reads half a layout and a failure leaves the old one whole. Rows are never added, removed
// or reordered; rows after the fiftieth are not touched.
class LayoutTableWriter
{
public:
    using Rows = std::array<LayoutElement, LayoutRecords::RowCount>;

    LayoutTableWriter(Store& store, QString table);

    // Throws StoreError, with nothing written, when the table is missing or short of rows or the
    // store refuses a row.
    void write(const Rows& rows);

private:
    Store& m_store;
    QString m_table;
};
