#include "app/FolderLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

FolderLock::FolderLock(const QString& folder, const QString& hostName)
    : m_hostName(hostName)
    , m_lock(QDir(folder).filePath(QLatin1String(FileName)))
{
}

FolderLock::~FolderLock()
{
    unlock();
}

FileLock::Result FolderLock::tryLock()
{
    m_holderHost.clear();
    const FileLock::Result result = m_lock.tryLock();
    if (result == FileLock::Locked) {
        // A crashed holder's record may still be there; ours replaces it. The record only names
        // the holder, the lock alone decides, so a failed write does not stop the start.
        m_lock.writeContent(m_hostName.toUtf8() + '\n' + QByteArray::number(QCoreApplication::applicationPid()) + '\n');
    } else if (result == FileLock::Busy) {
        QFile record(m_lock.path());
        if (record.open(QIODevice::ReadOnly))
            m_holderHost = QString::fromUtf8(record.readLine(256)).trimmed();
    }
    return result;
}

void FolderLock::unlock()
{
    if (!m_lock.isLocked())
        return;
    // Emptied, so that a copy finding the file held by a new holder that has not written its name
    // yet is not told of a computer that has left.
    m_lock.writeContent({});
    m_lock.unlock();
}

bool FolderLock::heldElsewhere() const
{
    // Computer names are not case-sensitive; network shares often report them in capitals.
    return !m_holderHost.isEmpty() && m_holderHost.compare(m_hostName, Qt::CaseInsensitive) != 0;
}
