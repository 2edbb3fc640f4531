#pragma once

#include <QString>
#include <QVariant>

class Store;

// Copies one layout table onto another and clears a numbered layout, row by row in stored order,
// all sixteen columns of the layout record, values exactly as stored (null included). Both
// operations go through one routine and one transaction: the target is written whole or not at
// all, so the display never reads a half-copied layout. Rows past the fiftieth are never touched.
class LayoutTableCopy
{
public:
    static constexpr int BaseLayout = 0;
    static constexpr int FirstLayout = 1;
    static constexpr int LastLayout = 10;

    // Overwrites layout `target` (1 .. 10) with layout `source` (0 for the base layout, or 1 .. 10).
    // Throws StoreError when the numbers are out of range or equal, or when either table holds
    // fewer than fifty rows; nothing is written then.
    explicit LayoutTableCopy(Store& store);

    void copy(int source, int target);

    // Overwrites layout `target` (1 .. 10) with the base layout, every element hidden.
    void clear(int target);

private:
    // The one walk behind copy and clear: every column from the source row, except
    // `overriddenColumn` (if given), which receives `overrideValue` in every row.
    void transfer(int source, int target, const QString& overriddenColumn = {}, const QVariant& overrideValue = {});

    Store& m_store;
};
