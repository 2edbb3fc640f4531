#include "core/SampleLayout.h"
#include "data/LayoutElement.h"
#include "data/LayoutTableReader.h"
#include "data/StoreError.h"
#include "support/core/TestFolder.h"

#include <QTest>

namespace {

const QString Table = QStringLiteral("Layout3");

LayoutTableReader::Rows readSample(TestFolder& folder, const SampleLayout::Rows& rows)
{
    SampleLayout::write(folder.database(), Table, rows);
    return LayoutTableReader(folder.store(), Table).read();
}

// The operator's sentence of the error that reading `rows` raises; empty when none is raised.
QString errorReading(TestFolder& folder, const SampleLayout::Rows& rows, StoreError* raised = nullptr)
{
    SampleLayout::write(folder.database(), Table, rows);
    try {
        LayoutTableReader(folder.store(), Table).read();
    } catch (const StoreError& error) {
        if (raised)
            *raised = error;
        return error.operatorMessage();
    }
    return {};
}

// The sample rows with one cell of row `number` replaced.
SampleLayout::Rows sampleWith(int number, const QString& column, const QVariant& value)
{
    SampleLayout::Rows rows = SampleLayout::rows();
    rows[number - 1][column] = value;
    return rows;
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
        const std::pair<int, const char*> nulls[] = {{1, "Testo"},
                                                     {49, "Testo"},
                                                     {3, "FontBold"},
                                                     {42, "FontItalic"},
                                                     {33, "Visibile"},
                                                     {46, "Visibile"},
                                                     {48, "PercorsoImmagine"},
                                                     {50, "ColoreSfondo"},
                                                     {4, "SfondoTestoTrasparente"}};
        for (const auto& [number, column] : nulls)
            rows[number - 1][QLatin1String(column)] = QVariant();
        const LayoutTableReader::Rows read = readSample(folder, rows);
        QVERIFY(!read[0].testo && !read[48].testo);
        QVERIFY(!read[2].fontBold && !read[41].fontItalic && !read[3].sfondoTestoTrasparente);
        QVERIFY(!read[32].visibile && !read[45].visibile);
        QVERIFY(!read[47].percorsoImmagine && !read[49].coloreSfondo);
        QVERIFY(read[2].fontItalic && read[41].fontBold);
    }

    void forbiddenNullNamesTableRowAndColumn_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("rowText");
        QTest::newRow("title text") << 41 << "Testo" << QStringLiteral("la riga 41 (Titolo)");
        QTest::newRow("counter top") << 10 << "Top" << QStringLiteral("la riga 10 (Postazione3)");
        QTest::newRow("text back colour") << 1 << "ColoreSfondo" << QStringLiteral("la riga 1 (Numero1)");
        QTest::newRow("alignment") << 20 << "Allineamento" << QStringLiteral("la riga 20 (Stato5)");
        QTest::newRow("photo height") << 33 << "Altezza" << QStringLiteral("la riga 33 (Foto1)");
        QTest::newRow("weather left") << 46 << "Left" << QStringLiteral("la riga 46 (Meteo)");
    }

    void forbiddenNullNamesTableRowAndColumn()
    {
        QFETCH(int, number);
        QFETCH(QString, column);
        QFETCH(QString, rowText);
        TestFolder folder;
        StoreError error{QString(), QString()};
        QCOMPARE(errorReading(folder, sampleWith(number, column, QVariant()), &error),
                 QStringLiteral("Nella tabella Layout3 %1 non ha un valore nella colonna %2.").arg(rowText, column));
        QCOMPARE(error.table(), Table);
        QCOMPARE(error.column(), column);
    }

    void unusableValuesAreReported_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text for a position") << 2 << "Top" << QVariant(QStringLiteral("alto"));
        QTest::newRow("size with a unit") << 12 << "DimFont" << QVariant(QStringLiteral("12pt"));
        QTest::newRow("alignment 3") << 5 << "Allineamento" << QVariant(3);
        QTest::newRow("alignment -1") << 41 << "Allineamento" << QVariant(-1);
        QTest::newRow("colour past 32 bits") << 7 << "ColoreTesto" << QVariant(qlonglong(1) << 33);
        QTest::newRow("fractional colour") << 50 << "ColoreSfondo" << QVariant(255.5);
    }

    void unusableValuesAreReported()
    {
        QFETCH(int, number);
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        TestFolder folder;
        const QString message = errorReading(folder, sampleWith(number, column, value));
        const char* name = LayoutRecords::rows()[static_cast<std::size_t>(number - 1)].name;
        QVERIFY2(message.startsWith(QStringLiteral("Nella tabella Layout3 la riga %1 (%2) ha un valore non valido "
                                                   "nella colonna %3")
                                        .arg(number)
                                        .arg(QLatin1String(name), column)),
                 qPrintable(message));
    }

    // Columns a row does not load may hold anything: the designer never reads them.
    void columnsARowDoesNotLoadAreIgnored()
    {
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[32][QStringLiteral("NomeFont")] = QVariant();            // photo
        rows[45][QStringLiteral("Altezza")] = QStringLiteral("alta"); // weather
        rows[47][QStringLiteral("Top")] = QVariant();                 // background picture
        rows[49][QStringLiteral("Allineamento")] = 9;                 // background colour
        rows[0][QStringLiteral("DescCampo")] = QVariant();
        QCOMPARE(errorReading(folder, rows), QString());
    }

    void emptyTableNamesTheFirstMissingRow()
    {
        TestFolder folder;
        QCOMPARE(errorReading(folder, {}),
                 QStringLiteral("La tabella Layout3 contiene 0 righe invece di 50: manca la riga 1 "
                                "(Numero1)."));
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
