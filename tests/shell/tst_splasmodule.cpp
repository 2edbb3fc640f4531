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
        QTest::addColumn<QVariant>("storedBefore");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("message");
        const QString resolution = QStringLiteral("Schermata video impostata a : Risoluzione ");
        QTest::newRow("first choice") << "RB1_0" << QVariant() << 1 << resolution + "1024 x 768";
        QTest::newRow("index 1") << "RB1_1" << QVariant(1) << 2 << resolution + "1366 x 768";
        QTest::newRow("index 2 from out of range") << "RB1_2" << QVariant(7) << 3 << resolution + "1920 x 1080";
        QTest::newRow("the selected one again") << "RB1_2" << QVariant(3) << 3 << resolution + "1920 x 1080";
        QTest::newRow("numbering ticked from never written")
            << "NumerazioneSingola" << QVariant() << -1 << "Impostata Numerazione Singola ";
        QTest::newRow("numbering cleared") << "NumerazioneSingola" << QVariant(-1) << 0
                                           << "Impostata Numerazione Standard ";
    }

    void choosingStores()
    {
        QFETCH(QString, control);
        QFETCH(QVariant, storedBefore);
        QFETCH(int, stored);
        QFETCH(QString, message);
        const bool resolution = control.startsWith(QLatin1String("RB1_"));
        const QString field = resolution ? QStringLiteral("MisuraFormWH") : control;
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
        // The seed stores resolution 3.
        QCOMPARE(SelectedResolutionIndex(), resolution ? stored - 1 : 2);
    }

    // Every way of closing the menu asks first, and only &Si closes it; "Gestione Layout FrontEnd"
    // opens the layout chooser over it.
    void modalWindows_data()
    {
        QTest::addColumn<QString>("request"); // a button, "closebox" or "system"
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("answer"); // a button of that window, or "closebox"
        QTest::addColumn<bool>("closes");
        QTest::newRow("C&hudi, &Si") << "PB1_0" << "FormUscita" << "CBT_0" << true;
        QTest::newRow("C&hudi, &No") << "PB1_0" << "FormUscita" << "CBT_1" << false;
        QTest::newRow("C&hudi, exit window closed") << "PB1_0" << "FormUscita" << "closebox" << false;
        QTest::newRow("close box, &Si") << "closebox" << "FormUscita" << "CBT_0" << true;
        QTest::newRow("system, &Si") << "system" << "FormUscita" << "CBT_0" << true;
        QTest::newRow("system, &No") << "system" << "FormUscita" << "CBT_1" << false;
        QTest::newRow("layout chooser") << "PB1_7" << "SceltaLayout" << "closebox" << false;
    }

    void modalWindows()
    {
        QFETCH(QString, request);
        QFETCH(QString, window);
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        TestFolder folder;
        SplasModule menu;
        menu.show();
        // A confirmation left over from before must not count for this close.
        ExitAnswer = ExitAnswerValue::Confirmed;
        QString opened;
        ModalDriver driver;
        driver.next([&](QWidget* modal) {
            opened = modal->objectName();
            if (answer == QLatin1String("closebox"))
                modal->close();
            else
                ModalDriver::click(modal, answer);
        });

        if (request == QLatin1String("closebox"))
            menu.close();
        else if (request == QLatin1String("system"))
            QApplication::closeAllWindows();
        else
            QTest::mouseClick(menu.findChild<QPushButton*>(request), Qt::LeftButton);

        QCOMPARE(opened, window);
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(menu.isVisible(), !closes);
    }
};

QTEST_MAIN(TestSplasModule)
#include "tst_splasmodule.moc"
