#include "support/WindowTest.h"
#include "texts/MostroAvviso.h"

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
        const auto add = [](const char* name, const QVariant& stored, int selected, const char* click,
                            const char* close, const QVariant& result) {
            QTest::newRow(name) << stored << selected << QString::fromLatin1(click) << QString::fromLatin1(close)
                                << result;
        };
        add("never chosen, &Ok", {}, -1, "", "PB1_1", {});
        add("never chosen, SI", {}, -1, "RB1_0", "PB1_1", -1);
        add("yes to NO", -1, 0, "RB1_1", "PB1_1", 0);
        add("no to SI", 0, 1, "RB1_0", "PB1_1", -1);
        add("no to SI, C&hudi", 0, 1, "RB1_0", "PB1_0", 0);
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
        clickButton(window, close);

        QVERIFY(!window.isVisible());
        before.insert(QStringLiteral("avviso"), result);
        QCOMPARE(configurationRow(folder), before);
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestMostroAvviso)
#include "tst_mostroavviso.moc"
