#include "support/core/RawConnection.h"
#include "support/core/StoreErrorOf.h"
#include "support/core/TestFolder.h"

#include "data/JetSql.h"
#include "data/JetValue.h"
#include "data/RecordSet.h"
#include "data/StoreError.h"

#include <QtTest>
#include <functional>

namespace {

QStringList namesOf(RecordSet&& records)
{
    QStringList names;
    for (; !records.eof(); records.moveNext())
        names.append(records.value(QStringLiteral("nominativo")).toString());
    return names;
}

QStringList operatorNames(Database& database)
{
    return namesOf(RecordSet(database, QStringLiteral("utenti")));
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

// Operators' names chosen to trip a translator: apostrophes, SQL wildcards typed as text,
// case and accents.
const QStringList Operators{QStringLiteral("O'NEIL"),     QStringLiteral("ONEIL"),      QStringLiteral("o'neil"),
                            QStringLiteral("O'NEILL"),    QStringLiteral("100% Rossi"), QStringLiteral("1000 Rossi"),
                            QStringLiteral("Anna_Maria"), QStringLiteral("AnnaXMaria"), QStringLiteral("Forlì Sala"),
                            QStringLiteral("bianchi"),    QStringLiteral("Bianco"),     QStringLiteral("ALBA")};

// The first row of `table` by lower-case column name.
QVariantMap firstRow(Database& database, const QString& table)
{
    QVariantMap row;
    RecordSet records(database, table);
    for (const QString& column : records.columns())
        row.insert(column.toLower(), records.value(column));
    return row;
}

using Action = std::function<void(Database&)>;

} // namespace

Q_DECLARE_METATYPE(Action)

// Record sets read and write the tables in the Jet dialect the settings were written for: its
// criteria, its LIKE and its case-free order.
class TestRecordSet : public QObject
{
    Q_OBJECT

private slots:
    // A value set reaches the table on update only; the fields not set keep theirs.
    void storedOnUpdateOnly_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<QStringList>("stored");
        const QStringList unchanged{"Rossi", "Bianchi"};
        QTest::newRow("edit, update") << "update" << QStringList{"Gialli", "Bianchi"};
        QTest::newRow("edit, record set let go") << "drop" << unchanged;
        QTest::newRow("edit, then move") << "move" << unchanged;
        QTest::newRow("new row, record set let go") << "add" << unchanged;
    }

    void storedOnUpdateOnly()
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

