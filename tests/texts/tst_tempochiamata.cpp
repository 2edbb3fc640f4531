#include "Find.h"
#include "support/ModalDriver.h"
#include "support/core/ConfigurationRow.h"
#include "texts/TempoChiamata.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Tab into the box, as an operator reaches it.
QLineEdit* enterBox(TempoChiamata& window)
{
    auto* box = child<QLineEdit>(window, QStringLiteral("T1"));
    box->clearFocus();
    box->setFocus(Qt::TabFocusReason);
    return box;
}

} // namespace

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
        QTest::newRow("never written shows 0, refused") << QVariant() << "0" << QString() << QVariant();
        QTest::newRow("2500 shows 2, stores 2000") << QVariant(2500.0) << "2" << QString() << QVariant(2000.0);
        QTest::newRow("2999 shows 2") << QVariant(2999.0) << "2" << QString() << QVariant(2000.0);
        QTest::newRow("leading zeros, 007") << QVariant(5000.0) << "5"
                                            << "007" << QVariant(7000.0);
        QTest::newRow("1") << QVariant(5000.0) << "5"
                           << "1" << QVariant(1000.0);
        QTest::newRow("60") << QVariant(5000.0) << "5"
                            << "60" << QVariant(60000.0);
        QTest::newRow("61") << QVariant(5000.0) << "5"
                            << "61" << QVariant();
        QTest::newRow("0") << QVariant(5000.0) << "5"
                           << "0" << QVariant();
        QTest::newRow("emptied") << QVariant(5000.0) << "5"
                                 << "" << QVariant();
        QTest::newRow("twenty digits") << QVariant(5000.0) << "5"
                                       << "99999999999999999999" << QVariant();
        QTest::newRow("letters fall away") << QVariant(5000.0) << "5"
                                           << "1a2'*%" << QVariant(12000.0);
        QTest::newRow("a sign falls away") << QVariant(5000.0) << "5"
                                           << "-4.5" << QVariant(45000.0);
        // Written by someone else: shown as read, and no call time.
        QTest::newRow("negative stored") << QVariant(-3000.0) << "-3" << QString() << QVariant();
        QTest::newRow("huge stored") << QVariant(1e15) << "1000000000000" << QString() << QVariant();
    }

    void storesSeconds()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QFETCH(QString, typed);
        QFETCH(QVariant, result);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("tempochiamata"), stored);
        QVariantMap before = configurationRow(folder);
        TempoChiamata window(folder.store());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QLineEdit* box = enterBox(window);
        QCOMPARE(box->text(), shown);
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

        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PB1_1")), Qt::LeftButton);

        QVariantMap after = configurationRow(folder);
        if (result.isNull()) {
            QCOMPARE(lines, QStringList{QStringLiteral("Impostare valore compreso fra 1 e 60")});
            QVERIFY(window.isVisible());
            QCOMPARE(box->text(), boxBefore);
            QCOMPARE(after, before);
        } else {
            QVERIFY(!window.isVisible());
            QCOMPARE(after.take(QStringLiteral("tempochiamata")), result);
            before.remove(QStringLiteral("tempochiamata"));
            QCOMPARE(after, before);
        }
        QVERIFY(driver.unexpected().isEmpty());
    }

    // Entering the box empties the clipboard whatever it held and selects the whole text, so the
    // next digit replaces it; nothing reaches the box by pasting.
    void enteringEmptiesTheClipboard()
    {
        TestFolder folder;
        TempoChiamata window(folder.store());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QApplication::clipboard()->setText(QStringLiteral("12"));
        QLineEdit* box = enterBox(window);
        QVERIFY(QApplication::clipboard()->text().isEmpty());
        QCOMPARE(box->selectedText(), box->text());

        QApplication::clipboard()->setText(QStringLiteral("33"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keyClicks(box, QStringLiteral("9"));
        QCOMPARE(box->text(), QStringLiteral("9"));
    }

    // Keys that type nothing still move and erase.
    void editingKeysWork()
    {
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("tempochiamata"), 45000.0);
        TempoChiamata window(folder.store());
        window.show();
        QLineEdit* box = enterBox(window);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClicks(box, QStringLiteral("0"));
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestTempoChiamata)
#include "tst_tempochiamata.moc"
