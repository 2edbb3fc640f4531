#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include "core/LayoutTables.h"
#include "data/Database.h"
#include "data/LayoutTableReader.h"
#include "data/RecordSet.h"
#include "data/seed/Seed.h"
#include "data/seed/Towns.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

// A new database holds what every window and the display program need to start: any sound content
// serves, so only what the other parts rely on is checked here.
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
        // The default layout is a numbered one; meteo stays Null until chosen: the weather window
        // shows an empty preview only then. Names are empty, not Null, where none was given.
        RecordSet configuration(database, QStringLiteral("Configurazione"));
        QCOMPARE(configuration.value("qualelayout"), QVariant(1));
        QCOMPARE(configuration.value("meteo"), QVariant());
        RecordSet names(database, QStringLiteral("DescrizioneLayout"));
        for (int number = 0; number <= 10; names.moveNext(), ++number) {
            QVERIFY(!names.value("LayoutNome").toString().isEmpty());
            QVERIFY(!names.value("LayoutDescrizione").isNull());
        }

        // Every layout loads into the designer; Layout1 is the base layout, the others are the base
        // layout with every element hidden.
        const LayoutTables::Table base = LayoutTables::of(database, LayoutTableName(0));
        for (int number = 0; number <= 10; ++number) {
            LayoutTableReader(folder.store(), LayoutTableName(number)).read();
            const LayoutTables::Table layout = LayoutTables::of(database, LayoutTableName(number));
            QCOMPARE(number <= 1 ? LayoutTables::differenceIn(layout, base)
                                 : LayoutTables::differenceFromCleared(layout, base),
                     QString());
        }
    }

    // The default chime is a copy of the one DinDon row, a full native path into the program folder
    // (the player's test plays it).
    void defaultChime()
    {
        TestFolder folder;
        const QString chime = RecordSet(folder.database(), QStringLiteral("Configurazione")).value("dindon").toString();
        QCOMPARE(RecordSet(folder.database(), QStringLiteral("DinDon")).value("dindon").toString(), chime);
        QCOMPARE(QDir::toNativeSeparators(chime), chime);
        QCOMPARE(QFileInfo(QDir::fromNativeSeparators(chime)).absolutePath(),
                 QFileInfo(folder.path()).absoluteFilePath());
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
        QCOMPARE(byCode.value("066049"), (QStringList{"L'Aquila", "L'Aquila", "Abruzzo"}));
        QCOMPARE(byCode.value("040012"), (QStringList{"Forlì", "Forlì-Cesena", "Emilia-Romagna"}));
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
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSeed)
#include "tst_seed.moc"
