#pragma once

#include "data/Database.h"
#include "data/Store.h"

#include <QString>
#include <QTemporaryDir>

// A temporary program folder for one test, with the settings store of that folder (a new database
// is created there with the program's seed on first use). On destruction the store's connection is
// closed and the folder removed.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const QString& path() const { return m_path; }
    QString filePath(const QString& name) const;

    Store& store() { return m_store; }
    // The database of this folder, created with the seed on first use.
    Database& database() { return m_store.database(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    Store m_store;
};
