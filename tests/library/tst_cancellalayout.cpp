#include "Find.h"
#include "core/LayoutTables.h"
#include "library/CancellaLayout.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

class TestCancellaLayout : public QObject
{
    Q_OBJECT

private slots:
    void confirmClearsAndCloses()
    {
        TestFolder folder;
        LayoutTables::fillDistinct(folder.database(), QStringLiteral("Layout6"), 4);
        CancellaLayout window(folder.store(), 6);
        window.show();
        ModalDriver driver;
        QStringList message;
        bool openWhileMessageShown = false;
        driver.next([&](QWidget* msgForm) {
            openWhileMessageShown = window.isVisible();
            message = ModalDriver::messageLines(msgForm);
            ModalDriver::click(msgForm, QStringLiteral("PB1_0"));
        });

        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PB1_1")), Qt::LeftButton);

        QCOMPARE(message, QStringList{QStringLiteral("Layout cancellato correttamente ! ")});
        QVERIFY(openWhileMessageShown);
        QVERIFY(!window.isVisible());
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(LayoutTables::differenceFromCleared(LayoutTables::of(folder.database(), QStringLiteral("Layout6")),
                                                     LayoutTables::of(folder.database(), QStringLiteral("LayoutBase"))),
                 QString());
    }

    // Closing, or confirming a number that names no layout from 1 to 10, writes nothing; only the
    // refusal keeps the window open.
    void writesNothing_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("closed") << 4 << false;
        QTest::newRow("base layout") << 0 << true;
        QTest::newRow("eleven") << 11 << true;
        QTest::newRow("negative") << -3 << true;
    }

    void writesNothing()
    {
        QFETCH(int, number);
        QFETCH(bool, confirm);
        TestFolder folder;
        const auto before = LayoutTables::allLayouts(folder.database());
        CancellaLayout window(folder.store(), number);
        window.show();
        ModalDriver driver;
        QStringList message;
        if (confirm)
            driver.nextMessage(&message);

        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PB1"), confirm ? 1 : 0), Qt::LeftButton);

        if (confirm) {
            QCOMPARE(message, (QStringList{QStringLiteral("Layout nr \"%1\" non valido !").arg(number),
                                           QStringLiteral("Si possono annullare solo i Layout da 1 a 10."),
                                           QStringLiteral("Nessun layout è stato modificato.")}));
        }
        QCOMPARE(window.isVisible(), confirm);
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(LayoutTables::allLayouts(folder.database()) == before);
    }
};

QTEST_MAIN(TestCancellaLayout)
#include "tst_cancellalayout.moc"
