#pragma once

#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;
class RecordSet;

// The settings database: the SQLite file TN2.db in the program folder, shared with the display
// program. Opening it finds the file without regard to case, creates it with the full schema and
// seed content when it is absent, and checks that every table and column is in place. The journal
// is WAL with a busy timeout, so the display program reads while we write.
class Database
{
public:
    static constexpr const char* FileName = "TN2.db";

    using Populate = std::function<void(Database& database, const QString& folder)>;

    // Opens the database in `folder`, or creates it with the whole schema and hands it to
    // `populateNew` (inside the creating transaction) when there is none. Throws StoreError when the
    // file is not a SQLite database, cannot be opened for writing, or lacks a table or column; the
    // file is left untouched.
    explicit Database(const QString& folder, const Populate& populateNew = {});
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The path of the database file in `folder`: an existing file whose name matches TN2.db
    // without regard to case, otherwise folder/TN2.db.
    static QString pathIn(const QString& folder);

    const QString& path() const { return m_path; }
    bool wasCreated() const { return m_created; }
    sqlite3* handle() const { return m_db; }

    // Runs one statement that returns no rows (schema, seed). Throws StoreError naming `table`.
    void execute(const QString& sql, const QString& table = {});

    // Throws the StoreError for SQLite result `rc`: a sentence of its own for a database that is
    // busy, read-only or not a database at all, `otherwise` for any other failure.
    [[noreturn]] void fail(int rc, const QString& otherwise, const QString& table = {}, const QString& column = {},
                           const QString& detail = {}) const;

    // Names of the columns of `table` in declared order; empty when the table does not exist.
    QStringList columnsOf(const QString& table) const;

private:
    void open(bool create, const Populate& populateNew);
    // Runs `sql`; a failure throws with `otherwise` as the sentence for the unexpected case.
    void run(const QString& sql, const QString& otherwise, const QString& table = {});

    QString m_path;
    sqlite3* m_db = nullptr;
    bool m_created = false;
};

// Makes a write of several rows whole or not at all: commits when commit() is called, rolls back
// when it goes out of scope first (an exception, an early return). Nested use joins the outer one.
class Transaction
{
public:
    explicit Transaction(Database& database);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Database& m_database;
    bool m_owner = false;
    bool m_done = false;
};
