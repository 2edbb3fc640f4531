#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class Database;

// The settings store of one program folder: where TN2.db lives and how a new one is filled. The
// start-up makes one and hands it down to every window; nothing else knows the program folder.
//
// Every action meets the file that is there now: the connection is opened when an action first
// asks for it and closed once the event that asked has been handled (and no record set or
// transaction still uses it), so a backup copied or moved over TN2.db while the program runs is
// what the next action reads and writes. A connection still open when the file under it has been
// replaced is dropped and the file opened afresh. Only the first opening may create the database:
// one that disappears later is reported, never silently replaced by a new one.
class Store : public QObject
{
    Q_OBJECT
public:
    // Fills a freshly created, empty schema; `folder` is the program folder.
    using Populate = std::function<void(Database& database, const QString& folder)>;

    // `folder` is the program folder without a trailing separator. A missing database is created
    // there at the first opening and handed to `populateNew`.
    explicit Store(QString folder, Populate populateNew = {});
    ~Store() override;

    const QString& folder() const { return m_folder; }

    // The path of `name` in the program folder, with the platform's separators.
    QString filePath(const QString& name) const;

    // The database of the folder, opened now if it is not open. Throws StoreError when it cannot be
    // used; the next call tries again.
    Database& database();

    // Closes the connection now; the next database() opens the file afresh.
    void close();

private:
    void closeWhenIdle();

    QString m_folder;
    Populate m_populateNew;
    bool m_openedOnce = false;
    bool m_closeScheduled = false;
    std::unique_ptr<Database> m_database;
};
