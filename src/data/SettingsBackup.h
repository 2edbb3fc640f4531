#pragma once

#include "data/ArchiveManifest.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <memory>

class QTemporaryDir;
class Store;

// Backup and restore of every setting of a program folder, as one zip archive: a consistent
// snapshot of TN2.db, every playlist file (*.tni, *.tnv in any case), the files the settings name
// inside the program folder (chimes, operator photos, layout pictures) and a manifest with
// checksums. Files the settings name outside the folder, the media of the playlists and the music
// folder are listed in the manifest, not archived.
//
// A restore puts the database back first, in one write transaction on the live file, and the
// other files after it; a restore interrupted in between is completed by the next start (see
// finishInterruptedRestore), so the folder ends with the old settings or the new ones, whole.
namespace SettingsBackup {

// Where a restore keeps a copy of the settings it replaces, inside the program folder, and how many.
inline constexpr const char* AutomaticFolder = "Backup";
inline constexpr int AutomaticKept = 10;
inline constexpr const char* AutomaticPrefix = "TN2-prima-del-ripristino-";

struct Summary {
    QDateTime created;
    QString programVersion;
    QStringList playlists; // file names
    QStringList media;     // archived files, relative to the program folder
    QVector<ArchiveManifest::External> external;
};

// Writes the settings of the program folder `folder` to `archive`. It only reads the folder: it
// takes no lock and runs beside a copy of the program and the display. The file at `archive` is
// replaced only by a complete archive. Throws StoreError.
Summary backup(const QString& folder, const QString& archive);

// An archive read and checked whole (manifest, checksums, the database's integrity, its tables
// and columns), ready to be put in place. Making one touches nothing of any program folder.
class CheckedArchive
{
public:
    // Throws StoreError saying what is wrong with the file.
    explicit CheckedArchive(const QString& archive);
    ~CheckedArchive();
    CheckedArchive(const CheckedArchive&) = delete;
    CheckedArchive& operator=(const CheckedArchive&) = delete;

    const QString& path() const { return m_path; }
    const Summary& summary() const { return m_summary; }

    // The database it holds, as a file of its own.
    QString databasePath() const;
    // Program-folder-relative path -> content, for the playlists and the archived media.
    const QHash<QString, QByteArray>& files() const { return m_files; }

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_work;
    Summary m_summary;
    QHash<QString, QByteArray> m_files;
};

struct Restored {
    Summary summary;
    QString automaticBackup; // the copy of the settings that were replaced
    QStringList missing;     // files the restored settings name that this computer lacks
    QStringList notReplaced; // playlists or media that could not take their place (normally none)
};

// Puts `archive` in place of the settings of the store's folder: first a copy of the present
// settings into <folder>/Backup (the ten newest kept), then the database in one write transaction
// on the live file (a display holding it open reads the new settings), then the playlists and
// media, each replaced in one step. Throws StoreError, with the settings as they were, when
// anything fails up to and including the database's write; a file that then cannot take its place
// is named in notReplaced. The caller holds the program folder's lock.
Restored restore(Store& store, const CheckedArchive& archive);

// Ends a restore that was interrupted (the program killed, the power gone): when its database was
// written, the files staged beside it are moved into place; otherwise they are dropped. Does
// nothing when no restore was interrupted. Returns the files that could not take their place.
// Call with the program folder's lock held, before the database is used.
QStringList finishInterruptedRestore(const QString& folder);

} // namespace SettingsBackup
