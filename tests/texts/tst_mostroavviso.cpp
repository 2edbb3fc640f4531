#include "Find.h"
#include "support/ModalDriver.h"
#include "support/core/ConfigurationRow.h"
#include "texts/MostroAvviso.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestMostroAvviso : public QObject
{
    Q_OBJECT
private slots:
    // The buttons show the stored choice, neither of them while none was made. "&Ok" stores the
    // selected one as yes/no and closes; with neither selected the record stays as it was.
    // "C&hudi" closes storing nothing.
    void storesTheChoice_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("selected");  // -1 neither
        QTest::addColumn<QString>("click"); // a radio button, or empty
        QTest::addColumn<QString>("close");
        QTest::addColumn<QVariant>("result");
        QTest::newRow("never chosen, Ok") << QVariant() << -1 << QString() << "PB1_1" << QVariant();
        QTest::newRow("never chosen, SI") << QVariant() << -1 << "RB1_0"
                                          << "PB1_1" << QVariant(-1);
        QTest::newRow("never chosen, NO") << QVariant() << -1 << "RB1_1"
                                          << "PB1_1" << QVariant(0);
        QTest::newRow("yes to NO") << QVariant(-1) << 0 << "RB1_1"
                                   << "PB1_1" << QVariant(0);
        QTest::newRow("no to SI") << QVariant(0) << 1 << "RB1_0"
                                  << "PB1_1" << QVariant(-1);
        QTest::newRow("no to SI, C&hudi") << QVariant(0) << 1 << "RB1_0"
                                          << "PB1_0" << QVariant(0);
        QTest::newRow("never chosen, SI, C&hudi") << QVariant() << -1 << "RB1_0"
                                                  << "PB1_0" << QVariant();
    }

    void storesTheChoice()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, selected);
        QFETCH(QString, click);
        QFETCH(QString, close);
        QFETCH(QVariant, result);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("avviso"), stored);
        QVariantMap before = configurationRow(folder);
        ModalDriver driver;
        MostroAvviso window(folder.store());
        window.show();
        for (int index = 0; index < 2; ++index)
            QCOMPARE(child<QRadioButton>(window, QStringLiteral("RB1"), index)->isChecked(), index == selected);

        if (!click.isEmpty())
            QTest::mouseClick(child<QRadioButton>(window, click), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(window, close), Qt::LeftButton);

        QVERIFY(!window.isVisible());
        QVariantMap after = configurationRow(folder);
        QCOMPARE(after.take(QStringLiteral("avviso")), result);
        before.remove(QStringLiteral("avviso"));
        QCOMPARE(after, before);
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestMostroAvviso)
#include "tst_mostroavviso.moc"
