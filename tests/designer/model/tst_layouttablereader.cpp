#include "designer/SampleLayout.h"
#include "designer/model/ElementData.h"
#include "designer/model/LayoutElement.h"
#include "designer/model/LayoutTableReader.h"
#include "shell/store/StoreError.h"
#include "support/core/TestFolder.h"

#include <QTest>

namespace {

const QString Table = QStringLiteral("Layout3");

LayoutTableReader::Rows readSample(const SampleLayout::Rows& rows)
{
    SampleLayout::write(Table, rows);
    return LayoutTableReader(Table).read();
}

// The operator's sentence of the error that reading `rows` raises; empty when none is raised.
QString errorReading(const SampleLayout::Rows& rows, StoreError* raised = nullptr)
{
    SampleLayout::write(Table, rows);
    try {
        LayoutTableReader(Table).read();
    } catch (const StoreError& error) {
        if (raised)
            *raised = error;
        return error.operatorMessage();
    }
    return {};
}

const LayoutRecords::Row& row(int number)
{
    return LayoutRecords::rows()[static_cast<std::size_t>(number - 1)];
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
        const LayoutTableReader::Rows read = readSample(rows);

        const LayoutElement& numero1 = read[0];
        QCOMPARE(numero1.top, 2887.0f);
        QCOMPARE(numero1.testo, std::optional<QString>(QStringLiteral("Riga 1")));
        QCOMPARE(numero1.dimFont, 9.25f);
        QVERIFY(numero1.fontBold);
        QVERIFY(!numero1.fontItalic);
        QCOMPARE(numero1.coloreSfondo, std::optional<std::uint32_t>(0x00102031u));
        QCOMPARE(numero1.coloreTesto, 0x80000000u);
        QCOMPARE(numero1.allineamento, std::int16_t(1));
        QVERIFY(read[3].sfondoTestoTrasparente);
        QVERIFY(!read[4].visibile);

        // Picture rows read their box and visibility only.
        const LayoutElement& foto1 = read[32];
        QCOMPARE(foto1.top, 97.5f + 45.0f * 33);
        QCOMPARE(foto1.larghezza, 1830.0f);
        QVERIFY(!foto1.testo.has_value());
        QVERIFY(foto1.nomeFont.isEmpty());

        QCOMPARE(read[47].percorsoImmagine, std::optional<QString>(QStringLiteral("/immagini/sfondo città.png")));
        QCOMPARE(read[49].coloreSfondo, std::optional<std::uint32_t>(0x00102030u + 50));
    }

