#include "app/SingleInstanceGuard.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#endif

namespace {

const char* const MachineLockName = "tn2-impostazione.lock";

QString alreadyRunning()
{
    return QStringLiteral("TN2-Modulo Impostazione risulta già in esecuzione sulla macchina !");
}

} // namespace

QString SingleInstanceGuard::defaultMachineLockPath()
{
#ifdef Q_OS_WIN
    QString folder = QStringLiteral("C:\\ProgramData");
    PWSTR known = nullptr;
    if (SHGetKnownFolderPath(FOLDERID_ProgramData, 0, nullptr, &known) == S_OK)
        folder = QString::fromWCharArray(known);
    CoTaskMemFree(known);
    return QDir(folder).filePath(QLatin1String(MachineLockName));
#else
    // Not the temporary folder of the environment: every copy, whatever its TMPDIR or user, must
    // meet at the same file. /tmp is there and open to every user on every Unix; /run/lock is
    // not writable for users on some systems.
    return QStringLiteral("/tmp/") + QLatin1String(MachineLockName);
#endif
}

SingleInstanceGuard::SingleInstanceGuard(const QString& folder, const QString& machineLockPath)
    : m_folderPath(QDir::toNativeSeparators(folder))
    , m_machine(machineLockPath)
    , m_folder(folder)
{
}

SingleInstanceGuard::Outcome SingleInstanceGuard::tryAcquire()
{
    if (isHeld())
        return Acquired;
    m_message.clear();
    const QString closing = QStringLiteral(" Il programma viene chiuso senza aprire il database.");

    switch (m_machine.tryLock()) {
    case FileLock::Locked:
        break;
    case FileLock::Busy:
        m_message = alreadyRunning();
        return AlreadyRunning;
    case FileLock::Failed:
        m_message = QStringLiteral("Impossibile verificare se TN2-Modulo Impostazione è già in esecuzione sulla "
                                   "macchina: il file di blocco %1 non si può usare (%2).")
                        .arg(QDir::toNativeSeparators(m_machine.path()), m_machine.errorString()) +
                    closing;
        return Unavailable;
    }

    const FileLock::Result folder = m_folder.tryLock();
    if (folder == FileLock::Locked)
        return Acquired;
    m_machine.unlock();
    if (folder == FileLock::Failed) {
        m_message = QStringLiteral("Impossibile riservare la cartella del programma %1: il file di blocco %2 non si "
                                   "può usare (%3).")
                        .arg(m_folderPath, QDir::toNativeSeparators(m_folder.path()), m_folder.errorString()) +
                    closing;
        return Unavailable;
    }
    if (m_folder.heldElsewhere()) {
        m_message = QStringLiteral("TN2-Modulo Impostazione risulta già in esecuzione sul computer %1 con la "
                                   "cartella %2. Il database può essere usato da un solo computer alla volta: "
                                   "chiudere il programma su quel computer oppure usarlo da lì.")
                        .arg(m_folder.holderHost(), m_folderPath);
    } else {
        m_message = alreadyRunning();
    }
    return AlreadyRunning;
}

void SingleInstanceGuard::release()
{
    m_folder.unlock();
    m_machine.unlock();
}
