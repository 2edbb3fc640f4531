#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "data/DatabaseCopy.h"
#include "data/FileIdentity.h"
#include "data/LayoutFile.h"
#include "data/LayoutNames.h"
#include "data/LayoutRecords.h"
#include "data/PlaylistFile.h"
#include "data/RecordSet.h"
#include "data/SettingsBackup.h"
#include "data/StoreError.h"
#include "data/ZipArchive.h"
#include "data/seed/Seed.h"
#include "support/core/ArchiveEdit.h"
#include "support/core/DatabaseDigest.h"
#include "support/core/FileBytes.h"
#include "support/core/LayoutTables.h"
#include "support/core/RawConnection.h"
#include "support/core/SmallDisk.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cstdio>

// This binary is also the other process of two tests. Started with "--writer FOLDER" it rewrites a
// setting and a whole layout in one transaction, over and over ("ready" after the first); with
// "--restorer FOLDER ARCHIVE" it restores ARCHIVE into FOLDER as the program does.
namespace {

// Settings that reach every kind of file a backup carries: a chime inside the program folder, an
// operator photo outside it, two playlists spelled in different cases, a file that is no playlist.
void buildScene(TestFolder& folder, const QString& variant)
{
    const QString chime = folder.filePath(QStringLiteral("suoni/din.wav"));
    writeBytes(chime, "RIFF " + variant.toLatin1());
    ConfigurationRecord configuration(folder.store());
    configuration.setScrollingText(QStringLiteral("Benvenuti ") + variant);
    configuration.setChime(QDir::toNativeSeparators(chime));
    PlaylistFile::write(folder.filePath(QStringLiteral("Foto.TNI")), {"/altrove/foto/" + variant + ".jpg"});
    PlaylistFile::write(folder.filePath(QStringLiteral("video.tnv")), {QStringLiteral("/altrove/video.mp4"), variant});
    writeBytes(folder.filePath(QStringLiteral("note.txt")), "non una playlist");
    RecordSet operators(folder.database(), QStringLiteral("utenti"));
    operators.addNew();
    operators.setValue(QStringLiteral("nominativo"), QStringLiteral("Rossi ") + variant);
    operators.setValue(QStringLiteral("percorsofoto"), QStringLiteral("/altrove/rossi.jpg"));
    operators.update();
}

// Every file under `folder` with its content, but the database's own files, the lock and the
// automatic copies.
QMap<QString, QByteArray> filesOf(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(folder).relativeFilePath(it.next());
        if (!relative.startsWith(QLatin1String("TN2.db")) && relative != QLatin1String("TN2.lock") &&
            !relative.startsWith(QLatin1String("Backup/")))
            files.insert(relative, readBytes(it.filePath()));
    }
    return files;
}

// What a restore may change: the database's content and the folder's files.
struct FolderState {
    QByteArray digest;
    QMap<QString, QByteArray> files;
    bool operator==(const FolderState&) const = default;
};

FolderState stateOf(const QString& folder)
{
    return {databaseDigest(Database::pathIn(folder)), filesOf(folder)};
}

void copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        writeBytes(QDir(to).filePath(QDir(from).relativeFilePath(file)), readBytes(file));
    }
}

int writer(const QString& folder)
{
    Store store(folder);
    for (int generation = 1;; ++generation) {
        Transaction transaction(store.database());
        ConfigurationRecord(store).setScrollingText(QString::number(generation));
        RecordSet layout(store.database(), QStringLiteral("Layout1"));
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
    SettingsBackup::restore(store, SettingsBackup::CheckedArchive(archive));
    std::puts("done");
    return 0;
}

void setCell(TestFolder& folder, int layout, int row, const QString& column, const QVariant& value)
{
    RecordSet records(folder.database(), LayoutTableName(layout));
    for (int skip = 1; skip < row; ++skip)
        records.moveNext();
    records.edit();
    records.setValue(column, value);
    records.update();
}

void setName(TestFolder& folder, int layout, const QString& name, const QString& description)
{
    LayoutNames names(folder.store());
    QVector<LayoutNames::Entry> entries = names.read();
    entries[layout] = {name, description};
    names.write(entries);
}

constexpr int BackgroundRow = 48;

// A layout file like `good` whose layout document `edit` changed, checksums kept right.
void rewriteLayout(const QString& good, const QString& target, const std::function<void(QJsonObject&)>& edit)
{
    rewriteArchive(good, target, true, [&](auto& files, auto&) {
        QJsonObject layout = QJsonDocument::fromJson(files.value(QStringLiteral("layout.json"))).object();
        edit(layout);
        files.insert(QStringLiteral("layout.json"), QJsonDocument(layout).toJson());
    });
}

} // namespace

