// The store keeps its promise that nothing stored is lost, whatever happens to the file under a
// running program: a backup copied or moved over it, the file deleted, a full disk, a kill while a
// new database is being built, a second spelling of its name, a user without the right to write.

#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Store.h"
#include "data/seed/Seed.h"
#include "support/core/RawConnection.h"
#include "support/core/SmallDisk.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <grp.h>
#include <unistd.h>
#endif

namespace {

// A closed, checkpointed copy of the folder's database, as an operator's backup would be.
QString takeBackup(TestFolder& folder, const QString& name)
{
    folder.database();
    folder.store().close();
    const QString backup = folder.filePath(name);
    QFile::copy(folder.filePath(QStringLiteral("TN2.db")), backup);
    return backup;
}

bool renameOver(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Lets the event that used the store end, as every action of the program does.
void endOfAction()
{
    QCoreApplication::processEvents();
}

// Child process roles: build a database in FOLDER (to be killed midway), or open one as `nobody`.
int childRole(const QString& role, const QString& folder)
{
    QCoreApplication application(
        *new int(1), new char* [1] { const_cast<char*>("tst_store") });
    if (role == QLatin1String("--create")) {
        Database database(folder, &Seed::populate);
        return 0;
    }
#ifdef Q_OS_UNIX
    constexpr uid_t Nobody = 65534;
    if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
        return 3;
#endif
    const auto error = storeErrorOf([&] { Database database(folder); });
    if (error)
        std::fputs(error->operatorMessage().toUtf8().constData(), stdout);
    return error ? 2 : 0;
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private slots:
    // A backup put over the file between two actions: the next save goes into the file that is
    // there now, which stays whole, and the program says nothing wrong.
    void backupRestoredWhileRunning_data()
    {
        QTest::addColumn<bool>("copiedOver"); // else moved over
        QTest::addColumn<bool>("actionEnded");
        QTest::newRow("copied over, between actions") << true << true;
        QTest::newRow("moved over, between actions") << false << true;
        QTest::newRow("moved over, connection still open") << false << false;
    }

    void backupRestoredWhileRunning()
    {
        QFETCH(bool, copiedOver);
        QFETCH(bool, actionEnded);
        TestFolder folder;
        ConfigurationRecord configuration(folder.store());
        configuration.setScrollingText(QStringLiteral("nel backup"));
        const QString backup = takeBackup(folder, QStringLiteral("backup.db"));
        configuration.setScrollingText(QStringLiteral("dopo il backup"));
        configuration.setResolution(2);
        if (actionEnded)
            endOfAction();

        const QString path = folder.filePath(QStringLiteral("TN2.db"));
        if (copiedOver) {
            QFile from(backup);
            QFile to(path);
            QVERIFY(from.open(QIODevice::ReadOnly) && to.open(QIODevice::WriteOnly | QIODevice::Truncate));
            to.write(from.readAll());
        } else {
            QVERIFY(renameOver(backup, path));
        }

        QCOMPARE(configuration.scrollingText().value_or(QString()), QStringLiteral("nel backup"));
        configuration.setResolution(1);
        endOfAction();
        QCOMPARE(readWithOwnConnection(path, "SELECT MisuraFormWH FROM Configurazione"), QStringLiteral("1"));
        QCOMPARE(readWithOwnConnection(path, "SELECT StringaScorrevole FROM Configurazione"),
                 QStringLiteral("nel backup"));
        QCOMPARE(readWithOwnConnection(path, "PRAGMA integrity_check"), QStringLiteral("ok"));
    }

    // The file deleted under the program: a save is refused plainly and no new database appears.
    // Replaced while a write is under way: the write is not reported as done.
    void fileGoneUnderTheProgram()
    {
        TestFolder folder;
        ConfigurationRecord configuration(folder.store());
        configuration.setResolution(2);
        endOfAction();
        QVERIFY(QFile::remove(folder.filePath(QStringLiteral("TN2.db"))));
        QString said = storeErrorSentence([&] { configuration.setResolution(3); });
        QVERIFY2(said.contains(QStringLiteral("non si trova più")), qPrintable(said));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("TN2.db"))));

