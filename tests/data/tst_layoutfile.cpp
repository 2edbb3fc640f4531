#include "data/Database.h"
#include "data/LayoutFile.h"
#include "data/LayoutNames.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"
#include "data/SettingsBackup.h"
#include "data/StoreError.h"
#include "data/ZipArchive.h"
#include "support/core/ArchiveEdit.h"
#include "support/core/FileBytes.h"
#include "support/core/LayoutTables.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

namespace {

using LayoutTables::Table;

void setCell(TestFolder& folder, int layout, int row, const QString& column, const QVariant& value)
{
    RecordSet records(folder.database(), LayoutTableName(layout));
    for (int skip = 1; skip < row; ++skip)
        records.moveNext();
    records.edit();
    records.setValue(column, value);
    records.update();
}

void setName(TestFolder& folder, int layout, const QString& name, const QString& description)
{
    LayoutNames names(folder.store());
    QVector<LayoutNames::Entry> entries = names.read();
    entries[layout] = {name, description};
    names.write(entries);
}

constexpr int BackgroundRow = 48;

// A layout file like `good` whose layout document `edit` changed, checksums kept right.
void rewriteLayout(const QString& good, const QString& target, const std::function<void(QJsonObject&)>& edit)
{
    rewriteArchive(good, target, true, [&](auto& files, auto&) {
        QJsonObject layout = QJsonDocument::fromJson(files.value(QStringLiteral("layout.json"))).object();
        edit(layout);
        files.insert(QStringLiteral("layout.json"), QJsonDocument(layout).toJson());
    });
}

} // namespace

