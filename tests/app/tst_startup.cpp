#include "ReadErrorWindow.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/FolderLock.h"
#include "app/SingleInstanceGuard.h"
#include "app/StartUp.h"
#include "data/ConfigurationRecord.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/SettingsBackup.h"
#include "data/StoreError.h"
#include "data/seed/Seed.h"
#include "support/core/DatabaseDigest.h"
#include "support/core/FileBytes.h"
#include "support/core/TestFolder.h"
#include "ui/Guarded.h"

#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QUuid>
#include <functional>
#include <stdexcept>

namespace {

using Failure = std::function<void(Database&)>;

QString uniqueLockPath()
{
    return QDir::temp().filePath(QStringLiteral("tn2-test-%1.lock").arg(QUuid::createUuid().toString(QUuid::Id128)));
}

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

Q_DECLARE_METATYPE(Failure)

// The program's start: its locks, its database, the command line, and the guard that catches what a
// window's handler throws.
class TestStartUp : public QObject
{
    Q_OBJECT
private slots:
    // A start refused by the lock, or by a database the main menu cannot use, shows why and ends;
    // the folder is left as it was, but for the folder's own lock once that was taken.
    void refusedStart_data()
    {
        QTest::addColumn<QString>("machineLock"); // held by another copy, or one that cannot be taken
        QTest::addColumn<QString>("sql");         // run on the folder's database first
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("copy on this machine") << uniqueLockPath() << QString() << int(StartUp::AlreadyRunning)
                                              << "TN2-Modulo Impostazione risulta già in esecuzione sulla macchina !";
        QTest::newRow("no lock possible") << QStringLiteral("/dev/null/tn2.lock") << QString()
                                          << int(StartUp::LockUnavailable) << "/dev/null/tn2.lock";
        QTest::newRow("a column of the menu's table missing")
            << uniqueLockPath() << "ALTER TABLE Configurazione DROP COLUMN MisuraFormWH" << int(StartUp::StoreFailed)
            << "MisuraFormWH";
    }

    void refusedStart()
    {
        QFETCH(QString, machineLock);
        QFETCH(QString, sql);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        TestFolder folder;
        {
            Database database(folder.path(), &Seed::populate);
            if (!sql.isEmpty())
                database.execute(sql);
        }
        QTemporaryDir elsewhere;
        SingleInstanceGuard otherCopy(elsewhere.path(), machineLock);
        if (sql.isEmpty())
            QCOMPARE(otherCopy.tryAcquire() == SingleInstanceGuard::Acquired, exitCode == StartUp::AlreadyRunning);
        const QStringList filesBefore = QDir(folder.path()).entryList(QDir::Files);
        const QByteArray before = readBytes(Database::pathIn(folder.path()));
        QString seen;
        ModalDriver driver;
        driver.next([&seen](QWidget* window) {
            auto* box = qobject_cast<QMessageBox*>(window); // the lock's refusal, closed with OK
            if (!box)
                return readErrorWindow(&seen)(window);
            QVERIFY(box->icon() == QMessageBox::Critical);
            QCOMPARE(box->windowTitle(), QStringLiteral("ATTENZIONE"));
            seen = box->text();
            box->button(QMessageBox::Ok)->click();
        });

        StartUp startUp(folder.path(), machineLock);
        QVERIFY(!startUp.prepare());

        QCOMPARE(startUp.exitCode(), exitCode);
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY2(seen.contains(said), qPrintable(seen));
        QStringList filesAfter = QDir(folder.path()).entryList(QDir::Files);
        if (exitCode == StartUp::StoreFailed)
            filesAfter.removeOne(QLatin1String(FolderLock::FileName));
        else
            QCOMPARE(startUp.store(), nullptr);
        QCOMPARE(filesAfter, filesBefore);
        QCOMPARE(readBytes(Database::pathIn(folder.path())), before);
    }

    // Only --backup, --restore and --help take the program away from its windows (a start with no
    // argument or the toolkit's own goes on as it always has); a file missing or too many get the
    // usage, take no lock and have their own exit code. The backup runs beside a copy of the program;
    // the restore, refused while one runs, puts the copy back. Every outcome has its exit code and
    // its sentence on the terminal.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments"); // COPY: a copy of the settings, TEXT: a text file
        QTest::addColumn<int>("code");              // -1: the windows open
        QTest::addColumn<QString>("said");
        const QString usage = QStringLiteral("Uso:");
        QTest::newRow("none") << QStringList() << -1 << QString();
        QTest::newRow("the toolkit's own") << QStringList({"-platform", "offscreen"}) << -1 << QString();
        QTest::newRow("--backup without a file") << QStringList({"--backup"}) << int(CommandLine::Usage) << usage;
        QTest::newRow("--restore with two files")
            << QStringList({"--restore", "a.zip", "b.zip"}) << int(CommandLine::Usage) << usage;
        QTest::newRow("an option for a file")
            << QStringList({"--backup", "--restore"}) << int(CommandLine::Usage) << usage;
        QTest::newRow("--help") << QStringList({"--help"}) << int(CommandLine::Done) << usage;
        QTest::newRow("--backup") << QStringList({"--backup", "NEW"}) << int(CommandLine::Done)
                                  << "Copia delle impostazioni salvata in NEW";
        QTest::newRow("--restore") << QStringList({"--restore", "COPY"}) << int(CommandLine::Done)
                                   << "Impostazioni ripristinate dalla copia del";
        QTest::newRow("--restore while the program runs")
            << QStringList({"--restore", "COPY"}) << int(CommandLine::AlreadyRunning) << "chiudere il programma";
        QTest::newRow("--restore of no copy") << QStringList({"--restore", "TEXT"}) << int(CommandLine::Failed)
                                              << "Ripristino non eseguito: le impostazioni non sono cambiate.";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, said);
        QCOMPARE(CommandLine::wanted(arguments), code >= 0);
        if (code < 0)
            return;
        TestFolder folder;
        QTemporaryDir out;
        const QString copy = out.filePath(QStringLiteral("notte.zip"));
        const QString created = out.filePath(QStringLiteral("nuova.zip"));
        ConfigurationRecord(folder.store()).setScrollingText(QStringLiteral("prima"));
        SettingsBackup::backup(folder.path(), copy);
        const QByteArray saved = databaseDigest(Database::pathIn(folder.path()));
        ConfigurationRecord(folder.store()).setScrollingText(QStringLiteral("dopo"));
        folder.store().close();
        const QByteArray changed = databaseDigest(Database::pathIn(folder.path()));
        QVERIFY(writeBytes(out.filePath(QStringLiteral("testo.zip")), "testo"));
        arguments.replaceInStrings(QStringLiteral("COPY"), copy);
        arguments.replaceInStrings(QStringLiteral("TEXT"), out.filePath(QStringLiteral("testo.zip")));
        arguments.replaceInStrings(QStringLiteral("NEW"), created);
        said.replace(QStringLiteral("NEW"), QDir::toNativeSeparators(created));
        QTemporaryDir locks;
        const QString machineLock = locks.filePath(QStringLiteral("machine.lock"));
        SingleInstanceGuard program(folder.path(), machineLock);
        if (said.startsWith(QLatin1String("Copia")) || code == CommandLine::AlreadyRunning)
            QCOMPARE(program.tryAcquire(), SingleInstanceGuard::Acquired);

