#include "support/core/TestFolder.h"

#include "data/ChimeList.h"
#include "data/RecordSet.h"
#include "data/RegisterTable.h"
#include "data/WeatherTowns.h"

#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(RegisterKind)

namespace {

// Empties the register and stores `names` in this order, each with a second text of its own.
void storeOnly(Database& database, RegisterKind kind, const QStringList& names)
{
    const QString table = kind == RegisterKind::Operators ? QStringLiteral("utenti") : QStringLiteral("radio");
    for (RecordSet rows(database, table); !rows.eof();)
        rows.deleteCurrent();
    RecordSet rows(database, table);
    for (const QString& name : names) {
        rows.addNew();
        rows.setValue(rows.columns().at(0), name);
        rows.setValue(rows.columns().at(1), QString(QStringLiteral("second of ") + name));
        rows.update();
    }
}

// Names in order, codes in any order: towns of the same name may come in either order.
std::pair<QStringList, QStringList> namesAndCodes(const QVector<WeatherTown>& towns)
{
    std::pair<QStringList, QStringList> result;
    for (const WeatherTown& town : towns) {
        result.first.append(town.comune);
        result.second.append(town.codice);
    }
    result.second.sort();
    return result;
}

} // namespace

// The lists the register windows show: operators and stations, chimes, weather towns.
class TestRegisters : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;
    QVector<WeatherTown> m_towns;

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<TestFolder>();
        m_towns = WeatherTowns(m_folder->store()).all();
    }
    void cleanupTestCase() { m_folder.reset(); }

    // The check runs the store's LIKE (tested with the Jet dialect) on the name upper-cased with its
    // apostrophes made wildcards. The window's test holds the cases an operator meets first (O'Neil,
    // a renamed row, A*) and names stored exactly as typed.
    void duplicate_data()
    {
        QTest::addColumn<RegisterKind>("kind");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("duplicate");
        const auto add = [](const char* row, RegisterKind kind, const char* stored, const char* typed, bool duplicate) {
            QTest::newRow(row) << kind << QString::fromUtf8(stored) << QString::fromUtf8(typed) << duplicate;
        };
        add("every apostrophe", RegisterKind::Operators, "d??Italia?", "D''ITALIA'", true);
        add("A* when none starts with A", RegisterKind::Operators, "Zeta", "A*", false);
        add("unclosed [ is itself", RegisterKind::Stations, "Radio [1", "radio [1", true);
        add("double quotes", RegisterKind::Stations, "Radio \"Uno\"", "RADIO \"UNO\"", true);
        add("accented letters in any case", RegisterKind::Operators, "niccolò", "NICCOLÒ", true);
        add("ß stays one letter", RegisterKind::Operators, "Straße", "STRAßE", true);
        add("radio register alone", RegisterKind::Stations, "Rossi", "rossi", true);
    }

    void duplicate()
    {
        QFETCH(RegisterKind, kind);
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, duplicate);
        storeOnly(m_folder->database(), kind, {stored});
        // The other register holds the typed name itself: only this one counts.
        storeOnly(m_folder->database(),
                  kind == RegisterKind::Operators ? RegisterKind::Stations : RegisterKind::Operators, {typed});
        QCOMPARE(RegisterTable(m_folder->store(), kind).isDuplicate(typed, std::nullopt), duplicate);
    }

    // A change or a delete reaches the row at its place in the list, and only while it holds what was shown.
    void changeAndRemoveByPosition()
    {
        storeOnly(m_folder->database(), RegisterKind::Operators,
                  {QStringLiteral("Carla"), QStringLiteral("anna"), QStringLiteral("Bruno")});
        RegisterTable table(m_folder->store(), RegisterKind::Operators);
        const QVector<RegisterEntry> before = table.list();
        QCOMPARE(before.at(1).name, QStringLiteral("Bruno"));

        QVERIFY(!table.change(1, before.at(0), {QStringLiteral("X"), QString()}));
        QVERIFY(!table.remove(3, before.at(2)));
        QVERIFY(!table.remove(-1, before.at(0)));
        QCOMPARE(table.list(), before);

        QVERIFY(table.change(1, before.at(1), {QStringLiteral("Dario"), QStringLiteral("d.jpg")}));
        QVERIFY(table.remove(0, before.at(0)));
        const QVector<RegisterEntry> expected{before.at(2), {QStringLiteral("Dario"), QStringLiteral("d.jpg")}};
        QCOMPARE(table.list(), expected);
    }

    // The same for a chime: when the list has changed under the window, nothing goes (the chime
    // window's test removes the rows it shows, duplicates included).
    void removeChimeChecksTheRow_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::newRow("another row there now") << 1 << "a.wav";
        QTest::newRow("past the end") << 3 << "a.wav";
        QTest::newRow("case counts") << 0 << "A.WAV";
    }

    void removeChimeChecksTheRow()
    {
        QFETCH(int, position);
        QFETCH(QString, shown);
        m_folder->database().execute(QStringLiteral("DELETE FROM DinDon"));
        ChimeList chimes(m_folder->store());
        for (const char* path : {"a.wav", "b.wav", "a.wav"})
            chimes.add(QLatin1String(path));
        QVERIFY(!chimes.remove(position, shown));
        QCOMPARE(chimes.paths(), QStringList({"a.wav", "b.wav", "a.wav"}));
    }

    // By the start of the name, without regard to case; an apostrophe matches the one in the name;
    // the other pattern characters keep their meaning and none breaks the query (the window's test
    // holds the first cases an operator meets). The list in memory picks the same towns in the same
    // order as the database.
    void townsStartingWith_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::newRow("apostrophe mid-name") << "aci sant'" << 1 << "Aci Sant'Antonio";
        QTest::newRow("accented") << QString::fromUtf8("forlì") << 2 << QString::fromUtf8("Forlì");
        QTest::newRow("star") << "*" << 7896 << "Abano Terme";
        QTest::newRow("same name in two provinces") << "peglio" << 2 << "Peglio";
        QTest::newRow("underscore") << "_" << 0 << "";
        QTest::newRow("set") << "[xy]" << 0 << "";
        QTest::newRow("long text") << QString(20000, QLatin1Char('a')) << 0 << "";
    }

    void townsStartingWith()
    {
        QFETCH(QString, typed);
        QFETCH(int, count);
        QFETCH(QString, first);
        const QVector<WeatherTown> towns = WeatherTowns(m_folder->store()).startingWith(typed);
        QCOMPARE(towns.size(), count);
        QCOMPARE(towns.value(0).comune, first);
        QCOMPARE(namesAndCodes(WeatherTowns::startingWith(m_towns, typed)), namesAndCodes(towns));
    }
};

QTEST_GUILESS_MAIN(TestRegisters)
#include "tst_registers.moc"