class TestLayoutFile : public QObject
{
    Q_OBJECT
private slots:
    // A layout travels whole into any numbered layout: its fifty rows exactly as stored (Null
    // included), its description, and its name, save that a layout still called by its number takes
    // the target's (a named one travels through the chooser's test); nothing else changes.
    void roundTrip_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("target");
        QTest::newRow("layout 4, still \"Layout 4\", into layout 9") << 4 << 9;
        QTest::newRow("the base layout into layout 1") << 0 << 1;
    }

    void roundTrip()
    {
        QFETCH(int, source);
        QFETCH(int, target);
        TestFolder folder;
        if (source != 0) {
            setCell(folder, source, 1, QStringLiteral("Top"), 2887.5);
            setCell(folder, source, 1, QStringLiteral("Testo"), QVariant());
            setCell(folder, source, 2, QStringLiteral("NomeFont"), QStringLiteral("Segoe \"UI\" è"));
            setCell(folder, source, 50, QStringLiteral("ColoreSfondo"), 16777215);
            setName(folder, source, QStringLiteral("Layout %1").arg(source), QStringLiteral("Con meteo e video"));
        }
        const Table exported = LayoutTables::of(folder.database(), LayoutTableName(source));
        LayoutNames::Entry name = LayoutNames(folder.store()).read().at(source);
        name.name = QStringLiteral("Layout %1").arg(target);
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("sala.tnl"));
        LayoutFile::save(folder.store(), source, file);
        if (source != target) {
            setCell(folder, source, 3, QStringLiteral("Left"), 15.0);
            setName(folder, source, QStringLiteral("cambiato"), QString());
        }
        QVector<Table> expected = LayoutTables::allLayouts(folder.database());
        expected[target] = exported;
        QVector<LayoutNames::Entry> expectedNames = LayoutNames(folder.store()).read();
        expectedNames[target] = name;

        const LayoutNames::Entry written = LayoutFile::load(folder.store(), file, target);

        QCOMPARE(written.name, name.name);
        QCOMPARE(written.description, name.description);
        QCOMPARE(LayoutTables::allLayouts(folder.database()), expected);
        for (const auto& [storedName, storedDescription] : LayoutNames(folder.store()).read()) {
            QCOMPARE(storedName, expectedNames.first().name);
            QCOMPARE(storedDescription, expectedNames.takeFirst().description);
        }
    }

    // The background picture travels with the layout: it keeps its path where that path holds the
    // same picture, and lands in the program folder's Sfondi otherwise, beside any other picture of
    // that name. Other pictures are only listed.
    void backgroundPicture_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("expected"); // relative to the program folder, or "origin"
        QTest::newRow("same picture at its path") << "kept"
                                                  << "origin";
        QTest::newRow("picture gone") << "gone"
                                      << "Sfondi/sfondo.png";
        QTest::newRow("picture gone, another of that name in Sfondi") << "clash"
                                                                      << "Sfondi/sfondo (2).png";
        QTest::newRow("picture gone, the same one already in Sfondi") << "same"
                                                                      << "Sfondi/sfondo.png";
    }

    void backgroundPicture()
    {
        QFETCH(QString, situation);
        QFETCH(QString, expected);
        TestFolder folder;
        QTemporaryDir pictures;
        const QString origin = QDir::toNativeSeparators(pictures.filePath(QStringLiteral("sfondo.png")));
        writeBytes(origin, "PNG sfondo");
        setCell(folder, 4, BackgroundRow, QStringLiteral("PercorsoImmagine"), origin);
        setCell(folder, 4, 33, QStringLiteral("PercorsoImmagine"), QStringLiteral("/altrove/foto.jpg"));
        QTemporaryDir out;
        const QString file = out.filePath(QStringLiteral("quattro.tnl"));
        LayoutFile::save(folder.store(), 4, file);

        const ZipReader reader(file);
        const ArchiveManifest manifest = ArchiveManifest::readChecked(reader, ArchiveManifest::Kind::Layout, nullptr);
        QCOMPARE(manifest.filesOf(QStringLiteral("picture")).size(), 1);
        QCOMPARE(manifest.external.size(), 1);
        QCOMPARE(manifest.external.first().path, QStringLiteral("/altrove/foto.jpg"));

        if (situation != QLatin1String("kept"))
            QFile::remove(origin);
        if (situation == QLatin1String("clash"))
            writeBytes(folder.filePath(QStringLiteral("Sfondi/sfondo.png")), "un altro sfondo");
        if (situation == QLatin1String("same"))
            writeBytes(folder.filePath(QStringLiteral("Sfondi/sfondo.png")), "PNG sfondo");

        LayoutFile::load(folder.store(), file, 7);

        const QString stored =
            LayoutTables::of(folder.database(), QStringLiteral("Layout7")).at(BackgroundRow - 1).at(14).toString();
        const QString place =
            expected == QLatin1String("origin") ? origin : QDir::toNativeSeparators(folder.filePath(expected));
        QCOMPARE(stored, place);
        QCOMPARE(readBytes(place), QByteArray("PNG sfondo"));
        QCOMPARE(LayoutTables::of(folder.database(), QStringLiteral("Layout7")).at(32).at(14).toString(),
                 QStringLiteral("/altrove/foto.jpg"));
    }

    // What cannot become a layout is refused with its reason, and the target stays as it was.
    void refused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("said");
        QTest::newRow("into the base layout") << "good" << 0 << "Il Layout Base non può essere modificato";
        QTest::newRow("a settings backup") << "backup" << 2 << "non è un layout esportato";
        QTest::newRow("checksum differs") << "tampered" << 2 << "non corrisponde al suo codice di controllo";
        QTest::newRow("49 rows") << "short" << 2 << "contiene 49 righe invece di 50";
        QTest::newRow("a row without its font")
            << "null font" << 2 << "la riga 2 (Postazione1) non ha un valore nella colonna NomeFont";
        QTest::newRow("an alignment of 5") << "alignment" << 2 << "valore non valido nella colonna Allineamento";
        QTest::newRow("a column missing") << "no column" << 2 << "manca la colonna Visibile";
        QTest::newRow("a target table short of a row") << "short table" << 2 << "contiene solo 49 righe invece di 50";
    }

    void refused()
    {
        QFETCH(QString, kind);
        QFETCH(int, target);
        QFETCH(QString, said);
        TestFolder folder;
        QTemporaryDir out;
        const QString good = out.filePath(QStringLiteral("good.tnl"));
        setName(folder, 6, QStringLiteral("Sei"), QStringLiteral("da esportare"));
        LayoutFile::save(folder.store(), 6, good);
        const QString bad = out.filePath(QStringLiteral("bad.tnl"));
        const QString file = kind == QLatin1String("good") || kind == QLatin1String("short table") ? good : bad;
        if (kind == QLatin1String("backup")) {
            SettingsBackup::backup(folder.path(), bad);
        } else if (kind == QLatin1String("tampered")) {
            rewriteArchive(good, bad, false, [](auto& files, auto&) { files["layout.json"].replace("Sei", "Tre"); });
        } else if (kind == QLatin1String("short table")) {
            folder.database().execute(QStringLiteral("DELETE FROM Layout2 WHERE rowid = (SELECT max(rowid) FROM "
                                                     "Layout2)"));
        } else if (file == bad) {
            rewriteLayout(good, bad, [&](QJsonObject& layout) {
                QJsonArray rows = layout.value(QStringLiteral("rows")).toArray();
                QJsonObject row = rows.at(1).toObject();
                if (kind == QLatin1String("null font"))
                    row.insert(QStringLiteral("NomeFont"), QJsonValue::Null);
                else if (kind == QLatin1String("alignment"))
                    row.insert(QStringLiteral("Allineamento"), 5);
                else
                    row.remove(QStringLiteral("Visibile"));
                rows.replace(1, row);
                if (kind == QLatin1String("short"))
                    rows.removeLast();
                layout.insert(QStringLiteral("rows"), rows);
            });
        }
        const QVector<Table> before = LayoutTables::allLayouts(folder.database());
        const QVector<LayoutNames::Entry> names = LayoutNames(folder.store()).read();

        const QString message = storeErrorSentence([&] { LayoutFile::load(folder.store(), file, target); });

        QVERIFY2(message.contains(said), qPrintable(message));
        QCOMPARE(LayoutTables::allLayouts(folder.database()), before);
        QCOMPARE(LayoutNames(folder.store()).read().at(2).name, names.at(2).name);
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("Sfondi"))));
    }
};

QTEST_GUILESS_MAIN(TestLayoutFile)
#include "tst_layoutfile.moc"
