#pragma once

#include <QString>
#include <functional>
#include <memory>

class Database;

// The settings store of one program folder: where TN2.db lives and how a new one is filled. The
// start-up makes one and hands it down to every window; nothing else knows the program folder.
// The connection is opened on first use and kept until close() or the store's end.
class Store
{
public:
    // Fills a freshly created, empty schema; `folder` is the program folder.
    using Populate = std::function<void(Database& database, const QString& folder)>;

    // `folder` is the program folder without a trailing separator. A missing database is created
    // there and handed to `populateNew`; without one a new database keeps its empty tables.
    explicit Store(QString folder, Populate populateNew = {});
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const QString& folder() const { return m_folder; }

    // The path of `name` in the program folder, with the platform's separators.
    QString filePath(const QString& name) const;

    // The database, opened (or created) now if it is not open yet. Throws StoreError when it
    // cannot be used; the next call tries again.
    Database& database();

    // Closes the connection; the next database() opens the file afresh.
    void close();

private:
    QString m_folder;
    Populate m_populateNew;
    std::unique_ptr<Database> m_database;
};
