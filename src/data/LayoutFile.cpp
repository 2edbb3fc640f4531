#include "data/LayoutFile.h"

#include "data/ArchiveManifest.h"
#include "data/Database.h"
#include "data/LayoutCaption.h"
#include "data/LayoutElement.h"
#include "data/LayoutRecords.h"
#include "data/LayoutTableCopy.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/StoreError.h"
#include "data/ZipArchive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <cmath>

namespace {

const QString LayoutEntry = QStringLiteral("layout.json");
const QString PictureFolder = QStringLiteral("sfondo/");
const QString PicturesInProgramFolder = QStringLiteral("Sfondi");
const QString PictureColumn = QStringLiteral("PercorsoImmagine");

using Rows = QVector<QVariantMap>; // column (as LayoutRecords::columns() spells it) -> value

const LayoutRecords::Row& backgroundRow()
{
    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        if (row.kind == LayoutRecords::RowKind::BackgroundImage)
            return row;
    }
    return LayoutRecords::rows().back();
}

QString rowLabel(const LayoutRecords::Row& row)
{
    return QStringLiteral("la riga %1 (%2)").arg(row.number).arg(QLatin1String(row.name));
}

QJsonValue toJson(const QVariant& value)
{
    if (value.isNull())
        return QJsonValue::Null;
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return QJsonValue(value.toLongLong());
    case QMetaType::Double:
        return QJsonValue(value.toDouble());
    default:
        return QJsonValue(value.toString());
    }
}

// A whole number comes back as one, so that an integer column gets exactly what it held.
std::optional<QVariant> fromJson(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Null:
        return QVariant();
    case QJsonValue::String:
        return QVariant(value.toString());
    case QJsonValue::Double: {
        const double number = value.toDouble();
        if (std::trunc(number) == number && std::fabs(number) < 9.0e15)
            return QVariant(static_cast<qlonglong>(number));
        return QVariant(number);
    }
    default:
        return std::nullopt;
    }
}

void requireNumbered(int layout, const QString& file)
{
    if (layout == LayoutTableCopy::BaseLayout)
        throw StoreError(QStringLiteral("Il Layout Base non può essere modificato: scegliere un layout da 1 a 10."),
                         file, LayoutTableName(LayoutTableCopy::BaseLayout));
    if (layout < LayoutTableCopy::FirstLayout || layout > LayoutTableCopy::LastLayout)
        throw StoreError(
            QStringLiteral("Il layout %1 non esiste: si può scrivere solo sui layout da 1 a 10.").arg(layout), file);
}

RecordSet openFullTable(Database& database, int layout)
{
    RecordSet rows(database, LayoutTableName(layout));
    if (rows.count() < LayoutRecords::RowCount)
        throw StoreError(QStringLiteral("La tabella \"%1\" contiene solo %2 righe invece di %3: il layout non può "
                                        "essere usato.")
                             .arg(rows.table())
                             .arg(rows.count())
                             .arg(LayoutRecords::RowCount),
                         database.path(), rows.table());
    return rows;
}

[[noreturn]] void refuseRows(const QString& shown, const QString& sentence)
{
    throw StoreError(QStringLiteral("Il layout nel file non è valido: %1").arg(sentence), shown);
}

