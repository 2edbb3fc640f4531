#include "support/core/TestFolder.h"

#include "shell/store/JetSql.h"
#include "shell/store/RecordSet.h"

#include <QtTest>

namespace
{

QStringList namesOf(RecordSet&& records, const char* column)
{
    QStringList names;
    for (; !records.eof(); records.moveNext())
        names.append(records.value(QLatin1String(column)).toString());
    return names;
}

// Operators' names chosen to trip a translator: apostrophes, SQL wildcards typed as text,
// case and accents.
const QStringList Operators{QStringLiteral("O'NEIL"),     QStringLiteral("ONEIL"),      QStringLiteral("o'neil"),
                            QStringLiteral("O'NEILL"),    QStringLiteral("100% Rossi"), QStringLiteral("1000 Rossi"),
                            QStringLiteral("Anna_Maria"), QStringLiteral("AnnaXMaria"), QStringLiteral("Forlì Sala"),
                            QStringLiteral("bianchi"),    QStringLiteral("Bianco"),     QStringLiteral("ALBA")};

void addOperators(Database& database)
{
    RecordSet operators(database, QStringLiteral("utenti"));
    for (const QString& name : Operators) {
        operators.addNew();
        operators.setValue(QStringLiteral("nominativo"), name);
        operators.update();
    }
}

} // namespace

class TestJetSql : public QObject
{
    Q_OBJECT

private slots:
    void like_data();
    void like();
    void criteriaOnRecordSet_data();
    void criteriaOnRecordSet();
    void findFirstWithCriterion_data();
    void findFirstWithCriterion();
    void orderIgnoresCase();
    void prefixSearchOfTowns();
    void recordSources_data();
    void recordSources();
};

void TestJetSql::like_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("exact") << "Roma"
                           << "Roma" << true;
    QTest::newRow("case") << "roma"
                          << "ROMA" << true;
    QTest::newRow("accented case") << "forlì"
                                   << "FORLÌ*" << true;
    QTest::newRow("accent is not its base letter") << "Forli"
                                                   << "Forlì" << false;
    QTest::newRow("longer text") << "Romano"
                                 << "Roma" << false;

    QTest::newRow("* prefix") << "San Marco"
                              << "San*" << true;
    QTest::newRow("* prefix, too short") << "Sa"
                                         << "San*" << false;
    QTest::newRow("* matches nothing") << "San"
                                       << "San*" << true;
    QTest::newRow("* inside") << "Milano"
                              << "*lan*" << true;
    QTest::newRow("* must backtrack") << "abcbc"
                                      << "*bc" << true;
    QTest::newRow("* then wrong end") << "abd"
                                      << "a*c" << false;
    QTest::newRow("** as *") << "ab"
                             << "a**b" << true;
    QTest::newRow("empty text, *") << ""
                                   << "*" << true;

    QTest::newRow("? one character") << "O'NEIL"
                                     << "O?NEIL" << true;
    QTest::newRow("? not zero characters") << "ONEIL"
                                           << "O?NEIL" << false;
    QTest::newRow("? not two characters") << "O''NEIL"
                                          << "O?NEIL" << false;
    QTest::newRow("? on empty text") << ""
                                     << "?" << false;

    QTest::newRow("# digit") << "A1"
                             << "A#" << true;
    QTest::newRow("# not a letter") << "AB"
                                    << "A#" << false;
    QTest::newRow("# one digit only") << "A12"
                                      << "A#" << false;

    QTest::newRow("[abc] in") << "b"
                              << "[abc]" << true;
    QTest::newRow("[abc] out") << "d"
                               << "[abc]" << false;
    QTest::newRow("[a-z] in") << "m"
                              << "[a-z]" << true;
    QTest::newRow("[a-z] ignores case") << "M"
                                        << "[a-z]" << true;
    QTest::newRow("[a-z] out") << "5"
                               << "[a-z]" << false;
    QTest::newRow("[!a-z] in") << "5"
                               << "[!a-z]" << true;
    QTest::newRow("[!a-z] out") << "m"
                                << "[!a-z]" << false;
    QTest::newRow("[] in a word") << "Cas1"
                                  << "Ca[a-z]#" << true;
    QTest::newRow("[*] is a star") << "a*b"
                                   << "a[*]b" << true;
    QTest::newRow("[*] only a star") << "axb"
                                     << "a[*]b" << false;
    QTest::newRow("[?] only a question mark") << "axb"
                                              << "a[?]b" << false;
    QTest::newRow("unclosed [ is itself") << "a[b"
                                          << "a[b" << true;

    QTest::newRow("% is literal") << "100%"
                                  << "100%" << true;
    QTest::newRow("% is not a wildcard") << "1000"
                                         << "100%" << false;
    QTest::newRow("_ is literal") << "a_b"
                                  << "a_b" << true;
    QTest::newRow("_ is not a wildcard") << "axb"
                                         << "a_b" << false;
    QTest::newRow("apostrophe literal") << "L'Aquila"
                                        << "L'*" << true;
}

void TestJetSql::like()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(JetSql::like(text, pattern), matches);
}

