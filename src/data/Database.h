#pragma once

#include "data/FileIdentity.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;
class RecordSet;

// One connection to the settings database: the SQLite file TN2.db in the program folder, shared
// with the display program. The file is found without regard to case. A missing or empty file is
// created whole under a temporary name and renamed into place, so TN2.db appears complete or not at
// all. The journal is WAL with a busy timeout, so the display program reads while we write. Each
// table is checked against the schema the first time this connection uses it.
class Database
{
public:
    static constexpr const char* FileName = "TN2.db";

    using Populate = std::function<void(Database& database, const QString& folder)>;

    // Opens the database in `folder`. When there is none (no file, a file of no bytes, or one without
    // a single table) and `populateNew` is given, creates it with the whole schema and hands it to
    // `populateNew` first; without `populateNew` a missing database is refused. Throws StoreError
    // when the file is not a SQLite database or cannot be written by this user; the file is left
    // untouched.
    explicit Database(const QString& folder, const Populate& populateNew = {});
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // The path of the database file in `folder`: TN2.db when it is there, otherwise an existing file
    // whose name matches it without regard to case, otherwise folder/TN2.db. The other spellings
    // present are put in `others`.
    static QString pathIn(const QString& folder, QStringList* others = nullptr);

    const QString& path() const { return m_path; }
    bool wasCreated() const { return m_created; }
    sqlite3* handle() const { return m_db; }

    // Runs one statement that returns no rows (schema, seed). Throws StoreError naming `table`.
    void execute(const QString& sql, const QString& table = {});

    // The operator's sentence for SQLite result `rc`: one of its own for each failure an operator
    // can meet (disk full, read-only, locked, not a database, a disk error), `otherwise` for any other.
    static QString sentenceFor(int rc, const QString& otherwise);

    // Throws the StoreError for SQLite result `rc` with sentenceFor's sentence.
    [[noreturn]] void fail(int rc, const QString& otherwise, const QString& table = {}, const QString& column = {},
                           const QString& detail = {}) const;

    // Names of the columns of `table` in declared order; empty when the table does not exist.
    QStringList columnsOf(const QString& table) const;

    // Throws StoreError naming the table or column of the schema that `table` lacks. Checked once per
    // connection; a table the schema does not know passes.
    void requireTable(const QString& table);

    // Throws StoreError when the file at path() is no longer the one this connection opened (a
    // backup copied or moved over it, or the file deleted): what was written went elsewhere.
    void requireFileInPlace() const;

    // After a write is committed: the journal is written back into the file and emptied, as far as
    // the display's reads allow without waiting, so a file put in place of ours later never meets
    // journal entries of ours; then requireFileInPlace().
    void settleWrite();

    // Record sets and transactions in progress; the store closes the connection only when none is.
    int users() const { return m_users; }

    // Counts a user of the connection while it lives.
    class Use
    {
    public:
        explicit Use(Database& database)
            : m_database(database)
        {
            ++m_database.m_users;
        }
        ~Use() { --m_database.m_users; }
        // A copy is one more user.
        Use(const Use& other)
            : Use(other.m_database)
        {
        }
        Use& operator=(const Use&) = delete;

    private:
        Database& m_database;
    };

private:
    // A new, empty file at `path`, for createInPlace().
    struct NewFile {
    };
    Database(QString path, NewFile);
    void open(bool create);
    static bool holdsNoTable(const QString& path);
    static void createInPlace(const QString& folder, const QString& path, const Populate& populateNew);
    // Runs `sql`; a failure throws with `otherwise` as the sentence for the unexpected case.
    void run(const QString& sql, const QString& otherwise, const QString& table = {});

    QString m_path;
    sqlite3* m_db = nullptr;
    bool m_created = false;
    std::optional<FileIdentity> m_identity;
    QSet<QString> m_checkedTables;
    int m_users = 0;
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
    Database::Use m_use;
    bool m_owner = false;
    bool m_done = false;
};
