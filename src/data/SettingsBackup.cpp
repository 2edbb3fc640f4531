#include "data/SettingsBackup.h"

#include "data/Database.h"
#include "data/DatabaseCopy.h"
#include "data/FileChecks.h"
#include "data/LayoutRecords.h"
#include "data/PlaylistFile.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/Store.h"
#include "data/StoreError.h"
#include "data/ZipArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <filesystem>

namespace SettingsBackup {

namespace {

const QString DatabaseEntry = QStringLiteral("TN2.db");
const QString PlaylistFolder = QStringLiteral("playlist/");
const QString MediaFolder = QStringLiteral("media/");

// A restore stages its files here, beside their targets on the same disk, so that each is moved
// into place in one step; the journal inside says which database the staged files belong to.
const QString StagingName = QStringLiteral("TN2.ripristino");
const QString JournalName = QStringLiteral("giornale.json");

constexpr Qt::CaseSensitivity PathCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

bool isPlaylistName(const QString& name)
{
    const QString suffix = QFileInfo(name).suffix();
    return suffix.compare(QLatin1String("tni"), Qt::CaseInsensitive) == 0 ||
           suffix.compare(QLatin1String("tnv"), Qt::CaseInsensitive) == 0;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("Il file non può essere letto."), QDir::toNativeSeparators(path), {}, {},
                         file.errorString());
    return file.readAll();
}

// --- what the settings name ---------------------------------------------------------------------

struct Reference {
    QString path;
    QString usedBy;
    bool archivable; // a file worth keeping in the archive when it lies in the program folder
};

void addTextColumn(Database& database, const QString& table, const QString& column, const QString& label,
                   bool archivable, QVector<Reference>* references, const QString& labelColumn = {})
{
    RecordSet rows(database, table);
    for (int row = 1; !rows.eof(); ++row, rows.moveNext()) {
        const QString path = rows.value(column).toString().trimmed();
        if (path.isEmpty())
            continue;
        QString usedBy = label;
        if (!labelColumn.isEmpty())
            usedBy += QStringLiteral(" ") + rows.value(labelColumn).toString();
        else if (label.isEmpty())
            usedBy = QStringLiteral("%1 riga %2").arg(table).arg(row);
        references->append({path, usedBy, archivable});
    }
}

// Every path the database names: chimes, photos and pictures are archived when they lie in the
// program folder; playlist files, the music folder are only listed (the playlists are archived
// on their own, the music may be gigabytes).
QVector<Reference> referencesOf(Database& database)
{
    QVector<Reference> references;
    const QString configuration = QStringLiteral("Configurazione");
    addTextColumn(database, configuration, QStringLiteral("dindon"), QStringLiteral("Configurazione.dindon"), true,
                  &references);
    addTextColumn(database, configuration, QStringLiteral("cartellamp3"), QStringLiteral("Configurazione.cartellamp3"),
                  false, &references);
    addTextColumn(database, configuration, QStringLiteral("playlistFoto"),
                  QStringLiteral("Configurazione.playlistFoto"), false, &references);
    addTextColumn(database, configuration, QStringLiteral("playlistVideo"),
                  QStringLiteral("Configurazione.playlistVideo"), false, &references);
    addTextColumn(database, QStringLiteral("DinDon"), QStringLiteral("dindon"), QStringLiteral("DinDon"), true,
                  &references);
    addTextColumn(database, QStringLiteral("utenti"), QStringLiteral("percorsofoto"), QStringLiteral("utenti:"), true,
                  &references, QStringLiteral("nominativo"));
    for (int layout = 0; layout <= 10; ++layout)
        addTextColumn(database, LayoutTableName(layout), QStringLiteral("PercorsoImmagine"), {}, true, &references);
    return references;
}

QString cleanFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// The path relative to `folder` when `stored` names a place inside it; empty otherwise.
QString insideFolder(const QString& folder, const QString& stored)
{
    const QString path = QDir::fromNativeSeparators(stored);
    if (QDir::isRelativePath(path))
        return {};
    const QString clean = QDir::cleanPath(path);
    const QString root = cleanFolder(folder) + QLatin1Char('/');
    if (!clean.startsWith(root, PathCase))
        return {};
    return clean.mid(root.size());
}

bool presentOnThisComputer(const QString& stored)
{
    const QString path = QDir::fromNativeSeparators(stored);
    return !QDir::isRelativePath(path) && QFileInfo::exists(path);
}

// Whether the settings database in the file `path` can be used: whole, with every table and column.
// `what` names the database in the sentence ("Il database attuale", "Il database nella copia").
void requireUsableDatabase(const QString& path, const QString& what, const QString& file)
{
    const QString integrity = DatabaseCopy::integrity(path);
    if (integrity != QLatin1String("ok"))
        throw StoreError(QStringLiteral("%1 è danneggiato: non può essere usato.").arg(what), file, {}, {},
                         QStringLiteral("integrity_check: ") + integrity);
    if (DatabaseCopy::tableCount(path) == 0)
        throw StoreError(QStringLiteral("%1 è vuoto: non contiene le impostazioni.").arg(what), file);
    try {
        Database database(QFileInfo(path).absolutePath());
        Schema::verify(database);
    } catch (const StoreError& error) {
        throw StoreError(QStringLiteral("%1 non è completo: %2").arg(what, error.operatorMessage()), file,
                         error.table(), error.column(), error.detail());
    }
}

// --- writing files in one step --------------------------------------------------------------------

bool isDiskFull(const QFileDevice& file)
{
    return file.error() == QFileDevice::ResourceError;
}

void writeWhole(const QString& path, const QByteArray& data)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw StoreError(QStringLiteral("La cartella non può essere creata."),
                         QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return;
    const bool full = isDiskFull(file);
    file.cancelWriting();
    throw StoreError(full ? QStringLiteral("Il disco è pieno: le impostazioni non sono state toccate. Liberare spazio "
                                           "sul disco e riprovare.")
                          : QStringLiteral("Il file non può essere scritto: le impostazioni non sono state toccate."),
                     QDir::toNativeSeparators(path), {}, {}, file.errorString());
}

// The nearest folder that exists on the way to `path`: where a new subfolder would be made.
QString nearestExistingFolder(const QString& path)
{
    QFileInfo info(QFileInfo(path).absolutePath());
    while (!info.exists() && !info.isRoot())
        info = QFileInfo(info.absolutePath());
    return info.absoluteFilePath();
}

// --- the automatic copy before a restore ---------------------------------------------------------

QString automaticBackup(const QString& folder)
{
    const QString backups = QDir(folder).filePath(QLatin1String(AutomaticFolder));
    if (!QDir().mkpath(backups))
        throw StoreError(QStringLiteral("La cartella delle copie automatiche non può essere creata: il ripristino non "
                                        "è stato eseguito."),
                         QDir::toNativeSeparators(backups));
    QDateTime when = QDateTime::currentDateTime();
    QString path;
    do {
        path = QDir(backups).filePath(QLatin1String(AutomaticPrefix) +
                                      when.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + QStringLiteral(".zip"));
        when = when.addMSecs(1);
    } while (QFileInfo::exists(path));
    backup(folder, path);

    // The ten newest stay; names sort by time. Temporary files of an archive cut short go too.
    QDir dir(backups);
    const QString pattern = QLatin1String(AutomaticPrefix) + QLatin1Char('*');
    QStringList copies = dir.entryList({pattern + QStringLiteral(".zip")}, QDir::Files, QDir::Name);
    while (copies.size() > AutomaticKept)
        dir.remove(copies.takeFirst());
    for (const QString& leftover : dir.entryList({pattern + QStringLiteral(".zip.*")}, QDir::Files))
        dir.remove(leftover);
    return path;
}

// --- staging and the journal ---------------------------------------------------------------------

QString stagingPath(const QString& folder)
{
    return QDir(folder).filePath(StagingName);
}

// Moves the staged files over their targets, each in one step. Returns those that could not be moved.
QStringList moveIntoPlace(const QString& folder, const QStringList& files)
{
    QStringList failed;
    const QDir staging(stagingPath(folder));
    for (const QString& relative : files) {
        const QString from = staging.filePath(relative);
        if (!QFileInfo::exists(from))
            continue; // moved before an interruption
        const QString to = QDir(folder).filePath(relative);
        QDir().mkpath(QFileInfo(to).absolutePath());
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).constData()),
                                std::filesystem::path(QFile::encodeName(to).constData()), error);
        if (error)
            failed.append(QDir::toNativeSeparators(to));
    }
    return failed;
}

} // namespace

