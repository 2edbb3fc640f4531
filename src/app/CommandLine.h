#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// The program's only command line, for offices that schedule their backups:
//   tn2-impostazione --backup FILE    writes a copy of every setting to FILE
//   tn2-impostazione --restore FILE   puts the settings of FILE in place
// The backup only reads: it runs beside a copy of the program and needs no display. The restore
// takes the program's locks, so it is refused while a copy runs. A start without these arguments
// (none, or the toolkit's own) opens the windows as it always has.
namespace CommandLine {

enum ExitCode : int {
    Done = 0,
    AlreadyRunning = 1,  // --restore: a copy of the program holds the machine or the folder
    Failed = 2,          // nothing changed; the reason is on standard error
    LockUnavailable = 3, // --restore: no lock could be taken to keep a copy out
    Incomplete = 4,      // --restore: the database was restored, some file could not take its place
    Usage = 64,
};

// Whether `arguments` (without the program's name) ask for a command-line action.
bool wanted(const QStringList& arguments);

// Runs the action for the program folder `folder`; messages go to `out` and `err`.
// `machineLockPath` differs from the default in tests only.
int run(const QStringList& arguments, const QString& folder, const QString& machineLockPath, QTextStream& out,
        QTextStream& err);

} // namespace CommandLine
