#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

// The photo (".tni") and video (".tnv") playlist files that the display program plays: one media path a
// line, in Windows-1252 on every platform, each line ended by CR LF, the last one too; no header.
namespace PlaylistFile {

// The entries of the file at path. A line ends at CR, CR LF or LF; an empty line is an entry, while the
// line end after the last entry adds none. Throws StoreError when the file cannot be read.
QStringList read(const QString& path);

// Replaces the file at path with entries, in one step: a failure or a kill halfway leaves the previous file
// whole. Throws StoreError, writing nothing, when an entry holds a character the display program could not
// read back (outside Windows-1252, or a line end), or when the file cannot be written.
void write(const QString& path, const QStringList& entries);

// The same format without the disk. encode throws StoreError as write does, without a file name.
QByteArray encode(const QStringList& entries);
QStringList decode(QByteArrayView bytes);

} // namespace PlaylistFile