// --- backup --------------------------------------------------------------------------------------

Summary backup(const QString& folder, const QString& archive)
{
    const QString database = Database::pathIn(folder);
    if (!QFileInfo(database).isFile())
        throw StoreError(QStringLiteral("Nella cartella del programma non c'è il database delle impostazioni: non c'è "
                                        "nulla da salvare."),
                         QDir::toNativeSeparators(database));
    FileChecks::requireWritableTarget(archive);

    QTemporaryDir work;
    if (!work.isValid())
        throw StoreError(QStringLiteral("La cartella dei file temporanei non può essere usata: la copia non è stata "
                                        "fatta."),
                         QDir::toNativeSeparators(QDir::tempPath()), {}, {}, work.errorString());
    const QString copy = work.filePath(DatabaseEntry);
    DatabaseCopy::snapshot(database, copy);
    const QByteArray databaseBytes = readFile(copy);
    requireUsableDatabase(copy, QStringLiteral("Il database attuale"), QDir::toNativeSeparators(database));

    ArchiveManifest manifest = ArchiveManifest::make(ArchiveManifest::Kind::Settings, folder);
    QVector<QPair<QString, QByteArray>> entries;
    const auto archiveFile = [&](const QString& name, const QString& role, const QByteArray& data,
                                 const QString& origin = {}) {
        manifest.addFile(name, role, data, origin);
        entries.append({name, data});
    };
    archiveFile(DatabaseEntry, QStringLiteral("database"), databaseBytes);

    QVector<Reference> references;
    {
        Database opened(work.path());
        references = referencesOf(opened);
    }

    Summary summary;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        if (!isPlaylistName(name))
            continue;
        const QByteArray data = readFile(dir.filePath(name));
        archiveFile(PlaylistFolder + name, QStringLiteral("playlist"), data);
        summary.playlists.append(name);
        for (const QString& entry : PlaylistFile::decode(data)) {
            if (!entry.trimmed().isEmpty())
                references.append({entry, QStringLiteral("playlist ") + name, false});
        }
    }

    // One line per path, however many settings name it.
    QMap<QString, ArchiveManifest::External> listed;
    QStringList listedOrder;
    QStringList archivedMedia;
    for (const Reference& reference : std::as_const(references)) {
        const QString relative = insideFolder(folder, reference.path);
        const bool isFile = !relative.isEmpty() && QFileInfo(dir.filePath(relative)).isFile();
        // Playlist files in the folder are archived above.
        if (isFile && relative.indexOf(QLatin1Char('/')) < 0 && isPlaylistName(relative))
            continue;
        if (reference.archivable && isFile) {
            if (!archivedMedia.contains(relative, PathCase)) {
                archiveFile(MediaFolder + relative, QStringLiteral("media"), readFile(dir.filePath(relative)),
                            reference.path);
                archivedMedia.append(relative);
            }
            continue;
        }
        const QString key = QDir::cleanPath(QDir::fromNativeSeparators(reference.path));
        if (!listed.contains(key)) {
            listed.insert(key, {reference.path, {}, presentOnThisComputer(reference.path)});
            listedOrder.append(key);
        }
        if (!listed[key].usedBy.contains(reference.usedBy))
            listed[key].usedBy.append(reference.usedBy);
    }
    for (const QString& key : std::as_const(listedOrder))
        manifest.external.append(listed.value(key));

    ZipWriter writer(archive);
    writer.add(QLatin1String(ArchiveManifest::EntryName), manifest.toJson());
    for (const auto& [name, data] : std::as_const(entries))
        writer.add(name, data);
    writer.commit();

    summary.created = manifest.created;
    summary.programVersion = manifest.programVersion;
    summary.media = archivedMedia;
    summary.external = manifest.external;
    return summary;
}

