#pragma once

#include "app/FileLock.h"

#include <QString>
#include <QSysInfo>

// Claims the program folder for this computer while the program runs: a locked file beside the
// database that names the computer holding it. SQLite shares its write-ahead log index through
// memory that only the processes of one computer see, so a database in a shared folder must never
// be used from two computers at once; a copy started from another computer finds the folder taken
// and learns by whom.
class FolderLock
{
public:
    static constexpr const char* FileName = "TN2.lock";

    // `hostName` differs from this computer's name in tests only.
    explicit FolderLock(const QString& folder, const QString& hostName = QSysInfo::machineHostName());
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Locked: the folder is ours and the file names this computer. Busy: another copy holds it,
    // holderHost() says where. Failed: errorString() says why.
    FileLock::Result tryLock();
    void unlock();
    bool isLocked() const { return m_lock.isLocked(); }

    // After Busy, the computer the holder wrote; empty when it has not written it yet.
    const QString& holderHost() const { return m_holderHost; }
    bool heldElsewhere() const;

    const QString& path() const { return m_lock.path(); }
    const QString& errorString() const { return m_lock.errorString(); }

private:
    QString m_hostName;
    QString m_holderHost;
    FileLock m_lock;
};
