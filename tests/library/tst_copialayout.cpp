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
    for (const QString& name : names)
        QTest::mouseClick(window.findChild<QRadioButton*>(name), Qt::LeftButton);
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
    void summaryFollowsTheChoice_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("expected");
        QTest::newRow("at opening") << QStringList() << "Copia del Layout|Layout 1|sul Layout|Layout 1";
        QTest::newRow("base as source") << QStringList{"L0_10"} << "Copia del Layout|Layout Base|sul Layout|Layout 1";
        QTest::newRow("last target") << QStringList{"L1_9"} << "Copia del Layout|Layout 1|sul Layout|Layout 10";
        QTest::newRow("source changed twice")
            << QStringList{"L0_10", "L0_4", "L1_2"} << "Copia del Layout|Layout 5|sul Layout|Layout 3";
    }

    void summaryFollowsTheChoice()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, expected);
        TestFolder folder;
        CopiaLayout window;
        window.show();
        clickAll(window, clicks);
        QCOMPARE(summary(window), expected);
    }

    // As opened, both sides are layout 1.
    void copyOntoItselfIsRefused_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::newRow("as opened") << QStringList();
        QTest::newRow("layout 7 onto 7") << QStringList{"L0_6", "L1_6"};
    }

    void copyOntoItselfIsRefused()
    {
        QFETCH(QStringList, clicks);
        TestFolder folder;
        const auto before = LayoutTables::allLayouts();
        CopiaLayout window;
        window.show();
        clickAll(window, clicks);
        ModalDriver driver;
        QStringList message;
        driver.nextMessage(&message);

        QTest::mouseClick(window.Btn[1], Qt::LeftButton);

        QCOMPARE(message, (QStringList{"Impossibile copiare un ", "Layout su se stesso ! "}));
        QVERIFY(LayoutTables::allLayouts() == before);
        QVERIFY(window.isVisible());
        QVERIFY(driver.unexpected().isEmpty());
    }

    void copiesAndStaysOpen()
    {
        TestFolder folder;
        LayoutTables::fillDistinct(QStringLiteral("Layout3"), 1);
        LayoutTables::fillDistinct(QStringLiteral("Layout4"), 2);
        LayoutTables::fillDistinct(QStringLiteral("Layout10"), 5);
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
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(QStringLiteral("Layout4")),
                                            LayoutTables::of(QStringLiteral("LayoutBase"))),
                 QString());
        QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(QStringLiteral("Layout10")),
                                            LayoutTables::of(QStringLiteral("Layout3"))),
                 QString());
    }

    void closingWritesNothing()
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
};

QTEST_MAIN(TestCopiaLayout)
#include "tst_copialayout.moc"
