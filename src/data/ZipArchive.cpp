#include "data/ZipArchive.h"

#include "data/FileChecks.h"
#include "data/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <zip.h>

namespace {

QByteArray encodedPath(const QString& path)
{
#ifdef Q_OS_WIN
    return QDir::toNativeSeparators(path).toUtf8(); // libzip takes UTF-8 names on Windows
#else
    return QFile::encodeName(path);
#endif
}

QString describe(zip_error_t* error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

bool diskFull(const zip_error_t* error)
{
    const int system = zip_error_code_system(error);
    return zip_error_system_type(error) == ZIP_ET_SYS && (system == ENOSPC || system == EDQUOT || system == EFBIG);
}

// An interrupted copy leaves the start of a zip (its first entry header) without the directory at
// its end; libzip calls both that and a file of another kind "not a zip".
bool startsLikeZip(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray("PK\x03\x04", 4);
}

[[noreturn]] void damaged(const QString& path, const QString& detail)
{
    throw StoreError(QStringLiteral("Il file è incompleto o danneggiato (forse la copia su questo disco non è "
                                    "terminata): non può essere usato."),
                     QDir::toNativeSeparators(path), {}, {}, detail);
}

} // namespace

ZipReader::ZipReader(const QString& path)
    : m_path(path)
{
    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        throw StoreError(QStringLiteral("Il file non esiste."), shown);
    if (!info.isFile())
        throw StoreError(QStringLiteral("Il percorso scelto non è un file."), shown);

    int code = ZIP_ER_OK;
    m_archive = zip_open(encodedPath(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (m_archive)
        return;
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString detail = describe(&error);
    zip_error_fini(&error);
    switch (code) {
    case ZIP_ER_NOZIP:
        if (startsLikeZip(path))
            damaged(path, detail);
        throw StoreError(QStringLiteral("Il file non è un archivio zip: non è una copia fatta da questo programma."),
                         shown, {}, {}, detail);
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_SEEK:
    case ZIP_ER_READ:
    case ZIP_ER_MULTIDISK:
        damaged(path, detail);
    default:
        throw StoreError(QStringLiteral("Il file non può essere aperto: controllare che esista e che sia leggibile."),
                         shown, {}, {}, detail);
    }
}

ZipReader::~ZipReader()
{
    if (m_archive)
        zip_discard(m_archive);
}

QStringList ZipReader::names() const
{
    QStringList result;
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        if (const char* name = zip_get_name(m_archive, static_cast<zip_uint64_t>(index), ZIP_FL_ENC_GUESS))
            result.append(QString::fromUtf8(name));
    }
    return result;
}

bool ZipReader::contains(const QString& name) const
{
    return zip_name_locate(m_archive, name.toUtf8().constData(), ZIP_FL_ENC_GUESS) >= 0;
}

QByteArray ZipReader::read(const QString& name, qint64 limit) const
{
    const QString shown = QDir::toNativeSeparators(m_path);
    const zip_int64_t index = zip_name_locate(m_archive, name.toUtf8().constData(), ZIP_FL_ENC_GUESS);
    if (index < 0)
        throw StoreError(QStringLiteral("Nel file manca \"%1\": non è una copia completa.").arg(name), shown);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_archive, static_cast<zip_uint64_t>(index), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
        damaged(m_path, QString::fromLocal8Bit(zip_strerror(m_archive)));
    if (stat.size > static_cast<zip_uint64_t>(limit))
        throw StoreError(QStringLiteral("Il contenuto \"%1\" del file è troppo grande per far parte di una copia "
                                        "fatta da questo programma.")
                             .arg(name),
                         shown);

    zip_file_t* file = zip_fopen_index(m_archive, static_cast<zip_uint64_t>(index), 0);
    if (!file)
        damaged(m_path, name + QStringLiteral(": ") + QString::fromLocal8Bit(zip_strerror(m_archive)));
    QByteArray data(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
    zip_int64_t done = 0;
    while (done < static_cast<zip_int64_t>(stat.size)) {
        const zip_int64_t got =
            zip_fread(file, data.data() + done, static_cast<zip_uint64_t>(static_cast<zip_int64_t>(stat.size) - done));
        if (got <= 0)
            break;
        done += got;
    }
    // The checksum of the entry is compared once its last byte has been read: read past the end.
    char extra = 0;
    const zip_int64_t tail = done == static_cast<zip_int64_t>(stat.size) ? zip_fread(file, &extra, 1) : -1;
    const QString detail = QString::fromLocal8Bit(zip_file_strerror(file));
    zip_fclose(file);
    if (done != static_cast<zip_int64_t>(stat.size) || tail != 0)
        damaged(m_path, name + QStringLiteral(": ") + detail);
    return data;
}

ZipWriter::ZipWriter(QString path)
    : m_path(std::move(path))
{
}

void ZipWriter::add(const QString& name, const QByteArray& data)
{
    m_entries.append({name, data});
}

void ZipWriter::commit()
{
    const QString shown = QDir::toNativeSeparators(m_path);
    FileChecks::requireWritableTarget(m_path);

    int code = ZIP_ER_OK;
    zip_t* archive = zip_open(encodedPath(m_path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString detail = describe(&error);
        zip_error_fini(&error);
        throw StoreError(QStringLiteral("Il file non può essere scritto in quella cartella."), shown, {}, {}, detail);
    }
    for (const auto& [name, data] : std::as_const(m_entries)) {
        zip_source_t* source = zip_source_buffer(archive, data.constData(), static_cast<zip_uint64_t>(data.size()), 0);
        if (!source || zip_file_add(archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            const QString detail = QString::fromLocal8Bit(zip_strerror(archive));
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            throw StoreError(QStringLiteral("Il file non può essere preparato."), shown, {}, {}, detail);
        }
    }
    // The archive is built in a temporary file beside the target and renamed over it once complete.
    if (zip_close(archive) == 0)
        return;
    zip_error_t* error = zip_get_error(archive);
    const bool full = diskFull(error);
    const QString detail = describe(error);
    zip_discard(archive);
    if (full)
        throw StoreError(QStringLiteral("Il disco è pieno: il file non è stato scritto. Liberare spazio sul disco (o "
                                        "sceglierne un altro) e riprovare."),
                         shown, {}, {}, detail);
    throw StoreError(QStringLiteral("Il file non è stato scritto: il disco o la cartella non hanno accettato la "
                                    "scrittura."),
                     shown, {}, {}, detail);
}
