#include "core/LayoutTables.h"
#include "data/Database.h"
#include "data/LayoutRecords.h"
#include "data/LayoutTableCopy.h"
#include "data/RecordSet.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QTest>

namespace {

using LayoutTables::fillDistinct;
using LayoutTables::Table;

void appendRows(Database& database, const QString& table, int count)
{
    for (int row = 0; row < count; ++row)
        database.execute(
            QStringLiteral("INSERT INTO \"%1\" (\"DescCampo\", \"Top\", \"Visibile\") VALUES ('extra%2', %3, -1)")
                .arg(table)
                .arg(row)
                .arg(1000 + row),
            table);
}

} // namespace

class TestLayoutTableCopy : public QObject
{
    Q_OBJECT

private slots:
    // A copy writes every column of the source's first fifty rows onto the target's; a clear writes the
    // base layout's with every element hidden. Nothing else changes: not the target's rows past the
    // fiftieth, not the other layouts, not the stored default.
    void writesFiftyRowsOfTheTargetOnly_data()
    {
        QTest::addColumn<int>("source"); // -1: clear
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("storedDefault");
        QTest::newRow("copy base onto 4") << 0 << 4 << 4;
        QTest::newRow("copy 10 onto 1") << 10 << 1 << 1;
        QTest::newRow("clear the default layout 1") << -1 << 1 << 1;
        QTest::newRow("clear 10") << -1 << 10 << 99;
    }

    void writesFiftyRowsOfTheTargetOnly()
    {
        QFETCH(int, source);
        QFETCH(int, target);
        QFETCH(int, storedDefault);
        TestFolder folder;
        const QString from = LayoutTableName(std::max(source, 0));
        const QString to = LayoutTableName(target);
        fillDistinct(folder.database(), from, 1);
        if (source < 0) // every base element shown, so a clear that copied Visibile would be caught
            folder.database().execute(QStringLiteral("UPDATE \"LayoutBase\" SET \"Visibile\" = -1"));
        fillDistinct(folder.database(), to, 5);
        appendRows(folder.database(), from, 2);
        appendRows(folder.database(), to, 3);
        LayoutTables::storeDefault(folder.database(), QString::number(storedDefault));
        QVector<Table> expected = LayoutTables::allLayouts(folder.database());
        const Table targetBefore = LayoutTables::of(folder.database(), to);

        source < 0 ? LayoutTableCopy(folder.store()).clear(target)
                   : LayoutTableCopy(folder.store()).copy(source, target);

        const Table written = LayoutTables::of(folder.database(), to);
        QCOMPARE(source < 0 ? LayoutTables::differenceFromCleared(written, LayoutTables::of(folder.database(), from))
                            : LayoutTables::differenceIn(written, LayoutTables::of(folder.database(), from)),
                 QString());
        QCOMPARE(written.mid(LayoutRecords::RowCount), targetBefore.mid(LayoutRecords::RowCount));
        expected[target] = written;
        QVERIFY(LayoutTables::allLayouts(folder.database()) == expected);
        QCOMPARE(LayoutTables::storedDefault(folder.database()).toInt(), storedDefault);
    }

    // Numbers out of range and tables short of a row are refused before anything is written (the
    // windows' tests hold a copy onto itself and clears out of range).
    void refusedWritesNothing_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QString>("shortTable"); // the table left with 49 rows, if any
        QTest::newRow("copy onto the base") << 5 << 0 << false << QString();
        QTest::newRow("copy onto 11") << 2 << 11 << false << QString();
        QTest::newRow("copy from -1") << -1 << 2 << false << QString();
        QTest::newRow("short source") << 2 << 5 << false << QStringLiteral("Layout2");
        QTest::newRow("short target") << 2 << 5 << false << QStringLiteral("Layout5");
        QTest::newRow("clear with a short base") << 0 << 8 << true << QStringLiteral("LayoutBase");
        QTest::newRow("clear a short layout") << 0 << 8 << true << QStringLiteral("Layout8");
    }

    void refusedWritesNothing()
    {
        QFETCH(int, source);
        QFETCH(int, target);
        QFETCH(bool, clear);
        QFETCH(QString, shortTable);
        TestFolder folder;
        for (int number : {source, target}) {
            if (number >= 0 && number <= 10)
                fillDistinct(folder.database(), LayoutTableName(number), 3 + number);
        }
        if (!shortTable.isEmpty())
            folder.database().execute(
                QStringLiteral("DELETE FROM \"%1\" WHERE rowid = (SELECT MAX(rowid) FROM \"%1\")").arg(shortTable));
        const QVector<Table> before = LayoutTables::allLayouts(folder.database());

        const auto error = storeErrorOf([&] {
            clear ? LayoutTableCopy(folder.store()).clear(target)
                  : LayoutTableCopy(folder.store()).copy(source, target);
        });
        QVERIFY2(error, "accepted");
        if (!shortTable.isEmpty()) {
            QCOMPARE(error->table(), shortTable);
            QVERIFY2(error->operatorMessage().contains(shortTable) &&
                         error->operatorMessage().contains(QStringLiteral("riga 50")),
                     qPrintable(error->operatorMessage()));
        }
        QVERIFY(LayoutTables::allLayouts(folder.database()) == before);
    }

    void failureMidwayRollsBack()
    {
        TestFolder folder;
        fillDistinct(folder.database(), QStringLiteral("Layout5"), 8);
        const Table before = LayoutTables::of(folder.database(), QStringLiteral("Layout5"));
        // The thirtieth row refuses to be written, after twenty-nine rows already were.
        folder.database().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Layout5\" "
                                                 "WHEN old.rowid = (SELECT rowid FROM \"Layout5\" ORDER BY rowid "
                                                 "LIMIT 1 OFFSET 29) BEGIN SELECT RAISE(ABORT, 'refused'); END"));

        QVERIFY_THROWS_EXCEPTION(StoreError, LayoutTableCopy(folder.store()).copy(0, 5));

        folder.database().execute(QStringLiteral("DROP TRIGGER refuse"));
        QCOMPARE(LayoutTables::of(folder.database(), QStringLiteral("Layout5")), before);
        // The store is usable again: the failed copy left no transaction open.
        LayoutTableCopy(folder.store()).copy(0, 5);
        QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(folder.database(), QStringLiteral("Layout5")),
                                            LayoutTables::of(folder.database(), QStringLiteral("LayoutBase"))),
                 QString());
    }
};

QTEST_GUILESS_MAIN(TestLayoutTableCopy)
#include "tst_layouttablecopy.moc"
