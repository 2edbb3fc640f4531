#include "data/Store.h"

#include "data/Database.h"
#include "data/StoreError.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

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
    if (m_database) {
        try {
            m_database->requireFileInPlace();
        } catch (const StoreError&) {
            // Replaced or gone since the last action: what is there now is what we work on.
            if (m_database->users() > 0)
                throw;
            m_database.reset();
        }
    }
    if (!m_database) {
        QStringList others;
        Database::pathIn(m_folder, &others);
        m_database = std::make_unique<Database>(m_folder, m_openedOnce ? Database::Populate() : m_populateNew);
        if (!m_openedOnce && !others.isEmpty()) {
            // The program keeps no log; standard error is where a second spelling is worth a line.
            qWarning("%s", qPrintable(QStringLiteral("TN2: uso %1; nella stessa cartella c'è anche %2, che non viene "
                                                     "usato.")
                                          .arg(QDir::toNativeSeparators(m_database->path()),
                                               others.join(QStringLiteral(", ")))));
        }
        m_openedOnce = true;
    }
    closeWhenIdle();
    return *m_database;
}

void Store::closeWhenIdle()
{
    if (m_closeScheduled || !QCoreApplication::instance())
        return;
    m_closeScheduled = true;
    // Posted, so it runs once the event that opened the connection has been handled.
    QTimer::singleShot(0, this, [this] {
        m_closeScheduled = false;
        if (m_database && m_database->users() > 0)
            closeWhenIdle();
        else
            m_database.reset();
    });
}

void Store::close()
{
    m_database.reset();
}
