#include "shell/SplasModule.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"
#include "shell/store/RecordSet.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QVariantMap configurationRow()
{
    RecordSet record(Database::current(), QStringLiteral("Configurazione"));
    QVariantMap row;
    for (const QString& column : record.columns())
        row.insert(column, record.value(column));
    return row;
}

void storeConfiguration(const QString& field, const QVariant& value)
{
    RecordSet record(Database::current(), QStringLiteral("Configurazione"));
    record.edit();
    record.setValue(field, value);
    record.update();
}

// Clicks `control` of a fresh main menu, answers the message it shows, and checks that `field`
// changed to `stored` and nothing else did.
void clickAndCheckStored(QAbstractButton* control, const QString& field, int stored, const QString& message)
{
    QVariantMap before = configurationRow();
    QStringList lines;
    ModalDriver driver;
    driver.nextMessage(&lines);
    QTest::mouseClick(control, Qt::LeftButton);

    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(lines, QStringList{message});
    QVariantMap after = configurationRow();
    QCOMPARE(after.take(field).toInt(), stored);
    before.remove(field);
    QCOMPARE(after, before);
}

} // namespace

class TestSplasModule : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startState_data();
    void startState();
    void choosingResolution_data();
    void choosingResolution();
    void choosingNumbering_data();
    void choosingNumbering();
    void closing_data();
    void closing();
    void opensLayoutChooser();
};

void TestSplasModule::initTestCase()
{
    // The tests close the menu many times; the test run must not end with it.
    QApplication::setQuitOnLastWindowClosed(false);
}

void TestSplasModule::startState_data()
{
    QTest::addColumn<QVariant>("storedResolution");
    QTest::addColumn<QVariant>("storedNumbering");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("ticked");

    QTest::newRow("never written") << QVariant() << QVariant() << -1 << false;
    QTest::newRow("1, yes") << QVariant(1) << QVariant(-1) << 0 << true;
    QTest::newRow("3, no") << QVariant(3) << QVariant(0) << 2 << false;
    QTest::newRow("2 as a real") << QVariant(2.0) << QVariant(0) << 1 << false;
    QTest::newRow("0") << QVariant(0) << QVariant(0) << -1 << false;
    QTest::newRow("4") << QVariant(4) << QVariant(0) << -1 << false;
    QTest::newRow("2.5") << QVariant(2.5) << QVariant(0) << -1 << false;
    QTest::newRow("numbering 1 is not yes") << QVariant(2) << QVariant(1) << 1 << false;
}

void TestSplasModule::startState()
{
    QFETCH(QVariant, storedResolution);
    QFETCH(QVariant, storedNumbering);
    QFETCH(int, selected);
    QFETCH(bool, ticked);

    TestFolder folder;
    storeConfiguration(QStringLiteral("MisuraFormWH"), storedResolution);
    storeConfiguration(QStringLiteral("NumerazioneSingola"), storedNumbering);
    const QVariantMap before = configurationRow();

    ModalDriver driver(500);
    {
        SplasModule menu;
        menu.show();
        QCOMPARE(SelectedResolutionIndex(), selected);
        QCOMPARE(menu.NumerazioneSingola->isChecked(), ticked);
    }
    QCOMPARE(SelectedResolutionIndex(), -1);
    // Showing the stored state stores nothing and says nothing.
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(configurationRow(), before);
}

void TestSplasModule::choosingResolution_data()
{
    QTest::addColumn<QVariant>("storedBefore");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("notice");

    QTest::newRow("first choice") << QVariant() << 0 << "Risoluzione 1024 x 768";
    QTest::newRow("index 1") << QVariant(1) << 1 << "Risoluzione 1366 x 768";
    QTest::newRow("index 2 from out of range") << QVariant(7) << 2 << "Risoluzione 1920 x 1080";
    QTest::newRow("the selected one again") << QVariant(3) << 2 << "Risoluzione 1920 x 1080";
}

void TestSplasModule::choosingResolution()
{
    QFETCH(QVariant, storedBefore);
    QFETCH(int, index);
    QFETCH(QString, notice);

    TestFolder folder;
    storeConfiguration(QStringLiteral("MisuraFormWH"), storedBefore);
    storeConfiguration(QStringLiteral("playlistFoto"), QStringLiteral("/tmp/foto.tni"));
    SplasModule menu;
    menu.show();
    clickAndCheckStored(menu.RB1[index], QStringLiteral("MisuraFormWH"), index + 1,
                        QStringLiteral("Schermata video impostata a : ") + notice);
    QCOMPARE(SelectedResolutionIndex(), index);
}

void TestSplasModule::choosingNumbering_data()
{
    QTest::addColumn<QVariant>("storedBefore");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("message");

    QTest::newRow("ticked from never written") << QVariant() << -1 << "Impostata Numerazione Singola ";
    QTest::newRow("cleared") << QVariant(-1) << 0 << "Impostata Numerazione Standard ";
}

void TestSplasModule::choosingNumbering()
{
    QFETCH(QVariant, storedBefore);
    QFETCH(int, stored);
    QFETCH(QString, message);

    TestFolder folder;
    storeConfiguration(QStringLiteral("NumerazioneSingola"), storedBefore);
    storeConfiguration(QStringLiteral("MisuraFormWH"), 2);
    SplasModule menu;
    menu.show();
    clickAndCheckStored(menu.NumerazioneSingola, QStringLiteral("NumerazioneSingola"), stored, message);
}

void TestSplasModule::closing_data()
{
    QTest::addColumn<QString>("request"); // "button", "closebox" or "system"
    QTest::addColumn<QString>("answer");  // a button of the exit window, or "closebox"
    QTest::addColumn<bool>("closes");

    QTest::newRow("C&hudi, &Si") << "button" << "CBT_0" << true;
    QTest::newRow("C&hudi, &No") << "button" << "CBT_1" << false;
    QTest::newRow("C&hudi, exit window closed") << "button" << "closebox" << false;
    QTest::newRow("close box, &Si") << "closebox" << "CBT_0" << true;
    QTest::newRow("system, &Si") << "system" << "CBT_0" << true;
    QTest::newRow("system, &No") << "system" << "CBT_1" << false;
}

void TestSplasModule::closing()
{
    QFETCH(QString, request);
    QFETCH(QString, answer);
    QFETCH(bool, closes);

    TestFolder folder;
    SplasModule menu;
    menu.show();
    // A confirmation left over from before must not count for this close.
    ExitAnswer = ExitAnswerValue::Confirmed;

    ModalDriver driver;
    driver.next([&](QWidget* window) {
        QCOMPARE(window->windowTitle(), QStringLiteral("Chiusura applicazione"));
        if (answer == QLatin1String("closebox"))
            window->close();
        else
            ModalDriver::click(window, answer);
    });
    if (request == QLatin1String("button"))
        QTest::mouseClick(menu.PB1[0], Qt::LeftButton);
    else if (request == QLatin1String("closebox"))
        menu.close();
    else
        QApplication::closeAllWindows();

    QCOMPARE(driver.pending(), 0);
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(menu.isVisible(), !closes);
}

void TestSplasModule::opensLayoutChooser()
{
    TestFolder folder;
    SplasModule menu;
    menu.show();
    QString opened;
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        opened = QString::fromLatin1(window->metaObject()->className());
        window->close();
    });
    QTest::mouseClick(menu.PB1[7], Qt::LeftButton);
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(opened, QStringLiteral("SceltaLayout"));
}

QTEST_MAIN(TestSplasModule)
#include "tst_splasmodule.moc"
