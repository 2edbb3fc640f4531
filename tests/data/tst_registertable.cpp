#include "support/core/TestFolder.h"

#include "data/RecordSet.h"
#include "data/RegisterTable.h"
#include "data/SostituisciApici.h"

#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(RegisterKind)

namespace {

QString tableOf(RegisterKind kind)
{
    return kind == RegisterKind::Operators ? QStringLiteral("utenti") : QStringLiteral("radio");
}

// Empties the register and stores `names` in this order, each with a second text of its own.
void storeOnly(Database& database, RegisterKind kind, const QStringList& names)
{
    const QString table = tableOf(kind);
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

} // namespace

class TestRegisterTable : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;

private slots:
    void initTestCase() { m_folder = std::make_unique<TestFolder>(); }
    void cleanupTestCase() { m_folder.reset(); }

    void sostituisciApici_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("safe");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("every apostrophe") << "l'Aquila d''Italia'"
                                          << "l?Aquila d??Italia?";
        QTest::newRow("other quotes and pattern characters kept")
            << QString::fromUtf8("\"Sant’Anna\" [*]%_#") << QString::fromUtf8("\"Sant’Anna\" [*]%_#");
    }

    void sostituisciApici()
    {
        QFETCH(QString, typed);
        QFETCH(QString, safe);
        QCOMPARE(SostituisciApici(typed), safe);
    }

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
        add("O?Neil is the same shape", RegisterKind::Operators, "OxNeil", "O'Neil", true);
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
        Database& database = m_folder->database();
        storeOnly(database, RegisterKind::Operators,
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
};

QTEST_GUILESS_MAIN(TestRegisterTable)
#include "tst_registertable.moc"
