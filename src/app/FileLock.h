#pragma once

#include <QByteArray>
#include <QString>

// An exclusive lock on a file that the operating system drops when its holder ends, however it
// ends: a copy that crashes or is killed never leaves a lock behind, so nothing is ever stale.
// The file stays where it is; only the hold on it counts. A missing file is created readable and
// writable by every user, so whoever starts the program next can lock it too.
class FileLock
{
public:
    enum Result {
        Locked, // this object holds the lock
        Busy,   // another holder has it: another process, or another FileLock in this one
        Failed, // the file cannot be opened or locked; errorString() says why
    };

    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Never waits. Locked also when this object already held the lock.
    Result tryLock();
    void unlock();
    bool isLocked() const;

    // Replaces the file's content; only while the lock is held.
    bool writeContent(const QByteArray& content);

    const QString& path() const { return m_path; }
    // Why the last tryLock() failed, in Italian, e.g. "accesso negato".
    const QString& errorString() const { return m_error; }

private:
    QString m_path;
    QString m_error;
#ifdef Q_OS_WIN
    void* m_handle = nullptr; // HANDLE
#else
    int m_fd = -1;
#endif
};
