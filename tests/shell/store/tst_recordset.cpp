#include "support/core/TestFolder.h"

#include "shell/store/JetValue.h"
#include "shell/store/RecordSet.h"
#include "shell/store/StoreError.h"

#include <QtTest>

namespace
{

QStringList operatorNames(Database& database)
{
    QStringList names;
    for (RecordSet records(database, QStringLiteral("utenti")); !records.eof(); records.moveNext())
        names.append(records.value(QStringLiteral("nominativo")).toString());
    return names;
}

void addOperators(Database& database, const QStringList& names)
{
    RecordSet operators(database, QStringLiteral("utenti"));
    for (const QString& name : names) {
        operators.addNew();
        operators.setValue(QStringLiteral("nominativo"), name);
        operators.setValue(QStringLiteral("percorsofoto"), QString(name + QStringLiteral(".jpg")));
        operators.update();
    }
}

QVariantList configurationValues(Database& database)
{
    QVariantList values;
    RecordSet configuration(database, QStringLiteral("Configurazione"));
    for (const QString& column : configuration.columns())
        values.append(configuration.value(column));
    return values;
}

enum class Failing {
    MissingTable,
    MissingTableInSelect,
    ReadUnknown,
    SetUnknown,
    OrderByUnknown,
    FindUnknown,
    ReadPastEnd,
    SetWithoutEdit
};

} // namespace

Q_DECLARE_METATYPE(Failing)

class TestRecordSet : public QObject
{
    Q_OBJECT

private slots:
    void addMoveCountDelete();
    void editStoresOnlyOnUpdate();
    void unstoredValuesAreLost_data();
    void unstoredValuesAreLost();
    void encodings_data();
    void encodings();
    void singleRecordRule_data();
    void singleRecordRule();
    void columnNamesInAnyCase_data();
    void columnNamesInAnyCase();
    void errorsNameFileTableColumn_data();
    void errorsNameFileTableColumn();
};

void TestRecordSet::addMoveCountDelete()
{
    TestFolder folder;
    Database& database = folder.database();
    addOperators(database, {"Rossi", "Bianchi", "Verdi"});

    RecordSet operators(database, QStringLiteral("utenti"));
    QCOMPARE(operators.count(), 3);
    QCOMPARE(operators.value("nominativo").toString(), QStringLiteral("Rossi")); // stands on the first row
    operators.moveNext();
    QCOMPARE(operators.value("percorsofoto").toString(), QStringLiteral("Bianchi.jpg"));

    operators.deleteCurrent();
    QVERIFY(!operators.eof());
    QCOMPARE(operators.value("nominativo").toString(), QStringLiteral("Verdi"));
    QCOMPARE(operators.count(), 2);
    operators.moveNext();
    QVERIFY(operators.eof());

    // A row added to an open record set joins it and the table, in stored order.
    operators.addNew();
    operators.setValue("nominativo", QStringLiteral("Neri"));
    operators.update();
    QCOMPARE(operators.count(), 3);
    QCOMPARE(operatorNames(database), (QStringList{"Rossi", "Verdi", "Neri"}));

    RecordSet last(database, QStringLiteral("utenti"));
    last.moveNext();
    last.moveNext();
    last.deleteCurrent();
    QVERIFY(last.eof());
    QCOMPARE(operatorNames(database), (QStringList{"Rossi", "Verdi"}));
}

void TestRecordSet::editStoresOnlyOnUpdate()
{
    TestFolder folder;
    Database& database = folder.database();
    addOperators(database, {"Rossi", "Bianchi"});

    RecordSet operators(database, QStringLiteral("utenti"));
    operators.moveNext();
    operators.edit();
    operators.setValue("nominativo", QStringLiteral("Bianchi Anna"));
    QCOMPARE(operatorNames(database), (QStringList{"Rossi", "Bianchi"}));
    operators.update();
    QCOMPARE(operators.value("nominativo").toString(), QStringLiteral("Bianchi Anna"));
    QCOMPARE(operatorNames(database), (QStringList{"Rossi", "Bianchi Anna"}));
    // The field not set keeps its value.
    QCOMPARE(RecordSet(database, "Select * from utenti where [nominativo] like 'Bianchi*'").value("percorsofoto"),
             QVariant(QStringLiteral("Bianchi.jpg")));
}

void TestRecordSet::unstoredValuesAreLost_data()
{
    QTest::addColumn<QString>("ending");
    QTest::newRow("edit, record set let go") << "drop";
    QTest::newRow("edit, then move") << "move";
    QTest::newRow("new row, record set let go") << "add";
}

