#include "Find.h"
#include "core/LayoutTables.h"
#include "library/CopiaLayout.h"
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
    // A copy onto itself is refused and closing copies nothing; only the refusal keeps the window open.
    // As opened, both sides are layout 1.
    void writesNothing_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<int>("button");
        QTest::newRow("as opened") << QStringList() << 1;
        QTest::newRow("layout 7 onto 7") << QStringList{"L0_6", "L1_6"} << 1;
        QTest::newRow("closed") << QStringList{"L0_10", "L1_5"} << 0;
    }

    void writesNothing()
    {
        QFETCH(QStringList, clicks);
        QFETCH(int, button);
        TestFolder folder;
        LayoutTables::fillDistinct(folder.database(), QStringLiteral("Layout5"),
                                   3); // so that a copy onto it would show
        const auto before = LayoutTables::allLayouts(folder.database());
        CopiaLayout window(folder.store());
        window.show();
        clickAll(window, clicks);
        ModalDriver driver;
        QStringList message;
        if (button == 1)
            driver.nextMessage(&message);

        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("Btn"), button), Qt::LeftButton);

        if (button == 1)
            QCOMPARE(message, (QStringList{"Impossibile copiare un ", "Layout su se stesso ! "}));
        QCOMPARE(window.isVisible(), button == 1);
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(LayoutTables::allLayouts(folder.database()) == before);
    }

    // The summary follows the choice; each copy is made without closing the window.
    void copiesAndStaysOpen()
    {
        TestFolder folder;
        LayoutTables::fillDistinct(folder.database(), QStringLiteral("Layout3"), 1);
        LayoutTables::fillDistinct(folder.database(), QStringLiteral("Layout4"), 2);
        LayoutTables::fillDistinct(folder.database(), QStringLiteral("Layout10"), 5);
        CopiaLayout window(folder.store());
        window.show();
        ModalDriver driver;
        QStringList first;
        QStringList second;
        driver.nextMessage(&first);
        driver.nextMessage(&second);

        QCOMPARE(summary(window), QStringLiteral("Copia del Layout|Layout 1|sul Layout|Layout 1"));
        clickAll(window, {QStringLiteral("L0_10"), QStringLiteral("L1_3")});
        QCOMPARE(summary(window), QStringLiteral("Copia del Layout|Layout Base|sul Layout|Layout 4"));
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("Btn_1")), Qt::LeftButton);
        clickAll(window, {QStringLiteral("L0_2"), QStringLiteral("L1_9")});
        QCOMPARE(summary(window), QStringLiteral("Copia del Layout|Layout 3|sul Layout|Layout 10"));
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("Btn_1")), Qt::LeftButton);

        QCOMPARE(first, QStringList{QStringLiteral("Copia effettuata correttamente ! ")});
        QCOMPARE(second, first);
        QVERIFY(window.isVisible());
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(folder.database(), QStringLiteral("Layout4")),
                                            LayoutTables::of(folder.database(), QStringLiteral("LayoutBase"))),
                 QString());
        QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(folder.database(), QStringLiteral("Layout10")),
                                            LayoutTables::of(folder.database(), QStringLiteral("Layout3"))),
                 QString());
    }
};

QTEST_MAIN(TestCopiaLayout)
#include "tst_copialayout.moc"
