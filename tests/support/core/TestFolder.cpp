#include "support/core/TestFolder.h"

#include "data/seed/Seed.h"

#include <QDir>

TestFolder::TestFolder()
    : m_path(QDir(m_dir.path()).absolutePath())
    , m_store(m_path, &Seed::populate)
{
}

TestFolder::~TestFolder()
{
    m_store.close();
}

QString TestFolder::filePath(const QString& name) const
{
    return QDir(m_path).filePath(name);
}
