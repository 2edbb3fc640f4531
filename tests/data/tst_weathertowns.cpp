#include "support/core/TestFolder.h"

#include "data/WeatherTowns.h"

#include <QtTest>
#include <memory>

class TestWeatherTowns : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;

private slots:
    void initTestCase() { m_folder = std::make_unique<TestFolder>(); }
    void cleanupTestCase() { m_folder.reset(); }

    void everyTownInNameOrder()
    {
        const QVector<WeatherTown> towns = WeatherTowns(m_folder->store()).all();
        QCOMPARE(towns.size(), 7896);
        for (qsizetype row = 1; row < towns.size(); ++row)
            QVERIFY2(towns[row - 1].comune.compare(towns[row].comune, Qt::CaseInsensitive) <= 0,
                     qPrintable(towns[row].comune));
        QCOMPARE(towns.first().comune, QStringLiteral("Abano Terme"));
        QCOMPARE(towns.first().codice, QStringLiteral("028001"));
        QCOMPARE(towns.first().provincia, QStringLiteral("Padova"));
        QCOMPARE(towns.first().regione, QStringLiteral("Veneto"));
    }

    // By the start of the name, without regard to case; an apostrophe matches the one in the name;
    // the other pattern characters keep their meaning and none breaks the query.
    void startingWith_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::newRow("nothing typed") << "" << 7896 << "Abano Terme";
        QTest::newRow("one letter") << "z" << 49 << "Zaccanopoli";
        QTest::newRow("whole name in capitals") << "ROMA" << 10 << "Roma";
        QTest::newRow("apostrophe") << "l'aq" << 1 << "L'Aquila";
        QTest::newRow("apostrophe mid-name") << "aci sant'" << 1 << "Aci Sant'Antonio";
        QTest::newRow("accented") << QString::fromUtf8("forlì") << 2 << QString::fromUtf8("Forlì");
        QTest::newRow("star") << "*" << 7896 << "Abano Terme";
        QTest::newRow("star inside") << "r*ma" << 22 << "Ramacca";
        QTest::newRow("same name in two provinces") << "peglio" << 2 << "Peglio";
        QTest::newRow("percent") << "%" << 0 << "";
        QTest::newRow("underscore") << "_" << 0 << "";
        QTest::newRow("unclosed bracket") << "[" << 0 << "";
        QTest::newRow("set") << "[xy]" << 0 << "";
        QTest::newRow("double quote") << "\"" << 0 << "";
        QTest::newRow("long text") << QString(20000, QLatin1Char('a')) << 0 << "";
        QTest::newRow("many stars") << QStringLiteral("*a").repeated(30) + QStringLiteral("q") << 0 << "";
    }

    void startingWith()
    {
        QFETCH(QString, typed);
        QFETCH(int, count);
        QFETCH(QString, first);
        const QVector<WeatherTown> towns = WeatherTowns(m_folder->store()).startingWith(typed);
        QCOMPARE(towns.size(), count);
        if (count > 0)
            QCOMPARE(towns.first().comune, first);

        // Picked from the whole list in memory: the same towns in the same order (towns of the same
        // name may come in either order).
        static const QVector<WeatherTown> all = WeatherTowns(m_folder->store()).all();
        const QVector<WeatherTown> picked = WeatherTowns::startingWith(all, typed);
        const auto namesOf = [](const QVector<WeatherTown>& list) {
            QStringList names;
            for (const WeatherTown& town : list)
                names.append(town.comune);
            return names;
        };
        const auto codesOf = [](const QVector<WeatherTown>& list) {
            QStringList codes;
            for (const WeatherTown& town : list)
                codes.append(town.codice);
            codes.sort();
            return codes;
        };
        QCOMPARE(namesOf(picked), namesOf(towns));
        QCOMPARE(codesOf(picked), codesOf(towns));
    }
};

QTEST_GUILESS_MAIN(TestWeatherTowns)
#include "tst_weathertowns.moc"
