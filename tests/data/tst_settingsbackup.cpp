#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "data/DatabaseCopy.h"
#include "data/FileIdentity.h"
#include "data/LayoutFile.h"
#include "data/LayoutNames.h"
#include "data/PlaylistFile.h"
#include "data/RecordSet.h"
#include "data/SettingsBackup.h"
#include "data/StoreError.h"
#include "data/ZipArchive.h"
#include "data/seed/Seed.h"
#include "support/core/DatabaseDigest.h"
#include "support/core/TestFolder.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

// This binary is also the other process of two tests. Started with
//   --writer FOLDER      it rewrites a setting and a whole layout in one transaction, over and over,
//                        printing "ready" after the first, until its input closes;
//   --restorer FOLDER ARCHIVE   it restores ARCHIVE into FOLDER as the program would.
namespace {

void writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Settings that reach every kind of file a backup carries: a chime inside the program folder, an
// operator photo outside it, two playlists spelled in different cases, a file that is no playlist.
void buildScene(TestFolder& folder, const QString& variant)
{
    Store& store = folder.store();
    const QString chime = folder.filePath(QStringLiteral("suoni/din.wav"));
    writeFile(chime, "RIFF " + variant.toLatin1());
    ConfigurationRecord configuration(store);
    configuration.setScrollingText(QStringLiteral("Benvenuti ") + variant);
    configuration.setChime(QDir::toNativeSeparators(chime));
    configuration.setResolution(variant == QLatin1String("A") ? 1 : 3);
    PlaylistFile::write(folder.filePath(QStringLiteral("Foto.TNI")),
                        {QStringLiteral("/altrove/foto/") + variant + QStringLiteral(".jpg")});
    PlaylistFile::write(folder.filePath(QStringLiteral("video.tnv")), {QStringLiteral("/altrove/video.mp4"), variant});
    writeFile(folder.filePath(QStringLiteral("note.txt")), "non una playlist");

    RecordSet operators(folder.database(), QStringLiteral("utenti"));
    operators.addNew();
    operators.setValue(QStringLiteral("nominativo"), QStringLiteral("Rossi ") + variant);
    operators.setValue(QStringLiteral("percorsofoto"), QStringLiteral("/altrove/rossi.jpg"));
    operators.update();

    LayoutNames names(store);
    QVector<LayoutNames::Entry> entries = names.read();
    entries[3] = {QStringLiteral("Sala ") + variant, QStringLiteral("Descrizione ") + variant};
    names.write(entries);
}

// Everything a restore may change: the database's content and every file of the folder except
// the database's own files, the lock and the automatic copies.
struct FolderState {
    QByteArray digest;
    QMap<QString, QByteArray> files;
    bool operator==(const FolderState&) const = default;
};

FolderState stateOf(const QString& folder)
{
    FolderState state{databaseDigest(Database::pathIn(folder)), {}};
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir root(folder);
    while (it.hasNext()) {
        const QString relative = root.relativeFilePath(it.next());
        if (relative.startsWith(QLatin1String("TN2.db")) || relative == QLatin1String("TN2.lock") ||
            relative.startsWith(QLatin1String("Backup/")))
            continue;
        state.files.insert(relative, readFile(it.filePath()));
    }
    return state;
}

QString messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const StoreError& error) {
        return error.operatorMessage();
    }
    return QStringLiteral("<no error>");
}

// A copy of `good` at `target` with its entries and manifest changed by `edit`; the manifest's
// sizes and checksums follow the new content when `refresh`.
using Edit = std::function<void(QMap<QString, QByteArray>& files, QJsonObject& manifest)>;

void rewrite(const QString& good, const QString& target, const Edit& edit, bool refresh)
{
    QMap<QString, QByteArray> files;
    {
        const ZipReader reader(good);
        for (const QString& name : reader.names())
            files.insert(name, reader.read(name));
    }
    QJsonObject manifest = QJsonDocument::fromJson(files.take(QStringLiteral("manifest.json"))).object();
    edit(files, manifest);
    if (refresh) {
        QJsonArray list;
        for (const QJsonValue& value : manifest.value(QStringLiteral("files")).toArray()) {
            QJsonObject entry = value.toObject();
            const QByteArray data = files.value(entry.value(QStringLiteral("name")).toString());
            entry.insert(QStringLiteral("size"), data.size());
            entry.insert(QStringLiteral("sha256"), ArchiveManifest::sha256(data));
            list.append(entry);
        }
        manifest.insert(QStringLiteral("files"), list);
    }
    ZipWriter writer(target);
    writer.add(QStringLiteral("manifest.json"), QJsonDocument(manifest).toJson());
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        writer.add(it.key(), it.value());
    writer.commit();
}

