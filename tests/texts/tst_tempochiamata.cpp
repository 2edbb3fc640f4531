#include "support/WindowTest.h"
#include "texts/TempoChiamata.h"

class TestTempoChiamata : public QObject
{
    Q_OBJECT
private slots:
    // The box shows the stored milliseconds as whole seconds; "&Ok" stores 1 to 60 seconds in
    // milliseconds and closes without a word, and refuses anything else with the window left open,
    // the box as it was and nothing stored.
    void storesSeconds_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("typed");   // null: "&Ok" on what is shown
        QTest::addColumn<QVariant>("result"); // null: refused
        const auto add = [](const char* name, const QVariant& stored, const char* shown, const char* typed,
                            const QVariant& result) {
            QTest::newRow(name) << stored << QString::fromLatin1(shown) << QString::fromLatin1(typed) << result;
        };
        const QVariant five(5000.0);
        const QVariant refused;
        add("never written shows 0, refused", {}, "0", nullptr, refused);
        add("2500 shows 2, stores 2000", 2500.0, "2", nullptr, 2000.0);
        add("2999 shows 2, rounded down", 2999.0, "2", nullptr, 2000.0);
        add("leading zeros, 007", five, "5", "007", 7000.0);
        add("1", five, "5", "1", 1000.0);
        add("60", five, "5", "60", 60000.0);
        add("61", five, "5", "61", refused);
        add("0", five, "5", "0", refused);
        add("emptied", five, "5", "", refused);
        add("twenty digits", five, "5", "99999999999999999999", refused);
        add("letters, signs and points fall away", five, "5", "-1a.2'*%", 12000.0);
        // Written by someone else: shown as read, and no call time.
        add("negative stored", -3000.0, "-3", nullptr, refused);
        add("huge stored", 1e15, "1000000000000", nullptr, refused);
    }

    void storesSeconds()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, typed);
        QFETCH(QVariant, result);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("tempochiamata"), stored);
        QVariantMap before = configurationRow(folder);
        TempoChiamata window(folder.store());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // Tabbed into, as an operator reaches it: the whole text selected, so typing replaces it.
        auto* box = child<QLineEdit>(window, QStringLiteral("T1"));
        box->clearFocus();
        box->setFocus(Qt::TabFocusReason);
        QTEST(box->text(), "shown");
        if (!typed.isNull()) {
            QTest::keyClicks(box, typed);
            if (typed.isEmpty())
                QTest::keyClick(box, Qt::Key_Backspace);
        }
        const QString boxBefore = box->text();
        ModalDriver driver;
        QStringList lines;
        if (result.isNull())
            driver.nextMessage(&lines);

        clickButton(window, QStringLiteral("PB1_1"));

        QCOMPARE(window.isVisible(), result.isNull());
        if (result.isNull()) {
            QCOMPARE(lines, QStringList{QStringLiteral("Impostare valore compreso fra 1 e 60")});
            QCOMPARE(box->text(), boxBefore);
        } else {
            before.insert(QStringLiteral("tempochiamata"), result);
        }
        QCOMPARE(configurationRow(folder), before);
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestTempoChiamata)
#include "tst_tempochiamata.moc"
