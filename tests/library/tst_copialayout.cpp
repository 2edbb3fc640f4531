#include "core/LayoutTables.h"
#include "library/CopiaLayout.h"
#include "support/WindowTest.h"

namespace {

// Clicks the source and the target layout, then returns the summary the window shows.
QString choose(CopiaLayout& window, const QStringList& radios)
{
    for (const QString& name : radios)
        QTest::mouseClick(child<QRadioButton>(window, name), Qt::LeftButton);
    QStringList words;
    for (const char* name : {"Label2_0", "Label3_0", "Label2_1", "Label3_1"})
        words << child<QLabel>(window, QLatin1String(name))->text();
    return words.join('|');
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
        LayoutTables::fillDistinct(folder.database(), "Layout5", 3); // so that a copy onto it would show
        const auto before = LayoutTables::allLayouts(folder.database());
        CopiaLayout window(folder.store());
        window.show();
        choose(window, clicks);
        ModalDriver driver;
        QStringList message;
        if (button == 1)
            driver.nextMessage(&message);

        QTest::mouseClick(child<QPushButton>(window, "Btn", button), Qt::LeftButton);

        QCOMPARE(message,
                 button == 1 ? QStringList({"Impossibile copiare un ", "Layout su se stesso ! "}) : QStringList());
        QCOMPARE(window.isVisible(), button == 1);
        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(LayoutTables::allLayouts(folder.database()) == before);
    }

    // The summary follows the choice; each copy is made without closing the window.
    void copiesAndStaysOpen()
    {
        TestFolder folder;
        LayoutTables::fillDistinct(folder.database(), "Layout3", 1);
        LayoutTables::fillDistinct(folder.database(), "Layout4", 2);
        LayoutTables::fillDistinct(folder.database(), "Layout10", 5);
        CopiaLayout window(folder.store());
        window.show();
        ModalDriver driver;
        QStringList first;
        QStringList second;
        driver.nextMessage(&first);
        driver.nextMessage(&second);

        QCOMPARE(choose(window, {}), QStringLiteral("Copia del Layout|Layout 1|sul Layout|Layout 1"));
        QCOMPARE(choose(window, {"L0_10", "L1_3"}), QStringLiteral("Copia del Layout|Layout Base|sul Layout|Layout 4"));
        QTest::mouseClick(child<QPushButton>(window, "Btn_1"), Qt::LeftButton);
        QCOMPARE(choose(window, {"L0_2", "L1_9"}), QStringLiteral("Copia del Layout|Layout 3|sul Layout|Layout 10"));
        QTest::mouseClick(child<QPushButton>(window, "Btn_1"), Qt::LeftButton);

        QCOMPARE(first, QStringList{"Copia effettuata correttamente ! "});
        QCOMPARE(second, first);
        QVERIFY(window.isVisible());
        QVERIFY(driver.unexpected().isEmpty());
        for (const auto& [target, source] : {std::pair{"Layout4", "LayoutBase"}, std::pair{"Layout10", "Layout3"}})
            QCOMPARE(LayoutTables::differenceIn(LayoutTables::of(folder.database(), target),
                                                LayoutTables::of(folder.database(), source)),
                     QString());
    }
};

QTEST_MAIN(TestCopiaLayout)
#include "tst_copialayout.moc"