// Every setting in one archive and back, and one layout to a file and into any numbered layout.
class TestSettingsBackup : public QObject
{
    Q_OBJECT
private slots:
    // The archive holds the database as it is, every playlist file and the chimes of the program
    // folder, and lists what lies elsewhere; its checksums match what it holds. A restore brings
    // them back in the very file a display holds open; the settings it replaced are in the
    // automatic copy, which restores them in turn. The ten newest automatic copies stay, with
    // whatever else the operator put in Backup.
    void backupThenRestore()
    {
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("A.zip"));

        const SettingsBackup::Summary summary = SettingsBackup::backup(folder.path(), archive);

        QCOMPARE(summary.playlists, QStringList({"Foto.TNI", "video.tnv"}));
        // The chime the configuration names, and the one a new database lists.
        QCOMPARE(summary.media, QStringList({"suoni/din.wav", "dindon.wav"}));
        const ZipReader reader(archive);
        const ArchiveManifest manifest = ArchiveManifest::readChecked(reader, ArchiveManifest::Kind::Settings, nullptr);
        QCOMPARE(reader.names().size(), 6);
        QHash<QString, QStringList> listed;
        for (const ArchiveManifest::External& external : manifest.external)
            listed.insert(external.path, external.usedBy + QStringList{external.present ? "present" : "absent"});
        QCOMPARE(listed.value(QStringLiteral("/altrove/rossi.jpg")), QStringList({"utenti: Rossi A", "absent"}));
        QCOMPARE(listed.value(QStringLiteral("/altrove/foto/A.jpg")), QStringList({"playlist Foto.TNI", "absent"}));

        const FolderState original = stateOf(folder.path());
        buildScene(folder, QStringLiteral("B"));
        PlaylistFile::write(folder.filePath(QStringLiteral("nuova.tni")), {QStringLiteral("/altrove/nuova.jpg")});
        const FolderState changed = stateOf(folder.path());
        const QString live = Database::pathIn(folder.path());
        const std::optional<FileIdentity> identity = FileIdentity::of(live);
        const RawConnection display(live, RawConnection::ReadOnly);
        const char* const text = "SELECT StringaScorrevole FROM Configurazione";
        QCOMPARE(display.text(text), QStringLiteral("Benvenuti B"));
        const QDir backups(folder.filePath(QStringLiteral("Backup")));
        QStringList kept{QStringLiteral("mia-copia.zip")};
        for (int day = 10; day < 22; ++day) {
            kept.append(QStringLiteral("TN2-prima-del-ripristino-200001%1-120000-000.zip").arg(day));
            writeBytes(backups.filePath(kept.last()), "vecchia");
        }
        writeBytes(backups.filePath(kept.first()), "dell'operatore");
        writeBytes(backups.filePath(QStringLiteral("TN2-prima-del-ripristino-20000110-120000-000.zip.Ab12Cd")), "x");

