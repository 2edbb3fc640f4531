#include "support/core/TestFolder.h"

#include "shell/store/JetValue.h"
#include "shell/store/RecordSet.h"
#include "shell/store/StoreError.h"

#include <QtTest>
#include <functional>

namespace {

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

// The configuration record by lower-case column name.
QVariantMap configurationRow(Database& database)
{
    QVariantMap row;
    RecordSet configuration(database, QStringLiteral("Configurazione"));
    for (const QString& column : configuration.columns())
        row.insert(column.toLower(), configuration.value(column));
    return row;
}

using Action = std::function<void(Database&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestRecordSet : public QObject
{
    Q_OBJECT

private slots:
    void addMoveCountDelete();
    void storedOnUpdateOnly_data();
    void storedOnUpdateOnly();
    void encodings_data();
    void encodings();
    void singleRecordRule_data();
    void singleRecordRule();
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

// A value set reaches the table on update only; the fields not set keep theirs.
void TestRecordSet::storedOnUpdateOnly_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QStringList>("stored");
    const QStringList unchanged{"Rossi", "Bianchi"};
    QTest::newRow("edit, update") << "update" << QStringList{"Gialli", "Bianchi"};
    QTest::newRow("edit, record set let go") << "drop" << unchanged;
    QTest::newRow("edit, then move") << "move" << unchanged;
    QTest::newRow("new row, record set let go") << "add" << unchanged;
}

void TestRecordSet::storedOnUpdateOnly()
{
    QFETCH(QString, ending);
    QFETCH(QStringList, stored);
    TestFolder folder;
    Database& database = folder.database();
    addOperators(database, {"Rossi", "Bianchi"});
    {
        RecordSet operators(database, QStringLiteral("utenti"));
        if (ending == QLatin1String("add"))
            operators.addNew();
        else
            operators.edit();
        operators.setValue("nominativo", QStringLiteral("Gialli"));
        QCOMPARE(operatorNames(database), (QStringList{"Rossi", "Bianchi"}));
        if (ending == QLatin1String("move")) {
            operators.moveNext();
            QCOMPARE(operators.value("nominativo").toString(), QStringLiteral("Bianchi"));
        } else if (ending == QLatin1String("update")) {
            operators.update();
            QCOMPARE(operators.value("nominativo").toString(), QStringLiteral("Gialli"));
        }
    }
    QCOMPARE(operatorNames(database), stored);
    QCOMPARE(RecordSet(database, QStringLiteral("utenti")).value("percorsofoto"),
             QVariant(QStringLiteral("Rossi.jpg")));
}

void TestRecordSet::encodings_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("written");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("yes");

    QTest::newRow("yes is -1") << "FontBold" << JetValue::yesNo(true) << QVariant(-1) << true;
    QTest::newRow("1 is not yes") << "Visibile" << QVariant(1) << QVariant(1) << false;
    QTest::newRow("Null is not yes") << "Visibile" << JetValue::null() << QVariant() << false;
    QTest::newRow("single keeps its float") << "Top" << JetValue::single(2887.3) << QVariant(double(2887.3f)) << false;
    QTest::newRow("single from a float") << "Left" << QVariant(2887.3f) << QVariant(double(2887.3f)) << false;
    QTest::newRow("white 0x00FFFFFF") << "ColoreSfondo" << JetValue::colour(0x00FFFFFF) << QVariant(16777215) << false;
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
    QCOMPARE(read, stored);
    // QVariant compares "007" equal to 7: the kind must be checked on its own.
    QCOMPARE(read.typeId() == QMetaType::QString, stored.typeId() == QMetaType::QString);
    QCOMPARE(JetValue::isYes(read), yes);
}

// Writing one field of the configuration record changes that field only, Nulls included, and
// column and table names are matched without regard to case.
void TestRecordSet::singleRecordRule_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("weather address, Null before") << "meteo" << QVariant(QStringLiteral("http://x/box"));
    QTest::newRow("default layout, other case") << "QualeLayout" << QVariant(7);
}

void TestRecordSet::singleRecordRule()
{
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    TestFolder folder;
    Database& database = folder.database();
    QVariantMap before = configurationRow(database);
    QVERIFY2(before.values().contains(QVariant()), "the seed leaves some fields Null");
    {
        RecordSet configuration(database, QStringLiteral("configurazione"));
        configuration.edit();
        configuration.setValue(column, value);
        configuration.update();
    }

    QCOMPARE(RecordSet(database, QStringLiteral("CONFIGURAZIONE")).value(column.toUpper()), value);
    QCOMPARE(RecordSet(database, QStringLiteral("Configurazione")).count(), 1);
    QVariantMap after = configurationRow(database);
    QCOMPARE(after.take(column.toLower()), value);
    before.remove(column.toLower());
    QCOMPARE(after, before);
}

void TestRecordSet::errorsNameFileTableColumn_data()
{
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column"); // empty: not asked for
    const auto add = [](const char* name, const char* table, const char* column, const Action& action) {
        QTest::newRow(name) << action << QString::fromLatin1(table) << QString::fromLatin1(column);
    };
    add("missing table", "Tabella1", "", [](Database& db) { RecordSet(db, QStringLiteral("Tabella1")); });
    add("missing table in a SELECT", "Tabella1", "",
        [](Database& db) { RecordSet(db, QStringLiteral("select * from Tabella1 order by [nome]")); });
    add("reading an unknown column", "Configurazione", "Risoluzione",
        [](Database& db) { RecordSet(db, QStringLiteral("Configurazione")).value("Risoluzione"); });
    add("setting an unknown column", "Configurazione", "Risoluzione", [](Database& db) {
        RecordSet configuration(db, QStringLiteral("Configurazione"));
        configuration.edit();
        configuration.setValue("Risoluzione", 3);
        configuration.update();
    });
    add("ordering by an unknown column", "utenti", "cognome",
        [](Database& db) { RecordSet(db, QStringLiteral("Select * from utenti order by [cognome]")); });
    add("searching an unknown column", "utenti", "cognome", [](Database& db) {
        RecordSet(db, QStringLiteral("utenti")).findFirst(QStringLiteral("[cognome]like'Rossi'"));
    });
    add("reading past the last row", "utenti", "",
        [](Database& db) { RecordSet(db, QStringLiteral("utenti")).value("nominativo"); });
    add("setting without edit", "Configurazione", "",
        [](Database& db) { RecordSet(db, QStringLiteral("Configurazione")).setValue("tempo", QStringLiteral("1")); });
}

void TestRecordSet::errorsNameFileTableColumn()
{
    QFETCH(Action, action);
    QFETCH(QString, table);
    QFETCH(QString, column);
    TestFolder folder;
    Database& database = folder.database();
    try {
        action(database);
        QFAIL("no StoreError");
    } catch (const StoreError& error) {
        QCOMPARE(error.file(), database.path());
        QCOMPARE(error.table(), table);
        if (!column.isEmpty())
            QCOMPARE(error.column(), column);
        QVERIFY(!error.operatorMessage().isEmpty());
        const QString text = error.fullText();
        QVERIFY2(text.contains(table) && text.contains(column), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(database.path())), qPrintable(text));
    }
    // The failure changed nothing.
    QCOMPARE(RecordSet(database, QStringLiteral("Configurazione")).value("tempo").toString(), QStringLiteral("5000"));
}

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
