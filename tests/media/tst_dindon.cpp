#include "Find.h"
#include "data/ChimeList.h"
#include "data/ConfigurationRecord.h"
#include "media/DinDon.h"
#include "support/ModalDriver.h"
#include "support/ScriptedFileDialogs.h"
#include "support/core/ConfigurationRow.h"
#include "ui/ScriptedSoundPlayer.h"
#include "ui/SoundPlayer.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

// Replaces the seeded chimes with `paths`, in this order.
void setChimes(TestFolder& folder, const QStringList& paths)
{
    ChimeList chimes(folder.store());
    for (QString path = chimes.paths().value(0); !chimes.paths().isEmpty(); path = chimes.paths().value(0))
        chimes.remove(0, path);
    for (const QString& path : paths)
        chimes.add(path);
}

QStringList shownRows(DinDon& window)
{
    auto* grid = child<QTableView>(window, QStringLiteral("grid"));
    QStringList rows;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        rows << grid->model()->index(row, 0).data().toString();
    return rows;
}

void selectRow(DinDon& window, int row)
{
    auto* grid = child<QTableView>(window, QStringLiteral("grid"));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 0)).center());
    QCOMPARE(grid->currentIndex().row(), row);
}

void click(DinDon& window, int button)
{
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("ctButton2"), button), Qt::LeftButton);
}

const QString Wave = QStringLiteral("/suoni/dindon.wav");
const QString Other = QStringLiteral("/suoni/campana d'ingresso \U0001F514.wav");

} // namespace

