#include "data/seed/Seed.h"

#include "data/JetValue.h"
#include "data/LayoutRecords.h"
#include "data/RecordSet.h"
#include "data/seed/BaseLayoutDesign.h"
#include "data/seed/ChimeSynth.h"
#include "data/seed/Towns.h"

#include <QDir>

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

void seedTowns(Database& database)
{
    const QStringList columns{QStringLiteral("Comune"), QStringLiteral("Codice"), QStringLiteral("Provincia"),
                              QStringLiteral("Regione")};
    RecordSet towns(database, QStringLiteral("ComuniMeteo"));
    for (const Towns::Town& town : Towns::all())
        addRow(towns, columns, {town.comune, town.codice, town.provincia, town.regione});
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
