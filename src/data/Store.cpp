#include "data/Store.h"

#include "data/Database.h"

#include <QDir>

Store::Store(QString folder, Populate populateNew)
    : m_folder(std::move(folder))
    , m_populateNew(std::move(populateNew))
{
}

Store::~Store() = default;

QString Store::filePath(const QString& name) const
{
    return QDir::toNativeSeparators(QDir(m_folder).filePath(name));
}

Database& Store::database()
{
    if (!m_database)
        m_database = std::make_unique<Database>(m_folder, m_populateNew);
    return *m_database;
}

void Store::close()
{
    m_database.reset();
}
