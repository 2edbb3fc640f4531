#include "designer/model/LayoutRecords.h"
#include "library/LayoutTables.h"
#include "library/model/LayoutTableCopy.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"
#include "shell/store/RecordSet.h"
#include "shell/store/StoreError.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

using LayoutTables::fillDistinct;
using LayoutTables::Table;

void appendRows(const QString& table, int count)
{
    for (int row = 0; row < count; ++row)
        Database::current().execute(
            QStringLiteral("INSERT INTO \"%1\" (\"DescCampo\", \"Top\", \"Visibile\") VALUES ('extra%2', %3, -1)")
                .arg(table)
                .arg(row)
                .arg(1000 + row),
            table);
}

void dropLastRow(const QString& table)
{
    Database::current().execute(
        QStringLiteral("DELETE FROM \"%1\" WHERE rowid = (SELECT MAX(rowid) FROM \"%1\")").arg(table), table);
}

} // namespace

class TestLayoutTableCopy : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void copyWritesEveryColumnOfFiftyRows_data();
    void copyWritesEveryColumnOfFiftyRows();
    void clearHidesEveryElement_data();
    void clearHidesEveryElement();
    void refusedNumbersWriteNothing_data();
    void refusedNumbersWriteNothing();
    void shortTableWritesNothing_data();
    void shortTableWritesNothing();
    void failureMidwayRollsBack();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
};

void TestLayoutTableCopy::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    Database::closeCurrent();
    AppFolder = m_folder->path();
}

void TestLayoutTableCopy::cleanup()
{
    Database::closeCurrent();
    AppFolder.clear();
    m_folder.reset();
}

void TestLayoutTableCopy::copyWritesEveryColumnOfFiftyRows_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("target");
    QTest::newRow("base onto 4") << 0 << 4;
    QTest::newRow("3 onto 7") << 3 << 7;
    QTest::newRow("10 onto 1") << 10 << 1;
    QTest::newRow("1 onto 10") << 1 << 10;
}

void TestLayoutTableCopy::copyWritesEveryColumnOfFiftyRows()
{
    QFETCH(int, source);
    QFETCH(int, target);
    const QString from = LayoutTableName(source);
    const QString to = LayoutTableName(target);
    fillDistinct(from, 1);
    fillDistinct(to, 5);
    appendRows(from, 2);
    appendRows(to, 3);
    LayoutTables::storeDefault(QString::number(target));
    const QVector<Table> before = LayoutTables::allLayouts();
    const Table targetBefore = LayoutTables::of(to);

    LayoutTableCopy::copy(source, target);

    const Table copied = LayoutTables::of(to);
    QCOMPARE(LayoutTables::differenceIn(copied, LayoutTables::of(from)), QString());
    QCOMPARE(copied.size(), targetBefore.size());
    for (int row = LayoutRecords::RowCount; row < copied.size(); ++row)
        QCOMPARE(copied[row], targetBefore[row]);
    const QVector<Table> after = LayoutTables::allLayouts();
    for (int number = 0; number <= 10; ++number) {
        if (number != target)
            QVERIFY2(after[number] == before[number], qPrintable(LayoutTableName(number)));
    }
    QCOMPARE(LayoutTables::storedDefault().toInt(), target);
}

void TestLayoutTableCopy::clearHidesEveryElement_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("isDefault");
    QTest::newRow("layout 6") << 6 << false;
    QTest::newRow("the default layout 1") << 1 << true;
    QTest::newRow("layout 10") << 10 << false;
}

void TestLayoutTableCopy::clearHidesEveryElement()
{
    QFETCH(int, target);
    QFETCH(bool, isDefault);
    const QString to = LayoutTableName(target);
    fillDistinct(QStringLiteral("LayoutBase"), 2);
    // Every base element shown, so a clear that copied Visibile would be caught.
    Database::current().execute(QStringLiteral("UPDATE \"LayoutBase\" SET \"Visibile\" = -1"));
    fillDistinct(to, 9);
    appendRows(to, 2);
    LayoutTables::storeDefault(QString::number(isDefault ? target : 99));
    const Table base = LayoutTables::of(QStringLiteral("LayoutBase"));
    const Table targetBefore = LayoutTables::of(to);

    LayoutTableCopy::clear(target);

    const Table cleared = LayoutTables::of(to);
    QCOMPARE(LayoutTables::differenceFromCleared(cleared, base), QString());
    for (int row = LayoutRecords::RowCount; row < cleared.size(); ++row)
        QCOMPARE(cleared[row], targetBefore[row]);
    QCOMPARE(LayoutTables::of(QStringLiteral("LayoutBase")), base);
    QCOMPARE(LayoutTables::storedDefault().toInt(), isDefault ? target : 99);
}