// Runs `sql` on the database held in `bytes`.
void editDatabase(QByteArray& bytes, const char* sql)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edit.db"));
    writeFile(path, bytes);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("%s: %s", sql, error);
    sqlite3_close(db);
    bytes = readFile(path);
}

QString configurationText(sqlite3* db)
{
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT StringaScorrevole FROM Configurazione", -1, &statement, nullptr);
    QString text;
    if (sqlite3_step(statement) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return text;
}

// A tmpfs of `kilobytes` mounted on `path` while it lives; only root may mount one.
class SmallDisk
{
public:
    SmallDisk(const QString& path, int kilobytes)
        : m_path(QFile::encodeName(path))
    {
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", m_path.constData(), "tmpfs", 0, options.constData()) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }

private:
    QByteArray m_path;
    bool m_mounted = false;
};

// Fills the disk holding `folder` up to `leave` free bytes.
void fillDisk(const QString& folder, qint64 leave)
{
    QFile filler(QDir(folder).filePath(QStringLiteral("riempitivo")));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    qint64 free = QStorageInfo(folder).bytesAvailable();
    while (free > leave + block.size() && filler.write(block) == block.size() && filler.flush())
        free = QStorageInfo(folder).bytesAvailable();
}

int writer(const QString& folder)
{
    Store store(folder);
    for (int generation = 1;; ++generation) {
        Database& database = store.database();
        Transaction transaction(database);
        RecordSet configuration(database, QStringLiteral("Configurazione"));
        configuration.edit();
        configuration.setValue(QStringLiteral("StringaScorrevole"), QString::number(generation));
        configuration.update();
        RecordSet layout(database, QStringLiteral("Layout1"));
        for (; !layout.eof(); layout.moveNext()) {
            layout.edit();
            layout.setValue(QStringLiteral("Testo"), QString::number(generation));
            layout.update();
        }
        transaction.commit();
        if (generation == 1) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}

int restorer(const QString& folder, const QString& archive)
{
    Store store(folder);
    const SettingsBackup::CheckedArchive checked(archive);
    SettingsBackup::restore(store, checked);
    std::puts("done");
    return 0;
}

} // namespace

class TestSettingsBackup : public QObject
{
    Q_OBJECT
private slots:
    // The archive holds the database as it is, every playlist file and the chime of the program
    // folder, and lists what lies elsewhere; its manifest's checksums match what it holds.
    void backupHoldsEverything()
    {
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("copia.zip"));

        const SettingsBackup::Summary summary = SettingsBackup::backup(folder.path(), archive);

        QCOMPARE(summary.playlists, QStringList({QStringLiteral("Foto.TNI"), QStringLiteral("video.tnv")}));
        // The chime the configuration names, and the one a new database lists.
        QCOMPARE(summary.media, QStringList({QStringLiteral("suoni/din.wav"), QStringLiteral("dindon.wav")}));
        const ZipReader reader(archive);
        QStringList names = reader.names();
        names.sort();
        QCOMPARE(names, QStringList({"TN2.db", "manifest.json", "media/dindon.wav", "media/suoni/din.wav",
                                     "playlist/Foto.TNI", "playlist/video.tnv"}));
        QHash<QString, QByteArray> contents;
        const ArchiveManifest manifest =
            ArchiveManifest::readChecked(reader, ArchiveManifest::Kind::Settings, &contents);
        QVERIFY(!manifest.programVersion.isEmpty());
        QVERIFY(qAbs(manifest.created.secsTo(QDateTime::currentDateTime())) < 60);
        QCOMPARE(contents.value(QStringLiteral("media/suoni/din.wav")), QByteArray("RIFF A"));
        QCOMPARE(contents.value(QStringLiteral("playlist/Foto.TNI")), readFile(folder.filePath("Foto.TNI")));

        QHash<QString, QStringList> listed;
        for (const ArchiveManifest::External& external : manifest.external) {
            QVERIFY(!external.present);
            listed.insert(external.path, external.usedBy);
        }
        QCOMPARE(listed.value(QStringLiteral("/altrove/rossi.jpg")), QStringList{QStringLiteral("utenti: Rossi A")});
        QCOMPARE(listed.value(QStringLiteral("/altrove/foto/A.jpg")), QStringList{QStringLiteral("playlist Foto.TNI")});
        QVERIFY(!listed.contains(QDir::toNativeSeparators(folder.filePath("suoni/din.wav"))));

        QTemporaryDir check;
        writeFile(check.filePath(QStringLiteral("TN2.db")), contents.value(QStringLiteral("TN2.db")));
        QCOMPARE(databaseDigest(check.filePath(QStringLiteral("TN2.db"))),
                 databaseDigest(Database::pathIn(folder.path())));
    }

    // A restore brings back the database, playlists and chime of the copy, in the file a display
    // holds open; the settings it replaced are in the automatic copy, which restores them in turn.
    void restoreRoundTrip()
    {
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("A.zip"));
        SettingsBackup::backup(folder.path(), archive);
        const FolderState original = stateOf(folder.path());

        buildScene(folder, QStringLiteral("B"));
        PlaylistFile::write(folder.filePath(QStringLiteral("nuova.tni")), {QStringLiteral("/altrove/nuova.jpg")});
        const FolderState changed = stateOf(folder.path());
        QVERIFY(changed != original);

        const QString live = Database::pathIn(folder.path());
        const std::optional<FileIdentity> identity = FileIdentity::of(live);
        sqlite3* display = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(live).constData(), &display, SQLITE_OPEN_READONLY, nullptr),
                 SQLITE_OK);
        QCOMPARE(configurationText(display), QStringLiteral("Benvenuti B"));

        const SettingsBackup::CheckedArchive checked(archive);
        QCOMPARE(checked.summary().playlists.size(), 2);
        const SettingsBackup::Restored restored = SettingsBackup::restore(folder.store(), checked);

        QCOMPARE(configurationText(display), QStringLiteral("Benvenuti A"));
        sqlite3_close(display);
        QCOMPARE(FileIdentity::of(live), identity);
        FolderState now = stateOf(folder.path());
        QCOMPARE(now.files.take(QStringLiteral("nuova.tni")), changed.files.value(QStringLiteral("nuova.tni")));
        QCOMPARE(now, original);
        QVERIFY(restored.missing.contains(QStringLiteral("/altrove/rossi.jpg")));
        QVERIFY(restored.notReplaced.isEmpty());
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("TN2.ripristino"))));

        QCOMPARE(QFileInfo(restored.automaticBackup).absolutePath(), folder.filePath(QStringLiteral("Backup")));
        SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(restored.automaticBackup));
        QCOMPARE(stateOf(folder.path()), changed);
    }

    // The ten newest automatic copies stay, whatever else the Backup folder holds.
    void automaticCopiesKeepTheTenNewest()
    {
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("A.zip"));
        SettingsBackup::backup(folder.path(), archive);
        const QDir backups(folder.filePath(QStringLiteral("Backup")));
        QStringList older;
        for (int day = 10; day < 22; ++day) {
            older.append(QStringLiteral("TN2-prima-del-ripristino-200001%1-120000-000.zip").arg(day));
            writeFile(backups.filePath(older.last()), "vecchia");
        }
        writeFile(backups.filePath(QStringLiteral("TN2-prima-del-ripristino-20000110-120000-000.zip.Ab12Cd")), "x");
        writeFile(backups.filePath(QStringLiteral("mia-copia.zip")), "dell'operatore");

        const SettingsBackup::Restored restored =
            SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(archive));

        QStringList expected = older.mid(3);
        expected.append(QFileInfo(restored.automaticBackup).fileName());
        expected.append(QStringLiteral("mia-copia.zip"));
        expected.sort();
        QCOMPARE(backups.entryList(QDir::Files, QDir::Name), expected);
    }

    // An archive that is not a whole, unchanged copy of this program's settings is refused with its
    // reason before anything of the folder is touched.
    void refusedArchives_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("said");
        QTest::newRow("no such file") << "missing"
                                      << "Il file non esiste.";
        QTest::newRow("a text file") << "text"
                                     << "non è un archivio zip";
        QTest::newRow("cut short by a copy") << "truncated"
                                             << "incompleto o danneggiato";
        QTest::newRow("another program's zip") << "foreign"
                                               << "non è una copia delle impostazioni";
        QTest::newRow("an exported layout") << "layout"
                                            << "non è una copia delle impostazioni";
        QTest::newRow("a playlist changed") << "checksum"
                                            << "non corrisponde al suo codice di controllo";
        QTest::newRow("a listed file removed") << "removed"
                                               << "manca \"playlist/Foto.TNI\"";
        QTest::newRow("a name leaving the folder") << "escape"
                                                   << "nome non ammesso";
        QTest::newRow("a newer program's copy") << "newer"
                                                << "versione più recente";
        QTest::newRow("database without a table") << "table"
                                                  << "non è completo: Nel database manca la tabella \"radio\"";
        QTest::newRow("database without a column") << "column"
                                                   << "manca la colonna \"percorsofoto\"";
        QTest::newRow("database damaged") << "damaged"
                                          << "danneggiato";
        QTest::newRow("database without tables") << "empty"
                                                 << "è vuoto";
    }

    void refusedArchives()
    {
        QFETCH(QString, kind);
        QFETCH(QString, said);
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir out;
        const QString good = out.filePath(QStringLiteral("good.zip"));
        SettingsBackup::backup(folder.path(), good);
        buildScene(folder, QStringLiteral("B"));
        const FolderState before = stateOf(folder.path());

        const QString bad = out.filePath(QStringLiteral("bad.zip"));
        const auto database = [&](const char* sql) {
            rewrite(
                good, bad, [sql](auto& files, auto&) { editDatabase(files[QStringLiteral("TN2.db")], sql); }, true);
        };
        if (kind == QLatin1String("text")) {
            writeFile(bad, "Questa non è una copia.");
        } else if (kind == QLatin1String("truncated")) {
            writeFile(bad, readFile(good).left(QFileInfo(good).size() / 2));
        } else if (kind == QLatin1String("foreign")) {
            ZipWriter writer(bad);
            writer.add(QStringLiteral("leggimi.txt"), "altro");
            writer.commit();
        } else if (kind == QLatin1String("layout")) {
            LayoutFile::save(folder.store(), 3, bad);
        } else if (kind == QLatin1String("checksum")) {
            rewrite(
                good, bad, [](auto& files, auto&) { files[QStringLiteral("playlist/Foto.TNI")] += "x"; }, false);
        } else if (kind == QLatin1String("removed")) {
            rewrite(
                good, bad, [](auto& files, auto&) { files.remove(QStringLiteral("playlist/Foto.TNI")); }, false);
        } else if (kind == QLatin1String("escape")) {
            rewrite(
                good, bad,
                [](auto& files, QJsonObject& manifest) {
                    const QString name = QStringLiteral("media/../../fuori.txt");
                    files.insert(name, "fuori");
                    QJsonArray list = manifest.value(QStringLiteral("files")).toArray();
                    list.append(QJsonObject{{QStringLiteral("name"), name}, {QStringLiteral("role"), "media"}});
                    manifest.insert(QStringLiteral("files"), list);
                },
                true);
        } else if (kind == QLatin1String("newer")) {
            rewrite(
                good, bad, [](auto&, QJsonObject& manifest) { manifest.insert(QStringLiteral("format"), 2); }, false);
        } else if (kind == QLatin1String("table")) {
            database("DROP TABLE radio");
        } else if (kind == QLatin1String("column")) {
            database("ALTER TABLE utenti DROP COLUMN percorsofoto");
        } else if (kind == QLatin1String("damaged")) {
            rewrite(
                good, bad,
                [](auto& files, auto&) {
                    QByteArray& bytes = files[QStringLiteral("TN2.db")];
                    // The header of a page in the middle: a table's page no reader can make sense of.
                    bytes.replace((bytes.size() / 4096 / 2) * 4096, 64, QByteArray(64, '\xff'));
                },
                true);
        } else if (kind == QLatin1String("empty")) {
            database("PRAGMA writable_schema = 1; DELETE FROM sqlite_master; PRAGMA writable_schema = 0; VACUUM");
        }
        const QString path = kind == QLatin1String("missing") ? out.filePath(QStringLiteral("none.zip")) : bad;

        const QString message = messageOf([&] {
            const SettingsBackup::CheckedArchive checked(path);
            SettingsBackup::restore(folder.store(), checked);
        });

        QVERIFY2(message.contains(said), qPrintable(message));
        QCOMPARE(stateOf(folder.path()), before);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("Backup"))));
    }

    // A target that cannot be written is found before anything is written.
    void readOnlyTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("said");
        QTest::newRow("backup into a read-only folder") << "backup folder"
                                                        << "La cartella è in sola lettura";
        QTest::newRow("backup over a read-only file") << "backup file"
                                                      << "Il file è in sola lettura";
        QTest::newRow("restore over a read-only database") << "database"
                                                           << "Il file è in sola lettura";
        QTest::newRow("restore over a read-only playlist") << "playlist"
                                                           << "Il file è in sola lettura";
        QTest::newRow("restore into a read-only folder") << "program folder"
                                                         << "La cartella è in sola lettura";
    }

    void readOnlyTargets()
    {
        QFETCH(QString, target);
        QFETCH(QString, said);
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("A.zip"));
        SettingsBackup::backup(folder.path(), archive);
        buildScene(folder, QStringLiteral("B"));
        writeFile(out.filePath(QStringLiteral("old.zip")), "copia precedente");
        const FolderState before = stateOf(folder.path());

        QString protectedPath;
        if (target == QLatin1String("backup folder"))
            protectedPath = out.path();
        else if (target == QLatin1String("backup file"))
            protectedPath = out.filePath(QStringLiteral("old.zip"));
        else if (target == QLatin1String("database"))
            protectedPath = Database::pathIn(folder.path());
        else if (target == QLatin1String("playlist"))
            protectedPath = folder.filePath(QStringLiteral("video.tnv"));
        else
            protectedPath = folder.path();
        const QFile::Permissions permissions = QFile::permissions(protectedPath);
        QFile::setPermissions(protectedPath, permissions & ~(QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther |
                                                             QFile::WriteUser));

        const QString message = messageOf([&] {
            if (target.startsWith(QLatin1String("backup"))) {
                SettingsBackup::backup(folder.path(), out.filePath(target == QLatin1String("backup file")
                                                                       ? QStringLiteral("old.zip")
                                                                       : QStringLiteral("new.zip")));
            } else {
                SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(archive));
            }
        });
        QFile::setPermissions(protectedPath, permissions);

        QVERIFY2(message.contains(said), qPrintable(message));
        QCOMPARE(stateOf(folder.path()), before);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("Backup"))));
        QCOMPARE(QDir(out.path()).entryList(QDir::Files, QDir::Name), QStringList({"A.zip", "old.zip"}));
        QCOMPARE(readFile(out.filePath(QStringLiteral("old.zip"))), QByteArray("copia precedente"));
    }

    // The database refuses to grow while it is being replaced: the old one stays whole, and so
    // does every file.
    void fullDiskDuringTheDatabaseWrite()
    {
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        {
            Transaction transaction(folder.database());
            RecordSet stations(folder.database(), QStringLiteral("radio"));
            for (int station = 0; station < 3000; ++station) {
                stations.addNew();
                stations.setValue(QStringLiteral("nomeradio"), QStringLiteral("Radio %1").arg(station));
                stations.setValue(QStringLiteral("PercorsoURL"), QString(200, QLatin1Char('u')));
                stations.update();
            }
            transaction.commit();
        }
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("grande.zip"));
        SettingsBackup::backup(folder.path(), archive);
        folder.database().execute(QStringLiteral("DELETE FROM radio"));
        folder.database().execute(QStringLiteral("VACUUM"));
        buildScene(folder, QStringLiteral("B"));
        const FolderState before = stateOf(folder.path());
        const SettingsBackup::CheckedArchive checked(archive);

        // No page beyond those the database has now.
        folder.database().execute(QStringLiteral("PRAGMA max_page_count = 1"));
        const QString message = messageOf([&] { SettingsBackup::restore(folder.store(), checked); });

        QVERIFY2(message.contains(QStringLiteral("Il disco è pieno")), qPrintable(message));
        folder.store().close();
        QCOMPARE(DatabaseCopy::integrity(Database::pathIn(folder.path())), QStringLiteral("ok"));
        QCOMPARE(stateOf(folder.path()), before);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("TN2.ripristino"))));
    }

    // A disk that fills while the archive is written leaves no archive, and the one it was meant
    // to replace whole.
    void fullDiskDuringBackup()
    {
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir mountPoint;
        const SmallDisk disk(mountPoint.path(), 64);
        if (!disk.mounted())
            QSKIP("a small disk can be mounted only by root");
        const QString archive = QDir(mountPoint.path()).filePath(QStringLiteral("copia.zip"));
        writeFile(archive, "copia precedente");

        const QString message = messageOf([&] { SettingsBackup::backup(folder.path(), archive); });

        QVERIFY2(message.contains(QStringLiteral("Il disco è pieno")), qPrintable(message));
        QCOMPARE(QDir(mountPoint.path()).entryList(QDir::Files), QStringList{QStringLiteral("copia.zip")});
        QCOMPARE(readFile(archive), QByteArray("copia precedente"));
    }

    // A program folder on a full disk: the automatic copy cannot be written, so nothing is restored.
    void fullDiskDuringRestore()
    {
        QTemporaryDir mountPoint;
        const SmallDisk disk(mountPoint.path(), 8192);
        if (!disk.mounted())
            QSKIP("a small disk can be mounted only by root");
        QString archive;
        QTemporaryDir out;
        {
            TestFolder source;
            buildScene(source, QStringLiteral("A"));
            archive = out.filePath(QStringLiteral("A.zip"));
            SettingsBackup::backup(source.path(), archive);
        }
        Store store(mountPoint.path(), &Seed::populate);
        store.database();
        const SettingsBackup::CheckedArchive checked(archive);
        fillDisk(mountPoint.path(), QFileInfo(archive).size() / 2);
        const FolderState before = stateOf(mountPoint.path());

        const QString message = messageOf([&] { SettingsBackup::restore(store, checked); });

        QVERIFY2(message.contains(QStringLiteral("Il disco è pieno")), qPrintable(message));
        store.close();
        QCOMPARE(stateOf(mountPoint.path()), before);
        QVERIFY(QDir(mountPoint.path()).entryList({QStringLiteral("*.zip*")}, QDir::Files).isEmpty());
        QVERIFY(QDir(QDir(mountPoint.path()).filePath(QStringLiteral("Backup"))).isEmpty());
    }

    // After an interruption the next start finishes the restore when its database was written, and
    // drops the staged files when it was not (or when staging never finished).
    void interruptedRestore_data()
    {
        QTest::addColumn<bool>("journal");
        QTest::addColumn<bool>("databaseWritten");
        QTest::addColumn<bool>("moved");
        QTest::newRow("database written: files moved") << true << true << true;
        QTest::newRow("database not written: files dropped") << true << false << false;
        QTest::newRow("staging unfinished: files dropped") << false << false << false;
    }

    void interruptedRestore()
    {
        QFETCH(bool, journal);
        QFETCH(bool, databaseWritten);
        QFETCH(bool, moved);
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        folder.store().close();
        const QString staging = folder.filePath(QStringLiteral("TN2.ripristino"));
        writeFile(QDir(staging).filePath(QStringLiteral("Foto.TNI")), "nuova\r\n");
        writeFile(QDir(staging).filePath(QStringLiteral("suoni/din.wav")), "RIFF nuovo");
        const QString live = Database::pathIn(folder.path());
        const int mark = 4242;
        if (journal)
            writeFile(QDir(staging).filePath(QStringLiteral("giornale.json")),
                      R"({"mark": 4242, "files": ["Foto.TNI", "suoni/din.wav"]})");
        DatabaseCopy::setUserVersion(live, databaseWritten ? mark : 7);
        const FolderState before = stateOf(folder.path());

        QVERIFY(SettingsBackup::finishInterruptedRestore(folder.path()).isEmpty());

        QVERIFY(!QFileInfo::exists(staging));
        FolderState expected = before;
        expected.files.removeIf(
            [](const auto& file) { return file.key().startsWith(QLatin1String("TN2.ripristino/")); });
        if (moved) {
            expected.files[QStringLiteral("Foto.TNI")] = "nuova\r\n";
            expected.files[QStringLiteral("suoni/din.wav")] = "RIFF nuovo";
        }
        QCOMPARE(stateOf(folder.path()), expected);
    }

    // A backup taken while another process rewrites a setting and a whole layout in one
    // transaction, again and again, holds one moment of that process: setting and layout agree.
    void backupWhileAnotherProcessWrites()
    {
        TestFolder folder;
        folder.database();
        folder.store().close();
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), folder.path()});
        QVERIFY(other.waitForStarted());
        QVERIFY(other.waitForReadyRead(30000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("ready"));

        QTemporaryDir out;
        QStringList generations;
        for (int copy = 0; copy < 6; ++copy) {
            const QString archive = out.filePath(QStringLiteral("copia%1.zip").arg(copy));
            SettingsBackup::backup(folder.path(), archive);
            const SettingsBackup::CheckedArchive checked(archive);
            Store copyStore(QFileInfo(checked.databasePath()).absolutePath());
            const int generation = ConfigurationRecord(copyStore).scrollingText().value_or(QString()).toInt();
            RecordSet layout(copyStore.database(), QStringLiteral("Layout1"));
            for (; !layout.eof(); layout.moveNext())
                QCOMPARE(layout.value(QStringLiteral("Testo")).toString(), QString::number(generation));
            generations.append(QString::number(generation));
            QTest::qWait(50);
        }
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();
        QVERIFY2(generations.first().toInt() >= 1 && generations.last().toInt() > generations.first().toInt(),
                 qPrintable(QStringLiteral("generations seen: ") + generations.join(QLatin1Char(' '))));
    }

    // A restore killed at any moment leaves, once the next start has run, a whole database and the
    // files that belong to it: all old or all new.
    void restoreKilledAtRandomMoments()
    {
        QTemporaryDir work;
        const QString archive = work.filePath(QStringLiteral("nuove.zip"));
        const QString oldFolder = work.filePath(QStringLiteral("vecchie"));
        FolderState newState;
        {
            TestFolder source;
            buildScene(source, QStringLiteral("N"));
            SettingsBackup::backup(source.path(), archive);
            source.store().close();
            newState = stateOf(source.path());
        }
        FolderState oldState;
        {
            TestFolder old;
            buildScene(old, QStringLiteral("O"));
            old.store().close();
            QDirIterator it(old.path(), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                writeFile(QDir(oldFolder).filePath(QDir(old.path()).relativeFilePath(file)), readFile(file));
            }
            oldState = stateOf(old.path());
        }
        const auto freshFolder = [&](QTemporaryDir& dir) {
            QDirIterator it(oldFolder, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                writeFile(QDir(dir.path()).filePath(QDir(oldFolder).relativeFilePath(file)), readFile(file));
            }
        };

        // How long a whole restore takes here, so that the kills fall all along it.
        qint64 duration = 0;
        {
            QTemporaryDir folder;
            freshFolder(folder);
            QElapsedTimer timer;
            timer.start();
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--restorer"), folder.path(), archive});
            QVERIFY(child.waitForFinished(60000));
            QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("done"));
            duration = timer.elapsed();
            QCOMPARE(stateOf(folder.path()), newState);
        }

        int old = 0;
        int whole = 0;
        for (int attempt = 0; attempt < 20; ++attempt) {
            QTemporaryDir folder;
            freshFolder(folder);
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--restorer"), folder.path(), archive});
            QVERIFY(child.waitForStarted());
            // Most of a run is the start and the checks; the kills favour the writing that follows,
            // and some fall after the end.
            QThread::msleep(QRandomGenerator::global()->bounded(static_cast<int>(duration) / 3,
                                                                static_cast<int>(duration) * 5 / 4));
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            child.waitForFinished();

            // What the next start does before anything reads the settings.
            SettingsBackup::finishInterruptedRestore(folder.path());
            QCOMPARE(DatabaseCopy::integrity(Database::pathIn(folder.path())), QStringLiteral("ok"));
            const FolderState now = stateOf(folder.path());
            if (now == oldState)
                ++old;
            else if (now == newState)
                ++whole;
            else
                QFAIL(qPrintable(QStringLiteral("attempt %1 left a mixture").arg(attempt)));
        }
        qInfo("restore took %lld ms; killed runs left %d old, %d new", duration, old, whole);
    }
};

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.value(1) == QLatin1String("--writer"))
        return writer(arguments.value(2));
    if (arguments.value(1) == QLatin1String("--restorer"))
        return restorer(arguments.value(2), arguments.value(3));
    TestSettingsBackup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsbackup.moc"