void TestJetSql::criteriaOnRecordSet_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("doubled apostrophe") << "Select * from utenti where [nominativo] like 'O''NEIL'"
                                        << QStringList{"O'NEIL", "o'neil"};
    QTest::newRow("? for the apostrophe, no blanks")
        << "Select * from utenti where [nominativo]like'O?NEIL'" << QStringList{"O'NEIL", "o'neil"};
    QTest::newRow("prefix") << "Select * from utenti where [nominativo] like 'o''neil*'"
                            << QStringList{"O'NEIL", "o'neil", "O'NEILL"};
    QTest::newRow("% typed by the operator")
        << "select * from utenti where [nominativo] like '100%*'" << QStringList{"100% Rossi"};
    QTest::newRow("_ typed by the operator")
        << "select * from utenti where [nominativo] like 'Anna_*'" << QStringList{"Anna_Maria"};
    QTest::newRow("# digits") << "select * from utenti where [nominativo] like '###*'"
                              << QStringList{"100% Rossi", "1000 Rossi"};
    QTest::newRow("set") << "select * from utenti where [nominativo] like '[b-c]*'" << QStringList{"bianchi", "Bianco"};
    QTest::newRow("accented prefix") << "select * from utenti where [nominativo] like 'FORLÌ*'"
                                     << QStringList{"Forlì Sala"};
    QTest::newRow("= ignores case") << "select * from utenti where [nominativo] = 'BIANCHI'" << QStringList{"bianchi"};
    QTest::newRow("lower-case keywords and names")
        << "select * from UTENTI where [Nominativo] like 'alba'" << QStringList{"ALBA"};
}

void TestJetSql::criteriaOnRecordSet()
{
    QFETCH(QString, source);
    QFETCH(QStringList, expected);
    TestFolder folder;
    addOperators(folder.database());
    QCOMPARE(namesOf(RecordSet(folder.database(), source), "nominativo"), expected);
}

void TestJetSql::findFirstWithCriterion_data()
{
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<QString>("found"); // empty: no match

    QTest::newRow("apostrophe replaced by ?") << "[nominativo]like'O?NEIL'"
                                              << "O'NEIL";
    QTest::newRow("duplicate check ignores case") << "[nominativo]like'BIANCO'"
                                                  << "Bianco";
    QTest::newRow("% stays literal") << "[nominativo]like'100%'"
                                     << "";
    QTest::newRow("no match") << "[nominativo]like'Verdi'"
                              << "";
}

void TestJetSql::findFirstWithCriterion()
{
    QFETCH(QString, criterion);
    QFETCH(QString, found);
    TestFolder folder;
    addOperators(folder.database());
    RecordSet operators(folder.database(), QStringLiteral("utenti"));
    operators.moveNext(); // a search that fails must leave the record set where it was
    operators.findFirst(criterion);
    QCOMPARE(operators.noMatch(), found.isEmpty());
    QCOMPARE(operators.value("nominativo").toString(), found.isEmpty() ? Operators.at(1) : found);
}

void TestJetSql::orderIgnoresCase()
{
    TestFolder folder;
    addOperators(folder.database());
    const QStringList ordered = namesOf(
        RecordSet(folder.database(), QStringLiteral("Select * from utenti order by [nominativo]")), "nominativo");
    QCOMPARE(ordered.size(), Operators.size());
    // Byte order would give Bianco, Forlì Sala, ONEIL, bianchi, o'neil.
    const QStringList chain{"ALBA", "bianchi", "Bianco", "Forlì Sala", "O'NEILL", "ONEIL"};
    QStringList seen;
    for (const QString& name : ordered) {
        if (chain.contains(name))
            seen.append(name);
    }
    QCOMPARE(seen, chain);
    // Names equal but for case sort together.
    QCOMPARE(qAbs(ordered.indexOf("O'NEIL") - ordered.indexOf("o'neil")), 1);
    QVERIFY(ordered.indexOf("o'neil") < ordered.indexOf("O'NEILL"));
}

void TestJetSql::prefixSearchOfTowns()
{
    TestFolder folder;
    for (const QString& typed : {QStringLiteral("Sa"), QStringLiteral("sa"), QStringLiteral("SA")}) {
        const QString source = "select * from ComuniMeteo where [Comune] like'" + typed + "*'" + " order by [comune]";
        QCOMPARE(namesOf(RecordSet(folder.database(), source), "Comune"),
                 (QStringList{"Salerno", "Sassari", "Savona"}));
    }
    const QString apostrophe = QStringLiteral("select * from ComuniMeteo where [Comune] like'L?A*' order by [comune]");
    QCOMPARE(namesOf(RecordSet(folder.database(), apostrophe), "Comune"), (QStringList{"L'Aquila"}));
}

void TestJetSql::recordSources_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("rows");

    QTest::newRow("table name") << "Configurazione"
                                << "Configurazione" << 1;
    QTest::newRow("table name in lower case") << "configurazione"
                                              << "configurazione" << 1;
    QTest::newRow("bracketed table name") << "[DescrizioneLayout]"
                                          << "DescrizioneLayout" << 11;
    QTest::newRow("SELECT with True") << "select * from LayoutBase where [Visibile] = True"
                                      << "LayoutBase" << 50;
    QTest::newRow("SELECT with False") << "select * from Layout2 where [Visibile]=False"
                                       << "Layout2" << 50;
}

void TestJetSql::recordSources()
{
    QFETCH(QString, source);
    QFETCH(QString, table);
    QFETCH(int, rows);
    TestFolder folder;
    QCOMPARE(JetSql::tableOf(source), table);
    RecordSet records(folder.database(), source);
    QCOMPARE(records.count(), rows);
    QCOMPARE(records.table(), table);
}

QTEST_GUILESS_MAIN(TestJetSql)
#include "tst_jetsql.moc"
