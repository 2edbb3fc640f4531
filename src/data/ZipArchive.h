#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

struct zip;

// Zip files of our own making (settings backups, exported layouts), through libzip. Every failure
// is a StoreError with a sentence for the operator: a file that is no zip, one cut short by an
// interrupted copy, a damaged entry, a full disk or a folder that takes no new file.

// Reads one archive. The directory is read when the file is opened; entries are read on demand,
// so a large foreign zip is refused before its content is touched.
class ZipReader
{
public:
    // Throws StoreError when `path` cannot be opened or is not a complete zip archive.
    explicit ZipReader(const QString& path);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    const QString& path() const { return m_path; }
    QStringList names() const;
    bool contains(const QString& name) const;

    // The entry's bytes. Throws StoreError when it is missing, larger than `limit` or damaged.
    QByteArray read(const QString& name, qint64 limit = qint64(1) << 31) const;

private:
    QString m_path;
    zip* m_archive = nullptr;
};

// Writes one archive whole: the file at `path` is replaced only by a complete archive, so a
// failure (a full disk) leaves whatever was there before and no partial file.
class ZipWriter
{
public:
    explicit ZipWriter(QString path);

    void add(const QString& name, const QByteArray& data);

    // Throws StoreError; nothing is left at `path` that was not there before.
    void commit();

private:
    QString m_path;
    QVector<QPair<QString, QByteArray>> m_entries;
};
