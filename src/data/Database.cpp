#include "data/Database.h"

#include "data/JetSql.h"
#include "data/Schema.h"
#include "data/StoreError.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <sqlite3.h>

namespace {

// Long enough to ride out the display program's reads, short enough that an operator facing a
// database held by another program hears about it soon.
constexpr int BusyTimeoutMs = 3000;

// Where a new database is built before it becomes TN2.db. Only one copy of the program runs on a
// folder, so the name needs nothing unique.
constexpr const char* CreationName = "TN2.db.nuovo";

QString sqliteMessage(sqlite3* db)
{
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("memoria esaurita");
}

bool isWritableByAnyone(const QFileInfo& info)
{
    // The permission bits first: a file marked read-only stays read-only for us even when the
    // program runs with rights that would override it. (WriteUser is left out: Qt derives it from
    // the current user's rights, which isWritable() asks below.)
    const QFile::Permissions write = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return (info.permissions() & write) != 0;
}

const QString ReadOnlySentence = QStringLiteral("Il database è in sola lettura: le impostazioni non potrebbero essere "
                                                "salvate. Togliere la protezione dalla scrittura e riavviare.");

void removeWithCompanions(const QString& path)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
}

} // namespace

Database::Database(const QString& folder, const Populate& populateNew)
    : m_path(pathIn(folder))
{
    const QFileInfo info(m_path);
    const bool absent = !info.exists() || (info.isFile() && (info.size() == 0 || holdsNoTable(m_path)));
    if (absent) {
        if (!populateNew)
            throw StoreError(QStringLiteral("Il database non si trova più nella cartella del programma: è stato "
                                            "spostato o cancellato mentre il programma era aperto. Rimetterlo al suo "
                                            "posto (o riavviare il programma per crearne uno nuovo)."),
                             m_path);
        if (!QFileInfo(QFileInfo(m_path).absolutePath()).isDir())
            throw StoreError(QStringLiteral("La cartella del programma non esiste: il database non può essere creato."),
                             m_path);
        createInPlace(folder, m_path, populateNew);
        m_created = true;
    } else {
        if (!info.isFile())
            throw StoreError(QStringLiteral("Il database non è un file: non può essere aperto."), m_path);
        if (!isWritableByAnyone(info) || !info.isWritable())
            throw StoreError(ReadOnlySentence, m_path);
        // The journal and its index are files beside the database: the folder must take them.
        if (!QFileInfo(info.absolutePath()).isWritable())
            throw StoreError(QStringLiteral("La cartella del programma è in sola lettura: le impostazioni non "
                                            "potrebbero essere salvate. Dare il permesso di scrittura e riavviare."),
                             m_path);
    }
    open(false);
}

Database::Database(QString path, NewFile)
    : m_path(std::move(path))
{
    open(true);
}

Database::~Database()
{
    if (m_db)
        sqlite3_close_v2(m_db);
}

QString Database::pathIn(const QString& folder, QStringList* others)
{
    const QDir dir(folder);
    const QString wanted = QString::fromLatin1(FileName);
    QStringList matching;
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            matching.append(name);
    }
    QString chosen = matching.contains(wanted) ? wanted : matching.value(0, wanted);
    if (others) {
        matching.removeAll(chosen);
        *others = matching;
    }
    return dir.filePath(chosen);
}

// A file that SQLite reads (with its journal) and finds without a single table holds nothing: the
// leftover of a creation that never finished. Anything SQLite cannot read is not judged empty.
bool Database::holdsNoTable(const QString& path)
{
    sqlite3* db = nullptr;
    bool empty = false;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            empty = sqlite3_column_int(statement, 0) == 0;
        sqlite3_finalize(statement);
    }
    sqlite3_close_v2(db);
    return empty;
}

// Builds the new database whole under a temporary name, writes its journal back into it and closes
// it, then renames it over `path`: a start killed at any moment leaves TN2.db complete or absent.
void Database::createInPlace(const QString& folder, const QString& path, const Populate& populateNew)
{
    const QString building = QDir(folder).filePath(QLatin1String(CreationName));
    removeWithCompanions(building); // left by a start that was killed
    try {
        Database fresh(building, NewFile{});
        Transaction transaction(fresh);
        Schema::create(fresh);
        populateNew(fresh, QFileInfo(path).absolutePath());
        transaction.commit();
        fresh.run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"),
                  QStringLiteral("Il database nuovo non può essere completato."));
    } catch (...) {
        removeWithCompanions(building);
        throw;
    }
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(building).constData()),
                            std::filesystem::path(QFile::encodeName(path).constData()), error);
    if (error) {
        removeWithCompanions(building);
        throw StoreError(QStringLiteral("Il database nuovo non può essere messo al suo posto."), path, {}, {},
                         QString::fromLocal8Bit(error.message().c_str()));
    }
}

