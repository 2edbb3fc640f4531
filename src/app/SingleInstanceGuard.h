#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program from running on the same machine. The lock is a file in the
// system's temporary folder, held while the guard lives. A copy that crashed leaves its file
// behind but not its hold on it, so the next start takes the file over.
class SingleInstanceGuard
{
public:
    static QString defaultLockName();

    // `lockName` is the lock file's name in the temporary folder; only tests choose another.
    explicit SingleInstanceGuard(const QString& lockName = defaultLockName());
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True when this copy now holds the lock (or already held it); false when another copy holds it.
    bool tryAcquire();
    bool isHeld() const { return m_lock.isLocked(); }
    void release();

    const QString& lockPath() const { return m_path; }

private:
    QString m_path;
    QLockFile m_lock;
};
