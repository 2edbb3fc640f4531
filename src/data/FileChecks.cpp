#include "data/FileChecks.h"

#include "data/StoreError.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool writable(const QFileInfo& info)
{
    const QFile::Permissions write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & write) != 0 && info.isWritable();
}

} // namespace

namespace FileChecks {

void requireWritableFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.isDir())
        throw StoreError(QStringLiteral("La cartella non esiste."), shown);
    if (!writable(info))
        throw StoreError(QStringLiteral("La cartella è in sola lettura: non vi si può scrivere nulla. Dare il "
                                        "permesso di scrittura (o sceglierne un'altra) e riprovare."),
                         shown);
}

void requireWritableTarget(const QString& path)
{
    const QFileInfo info(path);
    requireWritableFolder(info.absolutePath());
    if (!info.exists())
        return;
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    if (!info.isFile())
        throw StoreError(QStringLiteral("Al posto del file c'è una cartella: sceglierne un altro nome."), shown);
    if (!writable(info))
        throw StoreError(QStringLiteral("Il file è in sola lettura: non può essere sostituito. Togliere la "
                                        "protezione dalla scrittura (o scegliere un altro file) e riprovare."),
                         shown);
}

} // namespace FileChecks
