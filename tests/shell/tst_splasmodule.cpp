#include "shell/SplasModule.h"
#include "shell/store/Database.h"
#include "shell/store/Globals.h"
#include "shell/store/RecordSet.h"
#include "support/ModalDriver.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

const QString Configuration = QStringLiteral("Configurazione");

QVariantMap configurationRow()
{
    RecordSet record(Database::current(), Configuration);
    QVariantMap row;
    for (const QString& column : record.columns())
        row.insert(column, record.value(column));
    return row;
}

void storeConfiguration(const QString& field, const QVariant& value)
{
    RecordSet record(Database::current(), Configuration);
    record.edit();
    record.setValue(field, value);
    record.update();
}

// The row with one field left out, to show that a save touched nothing else.
QVariantMap without(QVariantMap row, const QString& field)
{
    row.remove(field);
    return row;
}

} // namespace

class TestSplasModule : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void controls_data();
    void controls();
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

void TestSplasModule::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("layout") << "PB1_7" << "Gestione Layout FrontEnd" << true;
    QTest::newRow("exit") << "PB1_0" << "C&hudi" << true;
    QTest::newRow("operators") << "PB1_2" << "&Utenti" << false;
    QTest::newRow("video") << "PB1_3" << "&Video" << false;
    QTest::newRow("pictures") << "PB1_4" << "&Immagini" << false;
    QTest::newRow("music") << "PB1_5" << "&Musica" << false;
    QTest::newRow("radio") << "PB1_6" << "&Radio" << false;
    QTest::newRow("weather") << "Command1" << "Imposta Meteo" << false;
    QTest::newRow("scrolling text") << "Command0" << "Testo Scorrevole" << false;
    QTest::newRow("chime") << "PushButton1" << " DinDon" << false;
    QTest::newRow("call time") << "tempoc" << " Tempo chiamata" << false;
    QTest::newRow("notice") << "Avviso" << "Avviso" << false;
    QTest::newRow("resolution 0") << "RB1_0" << " Risoluzione 1024 x 768 (TV plasma)" << true;
    QTest::newRow("resolution 1") << "RB1_1" << " Risoluzione 1366 x 768 (TV LCD)" << true;
    QTest::newRow("resolution 2") << "RB1_2" << " Risoluzione1920x 1080 (Full-HD)" << true;
    QTest::newRow("numbering") << "NumerazioneSingola" << " Numerazione singola" << true;
}

void TestSplasModule::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);

    TestFolder folder;
    SplasModule menu;
    QCOMPARE(menu.windowTitle(), QStringLiteral("TN2  -  Modulo di Impostazione"));
    QVERIFY(!menu.findChild<QWidget*>(QStringLiteral("PB1_1")));
    QCOMPARE(menu.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(),
             QStringLiteral("Selezione Risoluzione dei Video (Monitor/TV)"));

    auto* control = menu.findChild<QAbstractButton*>(name);
    QVERIFY(control);
    QCOMPARE(control->text(), caption);
    QCOMPARE(control->isEnabled(), enabled);
    // Everything sits inside the window, below the picture.
    const QRect inWindow(control->mapTo(&menu, QPoint(0, 0)), control->size());
    QVERIFY(menu.rect().contains(inWindow));
    QVERIFY(inWindow.top() >= menu.Image1->geometry().bottom());
}

void TestSplasModule::startState_data()
{
    QTest::addColumn<QVariant>("storedResolution");
    QTest::addColumn<QVariant>("storedNumbering");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("ticked");

    QTest::newRow("never written") << QVariant() << QVariant() << -1 << false;
    QTest::newRow("1 and yes") << QVariant(1) << QVariant(-1) << 0 << true;
    QTest::newRow("2 and no") << QVariant(2) << QVariant(0) << 1 << false;
    QTest::newRow("3") << QVariant(3) << QVariant(0) << 2 << false;
    QTest::newRow("2 stored as a real") << QVariant(2.0) << QVariant(0) << 1 << false;
    QTest::newRow("0 selects none") << QVariant(0) << QVariant(0) << -1 << false;
    QTest::newRow("4 selects none") << QVariant(4) << QVariant(0) << -1 << false;
    QTest::newRow("-1 selects none") << QVariant(-1) << QVariant(0) << -1 << false;
    QTest::newRow("2.5 selects none") << QVariant(2.5) << QVariant(0) << -1 << false;
    // Only -1 means yes.
    QTest::newRow("numbering 1 is not yes") << QVariant(1) << QVariant(1) << 0 << false;
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
        QCOMPARE(menu.selectedResolution(), selected);
        QCOMPARE(SelectedResolutionIndex(), selected);
        QCOMPARE(menu.NumerazioneSingola->isChecked(), ticked);
        QTest::qWait(20);
    }
    QCOMPARE(SelectedResolutionIndex(), -1);
    // Setting the stored state on the controls stores nothing and shows nothing.
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(configurationRow(), before);
}

