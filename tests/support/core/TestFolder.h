#pragma once

#include <QString>
#include <QTemporaryDir>

#include "shell/store/Database.h"

// A temporary program folder for one test: sets AppFolder to it and, on request, creates the
// database there. On destruction the store's connection is closed and the folder removed.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const QString& path() const { return m_path; }
    QString filePath(const QString& name) const;

    // The database of this folder, created with the seed on first use.
    Database& database();

private:
    QTemporaryDir m_dir;
    QString m_path;
};
