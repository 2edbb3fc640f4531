#include "data/ConfigurationRecord.h"
#include "data/DatabaseCopy.h"
#include "data/FileIdentity.h"
#include "data/PlaylistFile.h"
#include "data/RecordSet.h"
#include "data/SettingsBackup.h"
#include "data/ZipArchive.h"
#include "data/seed/Seed.h"
#include "support/core/ArchiveEdit.h"
#include "support/core/DatabaseDigest.h"
#include "support/core/FileBytes.h"
#include "support/core/RawConnection.h"
#include "support/core/SmallDisk.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QDirIterator>
#include <QElapsedTimer>
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

} // namespace

class TestSettingsBackup : public QObject
{
    Q_OBJECT
private slots:
    // The archive holds the database as it is, every playlist file and the chimes of the program
    // folder, and lists what lies elsewhere; its checksums match what it holds. A restore brings
    // them back in the very file a display holds open; the settings it replaced are in the
    // automatic copy, which restores them in turn.
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
        QHash<QString, QByteArray> contents;
        const ZipReader reader(archive);
        const ArchiveManifest manifest =
            ArchiveManifest::readChecked(reader, ArchiveManifest::Kind::Settings, &contents);
        QCOMPARE(reader.names().size(), 6);
        QVERIFY(qAbs(manifest.created.secsTo(QDateTime::currentDateTime())) < 60);
        QCOMPARE(contents.value(QStringLiteral("media/suoni/din.wav")), QByteArray("RIFF A"));
        QCOMPARE(contents.value(QStringLiteral("playlist/Foto.TNI")), readBytes(folder.filePath("Foto.TNI")));
        QHash<QString, QStringList> listed;
        for (const ArchiveManifest::External& external : manifest.external)
            listed.insert(external.path, external.usedBy + QStringList{external.present ? "present" : "absent"});
        QCOMPARE(listed.value(QStringLiteral("/altrove/rossi.jpg")), QStringList({"utenti: Rossi A", "absent"}));
        QCOMPARE(listed.value(QStringLiteral("/altrove/foto/A.jpg")), QStringList({"playlist Foto.TNI", "absent"}));
        QTemporaryDir check;
        writeBytes(check.filePath(QStringLiteral("TN2.db")), contents.value(QStringLiteral("TN2.db")));
        QCOMPARE(databaseDigest(check.filePath(QStringLiteral("TN2.db"))),
                 databaseDigest(Database::pathIn(folder.path())));

        const FolderState original = stateOf(folder.path());
        buildScene(folder, QStringLiteral("B"));
        PlaylistFile::write(folder.filePath(QStringLiteral("nuova.tni")), {QStringLiteral("/altrove/nuova.jpg")});
        const FolderState changed = stateOf(folder.path());
        const QString live = Database::pathIn(folder.path());
        const std::optional<FileIdentity> identity = FileIdentity::of(live);
        const RawConnection display(live, RawConnection::ReadOnly);
        const char* const text = "SELECT StringaScorrevole FROM Configurazione";
        QCOMPARE(display.text(text), QStringLiteral("Benvenuti B"));

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

        QCOMPARE(QFileInfo(restored.automaticBackup).absolutePath(), folder.filePath(QStringLiteral("Backup")));
        SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(restored.automaticBackup));
        QCOMPARE(stateOf(folder.path()), changed);
    }

    // The ten newest automatic copies stay, with whatever else the operator put in Backup.
    void automaticCopiesKeepTheTenNewest()
    {
        TestFolder folder;
        folder.database();
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("A.zip"));
        SettingsBackup::backup(folder.path(), archive);
        const QDir backups(folder.filePath(QStringLiteral("Backup")));
        QStringList expected{QStringLiteral("mia-copia.zip")};
        for (int day = 10; day < 22; ++day) {
            expected.append(QStringLiteral("TN2-prima-del-ripristino-200001%1-120000-000.zip").arg(day));
            writeBytes(backups.filePath(expected.last()), "vecchia");
        }
        writeBytes(backups.filePath(expected.first()), "dell'operatore");
        writeBytes(backups.filePath(QStringLiteral("TN2-prima-del-ripristino-20000110-120000-000.zip.Ab12Cd")), "x");

        const SettingsBackup::Restored restored =
            SettingsBackup::restore(folder.store(), SettingsBackup::CheckedArchive(archive));

        expected.remove(1, 3);
        expected.append(QFileInfo(restored.automaticBackup).fileName());
        expected.sort();
        QCOMPARE(backups.entryList(QDir::Files, QDir::Name), expected);
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
            {"DROP TABLE radio", "non è completo: Nel database manca la tabella \"radio\""},
            {"ALTER TABLE utenti DROP COLUMN percorsofoto", "manca la colonna \"percorsofoto\""},
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
        QTemporaryDir mountPoint;
        QTemporaryDir out;
        const QString archive = out.filePath(QStringLiteral("A.zip"));
        if (where == QLatin1String("page limit")) {
            TestFolder folder;
            buildScene(folder, QStringLiteral("A"));
            folder.database().execute(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM "
                                                     "n WHERE i < 3000) INSERT INTO radio SELECT 'Radio ' || i, "
                                                     "printf('%.200c', 'u') FROM n"));
            SettingsBackup::backup(folder.path(), archive);
            folder.database().execute(QStringLiteral("DELETE FROM radio"));
            folder.database().execute(QStringLiteral("VACUUM"));
            buildScene(folder, QStringLiteral("B"));
            const FolderState before = stateOf(folder.path());
            const SettingsBackup::CheckedArchive checked(archive);
            folder.database().execute(QStringLiteral("PRAGMA max_page_count = 1"));

            const QString message = storeErrorSentence([&] { SettingsBackup::restore(folder.store(), checked); });

            QVERIFY2(message.contains(QStringLiteral("Il disco è pieno")), qPrintable(message));
            folder.store().close();
            QCOMPARE(DatabaseCopy::integrity(Database::pathIn(folder.path())), QStringLiteral("ok"));
            QCOMPARE(stateOf(folder.path()), before);
            QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("TN2.ripristino"))));
            return;
        }
        const bool restore = where == QLatin1String("restore");
        const SmallDisk disk(mountPoint.path(), restore ? 8192 : 64);
        if (!disk.mounted())
            QSKIP("a small disk can be mounted only by root on Linux");
        TestFolder source;
        buildScene(source, QStringLiteral("A"));
        SettingsBackup::backup(source.path(), archive);
        std::unique_ptr<Store> store;
        if (restore) {
            store = std::make_unique<Store>(mountPoint.path(), &Seed::populate);
            store->database();
            QVERIFY(disk.fill(QFileInfo(archive).size() / 2));
        }
        const QString old = QDir(mountPoint.path()).filePath(QStringLiteral("copia.zip"));
        writeBytes(old, "copia precedente");
        const FolderState before = stateOf(mountPoint.path());

        const QString message = storeErrorSentence([&] {
            if (restore)
                SettingsBackup::restore(*store, SettingsBackup::CheckedArchive(archive));
            else
                SettingsBackup::backup(source.path(), old);
        });

        QVERIFY2(message.contains(QStringLiteral("Il disco è pieno")), qPrintable(message));
        store.reset();
        QCOMPARE(stateOf(mountPoint.path()), before);
        QCOMPARE(QDir(mountPoint.path()).entryList({QStringLiteral("*.zip*")}, QDir::Files), QStringList{"copia.zip"});
        QVERIFY(QDir(QDir(mountPoint.path()).filePath(QStringLiteral("Backup"))).isEmpty());
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
