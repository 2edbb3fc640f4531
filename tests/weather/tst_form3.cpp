#include "Find.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include "data/ConfigurationRecord.h"
#include "data/RecordSet.h"
#include "ui/web/WebPreview.h"
#include "weather/ForecastBox.h"
#include "weather/Form3.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QWebEngineView>
#include <memory>

namespace {

const QString Tail = QStringLiteral("&type=day2&width=450&ico=swf1&lang=ita&days=5&font=Arial&fontsize=12&bg=FFFFFF"
                                    "&fg=000000&bgtitle=0099FF&fgtitle=FFFFFF&bgtab=F0F0F0&fglink=1773C2");

void storeWeather(Store& store, const QVariant& address, const QVariant& code)
{
    RecordSet configuration(store.database(), QStringLiteral("Configurazione"));
    configuration.edit();
    configuration.setValue(QStringLiteral("meteo"), address);
    configuration.setValue(QStringLiteral("MeteoCode"), code);
    configuration.update();
}

struct Weather {
    std::optional<QString> address;
    std::optional<QString> code;
};

Weather storedWeather(Store& store)
{
    const ConfigurationRecord configuration(store);
    return {configuration.weatherAddress(), configuration.weatherCode()};
}

void click(const QWidget& window, const QString& name)
{
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

QAbstractItemModel* towns(const QWidget& window)
{
    return child<QTableView>(window, QStringLiteral("grid"))->model();
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;
    // Where tests point the service: a folder, so no address the window builds leaves this machine.
    QTemporaryDir m_service;

    QString serviceBase() const { return QUrl::fromLocalFile(m_service.path()).toString(); }

    std::unique_ptr<Form3> openWindow()
    {
        auto window = std::make_unique<Form3>(m_folder->store(), serviceBase());
        window->show();
        return window;
    }

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<TestFolder>();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void cleanupTestCase() { m_folder.reset(); }

    // Without a stored address the code box shows "0000", no page is loaded and saving stores nothing.
    void openingWithoutAnAddress()
    {
        storeWeather(m_folder->store(), QVariant(), QVariant());
        const auto window = openWindow();
        QCOMPARE(child<QLineEdit>(*window, QStringLiteral("FE1"))->text(), QStringLiteral("0000"));
        QVERIFY(!child<WebPreview>(*window, QStringLiteral("WB1"))->browser());
        QCOMPARE(towns(*window)->rowCount(), 7896);
        ModalDriver driver;
        click(*window, QStringLiteral("CBT_2"));
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(!storedWeather(m_folder->store()).address);
    }

    // A stored address is shown exactly as stored, whatever code it was built from.
    void openingWithAnAddress_data()
    {
        QTest::addColumn<QVariant>("code");
        QTest::addColumn<QString>("shown");
        QTest::newRow("code stored") << QVariant(QStringLiteral("12ab")) << "12ab";
        QTest::newRow("code never written") << QVariant() << "0000";
    }

    void openingWithAnAddress()
    {
        QFETCH(QVariant, code);
        QFETCH(QString, shown);
        const QString page = QDir(m_service.path()).filePath(QStringLiteral("box.html"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>Previsioni</title></head><body>sole</body></html>");
        file.close();
        const QString address = QUrl::fromLocalFile(page).toString();
        storeWeather(m_folder->store(), address, code);

        const auto window = openWindow();
        auto* preview = child<WebPreview>(*window, QStringLiteral("WB1"));
        QSignalSpy loaded(preview, &WebPreview::loadFinished);

        QCOMPARE(child<QLineEdit>(*window, QStringLiteral("FE1"))->text(), shown);
        QCOMPARE(preview->address(), address);
        QVERIFY(loaded.count() > 0 || loaded.wait(15000));
        QCOMPARE(preview->browser()->title(), QStringLiteral("Previsioni"));
    }

    // Each change of the search text lists the towns whose name starts with it and selects the first.
    void findingATown_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("code"); // of the first town, which "Prova Comune Tabella" takes
        QTest::newRow("apostrophe") << "l'aquila" << 1 << "066049";
        QTest::newRow("capitals") << "ABANO" << 1 << "028001";
        QTest::newRow("none") << "qqq" << 0 << "0000";
        QTest::newRow("unclosed bracket") << "[" << 0 << "0000";
        QTest::newRow("quote and percent") << "'%\"" << 0 << "0000";
        QTest::newRow("many stars") << QStringLiteral("*a").repeated(40) << 0 << "0000";
        QTest::newRow("emptied again") << "" << 7896 << "028001";
    }

    void findingATown()
    {
        QFETCH(QString, typed);
        QFETCH(int, count);
        QFETCH(QString, code);
        storeWeather(m_folder->store(), QVariant(), QVariant());
        const auto window = openWindow();
        QAbstractItemModelTester tester(towns(*window), QAbstractItemModelTester::FailureReportingMode::QtTest);
        auto* search = child<QLineEdit>(*window, QStringLiteral("Text4"));
        search->setText(QStringLiteral("x"));
        search->setText(typed);
        QCOMPARE(towns(*window)->rowCount(), count);
        const auto before = storedWeather(m_folder->store());

        click(*window, QStringLiteral("CBT_3"));

        QCOMPARE(child<QLineEdit>(*window, QStringLiteral("FE1"))->text(), code);
        auto* preview = child<WebPreview>(*window, QStringLiteral("WB1"));
        QCOMPARE(preview->address(), count > 0 ? ForecastBox::address(serviceBase(), code) : QString());
        QCOMPARE(preview->browser() != nullptr, count > 0);
        const auto after = storedWeather(m_folder->store());
        QCOMPARE(after.address, before.address);
        QCOMPARE(after.code, before.code);
    }

    // "&Salva Comune" stores the code as typed when its leading number is not 0, with the address built from it.
    void salvaComune_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("stored");
        QTest::newRow("12ab") << "12ab" << true;
        QTest::newRow("town code") << "066049" << true;
        QTest::newRow("leading blanks") << "  7" << true;
        QTest::newRow("negative") << "-3" << true;
        QTest::newRow("fraction") << ".5x" << true;
        QTest::newRow("exponent") << "1e2" << true;
        QTest::newRow("0000") << "0000" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters first") << "ab12" << false;
        QTest::newRow("zero with a fraction") << "0.0" << false;
        QTest::newRow("sign alone") << "-" << false;
        QTest::newRow("dot alone") << "." << false;
    }

    void salvaComune()
    {
        QFETCH(QString, typed);
        QFETCH(bool, stored);
        storeWeather(m_folder->store(), QVariant(), QVariant());
        const auto window = openWindow();
        child<QLineEdit>(*window, QStringLiteral("FE1"))->setText(typed);
        ModalDriver driver;
        QStringList said;
        if (stored)
            driver.nextMessage(&said);

        click(*window, QStringLiteral("CBT_2"));

        QCOMPARE(said, stored ? QStringList{QStringLiteral("Impostazioni Meteo aggiornate !")} : QStringList());
        QVERIFY(driver.unexpected().isEmpty());
        const auto weather = storedWeather(m_folder->store());
        QCOMPARE(weather.code, stored ? std::optional<QString>(typed) : std::nullopt);
        QCOMPARE(weather.address,
                 stored ? std::optional<QString>(serviceBase() + "/box/previsioni.php?citta=" + typed + Tail)
                        : std::nullopt);
        // The preview is not refreshed by a save.
        QVERIFY(!child<WebPreview>(*window, QStringLiteral("WB1"))->browser());
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
