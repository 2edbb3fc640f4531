#include "library/LayoutTables.h"
#include "library/SceltaLayout.h"
#include "shell/store/Globals.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// Every field of the configuration record but qualelayout.
QVariantMap otherConfiguration()
{
    QVariantMap values;
    RecordSet config(Database::current(), QStringLiteral("Configurazione"));
    for (const QString& column : config.columns()) {
        if (column.compare(QLatin1String("qualelayout"), Qt::CaseInsensitive) != 0)
            values.insert(column, config.value(column));
    }
    return values;
}

} // namespace

class TestSceltaLayout : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheStoredDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("checked");
        QTest::newRow("base") << "99" << "Layout Base" << 0;
        QTest::newRow("7") << "7" << "Layout 7" << 7;
        QTest::newRow("10") << "10" << "Layout 10" << 10;
        for (const char* stored : {"NULL", "0", "11", "3.5", "'tre'"})
            QTest::newRow(stored) << stored << "Nessun layout predefinito valido" << 0;
    }

    void opensOnTheStoredDefault()
    {
        QFETCH(QString, stored);
        QFETCH(QString, label);
        QFETCH(int, checked);
        TestFolder folder;
        LayoutTables::storeDefault(stored);
        const QVariant before = LayoutTables::storedDefault();
        {
            SceltaLayout window;
            QCOMPARE(window.Label2->text(), label);
            for (int layout = 0; layout < SceltaLayout::LayoutCount; ++layout)
                QCOMPARE(window.RB1[layout]->isChecked(), layout == checked);
        }
        // Opening never repairs a value it does not understand.
        QCOMPARE(LayoutTables::storedDefault(), before);
    }

    void tabVisitsOnlyTheDescriptions()
    {
        TestFolder folder;
        SceltaLayout window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.Text1[3]->setFocus();
        QSet<QString> visited;
        for (int step = 0; step < 40; ++step) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused);
            if (auto* field = qobject_cast<QLineEdit*>(focused)) {
                QVERIFY2(!field->isReadOnly(), qPrintable(field->objectName()));
                visited.insert(field->objectName());
            }
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        for (int layout = 1; layout <= 10; ++layout)
            QVERIFY2(visited.contains(QStringLiteral("Text1_%1").arg(2 * layout + 1)), qPrintable(QString::number(layout)));
    }

    // Rows 2 .. 11 of the names are shown, nulls as empty text, and saved as shown; the stored row
    // of the base layout never is shown, and a twelfth row is left alone.
    void showsAndSavesNames()
    {
        TestFolder folder;
        Database::current().execute(QStringLiteral(
            "UPDATE \"DescrizioneLayout\" SET \"LayoutNome\" = CASE WHEN rowid <> 5 THEN 'Sala ' || rowid END, "
            "\"LayoutDescrizione\" = CASE WHEN rowid % 3 THEN 'Uso ' || rowid END"));
        Database::current().execute(QStringLiteral("INSERT INTO \"DescrizioneLayout\" VALUES ('dodicesima', 'in piu')"));
        QStringList shown{QStringLiteral("Layout Base"), QStringLiteral("Layout di Esempio o utile per la copia")};
        for (int row = 2; row <= 11; ++row) {
            shown << (row == 5 ? QString() : QStringLiteral("Sala %1").arg(row))
                  << (row % 3 ? QStringLiteral("Uso %1").arg(row) : QString());
        }
        SceltaLayout window;
        window.show();
        QStringList seen;
        for (const QLineEdit* field : window.Text1)
            seen << field->text();
        QCOMPARE(seen, shown);

        window.Text1[5]->clear();
        QTest::keyClicks(window.Text1[5], QStringLiteral("Sportelli al piano terra"));
        shown[5] = QStringLiteral("Sportelli al piano terra");
        ModalDriver driver;
        QStringList message;
        driver.nextMessage(&message);
        QTest::mouseClick(window.PB1[1], Qt::LeftButton);

        QCOMPARE(message, QStringList{QStringLiteral("Salvataggio effettuato !")});
        // Written as shown: a null comes back as empty text, not as null.
        QVariantList expected(shown.cbegin(), shown.cend());
        expected << QStringLiteral("dodicesima") << QStringLiteral("in piu");
        QVariantList saved;
        for (RecordSet names(Database::current(), QStringLiteral("DescrizioneLayout")); !names.eof(); names.moveNext())
            saved << names.value(QStringLiteral("LayoutNome")) << names.value(QStringLiteral("LayoutDescrizione"));
        QCOMPARE(saved, expected);
    }

    void setsTheDefault_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("radio"); // -1: the selection as opened
        QTest::addColumn<QStringList>("message");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("label");
        const QStringList refusal{QStringLiteral("Selezionare Layout 1-10 !"), QStringLiteral("Impossibile impostare il"),
                                  QStringLiteral("Layout Base come Predefinito !")};
        const QStringList stored{QStringLiteral("Layout Predefinito memorizzato !")};
        QTest::newRow("layout 3") << "99" << 3 << stored << QVariant(qlonglong(3)) << "Layout 3";
        QTest::newRow("from an invalid value") << "42" << 5 << stored << QVariant(qlonglong(5)) << "Layout 5";
        QTest::newRow("base refused") << "4" << 0 << refusal << QVariant(qlonglong(4)) << "Layout 4";
        QTest::newRow("invalid left alone") << "NULL" << -1 << refusal << QVariant()
                                            << "Nessun layout predefinito valido";
    }

    void setsTheDefault()
    {
        QFETCH(QString, stored);
        QFETCH(int, radio);
        QFETCH(QStringList, message);
        QFETCH(QVariant, expected);
        QFETCH(QString, label);
        TestFolder folder;
        LayoutTables::storeDefault(stored);
        const QVariantMap before = otherConfiguration();
        SceltaLayout window;
        window.show();
        if (radio >= 0)
            QTest::mouseClick(window.RB1[radio], Qt::LeftButton);
        ModalDriver driver;
        QStringList shown;
        driver.nextMessage(&shown);

        QTest::mouseClick(window.PB1[2], Qt::LeftButton);

        QCOMPARE(shown, message);
        QCOMPARE(LayoutTables::storedDefault(), expected);
        QCOMPARE(window.Label2->text(), label);
        QCOMPARE(otherConfiguration(), before);
    }

    // The designer opens on the selected layout, the copy window, the clear window on the layout of
    // its row; the chooser stays open under them. C&hudi closes it.
    void buttons_data()
    {
        QTest::addColumn<int>("radio");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("opened"); // objectName, then the caption or the number to clear
        QTest::newRow("load base") << 0 << "PB1_3" << "Form1 Impostazione Modulo : LayoutBase";
        QTest::newRow("load 3") << 3 << "PB1_3" << "Form1 Impostazione Modulo : Layout3";
        QTest::newRow("load 10") << 10 << "PB1_3" << "Form1 Impostazione Modulo : Layout10";
        QTest::newRow("copy") << 2 << "PB1_4" << "CopiaLayout Funzione di Copia Layout";
        QTest::newRow("clear 1") << 2 << "PPBB1_1" << "CancellaLayout 1";
        QTest::newRow("clear 10") << 2 << "PPBB1_10" << "CancellaLayout 10";
        QTest::newRow("close") << 2 << "PB1_0" << "";
    }

    void buttons()
    {
        QFETCH(int, radio);
        QFETCH(QString, button);
        QFETCH(QString, opened);
        TestFolder folder;
        SceltaLayout chooser;
        chooser.show();
        QTest::mouseClick(chooser.RB1[radio], Qt::LeftButton);
        ModalDriver driver;
        QString seen;
        if (!opened.isEmpty()) {
            driver.next([&](QWidget* modal) {
                const auto* number = modal->findChild<QLabel*>(QStringLiteral("Label3"));
                seen = modal->objectName() + QLatin1Char(' ') + (number ? number->text() : modal->windowTitle());
                modal->close();
            });
        }

        QTest::mouseClick(chooser.findChild<QPushButton*>(button), Qt::LeftButton);

        QCOMPARE(seen, opened);
        QCOMPARE(chooser.isVisible(), !opened.isEmpty());
        QCOMPARE(driver.pending(), 0);
        QVERIFY(driver.unexpected().isEmpty());
    }
};

QTEST_MAIN(TestSceltaLayout)
#include "tst_sceltalayout.moc"
