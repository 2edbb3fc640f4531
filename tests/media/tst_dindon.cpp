#include "data/ChimeList.h"
#include "data/ConfigurationRecord.h"
#include "media/DinDon.h"
#include "support/WindowTest.h"
#include "ui/ScriptedFileDialogs.h"
#include "ui/ScriptedSoundPlayer.h"

#include <QTableView>

namespace {

const QString Wave = QStringLiteral("/suoni/dindon.wav");
const QString Other = QStringLiteral("/suoni/campana d'ingresso 100% \U0001F514.wav");

// A program folder whose chime list holds `paths` in this order instead of the seeded chime.
struct Chimes {
    explicit Chimes(const QStringList& paths)
    {
        folder.database().execute(QStringLiteral("DELETE FROM DinDon"));
        for (const QString& path : paths)
            ChimeList(folder.store()).add(path);
    }
    TestFolder folder;
};

QTableView* grid(DinDon& window)
{
    return child<QTableView>(window, QStringLiteral("grid"));
}

QStringList shownRows(DinDon& window)
{
    QStringList rows;
    for (int row = 0; row < grid(window)->model()->rowCount(); ++row)
        rows << grid(window)->model()->index(row, 0).data().toString();
    return rows;
}

void selectRow(DinDon& window, int row)
{
    QTableView* view = grid(window);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(row, 0)).center());
}

// 1 "Predefinito !", 2 "&Cancella", 3 "&Nuovo", 4 " Prova il DinDon".
void click(DinDon& window, int button)
{
    QTest::mouseClick(child<QPushButton>(window, QStringLiteral("ctButton2"), button), Qt::LeftButton);
}

} // namespace

class TestDinDon : public QObject
{
    Q_OBJECT
private slots:
    // The grid shows the table in its own order, duplicates too. "&Nuovo" asks for a wave file and
    // adds it at the end exactly as returned; a cancelled dialog
    // adds nothing. No message either way. On an empty list the other buttons do nothing at all.
    void nuovo_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("answer"); // empty: cancelled
        QTest::newRow("cancelled") << QStringList{Wave, Other} << QString();
        QTest::newRow("into an empty list") << QStringList{} << Other;
        QTest::newRow("the same file twice") << QStringList{Other, Wave} << Other;
    }

    void nuovo()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, answer);
        Chimes chimes(before);
        ScriptedFileDialogs dialogs;
        ScriptedSoundPlayer player;
        ModalDriver driver;
        DinDon window(chimes.folder.store(), dialogs, player);
        window.show();
        QCOMPARE(shownRows(window), before);
        const QVariantMap configuration = configurationRow(chimes.folder);
        if (before.size() > 1)
            selectRow(window, 1);
        else
            for (int button : {2, 1, 4})
                click(window, button);

        answer.isEmpty() ? dialogs.setNextCancel() : dialogs.setNextFileName(answer);
        click(window, 3);

        const QStringList after = answer.isEmpty() ? before : before + QStringList{answer};
        QCOMPARE(dialogs.asked(), QList<QStringList>{{QStringLiteral("File Suono (*.wav)")}});
        QCOMPARE(ChimeList(chimes.folder.store()).paths(), after);
        QCOMPARE(shownRows(window), after);
        QCOMPARE(configurationRow(chimes.folder), configuration);
        QVERIFY(player.played().isEmpty());
        QVERIFY(driver.unexpected().isEmpty());
    }

    // "Predefinito !" copies the selected row's full path into the configuration; " Prova il
    // DinDon" plays that row's file. "&Cancella" asks first; only
    // "&Conferma" deletes, and only the selected row, even among duplicates; the default chime
    // keeps its path when its row goes.
    void predefinitoThenCancella_data()
    {
        QTest::addColumn<int>("selected");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("declined") << 1 << false << QStringList{Wave, Other, Wave};
        QTest::newRow("confirmed, the middle row") << 1 << true << QStringList{Wave, Wave};
        QTest::newRow("confirmed, a duplicate") << 2 << true << QStringList{Wave, Other};
        QTest::newRow("confirmed, the first row") << 0 << true << QStringList{Other, Wave};
    }

    void predefinitoThenCancella()
    {
        QFETCH(int, selected);
        QFETCH(bool, confirm);
        QFETCH(QStringList, after);
        const QStringList three{Wave, Other, Wave};
        Chimes chimes(three);
        ScriptedFileDialogs dialogs;
        ScriptedSoundPlayer player;
        DinDon window(chimes.folder.store(), dialogs, player);
        window.show();
        selectRow(window, selected);
        QVariantMap before = configurationRow(chimes.folder);
        ModalDriver driver;
        QStringList set, question, deleted;
        driver.nextMessage(&set);
        click(window, 1);

        QCOMPARE(set, QStringList{QStringLiteral("DinDon predefinito impostato !")});
        QVariantMap stored = configurationRow(chimes.folder);
        QCOMPARE(stored.take(QStringLiteral("dindon")).toString(), three[selected]);
        before.remove(QStringLiteral("dindon"));
        QCOMPARE(stored, before);

        click(window, 4);
        QCOMPARE(player.played(), QStringList{three[selected]});

        driver.nextMessage(&question, confirm);
        if (confirm)
            driver.nextMessage(&deleted);
        click(window, 2);

        QCOMPARE(question, QStringList{QStringLiteral("Cancello voce selezionata ?")});
        QCOMPARE(deleted, confirm ? QStringList{QStringLiteral("Voce cancellata !")} : QStringList{});
        QCOMPARE(ChimeList(chimes.folder.store()).paths(), after);
        QCOMPARE(shownRows(window), after);
        QCOMPARE(ConfigurationRecord(chimes.folder.store()).chime(), std::optional<QString>(three[selected]));
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestDinDon)
#include "tst_dindon.moc"
