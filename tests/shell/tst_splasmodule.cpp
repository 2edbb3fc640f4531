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

} // namespace

class TestSplasModule : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The tests close the menu many times; the test run must not end with it.
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void startState_data()
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

    void startState()
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

    // A click stores its field, says so, and changes nothing else.
    void choosingStores_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("storedBefore");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("selected"); // the resolution index afterwards; the seed stores 3
        const QString resolution = QStringLiteral("Schermata video impostata a : Risoluzione ");
        QTest::newRow("first choice") << "RB1_0" << "MisuraFormWH" << QVariant() << 1 << resolution + "1024 x 768" << 0;
        QTest::newRow("index 1") << "RB1_1" << "MisuraFormWH" << QVariant(1) << 2 << resolution + "1366 x 768" << 1;
        QTest::newRow("index 2 from out of range")
            << "RB1_2" << "MisuraFormWH" << QVariant(7) << 3 << resolution + "1920 x 1080" << 2;
        QTest::newRow("the selected one again")
            << "RB1_2" << "MisuraFormWH" << QVariant(3) << 3 << resolution + "1920 x 1080" << 2;
        QTest::newRow("numbering ticked from never written")
            << "NumerazioneSingola" << "NumerazioneSingola" << QVariant() << -1 << "Impostata Numerazione Singola " << 2;
        QTest::newRow("numbering cleared")
            << "NumerazioneSingola" << "NumerazioneSingola" << QVariant(-1) << 0 << "Impostata Numerazione Standard " << 2;
    }

    void choosingStores()
    {
        QFETCH(QString, control);
        QFETCH(QString, field);
        QFETCH(QVariant, storedBefore);
        QFETCH(int, stored);
        QFETCH(QString, message);
        QFETCH(int, selected);
        TestFolder folder;
        storeConfiguration(field, storedBefore);
        storeConfiguration(QStringLiteral("playlistFoto"), QStringLiteral("/tmp/foto.tni"));
        SplasModule menu;
        menu.show();
        QVariantMap before = configurationRow();
        QStringList lines;
        ModalDriver driver;
        driver.nextMessage(&lines);

        QTest::mouseClick(menu.findChild<QAbstractButton*>(control), Qt::LeftButton);

        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(lines, QStringList{message});
        QVariantMap after = configurationRow();
        QCOMPARE(after.take(field).toInt(), stored);
        before.remove(field);
        QCOMPARE(after, before);
        QCOMPARE(SelectedResolutionIndex(), selected);
    }

    void closing_data()
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

    void closing()
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

    void opensLayoutChooser()
    {
        TestFolder folder;
        SplasModule menu;
        menu.show();
        QString opened;
        ModalDriver driver;
        driver.next([&](QWidget* window) {
            opened = window->objectName();
            window->close();
        });
        QTest::mouseClick(menu.PB1[7], Qt::LeftButton);
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(opened, QStringLiteral("SceltaLayout"));
    }
};

QTEST_MAIN(TestSplasModule)
#include "tst_splasmodule.moc"
