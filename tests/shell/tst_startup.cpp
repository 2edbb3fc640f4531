#include "shell/SingleInstanceGuard.h"
#include "shell/StartUp.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"
#include "support/ModalDriver.h"
#include "support/TestFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <functional>
#include <sqlite3.h>
#include <unistd.h>

namespace {

using Setup = std::function<void(const QString& folder)>;

QString uniqueLockName()
{
    return QStringLiteral("tn2-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128));
}

QString databasePath(const QString& folder)
{
    return QDir(folder).filePath(QStringLiteral("TN2.db"));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A sound database, then `sql` run on it with the connection closed again.
void goodDatabaseThen(const QString& folder, const char* sql)
{
    Database database(folder);
    if (sql)
        database.execute(QString::fromLatin1(sql));
}

// Names and contents of every file in `folder`: what "left untouched" means.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        QFile file(dir.filePath(name));
        files.insert(name, file.open(QIODevice::ReadOnly)
                               ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                               : QByteArray("folder"));
    }
    return files;
}

// Holds an exclusive lock on the database, as another program might.
class ForeignLock
{
public:
    explicit ForeignLock(const QString& path)
    {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(m_db, "PRAGMA journal_mode=DELETE; BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~ForeignLock()
    {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

private:
    sqlite3* m_db = nullptr;
};

// A copy of the program in a folder of its own, so that its database lands there.
QString installProgram(const QString& folder)
{
    const QString target = QDir(folder).filePath(QStringLiteral("tn2-impostazione"));
    if (!QFile::copy(QStringLiteral(TN2_APP_BINARY), target))
        return {};
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return target;
}

void startProgram(QProcess& process, const QString& program)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QFileInfo(program).absolutePath());
    process.start(program, {});
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestStartUp : public QObject
{
    Q_OBJECT
private slots:
    void missingDatabaseIsCreated();
    void badDatabase_data();
    void badDatabase();
    void guardExcludesASecondHolder();
    void leftoverLockFile_data();
    void leftoverLockFile();
    void secondCopyOfTheProgram();
};

void TestStartUp::missingDatabaseIsCreated()
{
    TestFolder folder;
    AppFolder.clear();
    StartUp startUp(folder.path(), uniqueLockName());
    ModalDriver driver(1000);
    QVERIFY(startUp.prepare());
    QCOMPARE(startUp.exitCode(), int(StartUp::Finished));
    QCOMPARE(AppFolder, folder.path());
    QVERIFY(QFile::exists(databasePath(folder.path())));
    QVERIFY(driver.unexpected().isEmpty());
}

void TestStartUp::badDatabase_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("named"); // what the error window must name

    QTest::newRow("not a database") << Setup([](const QString& folder) {
        writeFile(databasePath(folder), QByteArray("Elenco turni, non un database.\n").repeated(200));
    }) << "TN2.db";
    QTest::newRow("empty file") << Setup([](const QString& folder) { writeFile(databasePath(folder), {}); })
                                << "Configurazione";
    QTest::newRow("table missing")
        << Setup([](const QString& folder) { goodDatabaseThen(folder, "DROP TABLE radio"); }) << "radio";
    QTest::newRow("column missing") << Setup([](const QString& folder) {
        goodDatabaseThen(folder, "ALTER TABLE Configurazione DROP COLUMN MisuraFormWH");
    }) << "MisuraFormWH";
    QTest::newRow("read-only") << Setup([](const QString& folder) {
        goodDatabaseThen(folder, nullptr);
        QFile::setPermissions(databasePath(folder), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }) << "sola lettura";
    QTest::newRow("locked by another program") << Setup([](const QString& folder) {
        goodDatabaseThen(folder, "PRAGMA journal_mode=DELETE");
    }) << "bloccato";
    QTest::newRow("a folder in its place")
        << Setup([](const QString& folder) { QDir(folder).mkdir(QStringLiteral("TN2.db")); }) << "TN2.db";
}

void TestStartUp::badDatabase()
{
    QFETCH(Setup, setup);
    QFETCH(QString, named);

    TestFolder folder;
    setup(folder.path());
    std::unique_ptr<ForeignLock> foreign;
    if (QString::fromLatin1(QTest::currentDataTag()).startsWith(QLatin1String("locked")))
        foreign = std::make_unique<ForeignLock>(databasePath(folder.path()));
    const auto before = snapshot(folder.path());

    QString said;
    ModalDriver driver(10000);
    driver.next([&said](QWidget* window) {
        if (window->objectName() == QLatin1String("ErrorWindow")) {
            for (const char* name : {"Message", "Detail"})
                said += window->findChild<QLabel*>(QString::fromLatin1(name))->text() + QLatin1Char('\n');
        }
        ModalDriver::click(window, QStringLiteral("OK"));
    });
    StartUp startUp(folder.path(), uniqueLockName());
    const bool started = startUp.prepare();
    if (geteuid() == 0)
        QEXPECT_FAIL("read-only", "the store asks access() about the owner's write right, which root always has",
                     Abort);
    QVERIFY(!started);

    QCOMPARE(startUp.exitCode(), int(StartUp::StoreFailed));
    QVERIFY(driver.unexpected().isEmpty());
    QVERIFY2(said.contains(named), qPrintable(said));
    foreign.reset();
    QCOMPARE(snapshot(folder.path()), before);
}

void TestStartUp::guardExcludesASecondHolder()
{
    const QString name = uniqueLockName();
    SingleInstanceGuard first(name);
    SingleInstanceGuard second(name);
    QVERIFY(first.tryAcquire());
    QVERIFY(first.tryAcquire());
    QVERIFY(!second.tryAcquire());
    QVERIFY(!second.tryAcquire());
    QVERIFY(QFile::exists(first.lockPath()));
    first.release();
    QVERIFY(second.tryAcquire());
    second.release();
    QVERIFY(!QFile::exists(second.lockPath()));
}

void TestStartUp::leftoverLockFile_data()
{
    QTest::addColumn<QByteArray>("content");

    // The pid of a process that has ended.
    QProcess ended;
    ended.start(QStringLiteral("/bin/true"), {});
    QVERIFY(ended.waitForFinished());
    const QByteArray deadPid = QByteArray::number(ended.processId());
    QTest::newRow("owner gone") << deadPid + "\ntn2-impostazione\n" + QSysInfo::machineHostName().toUtf8() + "\n";
    QTest::newRow("unreadable owner") << QByteArray("\x01\x02 nonsense");
    QTest::newRow("empty file") << QByteArray();
}

void TestStartUp::leftoverLockFile()
{
    QFETCH(QByteArray, content);
    SingleInstanceGuard guard(uniqueLockName());
    writeFile(guard.lockPath(), content);
    QVERIFY(guard.tryAcquire());
    guard.release();
    QVERIFY(!QFile::exists(guard.lockPath()));
}

void TestStartUp::secondCopyOfTheProgram()
{
    if (!QFileInfo::exists(QStringLiteral(TN2_APP_BINARY)))
        QSKIP("the program has not been built");
    {
        SingleInstanceGuard probe;
        if (!probe.tryAcquire())
            QSKIP("a copy of the program is already running on this machine");
    }

    QTemporaryDir firstFolder;
    const QString firstProgram = installProgram(firstFolder.path());
    QVERIFY(!firstProgram.isEmpty());
    QProcess first;
    startProgram(first, firstProgram);
    QVERIFY(first.waitForStarted());
    // The database appears only once the copy holds the machine.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(databasePath(firstFolder.path())), 30000);

    // This process starts as a second copy from another folder.
    QTemporaryDir secondFolder;
    AppFolder = QStringLiteral("as before");
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        QVERIFY(box);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::Ok)->click();
    });
    {
        StartUp second(secondFolder.path());
        QVERIFY(!second.prepare());
        QCOMPARE(second.exitCode(), int(StartUp::AlreadyRunning));
    }
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(text, QStringLiteral("TN2-Modulo Impostazione risulta già in esecuzione sulla macchina !"));
    QCOMPARE(title, QStringLiteral("ATTENZIONE"));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, 1);
    // Nothing was touched, and the first copy runs on.
    QCOMPARE(AppFolder, QStringLiteral("as before"));
    QVERIFY(QDir(secondFolder.path()).isEmpty());
    QCOMPARE(first.state(), QProcess::Running);

    // A copy that dies leaves its lock file behind; the next start is not blocked by it.
    first.kill();
    QVERIFY(first.waitForFinished());
    SingleInstanceGuard leftOver;
    QVERIFY(QFile::exists(leftOver.lockPath()));
    QTemporaryDir thirdFolder;
    const QString thirdProgram = installProgram(thirdFolder.path());
    QProcess third;
    startProgram(third, thirdProgram);
    QVERIFY(third.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(databasePath(thirdFolder.path())), 30000);
    QCOMPARE(third.state(), QProcess::Running);
    third.kill();
    QVERIFY(third.waitForFinished());

    // Take the machine back and let go, so no lock file outlives the test.
    QVERIFY(leftOver.tryAcquire());
    leftOver.release();
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