void Database::open(bool create)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_FULLMUTEX;
    const int rc = sqlite3_open_v2(QFile::encodeName(m_path).constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = sqliteMessage(m_db);
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        fail(rc, QStringLiteral("Il database non può essere aperto."), {}, {}, detail);
    }
    m_identity = FileIdentity::of(m_path);
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    // A name in double quotes that matches no column must be an error, not a text constant: a
    // misspelled column would otherwise order by nothing or match nothing without a word.
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(m_db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    JetSql::registerFunctions(m_db);

    try {
        const QString journal = QStringLiteral("PRAGMA journal_mode=WAL"); // the display reads while we write
        if (!create) {
            // Read before anything is written: a file that is not a database is reported and left
            // exactly as it was.
            run(QStringLiteral("SELECT count(*) FROM sqlite_master"),
                QStringLiteral("Il database non può essere letto."));
        }
        run(journal, QStringLiteral("Il database non può essere preparato per la scrittura."));
    } catch (...) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

void Database::execute(const QString& sql, const QString& table)
{
    run(sql, QStringLiteral("Operazione sul database non riuscita."), table);
}

void Database::run(const QString& sql, const QString& otherwise, const QString& table)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc == SQLITE_OK)
        return;
    const QString detail = error ? QString::fromUtf8(error) : sqliteMessage(m_db);
    sqlite3_free(error);
    fail(rc, otherwise, table, {}, detail + QStringLiteral(" [") + StoreError::shortened(sql) + QLatin1Char(']'));
}

QString Database::sentenceFor(int rc, const QString& otherwise)
{
    QString sentence = otherwise;
    switch (rc & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        sentence = QStringLiteral("Il file non è un database delle impostazioni valido o è danneggiato.");
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        sentence = QStringLiteral("Il database è bloccato da un altro programma. Riprovare quando l'altro programma "
                                  "lo avrà rilasciato.");
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        sentence = QStringLiteral("Il database è in sola lettura: le impostazioni non possono essere salvate.");
        break;
    case SQLITE_FULL:
        sentence = QStringLiteral("Il disco è pieno: l'operazione non è stata eseguita. Liberare spazio sul "
                                  "disco e riprovare.");
        break;
    case SQLITE_IOERR:
        sentence = QStringLiteral("Il disco del database non ha completato la lettura o la scrittura: l'operazione "
                                  "non è riuscita. Controllare il disco (o la rete, se la cartella è condivisa).");
        break;
    case SQLITE_CANTOPEN:
        sentence = QStringLiteral("Il file del database non può essere aperto: controllare che esista e che la "
                                  "cartella sia accessibile.");
        break;
    default:
        break;
    }
    return sentence;
}

void Database::fail(int rc, const QString& otherwise, const QString& table, const QString& column,
                    const QString& detail) const
{
    throw StoreError(sentenceFor(rc, otherwise), m_path, table, column, detail);
}

QStringList Database::columnsOf(const QString& table) const
{
    QStringList names;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, "SELECT name FROM pragma_table_info(?1)", -1, &statement, nullptr) != SQLITE_OK)
        return names;
    const QByteArray utf8 = table.toUtf8();
    sqlite3_bind_text(statement, 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW)
        names.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))));
    sqlite3_finalize(statement);
    return names;
}

void Database::requireTable(const QString& table)
{
    const QString key = table.toLower();
    if (m_checkedTables.contains(key))
        return;
    Schema::verify(*this, table);
    m_checkedTables.insert(key);
}

void Database::requireFileInPlace() const
{
    const std::optional<FileIdentity> now = FileIdentity::of(m_path);
    if (now == m_identity)
        return;
    throw StoreError(now ? QStringLiteral("Il file del database è stato sostituito mentre il programma era aperto: "
                                          "l'ultima modifica non è stata salvata nel file nuovo. Ripeterla.")
                         : QStringLiteral("Il file del database è stato spostato o cancellato mentre il programma era "
                                          "aperto: l'ultima modifica non è stata salvata."),
                     m_path);
}

void Database::settleWrite()
{
    // Without waiting: a display reading an older snapshot only keeps the journal from emptying.
    sqlite3_busy_timeout(m_db, 0);
    sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    sqlite3_busy_timeout(m_db, BusyTimeoutMs);
    requireFileInPlace();
}

Transaction::Transaction(Database& database)
    : m_database(database)
    , m_use(database)
{
    if (sqlite3_get_autocommit(database.handle())) {
        // IMMEDIATE takes the write lock now, so a busy database fails before any row is touched.
        database.execute(QStringLiteral("BEGIN IMMEDIATE"));
        m_owner = true;
    }
}

Transaction::~Transaction()
{
    if (m_owner && !m_done)
        sqlite3_exec(m_database.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    if (m_owner && !m_done) {
        m_database.execute(QStringLiteral("COMMIT"));
        m_done = true;
        m_database.settleWrite();
    }
    m_done = true;
}