        TestFolder other;
        const QString backup = takeBackup(other, QStringLiteral("backup.db"));
        Transaction transaction(other.database());
        ConfigurationRecord(other.store()).setResolution(1);
        QVERIFY(renameOver(backup, other.filePath(QStringLiteral("TN2.db"))));
        said = storeErrorSentence([&] { transaction.commit(); });
        QVERIFY2(said.contains(QStringLiteral("sostituito")), qPrintable(said));
    }

    // A full disk is said in words and what was stored stays stored: on a page limit, which SQLite
    // meets as a full disk, and on a real small file system where the machine lets the test make one.
    void fullDisk_data()
    {
        QTest::addColumn<bool>("smallFileSystem");
        QTest::newRow("page limit") << false;
        QTest::newRow("small file system") << true;
    }

    void fullDisk()
    {
        QFETCH(bool, smallFileSystem);
        QTemporaryDir folder;
        std::optional<SmallDisk> disk;
        if (smallFileSystem && !disk.emplace(folder.path(), 2048).mounted())
            QSKIP("a small file system cannot be made here (mount needs the rights of an administrator)");
        Store store(folder.path(), [](Database&, const QString&) {});
        store.database().execute(QStringLiteral("INSERT INTO Configurazione (StringaScorrevole) VALUES ('prima')"));
        if (smallFileSystem)
            QVERIFY(disk->fill());
        else
            store.database().execute(QStringLiteral("PRAGMA max_page_count = %1")
                                         .arg(RawConnection::text(store.database().handle(), "PRAGMA page_count")));
        const QString said =
            storeErrorSentence([&] { ConfigurationRecord(store).setScrollingText(QString(300000, QLatin1Char('y'))); });
        QVERIFY2(said.contains(QStringLiteral("disco è pieno")), qPrintable(said));
        QCOMPARE(ConfigurationRecord(store).scrollingText().value_or(QString()), QStringLiteral("prima"));
    }

    // A kill at any moment of the first start leaves TN2.db complete or absent; the next start works.
    void killedWhileCreating()
    {
        TestFolder folder;
        for (int attempt = 0; attempt < 4; ++attempt) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--create"), folder.path()});
            QVERIFY(child.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(QStringLiteral("TN2.db.nuovo"))) ||
                                         child.state() == QProcess::NotRunning,
                                     20000);
            QTest::qWait(QRandomGenerator::global()->bounded(400));
            child.kill();
            child.waitForFinished();
            const QString path = folder.filePath(QStringLiteral("TN2.db"));
            if (QFile::exists(path)) {
                QCOMPARE(readWithOwnConnection(path, "PRAGMA integrity_check"), QStringLiteral("ok"));
                QCOMPARE(readWithOwnConnection(path, "SELECT count(*) FROM ComuniMeteo"), QStringLiteral("7896"));
                QFile::remove(path);
            }
        }
        Database database(folder.path(), &Seed::populate);
        QCOMPARE(RecordSet(database, QStringLiteral("LayoutBase")).count(), 50);
    }

    // Both spellings in one folder: TN2.db is used, and standard error says so in one line.
    void twoSpellings()
    {
        TestFolder folder;
        takeBackup(folder, QStringLiteral("tn2.DB"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("TN2\\.db.*tn2\\.DB")));
        Store store(folder.path());
        QCOMPARE(QFileInfo(store.database().path()).fileName(), QStringLiteral("TN2.db"));
    }

    // A file this user cannot write is refused at the start, like a read-only one.
    void otherUsersFile()
    {
#ifdef Q_OS_UNIX
        if (::geteuid() != 0)
            QSKIP("needs to play another user");
        QTemporaryDir folder;
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                         QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
        Database(folder.path(), &Seed::populate);
        QVERIFY(QFile::setPermissions(QDir(folder.path()).filePath(QStringLiteral("TN2.db")),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open-as-nobody"), folder.path()});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 2);
        QVERIFY(QString::fromUtf8(child.readAllStandardOutput()).contains(QStringLiteral("sola lettura")));
#else
        QSKIP("plays another user on Unix only");
#endif
    }

    // Values in an error are cut to a length a window can show.
    void longValuesCut()
    {
        TestFolder folder;
        const auto error = storeErrorOf([&] {
            RecordSet(folder.database(), QStringLiteral("Configurazione"))
                .findFirst(QStringLiteral("[nessuna] = '%1'").arg(QString(10000, QLatin1Char('z'))));
        });
        QVERIFY(error && error->fullText().size() < 600);
    }
};

int main(int argc, char* argv[])
{
    if (argc > 2 && (qstrcmp(argv[1], "--create") == 0 || qstrcmp(argv[1], "--open-as-nobody") == 0))
        return childRole(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    QCoreApplication application(argc, argv);
    TestStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store.moc"
