#include "support/WindowTest.h"
#include "texts/Form4.h"
#include "texts/ScrollingPreview.h"

class TestForm4 : public QObject
{
    Q_OBJECT
private slots:
    // The text and its gap of 30 blanks turn round one character per step; what the operator sees
    // as one character (an emoji, a flag, a letter with its accent) moves whole.
    void previewAfterSteps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("shown");
        const QString abc = QStringLiteral("abc");
        const QString gap(30, QLatin1Char(' '));
        const QString smile = QStringLiteral("\U0001F600");
        const QString heavy = "o" + QString(200, QChar(0x0301));
        QTest::newRow("one step") << abc << 1 << "bc" + gap + "a";
        QTest::newRow("a long text") << QString(9999, QLatin1Char('a')) + "z" << 9999
                                     << "z" + gap + QString(9999, QLatin1Char('a'));
        QTest::newRow("a full turn of 33") << abc << 33 << abc + gap;
        QTest::newRow("empty text, moving blanks") << QString() << 7 << gap;
        QTest::newRow("emoji moves whole") << "a" + smile + "b" << 2 << "b" + gap + "a" + smile;
        QTest::newRow("accent stays on its letter") << "e\u0301z" << 1 << "z" + gap + "e\u0301";
        QTest::newRow("a character longer than most") << heavy + "k" << 1 << "k" + gap + heavy;
        QTest::newRow("full turn with an emoji") << "a" + smile << 32 << "a" + smile + gap;
    }

    void previewAfterSteps()
    {
        QFETCH(QString, text);
        QFETCH(int, steps);
        QTEST(ScrollingPreview::after(text, steps), "shown");
    }

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

        testo->selectAll();
        testo->insert(typed); // as pasted over the old text
        QCOMPARE(testo->text(), typed);
        ModalDriver driver;
        QStringList lines;
        driver.nextMessage(&lines);
        clickButton(window, "PB1_1");

        QCOMPARE(lines, QStringList{QStringLiteral("Memorizzazione effettuata !")});
        QVERIFY(window.isVisible());
        QVariantMap after = configurationRow(folder);
        QCOMPARE(after.take(QStringLiteral("StringaScorrevole")).toString(), typed);
        before.remove(QStringLiteral("StringaScorrevole"));
        QCOMPARE(after, before);
    }
};

QTEST_MAIN(TestForm4)
#include "tst_form4.moc"
