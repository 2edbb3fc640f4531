#include "app/CommandLine.h"

#include "app/SingleInstanceGuard.h"
#include "data/SettingsBackup.h"
#include "data/Store.h"
#include "data/StoreError.h"
#include "data/seed/Seed.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString Backup = QStringLiteral("--backup");
const QString Restore = QStringLiteral("--restore");
const QString Help = QStringLiteral("--help");

void usage(QTextStream& stream)
{
    stream << "Uso:\n"
              "  tn2-impostazione                   apre il programma\n"
              "  tn2-impostazione --backup FILE     salva una copia di tutte le impostazioni in FILE (.zip);\n"
              "                                     funziona anche con il programma aperto\n"
              "  tn2-impostazione --restore FILE    ripristina le impostazioni dalla copia FILE; il programma\n"
              "                                     deve essere chiuso\n"
              "Codici di uscita: 0 riuscito, 1 programma già in esecuzione, 2 operazione non riuscita,\n"
              "3 blocco non disponibile, 4 ripristino incompleto, 64 argomenti errati.\n";
}

void reportError(QTextStream& err, const QString& heading, const StoreError& error)
{
    err << heading << '\n' << error.fullText() << '\n';
}

int backup(const QString& folder, const QString& archive, QTextStream& out, QTextStream& err)
{
    try {
        const SettingsBackup::Summary summary = SettingsBackup::backup(folder, archive);
        out << QStringLiteral("Copia delle impostazioni salvata in %1\n").arg(QDir::toNativeSeparators(archive))
            << QStringLiteral("Contiene il database, %1 playlist e %2 della cartella del programma.\n")
                   .arg(summary.playlists.size())
                   .arg(summary.media.size() == 1 ? QStringLiteral("1 altro file")
                                                  : QStringLiteral("%1 altri file").arg(summary.media.size()));
        if (!summary.external.isEmpty())
            out << (summary.external.size() == 1
                        ? QStringLiteral("1 file fuori dalla cartella del programma è solo elencato nella copia.\n")
                        : QStringLiteral("%1 file fuori dalla cartella del programma sono solo elencati nella "
                                         "copia.\n")
                              .arg(summary.external.size()));
        return CommandLine::Done;
    } catch (const StoreError& error) {
        reportError(err, QStringLiteral("La copia delle impostazioni non è stata salvata."), error);
        return CommandLine::Failed;
    }
}

int restore(const QString& folder, const QString& machineLockPath, const QString& archive, QTextStream& out,
            QTextStream& err)
{
    SingleInstanceGuard guard(folder, machineLockPath);
    const SingleInstanceGuard::Outcome outcome = guard.tryAcquire();
    if (outcome != SingleInstanceGuard::Acquired) {
        err << guard.message() << '\n'
            << QStringLiteral("Ripristino non eseguito: chiudere il programma e riprovare.") << '\n';
        return outcome == SingleInstanceGuard::AlreadyRunning ? CommandLine::AlreadyRunning
                                                              : CommandLine::LockUnavailable;
    }
    try {
        const SettingsBackup::CheckedArchive checked(archive);
        Store store(folder, &Seed::populate);
        const SettingsBackup::Restored restored = SettingsBackup::restore(store, checked);
        store.close();
        out << QStringLiteral("Impostazioni ripristinate dalla copia del %1 (%2).\n")
                   .arg(restored.summary.created.toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                        QDir::toNativeSeparators(archive))
            << QStringLiteral("Le impostazioni di prima sono in %1\n")
                   .arg(QDir::toNativeSeparators(restored.automaticBackup));
        if (!restored.missing.isEmpty()) {
            out << QStringLiteral("Attenzione: su questo computer mancano %1 file indicati dalle impostazioni:\n")
                       .arg(restored.missing.size());
            for (const QString& missing : restored.missing)
                out << "  " << missing << '\n';
        }
        if (!restored.notReplaced.isEmpty()) {
            err << QStringLiteral("Il database è stato ripristinato, ma questi file non hanno potuto prendere il "
                                  "loro posto:\n");
            for (const QString& file : restored.notReplaced)
                err << "  " << file << '\n';
            return CommandLine::Incomplete;
        }
        return CommandLine::Done;
    } catch (const StoreError& error) {
        reportError(err, QStringLiteral("Ripristino non eseguito: le impostazioni non sono cambiate."), error);
        return CommandLine::Failed;
    }
}

} // namespace

namespace CommandLine {

bool wanted(const QStringList& arguments)
{
    const QString first = arguments.value(0);
    return first == Backup || first == Restore || first == Help;
}

int run(const QStringList& arguments, const QString& folder, const QString& machineLockPath, QTextStream& out,
        QTextStream& err)
{
    const QString action = arguments.value(0);
    if (action == Help) {
        usage(out);
        return Done;
    }
    if (arguments.size() != 2 || arguments.at(1).isEmpty() || arguments.at(1).startsWith(QLatin1String("--"))) {
        err << QStringLiteral("%1 vuole il nome di un file, e nient'altro.\n").arg(action);
        usage(err);
        return Usage;
    }
    const QString archive = QFileInfo(arguments.at(1)).absoluteFilePath();
    return action == Backup ? backup(folder, archive, out, err) : restore(folder, machineLockPath, archive, out, err);
}

} // namespace CommandLine
