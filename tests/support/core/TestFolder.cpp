#include "support/core/TestFolder.h"

#include "shell/store/Database.h"
#include "shell/store/Globals.h"

#include <QDir>

TestFolder::TestFolder()
    : m_path(QDir(m_dir.path()).absolutePath())
{
    Database::closeCurrent();
    AppFolder = m_path;
    CurrentLayoutTable.clear();
}

TestFolder::~TestFolder()
{
    Database::closeCurrent();
    AppFolder.clear();
}

QString TestFolder::filePath(const QString& name) const
{
    return QDir(m_path).filePath(name);
}

Database& TestFolder::database()
{
    return Database::current();
}