void TestSplasModule::choosingResolution_data()
{
    QTest::addColumn<QVariant>("storedBefore");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("message");

    QTest::newRow("first choice ever") << QVariant() << 0 << 1 << "Schermata video impostata a : Risoluzione 1024 x 768";
    QTest::newRow("1 to index 1") << QVariant(1) << 1 << 2 << "Schermata video impostata a : Risoluzione 1366 x 768";
    QTest::newRow("2 to index 2") << QVariant(2) << 2 << 3 << "Schermata video impostata a : Risoluzione 1920 x 1080";
    QTest::newRow("out of range to index 2")
        << QVariant(7) << 2 << 3 << "Schermata video impostata a : Risoluzione 1920 x 1080";
    QTest::newRow("the selected one again")
        << QVariant(3) << 2 << 3 << "Schermata video impostata a : Risoluzione 1920 x 1080";
}

void TestSplasModule::choosingResolution()
{
    QFETCH(QVariant, storedBefore);
    QFETCH(int, index);
    QFETCH(int, stored);
    QFETCH(QString, message);

    TestFolder folder;
    storeConfiguration(QStringLiteral("MisuraFormWH"), storedBefore);
    storeConfiguration(QStringLiteral("playlistFoto"), QStringLiteral("/tmp/foto.tni"));
    const QVariantMap before = configurationRow();

    SplasModule menu;
    menu.show();
    QStringList lines;
    ModalDriver driver;
    driver.nextMessage(&lines);
    QTest::mouseClick(menu.RB1[index], Qt::LeftButton);

    QCOMPARE(driver.pending(), 0);
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(lines, QStringList{message});
    const QVariantMap after = configurationRow();
    QCOMPARE(after.value(QStringLiteral("MisuraFormWH")).toInt(), stored);
    QCOMPARE(without(after, QStringLiteral("MisuraFormWH")), without(before, QStringLiteral("MisuraFormWH")));
    QCOMPARE(SelectedResolutionIndex(), index);
}

void TestSplasModule::choosingNumbering_data()
{
    QTest::addColumn<QVariant>("storedBefore");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("message");

    QTest::newRow("ticked from never written") << QVariant() << -1 << "Impostata Numerazione Singola ";
    QTest::newRow("ticked from no") << QVariant(0) << -1 << "Impostata Numerazione Singola ";
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
    const QVariantMap before = configurationRow();

    SplasModule menu;
    menu.show();
    QStringList lines;
    ModalDriver driver;
    driver.nextMessage(&lines);
    QTest::mouseClick(menu.NumerazioneSingola, Qt::LeftButton);

    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(lines, QStringList{message});
    const QVariantMap after = configurationRow();
    QCOMPARE(after.value(QStringLiteral("NumerazioneSingola")).toInt(), stored);
    QCOMPARE(without(after, QStringLiteral("NumerazioneSingola")), without(before, QStringLiteral("NumerazioneSingola")));
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
    QTest::newRow("close box, &No") << "closebox" << "CBT_1" << false;
    QTest::newRow("system, &Si") << "system" << "CBT_0" << true;
    QTest::newRow("system, exit window closed") << "system" << "closebox" << false;
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

    QString title;
    QStringList buttons;
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        title = window->windowTitle();
        for (const char* name : {"CBT_0", "CBT_1"})
            buttons.append(window->findChild<QPushButton*>(QString::fromLatin1(name))->text());
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
    QCOMPARE(title, QStringLiteral("Chiusura applicazione"));
    QCOMPARE(buttons, (QStringList{QStringLiteral("&Si"), QStringLiteral("&No")}));
    QCOMPARE(menu.isVisible(), !closes);
    QCOMPARE(ExitAnswer, closes ? ExitAnswerValue::Confirmed : ExitAnswerValue::Declined);
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
    QVERIFY(menu.isVisible());
}

QTEST_MAIN(TestSplasModule)
#include "tst_splasmodule.moc"
