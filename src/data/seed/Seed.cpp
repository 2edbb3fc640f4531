#include "data/seed/Seed.h"

#include "data/JetValue.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"
#include "data/seed/BaseLayoutDesign.h"
#include "data/seed/ChimeSynth.h"
#include "data/seed/Towns.h"

#include <QDir>
#include <sqlite3.h>

namespace Seed {

namespace {

void addRow(RecordSet& records, const QStringList& columns, const QVariantList& values)
{
    records.addNew();
    for (qsizetype i = 0; i < columns.size(); ++i)
        records.setValue(columns.at(i), values.at(i));
    records.update();
}

void seedConfiguration(Database& database, const QString& chimePath)
{
    RecordSet configuration(database, QStringLiteral("Configurazione"));
    configuration.addNew();
    configuration.setValue(QStringLiteral("MisuraFormWH"), 3); // 1920 x 1080
    configuration.setValue(QStringLiteral("NumerazioneSingola"), JetValue::yesNo(false));
    configuration.setValue(QStringLiteral("MisuraFormLeft"), JetValue::single(0));
    configuration.setValue(QStringLiteral("MisuraFormTop"), JetValue::single(0));
    configuration.setValue(QStringLiteral("tempo"), QStringLiteral("5000"));
    configuration.setValue(QStringLiteral("MeteoCode"), QStringLiteral("0000"));
    configuration.setValue(QStringLiteral("StringaScorrevole"),
                           QStringLiteral("Benvenuti! Attendete la chiamata del vostro numero."));
    configuration.setValue(QStringLiteral("dindon"), chimePath);
    configuration.setValue(QStringLiteral("tempochiamata"), 5000.0);
    configuration.setValue(QStringLiteral("avviso"), JetValue::yesNo(false));
    configuration.setValue(QStringLiteral("qualelayout"), 1);
    // Playlists, music folder and weather address stay Null until the operator chooses them: each
    // window shows its own default for a value never written.
    configuration.update();
}

void seedLayoutNames(Database& database)
{
    const QStringList columns{QStringLiteral("LayoutNome"), QStringLiteral("LayoutDescrizione")};
    RecordSet names(database, QStringLiteral("DescrizioneLayout"));
    addRow(names, columns, {QStringLiteral("Layout Base"), QStringLiteral("Layout di Esempio o utile per la copia")});
    for (int number = 1; number <= 10; ++number)
        addRow(names, columns, {QStringLiteral("Layout %1").arg(number), QString(QLatin1String(""))});
}

void seedLayouts(Database& database)
{
    const QStringList& columns = LayoutRecords::columns();
    const qsizetype visible = columns.indexOf(QLatin1String("Visibile"));
    for (int number = 0; number <= 10; ++number) {
        RecordSet layout(database, LayoutTableName(number));
        for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
            QVariantList values = BaseLayoutDesign::values(row);
            // Layout1 starts as the base layout; the others start hidden, ready to be copied onto.
            if (number > 1)
                values[visible] = JetValue::yesNo(false);
            addRow(layout, columns, values);
        }
    }
}

// Nearly eight thousand rows on the first start: one statement prepared once and bound row after row,
// instead of a record set that builds, prepares and reads back every row (a third of the start).
void seedTowns(Database& database)
{
    const QString table = QStringLiteral("ComuniMeteo");
    const QString otherwise = QStringLiteral("L'elenco dei comuni non può essere scritto nel database.");
    sqlite3* db = database.handle();
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(
        db, "INSERT INTO \"ComuniMeteo\" (\"Comune\", \"Codice\", \"Provincia\", \"Regione\") VALUES (?, ?, ?, ?)", -1,
        &statement, nullptr);
    if (rc != SQLITE_OK)
        database.fail(rc, otherwise, table);
    const auto bind = [statement](int index, const QString& text) {
        return sqlite3_bind_text16(statement, index, text.utf16(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
    };
    for (const Towns::Town& town : Towns::all()) {
        rc = bind(1, town.comune);
        rc = rc == SQLITE_OK ? bind(2, town.codice) : rc;
        rc = rc == SQLITE_OK ? bind(3, town.provincia) : rc;
        rc = rc == SQLITE_OK ? bind(4, town.regione) : rc;
        rc = rc == SQLITE_OK ? sqlite3_step(statement) : rc;
        if (rc != SQLITE_DONE) {
            sqlite3_finalize(statement);
            database.fail(rc, otherwise, table, {}, town.comune);
        }
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
}

} // namespace

void populate(Database& database, const QString& folder)
{
    const QString chimePath =
        QDir::toNativeSeparators(QDir(folder).absoluteFilePath(QLatin1String(ChimeSynth::FileName)));
    ChimeSynth::writeTo(chimePath);

    seedConfiguration(database, chimePath);
    seedLayoutNames(database);
    seedLayouts(database);
    seedTowns(database);
    RecordSet chimes(database, QStringLiteral("DinDon"));
    addRow(chimes, {QStringLiteral("dindon")}, {chimePath});
}

} // namespace Seed
