#include "playlists/PlaylistFileName.h"

#include "data/Windows1252.h"

#include <QRegularExpression>

namespace PlaylistFileName {

QString withExtension(const QString& name, const QString& extension)
{
    if (name.right(4).toLower() == extension)
        return name;
    return name + extension;
}

QStringList problem(const QString& name)
{
    static const QString reserved = QStringLiteral("\\/:*?\"<>|");
    for (const QChar c : name) {
        if (reserved.contains(c) || c.unicode() < 32) {
            return {QStringLiteral("Il nome del file non può contenere"),
                    QStringLiteral("i caratteri  \\ / : * ? \" < > |"), QStringLiteral("né caratteri di controllo !")};
        }
    }
    // The display program reads the path in its 8-bit code page: a name outside it could not be opened.
    QByteArray encoded;
    if (const qsizetype bad = Windows1252::encode(name, encoded); bad >= 0) {
        return {QStringLiteral("Il nome del file contiene il carattere \"%1\",").arg(name.mid(bad, 1)),
                QStringLiteral("che il FrontEnd non può leggere !")};
    }
    // The display program opens paths of at most 259 characters, the program folder's included.
    if (name.size() > MaxLength)
        return {QStringLiteral("Il nome del file è troppo lungo:"),
                QStringLiteral("al massimo %1 caratteri, estensione compresa !").arg(MaxLength)};
    // A leading dot hides the file from the list of playlist files.
    if (name.startsWith(QLatin1Char('.')))
        return {QStringLiteral("Il nome del file non può iniziare con un punto !")};
    // Windows keeps these names for its devices, whatever extension follows.
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9]) *(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (device.match(name).hasMatch()) {
        return {QStringLiteral("\"%1\" è un nome riservato da Windows:")
                    .arg(name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper()),
                QStringLiteral("scegliere un altro nome per il file !")};
    }
    return {};
}

} // namespace PlaylistFileName
