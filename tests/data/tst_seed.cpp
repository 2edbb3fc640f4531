#include "support/core/TestFolder.h"

#include "core/LayoutTables.h"
#include "data/Database.h"
#include "data/JetValue.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"
#include "data/seed/Seed.h"
#include "data/seed/Towns.h"
#include "support/core/StoreErrorOf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRectF>
#include <QSet>
#include <QtEndian>
#include <QtTest>
#include <cmath>

namespace {

using LayoutTables::Table;

QVariant cell(const QVariantList& row, const char* column)
{
    return row.at(LayoutRecords::columns().indexOf(QLatin1String(column)));
}

float single(const QVariantList& row, const char* column)
{
    return JetValue::toSingle(cell(row, column));
}

// The box row `index` covers; the weather box has a fixed size whatever its row holds.
QRectF areaOf(const Table& layout, int index)
{
    const QVariantList& row = layout[index];
    const bool weather = LayoutRecords::rows()[static_cast<std::size_t>(index)].kind == LayoutRecords::RowKind::Weather;
    return {single(row, "Left"), single(row, "Top"), weather ? LayoutRecords::WeatherWidth : single(row, "Larghezza"),
            weather ? LayoutRecords::WeatherHeight : single(row, "Altezza")};
}

// Contrast ratio as used for screen legibility (1 = none, 21 = black on white).
double contrast(std::uint32_t a, std::uint32_t b)
{
    const auto luminance = [](std::uint32_t ole) {
        const auto channel = [](std::uint32_t value) {
            const double c = static_cast<double>(value & 0xFFu) / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(ole) + 0.7152 * channel(ole >> 8) + 0.0722 * channel(ole >> 16);
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

template <typename T> T le(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<T>(bytes.constData() + at);
}

} // namespace

class TestSeed : public QObject
{
    Q_OBJECT

private slots:
    void newDatabaseContent()
    {
        TestFolder folder;
        Database& database = folder.database();
        const std::pair<const char*, int> counts[] = {
            {"Configurazione", 1}, {"DescrizioneLayout", 11}, {"DinDon", 1}, {"utenti", 0}, {"radio", 0}};
        for (const auto& [table, rows] : counts)
            QVERIFY2(RecordSet(database, QLatin1String(table)).count() == rows, table);

        // meteo stays Null until chosen: the weather window shows an empty preview only then.
        const QVariantMap expected{{"MisuraFormWH", 3},  {"qualelayout", 1},        {"NumerazioneSingola", 0},
                                   {"avviso", 0},        {"MisuraFormLeft", 0.0},   {"MisuraFormTop", 0.0},
                                   {"tempo", "5000"},    {"tempochiamata", 5000.0}, {"MeteoCode", "0000"},
                                   {"meteo", QVariant()}};
        RecordSet configuration(database, QStringLiteral("Configurazione"));
        for (auto field = expected.cbegin(); field != expected.cend(); ++field)
            QVERIFY2(configuration.value(field.key()) == field.value(), qPrintable(field.key()));
        QVERIFY(!configuration.value("StringaScorrevole").toString().isEmpty());

        // The default chime is a copy of the one DinDon row, a full native path into the program folder.
        const QString chime = configuration.value("dindon").toString();
        QCOMPARE(RecordSet(database, QStringLiteral("DinDon")).value("dindon").toString(), chime);
        QCOMPARE(QDir::toNativeSeparators(chime), chime);
        const QFileInfo chimeFile(QDir::fromNativeSeparators(chime));
        QVERIFY(chimeFile.isAbsolute());
        QCOMPARE(chimeFile.absolutePath(), QFileInfo(folder.path()).absoluteFilePath());

        RecordSet names(database, QStringLiteral("DescrizioneLayout"));
        QCOMPARE(names.value("LayoutNome").toString(), QStringLiteral("Layout Base"));
        QCOMPARE(names.value("LayoutDescrizione").toString(), QStringLiteral("Layout di Esempio o utile per la copia"));
        for (int number = 1; number <= 10; ++number) {
            names.moveNext();
            QCOMPARE(names.value("LayoutNome").toString(), QStringLiteral("Layout %1").arg(number));
            // An empty description, not Null: the chooser shows it as it is.
            QCOMPARE(names.value("LayoutDescrizione"), QVariant(QString()));
        }
    }

    // Layout1 is the base layout; the others are the base layout with every element hidden.
    void layoutTables()
    {
        TestFolder folder;
        const Table base = LayoutTables::of(folder.database(), LayoutTableName(0));
        QCOMPARE(base.size(), LayoutRecords::RowCount);
        for (const LayoutRecords::Row& element : LayoutRecords::rows())
            QCOMPARE(cell(base[element.number - 1], "DescCampo").toString(), QString::fromLatin1(element.name));
        for (int number = 1; number <= 10; ++number) {
            const Table layout = LayoutTables::of(folder.database(), LayoutTableName(number));
            QCOMPARE(layout.size(), LayoutRecords::RowCount);
            QCOMPARE(number == 1 ? LayoutTables::differenceIn(layout, base)
                                 : LayoutTables::differenceFromCleared(layout, base),
                     QString());
        }

        // In the base layout every element is visible, on screen, clear of the others, its text legible.
        QVERIFY(cell(base[47], "PercorsoImmagine").isNull());
        QVERIFY(!cell(base[49], "ColoreSfondo").isNull());
        const std::uint32_t screenColour = JetValue::toColour(cell(base[49], "ColoreSfondo"));
        const QRectF screen(0, 0, 28800, 16200);

        QVector<std::pair<QString, QRectF>> areas;
        for (const LayoutRecords::Row& element : LayoutRecords::rows()) {
            if (element.listPosition < 0)
                continue;
            const QVariantList& row = base[element.number - 1];
            const QString name = QString::fromLatin1(element.name);
            const QRectF area = areaOf(base, element.number - 1);
            QVERIFY2(JetValue::isYes(cell(row, "Visibile")), element.name);
            QVERIFY2(!area.isEmpty() && screen.contains(area), element.name);
            for (const auto& [otherName, other] : areas)
                QVERIFY2(!area.intersects(other), qPrintable(name + QStringLiteral(" overlaps ") + otherName));
            areas.append({name, area});
            if (element.kind != LayoutRecords::RowKind::Text && element.kind != LayoutRecords::RowKind::ScrollingText)
                continue;

            QCOMPARE(cell(row, "Testo").toString(), QString::fromUtf8(element.designText));
            QVERIFY2(!cell(row, "NomeFont").toString().isEmpty(), element.name);
            const int alignment = cell(row, "Allineamento").toInt();
            QVERIFY2(alignment >= 0 && alignment <= 2, element.name);
            // Readable across a waiting room, and one line of it fits its box at 96 dpi.
            const float points = single(row, "DimFont");
            QVERIFY2(points >= 14.0f, element.name);
            QVERIFY2(std::nearbyint(points * 96.0 / 72.0) * 1.15 <= area.height() / 15.0, element.name);
            const bool transparent = JetValue::isYes(cell(row, "SfondoTestoTrasparente"));
            const std::uint32_t back = transparent ? screenColour : JetValue::toColour(cell(row, "ColoreSfondo"));
            const std::uint32_t fore = JetValue::toColour(cell(row, "ColoreTesto"));
            QVERIFY2(fore <= 0x00FFFFFFu && back <= 0x00FFFFFFu, element.name);
            QVERIFY2(contrast(fore, back) >= 4.5, element.name);
        }
        QCOMPARE(areas.size(), LayoutRecords::ElementCount);

        // Each counter's line reads left to right: photo, number, workstation, operator, status.
        for (int counter = 0; counter < 8; ++counter) {
            const QRectF photo = areaOf(base, 32 + counter);
            double right = photo.right();
            for (int field = 0; field < 4; ++field) {
                const QRectF cell = areaOf(base, counter * 4 + field);
                QVERIFY(cell.left() >= right);
                QVERIFY(cell.top() < photo.bottom() && photo.top() < cell.bottom());
                right = cell.right();
            }
        }
    }

    void chimeIsAPlayableWave()
    {
        TestFolder folder;
        QFile file(QDir::fromNativeSeparators(
            RecordSet(folder.database(), QStringLiteral("DinDon")).value("dindon").toString()));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray wave = file.readAll();
        QVERIFY(wave.size() > 44);
        QCOMPARE(wave.left(4), QByteArray("RIFF"));
        QCOMPARE(le<quint32>(wave, 4), quint32(wave.size() - 8));
        QCOMPARE(wave.mid(8, 4), QByteArray("WAVE"));

        // Walk the chunks as a player does.
        QByteArray format;
        QByteArray samples;
        for (qsizetype at = 12; at + 8 <= wave.size();) {
            const qsizetype size = le<quint32>(wave, at + 4);
            QVERIFY(at + 8 + size <= wave.size());
            if (wave.mid(at, 4) == "fmt ")
                format = wave.mid(at + 8, size);
            else if (wave.mid(at, 4) == "data")
                samples = wave.mid(at + 8, size);
            at += 8 + size + (size & 1);
        }
        QVERIFY(format.size() >= 16);
        const quint32 rate = le<quint32>(format, 4);
        QVERIFY(rate >= 8000 && rate <= 48000);
        // PCM, mono, bytes per second, bytes per frame, bits per sample.
        QCOMPARE((QList<quint32>{le<quint16>(format, 0), le<quint16>(format, 2), le<quint32>(format, 8),
                                 le<quint16>(format, 12), le<quint16>(format, 14)}),
                 (QList<quint32>{1, 1, rate * 2, 2, 16}));

        const qsizetype frames = samples.size() / 2;
        const double seconds = static_cast<double>(frames) / rate;
        QVERIFY2(seconds >= 0.5 && seconds <= 2.5, qPrintable(QString::number(seconds)));
        const auto amplitude = [&](qsizetype i) { return std::abs(int(le<qint16>(samples, 2 * i))); };
        int peak = 0;
        for (qsizetype i = 0; i < frames; ++i)
            peak = std::max(peak, amplitude(i));
        QVERIFY2(peak > 8000 && peak < 32767, "the chime is too quiet or clips");
        // It starts and ends in silence: no click when the display plays it.
        QVERIFY(amplitude(0) < 500 && amplitude(frames - 1) < 500);
    }

    // Every town of the shipped list, with the code the weather service expects (leading zeros kept)
    // and names as ISTAT writes them.
    void townsMatchReferenceList()
    {
        TestFolder folder;
        QHash<QString, QStringList> byCode; // code -> town, province, region
        for (RecordSet towns(folder.database(), QStringLiteral("ComuniMeteo")); !towns.eof(); towns.moveNext()) {
            const QString code = towns.value("Codice").toString();
            QVERIFY2(code.size() == 6 && !byCode.contains(code), qPrintable(code));
            byCode.insert(code, {towns.value("Comune").toString(), towns.value("Provincia").toString(),
                                 towns.value("Regione").toString()});
        }
        QCOMPARE(byCode.size(), 7896);
        QCOMPARE(byCode.value("058091"), (QStringList{"Roma", "Roma", "Lazio"}));
        QCOMPARE(byCode.value("066049"), (QStringList{"L'Aquila", "L'Aquila", "Abruzzo"}));
        QCOMPARE(byCode.value("040012"), (QStringList{"Forlì", "Forlì-Cesena", "Emilia-Romagna"}));
        QCOMPARE(byCode.value("021008"), (QStringList{"Bolzano", "Bolzano", "Trentino-Alto Adige"}));
        QCOMPARE(byCode.value("007003").value(0), QStringLiteral("Aosta"));

        // A list that lost its shape is refused with the line named, never seeded in part.
        QVERIFY_THROWS_EXCEPTION(StoreError, Towns::parse("Comune\tCodice\n"));
        const QString said = storeErrorSentence(
            [] { Towns::parse("Codice\tComune\tProvincia\tRegione\n058091\tRoma\tRoma\tLazio\n001272\tTorino\n"); });
        QVERIFY2(said.contains(QStringLiteral("riga 3")), qPrintable(said));
    }

    // A folder where the chime cannot be written: the creation fails whole, leaving no half-filled database.
    void failedSeedLeavesNoDatabase()
    {
        TestFolder folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dindon.wav")));
        QVERIFY_THROWS_EXCEPTION(StoreError, Database database(folder.path(), &Seed::populate));
        const QStringList left = QDir(folder.path()).entryList(QDir::Files);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
    }
};

QTEST_GUILESS_MAIN(TestSeed)
#include "tst_seed.moc"
