#include "support/core/TestFolder.h"

#include "data/WeatherTowns.h"

#include <QtTest>
#include <memory>

namespace {

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

class TestWeatherTowns : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;
    QVector<WeatherTown> m_all;

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<TestFolder>();
        m_all = WeatherTowns(m_folder->store()).all();
    }
    void cleanupTestCase() { m_folder.reset(); }

    void everyTownInNameOrder()
    {
        QCOMPARE(m_all.size(), 7896);
        for (qsizetype row = 1; row < m_all.size(); ++row)
            QVERIFY2(m_all[row - 1].comune.compare(m_all[row].comune, Qt::CaseInsensitive) <= 0,
                     qPrintable(m_all[row].comune));
        const WeatherTown& first = m_all.first();
        QCOMPARE((QStringList{first.comune, first.codice, first.provincia, first.regione}),
                 (QStringList{"Abano Terme", "028001", "Padova", "Veneto"}));
    }

    // By the start of the name, without regard to case; an apostrophe matches the one in the name;
    // the other pattern characters keep their meaning and none breaks the query (the window's test
    // holds the first cases an operator meets). The list in memory picks the same towns in the same
    // order as the database.
    void startingWith_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::newRow("one letter") << "z" << 49 << "Zaccanopoli";
        QTest::newRow("whole name in capitals") << "ROMA" << 10 << "Roma";
        QTest::newRow("apostrophe mid-name") << "aci sant'" << 1 << "Aci Sant'Antonio";
        QTest::newRow("accented") << QString::fromUtf8("forlì") << 2 << QString::fromUtf8("Forlì");
        QTest::newRow("star") << "*" << 7896 << "Abano Terme";
        QTest::newRow("star inside") << "r*ma" << 22 << "Ramacca";
        QTest::newRow("same name in two provinces") << "peglio" << 2 << "Peglio";
        QTest::newRow("underscore") << "_" << 0 << "";
        QTest::newRow("set") << "[xy]" << 0 << "";
        QTest::newRow("long text") << QString(20000, QLatin1Char('a')) << 0 << "";
    }

    void startingWith()
    {
        QFETCH(QString, typed);
        QFETCH(int, count);
        QFETCH(QString, first);
        const QVector<WeatherTown> towns = WeatherTowns(m_folder->store()).startingWith(typed);
        QCOMPARE(towns.size(), count);
        QCOMPARE(towns.value(0).comune, first);
        QCOMPARE(namesAndCodes(WeatherTowns::startingWith(m_all, typed)), namesAndCodes(towns));
    }
};

QTEST_GUILESS_MAIN(TestWeatherTowns)
#include "tst_weathertowns.moc"
