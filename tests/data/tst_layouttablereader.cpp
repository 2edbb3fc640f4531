#include "core/SampleLayout.h"
#include "data/LayoutElement.h"
#include "data/LayoutTableReader.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QTest>

namespace {

const QString Table = QStringLiteral("Layout3");

LayoutTableReader::Rows readSample(TestFolder& folder, const SampleLayout::Rows& rows)
{
    SampleLayout::write(folder.database(), Table, rows);
    return LayoutTableReader(folder.store(), Table).read();
}

std::optional<StoreError> errorReading(TestFolder& folder, const SampleLayout::Rows& rows)
{
    SampleLayout::write(folder.database(), Table, rows);
    return storeErrorOf([&] { LayoutTableReader(folder.store(), Table).read(); });
}

} // namespace

class TestLayoutTableReader : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryKindOfRow()
    {
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[0][QStringLiteral("Top")] = 2887.0;
        rows[0][QStringLiteral("ColoreTesto")] = -2147483647 - 1; // 0x80000000, stored signed
        rows[47][QStringLiteral("PercorsoImmagine")] = QStringLiteral("/immagini/sfondo città.png");
        const LayoutTableReader::Rows read = readSample(folder, rows);

        const LayoutElement& numero1 = read[0];
        QCOMPARE(numero1.top, 2887.0f);
        QCOMPARE(numero1.coloreTesto, 0x80000000u);
        QCOMPARE(numero1.coloreSfondo, std::optional<std::uint32_t>(0x00102031u));
        QCOMPARE(numero1.allineamento, std::int16_t(1));
        QVERIFY(numero1.fontBold && !numero1.fontItalic);
        QVERIFY(read[3].sfondoTestoTrasparente);
        QVERIFY(!read[4].visibile);

        // Picture rows read their box and visibility only.
        const LayoutElement& foto1 = read[32];
        QCOMPARE(foto1.top, 97.5f + 45.0f * 33);
        QCOMPARE(foto1.larghezza, 1830.0f);
        QVERIFY(!foto1.testo.has_value());
        QVERIFY(foto1.nomeFont.isEmpty());

        QCOMPARE(read[47].percorsoImmagine, std::optional<QString>(QStringLiteral("/immagini/sfondo città.png")));
    }

    // Null where a layout row may hold it, and in yes/no columns, which read it as no (every yes/no
    // starts as yes, so a Null read as anything but no shows).
    void nullsThatLoad()
    {
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        for (QVariantMap& row : rows) {
            for (const char* yesNo : {"FontBold", "FontItalic", "Visibile", "SfondoTestoTrasparente"})
                row[QLatin1String(yesNo)] = -1;
        }
        // clang-format off
        const std::pair<int, const char*> nulls[] = {{1, "Testo"}, {49, "Testo"}, {3, "FontBold"}, {42, "FontItalic"},
            {33, "Visibile"}, {46, "Visibile"}, {48, "PercorsoImmagine"}, {50, "ColoreSfondo"},
            {4, "SfondoTestoTrasparente"}};
        // clang-format on
        for (const auto& [number, column] : nulls)
            rows[number - 1][QLatin1String(column)] = QVariant();
        const LayoutTableReader::Rows read = readSample(folder, rows);
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
        add("alignment -1", 41, "Allineamento", -1, true);
        add("colour past 32 bits", 7, "ColoreTesto", qlonglong(1) << 33, true);
        add("fractional colour", 50, "ColoreSfondo", 255.5, true);
        add("photo font Null", 33, "NomeFont", {}, false);
        add("weather height as text", 46, "Altezza", QStringLiteral("alta"), false);
        add("background picture top Null", 48, "Top", {}, false);
        add("background colour alignment 9", 50, "Allineamento", 9, false);
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
        QCOMPARE(error->table(), Table);
        QCOMPARE(error->column(), column);
    }

    void emptyTableNamesTheFirstMissingRow()
    {
        TestFolder folder;
        const auto error = errorReading(folder, {});
        QVERIFY(error);
        QCOMPARE(error->operatorMessage(),
                 QStringLiteral("La tabella Layout3 contiene 0 righe invece di 50: manca la riga 1 (Numero1)."));
    }

    // Rows are taken by stored position whatever their names, and rows past the fiftieth, however
    // unusable, are not read.
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
    }
};

QTEST_GUILESS_MAIN(TestLayoutTableReader)
#include "tst_layouttablereader.moc"
