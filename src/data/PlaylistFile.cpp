#include "data/PlaylistFile.h"

#include "data/StoreError.h"
#include "data/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// How the operator sees a character: the glyph when it has one, its code always (a surrogate pair is one
// character).
QString describeCharacter(QStringView entry, qsizetype at)
{
    const char32_t code = entry.mid(at).toUcs4().value(0);
    const QString hex = QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    if (code == '\r' || code == '\n')
        return QStringLiteral("un a capo (%1)").arg(hex);
    if (!QChar::isPrint(code))
        return QStringLiteral("il carattere %1").arg(hex);
    return QStringLiteral("il carattere \"%1\" (%2)").arg(QString::fromUcs4(&code, 1), hex);
}

QByteArray encodeFor(const QString& path, const QStringList& entries)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString& entry : entries)
        size += entry.size() + 2;
    bytes.reserve(size);

    for (qsizetype n = 0; n < entries.size(); ++n) {
        const QString& entry = entries[n];
        qsizetype bad = Windows1252::encode(entry, bytes);
        // A line end inside an entry would read back as two entries.
        for (qsizetype i = 0; i < (bad < 0 ? entry.size() : bad); ++i) {
            if (entry[i] == QLatin1Char('\r') || entry[i] == QLatin1Char('\n')) {
                bad = i;
                break;
            }
        }
        if (bad >= 0) {
            throw StoreError(QStringLiteral("La voce n. %1 della playlist, \"%2\", contiene %3, che il file playlist "
                                            "non può registrare: togliere la voce dalla playlist o rinominare il "
                                            "file. Il file playlist non è stato modificato.")
                                 .arg(n + 1)
                                 .arg(entry, describeCharacter(entry, bad)),
                             path);
        }
        bytes.append("\r\n", 2);
    }
    return bytes;
}

} // namespace

namespace PlaylistFile {

QStringList read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(path);
        QString sentence;
        if (!info.exists())
            sentence = QStringLiteral("Il file playlist non esiste: è stato spostato o cancellato.");
        else if (info.isDir())
            sentence = QStringLiteral("Il file playlist indicato è una cartella: non può essere letto.");
        else
            sentence = QStringLiteral("Il file playlist non può essere letto: verificare di avere i permessi per "
                                      "aprirlo.");
        throw StoreError(sentence, path, {}, {}, file.errorString());
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw StoreError(QStringLiteral("Il file playlist non può essere letto fino in fondo."), path, {}, {},
                         file.errorString());
    }
    return decode(bytes);
}

void write(const QString& path, const QStringList& entries)
{
    const QByteArray bytes = encodeFor(path, entries);
    // QSaveFile writes beside the file and renames over it only once everything is on disk. No direct-write
    // fallback: where it cannot rename we would rather refuse than risk half a playlist.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString detail = file.errorString();
        file.cancelWriting();
        throw StoreError(QStringLiteral("Il file playlist non può essere salvato: la cartella potrebbe essere in "
                                        "sola lettura o il disco pieno. Il file playlist non è stato modificato."),
                         path, {}, {}, detail);
    }
}

QByteArray encode(const QStringList& entries)
{
    return encodeFor(QString(), entries);
}

QStringList decode(QByteArrayView bytes)
{
    QStringList entries;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        entries.append(Windows1252::decode(bytes.sliced(start, i - start)));
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        entries.append(Windows1252::decode(bytes.sliced(start)));
    return entries;
}

} // namespace PlaylistFile
