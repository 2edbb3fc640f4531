#include "support/core/TestFolder.h"

#include "designer/model/LayoutRecords.h"
#include "shell/store/Database.h"
#include "shell/store/JetValue.h"
#include "shell/store/RecordSet.h"
#include "shell/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRectF>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <QtTest>
#include <cmath>

namespace
{

using Table = QVector<QVariantList>;

// Every row of a layout table, the sixteen columns in catalogue order.
Table readLayout(Database& database, const QString& table)
{
    Table rows;
    RecordSet records(database, table);
    for (; !records.eof(); records.moveNext()) {
        QVariantList row;
        for (const QString& column : LayoutRecords::columns())
            row.append(records.value(column));
        rows.append(row);
    }
    return rows;
}

qsizetype column(const char* name)
{
    return LayoutRecords::columns().indexOf(QLatin1String(name));
}

float single(const QVariantList& row, const char* name)
{
    return JetValue::toSingle(row.at(column(name)));
}

QRectF areaOf(const LayoutRecords::Row& element, const QVariantList& row)
{
    const bool weather = element.kind == LayoutRecords::RowKind::Weather;
    return {single(row, "Left"), single(row, "Top"), weather ? LayoutRecords::WeatherWidth : single(row, "Larghezza"),
            weather ? LayoutRecords::WeatherHeight : single(row, "Altezza")};
}

// Relative luminance and contrast ratio as used for screen legibility (1 = none, 21 = black on white).
double luminance(std::uint32_t ole)
{
    const auto channel = [](std::uint32_t value) {
        const double c = static_cast<double>(value & 0xFFu) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(ole) + 0.7152 * channel(ole >> 8) + 0.0722 * channel(ole >> 16);
}

double contrast(std::uint32_t a, std::uint32_t b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

quint32 le32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

class TestSeed : public QObject
{
    Q_OBJECT

private slots:
    void rowCounts_data();
    void rowCounts();
    void configurationRecord();
    void layoutNames();
    void layoutTables_data();
    void layoutTables();
    void baseLayoutGeometry();
    void baseLayoutText();
    void chimeIsAPlayableWave();
    void townsMatchReferenceList();
    void failedSeedLeavesNoDatabase();
};

void TestSeed::rowCounts_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");
    QTest::newRow("Configurazione") << "Configurazione" << 1;
    QTest::newRow("DescrizioneLayout") << "DescrizioneLayout" << 11;
    QTest::newRow("ComuniMeteo") << "ComuniMeteo" << 107;
    QTest::newRow("DinDon") << "DinDon" << 1;
    QTest::newRow("utenti") << "utenti" << 0;
    QTest::newRow("radio") << "radio" << 0;
}

void TestSeed::rowCounts()
{
    QFETCH(QString, table);
    QFETCH(int, rows);
    TestFolder folder;
    QCOMPARE(RecordSet(folder.database(), table).count(), rows);
}

void TestSeed::configurationRecord()
{
    TestFolder folder;
    Database& database = folder.database();
    QVERIFY(database.wasCreated());
    RecordSet configuration(database, QStringLiteral("Configurazione"));

    QCOMPARE(configuration.value("MisuraFormWH").toInt(), 3);
    QCOMPARE(configuration.value("qualelayout").toInt(), 1);
    QCOMPARE(configuration.value("NumerazioneSingola"), QVariant(qlonglong(JetValue::False)));
    QCOMPARE(configuration.value("avviso"), QVariant(qlonglong(JetValue::False)));
    QCOMPARE(JetValue::toSingle(configuration.value("MisuraFormLeft")), 0.0f);
    QCOMPARE(JetValue::toSingle(configuration.value("MisuraFormTop")), 0.0f);
    QCOMPARE(configuration.value("tempo").toString(), QStringLiteral("5000"));
    QCOMPARE(configuration.value("tempochiamata").toDouble(), 5000.0);
    QCOMPARE(configuration.value("MeteoCode").toString(), QStringLiteral("0000"));
    QVERIFY(!configuration.value("StringaScorrevole").toString().isEmpty());
    // Not chosen yet: the weather window shows an empty preview only while meteo is Null.
    QVERIFY(configuration.value("meteo").isNull());

    // The default chime is a copy of the one DinDon row, a full native path into the program folder.
    const QString chime = configuration.value("dindon").toString();
    QCOMPARE(RecordSet(database, QStringLiteral("DinDon")).value("dindon").toString(), chime);
    QVERIFY(QFileInfo(QDir::fromNativeSeparators(chime)).isAbsolute());
    QCOMPARE(QDir::toNativeSeparators(chime), chime);
    QCOMPARE(QFileInfo(QDir::fromNativeSeparators(chime)).absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
}

void TestSeed::layoutNames()
{
    TestFolder folder;
    RecordSet names(folder.database(), QStringLiteral("DescrizioneLayout"));
    QCOMPARE(names.value("LayoutNome").toString(), QStringLiteral("Layout Base"));
    QCOMPARE(names.value("LayoutDescrizione").toString(), QStringLiteral("Layout di Esempio o utile per la copia"));
    for (int number = 1; number <= 10; ++number) {
        names.moveNext();
        QVERIFY(!names.eof());
        QCOMPARE(names.value("LayoutNome").toString(), QStringLiteral("Layout %1").arg(number));
        // An empty description, not Null: the chooser shows it as it is.
        QCOMPARE(names.value("LayoutDescrizione"), QVariant(QString()));
        QVERIFY(!names.value("LayoutDescrizione").isNull());
    }
}

void TestSeed::layoutTables_data()
{
    QTest::addColumn<int>("number");
    for (int number = 1; number <= 10; ++number)
        QTest::addRow("%s", qPrintable(LayoutTableName(number))) << number;
}

void TestSeed::layoutTables()
{
    QFETCH(int, number);
    TestFolder folder;
    const Table base = readLayout(folder.database(), LayoutTableName(0));
    const Table layout = readLayout(folder.database(), LayoutTableName(number));
    QCOMPARE(base.size(), LayoutRecords::RowCount);
    QCOMPARE(layout.size(), LayoutRecords::RowCount);

    const qsizetype visible = column("Visibile");
    for (int i = 0; i < LayoutRecords::RowCount; ++i) {
        QCOMPARE(layout[i].at(column("DescCampo")).toString(),
                 QString::fromLatin1(LayoutRecords::rows()[static_cast<std::size_t>(i)].name));
        for (qsizetype c = 0; c < base[i].size(); ++c) {
            if (number > 1 && c == visible)
                continue;
            if (layout[i].at(c) != base[i].at(c))
                QFAIL(qPrintable(QStringLiteral("row %1, column %2 differs from LayoutBase")
                                     .arg(i + 1)
                                     .arg(LayoutRecords::columns().at(c))));
        }
        if (number > 1)
            QCOMPARE(layout[i].at(visible), QVariant(qlonglong(JetValue::False)));
    }
}

void TestSeed::baseLayoutGeometry()
{
    TestFolder folder;
    const Table base = readLayout(folder.database(), LayoutTableName(0));
    const QRectF screen(0, 0, 28800, 16200);

    QVector<std::pair<const char*, QRectF>> areas;
    for (const LayoutRecords::Row& element : LayoutRecords::rows()) {
        if (element.listPosition < 0)
            continue;
        const QVariantList& row = base[element.number - 1];
        QVERIFY2(JetValue::isYes(row.at(column("Visibile"))), element.name);
        const QRectF area = areaOf(element, row);
        QVERIFY2(area.width() > 0 && area.height() > 0, element.name);
        QVERIFY2(screen.contains(area), element.name);
        areas.append({element.name, area});
    }
    QCOMPARE(areas.size(), LayoutRecords::ElementCount);
    for (qsizetype i = 0; i < areas.size(); ++i) {
        for (qsizetype j = i + 1; j < areas.size(); ++j) {
            if (areas[i].second.intersects(areas[j].second))
                QFAIL(qPrintable(QStringLiteral("%1 overlaps %2").arg(areas[i].first, areas[j].first)));
        }
    }

    // Each counter's line reads left to right: photo, number, workstation, operator, status.
    for (int counter = 0; counter < 8; ++counter) {
        const QRectF photo = areaOf(LayoutRecords::rows()[static_cast<std::size_t>(32 + counter)], base[32 + counter]);
        double right = photo.right();
        for (int field = 0; field < 4; ++field) {
            const int index = counter * 4 + field;
            const QRectF cell = areaOf(LayoutRecords::rows()[static_cast<std::size_t>(index)], base[index]);
            QVERIFY(cell.left() >= right);
            QVERIFY(cell.top() < photo.bottom() && photo.top() < cell.bottom());
            right = cell.right();
        }
    }

    QVERIFY(base[47].at(column("PercorsoImmagine")).isNull());
    QVERIFY(!base[49].at(column("ColoreSfondo")).isNull());
}

void TestSeed::baseLayoutText()
{
    TestFolder folder;
    const Table base = readLayout(folder.database(), LayoutTableName(0));
    const std::uint32_t screenColour = JetValue::toColour(base[49].at(column("ColoreSfondo")));

    for (const LayoutRecords::Row& element : LayoutRecords::rows()) {
        if (element.kind != LayoutRecords::RowKind::Text && element.kind != LayoutRecords::RowKind::ScrollingText)
            continue;
        const QVariantList& row = base[element.number - 1];
        QCOMPARE(row.at(column("Testo")).toString(), QString::fromUtf8(element.designText));
        QVERIFY2(!row.at(column("NomeFont")).toString().isEmpty(), element.name);
        const int alignment = row.at(column("Allineamento")).toInt();
        QVERIFY2(alignment >= 0 && alignment <= 2, element.name);

        // Readable across a waiting room, and one line of it fits its box at 96 dpi.
        const float points = single(row, "DimFont");
        QVERIFY2(points >= 14.0f, element.name);
        const double pixels = std::nearbyint(points * 96.0 / 72.0);
        QVERIFY2(pixels * 1.15 <= single(row, "Altezza") / 15.0f, element.name);

        const bool transparent = JetValue::isYes(row.at(column("SfondoTestoTrasparente")));
        const std::uint32_t back = transparent ? screenColour : JetValue::toColour(row.at(column("ColoreSfondo")));
        const std::uint32_t fore = JetValue::toColour(row.at(column("ColoreTesto")));
        QVERIFY2(fore <= 0x00FFFFFFu && back <= 0x00FFFFFFu, element.name);
        QVERIFY2(contrast(fore, back) >= 4.5, element.name);
    }
}

void TestSeed::chimeIsAPlayableWave()
{
    TestFolder folder;
    const QString path =
        QDir::fromNativeSeparators(RecordSet(folder.database(), QStringLiteral("DinDon")).value("dindon").toString());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray wave = file.readAll();

    QVERIFY(wave.size() > 44);
    QCOMPARE(wave.left(4), QByteArray("RIFF"));
    QCOMPARE(le32(wave, 4), quint32(wave.size() - 8));
    QCOMPARE(wave.mid(8, 4), QByteArray("WAVE"));

    // Walk the chunks as a player does.
    qsizetype at = 12;
    quint16 format = 0, channels = 0, bits = 0, blockAlign = 0;
    quint32 rate = 0, byteRate = 0;
    QByteArray samples;
    while (at + 8 <= wave.size()) {
        const QByteArray id = wave.mid(at, 4);
        const quint32 size = le32(wave, at + 4);
        QVERIFY(at + 8 + size <= quint32(wave.size()));
        if (id == "fmt ") {
            QVERIFY(size >= 16);
            format = le16(wave, at + 8);
            channels = le16(wave, at + 10);
            rate = le32(wave, at + 12);
            byteRate = le32(wave, at + 16);
            blockAlign = le16(wave, at + 20);
            bits = le16(wave, at + 22);
        } else if (id == "data") {
            samples = wave.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    QCOMPARE(format, quint16(1));
    QCOMPARE(channels, quint16(1));
    QCOMPARE(bits, quint16(16));
    QVERIFY(rate >= 8000 && rate <= 48000);
    QCOMPARE(blockAlign, quint16(2));
    QCOMPARE(byteRate, rate * 2);

    const qsizetype frames = samples.size() / 2;
    const double seconds = static_cast<double>(frames) / rate;
    QVERIFY2(seconds >= 0.5 && seconds <= 2.5, qPrintable(QString::number(seconds)));

    int peak = 0;
    for (qsizetype i = 0; i < frames; ++i)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(samples.constData() + 2 * i))));
    QVERIFY2(peak > 8000, "the chime is too quiet");
    QVERIFY2(peak < 32767, "the chime clips");
    // It starts and ends in silence: no click when the display plays it.
    const auto sampleAt = [&](qsizetype i) {
        return std::abs(int(qFromLittleEndian<qint16>(samples.constData() + 2 * i)));
    };
    QVERIFY(sampleAt(0) < 500);
    QVERIFY(sampleAt(frames - 1) < 500);
}

void TestSeed::townsMatchReferenceList()
{
    QFile reference(QStringLiteral(TN2_SHARED_DIR "/data/comuni.tsv"));
    if (!reference.open(QIODevice::ReadOnly | QIODevice::Text))
        QSKIP("the reference list of towns is not available");

    QHash<QString, QStringList> byCode; // code -> name, province, region
    QSet<QString> provinces;
    const QStringList lines = QString::fromUtf8(reference.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList header = lines.value(0).split(QLatin1Char('\t'));
    const qsizetype code = header.indexOf(QLatin1String("Codice"));
    const qsizetype name = header.indexOf(QLatin1String("Comune"));
    const qsizetype province = header.indexOf(QLatin1String("Provincia"));
    const qsizetype region = header.indexOf(QLatin1String("Regione"));
    QVERIFY(code >= 0 && name >= 0 && province >= 0 && region >= 0);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(QLatin1Char('\t'));
        byCode.insert(fields.at(code), {fields.at(name), fields.at(province), fields.at(region)});
        provinces.insert(fields.at(province));
    }

    TestFolder folder;
    RecordSet towns(folder.database(), QStringLiteral("ComuniMeteo"));
    static const QRegularExpression sixDigits(QStringLiteral("^[0-9]{6}$"));
    QSet<QString> seededProvinces;
    for (; !towns.eof(); towns.moveNext()) {
        const QString seededCode = towns.value("Codice").toString();
        const QString where = seededCode + QLatin1Char(' ') + towns.value("Comune").toString();
        QVERIFY2(sixDigits.match(seededCode).hasMatch(), qPrintable(where));
        QVERIFY2(byCode.contains(seededCode), qPrintable(where));
        const QStringList expected = byCode.value(seededCode);
        QCOMPARE(towns.value("Comune").toString(), expected.at(0));
        QCOMPARE(towns.value("Provincia").toString(), expected.at(1));
        QCOMPARE(towns.value("Regione").toString(), expected.at(2));
        QVERIFY2(!seededProvinces.contains(expected.at(1)), qPrintable(where + QStringLiteral(": province twice")));
        seededProvinces.insert(expected.at(1));
    }
    QCOMPARE(seededProvinces, provinces);
}

void TestSeed::failedSeedLeavesNoDatabase()
{
    // A folder where the chime cannot be written: the creation fails as a whole, and no half-filled
    // database is left to pass for a good one at the next start.
    TestFolder folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dindon.wav")));
    QVERIFY_THROWS_EXCEPTION(StoreError, Database database(folder.path()));
    const QStringList left = QDir(folder.path()).entryList(QDir::Files);
    QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
}

QTEST_GUILESS_MAIN(TestSeed)
#include "tst_seed.moc"