// --- checking an archive -------------------------------------------------------------------------

CheckedArchive::CheckedArchive(const QString& archive)
    : m_path(archive)
    , m_work(std::make_unique<QTemporaryDir>())
{
    const QString shown = QDir::toNativeSeparators(archive);
    const ZipReader reader(archive);
    QHash<QString, QByteArray> contents;
    const ArchiveManifest manifest = ArchiveManifest::readChecked(reader, ArchiveManifest::Kind::Settings, &contents);

    const ArchiveManifest::File* database = manifest.file(DatabaseEntry);
    if (!database || database->role != QLatin1String("database"))
        throw StoreError(QStringLiteral("La copia non contiene il database delle impostazioni: non può essere usata."),
                         shown);
    for (const ArchiveManifest::File& file : manifest.files) {
        if (file.role == QLatin1String("playlist")) {
            const QString name = file.name.mid(PlaylistFolder.size());
            if (!file.name.startsWith(PlaylistFolder) || name.contains(QLatin1Char('/')) || !isPlaylistName(name))
                throw StoreError(QStringLiteral("La copia contiene una playlist con un nome non ammesso (\"%1\"): non "
                                                "può essere usata.")
                                     .arg(file.name),
                                 shown);
            m_files.insert(name, contents.value(file.name));
            m_summary.playlists.append(name);
        } else if (file.role == QLatin1String("media")) {
            const QString relative = file.name.mid(MediaFolder.size());
            if (!file.name.startsWith(MediaFolder) || relative.isEmpty() || relative == StagingName ||
                relative.startsWith(StagingName + QLatin1Char('/')) ||
                relative.compare(DatabaseEntry, Qt::CaseInsensitive) == 0)
                throw StoreError(QStringLiteral("La copia contiene un file con un nome non ammesso (\"%1\"): non può "
                                                "essere usata.")
                                     .arg(file.name),
                                 shown);
            m_files.insert(relative, contents.value(file.name));
            m_summary.media.append(relative);
        }
    }

    if (!m_work->isValid())
        throw StoreError(QStringLiteral("La cartella dei file temporanei non può essere usata: il ripristino non è "
                                        "stato eseguito."),
                         QDir::toNativeSeparators(QDir::tempPath()), {}, {}, m_work->errorString());
    writeWhole(databasePath(), contents.value(DatabaseEntry));
    requireUsableDatabase(databasePath(), QStringLiteral("Il database nella copia"), shown);

    m_summary.created = manifest.created;
    m_summary.programVersion = manifest.programVersion;
    m_summary.external = manifest.external;
}

