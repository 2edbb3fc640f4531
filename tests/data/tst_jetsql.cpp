#include "support/core/TestFolder.h"

#include "data/JetSql.h"
#include "data/RecordSet.h"

#include <QtTest>
#include <sqlite3.h>

namespace {

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
        addOperators(folder.database());
        QCOMPARE(namesOf(RecordSet(folder.database(), "select * from utenti where " + criterion), "nominativo"),
                 expected);

        RecordSet operators(folder.database(), QStringLiteral("utenti"));
        operators.moveNext();
        operators.findFirst(criterion);
        QCOMPARE(operators.noMatch(), expected.isEmpty());
        QCOMPARE(operators.value("nominativo").toString(), expected.value(0, Operators.at(1)));
    }

    // Byte order would give Bianco, Forlì Sala, ONEIL, bianchi, o'neil; names equal but for case sort
    // together.
    void orderIgnoresCase()
    {
        TestFolder folder;
        addOperators(folder.database());
        QStringList ordered = namesOf(
            RecordSet(folder.database(), QStringLiteral("Select * from utenti order by [nominativo]")), "nominativo");
        QCOMPARE(qAbs(ordered.indexOf("O'NEIL") - ordered.indexOf("o'neil")), 1);
        QVERIFY(ordered.indexOf("o'neil") < ordered.indexOf("O'NEILL"));
        const QStringList chain{"ALBA", "bianchi", "Bianco", "Forlì Sala", "O'NEILL", "ONEIL"};
        ordered.removeIf([&](const QString& name) { return !chain.contains(name); });
        QCOMPARE(ordered, chain);
    }

    // The database sorts its UTF-8 texts exactly as compareText orders the same texts in memory:
    // folded letters, accents, letters that fold to two, and characters beyond the first plane.
    void storeComparesAsCompareText()
    {
        const QStringList texts{"",      "a",          "A",          "ab",         "Ab",     "B",      "z",
                                "à",     "À",          "e\u0301",    "é",          "É",      "ß",      "SS",
                                "ss",    "Σ",          "σ",          "ς",          "İ",      "i",      "ǅ",
                                "ǆ",     "\U0001F600", "\U00010400", "\U00010428", "\uE000", "\uFFFD", "Forlì",
                                "FORLÌ", "forli",      "\u212A",     "k",          "Ka",     "\u017F", "S"};
        TestFolder folder;
        sqlite3* db = folder.database().handle();
        sqlite3_stmt* statement = nullptr;
        QCOMPARE(sqlite3_prepare_v2(db,
                                    "SELECT CASE WHEN ?1 = ?2 COLLATE JETTEXT THEN 0 WHEN ?1 < ?2 COLLATE JETTEXT "
                                    "THEN -1 ELSE 1 END",
                                    -1, &statement, nullptr),
                 SQLITE_OK);
        QStringList differences;
        for (const QString& a : texts) {
            for (const QString& b : texts) {
                const QByteArray left = a.toUtf8();
                const QByteArray right = b.toUtf8();
                sqlite3_bind_text(statement, 1, left.constData(), static_cast<int>(left.size()), SQLITE_TRANSIENT);
                sqlite3_bind_text(statement, 2, right.constData(), static_cast<int>(right.size()), SQLITE_TRANSIENT);
                QCOMPARE(sqlite3_step(statement), SQLITE_ROW);
                const int stored = sqlite3_column_int(statement, 0);
                const int expected = (JetSql::compareText(a, b) > 0) - (JetSql::compareText(a, b) < 0);
                if (stored != expected)
                    differences.append(
                        QStringLiteral("%1 vs %2: %3 instead of %4").arg(a, b).arg(stored).arg(expected));
                sqlite3_reset(statement);
            }
        }
        sqlite3_finalize(statement);
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
    }

    void recordSources_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("rows");
        const auto add = [](const char* source, const char* table, int rows) {
            QTest::newRow(source) << QString::fromLatin1(source) << QString::fromLatin1(table) << rows;
        };
        add("configurazione", "configurazione", 1);
        add("[DescrizioneLayout]", "DescrizioneLayout", 11);
        add("select * from LayoutBase where [Visibile] = True", "LayoutBase", 50);
        add("select * from Layout2 where [Visibile]=False", "Layout2", 50);
        add("SELECT * FROM DESCRIZIONELAYOUT WHERE [layoutnome] LIKE 'layout 1*'", "DESCRIZIONELAYOUT", 2);
        add("select * from ComuniMeteo where [Comune] like'sAS*' order by [comune]", "ComuniMeteo", 11);
    }

    void recordSources()
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
};

QTEST_GUILESS_MAIN(TestJetSql)
#include "tst_jetsql.moc"
