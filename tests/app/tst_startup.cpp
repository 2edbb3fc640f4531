#include "ReadErrorWindow.h"
#include "app/FolderLock.h"
#include "app/SingleInstanceGuard.h"
#include "app/StartUp.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/StoreError.h"
#include "data/seed/Seed.h"
#include "support/core/FileBytes.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <functional>

namespace {

using Setup = std::function<void(const QString& folder)>;

QString uniqueLockPath()
{
    return QDir::temp().filePath(QStringLiteral("tn2-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128)));
}

// The message box a refused start shows: its title, then its text; closed with OK.
ModalDriver::Action readMessageBox(QString* seen)
{
    return [seen](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        QVERIFY(box && box->icon() == QMessageBox::Critical);
        *seen = box->windowTitle() + QLatin1Char('|') + box->text();
        box->button(QMessageBox::Ok)->click();
    };
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestStartUp : public QObject
{
    Q_OBJECT
private slots:
    // A database that cannot be used ends the start with the error window, and is left as it was.
    void badDatabase_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("named"); // what the error window must name
        QTest::newRow("not a database") << Setup([](const QString& folder) {
            writeBytes(Database::pathIn(folder), QByteArray("Elenco turni, non un database.\n").repeated(200));
        }) << "TN2.db";
        QTest::newRow("column missing") << Setup([](const QString& folder) {
            Database(folder, &Seed::populate)
                .execute(QStringLiteral("ALTER TABLE Configurazione DROP COLUMN MisuraFormWH"));
        }) << "MisuraFormWH";
        QTest::newRow("read-only") << Setup([](const QString& folder) {
            Database database(folder, &Seed::populate);
            QFile::setPermissions(database.path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        }) << "sola lettura";
    }

    void badDatabase()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, named);
        TestFolder folder;
        setup(folder.path());
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
        const QByteArray before = readBytes(Database::pathIn(folder.path()));
        QString said;
        ModalDriver driver;
        driver.next(readErrorWindow(&said));

        StartUp startUp(folder.path(), uniqueLockPath());
        QVERIFY(!startUp.prepare());

        QCOMPARE(startUp.exitCode(), int(StartUp::StoreFailed));
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY2(said.contains(named), qPrintable(said));
        QStringList filesAfter = QDir(folder.path()).entryList(QDir::Files);
        filesAfter.removeOne(QLatin1String(FolderLock::FileName));
        QCOMPARE(filesAfter, filesBefore);
        QCOMPARE(readBytes(Database::pathIn(folder.path())), before);
    }

    // A table that only another window uses does not stop the start; that window names it when it
    // opens, and the program goes on.
    void tableOfAnotherWindowMissing()
    {
        TestFolder folder;
        Database(folder.path(), &Seed::populate).execute(QStringLiteral("DROP TABLE DinDon"));
        StartUp startUp(folder.path(), uniqueLockPath());
        QVERIFY(startUp.prepare());
        QCOMPARE(storeErrorSentence([&] { RecordSet(startUp.store()->database(), QStringLiteral("DinDon")); }),
                 QStringLiteral("Nel database manca la tabella \"DinDon\"."));
    }

    // A start refused by the lock shows why and ends before anything else happens.
    void refusedByTheLock_data()
    {
        QTest::addColumn<QString>("holder"); // "machine", "other computer", or none: no lock can be taken
        QTest::addColumn<QString>("machineLock");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("copy on this machine") << "machine" << uniqueLockPath() << int(StartUp::AlreadyRunning)
                                              << "TN2-Modulo Impostazione risulta già in esecuzione sulla macchina !";
        QTest::newRow("copy on another computer")
            << "other computer" << uniqueLockPath() << int(StartUp::AlreadyRunning) << "computer postazione-2";
        QTest::newRow("no lock possible") << QString() << QStringLiteral("/dev/null/tn2.lock")
                                          << int(StartUp::LockUnavailable) << "/dev/null/tn2.lock";
    }

    void refusedByTheLock()
    {
        QFETCH(QString, holder);
        QFETCH(QString, machineLock);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QTemporaryDir elsewhere;
        QTemporaryDir folder;
        SingleInstanceGuard otherCopy(elsewhere.path(), machineLock);
        FolderLock otherComputer(folder.path(), QStringLiteral("postazione-2"));
        if (holder == QLatin1String("machine"))
            QCOMPARE(otherCopy.tryAcquire(), SingleInstanceGuard::Acquired);
        else if (holder == QLatin1String("other computer"))
            QCOMPARE(otherComputer.tryLock(), FileLock::Locked);
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
        QString seen;
        ModalDriver driver;
        driver.next(readMessageBox(&seen));

        StartUp startUp(folder.path(), machineLock);
        QVERIFY(!startUp.prepare());

        QCOMPARE(startUp.exitCode(), exitCode);
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY2(seen.startsWith(QStringLiteral("ATTENZIONE|")) && seen.contains(said), qPrintable(seen));
        QCOMPARE(startUp.store(), nullptr);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), filesBefore);
    }

    void secondCopyOfTheProgram()
    {
        if (!QFileInfo::exists(QStringLiteral(TN2_APP_BINARY)))
            QSKIP("the program has not been built");
        {
            FileLock probe(SingleInstanceGuard::defaultMachineLockPath());
            if (probe.tryLock() != FileLock::Locked)
                QSKIP("a copy of the program is already running on this machine");
        }
        // A copy of the program from a folder of its own, so that its database lands there.
        QTemporaryDir firstFolder;
        const QString program = QDir(firstFolder.path()).filePath(QStringLiteral("tn2-impostazione"));
        QVERIFY(QFile::copy(QStringLiteral(TN2_APP_BINARY), program));
        QProcess first;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        first.setProcessEnvironment(environment);
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        // The database appears only once the copy holds the machine.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(Database::pathIn(firstFolder.path())), 30000);
        QCOMPARE(first.state(), QProcess::Running);

        // This process starts as a second copy, from another folder.
        QTemporaryDir secondFolder;
        QString seen;
        ModalDriver driver;
        driver.next(readMessageBox(&seen));
        {
            StartUp second(secondFolder.path());
            QVERIFY(!second.prepare());
            QCOMPARE(second.exitCode(), int(StartUp::AlreadyRunning));
            QCOMPARE(second.store(), nullptr);
        }
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(seen, QStringLiteral("ATTENZIONE|TN2-Modulo Impostazione risulta già in esecuzione sulla macchina !"));
        // Nothing was touched, and the first copy runs on.
        QVERIFY(QDir(secondFolder.path()).isEmpty());
        QCOMPARE(first.state(), QProcess::Running);

        // A copy that dies leaves its lock files behind; the next start takes them over.
        first.kill();
        QVERIFY(first.waitForFinished());
        SingleInstanceGuard next(firstFolder.path());
        QVERIFY(QFile::exists(next.machineLockPath()));
        QCOMPARE(next.tryAcquire(), SingleInstanceGuard::Acquired);
    }
};

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
