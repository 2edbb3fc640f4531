#include "data/Schema.h"

#include "data/Database.h"
#include "data/LayoutRecords.h"
#include "data/StoreError.h"

namespace Schema {

namespace {

Table layoutTable(const QString& name)
{
    Table table{name, {}};
    for (const QString& column : LayoutRecords::columns()) {
        QString type = QStringLiteral("REAL");
        if (column == QLatin1String("DescCampo") || column == QLatin1String("Testo") ||
            column == QLatin1String("NomeFont") || column == QLatin1String("PercorsoImmagine"))
            type = QStringLiteral("TEXT");
        else if (column.startsWith(QLatin1String("Font")) || column.startsWith(QLatin1String("Colore")) ||
                 column == QLatin1String("Allineamento") || column == QLatin1String("Visibile") ||
                 column == QLatin1String("SfondoTestoTrasparente"))
            type = QStringLiteral("INTEGER");
        table.columns.append({column, type});
    }
    return table;
}

QVector<Table> makeTables()
{
    const QString integer = QStringLiteral("INTEGER");
    const QString real = QStringLiteral("REAL");
    const QString text = QStringLiteral("TEXT");
    QVector<Table> all;
    all.append({QStringLiteral("Configurazione"),
                {{QStringLiteral("MisuraFormWH"), integer},
                 {QStringLiteral("NumerazioneSingola"), integer},
                 {QStringLiteral("MisuraFormLeft"), real},
                 {QStringLiteral("MisuraFormTop"), real},
                 {QStringLiteral("playlistFoto"), text},
                 {QStringLiteral("tempo"), text},
                 {QStringLiteral("playlistVideo"), text},
                 {QStringLiteral("cartellamp3"), text},
                 {QStringLiteral("meteo"), text},
                 {QStringLiteral("MeteoCode"), text},
                 {QStringLiteral("StringaScorrevole"), text},
                 {QStringLiteral("dindon"), text},
                 {QStringLiteral("tempochiamata"), real},
                 {QStringLiteral("avviso"), integer},
                 {QStringLiteral("qualelayout"), integer}}});
    for (int number = 0; number <= 10; ++number)
        all.append(layoutTable(LayoutTableName(number)));
    all.append({QStringLiteral("DescrizioneLayout"),
                {{QStringLiteral("LayoutNome"), text}, {QStringLiteral("LayoutDescrizione"), text}}});
    all.append(
        {QStringLiteral("utenti"), {{QStringLiteral("nominativo"), text}, {QStringLiteral("percorsofoto"), text}}});
    all.append({QStringLiteral("radio"), {{QStringLiteral("nomeradio"), text}, {QStringLiteral("PercorsoURL"), text}}});
    all.append({QStringLiteral("ComuniMeteo"),
                {{QStringLiteral("Comune"), text},
                 {QStringLiteral("Codice"), text},
                 {QStringLiteral("Provincia"), text},
                 {QStringLiteral("Regione"), text}}});
    all.append({QStringLiteral("DinDon"), {{QStringLiteral("dindon"), text}}});
    return all;
}

QString quoted(const QString& name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

const QVector<Table>& tables()
{
    static const QVector<Table> all = makeTables();
    return all;
}

void create(Database& database)
{
    for (const Table& table : tables()) {
        QStringList columns;
        for (const Column& column : table.columns)
            columns.append(quoted(column.name) + QLatin1Char(' ') + column.type);
        database.execute(
            QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(table.name), columns.join(QLatin1String(", "))),
            table.name);
    }
}

namespace {

void verifyTable(Database& database, const Table& table)
{
    {
        const QStringList present = database.columnsOf(table.name);
        if (present.isEmpty())
            throw StoreError(QStringLiteral("Nel database manca la tabella \"%1\".").arg(table.name), database.path(),
                             table.name);
        for (const Column& column : table.columns) {
            if (!present.contains(column.name, Qt::CaseInsensitive))
                throw StoreError(QStringLiteral("Nella tabella \"%1\" del database manca la colonna \"%2\".")
                                     .arg(table.name, column.name),
                                 database.path(), table.name, column.name);
        }
    }
}

} // namespace

void verify(Database& database)
{
    for (const Table& table : tables())
        verifyTable(database, table);
}

void verify(Database& database, const QString& name)
{
    for (const Table& table : tables()) {
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            verifyTable(database, table);
    }
}

} // namespace Schema
