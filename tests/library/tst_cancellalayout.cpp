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
    void confirmClearsAndCloses();
    void closingWritesNothing();
    void numberNotOneToTenWritesNothing_data();
    void numberNotOneToTenWritesNothing();
};

void TestCancellaLayout::confirmClearsAndCloses()
{
    TestFolder folder;
    const QString table = QStringLiteral("Layout6");
    LayoutTables::fillDistinct(table, 4);
    const LayoutTables::Table base = LayoutTables::of(QStringLiteral("LayoutBase"));
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
    QCOMPARE(LayoutTables::differenceFromCleared(LayoutTables::of(table), base), QString());
    QVERIFY(driver.unexpected().isEmpty());
}

void TestCancellaLayout::closingWritesNothing()
{
    TestFolder folder;
    const auto before = LayoutTables::allLayouts();
    CancellaLayout window;
    window.Label3->setText(QStringLiteral("4"));
    window.show();

    QTest::mouseClick(window.PB1[0], Qt::LeftButton);

    QVERIFY(!window.isVisible());
    QVERIFY(LayoutTables::allLayouts() == before);
}

void TestCancellaLayout::numberNotOneToTenWritesNothing_data()
{
    QTest::addColumn<QString>("number");
    QTest::newRow("empty") << QString();
    QTest::newRow("base layout") << QStringLiteral("0");
    QTest::newRow("eleven") << QStringLiteral("11");
    QTest::newRow("negative") << QStringLiteral("-2");
    QTest::newRow("leading zero") << QStringLiteral("03");
    QTest::newRow("blank") << QStringLiteral(" 3");
    QTest::newRow("text") << QStringLiteral("Base");
}

void TestCancellaLayout::numberNotOneToTenWritesNothing()
{
    QFETCH(QString, number);
    TestFolder folder;
    const auto before = LayoutTables::allLayouts();
    CancellaLayout window;
    window.Label3->setText(number);
    window.show();
    ModalDriver driver;
    QStringList message;
    driver.nextMessage(&message);

    QTest::mouseClick(window.PB1[1], Qt::LeftButton);

    QVERIFY(!message.isEmpty());
    QCOMPARE(message.first(), QStringLiteral("Layout nr \"%1\" non valido !").arg(number));
    QVERIFY(LayoutTables::allLayouts() == before);
    QVERIFY(window.isVisible());
}

QTEST_MAIN(TestCancellaLayout)
#include "tst_cancellalayout.moc"