    // A value written is read back in the kind the display program expects; only that field of that row
    // changes, Nulls included; table and column names are matched without regard to case.
    void oneFieldWritten_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("yes");
        const auto add = [](const char* name, const char* column, const QVariant& written, const QVariant& stored,
                            bool yes = false, const char* table = "Layout3") {
            QTest::newRow(name) << QString::fromLatin1(table) << QString::fromLatin1(column) << written << stored
                                << yes;
        };
        add("yes is -1", "FontBold", JetValue::yesNo(true), -1, true);
        add("1 is not yes", "Visibile", 1, 1);
        add("Null is not yes", "Visibile", JetValue::null(), QVariant());
        add("single keeps its float", "Top", JetValue::single(2887.3), double(2887.3f));
        add("white 0x00FFFFFF", "ColoreSfondo", JetValue::colour(0x00FFFFFF), 16777215);
        add("text with apostrophe and accent", "Testo", QStringLiteral("L'Aquila – Forlì"),
            QStringLiteral("L'Aquila – Forlì"));
        add("empty text stays empty", "Testo", QString(), QString());
        add("Null text stays Null", "Testo", JetValue::null(), QVariant());
        add("digits as text stay text", "Testo", QStringLiteral("007"), QStringLiteral("007"));
        add("default layout, other case", "QualeLayout", 7, 7, false, "Configurazione");
    }

    void oneFieldWritten()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QVariant, written);
        QFETCH(QVariant, stored);
        QFETCH(bool, yes);
        TestFolder folder;
        Database& database = folder.database();
        const int rows = RecordSet(database, table).count();
        QVariantMap before = firstRow(database, table);
        QVERIFY2(before.values().contains(QVariant()), "the seed leaves some fields Null");
        {
            RecordSet records(database, table.toLower());
            records.edit();
            records.setValue(column, written);
            records.update();
        }

        const QVariant read = RecordSet(database, table.toUpper()).value(column.toUpper());
        QCOMPARE(read, stored);
        // QVariant compares "007" equal to 7: the kind must be checked on its own.
        QCOMPARE(read.typeId() == QMetaType::QString, stored.typeId() == QMetaType::QString);
        QCOMPARE(JetValue::isYes(read), yes);
        QVariantMap after = firstRow(database, table);
        after.remove(column.toLower());
        before.remove(column.toLower());
        QCOMPARE(after, before);
        QCOMPARE(RecordSet(database, table).count(), rows);
    }

    void errorsNameFileTableColumn_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column"); // empty: not asked for
        QTest::addColumn<QString>("saying"); // part of the operator's sentence
        const auto add = [](const char* name, const char* table, const char* column, const Action& action,
                            const char* saying = "") {
            QTest::newRow(name) << action << QString::fromLatin1(table) << QString::fromLatin1(column)
                                << QString::fromLatin1(saying);
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
        // The display (or anything else) holding the write lock past the busy timeout.
        add(
            "writing under another program's lock", "Configurazione", "tempo",
            [](Database& db) {
                RawConnection display(db.path());
                QVERIFY(display.exec("BEGIN IMMEDIATE"));
                RecordSet configuration(db, QStringLiteral("Configurazione"));
                configuration.edit();
                configuration.setValue(QStringLiteral("tempo"), QStringLiteral("9000"));
                configuration.update();
            },
            "bloccato");
    }

    void errorsNameFileTableColumn()
    {
        QFETCH(Action, action);
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, saying);
        TestFolder folder;
        Database& database = folder.database();
        const auto error = storeErrorOf([&] { action(database); });
        QVERIFY(error);
        QCOMPARE(error->file(), database.path());
        QCOMPARE(error->table(), table);
        if (!column.isEmpty())
            QCOMPARE(error->column(), column);
        QVERIFY2(!error->operatorMessage().isEmpty() && error->operatorMessage().contains(saying),
                 qPrintable(error->operatorMessage()));
        const QString text = error->fullText();
        QVERIFY2(text.contains(table) && text.contains(column) &&
                     text.contains(QDir::toNativeSeparators(database.path())),
                 qPrintable(text));
        // The failure changed nothing.
        QCOMPARE(RecordSet(database, QStringLiteral("Configurazione")).value("tempo").toString(),
                 QStringLiteral("5000"));
    }

    void like_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        const struct {
            const char* text;
            const char* pattern;
            bool matches;
        } cases[] = {
            // clang-format off
            // Letters without regard to case, accented ones too; an accented letter is not its base letter.
            {"Roma", "Roma", true}, {"roma", "ROMA", true}, {"forlì", "FORLÌ*", true}, {"Forli", "Forlì", false},
            {"Romano", "Roma", false},
            // * any run, none included.
            {"San Marco", "San*", true}, {"Sa", "San*", false}, {"San", "San*", true}, {"Milano", "*lan*", true},
            {"abcbc", "*bc", true}, {"abd", "a*c", false}, {"ab", "a**b", true}, {"", "*", true},
            // ? exactly one character, # exactly one digit.
            {"O'NEIL", "O?NEIL", true}, {"ONEIL", "O?NEIL", false}, {"O''NEIL", "O?NEIL", false}, {"", "?", false},
            {"A1", "A#", true}, {"AB", "A#", false}, {"A12", "A#", false},
            // Sets and ranges, negated with !; a wildcard inside brackets is itself; an unclosed [ is literal.
            {"b", "[abc]", true}, {"d", "[abc]", false}, {"M", "[a-z]", true}, {"5", "[a-z]", false},
            {"5", "[!a-z]", true}, {"m", "[!a-z]", false}, {"Cas1", "Ca[a-z]#", true}, {"a*b", "a[*]b", true},
            {"axb", "a[*]b", false}, {"a[b", "a[b", true},
            // A * gives back what the items after it need, however many stars there are.
            {"abcabd", "*abd", true}, {"mississippi", "*sip*", true}, {"ab1", "*?#", true}, {"abab", "*a[b]", true},
            {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "*a*a*a*a*a*a*a*a*a*a*a*a*x", false},
            {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*a*a*a*a*b", true},
            // What SQL would take for wildcards is plain text here.
            {"100%", "100%", true}, {"1000", "100%", false}, {"a_b", "a_b", true}, {"axb", "a_b", false},
            // clang-format on
        };
        for (const auto& c : cases)
            QTest::addRow("'%s' like '%s'", c.text, c.pattern)
                << QString::fromUtf8(c.text) << QString::fromUtf8(c.pattern) << c.matches;
    }

    void like()
    {
        QFETCH(QString, text);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(JetSql::like(text, pattern), matches);
    }

    // The same rules inside the SQLite statements a record set runs, and in findFirst, which on no
    // match leaves the record set where it was.
    void criteria_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("doubled apostrophe") << "[nominativo] like 'O''NEIL'" << QStringList{"O'NEIL", "o'neil"};
        QTest::newRow("? for the apostrophe, no blanks")
            << "[nominativo]like'O?NEIL'" << QStringList{"O'NEIL", "o'neil"};
        QTest::newRow("prefix") << "[nominativo] like 'o''neil*'" << QStringList{"O'NEIL", "o'neil", "O'NEILL"};
        QTest::newRow("% typed by the operator") << "[nominativo] like '100%*'" << QStringList{"100% Rossi"};
        QTest::newRow("% stays literal") << "[nominativo]like'100%'" << QStringList();
        QTest::newRow("_ typed by the operator") << "[nominativo] like 'Anna_*'" << QStringList{"Anna_Maria"};
        QTest::newRow("like ignores case") << "[nominativo]like'BIANCO'" << QStringList{"Bianco"};
        QTest::newRow("= ignores case") << "[nominativo] = 'BIANCHI'" << QStringList{"bianchi"};
        QTest::newRow("column name in other case") << "[NOMINATIVO] like 'alba'" << QStringList{"ALBA"};
    }

    void criteria()
    {
        QFETCH(QString, criterion);
        QFETCH(QStringList, expected);
        TestFolder folder;
        addOperators(folder.database(), Operators);
        QCOMPARE(namesOf(RecordSet(folder.database(), "select * from utenti where " + criterion)), expected);

        RecordSet operators(folder.database(), QStringLiteral("utenti"));
        operators.moveNext();
        operators.findFirst(criterion);
        QCOMPARE(operators.noMatch(), expected.isEmpty());
        QCOMPARE(operators.value("nominativo").toString(), expected.value(0, Operators.at(1)));
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"
