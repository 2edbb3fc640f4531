#pragma once

#include "shell/store/Database.h"
#include "shell/store/Globals.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A temporary program folder for the store's own tests, which link no windows: it becomes
// AppFolder, Database::current() creates the seeded database there on first use, and the
// connection is closed before the folder goes.
class StoreTestFolder
{
public:
    StoreTestFolder() : m_path(QDir(m_dir.path()).absolutePath())
    {
        Database::closeCurrent();
        AppFolder = m_path;
    }
    ~StoreTestFolder()
    {
        Database::closeCurrent();
        AppFolder.clear();
    }
    StoreTestFolder(const StoreTestFolder&) = delete;
    StoreTestFolder& operator=(const StoreTestFolder&) = delete;

    const QString& path() const { return m_path; }
    QString filePath(const QString& name) const { return QDir(m_path).filePath(name); }
    Database& database() { return Database::current(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
