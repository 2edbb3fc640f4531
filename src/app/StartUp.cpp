#include "app/StartUp.h"

#include "data/Database.h"
#include "data/SettingsBackup.h"
#include "data/Store.h"
#include "data/seed/Seed.h"
#include "menu/SplasModule.h"
#include "ui/Guarded.h"

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

StartUp::~StartUp() = default;

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
    auto store = std::make_unique<Store>(m_folder, &Seed::populate);
    if (!runGuarded(nullptr, [this, &store] {
            // A restore cut short (the program killed, the power gone) is completed or undone
            // before anything reads the settings.
            for (const QString& file : SettingsBackup::finishInterruptedRestore(m_folder))
                qWarning(
                    "%s",
                    qPrintable(QStringLiteral("TN2: il ripristino interrotto non ha potuto rimettere %1").arg(file)));
            // What the main menu needs is checked now; every other table when a window first uses
            // it, so a damaged table keeps only its own window from working.
            store->database().requireTable(QStringLiteral("Configurazione"));
        })) {
        m_exitCode = StoreFailed;
        return false;
    }
    m_store = std::move(store);
    return true;
}

int StartUp::run()
{
    if (!prepare())
        return m_exitCode;
    std::unique_ptr<SplasModule> menu;
    // The menu reads the configuration record as it is built; a record it cannot read ends the
    // start like a database that cannot be opened.
    if (!runGuarded(nullptr, [this, &menu] { menu = std::make_unique<SplasModule>(*m_store); })) {
        m_exitCode = StoreFailed;
        return m_exitCode;
    }
    menu->show();
    m_exitCode = QCoreApplication::exec();
    return m_exitCode;
}
