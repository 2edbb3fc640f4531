#include "shell/SingleInstanceGuard.h"

#include <QDir>

QString SingleInstanceGuard::defaultLockName()
{
    return QStringLiteral("tn2-impostazione.lock");
}

SingleInstanceGuard::SingleInstanceGuard(const QString& lockName)
    : m_path(QDir(QDir::tempPath()).filePath(lockName))
    , m_lock(m_path)
{
    // The program runs for days: a lock must never go stale by age, only when its owner is gone.
    m_lock.setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

bool SingleInstanceGuard::tryAcquire()
{
    if (m_lock.isLocked())
        return true;
    if (m_lock.tryLock(0))
        return true;
    if (m_lock.error() != QLockFile::LockFailedError) {
        // The temporary folder cannot hold the lock at all: we cannot tell whether another copy
        // runs, and refusing to start would lock the operator out for good.
        return true;
    }
    // The file is there. It is removed only when no running process holds it, so this takes over
    // a file left by a crash (even one whose owner information is unreadable) and nothing else.
    return m_lock.removeStaleLockFile() && m_lock.tryLock(0);
}

void SingleInstanceGuard::release()
{
    if (m_lock.isLocked())
        m_lock.unlock();
}
