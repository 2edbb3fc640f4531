#include "support/WindowTest.h"

#include "data/ConfigurationRecord.h"
#include "ui/web/WebPreview.h"
#include "weather/Form3.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTableView>
#include <QWebEngineView>

namespace {

const QString Tail = "&type=day2&width=450&ico=swf1&lang=ita&days=5&font=Arial&fontsize=12&bg=FFFFFF&fg=000000"
                     "&bgtitle=0099FF&fgtitle=FFFFFF&bgtab=F0F0F0&fglink=1773C2";

QAbstractItemModel* towns(const QWidget& window)
{
    return child<QTableView>(window, "grid")->model();
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<ModalDriver> m_driver;
    // Where tests point the service: a folder, so no address the window builds leaves this machine.
    QTemporaryDir m_service;

    QString serviceBase() const { return QUrl::fromLocalFile(m_service.path()).toString(); }

    // Stores the weather fields, then opens the window.
    std::unique_ptr<Form3> openWindow(const QVariant& address = {}, const QVariant& code = {})
    {
        storeConfiguration(*m_folder, "meteo", address);
        storeConfiguration(*m_folder, "MeteoCode", code);
        auto window = std::make_unique<Form3>(m_folder->store(), serviceBase());
        window->show();
        return window;
    }

    // The stored address and code, joined.
    QString stored()
    {
        const ConfigurationRecord configuration(m_folder->store());
        return configuration.weatherAddress().value_or("<null>") + " " + configuration.weatherCode().value_or("<null>");
    }

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<TestFolder>();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void cleanupTestCase() { m_folder.reset(); }
    void init() { m_driver = std::make_unique<ModalDriver>(); }
    void cleanup() { QVERIFY(m_driver->unexpected().isEmpty()); }

    // The code box shows the stored code with the stored address, which is loaded as stored; "0000"
    // without an address.
    void opening_data()
    {
        QTest::addColumn<QVariant>("code");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no address") << QVariant("12ab") << "0000";
        QTest::newRow("stored") << QVariant("12ab") << "12ab";
    }

    void opening()
    {
        QFETCH(QVariant, code);
        QFETCH(QString, shown);
        const QString page = QDir(m_service.path()).filePath("box.html");
        QVERIFY(writeBytes(page, "<html><head><title>Previsioni</title></head><body>sole</body></html>"));
        const bool address = shown != "0000";
        const auto window = openWindow(address ? QUrl::fromLocalFile(page).toString() : QVariant(), code);
        auto* preview = child<WebPreview>(*window, "WB1");
        QSignalSpy loaded(preview, &WebPreview::loadFinished);
        QCOMPARE(child<QLineEdit>(*window, "FE1")->text(), shown);
        QCOMPARE(towns(*window)->rowCount(), 7896);
        if (address) {
            QVERIFY(loaded.count() > 0 || loaded.wait(15000));
            QCOMPARE(preview->browser()->title(), QStringLiteral("Previsioni"));
        }
    }

    // Each change of the search text lists the towns whose name starts with it and selects the first (the
    // pattern characters are the town list's own tests).
    void findingATown_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("code"); // of the first town, which "Prova Comune Tabella" takes
        QTest::newRow("apostrophe") << "l'aquila" << 1 << "066049";
        QTest::newRow("none") << "qqq" << 0 << "0000";
        QTest::newRow("emptied again") << "" << 7896 << "028001";
    }

    void findingATown()
    {
        QFETCH(QString, typed);
        QFETCH(int, count);
        QFETCH(QString, code);
        const auto window = openWindow();
        QAbstractItemModelTester tester(towns(*window), QAbstractItemModelTester::FailureReportingMode::QtTest);
        child<QLineEdit>(*window, "Text4")->setText("x");
        child<QLineEdit>(*window, "Text4")->setText(typed);
        QCOMPARE(towns(*window)->rowCount(), count);

        clickButton(*window, "CBT_3");

        QCOMPARE(child<QLineEdit>(*window, "FE1")->text(), code);
        QCOMPARE(stored(), QStringLiteral("<null> <null>")); // a preview stores nothing
    }

    // "&Salva Comune" stores the code as typed when its leading number is not 0, with the address built from it.
    void salvaComune_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("stored");
        for (const char* typed : {"12ab", "066049", "  7", "-3", ".5x", "1e2"})
            QTest::newRow(typed) << QString(typed) << true;
        for (const char* typed : {"0000", "", "ab12", "0.0", "-", "."})
            QTest::newRow(*typed ? typed : "empty") << QString(typed) << false;
    }

    void salvaComune()
    {
        QFETCH(QString, typed);
        QFETCH(bool, stored);
        const auto window = openWindow();
        child<QLineEdit>(*window, "FE1")->setText(typed);
        QStringList said;
        if (stored)
            m_driver->nextMessage(&said);

        clickButton(*window, "CBT_2");

        QCOMPARE(said, stored ? QStringList{"Impostazioni Meteo aggiornate !"} : QStringList());
        QCOMPARE(this->stored(), stored ? serviceBase() + "/box/previsioni.php?citta=" + typed + Tail + " " + typed
                                        : QStringLiteral("<null> <null>"));
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