        const SettingsBackup::Restored restored =
            SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(archive));

        QCOMPARE(display.text(text), QStringLiteral("Benvenuti A"));
        QCOMPARE(FileIdentity::of(live), identity);
        FolderState now = stateOf(folder.path());
        QCOMPARE(now.files.take(QStringLiteral("nuova.tni")), changed.files.value(QStringLiteral("nuova.tni")));
        QCOMPARE(now, original);
        QVERIFY(restored.missing.contains(QStringLiteral("/altrove/rossi.jpg")));
        QVERIFY(restored.notReplaced.isEmpty());
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("TN2.ripristino"))));

        QCOMPARE(QFileInfo(restored.automaticBackup).absolutePath(), backups.path());
        kept.remove(1, 3);
        kept.append(QFileInfo(restored.automaticBackup).fileName());
        kept.sort();
        QCOMPARE(backups.entryList(QDir::Files, QDir::Name), kept);
        SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(restored.automaticBackup));
        QCOMPARE(stateOf(folder.path()), changed);
    }

    // An archive that is not a whole, unchanged copy of this program's settings, or a target that
    // cannot be written, is refused with its reason before anything is written: not the program
    // folder, not the folder of the archives.
    void refusedChangesNothing_data()
    {
        QTest::addColumn<QString>("kind"); // how the archive is spoilt, or "read-only PATH"
        QTest::addColumn<QString>("said");
        const std::pair<const char*, const char*> rows[] = {
            {"text", "non è un archivio zip"},
            {"truncated", "incompleto o danneggiato"},
            {"foreign", "non è una copia delle impostazioni"},
            {"checksum", "non corrisponde al suo codice di controllo"},
            {"escape", "nome non ammesso"},
            {"newer", "versione più recente"},
            {"ALTER TABLE utenti DROP COLUMN percorsofoto",
             "non è completo: Nella tabella \"utenti\" del database manca la colonna \"percorsofoto\""},
            {"damaged", "danneggiato"},
            {"read-only out", "La cartella è in sola lettura"},     // backup into a read-only folder
            {"read-only out/old.zip", "Il file è in sola lettura"}, // backup over a read-only file
            {"read-only TN2.db", "Il file è in sola lettura"},      // restore over these
            {"read-only video.tnv", "Il file è in sola lettura"},
            {"read-only .", "La cartella è in sola lettura"}};
        for (const auto& [kind, said] : rows)
            QTest::newRow(kind) << QString::fromUtf8(kind) << QString::fromUtf8(said);
    }

    void refusedChangesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, said);
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        QTemporaryDir out;
        const QString good = out.filePath(QStringLiteral("A.zip"));
        SettingsBackup::backup(folder.path(), good);
        buildScene(folder, QStringLiteral("B"));
        writeBytes(out.filePath(QStringLiteral("old.zip")), "copia precedente");
        const QString bad = out.filePath(QStringLiteral("bad.zip"));
        if (kind == QLatin1String("text")) {
            writeBytes(bad, "Questa non è una copia.");
        } else if (kind == QLatin1String("truncated")) {
            writeBytes(bad, readBytes(good).left(QFileInfo(good).size() / 2));
        } else if (kind == QLatin1String("foreign")) {
            ZipWriter writer(bad);
            writer.add(QStringLiteral("leggimi.txt"), "altro");
            writer.commit();
        } else if (!kind.startsWith(QLatin1String("read-only"))) {
            rewriteArchive(good, bad, kind != QLatin1String("checksum"), [&](auto& files, QJsonObject& manifest) {
                QByteArray& database = files[QStringLiteral("TN2.db")];
                QJsonArray list = manifest.value(QStringLiteral("files")).toArray();
                if (kind == QLatin1String("checksum"))
                    files[QStringLiteral("playlist/Foto.TNI")] += "x";
                else if (kind == QLatin1String("newer"))
                    manifest.insert(QStringLiteral("format"), 2);
                else if (kind == QLatin1String("escape")) {
                    list.append(QJsonObject{{"name", "media/../../fuori.txt"}, {"role", "media"}});
                    files.insert(QStringLiteral("media/../../fuori.txt"), "fuori");
                } else if (kind == QLatin1String("damaged")) { // a page header in the middle
                    database.replace(database.size() / 8192 * 4096, 64, QByteArray(64, '\xff'));
                } else {
                    const QTemporaryDir dir;
                    writeBytes(dir.filePath(QStringLiteral("x.db")), database);
                    QVERIFY(RawConnection(dir.filePath(QStringLiteral("x.db"))).exec(kind.toUtf8().constData()));
                    database = readBytes(dir.filePath(QStringLiteral("x.db")));
                }
                manifest.insert(QStringLiteral("files"), list);
            });
        }
        const FolderState before = stateOf(folder.path());
        const QMap<QString, QByteArray> archives = filesOf(out.path());
        const QString target = kind.startsWith(QLatin1String("read-only")) ? kind.mid(10) : QString();
        const bool backup = target.startsWith(QLatin1String("out"));
        const QString path = backup ? out.path() + target.mid(3) : QDir(folder.path()).filePath(target);
        const QFile::Permissions permissions = QFile::permissions(path);
        if (!target.isEmpty())
            QFile::setPermissions(
                path, permissions & ~(QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther | QFile::WriteUser));

        const QString message = storeErrorSentence([&] {
            if (backup)
                SettingsBackup::backup(folder.path(), out.filePath(target == "out" ? "new.zip" : "old.zip"));
            else
                SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(target.isEmpty() ? bad : good));
        });
        QFile::setPermissions(path, permissions);

        QVERIFY2(message.contains(said), qPrintable(message));
        QCOMPARE(stateOf(folder.path()), before);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("Backup"))));
        QCOMPARE(filesOf(out.path()), archives);
    }

    // A disk that fills while the database is replaced (the connection the restore writes through
    // may not grow), or while an archive is written: a backup leaves no archive and the one it was
    // to replace whole; a restore (or its automatic copy) leaves the settings as they were.
    void fullDisk_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("restore, the database may not grow") << "page limit";
        QTest::newRow("backup onto a full disk") << "backup";
        QTest::newRow("restore into a folder on a full disk") << "restore";
    }

    void fullDisk()
    {
        QFETCH(QString, where);
        const bool pageLimit = where == QLatin1String("page limit");
        const bool restore = where != QLatin1String("backup");
        QTemporaryDir mountPoint;
        std::optional<SmallDisk> disk;
        if (!pageLimit && !disk.emplace(mountPoint.path(), restore ? 8192 : 64).mounted())
            QSKIP("a small disk can be mounted only by root on Linux");
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("A.zip"));
        TestFolder source;
        buildScene(source, QStringLiteral("A"));
        if (pageLimit) // settings that need more pages than the file they will replace
            source.database().execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
                                                     "n WHERE i < 3000) INSERT INTO radio SELECT 'Radio ' || i, "
                                                     "printf('%.200c', 'u') FROM n"));
        SettingsBackup::backup(source.path(), archive);
        const QString folder = pageLimit ? source.path() : mountPoint.path();
        std::unique_ptr<Store> store;
        if (pageLimit) {
            source.database().execute(QStringLiteral("DELETE FROM radio"));
            source.database().execute(QStringLiteral("VACUUM"));
            buildScene(source, QStringLiteral("B"));
        } else if (restore) {
            store = std::make_unique<Store>(mountPoint.path(), &Seed::populate);
            store->database();
            QVERIFY(disk->fill(QFileInfo(archive).size() / 2));
        }
        const QString old = QDir(folder).filePath(QStringLiteral("copia.zip"));
        writeBytes(old, "copia precedente");
        const FolderState before = stateOf(folder);
        std::optional<SettingsBackup::CheckedArchive> checked;
        if (restore)
            checked.emplace(archive);
        if (pageLimit)
            source.database().execute(QStringLiteral("PRAGMA max_page_count = 1"));

        const QString message = storeErrorSentence([&] {
            if (restore)
                SettingsBackup::restore(pageLimit ? source.store() : *store, *checked);
            else
                SettingsBackup::backup(source.path(), old);
        });

        QVERIFY2(message.contains(QStringLiteral("Il disco è pieno")), qPrintable(message));
        pageLimit ? source.store().close() : store.reset();
        if (restore)
            QCOMPARE(DatabaseCopy::integrity(Database::pathIn(folder)), QStringLiteral("ok"));
        QCOMPARE(stateOf(folder), before);
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.zip*")}, QDir::Files), QStringList{"copia.zip"});
        // The automatic copy stays where the disk had room for it.
        QVERIFY(pageLimit || QDir(QDir(folder).filePath(QStringLiteral("Backup"))).isEmpty());
        QVERIFY(!QFileInfo::exists(QDir(folder).filePath(QStringLiteral("TN2.ripristino"))));
    }

    // After an interruption the next start finishes the restore when its database was written, and
    // drops the staged files when it was not (or when staging never finished).
    void interruptedRestore_data()
    {
        QTest::addColumn<bool>("journal");
        QTest::addColumn<bool>("databaseWritten");
        QTest::newRow("database written: files moved") << true << true;
        QTest::newRow("database not written: files dropped") << true << false;
        QTest::newRow("staging unfinished: files dropped") << false << false;
    }

    void interruptedRestore()
    {
        QFETCH(bool, journal);
        QFETCH(bool, databaseWritten);
        TestFolder folder;
        buildScene(folder, QStringLiteral("A"));
        folder.store().close();
        FolderState expected = stateOf(folder.path());
        const QDir staging(folder.filePath(QStringLiteral("TN2.ripristino")));
        writeBytes(staging.filePath(QStringLiteral("Foto.TNI")), "nuova\r\n");
        writeBytes(staging.filePath(QStringLiteral("suoni/din.wav")), "RIFF nuovo");
        if (journal)
            writeBytes(staging.filePath(QStringLiteral("giornale.json")),
                       R"({"mark": 4242, "files": ["Foto.TNI", "suoni/din.wav"]})");
        DatabaseCopy::setUserVersion(Database::pathIn(folder.path()), databaseWritten ? 4242 : 7);

        QVERIFY(SettingsBackup::finishInterruptedRestore(folder.path()).isEmpty());

        QVERIFY(!staging.exists());
        if (databaseWritten) {
            expected.files[QStringLiteral("Foto.TNI")] = "nuova\r\n";
            expected.files[QStringLiteral("suoni/din.wav")] = "RIFF nuovo";
        }
        QCOMPARE(stateOf(folder.path()), expected);
    }

    // A backup taken while another process rewrites a setting and a whole layout in one
    // transaction, again and again, holds one moment of it: setting and layout agree.
    void backupWhileAnotherProcessWrites()
    {
        TestFolder folder;
        folder.database();
        folder.store().close();
        QProcess other;
        other.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), folder.path()});
        QVERIFY(other.waitForReadyRead(30000));
        QCOMPARE(other.readLine().trimmed(), QByteArray("ready"));
        QTemporaryDir out;
        QList<int> generations;
        for (int copy = 0; copy < 6; ++copy) {
            const QString archive = out.filePath(QStringLiteral("copia%1.zip").arg(copy));
            SettingsBackup::backup(folder.path(), archive);
            const SettingsBackup::CheckedArchive checked(archive);
            Store copyStore(QFileInfo(checked.databasePath()).absolutePath());
            generations.append(ConfigurationRecord(copyStore).scrollingText().value_or(QString()).toInt());
            for (RecordSet layout(copyStore.database(), QStringLiteral("Layout1")); !layout.eof(); layout.moveNext())
                QCOMPARE(layout.value(QStringLiteral("Testo")).toInt(), generations.last());
            QTest::qWait(50);
        }
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();
        QVERIFY2(generations.first() >= 1 && generations.last() > generations.first(),
                 qPrintable(QStringLiteral("from %1 to %2").arg(generations.first()).arg(generations.last())));
    }

    // A restore killed at any moment leaves, once the next start has run, a whole database and the
    // files that belong to it: all old or all new.
    void restoreKilledAtRandomMoments()
    {
        QTemporaryDir work;
        const QString archive = work.filePath(QStringLiteral("nuove.zip"));
        const QString oldFolder = work.filePath(QStringLiteral("vecchie"));
        FolderState newState;
        FolderState oldState;
        for (const bool isNew : {true, false}) {
            TestFolder folder;
            buildScene(folder, isNew ? QStringLiteral("N") : QStringLiteral("O"));
            if (isNew)
                SettingsBackup::backup(folder.path(), archive);
            folder.store().close();
            (isNew ? newState : oldState) = stateOf(folder.path());
            if (!isNew)
                copyTree(folder.path(), oldFolder);
        }
        const auto run = [&](QTemporaryDir& folder, QProcess& child) {
            copyTree(oldFolder, folder.path());
            child.start(QCoreApplication::applicationFilePath(), {"--restorer", folder.path(), archive});
            QVERIFY(child.waitForStarted());
        };
        // How long a whole restore takes here, so that the kills fall all along it.
        QElapsedTimer timer;
        timer.start();
        {
            QTemporaryDir folder;
            QProcess child;
            run(folder, child);
            QVERIFY(child.waitForFinished(60000));
            QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("done"));
            QCOMPARE(stateOf(folder.path()), newState);
        }
        const int duration = static_cast<int>(timer.elapsed());

        int old = 0;
        for (int attempt = 0; attempt < 20; ++attempt) {
            QTemporaryDir folder;
            QProcess child;
            run(folder, child);
            // Most of a run is the start and the checks; the kills favour the writing that follows,
            // and some fall after the end.
            QThread::msleep(QRandomGenerator::global()->bounded(duration / 3, duration * 5 / 4));
            child.kill(); // SIGKILL: no handler, no cleanup
            child.waitForFinished();

            SettingsBackup::finishInterruptedRestore(folder.path()); // as the next start does
            QCOMPARE(DatabaseCopy::integrity(Database::pathIn(folder.path())), QStringLiteral("ok"));
            const FolderState now = stateOf(folder.path());
            QVERIFY2(now == oldState || now == newState, qPrintable(QStringLiteral("attempt %1").arg(attempt)));
            old += now == oldState ? 1 : 0;
        }
        qInfo("a restore takes %d ms; the killed ones left %d old, %d new", duration, old, 20 - old);
    }

    // A layout travels whole into any numbered layout: its fifty rows exactly as stored (Null
    // included), its description, and its name, save that a layout still called by its number takes
    // the target's (a named one travels through the chooser's test); nothing else changes.
    void roundTrip_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("target");
        QTest::newRow("layout 4, still \"Layout 4\", into layout 9") << 4 << 9;
        QTest::newRow("the base layout into layout 1") << 0 << 1;
    }

    void roundTrip()
    {
        QFETCH(int, source);
        QFETCH(int, target);
        TestFolder folder;
        if (source != 0) {
            setCell(folder, source, 1, QStringLiteral("Top"), 2887.5);
            setCell(folder, source, 1, QStringLiteral("Testo"), QVariant());
            setCell(folder, source, 2, QStringLiteral("NomeFont"), QStringLiteral("Segoe \"UI\" è"));
            setCell(folder, source, 50, QStringLiteral("ColoreSfondo"), 16777215);
            setName(folder, source, QStringLiteral("Layout %1").arg(source), QStringLiteral("Con meteo e video"));
        }
        const LayoutTables::Table exported = LayoutTables::of(folder.database(), LayoutTableName(source));
        LayoutNames::Entry name = LayoutNames(folder.store()).read().at(source);
        name.name = QStringLiteral("Layout %1").arg(target);
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("sala.tnl"));
        LayoutFile::save(folder.store(), source, file);
        if (source != target) {
            setCell(folder, source, 3, QStringLiteral("Left"), 15.0);
            setName(folder, source, QStringLiteral("cambiato"), QString());
        }
        QVector<LayoutTables::Table> expected = LayoutTables::allLayouts(folder.database());
        expected[target] = exported;
        QVector<LayoutNames::Entry> expectedNames = LayoutNames(folder.store()).read();
        expectedNames[target] = name;

        const LayoutNames::Entry written = LayoutFile::load(folder.store(), file, target);

        QCOMPARE(written.name, name.name);
        QCOMPARE(written.description, name.description);
        QCOMPARE(LayoutTables::allLayouts(folder.database()), expected);
        for (const auto& [storedName, storedDescription] : LayoutNames(folder.store()).read()) {
            QCOMPARE(storedName, expectedNames.first().name);
            QCOMPARE(storedDescription, expectedNames.takeFirst().description);
        }
    }

    // The background picture travels with the layout: it keeps its path where that path holds the
    // same picture, and lands in the program folder's Sfondi otherwise, never over another picture of
    // that name. Other pictures are only listed.
    void backgroundPicture_data()
    {
        QTest::addColumn<QString>("situation"); // the picture kept, gone, gone with another in Sfondi
        QTest::addColumn<QString>("expected");  // relative to the program folder, or "origin"
        const std::pair<const char*, const char*> rows[] = {
            {"kept", "origin"}, {"gone", "Sfondi/sfondo.png"}, {"clash", "Sfondi/sfondo (2).png"}};
        for (const auto& [situation, expected] : rows)
            QTest::newRow(situation) << QString::fromLatin1(situation) << QString::fromLatin1(expected);
    }

    void backgroundPicture()
    {
        QFETCH(QString, situation);
        QFETCH(QString, expected);
        TestFolder folder;
        QTemporaryDir pictures;
        const QString origin = QDir::toNativeSeparators(pictures.filePath(QStringLiteral("sfondo.png")));
        writeBytes(origin, "PNG sfondo");
        setCell(folder, 4, BackgroundRow, QStringLiteral("PercorsoImmagine"), origin);
        setCell(folder, 4, 33, QStringLiteral("PercorsoImmagine"), QStringLiteral("/altrove/foto.jpg"));
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("quattro.tnl"));
        LayoutFile::save(folder.store(), 4, file);

        const ZipReader reader(file);
        const ArchiveManifest manifest = ArchiveManifest::readChecked(reader, ArchiveManifest::Kind::Layout, nullptr);
        QCOMPARE(manifest.filesOf(QStringLiteral("picture")).size(), 1);
        QCOMPARE(manifest.external.size(), 1);
        QCOMPARE(manifest.external.first().path, QStringLiteral("/altrove/foto.jpg"));

        if (situation != QLatin1String("kept"))
            QFile::remove(origin);
        if (situation == QLatin1String("clash"))
            writeBytes(folder.filePath(QStringLiteral("Sfondi/sfondo.png")), "un altro sfondo");

        LayoutFile::load(folder.store(), file, 7);

        const QString stored =
            LayoutTables::of(folder.database(), QStringLiteral("Layout7")).at(BackgroundRow - 1).at(14).toString();
        const QString place =
            expected == QLatin1String("origin") ? origin : QDir::toNativeSeparators(folder.filePath(expected));
        QCOMPARE(stored, place);
        QCOMPARE(readBytes(place), QByteArray("PNG sfondo"));
        QCOMPARE(LayoutTables::of(folder.database(), QStringLiteral("Layout7")).at(32).at(14).toString(),
                 QStringLiteral("/altrove/foto.jpg"));
    }

    // What cannot become a layout is refused with its reason, and the target stays as it was.
    void refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("said");
        QTest::newRow("into the base layout") << "good" << 0 << "Il Layout Base non può essere modificato";
        QTest::newRow("a settings backup") << "backup" << 2 << "non è un layout esportato";
        QTest::newRow("49 rows") << "short" << 2 << "contiene 49 righe invece di 50";
        QTest::newRow("a row without its font")
            << "null font" << 2 << "la riga 2 (Postazione1) non ha un valore nella colonna NomeFont";
        QTest::newRow("an alignment of 5") << "alignment" << 2 << "valore non valido nella colonna Allineamento";
        QTest::newRow("a column missing") << "no column" << 2 << "manca la colonna Visibile";
        QTest::newRow("a target table short of a row") << "short table" << 2 << "contiene solo 49 righe invece di 50";
    }

    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(int, target);
        QFETCH(QString, said);
        TestFolder folder;
        QTemporaryDir out;
        const QString good = out.filePath(QStringLiteral("good.tnl"));
        setName(folder, 6, QStringLiteral("Sei"), QStringLiteral("da esportare"));
        LayoutFile::save(folder.store(), 6, good);
        const QString bad = out.filePath(QStringLiteral("bad.tnl"));
        const QString file = kind == QLatin1String("good") || kind == QLatin1String("short table") ? good : bad;
        if (kind == QLatin1String("backup")) {
            SettingsBackup::backup(folder.path(), bad);
        } else if (kind == QLatin1String("short table")) {
            folder.database().execute(QStringLiteral("DELETE FROM Layout2 WHERE rowid = (SELECT max(rowid) FROM "
                                                     "Layout2)"));
        } else if (file == bad) {
            rewriteLayout(good, bad, [&](QJsonObject& layout) {
                QJsonArray rows = layout.value(QStringLiteral("rows")).toArray();
                QJsonObject row = rows.at(1).toObject();
                if (kind == QLatin1String("null font"))
                    row.insert(QStringLiteral("NomeFont"), QJsonValue::Null);
                else if (kind == QLatin1String("alignment"))
                    row.insert(QStringLiteral("Allineamento"), 5);
                else
                    row.remove(QStringLiteral("Visibile"));
                rows.replace(1, row);
                if (kind == QLatin1String("short"))
                    rows.removeLast();
                layout.insert(QStringLiteral("rows"), rows);
            });
        }
        const QVector<LayoutTables::Table> before = LayoutTables::allLayouts(folder.database());
        const QVector<LayoutNames::Entry> names = LayoutNames(folder.store()).read();

        const QString message = storeErrorSentence([&] { LayoutFile::load(folder.store(), file, target); });

        QVERIFY2(message.contains(said), qPrintable(message));
        QCOMPARE(LayoutTables::allLayouts(folder.database()), before);
        QCOMPARE(LayoutNames(folder.store()).read().at(2).name, names.at(2).name);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("Sfondi"))));
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