void TestRecordSet::unstoredValuesAreLost()
{
    QFETCH(QString, ending);
    TestFolder folder;
    Database& database = folder.database();
    addOperators(database, {"Rossi", "Bianchi"});
    {
        RecordSet operators(database, QStringLiteral("utenti"));
        if (ending == QLatin1String("add")) {
            operators.addNew();
        } else {
            operators.edit();
        }
        operators.setValue("nominativo", QStringLiteral("Gialli"));
        if (ending == QLatin1String("move")) {
            operators.moveNext();
            QCOMPARE(operators.value("nominativo").toString(), QStringLiteral("Bianchi"));
        }
    }
    QCOMPARE(operatorNames(database), (QStringList{"Rossi", "Bianchi"}));
}

void TestRecordSet::encodings_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("yes");

    QTest::newRow("yes is -1") << "FontBold" << JetValue::yesNo(true) << QVariant(-1) << true;
    QTest::newRow("no is 0") << "FontBold" << JetValue::yesNo(false) << QVariant(0) << false;
    QTest::newRow("1 is not yes") << "Visibile" << QVariant(1) << QVariant(1) << false;
    QTest::newRow("Null is not yes") << "Visibile" << JetValue::null() << QVariant() << false;
    QTest::newRow("single keeps its float") << "Top" << JetValue::single(2887.3) << QVariant(double(2887.3f)) << false;
    QTest::newRow("single from a float") << "Left" << QVariant(2887.3f) << QVariant(double(2887.3f)) << false;
    QTest::newRow("white 0x00FFFFFF") << "ColoreSfondo" << JetValue::colour(0x00FFFFFF) << QVariant(16777215) << false;
    QTest::newRow("red in the low byte") << "ColoreTesto" << JetValue::colour(0x000000FF) << QVariant(255) << false;
    QTest::newRow("16-bit alignment") << "Allineamento" << JetValue::integer16(2) << QVariant(2) << false;
    QTest::newRow("text with apostrophe and accent") << "Testo" << QVariant(QStringLiteral("L'Aquila – Forlì"))
                                                     << QVariant(QStringLiteral("L'Aquila – Forlì")) << false;
    QTest::newRow("empty text stays empty") << "Testo" << QVariant(QString()) << QVariant(QString()) << false;
    QTest::newRow("Null text stays Null") << "Testo" << JetValue::null() << QVariant() << false;
    QTest::newRow("digits as text stay text") << "Testo" << QVariant(QStringLiteral("007")) << QVariant("007") << false;
}

void TestRecordSet::encodings()
{
    QFETCH(QString, column);
    QFETCH(QVariant, written);
    QFETCH(QVariant, stored);
    QFETCH(bool, yes);
    TestFolder folder;
    {
        RecordSet layout(folder.database(), QStringLiteral("Layout3"));
        layout.edit();
        layout.setValue(column, written);
        layout.update();
    }
    const QVariant read = RecordSet(folder.database(), QStringLiteral("Layout3")).value(column);
    QCOMPARE(read.isNull(), stored.isNull());
    QCOMPARE(read, stored);
    QCOMPARE(JetValue::isYes(read), yes);
    if (column == QLatin1String("Top") || column == QLatin1String("Left"))
        QCOMPARE(JetValue::toSingle(read), 2887.3f);
    if (column.startsWith(QLatin1String("Colore")))
        QCOMPARE(JetValue::toColour(read), JetValue::toColour(written));
}

void TestRecordSet::singleRecordRule_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("resolution") << "MisuraFormWH" << QVariant(1);
    QTest::newRow("numbering") << "NumerazioneSingola" << JetValue::yesNo(true);
    QTest::newRow("window position") << "MisuraFormLeft" << JetValue::single(2887.3);
    QTest::newRow("picture time") << "tempo" << QVariant(QStringLiteral("12000"));
    QTest::newRow("weather address, Null before") << "meteo" << QVariant(QStringLiteral("http://x/box"));
    QTest::newRow("default layout, other case") << "QualeLayout" << QVariant(7);
}

void TestRecordSet::singleRecordRule()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    TestFolder folder;
    Database& database = folder.database();
    const QVariantList before = configurationValues(database);
    const QStringList columns = RecordSet(database, QStringLiteral("Configurazione")).columns();
    QVERIFY2(std::any_of(before.begin(), before.end(), [](const QVariant& v) { return v.isNull(); }),
             "the seed leaves some fields Null");

    {
        RecordSet configuration(database, QStringLiteral("configurazione"));
        configuration.edit();
        configuration.setValue(column, value);
        configuration.update();
    }

    QCOMPARE(RecordSet(database, QStringLiteral("Configurazione")).count(), 1);
    const QVariantList after = configurationValues(database);
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns.at(i).compare(column, Qt::CaseInsensitive) == 0) {
            QCOMPARE(after.at(i), value);
            continue;
        }
        QVERIFY2(after.at(i).isNull() == before.at(i).isNull() && after.at(i) == before.at(i),
                 qPrintable(columns.at(i)));
    }
}