void TestLayoutTableCopy::refusedNumbersWriteNothing_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("clear");
    QTest::newRow("copy onto itself") << 3 << 3 << false;
    QTest::newRow("copy onto the base") << 5 << 0 << false;
    QTest::newRow("copy onto 11") << 2 << 11 << false;
    QTest::newRow("copy from -1") << -1 << 2 << false;
    QTest::newRow("clear the base") << 0 << 0 << true;
    QTest::newRow("clear 11") << 0 << 11 << true;
}

void TestLayoutTableCopy::refusedNumbersWriteNothing()
{
    QFETCH(int, source);
    QFETCH(int, target);
    QFETCH(bool, clear);
    fillDistinct(QStringLiteral("Layout3"), 4);
    const QVector<Table> before = LayoutTables::allLayouts();

    QVERIFY_THROWS_EXCEPTION(StoreError,
                             clear ? LayoutTableCopy::clear(target) : LayoutTableCopy::copy(source, target));

    QVERIFY(LayoutTables::allLayouts() == before);
}

void TestLayoutTableCopy::shortTableWritesNothing_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("clear");
    QTest::addColumn<QString>("shortTable");
    QTest::newRow("short source") << 2 << 5 << false << QStringLiteral("Layout2");
    QTest::newRow("short target") << 2 << 5 << false << QStringLiteral("Layout5");
    QTest::newRow("clear with a short base") << 0 << 8 << true << QStringLiteral("LayoutBase");
    QTest::newRow("clear a short layout") << 0 << 8 << true << QStringLiteral("Layout8");
}

void TestLayoutTableCopy::shortTableWritesNothing()
{
    QFETCH(int, source);
    QFETCH(int, target);
    QFETCH(bool, clear);
    QFETCH(QString, shortTable);
    fillDistinct(LayoutTableName(source), 3);
    fillDistinct(LayoutTableName(target), 6);
    dropLastRow(shortTable);
    const Table targetBefore = LayoutTables::of(LayoutTableName(target));

    try {
        clear ? LayoutTableCopy::clear(target) : LayoutTableCopy::copy(source, target);
        QFAIL("a table of 49 rows was accepted");
    } catch (const StoreError& error) {
        QCOMPARE(error.table(), shortTable);
        QVERIFY2(error.operatorMessage().contains(shortTable), qPrintable(error.operatorMessage()));
        QVERIFY2(error.operatorMessage().contains(QStringLiteral("riga 50")), qPrintable(error.operatorMessage()));
    }
    QCOMPARE(LayoutTables::of(LayoutTableName(target)), targetBefore);
}

void TestLayoutTableCopy::failureMidwayRollsBack()
{
    fillDistinct(QStringLiteral("Layout5"), 8);
    const Table before = LayoutTables::of(QStringLiteral("Layout5"));
    // The thirtieth row refuses to be written, after twenty-nine rows already were.
    Database::current().execute(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"Layout5\" "
                                               "WHEN old.rowid = (SELECT rowid FROM \"Layout5\" ORDER BY rowid "
                                               "LIMIT 1 OFFSET 29) BEGIN SELECT RAISE(ABORT, 'refused'); END"));

    QVERIFY_THROWS_EXCEPTION(StoreError, LayoutTableCopy::copy(0, 5));

    Database::current().execute(QStringLiteral("DROP TRIGGER refuse"));
    QCOMPARE(LayoutTables::of(QStringLiteral("Layout5")), before);
    // The store is usable again: the failed copy left no transaction open.
    LayoutTableCopy::copy(0, 5);
    QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(QStringLiteral("Layout5")),
                                        LayoutTables::of(QStringLiteral("LayoutBase"))),
             QString());
}

QTEST_GUILESS_MAIN(TestLayoutTableCopy)
#include "tst_layouttablecopy.moc"