CheckedArchive::~CheckedArchive() = default;

QString CheckedArchive::databasePath() const
{
    return m_work->filePath(DatabaseEntry);
}

// --- restore -------------------------------------------------------------------------------------

Restored restore(Store& store, const CheckedArchive& archive)
{
    const QString folder = store.folder();
    finishInterruptedRestore(folder);

    // Everything that could refuse the restore is asked before anything is written.
    Database& live = store.database();
    const QString livePath = live.path();
    FileChecks::requireWritableTarget(livePath);
    QStringList files = archive.files().keys();
    files.sort();
    for (const QString& relative : std::as_const(files)) {
        const QString target = QDir(folder).filePath(relative);
        if (QFileInfo::exists(target))
            FileChecks::requireWritableTarget(target);
        else
            FileChecks::requireWritableFolder(nearestExistingFolder(target));
    }

    Restored restored;
    restored.summary = archive.summary();
    restored.automaticBackup = automaticBackup(folder);

    // Stage every file and the database beside their targets; nothing visible changes yet.
    const QString staging = stagingPath(folder);
    QDir(staging).removeRecursively();
    const QString stagedDatabase = QDir(staging).filePath(DatabaseEntry);
    try {
        for (const QString& relative : std::as_const(files))
            writeWhole(QDir(staging).filePath(relative), archive.files().value(relative));
        writeWhole(stagedDatabase, readFile(archive.databasePath()));
        DatabaseCopy::matchPageSize(stagedDatabase, DatabaseCopy::pageSize(livePath));

        // The mark that tells, after an interruption, whether the live database is already the new one.
        const int present = DatabaseCopy::userVersion(livePath);
        int mark = 0;
        do
            mark = static_cast<int>(QRandomGenerator::global()->bounded(1, 0x7FFFFFFF));
        while (mark == present);
        DatabaseCopy::setUserVersion(stagedDatabase, mark);

        const QJsonObject journal{{QStringLiteral("mark"), mark},
                                  {QStringLiteral("files"), QJsonArray::fromStringList(files)}};
        writeWhole(QDir(staging).filePath(JournalName), QJsonDocument(journal).toJson());

        // The moment of the change: one write transaction on the live file.
        DatabaseCopy::replaceContent(live, stagedDatabase);
    } catch (...) {
        QDir(staging).removeRecursively();
        throw;
    }

    restored.notReplaced = moveIntoPlace(folder, files);
    QDir(staging).removeRecursively();

    for (const ArchiveManifest::External& external : archive.summary().external) {
        if (!presentOnThisComputer(external.path))
            restored.missing.append(external.path);
    }
    return restored;
}

QStringList finishInterruptedRestore(const QString& folder)
{
    const QString staging = stagingPath(folder);
    QStringList failed;
    if (!QFileInfo(staging).isDir())
        return failed;
    QFile journalFile(QDir(staging).filePath(JournalName));
    if (journalFile.open(QIODevice::ReadOnly)) {
        const QJsonObject journal = QJsonDocument::fromJson(journalFile.readAll()).object();
        journalFile.close();
        const int mark = journal.value(QStringLiteral("mark")).toInt();
        const QString database = Database::pathIn(folder);
        if (mark != 0 && QFileInfo(database).isFile() && DatabaseCopy::userVersion(database) == mark) {
            QStringList files;
            for (const QJsonValue& file : journal.value(QStringLiteral("files")).toArray()) {
                if (ArchiveManifest::isSafeEntryName(file.toString()))
                    files.append(file.toString());
            }
            failed = moveIntoPlace(folder, files);
        }
    }
    // Without a journal the database was never touched: the staged files are dropped.
    QDir(staging).removeRecursively();
    return failed;
}

} // namespace SettingsBackup
