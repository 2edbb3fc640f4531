#include "library/CancellaLayout.h"
#include "library/LayoutTables.h"
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
        LayoutTables::fillDistinct(QStringLiteral("Layout6"), 4);
        CancellaLayout window;
        window.Label3->setText(QStringLiteral("6"));
        window.show();
        ModalDriver driver;
        QStringList message;
        bool openWhileMessageShown = false;
        driver.next([&](QWidget* msgForm) {
            openWhileMessageShown = window.isVisible();
            message = ModalDriver::messageLines(msgForm);
            ModalDriver::click(msgForm, QStringLiteral("PB1_0"));
        });

        QTest::mouseClick(window.PB1[1], Qt::LeftButton);

        QCOMPARE(message, QStringList{QStringLiteral("Layout cancellato correttamente ! ")});
        QVERIFY(openWhileMessageShown);
        QVERIFY(!window.isVisible());
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(LayoutTables::differenceFromCleared(LayoutTables::of(QStringLiteral("Layout6")),
                                                     LayoutTables::of(QStringLiteral("LayoutBase"))),
                 QString());
    }

    // Closing, or confirming a number that names no layout from 1 to 10, writes nothing; only the
    // refusal keeps the window open.
    void writesNothing_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("closed") << "4" << false;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("base layout") << "0" << true;
        QTest::newRow("eleven") << "11" << true;
        QTest::newRow("leading zero") << "03" << true;
        QTest::newRow("blank") << " 3" << true;
        QTest::newRow("text") << "Base" << true;
    }

    void writesNothing()
    {
        QFETCH(QString, number);
        QFETCH(bool, confirm);
        TestFolder folder;
        const auto before = LayoutTables::allLayouts();
        CancellaLayout window;
        window.Label3->setText(number);
        window.show();
        ModalDriver driver;
        QStringList message;
        if (confirm)
            driver.nextMessage(&message);

        QTest::mouseClick(window.PB1[confirm ? 1 : 0], Qt::LeftButton);

        if (confirm) {
            QCOMPARE(message, (QStringList{QStringLiteral("Layout nr \"%1\" non valido !").arg(number),
                                           QStringLiteral("Si possono annullare solo i Layout da 1 a 10."),
                                           QStringLiteral("Nessun layout è stato modificato.")}));
        }
        QCOMPARE(window.isVisible(), confirm);
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(LayoutTables::allLayouts() == before);
    }
};

QTEST_MAIN(TestCancellaLayout)
#include "tst_cancellalayout.moc"
