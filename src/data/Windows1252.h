#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The 8-bit code page the display program reads its playlists in, the same on every platform: a table of
// our own, because Qt offers it only where it was built with ICU. The five bytes that the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number, as Windows
// itself reads them, so any file reads and writes back unchanged.
namespace Windows1252 {

QString decode(QByteArrayView bytes);

// Appends text to out; returns the index in text of the first character the code page cannot hold (out
// then holds the bytes before it), or -1 when all of text was appended.
qsizetype encode(QStringView text, QByteArray& out);

} // namespace Windows1252
