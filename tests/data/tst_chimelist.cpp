#include "data/ChimeList.h"
#include "support/core/TestFolder.h"

#include <QTest>

class TestChimeList : public QObject
{
    Q_OBJECT
private slots:
    // A delete names the row by its place in the list and what the operator saw there; when the
    // list has changed under the window, nothing goes.
    void removeChecksTheRow_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("the row shown") << 1 << "b.wav" << true << QStringList{"a.wav", "a.wav"};
        QTest::newRow("the second of two equal rows") << 2 << "a.wav" << true << QStringList{"a.wav", "b.wav"};
        QTest::newRow("another row there now") << 1 << "a.wav" << false << QStringList{"a.wav", "b.wav", "a.wav"};
        QTest::newRow("past the end") << 3 << "a.wav" << false << QStringList{"a.wav", "b.wav", "a.wav"};
        QTest::newRow("case counts") << 0 << "A.WAV" << false << QStringList{"a.wav", "b.wav", "a.wav"};
    }

    void removeChecksTheRow()
    {
        QFETCH(int, position);
        QFETCH(QString, shown);
        QFETCH(bool, removed);
        QFETCH(QStringList, after);
        TestFolder folder;
        folder.database().execute(QStringLiteral("DELETE FROM DinDon"));
        ChimeList chimes(folder.store());
        for (const char* path : {"a.wav", "b.wav", "a.wav"})
            chimes.add(QLatin1String(path));
        QCOMPARE(chimes.remove(position, shown), removed);
        QCOMPARE(chimes.paths(), after);
    }
};

QTEST_GUILESS_MAIN(TestChimeList)
#include "tst_chimelist.moc"