class TestDinDon : public QObject
{
    Q_OBJECT
private slots:
    // The grid shows the table in its own order under its one caption, duplicates too, standing
    // on the first row. "&Nuovo" asks for a wave file and adds it at the end as returned; a
    // cancelled dialog adds nothing. No message either way.
    void nuovo_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("answer"); // empty: cancelled
        QTest::addColumn<QStringList>("after");
        QTest::newRow("cancelled") << QStringList{Wave} << QString() << QStringList{Wave};
        QTest::newRow("into an empty list") << QStringList{} << Other << QStringList{Other};
        QTest::newRow("the same file twice") << QStringList{Other, Wave} << Other << QStringList{Other, Wave, Other};
        const QString long_ = "/" + QString(5000, QLatin1Char('s')) + ".wav";
        QTest::newRow("a long path") << QStringList{Wave} << long_ << QStringList{Wave, long_};
    }

    void nuovo()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, answer);
        QFETCH(QStringList, after);
        TestFolder folder;
        setChimes(folder, before);
        ScriptedFileDialogs dialogs;
        ScriptedSoundPlayer player;
        ModalDriver driver;
        DinDon window(folder.store(), dialogs, player);
        window.show();
        auto* grid = child<QTableView>(window, QStringLiteral("grid"));
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(),
                 QStringLiteral("Percorso del suono di DinDon"));
        QCOMPARE(child<QTabWidget>(window, QStringLiteral("TC"))->tabText(0), QStringLiteral("Tipo di DinDon"));
        QCOMPARE(shownRows(window), before);
        if (!before.isEmpty()) {
            selectRow(window, before.size() - 1);
        }

        if (answer.isEmpty())
            dialogs.setNextCancel();
        else
            dialogs.setNextFileName(answer);
        click(window, 3);

        QCOMPARE(dialogs.asked(), QList<QStringList>{{QStringLiteral("File Suono (*.wav)")}});
        QCOMPARE(ChimeList(folder.store()).paths(), after);
        QCOMPARE(shownRows(window), after);
        if (answer.isEmpty())
            QCOMPARE(grid->currentIndex().row(), before.size() - 1);
        else
            QCOMPARE(grid->currentIndex().row(), 0);
        QVERIFY(driver.unexpected().isEmpty());
    }

    // "&Cancella" asks first; only "&Conferma" deletes, and only the selected row, even among
    // duplicates. The default chime keeps its path when its row goes.
    void cancella_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QStringList>("after");
        const QStringList three{Wave, Other, Wave};
        QTest::newRow("declined") << 1 << false << three;
        QTest::newRow("confirmed, the middle row") << 1 << true << QStringList{Wave, Wave};
        QTest::newRow("confirmed, a duplicate") << 2 << true << QStringList{Wave, Other};
        QTest::newRow("confirmed, the first row") << 0 << true << QStringList{Other, Wave};
    }

    void cancella()
    {
        QFETCH(int, selected);
        QFETCH(bool, confirm);
        QFETCH(QStringList, after);
        TestFolder folder;
        setChimes(folder, {Wave, Other, Wave});
        ScriptedFileDialogs dialogs;
        ScriptedSoundPlayer player;
        DinDon window(folder.store(), dialogs, player);
        window.show();
        selectRow(window, selected);
        ModalDriver driver;
        QStringList question;
        QStringList notice;
        driver.next([&](QWidget* message) { ModalDriver::click(message, QStringLiteral("PB1_0")); });
        click(window, 1); // "Predefinito !" on the row about to go
        const QVariantMap before = configurationRow(folder);
        driver.nextMessage(&question, confirm);
        if (confirm)
            driver.nextMessage(&notice);

        click(window, 2);

        QCOMPARE(question, QStringList{QStringLiteral("Cancello voce selezionata ?")});
        QCOMPARE(notice, confirm ? QStringList{QStringLiteral("Voce cancellata !")} : QStringList{});
        QCOMPARE(ChimeList(folder.store()).paths(), after);
        QCOMPARE(shownRows(window), after);
        QCOMPARE(configurationRow(folder), before);
        QCOMPARE(ConfigurationRecord(folder.store()).chime().value_or(QString()), selected == 1 ? Other : Wave);
        QVERIFY(driver.unexpected().isEmpty());
    }

    // "Predefinito !" copies the selected row's full path into the configuration and says so;
    // " Prova il DinDon" plays the selected row's file and waits for it.
    void predefinitoAndProva_data()
    {
        QTest::addColumn<int>("selected");
        QTest::newRow("first row") << 0;
        QTest::newRow("second row") << 1;
    }

    void predefinitoAndProva()
    {
        QFETCH(int, selected);
        TestFolder folder;
        const QStringList chimes{Wave, Other};
        setChimes(folder, chimes);
        ScriptedFileDialogs dialogs;
        ScriptedSoundPlayer player;
        DinDon window(folder.store(), dialogs, player);
        window.show();
        selectRow(window, selected);
        QVariantMap before = configurationRow(folder);
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(&lines);

        click(window, 1);

        QCOMPARE(lines, QStringList{QStringLiteral("DinDon predefinito impostato !")});
        QVariantMap after = configurationRow(folder);
        QCOMPARE(after.take(QStringLiteral("dindon")).toString(), chimes[selected]);
        before.remove(QStringLiteral("dindon"));
        QCOMPARE(after, before);

        bool windowWaited = false;
        player.setWhilePlaying([&](const QString&) { windowWaited = window.isVisible(); });
        click(window, 4);
        QCOMPARE(player.played(), QStringList{chimes[selected]});
        QVERIFY(windowWaited);
        QVERIFY(driver.unexpected().isEmpty());
    }

    // With no chime listed, "&Cancella", "Predefinito !" and " Prova il DinDon" do nothing and say
    // nothing.
    void emptyListDoesNothing_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("&Cancella") << 2;
        QTest::newRow("Predefinito !") << 1;
        QTest::newRow(" Prova il DinDon") << 4;
    }

    void emptyListDoesNothing()
    {
        QFETCH(int, button);
        TestFolder folder;
        setChimes(folder, {});
        const QVariantMap before = configurationRow(folder);
        ScriptedFileDialogs dialogs;
        ScriptedSoundPlayer player;
        ModalDriver driver(500);
        DinDon window(folder.store(), dialogs, player);
        window.show();
        click(window, button);
        QTest::qWait(50);
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(player.played().isEmpty());
        QCOMPARE(configurationRow(folder), before);
        QVERIFY(window.isVisible());
    }

    // " Prova il DinDon" through the real player: what is no wave sounds the default beep and the
    // window goes on; a machine without an audio output plays nothing and says nothing.
    void provaThroughThePlayer_data()
    {
        QTest::addColumn<QString>("file"); // in the program folder; "seeded" for the seed's chime
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("hasOutput");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<int>("outcome");
        const int beeped = static_cast<int>(QtSoundPlayer::Outcome::Beeped);
        const int silent = static_cast<int>(QtSoundPlayer::Outcome::NoAudioOutput);
        QTest::newRow("text named .wav") << "testo.wav" << QByteArray("non sono un suono\n").repeated(50) << true << 1
                                         << beeped;
        QTest::newRow("missing file") << "manca.wav" << QByteArray() << true << 1 << beeped;
        QTest::newRow("a folder") << "cartella.wav" << QByteArray() << true << 1 << beeped;
        QTest::newRow("no audio output") << "seeded" << QByteArray() << false << 0 << silent;
    }

    void provaThroughThePlayer()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(bool, hasOutput);
        QFETCH(int, beeps);
        QFETCH(int, outcome);
        TestFolder folder;
        QString path = ChimeList(folder.store()).paths().value(0);
        if (file != QLatin1String("seeded")) {
            path = QDir::toNativeSeparators(folder.filePath(file));
            if (file.startsWith(QLatin1String("cartella")))
                QVERIFY(QDir(folder.path()).mkdir(file));
            else if (!content.isEmpty()) {
                QFile sound(path);
                QVERIFY(sound.open(QIODevice::WriteOnly));
                sound.write(content);
            }
            setChimes(folder, {path});
        }
        QVERIFY(QFile::exists(path) || file.startsWith(QLatin1String("manca")));
        int beeped = 0;
        QtSoundPlayer::Options options;
        options.beep = [&beeped] { ++beeped; };
        options.hasAudioOutput = [hasOutput] { return hasOutput; };
        QtSoundPlayer player(options);
        ScriptedFileDialogs dialogs;
        ModalDriver driver(1000);
        DinDon window(folder.store(), dialogs, player);
        window.show();

        click(window, 4);

        QCOMPARE(beeped, beeps);
        QCOMPARE(static_cast<int>(player.lastOutcome()), outcome);
        QVERIFY(window.isVisible());
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestDinDon)
#include "tst_dindon.moc"
