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

    // The check runs the store's LIKE on the name upper-cased with its apostrophes made wildcards
    // (the window's test holds the cases an operator meets first: O'Neil, A*, a renamed row).
    void duplicate_data()
    {
        QTest::addColumn<RegisterKind>("kind");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("ownName"); // the row being changed; empty for a new row
        QTest::addColumn<bool>("duplicate");
        const struct {
            const char* row;
            RegisterKind kind;
            const char* stored;
            const char* typed;
            const char* ownName;
            bool duplicate;
        } cases[] = {
            // clang-format off
            {"O'Neil, none stored", RegisterKind::Operators, "Rossi", "O'Neil", "", false},
            {"O?Neil is the same shape", RegisterKind::Operators, "OxNeil", "O'Neil", "", true},
            {"own name kept", RegisterKind::Operators, "Rossi", "Rossi", "Rossi", false},
            {"A* when none starts with A", RegisterKind::Operators, "Zeta", "A*", "", false},
            {"# is one digit", RegisterKind::Stations, "Radio 7", "Radio #", "", true},
            {"% is a percent sign", RegisterKind::Stations, "Radio 100", "Radio 1%", "", false},
            {"_ is an underscore", RegisterKind::Stations, "RadioX", "Radio_", "", false},
            {"[...] is a set", RegisterKind::Stations, "Radio 1", "Radio [12]", "", true},
            {"unclosed [ is itself", RegisterKind::Stations, "Radio [1", "radio [1", "", true},
            {"double quotes", RegisterKind::Stations, "Radio \"Uno\"", "RADIO \"UNO\"", "", true},
            {"accented letters in any case", RegisterKind::Operators, "niccolò", "NICCOLÒ", "", true},
            {"ß stays one letter", RegisterKind::Operators, "Straße", "STRAßE", "", true},
            {"radio register alone", RegisterKind::Stations, "Rossi", "rossi", "", true},
            // clang-format on
        };
        for (const auto& c : cases)
            QTest::newRow(c.row) << c.kind << QStringList{QString::fromUtf8(c.stored)} << QString::fromUtf8(c.typed)
                                 << QString::fromUtf8(c.ownName) << c.duplicate;
    }

    void duplicate()
    {
        QFETCH(RegisterKind, kind);
        QFETCH(QStringList, stored);
        QFETCH(QString, typed);
        QFETCH(QString, ownName);
        QFETCH(bool, duplicate);
        storeOnly(m_folder->database(), kind, stored);
        // The other register holds the typed name itself: only this one counts.
        storeOnly(m_folder->database(),
                  kind == RegisterKind::Operators ? RegisterKind::Stations : RegisterKind::Operators, {typed});
        const RegisterTable table(m_folder->store(), kind);
        QCOMPARE(table.isDuplicate(typed, ownName.isEmpty() ? std::nullopt : std::optional<QString>(ownName)),
                 duplicate);
    }

    // What is typed is stored and read back character for character, in name order without regard to case.
    void storedExactly()
    {
        const QStringList names{QStringLiteral("O'Neil"),
                                QStringLiteral("  blanks kept  "),
                                QStringLiteral("\"Radio\" [FM] 100% a_b *#"),
                                QString::fromUtf8("Niccolò Ünal 東京"),
                                QString(10000, QLatin1Char('x')),
                                QStringLiteral("alfa"),
                                QStringLiteral("Bravo")};
        for (RegisterKind kind : {RegisterKind::Operators, RegisterKind::Stations}) {
            storeOnly(m_folder->database(), kind, {});
            RegisterTable table(m_folder->store(), kind);
            for (const QString& name : names)
                table.add({name, name + QStringLiteral("\\'path'")});
            table.add({QStringLiteral("charlie"), QString()});

            QStringList sorted = names;
            sorted.append(QStringLiteral("charlie"));
            std::sort(sorted.begin(), sorted.end(),
                      [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
            const QVector<RegisterEntry> listed = table.list();
            QCOMPARE(listed.size(), sorted.size());
            for (qsizetype row = 0; row < listed.size(); ++row) {
                QCOMPARE(listed[row].name, sorted[row]);
                QCOMPARE(listed[row].second, sorted[row] == QLatin1String("charlie")
                                                 ? QString()
                                                 : sorted[row] + QStringLiteral("\\'path'"));
            }
        }
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
