#include "shell/StartUp.h"

#include "shell/Application.h"
#include "shell/SplasModule.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <memory>

QString StartUp::programFolder()
{
    QString folder = QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
    if (folder.size() > 1 && folder.endsWith(QDir::separator()))
        folder.chop(1);
    return folder;
}

StartUp::StartUp(const QString& folder, const QString& machineLockPath)
    : m_folder(folder)
    , m_guard(folder, machineLockPath)
{
}

bool StartUp::prepare()
{
    // Before anything else, the database above all: a second copy must not touch it.
    const SingleInstanceGuard::Outcome outcome = m_guard.tryAcquire();
    if (outcome != SingleInstanceGuard::Acquired) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ATTENZIONE"), m_guard.message(), QMessageBox::Ok);
        box.exec();
        m_exitCode = outcome == SingleInstanceGuard::AlreadyRunning ? AlreadyRunning : LockUnavailable;
        return false;
    }
    AppFolder = m_folder;
    if (!Application::runGuarded([] { Database::current(); })) {
        m_exitCode = StoreFailed;
        return false;
    }
    return true;
}

int StartUp::run()
{
    if (!prepare())
        return m_exitCode;
    std::unique_ptr<SplasModule> menu;
    // The menu reads the configuration record as it is built; a record it cannot read ends the
    // start like a database that cannot be opened.
    if (!Application::runGuarded([&menu] { menu = std::make_unique<SplasModule>(); })) {
        m_exitCode = StoreFailed;
        return m_exitCode;
    }
    menu->show();
    m_exitCode = QCoreApplication::exec();
    return m_exitCode;
}
