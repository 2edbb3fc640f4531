#include "data/ArchiveManifest.h"

#include "data/StoreError.h"
#include "data/ZipArchive.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString ProgramId = QStringLiteral("tn2-impostazione");

QString kindName(ArchiveManifest::Kind kind)
{
    return kind == ArchiveManifest::Kind::Settings ? QStringLiteral("settings") : QStringLiteral("layout");
}

QString foreignSentence(ArchiveManifest::Kind kind)
{
    return kind == ArchiveManifest::Kind::Settings
               ? QStringLiteral("Il file non è una copia delle impostazioni fatta da questo programma.")
               : QStringLiteral("Il file non è un layout esportato da questo programma.");
}

} // namespace

ArchiveManifest ArchiveManifest::make(Kind kind, const QString& folder)
{
    ArchiveManifest manifest;
    manifest.kind = kind;
    manifest.programVersion = QStringLiteral(TN2_PROGRAM_VERSION);
    // With its offset from UTC, so that the date means the same wherever the copy is read.
    const QDateTime now = QDateTime::currentDateTime();
    manifest.created = now.toOffsetFromUtc(now.offsetFromUtc());
    manifest.folder = QDir::toNativeSeparators(folder);
    return manifest;
}

QString ArchiveManifest::sha256(const QByteArray& data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

void ArchiveManifest::addFile(const QString& name, const QString& role, const QByteArray& data, const QString& origin)
{
    files.append({name, role, origin, data.size(), sha256(data)});
}

const ArchiveManifest::File* ArchiveManifest::file(const QString& name) const
{
    for (const File& each : files) {
        if (each.name == name)
            return &each;
    }
    return nullptr;
}

QVector<ArchiveManifest::File> ArchiveManifest::filesOf(const QString& role) const
{
    QVector<File> result;
    for (const File& each : files) {
        if (each.role == role)
            result.append(each);
    }
    return result;
}

bool ArchiveManifest::isSafeEntryName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QLatin1Char(':')))
        return false;
    for (const QString& part : name.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    }
    return true;
}

QByteArray ArchiveManifest::toJson() const
{
    QJsonArray fileList;
    for (const File& each : files) {
        QJsonObject entry{{QStringLiteral("name"), each.name},
                          {QStringLiteral("role"), each.role},
                          {QStringLiteral("size"), each.size},
                          {QStringLiteral("sha256"), each.sha256}};
        if (!each.origin.isEmpty())
            entry.insert(QStringLiteral("origin"), each.origin);
        fileList.append(entry);
    }
    QJsonArray externalList;
    for (const External& each : external) {
        externalList.append(QJsonObject{{QStringLiteral("path"), each.path},
                                        {QStringLiteral("usedBy"), QJsonArray::fromStringList(each.usedBy)},
                                        {QStringLiteral("present"), each.present}});
    }
    const QJsonObject root{{QStringLiteral("program"), ProgramId},
                           {QStringLiteral("kind"), kindName(kind)},
                           {QStringLiteral("format"), format},
                           {QStringLiteral("version"), programVersion},
                           {QStringLiteral("created"), created.toString(Qt::ISODate)},
                           {QStringLiteral("folder"), folder},
                           {QStringLiteral("files"), fileList},
                           {QStringLiteral("external"), externalList}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

ArchiveManifest ArchiveManifest::readChecked(const ZipReader& reader, Kind kind, QHash<QString, QByteArray>* contents)
{
    const QString shown = QDir::toNativeSeparators(reader.path());
    const QString name = QLatin1String(EntryName);
    if (!reader.contains(name))
        throw StoreError(foreignSentence(kind), shown, {}, {}, QStringLiteral("no manifest.json"));

    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(reader.read(name, 16 << 20), &parseError);
    const QJsonObject root = document.object();
    if (document.isNull() || root.value(QStringLiteral("program")).toString() != ProgramId ||
        root.value(QStringLiteral("kind")).toString() != kindName(kind))
        throw StoreError(foreignSentence(kind), shown, {}, {},
                         parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                      : QStringLiteral("other program or kind"));

    ArchiveManifest manifest;
    manifest.kind = kind;
    manifest.format = root.value(QStringLiteral("format")).toInt();
    manifest.programVersion = root.value(QStringLiteral("version")).toString();
    manifest.created = QDateTime::fromString(root.value(QStringLiteral("created")).toString(), Qt::ISODate);
    manifest.folder = root.value(QStringLiteral("folder")).toString();
    if (manifest.format > Format)
        throw StoreError(QStringLiteral("Il file è stato scritto da una versione più recente del programma (%1): "
                                        "aggiornare il programma per usarlo.")
                             .arg(manifest.programVersion),
                         shown, {}, {}, QStringLiteral("format %1").arg(manifest.format));

    for (const QJsonValue& value : root.value(QStringLiteral("files")).toArray()) {
        const QJsonObject entry = value.toObject();
        File file{entry.value(QStringLiteral("name")).toString(), entry.value(QStringLiteral("role")).toString(),
                  entry.value(QStringLiteral("origin")).toString(),
                  static_cast<qint64>(entry.value(QStringLiteral("size")).toDouble(-1)),
                  entry.value(QStringLiteral("sha256")).toString()};
        if (!isSafeEntryName(file.name) || file.name == name)
            throw StoreError(QStringLiteral("Il file elenca un contenuto con un nome non ammesso (\"%1\"): non viene "
                                            "usato.")
                                 .arg(file.name),
                             shown);
        const QByteArray data = reader.read(file.name);
        if (data.size() != file.size || sha256(data) != file.sha256)
            throw StoreError(QStringLiteral("Il contenuto \"%1\" non corrisponde al suo codice di controllo: il file "
                                            "è stato modificato o danneggiato e non viene usato.")
                                 .arg(file.name),
                             shown, {}, {}, QStringLiteral("size %1, expected %2").arg(data.size()).arg(file.size));
        if (contents)
            contents->insert(file.name, data);
        manifest.files.append(file);
    }
    for (const QJsonValue& value : root.value(QStringLiteral("external")).toArray()) {
        const QJsonObject entry = value.toObject();
        QStringList usedBy;
        for (const QJsonValue& use : entry.value(QStringLiteral("usedBy")).toArray())
            usedBy.append(use.toString());
        manifest.external.append(
            {entry.value(QStringLiteral("path")).toString(), usedBy, entry.value(QStringLiteral("present")).toBool()});
    }
    return manifest;
}
