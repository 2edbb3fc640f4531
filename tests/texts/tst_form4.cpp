#include "Find.h"
#include "data/ConfigurationRecord.h"
#include "support/ModalDriver.h"
#include "support/core/ConfigurationRow.h"
#include "texts/Form4.h"
#include "texts/ScrollingPreview.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// One tick of the preview's timer, without waiting for it.
void tick(Form4& window)
{
    QMetaObject::invokeMethod(child<QTimer>(window, QStringLiteral("Timer1")), "timeout", Qt::DirectConnection);
}

// Types `text` key by key, as a keyboard with every character on it would.
void typeText(QWidget* box, const QString& text)
{
    for (const char32_t codePoint : text.toUcs4()) {
        const QString character = QString::fromUcs4(&codePoint, 1);
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, character, Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, character, Qt::NoModifier);
    }
}

} // namespace

class TestForm4 : public QObject
{
    Q_OBJECT
private slots:
    // The box opens on the stored text; "&Salva dati" stores whatever it holds exactly, says so,
    // stays open and changes no other field.
    void storesTheTextExactly_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("typed");
        QTest::newRow("never written") << QVariant() << QStringLiteral("Benvenuti");
        QTest::newRow("emptied") << QVariant(QStringLiteral("vecchio")) << QString();
        QTest::newRow("apostrophes and quotes")
            << QVariant(QStringLiteral("l'attesa")) << QStringLiteral("L'ufficio \"Anagrafe\" all'1° piano");
        QTest::newRow("like wildcards") << QVariant() << QStringLiteral("100% * ? # [a-z] _ ;--");
        QTest::newRow("emoji and accents") << QVariant() << QStringLiteral("Buon caffè \u2615 \U0001F600 città");
        QTest::newRow("10,000 characters") << QVariant() << QString(10000, QLatin1Char('x')) + QStringLiteral("!");
        QTest::newRow("blanks only") << QVariant() << QStringLiteral("   ");
    }

    void storesTheTextExactly()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, typed);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("StringaScorrevole"), stored);
        QVariantMap before = configurationRow(folder);
        Form4 window(folder.store());
        window.show();
        auto* testo = child<QLineEdit>(window, QStringLiteral("testo"));
        QCOMPARE(testo->text(), stored.toString());
        QVERIFY(child<QLineEdit>(window, QStringLiteral("Text1"))->text().isEmpty());

        testo->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(testo, Qt::Key_Delete);
        else if (typed.size() < 100)
            typeText(testo, typed);
        else
            testo->insert(typed); // as pasted
        QCOMPARE(testo->text(), typed);
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(&lines);
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PB1_1")), Qt::LeftButton);

        QCOMPARE(lines, QStringList{QStringLiteral("Memorizzazione effettuata !")});
        QVERIFY(window.isVisible());
        QVariantMap after = configurationRow(folder);
        QCOMPARE(after.take(QStringLiteral("StringaScorrevole")).toString(), typed);
        before.remove(QStringLiteral("StringaScorrevole"));
        QCOMPARE(after, before);
    }

    // "Prova" turns the text one character per tick of a 150 ms timer. Saving neither stops the
    // preview nor gives it the saved text: it keeps turning what "Prova" was pressed on, also while
    // the message is up; only "Prova" again starts from the text now in the box.
    void saveLeavesThePreviewRunning()
    {
        TestFolder folder;
        Form4 window(folder.store());
        window.show();
        auto* testo = child<QLineEdit>(window, QStringLiteral("testo"));
        auto* preview = child<QLineEdit>(window, QStringLiteral("Text1"));
        testo->setText(QStringLiteral("abc"));
        auto* timer = child<QTimer>(window, QStringLiteral("Timer1"));
        QVERIFY(!timer->isActive());
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PushButton1")), Qt::LeftButton);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 150);
        tick(window);
        QCOMPARE(preview->text(), ScrollingPreview::after(QStringLiteral("abc"), 1));
        testo->setText(QStringLiteral("xyz"));

        QStringList seenDuringMessage;
        ModalDriver driver;
        driver.next([&](QWidget* message) {
            // Long enough for a few real ticks behind the message.
            QTest::qWait(400);
            seenDuringMessage << preview->text();
            ModalDriver::click(message, QStringLiteral("PB1_0"));
        });
        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PB1_1")), Qt::LeftButton);

        QCOMPARE(ConfigurationRecord(folder.store()).scrollingText(), std::optional<QString>(QStringLiteral("xyz")));
        QVERIFY(timer->isActive());
        QStringList turns;
        for (int ticks = 0; ticks < 33; ++ticks)
            turns << ScrollingPreview::after(QStringLiteral("abc"), ticks);
        QCOMPARE(seenDuringMessage.size(), 1);
        QVERIFY2(turns.contains(seenDuringMessage.first()), qPrintable(seenDuringMessage.first()));
        tick(window);
        QVERIFY(turns.contains(preview->text()));

        QTest::mouseClick(child<QPushButton>(window, QStringLiteral("PushButton1")), Qt::LeftButton);
        tick(window);
        QCOMPARE(preview->text(), ScrollingPreview::after(QStringLiteral("xyz"), 1));
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