        const Outcome outcome = run(arguments, folder.path(), machineLock);

        QCOMPARE(outcome.code, code);
        QVERIFY2((code == CommandLine::Done ? outcome.out : outcome.err).contains(said),
                 qPrintable(outcome.out + outcome.err));
        QCOMPARE(databaseDigest(Database::pathIn(folder.path())),
                 said.startsWith(QLatin1String("Impostazioni")) ? saved : changed);
        QCOMPARE(QFileInfo::exists(created), said.startsWith(QLatin1String("Copia")));
        if (said == QLatin1String("Uso:"))
            QVERIFY(QDir(locks.path()).isEmpty());
    }

    void handlerFailure_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<bool>("slotGuard");
        const Failure missingTable = [](Database& database) { RecordSet(database, QStringLiteral("Inesistente")); };
        QTest::newRow("store error") << Failure([](Database&) {
            throw StoreError(QStringLiteral("Il database è bloccato."), QStringLiteral("/x/TN2.db"),
                             QStringLiteral("Layout3"), QStringLiteral("Top"), QStringLiteral("database is locked"));
        }) << QStringList{"Il database è bloccato.", "TN2.db", "Layout3", "Top", "database is locked"}
                                     << true;
        QTest::newRow("unguarded slot") << missingTable << QStringList{"Inesistente", "TN2.db"} << false;
        QTest::newRow("any other exception") << Failure([](Database&) { throw std::runtime_error("vector too long"); })
                                             << QStringList{"errore imprevisto", "vector too long"} << true;
    }

    // A handler that fails, here inside a modal window, shows the error window; what it stored
    // before the failure stays stored, its window stays open and the program goes on. The slot's
    // own guard catches it; a slot connected without one is caught by the application's.
    void handlerFailure()
    {
        QFETCH(Failure, failure);
        QFETCH(QStringList, said);
        QFETCH(bool, slotGuard);
        TestFolder folder;
        QDialog dialog;
        auto* save = new QPushButton(QStringLiteral("Salva"), &dialog);
        save->setObjectName(QStringLiteral("save"));
        int clicks = 0;
        const auto handler = [&] {
            if (++clicks > 1)
                return;
            RecordSet record(folder.database(), QStringLiteral("Configurazione"));
            record.edit();
            record.setValue(QStringLiteral("StringaScorrevole"), QStringLiteral("prima del guasto"));
            record.update();
            failure(folder.database());
        };
        if (slotGuard)
            QObject::connect(save, &QPushButton::clicked, &dialog, guarded(&dialog, handler));
        else
            QObject::connect(save, &QPushButton::clicked, &dialog, handler);
        QString text;
        bool stillOpen = false;
        ModalDriver driver;
        driver.next([&](QWidget* window) {
            ModalDriver inner; // the error window opens inside this click
            inner.next(readErrorWindow(&text));
            ModalDriver::click(window, QStringLiteral("save"));
            stillOpen = QApplication::activeModalWidget() == window;
            ModalDriver::click(window, QStringLiteral("save"));
            qobject_cast<QDialog*>(window)->accept();
        });

        QCOMPARE(dialog.exec(), int(QDialog::Accepted));

        QVERIFY(driver.unexpected().isEmpty());
        for (const QString& part : said)
            QVERIFY2(text.contains(part), qPrintable(text));
        QVERIFY(stillOpen);
        QCOMPARE(clicks, 2);
        QCOMPARE(RecordSet(folder.database(), QStringLiteral("Configurazione")).value("StringaScorrevole").toString(),
                 QStringLiteral("prima del guasto"));
    }
};

#if defined(__SANITIZE_ADDRESS__)
// A failure the guard catches has unwound through Qt's own frames, built without exception cleanup,
// so the copies of the event they held are never freed (a few hundred bytes per failure, in the
// program as here): not what these tests look for.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6Core.so\nleak:libQt6Gui.so\nleak:libQt6Widgets.so\n";
}
#endif

int main(int argc, char* argv[])
{
    Application application(argc, argv); // the guard lives in the application object
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
