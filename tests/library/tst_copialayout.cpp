#include "library/CopiaLayout.h"
#include "library/LayoutTables.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

void clickAll(CopiaLayout& window, const QStringList& names)
{
    for (const QString& name : names) {
        auto* button = window.findChild<QRadioButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
}

QString summary(const CopiaLayout& window)
{
    QStringList words;
    for (const char* name : {"Label2_0", "Label3_0", "Label2_1", "Label3_1"})
        words << window.findChild<QLabel*>(QLatin1String(name))->text();
    return words.join(QLatin1Char('|'));
}

} // namespace

class TestCopiaLayout : public QObject
{
    Q_OBJECT

private slots:
    void summaryFollowsTheChoice_data();
    void summaryFollowsTheChoice();
    void copyOntoItselfIsRefused_data();
    void copyOntoItselfIsRefused();
    void copiesAndStaysOpen();
    void closingWritesNothing();
};

void TestCopiaLayout::summaryFollowsTheChoice_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("expected");
    QTest::newRow("at opening") << QStringList() << QStringLiteral("Copia del Layout|Layout 1|sul Layout|Layout 1");
    QTest::newRow("base as source") << QStringList{QStringLiteral("L0_10")}
                                    << QStringLiteral("Copia del Layout|Layout Base|sul Layout|Layout 1");
    QTest::newRow("last target") << QStringList{QStringLiteral("L1_9")}
                                 << QStringLiteral("Copia del Layout|Layout 1|sul Layout|Layout 10");
    QTest::newRow("source changed twice")
        << QStringList{QStringLiteral("L0_10"), QStringLiteral("L0_4"), QStringLiteral("L1_2")}
        << QStringLiteral("Copia del Layout|Layout 5|sul Layout|Layout 3");
}

void TestCopiaLayout::summaryFollowsTheChoice()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, expected);
    TestFolder folder;
    CopiaLayout window;
    window.show();
    QVERIFY(window.L0[0]->isChecked());
    QVERIFY(window.L1[0]->isChecked());

    clickAll(window, clicks);

    QCOMPARE(summary(window), expected);
}

void TestCopiaLayout::copyOntoItselfIsRefused_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::newRow("as opened") << QStringList();
    QTest::newRow("layout 7 onto 7") << QStringList{QStringLiteral("L0_6"), QStringLiteral("L1_6")};
}

void TestCopiaLayout::copyOntoItselfIsRefused()
{
    QFETCH(QStringList, clicks);
    TestFolder folder;
    LayoutTables::fillDistinct(QStringLiteral("Layout7"), 3);
    const auto before = LayoutTables::allLayouts();
    CopiaLayout window;
    window.show();
    clickAll(window, clicks);
    ModalDriver driver;
    QStringList message;
    driver.nextMessage(&message);

    QTest::mouseClick(window.Btn[1], Qt::LeftButton);

    QCOMPARE(message,
             (QStringList{QStringLiteral("Impossibile copiare un "), QStringLiteral("Layout su se stesso ! ")}));
    QVERIFY(LayoutTables::allLayouts() == before);
    QVERIFY(window.isVisible());
    QVERIFY(driver.unexpected().isEmpty());
}

void TestCopiaLayout::copiesAndStaysOpen()
{
    TestFolder folder;
    LayoutTables::fillDistinct(QStringLiteral("Layout3"), 1);
    LayoutTables::fillDistinct(QStringLiteral("Layout4"), 2);
    LayoutTables::fillDistinct(QStringLiteral("Layout10"), 5);
    const LayoutTables::Table base = LayoutTables::of(QStringLiteral("LayoutBase"));
    const LayoutTables::Table three = LayoutTables::of(QStringLiteral("Layout3"));
    CopiaLayout window;
    window.show();
    ModalDriver driver;
    QStringList first;
    QStringList second;
    driver.nextMessage(&first);
    driver.nextMessage(&second);

    // Base onto layout 4, then, without closing, layout 3 onto layout 10.
    clickAll(window, {QStringLiteral("L0_10"), QStringLiteral("L1_3")});
    QTest::mouseClick(window.Btn[1], Qt::LeftButton);
    clickAll(window, {QStringLiteral("L0_2"), QStringLiteral("L1_9")});
    QTest::mouseClick(window.Btn[1], Qt::LeftButton);

    QCOMPARE(first, QStringList{QStringLiteral("Copia effettuata correttamente ! ")});
    QCOMPARE(second, first);
    QVERIFY(window.isVisible());
    QCOMPARE(summary(window), QStringLiteral("Copia del Layout|Layout 3|sul Layout|Layout 10"));
    QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(QStringLiteral("Layout4")), base), QString());
    QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(QStringLiteral("Layout10")), three), QString());
    QCOMPARE(LayoutTables::of(QStringLiteral("LayoutBase")), base);
    QCOMPARE(LayoutTables::of(QStringLiteral("Layout3")), three);
    QVERIFY(driver.unexpected().isEmpty());
}

void TestCopiaLayout::closingWritesNothing()
{
    TestFolder folder;
    const auto before = LayoutTables::allLayouts();
    CopiaLayout window;
    window.show();
    clickAll(window, {QStringLiteral("L0_10"), QStringLiteral("L1_5")});

    QTest::mouseClick(window.Btn[0], Qt::LeftButton);

    QVERIFY(!window.isVisible());
    QVERIFY(LayoutTables::allLayouts() == before);
}

QTEST_MAIN(TestCopiaLayout)
#include "tst_copialayout.moc"