// The rows of the file, each checked the way the designer's loader checks a table.
Rows readRows(const QJsonArray& array, const QString& shown)
{
    if (array.size() != LayoutRecords::RowCount)
        refuseRows(shown,
                   QStringLiteral("contiene %1 righe invece di %2.").arg(array.size()).arg(LayoutRecords::RowCount));
    Rows rows;
    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        const QJsonObject stored = array.at(row.number - 1).toObject();
        QVariantMap values;
        for (const QString& column : LayoutRecords::columns()) {
            QJsonValue value = QJsonValue::Undefined;
            for (auto it = stored.begin(); it != stored.end(); ++it) {
                if (it.key().compare(column, Qt::CaseInsensitive) == 0)
                    value = it.value();
            }
            const std::optional<QVariant> converted = fromJson(value);
            if (!converted)
                refuseRows(shown, QStringLiteral("a %1 manca la colonna %2.").arg(rowLabel(row), column));
            values.insert(column, *converted);
        }
        LayoutElement element;
        for (const QString& column : LayoutRecords::loadedColumns(row.kind)) {
            const QVariant value = values.value(column);
            if (value.isNull() && !LayoutElement::isYesNoColumn(column) && !LayoutRecords::allowsNull(row, column))
                refuseRows(shown, QStringLiteral("%1 non ha un valore nella colonna %2.").arg(rowLabel(row), column));
            if (!element.setColumn(column, value))
                refuseRows(shown, QStringLiteral("%1 ha un valore non valido nella colonna %2: \"%3\".")
                                      .arg(rowLabel(row), column, StoreError::shortened(value.toString(), 60)));
        }
        rows.append(values);
    }
    return rows;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Where the carried picture goes: its own path when that holds the same picture, otherwise a file
// of that name in the program folder's picture folder (numbered when a different one is there).
// `written` is set when a file had to be written.
QString placePicture(const QString& folder, const ArchiveManifest::File& picture, const QByteArray& data,
                     QString* written)
{
    const QString origin = QDir::fromNativeSeparators(picture.origin);
    if (!origin.isEmpty() && !QDir::isRelativePath(origin) && QFileInfo(origin).isFile() &&
        ArchiveManifest::sha256(readFile(origin)) == picture.sha256)
        return picture.origin;

    const QDir pictures(QDir(folder).filePath(PicturesInProgramFolder));
    const QFileInfo name(picture.name.mid(PictureFolder.size()));
    QString target = pictures.filePath(name.fileName());
    for (int number = 2; QFileInfo::exists(target); ++number) {
        if (ArchiveManifest::sha256(readFile(target)) == picture.sha256)
            return QDir::toNativeSeparators(target);
        target =
            pictures.filePath(QStringLiteral("%1 (%2).%3").arg(name.completeBaseName()).arg(number).arg(name.suffix()));
    }
    if (!QDir().mkpath(pictures.path()))
        throw StoreError(QStringLiteral("La cartella per lo sfondo del layout non può essere creata: il layout non è "
                                        "stato importato."),
                         QDir::toNativeSeparators(pictures.path()));
    QSaveFile file(target);
    if (!(file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())) {
        const bool full = file.error() == QFileDevice::ResourceError;
        file.cancelWriting();
        throw StoreError(full ? QStringLiteral("Il disco è pieno: il layout non è stato importato.")
                              : QStringLiteral("Lo sfondo del layout non può essere scritto: il layout non è stato "
                                               "importato."),
                         QDir::toNativeSeparators(target), {}, {}, file.errorString());
    }
    *written = target;
    return QDir::toNativeSeparators(target);
}

} // namespace

namespace LayoutFile {

void save(Store& store, int layout, const QString& path)
{
    Database& database = store.database();
    if (layout < LayoutTableCopy::BaseLayout || layout > LayoutTableCopy::LastLayout)
        throw StoreError(QStringLiteral("Il layout %1 non esiste.").arg(layout), database.path());
    const QVector<LayoutNames::Entry> names = LayoutNames(store).read();
    RecordSet rows = openFullTable(database, layout);

    ArchiveManifest manifest = ArchiveManifest::make(ArchiveManifest::Kind::Layout, store.folder());
    QByteArray picture;
    QString picturePath;
    QJsonArray array;
    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        QJsonObject values;
        for (const QString& column : LayoutRecords::columns())
            values.insert(column, toJson(rows.value(column)));
        array.append(values);

        const QString stored = rows.value(PictureColumn).toString().trimmed();
        if (!stored.isEmpty()) {
            const QString local = QDir::fromNativeSeparators(stored);
            const bool present = !QDir::isRelativePath(local) && QFileInfo(local).isFile();
            if (row.number == backgroundRow().number && present) {
                picture = readFile(local);
                picturePath = stored;
            } else {
                manifest.external.append(
                    {stored, {QStringLiteral("%1 riga %2").arg(LayoutTableName(layout)).arg(row.number)}, present});
            }
        }
        rows.moveNext();
    }
    const QJsonObject document{{QStringLiteral("layout"), layout},
                               {QStringLiteral("name"), names.at(layout).name},
                               {QStringLiteral("description"), names.at(layout).description},
                               {QStringLiteral("rows"), array}};
    const QByteArray json = QJsonDocument(document).toJson(QJsonDocument::Indented);