    // Null where a layout row may hold it, and in yes/no columns, which read it as no.
    void nullsThatLoad_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("column");
        QTest::newRow("counter number text") << 1 << "Testo";
        QTest::newRow("last counter status text") << 32 << "Testo";
        QTest::newRow("scrolling text") << 49 << "Testo";
        QTest::newRow("bold") << 3 << "FontBold";
        QTest::newRow("italic") << 42 << "FontItalic";
        QTest::newRow("visible") << 33 << "Visibile";
        QTest::newRow("weather visible") << 46 << "Visibile";
        QTest::newRow("transparent") << 4 << "SfondoTestoTrasparente";
        QTest::newRow("background picture") << 48 << "PercorsoImmagine";
        QTest::newRow("background colour") << 50 << "ColoreSfondo";
    }

    void nullsThatLoad()
    {
        QFETCH(int, number);
        QFETCH(QString, column);
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[number - 1][QStringLiteral("PercorsoImmagine")] = QStringLiteral("x.png");
        // Every yes/no of the row starts as yes, so reading the null as anything but no shows.
        for (const char* yesNo : {"FontBold", "FontItalic", "Visibile", "SfondoTestoTrasparente"})
            rows[number - 1][QLatin1String(yesNo)] = -1;
        rows[number - 1][column] = QVariant();
        const LayoutElement element = readSample(rows)[static_cast<std::size_t>(number - 1)];

        ElementData shown;
        shown.text = QStringLiteral("design");
        shown.bold = shown.italic = shown.visible = shown.transparent = true;
        element.applyTo(shown, row(number).kind);
        if (column == QLatin1String("Testo")) {
            QVERIFY(!element.testo.has_value());
            QCOMPARE(shown.text, QString());
        } else if (column == QLatin1String("PercorsoImmagine")) {
            QVERIFY(!element.percorsoImmagine.has_value());
        } else if (column == QLatin1String("ColoreSfondo")) {
            QVERIFY(!element.coloreSfondo.has_value());
        } else {
            const bool ElementData::*flag = column == QLatin1String("FontBold")     ? &ElementData::bold
                                            : column == QLatin1String("FontItalic") ? &ElementData::italic
                                            : column == QLatin1String("Visibile")   ? &ElementData::visible
                                                                                    : &ElementData::transparent;
            QVERIFY2(!(shown.*flag), qPrintable(column));
        }
    }

    void forbiddenNullNamesTableRowAndColumn_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("rowText");
        QTest::newRow("title text") << 41 << "Testo" << "la riga 41 (Titolo)";
        QTest::newRow("counter top") << 10 << "Top" << "la riga 10 (Postazione3)";
        QTest::newRow("text back colour") << 1 << "ColoreSfondo" << "la riga 1 (Numero1)";
        QTest::newRow("alignment") << 20 << "Allineamento" << "la riga 20 (Stato5)";
        QTest::newRow("photo height") << 33 << "Altezza" << "la riga 33 (Foto1)";
        QTest::newRow("weather left") << 46 << "Left" << "la riga 46 (Meteo)";
    }

    void forbiddenNullNamesTableRowAndColumn()
    {
        QFETCH(int, number);
        QFETCH(QString, column);
        QFETCH(QString, rowText);
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[number - 1][column] = QVariant();
        StoreError error{QString(), QString()};
        QCOMPARE(errorReading(rows, &error),
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
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[number - 1][column] = value;
        const QString message = errorReading(rows);
        QVERIFY2(message.startsWith(QStringLiteral("Nella tabella Layout3 la riga %1 (%2) ha un valore non valido "
                                                   "nella colonna %3")
                                        .arg(number)
                                        .arg(QLatin1String(row(number).name), column)),
                 qPrintable(message));
    }

    // Columns a row does not load may hold anything: the designer never reads them.
    void columnsARowDoesNotLoadAreIgnored()
    {
        TestFolder folder;
        SampleLayout::Rows rows = SampleLayout::rows();
        rows[32][QStringLiteral("NomeFont")] = QVariant();           // photo
        rows[45][QStringLiteral("Altezza")] = QStringLiteral("alta"); // weather
        rows[47][QStringLiteral("Top")] = QVariant();                // background picture
        rows[49][QStringLiteral("Allineamento")] = 9;                // background colour
        rows[0][QStringLiteral("DescCampo")] = QVariant();
        QCOMPARE(errorReading(rows), QString());
    }

    void shortTableNamesTheMissingRow_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << 0 << "La tabella Layout3 contiene 0 righe invece di 50: manca la riga 1 (Numero1).";
        QTest::newRow("one short")
            << 49 << "La tabella Layout3 contiene 49 righe invece di 50: manca la riga 50 (ColoreSfondo).";
    }

    void shortTableNamesTheMissingRow()
    {
        QFETCH(int, count);
        QFETCH(QString, message);
        TestFolder folder;
        QCOMPARE(errorReading(SampleLayout::rows().mid(0, count)), message);
    }

    void rowsAreMatchedByPositionOnly()
    {
        TestFolder folder;
        const SampleLayout::Rows rows = SampleLayout::rows();
        const LayoutTableReader::Rows straight = readSample(rows);
        SampleLayout::Rows swapped = rows;
        swapped.swapItemsAt(0, 1);   // Numero1 and Postazione1, names included
        swapped.swapItemsAt(44, 46); // Immagini and Video
        const LayoutTableReader::Rows read = readSample(swapped);
        QCOMPARE(read[0], straight[1]);
        QCOMPARE(read[1], straight[0]);
        QCOMPARE(read[44], straight[46]);
        QCOMPARE(read[46], straight[44]);
        QCOMPARE(read[2], straight[2]);
    }

    void rowsPastTheFiftiethAreNotRead()
    {
        TestFolder folder;
        const SampleLayout::Rows rows = SampleLayout::rows();
        const LayoutTableReader::Rows fifty = readSample(rows);
        SampleLayout::Rows longer = rows;
        longer.append(QVariantMap{{QStringLiteral("DescCampo"), QStringLiteral("extra")}}); // nulls everywhere
        longer.append(rows.first());
        QVERIFY(readSample(longer) == fifty);
    }
};

QTEST_GUILESS_MAIN(TestLayoutTableReader)
#include "tst_layouttablereader.moc"
