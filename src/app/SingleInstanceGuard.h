#pragma once

#include "app/FileLock.h"
#include "app/FolderLock.h"

#include <QString>

// One copy of the program per machine, and one computer per program folder. Two locks, both held
// while the guard lives and both dropped by the system when the program ends in any way:
// - the machine lock, at a fixed place that no environment variable or user moves;
// - the folder lock beside the database (see FolderLock).
class SingleInstanceGuard
{
public:
    enum Outcome {
        Acquired,
        AlreadyRunning, // another copy holds the machine, or the folder from another computer
        Unavailable,    // a lock cannot be taken at all, so nothing tells whether another copy runs
    };

    // /tmp on Unix, the machine-wide ProgramData folder on Windows.
    static QString defaultMachineLockPath();

    // `folder` is the program folder, the one holding the database.
    explicit SingleInstanceGuard(const QString& folder, const QString& machineLockPath = defaultMachineLockPath());

    // The machine first, then the folder. Anything but Acquired leaves nothing held and message()
    // tells the operator what stands in the way. Acquired also when already held.
    Outcome tryAcquire();
    const QString& message() const { return m_message; }

    bool isHeld() const { return m_machine.isLocked() && m_folder.isLocked(); }
    void release();

    const QString& machineLockPath() const { return m_machine.path(); }

private:
    QString m_folderPath;
    FileLock m_machine;
    FolderLock m_folder;
    QString m_message;
};
