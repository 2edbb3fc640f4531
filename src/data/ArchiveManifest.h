#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class ZipReader;

// The manifest.json inside every archive this program writes: which program and version wrote
// it, when, from which folder, every file it holds with its size and SHA-256, and the files the
// settings name that were listed but not archived. An archive is trusted only as far as its
// manifest and checksums agree with its content.
struct ArchiveManifest {
    static constexpr const char* EntryName = "manifest.json";
    static constexpr int Format = 1;

    enum class Kind { Settings, Layout };

    struct File {
        QString name;   // entry in the archive, '/' between folders
        QString role;   // "database", "playlist", "media", "layout", "picture"
        QString origin; // media and pictures: the path the settings name
        qint64 size = 0;
        QString sha256; // lower-case hex
    };

    struct External {
        QString path;
        QStringList usedBy;   // where the settings name it ("Configurazione.dindon", "Layout3 riga 48" ...)
        bool present = false; // whether it was there when the archive was written
    };

    Kind kind = Kind::Settings;
    int format = Format;
    QString programVersion;
    QDateTime created;
    QString folder;
    QVector<File> files;
    QVector<External> external;

    // A new manifest of this program's version, dated now.
    static ArchiveManifest make(Kind kind, const QString& folder);

    // Lists `data` under `name` with its size and checksum.
    void addFile(const QString& name, const QString& role, const QByteArray& data, const QString& origin = {});
    const File* file(const QString& name) const;
    QVector<File> filesOf(const QString& role) const;

    QByteArray toJson() const;

    // The manifest of `reader` and every file it lists, each checked against its size and checksum
    // and stored in `contents` by name. Throws StoreError when the archive is not one of this
    // program of this kind (a foreign zip), names a file outside itself, or a file differs.
    static ArchiveManifest readChecked(const ZipReader& reader, Kind kind, QHash<QString, QByteArray>* contents);

    static QString sha256(const QByteArray& data);

    // Whether `name` is a plain relative path that stays inside the folder it is written to.
    static bool isSafeEntryName(const QString& name);
};
