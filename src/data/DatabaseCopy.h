#pragma once

#include <QString>

class Database;

// Whole-database copies through SQLite's online backup interface: taken as one snapshot while the
// display reads and this program writes, and put back in one write transaction, so every reader
// sees the old database or the new one and never a mixture.
namespace DatabaseCopy {

// Copies the database at `source` into a new file `target`, as one snapshot, reading only: no lock
// beyond a read, nothing written beside `source`. Throws StoreError.
void snapshot(const QString& source, const QString& target);

// What PRAGMA integrity_check says of the file at `path`: "ok", or the first problems it finds.
// Throws StoreError when the file is not a database at all.
QString integrity(const QString& path);

// Number of tables of the file at `path`.
int tableCount(const QString& path);

// Rewrites the file at `path` with `pageSize` bytes a page when it has another size: a database in
// WAL mode takes a backup only of its own page size.
void matchPageSize(const QString& path, int pageSize);
int pageSize(const QString& path);

// The header's user version, kept by SQLite for the application.
int userVersion(const QString& path);
void setUserVersion(const QString& path, int value);

// Replaces the whole content of `live` with the database at `source` in one write transaction,
// in place (the file stays the file the display holds open), then writes the journal back. Throws
// StoreError (disk full, read-only, locked); `live` is then unchanged.
void replaceContent(Database& live, const QString& source);

} // namespace DatabaseCopy
