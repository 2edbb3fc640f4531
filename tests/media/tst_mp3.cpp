#include "data/ConfigurationRecord.h"
#include "media/MP3.h"
#include "support/WindowTest.h"
#include "ui/ScriptedFileDialogs.h"

class TestMP3 : public QObject
{
    Q_OBJECT
private slots:
    // The box opens on the stored folder; "&Conferma" stores what it holds exactly, typed or
    // chosen, without looking for the folder, says so and stays open; an empty box stores and says
    // nothing. No other field changes.
    void storesTheFolder_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("typed");  // null: nothing typed
        QTest::addColumn<QString>("chosen"); // null: "..." not used; empty: cancelled
        QTest::addColumn<QString>("result"); // null: nothing stored
        const auto add = [](const char* name, const QVariant& stored, const QString& typed, const QString& chosen,
                            const QString& result) { QTest::newRow(name) << stored << typed << chosen << result; };
        const QString music = QDir::toNativeSeparators(QStringLiteral("/srv/musica"));
        const QString odd = QStringLiteral("Z:\\Musica d'attesa \"sala\" 100% *?[x] \U0001F3B5");
        const QString none;
        add("typed, not existing, odd characters", {}, odd, none, odd);
        add("chosen", music, none, "/home/sala/Musica", "/home/sala/Musica");
        add("chosen root keeps its separator", music, none, "C:\\", "C:\\");
        add("chooser cancelled keeps the box", music, none, "", music);
        add("emptied", music, "", none, none);
    }

    void storesTheFolder()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        QFETCH(QString, result);
        TestFolder folder;
        storeConfiguration(folder, QStringLiteral("cartellamp3"), stored);
        QVariantMap before = configurationRow(folder);
        ScriptedFileDialogs dialogs;
        MP3 window(folder.store(), dialogs);
        window.show();
        auto* box = child<QLineEdit>(window, QStringLiteral("FE1"));
        QCOMPARE(box->text(), stored.toString());

        if (!typed.isNull())
            box->setText(typed);
        if (!chosen.isNull()) {
            chosen.isEmpty() ? dialogs.setNextCancel() : dialogs.setNextFileName(chosen);
            clickButton(window, QStringLiteral("CBT_2"));
            QCOMPARE(dialogs.asked().size(), 1);
        }
        ModalDriver driver;
        QStringList lines;
        if (!result.isNull())
            driver.nextMessage(&lines);
        clickButton(window, QStringLiteral("CBT_1"));

        QVERIFY(driver.unexpected().isEmpty());
        QVERIFY(window.isVisible());
        if (!result.isNull()) {
            QCOMPARE(lines, QStringList{QStringLiteral("Cartella MP3 impostata come predefinita !")});
            before.insert(QStringLiteral("cartellamp3"), result);
        }
        QCOMPARE(configurationRow(folder), before);
    }
};

QTEST_MAIN(TestMP3)
#include "tst_mp3.moc"
