#include "core/LayoutTables.h"
#include "core/SampleLayout.h"
#include "data/Database.h"
#include "data/LayoutElement.h"
#include "data/LayoutRecords.h"
#include "data/LayoutTableCopy.h"
#include "data/LayoutTableReader.h"
#include "data/RecordSet.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QTest>

namespace {

using LayoutTables::fillDistinct;
using LayoutTables::Table;

const QString SampleTable = QStringLiteral("Layout3");

LayoutTableReader::Rows readSample(TestFolder& folder, const SampleLayout::Rows& rows)
{
    SampleLayout::write(folder.database(), SampleTable, rows);
    return LayoutTableReader(folder.store(), SampleTable).read();
}

std::optional<StoreError> errorReading(TestFolder& folder, const SampleLayout::Rows& rows)
{
    SampleLayout::write(folder.database(), SampleTable, rows);
    return storeErrorOf([&] { LayoutTableReader(folder.store(), SampleTable).read(); });
}

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

// A layout table read for the designer, and written whole by a copy or a clear.
class TestLayoutTables : public QObject
{
    Q_OBJECT

private slots:
    // What the designer's own load does not meet: a colour stored signed; Null where a layout row may
    // hold it and in yes/no columns, which read it as no (every yes/no starts as yes, so a Null read
    // as anything but no shows). Picture rows read their box and visibility only.
    void unusualValuesThatLoad()
    {
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        for (QVariantMap& row : rows) {
            for (const char* yesNo : {"FontBold", "FontItalic", "Visibile", "SfondoTestoTrasparente"})
                row[QLatin1String(yesNo)] = -1;
        }
        rows[0][QStringLiteral("ColoreTesto")] = -2147483647 - 1; // 0x80000000
        // clang-format off
        const std::pair<int, const char*> nulls[] = {{1, "Testo"}, {49, "Testo"}, {3, "FontBold"}, {42, "FontItalic"},
            {33, "Visibile"}, {46, "Visibile"}, {48, "PercorsoImmagine"}, {50, "ColoreSfondo"},
            {4, "SfondoTestoTrasparente"}};
        // clang-format on
        for (const auto& [number, column] : nulls)
            rows[number - 1][QLatin1String(column)] = QVariant();
        const LayoutTableReader::Rows read = readSample(folder, rows);
        QCOMPARE(read[0].coloreTesto, 0x80000000u);
        QVERIFY(!read[32].testo && read[32].nomeFont.isEmpty());
        QVERIFY(!read[0].testo && !read[48].testo);
        QVERIFY(!read[2].fontBold && !read[41].fontItalic && !read[3].sfondoTestoTrasparente);
        QVERIFY(!read[32].visibile && !read[45].visibile);
        QVERIFY(!read[47].percorsoImmagine && !read[49].coloreSfondo);
        QVERIFY(read[2].fontItalic && read[41].fontBold);
    }

    // One cell a row loads left Null or holding what it cannot mean is named by table, row and column;
    // the columns a row does not load may hold anything, as the designer never reads them.
    void oneBadCell_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("refused");
        const auto add = [](const char* name, int number, const char* column, const QVariant& value, bool refused) {
            QTest::newRow(name) << number << QString::fromLatin1(column) << value << refused;
        };
        add("title text Null", 41, "Testo", {}, true);
        add("counter top Null", 10, "Top", {}, true);
        add("text back colour Null", 1, "ColoreSfondo", {}, true);
        add("alignment Null", 20, "Allineamento", {}, true);
        add("photo height Null", 33, "Altezza", {}, true);
        add("weather left Null", 46, "Left", {}, true);
        add("text for a position", 2, "Top", QStringLiteral("alto"), true);
        add("size with a unit", 12, "DimFont", QStringLiteral("12pt"), true);
        add("alignment 3", 5, "Allineamento", 3, true);
        add("colour past 32 bits", 7, "ColoreTesto", qlonglong(1) << 33, true);
        add("fractional colour", 50, "ColoreSfondo", 255.5, true);
        add("photo font Null", 33, "NomeFont", {}, false);
        add("weather height as text", 46, "Altezza", QStringLiteral("alta"), false);
        add("background picture top Null", 48, "Top", {}, false);
        add("name Null", 1, "DescCampo", {}, false);
    }

    void oneBadCell()
    {
        QFETCH(int, number);
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(bool, refused);
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[number - 1][column] = value;
        const auto error = errorReading(folder, rows);
        QVERIFY2(bool(error) == refused, error ? qPrintable(error->operatorMessage()) : "read without error");
        if (!refused)
            return;
        const QString& message = error->operatorMessage();
        const QString row = QStringLiteral("Nella tabella Layout3 la riga %1 (%2) ")
                                .arg(number)
                                .arg(QLatin1String(LayoutRecords::rows()[static_cast<std::size_t>(number - 1)].name));
        QVERIFY2(message.startsWith(row + (value.isNull() ? QStringLiteral("non ha un valore nella colonna %1.")
                                                          : QStringLiteral("ha un valore non valido nella colonna %1"))
                                              .arg(column)),
                 qPrintable(message));
        QCOMPARE(error->table(), SampleTable);
        QCOMPARE(error->column(), column);
    }

    // Rows are taken by stored position whatever their names, and rows past the fiftieth, however
    // unusable, are not read; a table short of rows names the first it lacks.
    void fiftyRowsByPositionOnly()
    {
        TestFolder folder;
        const SampleLayout::Rows rows = SampleLayout::rows();
        const LayoutTableReader::Rows straight = readSample(folder, rows);
        SampleLayout::Rows changed = rows;
        changed.swapItemsAt(0, 1);   // Numero1 and Postazione1, names included
        changed.swapItemsAt(44, 46); // Immagini and Video
        changed.append(QVariantMap{{QStringLiteral("DescCampo"), QStringLiteral("extra")}}); // nulls everywhere
        changed.append(rows.first());
        LayoutTableReader::Rows expected = straight;
        std::swap(expected[0], expected[1]);
        std::swap(expected[44], expected[46]);
        QVERIFY(readSample(folder, changed) == expected);
        const auto error = errorReading(folder, {});
        QVERIFY(error);
        QCOMPARE(error->operatorMessage(),
                 QStringLiteral("La tabella Layout3 contiene 0 righe invece di 50: manca la riga 1 (Numero1)."));
    }

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

    // A copy onto the base layout and tables short of a row are refused before anything is written (the
    // windows' tests hold a copy onto itself and clears out of range).
    void refusedWritesNothing_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("clear");
        QTest::addColumn<QString>("shortTable"); // the table left with 49 rows, if any
        QTest::newRow("copy onto the base") << 5 << 0 << false << QString();
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
        for (int number : {source, target})
            fillDistinct(folder.database(), LayoutTableName(number), 3 + number);
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

QTEST_GUILESS_MAIN(TestLayoutTables)
#include "tst_layouttables.moc"
