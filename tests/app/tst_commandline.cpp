#include "app/CommandLine.h"
#include "app/FolderLock.h"
#include "app/SingleInstanceGuard.h"
#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "support/core/DatabaseDigest.h"
#include "support/core/TestFolder.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

Outcome run(const QStringList& arguments, const QString& folder, const QString& machineLock)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int code = CommandLine::run(arguments, folder, machineLock, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {code, out, err};
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    // Only --backup, --restore and --help take the program away from its windows (a start with no
    // argument or the toolkit's own goes on as it always has); a file missing or too many get the
    // usage and their own exit code.
    void arguments_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code"); // -1: the windows open
        QTest::newRow("none") << QStringList() << -1;
        QTest::newRow("the toolkit's own") << QStringList({"-platform", "offscreen"}) << -1;
        QTest::newRow("--backup without a file") << QStringList({"--backup"}) << int(CommandLine::Usage);
        QTest::newRow("--restore with two files")
            << QStringList({"--restore", "a.zip", "b.zip"}) << int(CommandLine::Usage);
        QTest::newRow("an option for a file") << QStringList({"--backup", "--restore"}) << int(CommandLine::Usage);
        QTest::newRow("--help") << QStringList({"--help"}) << int(CommandLine::Done);
    }

    void arguments()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QCOMPARE(CommandLine::wanted(arguments), code >= 0);
        if (code < 0)
            return;
        TestFolder folder;
        QTemporaryDir locks;
        const Outcome outcome = run(arguments, folder.path(), locks.filePath(QStringLiteral("machine.lock")));
        QCOMPARE(outcome.code, code);
        QVERIFY((code == CommandLine::Done ? outcome.out : outcome.err).contains(QStringLiteral("Uso:")));
        QVERIFY(QDir(locks.path()).isEmpty());
    }

    // The backup runs beside a copy of the program; the restore waits until none runs, then puts
    // the copy back. Every outcome has its exit code and its sentence on the terminal.
    void backupAndRestore_data()
    {
        QTest::addColumn<bool>("copyRunning");
        QTest::addColumn<QString>("archive"); // "copy" or "text"
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::addColumn<bool>("restored");
        QTest::newRow("restored") << false << "copy" << int(CommandLine::Done)
                                  << "Impostazioni ripristinate dalla copia del" << true;
        QTest::newRow("a copy of the program runs")
            << true << "copy" << int(CommandLine::AlreadyRunning)
            << "TN2-Modulo Impostazione risulta già in esecuzione sulla macchina !" << false;
        QTest::newRow("not a copy") << false << "text" << int(CommandLine::Failed)
                                    << "Ripristino non eseguito: le impostazioni non sono cambiate." << false;
    }

    void backupAndRestore()
    {
        QFETCH(bool, copyRunning);
        QFETCH(QString, archive);
        QFETCH(int, code);
        QFETCH(QString, said);
        QFETCH(bool, restored);
        TestFolder folder;
        ConfigurationRecord(folder.store()).setScrollingText(QStringLiteral("prima"));
        folder.store().close();
        QTemporaryDir out;
        const QString machineLock = out.filePath(QStringLiteral("machine.lock"));
        const QString copy = out.filePath(QStringLiteral("notte.zip"));
        const QByteArray saved = databaseDigest(Database::pathIn(folder.path()));
        SingleInstanceGuard program(folder.path(), machineLock);
        QCOMPARE(program.tryAcquire(), SingleInstanceGuard::Acquired);

        const Outcome backup = run({QStringLiteral("--backup"), copy}, folder.path(), machineLock);

        QCOMPARE(backup.code, int(CommandLine::Done));
        QVERIFY2(backup.out.startsWith(QStringLiteral("Copia delle impostazioni salvata in ") +
                                       QDir::toNativeSeparators(copy)),
                 qPrintable(backup.out));
        QVERIFY(backup.err.isEmpty());
        QVERIFY(QFileInfo::exists(copy));

        ConfigurationRecord(folder.store()).setScrollingText(QStringLiteral("dopo"));
        folder.store().close();
        const QByteArray changed = databaseDigest(Database::pathIn(folder.path()));
        if (!copyRunning)
            program.release();
        QString path = copy;
        if (archive == QLatin1String("text")) {
            path = out.filePath(QStringLiteral("testo.zip"));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("testo");
        }

        const Outcome restore = run({QStringLiteral("--restore"), path}, folder.path(), machineLock);

        QCOMPARE(restore.code, code);
        QVERIFY2((restored ? restore.out : restore.err).contains(said), qPrintable(restore.out + restore.err));
        QCOMPARE(databaseDigest(Database::pathIn(folder.path())), restored ? saved : changed);
    }

    // The program itself: --backup needs no display and runs while the folder is taken by a copy
    // of the program; --restore is refused then.
    void theProgram()
    {
        if (!QFileInfo::exists(QStringLiteral(TN2_APP_BINARY)))
            QSKIP("the program has not been built");
        TestFolder folder;
        folder.database();
        folder.store().close();
        const QString program = folder.filePath(QStringLiteral("tn2-impostazione"));
        QVERIFY(QFile::copy(QStringLiteral(TN2_APP_BINARY), program));
        FolderLock running(folder.path());
        QCOMPARE(running.tryLock(), FileLock::Locked);
        const QByteArray before = databaseDigest(Database::pathIn(folder.path()));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QLatin1String(name));
        QTemporaryDir out;
        const QString copy = out.filePath(QStringLiteral("notte.zip"));
        for (const char* option : {"--backup", "--restore"}) {
            QProcess process;
            process.setProcessEnvironment(environment);
            process.start(program, {QLatin1String(option), copy});
            QVERIFY(process.waitForFinished(60000));
            const bool backup = qstrcmp(option, "--backup") == 0;
            QCOMPARE(process.exitCode(), int(backup ? CommandLine::Done : CommandLine::AlreadyRunning));
            QVERIFY(QString::fromUtf8(backup ? process.readAllStandardOutput() : process.readAllStandardError())
                        .contains(backup ? "Copia delle impostazioni" : "Ripristino non eseguito"));
        }
        QVERIFY(QFileInfo::exists(copy));
        QCOMPARE(databaseDigest(Database::pathIn(folder.path())), before);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