    ZipWriter writer(path);
    manifest.addFile(LayoutEntry, QStringLiteral("layout"), json);
    QString pictureEntry;
    if (!picturePath.isEmpty()) {
        pictureEntry = PictureFolder + QFileInfo(QDir::fromNativeSeparators(picturePath)).fileName();
        manifest.addFile(pictureEntry, QStringLiteral("picture"), picture, picturePath);
    }
    writer.add(QLatin1String(ArchiveManifest::EntryName), manifest.toJson());
    writer.add(LayoutEntry, json);
    if (!pictureEntry.isEmpty())
        writer.add(pictureEntry, picture);
    writer.commit();
}

LayoutNames::Entry load(Store& store, const QString& path, int target)
{
    const QString shown = QDir::toNativeSeparators(path);
    requireNumbered(target, shown);

    const ZipReader reader(path);
    QHash<QString, QByteArray> contents;
    const ArchiveManifest manifest = ArchiveManifest::readChecked(reader, ArchiveManifest::Kind::Layout, &contents);
    const ArchiveManifest::File* layoutFile = manifest.file(LayoutEntry);
    if (!layoutFile)
        throw StoreError(QStringLiteral("Il file non contiene un layout."), shown);
    const QJsonObject document = QJsonDocument::fromJson(contents.value(LayoutEntry)).object();
    Rows rows = readRows(document.value(QStringLiteral("rows")).toArray(), shown);
    LayoutNames::Entry entry{document.value(QStringLiteral("name")).toString(),
                             document.value(QStringLiteral("description")).toString()};
    // A layout still called by its number ("Layout 3") takes the number it lands on: the chooser
    // would otherwise show "Layout 3" on the row of layout 8.
    const int source = document.value(QStringLiteral("layout")).toInt(-1);
    if (source >= LayoutTableCopy::BaseLayout && entry.name == LayoutCaption(source))
        entry.name = LayoutCaption(target);
    const QVector<ArchiveManifest::File> pictures = manifest.filesOf(QStringLiteral("picture"));
    if (pictures.size() > 1 || (pictures.size() == 1 && !pictures.first().name.startsWith(PictureFolder)))
        throw StoreError(QStringLiteral("Il file contiene più di uno sfondo: non è un layout esportato da questo "
                                        "programma."),
                         shown);

    Database& database = store.database();
    // The target is checked before the picture is written: a refusal leaves nothing behind.
    {
        RecordSet check = openFullTable(database, target);
        LayoutNames(store).read();
    }
    QString written;
    try {
        if (!pictures.isEmpty()) {
            rows[backgroundRow().number - 1].insert(
                PictureColumn,
                placePicture(store.folder(), pictures.first(), contents.value(pictures.first().name), &written));
        }
        Transaction transaction(database);
        RecordSet table = openFullTable(database, target);
        for (const QVariantMap& values : std::as_const(rows)) {
            table.edit();
            for (auto it = values.begin(); it != values.end(); ++it)
                table.setValue(it.key(), it.value());
            table.update();
            table.moveNext();
        }
        LayoutNames names(store);
        QVector<LayoutNames::Entry> entries = names.read();
        entries[target] = entry;
        names.write(entries);
        transaction.commit();
    } catch (...) {
        if (!written.isEmpty())
            QFile::remove(written);
        throw;
    }
    return entry;
}

} // namespace LayoutFile
