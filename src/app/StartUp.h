#pragma once

#include "app/SingleInstanceGuard.h"

#include <QString>
#include <memory>

class Store;

// The way in: refuse to run beside another copy, record the program folder, open the settings
// database (created with its first content when missing), then the main menu until it closes.
class StartUp
{
public:
    enum ExitCode : int {
        Finished = 0,
        AlreadyRunning = 1,  // another copy holds the machine or the program folder; nothing was touched
        StoreFailed = 2,     // the database could not be used; the operator has been told why
        LockUnavailable = 3, // no lock could be taken to keep a second copy out; nothing was touched
    };

    // The folder that holds the program, without a trailing separator.
    static QString programFolder();

    // `folder` and `machineLockPath` differ from the defaults in tests only.
    explicit StartUp(const QString& folder = programFolder(),
                     const QString& machineLockPath = SingleInstanceGuard::defaultMachineLockPath());
    ~StartUp();

    // Everything before the main menu. False when the program must end (exitCode() says why);
    // the operator has then seen the warning or the error window.
    bool prepare();

    // prepare(), then the main menu until it closes. Returns the program's exit code.
    int run();

    int exitCode() const { return m_exitCode; }

    // The settings store of the program folder, once prepare() has opened it; null before.
    Store* store() const { return m_store.get(); }

private:
    QString m_folder;
    SingleInstanceGuard m_guard;
    std::unique_ptr<Store> m_store;
    int m_exitCode = Finished;
};
