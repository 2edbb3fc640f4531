#include "app/FileLock.h"
#include "app/FolderLock.h"
#include "app/SingleInstanceGuard.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

// This binary is also the other copy of the program. Started with
//   --hold MACHINE_LOCK|- FOLDER|- HOST
// it takes the locks it is given, prints "held" (or "refused"), and keeps them until it is killed
// or its input closes.
namespace {

const QString Here = QSysInfo::machineHostName();
const QString RunningHere = QStringLiteral("TN2-Modulo Impostazione risulta già in esecuzione sulla macchina !");

int otherCopy(QStringList arguments)
{
    arguments.removeFirst(); // --hold
    FileLock machine(arguments.value(0));
    FolderLock folder(arguments.value(1), arguments.value(2));
    const bool held = (machine.path() == QLatin1String("-") || machine.tryLock() == FileLock::Locked) &&
                      (arguments.value(1) == QLatin1String("-") || folder.tryLock() == FileLock::Locked);
    std::puts(held ? "held" : "refused");
    std::fflush(stdout);
    std::getchar();
    return held ? 0 : 1;
}

// Starts the other copy and returns its first line.
QByteArray startOtherCopy(QProcess& process, const QStringList& arguments)
{
    process.start(QCoreApplication::applicationFilePath(), arguments);
    if (!process.waitForStarted() || !process.waitForReadyRead(10000))
        return "did not answer";
    return process.readLine().trimmed();
}

QByteArray firstLine(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed() : QByteArray();
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    // Another copy holds a lock: this one is refused, holds nothing, and starts once that copy is
    // killed, taking over the record it left.
    void heldByAnotherCopy_data()
    {
        QTest::addColumn<bool>("holdMachine");
        QTest::addColumn<QString>("holderHost"); // empty: the other copy leaves the folder alone
        QTest::addColumn<bool>("elsewhere");
        QTest::newRow("this machine") << true << QString() << false;
        QTest::newRow("this folder, this computer") << false << Here << false;
        QTest::newRow("this folder, another computer") << false << QStringLiteral("postazione-cassa") << true;
    }

    void heldByAnotherCopy()
    {
        QFETCH(bool, holdMachine);
        QFETCH(QString, holderHost);
        QFETCH(bool, elsewhere);
        QTemporaryDir dir;
        const QString machineLock = dir.filePath(QStringLiteral("macchina.lock"));
        const QString folder = dir.filePath(QStringLiteral("programma"));
        QVERIFY(QDir().mkdir(folder));
        QProcess other;
        QCOMPARE(startOtherCopy(other, {QStringLiteral("--hold"), holdMachine ? machineLock : "-",
                                        holderHost.isEmpty() ? "-" : folder, holderHost}),
                 "held");

        SingleInstanceGuard guard(folder, machineLock);
        QCOMPARE(guard.tryAcquire(), SingleInstanceGuard::AlreadyRunning);
        if (elsewhere) {
            QVERIFY2(guard.message().contains(holderHost), qPrintable(guard.message()));
            QVERIFY2(guard.message().contains(QDir::toNativeSeparators(folder)), qPrintable(guard.message()));
        } else {
            QCOMPARE(guard.message(), RunningHere);
        }
        QVERIFY(!guard.isHeld());
        QCOMPARE(FileLock(machineLock).tryLock(), holdMachine ? FileLock::Busy : FileLock::Locked);

        other.kill();
        QVERIFY(other.waitForFinished());
        QCOMPARE(guard.tryAcquire(), SingleInstanceGuard::Acquired);
        QVERIFY(guard.message().isEmpty());
        QCOMPARE(firstLine(QDir(folder).filePath(QLatin1String(FolderLock::FileName))), Here.toUtf8());
        guard.release();
        QCOMPARE(SingleInstanceGuard(folder, machineLock).tryAcquire(), SingleInstanceGuard::Acquired);
    }

    // No lock can be taken: the operator is told which file and why, and nothing stays held.
    void unavailable_data()
    {
        QTest::addColumn<QString>("machineLock"); // inside a folder that holds a file "file"
        QTest::addColumn<QString>("folder");      // and a folder "programma"
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("reason");
        const auto add = [](const char* name, const char* machineLock, const char* folder, const char* named,
                            const char* reason) {
            QTest::newRow(name) << QString::fromLatin1(machineLock) << QString::fromLatin1(folder)
                                << QString::fromLatin1(named) << QString::fromUtf8(reason);
        };
        const char* noFolder = "il percorso non porta a una cartella";
        const char* missing = "la cartella non esiste";
        add("machine lock under a file", "file/m.lock", "programma", "file/m.lock", noFolder);
        add("machine lock in a missing folder", "manca/m.lock", "programma", "manca/m.lock", missing);
        add("machine lock is a folder", "programma", "programma", "programma", "al posto del file c'è una cartella");
        add("machine lock is a link", "link.lock", "programma", "link.lock", "al posto del file c'è un collegamento");
        add("program folder under a file", "m.lock", "file/programma", "file/programma", noFolder);
        add("program folder missing", "m.lock", "manca", "manca", missing);
    }

    void unavailable()
    {
        QFETCH(QString, machineLock);
        QFETCH(QString, folder);
        QFETCH(QString, named);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath(QStringLiteral("file"))).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("programma")));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("file")), dir.filePath(QStringLiteral("link.lock"))));

        SingleInstanceGuard guard(dir.filePath(folder), dir.filePath(machineLock));
        QCOMPARE(guard.tryAcquire(), SingleInstanceGuard::Unavailable);
        const QString& message = guard.message();
        QVERIFY2(message.contains(QDir::toNativeSeparators(dir.filePath(named))), qPrintable(message));
        QVERIFY2(message.contains(QLatin1Char('(') + reason + QLatin1Char(')')), qPrintable(message));
        QVERIFY2(message.endsWith(QLatin1String("viene chiuso senza aprire il database.")), qPrintable(message));
        QVERIFY(!guard.isHeld());
        QVERIFY(FileLock(dir.filePath(machineLock)).tryLock() != FileLock::Busy);
    }
};

int main(int argc, char* argv[])
{
    if (argc > 1 && qstrcmp(argv[1], "--hold") == 0) {
        QStringList arguments;
        for (int i = 1; i < argc; ++i)
            arguments << QString::fromLocal8Bit(argv[i]);
        return otherCopy(arguments);
    }
    QCoreApplication application(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
