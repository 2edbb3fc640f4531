#include "core/LayoutTables.h"
#include "library/CancellaLayout.h"
#include "support/WindowTest.h"

class TestCancellaLayout : public QObject
{
    Q_OBJECT

private slots:
    // Confirming clears the layout to the base layout's rows, hidden, says so and closes. Closing, or
    // confirming a number that names no layout from 1 to 10, writes nothing; only the refusal keeps the
    // window open.
    void clear_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("cleared") << 6 << true;
        QTest::newRow("closed") << 4 << false;
        QTest::newRow("base layout") << 0 << true;
        QTest::newRow("eleven") << 11 << true;
        QTest::newRow("negative") << -3 << true;
    }

    void clear()
    {
        QFETCH(int, number);
        QFETCH(bool, confirm);
        const bool valid = number >= 1 && number <= 10;
        TestFolder folder;
        LayoutTables::fillDistinct(folder.database(), "Layout6", 4);
        const auto before = LayoutTables::allLayouts(folder.database());
        CancellaLayout window(folder.store(), number);
        window.show();
        ModalDriver driver;
        QStringList message;
        bool openUnderMessage = false;
        driver.next([&](QWidget* msgForm) {
            openUnderMessage = window.isVisible();
            message = ModalDriver::messageLines(msgForm);
            ModalDriver::click(msgForm, "PB1_0");
        });

        QTest::mouseClick(child<QPushButton>(window, "PB1", confirm ? 1 : 0), Qt::LeftButton);

        QCOMPARE(driver.pending(), confirm ? 0 : 1);
        if (confirm && valid)
            QCOMPARE(message, QStringList{"Layout cancellato correttamente ! "});
        if (confirm && !valid)
            QCOMPARE(message, QStringList({QString("Layout nr \"%1\" non valido !").arg(number),
                                           "Si possono annullare solo i Layout da 1 a 10.",
                                           "Nessun layout è stato modificato."}));
        QCOMPARE(openUnderMessage, confirm);
        QCOMPARE(window.isVisible(), confirm && !valid);
        QVERIFY(driver.unexpected().isEmpty());
        if (confirm && valid)
            QCOMPARE(LayoutTables::differenceFromCleared(LayoutTables::of(folder.database(), "Layout6"),
                                                         LayoutTables::of(folder.database(), "LayoutBase")),
                     QString());
        else
            QVERIFY(LayoutTables::allLayouts(folder.database()) == before);
    }
};

QTEST_MAIN(TestCancellaLayout)
#include "tst_cancellalayout.moc"