void TestRecordSet::columnNamesInAnyCase_data()
{
    QTest::addColumn<QString>("writtenAs");
    QTest::addColumn<QString>("readAs");
    QTest::newRow("top / Top") << "top"
                               << "Top";
    QTest::newRow("LEFT / left") << "LEFT"
                                 << "left";
    QTest::newRow("percorsoimmagine / PercorsoImmagine") << "percorsoimmagine"
                                                         << "PercorsoImmagine";
    QTest::newRow("visibile / VISIBILE") << "visibile"
                                         << "VISIBILE";
}

void TestRecordSet::columnNamesInAnyCase()
{
    QFETCH(QString, writtenAs);
    QFETCH(QString, readAs);
    TestFolder folder;
    {
        RecordSet layout(folder.database(), QStringLiteral("Layout4"));
        layout.edit();
        layout.setValue(writtenAs, QVariant(-1));
        layout.update();
    }
    RecordSet layout(folder.database(), QStringLiteral("layout4"));
    QCOMPARE(layout.value(readAs), QVariant(-1));
    QCOMPARE(layout.value(writtenAs), QVariant(-1));
}

void TestRecordSet::errorsNameFileTableColumn_data()
{
    QTest::addColumn<Failing>("failing");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column"); // empty: not asked for

    QTest::newRow("missing table") << Failing::MissingTable << "Tabella1"
                                   << "";
    QTest::newRow("missing table in a SELECT") << Failing::MissingTableInSelect << "Tabella1"
                                               << "";
    QTest::newRow("reading an unknown column") << Failing::ReadUnknown << "Configurazione"
                                               << "Risoluzione";
    QTest::newRow("setting an unknown column") << Failing::SetUnknown << "Configurazione"
                                               << "Risoluzione";
    QTest::newRow("ordering by an unknown column") << Failing::OrderByUnknown << "utenti"
                                                   << "cognome";
    QTest::newRow("searching an unknown column") << Failing::FindUnknown << "utenti"
                                                 << "cognome";
    QTest::newRow("reading past the last row") << Failing::ReadPastEnd << "utenti"
                                               << "";
    QTest::newRow("setting without edit") << Failing::SetWithoutEdit << "Configurazione"
                                          << "";
}

void TestRecordSet::errorsNameFileTableColumn()
{
    QFETCH(Failing, failing);
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestFolder folder;
    Database& database = folder.database();

    try {
        switch (failing) {
        case Failing::MissingTable:
            RecordSet(database, QStringLiteral("Tabella1"));
            break;
        case Failing::MissingTableInSelect:
            RecordSet(database, QStringLiteral("select * from Tabella1 order by [nome]"));
            break;
        case Failing::ReadUnknown:
            RecordSet(database, QStringLiteral("Configurazione")).value("Risoluzione");
            break;
        case Failing::SetUnknown: {
            RecordSet configuration(database, QStringLiteral("Configurazione"));
            configuration.edit();
            configuration.setValue("Risoluzione", 3);
            configuration.update();
            break;
        }
        case Failing::OrderByUnknown:
            RecordSet(database, QStringLiteral("Select * from utenti order by [cognome]"));
            break;
        case Failing::FindUnknown:
            RecordSet(database, QStringLiteral("utenti")).findFirst(QStringLiteral("[cognome]like'Rossi'"));
            break;
        case Failing::ReadPastEnd:
            RecordSet(database, QStringLiteral("utenti")).value("nominativo");
            break;
        case Failing::SetWithoutEdit:
            RecordSet(database, QStringLiteral("Configurazione")).setValue("tempo", QStringLiteral("1"));
            break;
        }
        QFAIL("no StoreError");
    } catch (const StoreError& error) {
        QCOMPARE(error.file(), database.path());
        QCOMPARE(error.table(), table);
        if (!column.isEmpty())
            QCOMPARE(error.column(), column);
        QVERIFY(!error.operatorMessage().isEmpty());
        const QString text = error.fullText();
        QVERIFY2(text.contains(table), qPrintable(text));
        QVERIFY2(text.contains(column), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(database.path())), qPrintable(text));
    }
    // The failure changed nothing.
    QCOMPARE(RecordSet(database, QStringLiteral("Configurazione")).value("tempo").toString(), QStringLiteral("5000"));
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
