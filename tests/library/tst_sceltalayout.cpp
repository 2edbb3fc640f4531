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

using Names = QVector<QPair<QVariant, QVariant>>;

Names readNames()
{
    Names rows;
    for (RecordSet set(Database::current(), QStringLiteral("DescrizioneLayout")); !set.eof(); set.moveNext())
        rows.append({set.value(QStringLiteral("LayoutNome")), set.value(QStringLiteral("LayoutDescrizione"))});
    return rows;
}

void writeNames(const Names& rows)
{
    RecordSet set(Database::current(), QStringLiteral("DescrizioneLayout"));
    for (const auto& [name, description] : rows) {
        set.edit();
        set.setValue(QStringLiteral("LayoutNome"), name);
        set.setValue(QStringLiteral("LayoutDescrizione"), description);
        set.update();
        set.moveNext();
    }
}

// Names with a null here and there, and a base row that must never be shown.
Names unusualNames()
{
    Names rows{{QStringLiteral("Nome del base"), QStringLiteral("Descrizione del base")}};
    for (int layout = 1; layout <= 10; ++layout) {
        const QVariant name = layout == 4 ? QVariant() : QVariant(QStringLiteral("Sala %1").arg(layout));
        const QVariant description = layout % 3 == 0 ? QVariant() : QVariant(QStringLiteral("Uso %1").arg(layout));
        rows.append({name, description});
    }
    return rows;
}

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

QStringList checkedRadios(const SceltaLayout& window)
{
    QStringList checked;
    for (const QRadioButton* button : window.RB1) {
        if (button->isChecked())
            checked << button->objectName();
    }
    return checked;
}

} // namespace

class TestSceltaLayout : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheStoredDefault_data();
    void opensOnTheStoredDefault();
    void tabVisitsOnlyTheDescriptions();
    void showsAndSavesNames();
    void setsTheDefault_data();
    void setsTheDefault();
    void loadsTheSelectedLayout_data();
    void loadsTheSelectedLayout();
    void opensCopyAndClearWindows_data();
    void opensCopyAndClearWindows();
    void closes();
};

void TestSceltaLayout::opensOnTheStoredDefault_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("checked");
    const QString invalid = SceltaLayout::invalidDefaultText();
    QTest::newRow("base") << QStringLiteral("99") << QStringLiteral("Layout Base") << QStringLiteral("RB1_0");
    QTest::newRow("7") << QStringLiteral("7") << QStringLiteral("Layout 7") << QStringLiteral("RB1_7");
    QTest::newRow("10") << QStringLiteral("10") << QStringLiteral("Layout 10") << QStringLiteral("RB1_10");
    QTest::newRow("null") << QStringLiteral("NULL") << invalid << QStringLiteral("RB1_0");
    QTest::newRow("0") << QStringLiteral("0") << invalid << QStringLiteral("RB1_0");
    QTest::newRow("11") << QStringLiteral("11") << invalid << QStringLiteral("RB1_0");
    QTest::newRow("-5") << QStringLiteral("-5") << invalid << QStringLiteral("RB1_0");
    QTest::newRow("fraction") << QStringLiteral("3.5") << invalid << QStringLiteral("RB1_0");
    QTest::newRow("text") << QStringLiteral("'tre'") << invalid << QStringLiteral("RB1_0");
}

void TestSceltaLayout::opensOnTheStoredDefault()
{
    QFETCH(QString, stored);
    QFETCH(QString, label);
    QFETCH(QString, checked);
    TestFolder folder;
    LayoutTables::storeDefault(stored);
    const QVariant before = LayoutTables::storedDefault();

    {
        SceltaLayout window;
        QCOMPARE(window.Label2->text(), label);
        QCOMPARE(checkedRadios(window), QStringList{checked});
    }

    // Opening never repairs a value it does not understand.
    QCOMPARE(LayoutTables::storedDefault(), before);
}

void TestSceltaLayout::tabVisitsOnlyTheDescriptions()
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

void TestSceltaLayout::showsAndSavesNames()
{
    TestFolder folder;
    writeNames(unusualNames());
    Database::current().execute(QStringLiteral("INSERT INTO \"DescrizioneLayout\" VALUES ('dodicesima', 'in piu')"));
    SceltaLayout window;
    window.show();
    const QString typed = QStringLiteral("Sportelli al piano terra");

    // Rows 2 .. 11 are shown, nulls as empty text; the stored row of the base layout never is.
    const Names rows = unusualNames();
    QCOMPARE(window.Text1[0]->text(), QStringLiteral("Layout Base"));
    QCOMPARE(window.Text1[1]->text(), QStringLiteral("Layout di Esempio o utile per la copia"));
    for (int layout = 1; layout <= 10; ++layout) {
        QCOMPARE(window.Text1[2 * layout]->text(), rows[layout].first.toString());
        QCOMPARE(window.Text1[2 * layout + 1]->text(), rows[layout].second.toString());
    }
    window.Text1[5]->clear();
    QTest::keyClicks(window.Text1[5], typed);
    ModalDriver driver;
    QStringList message;
    driver.nextMessage(&message);

    QTest::mouseClick(window.PB1[1], Qt::LeftButton);

    QCOMPARE(message, QStringList{QStringLiteral("Salvataggio effettuato !")});
    const Names saved = readNames();
    QCOMPARE(saved.size(), 12);
    QCOMPARE(saved[0].first.toString(), QStringLiteral("Layout Base"));
    QCOMPARE(saved[0].second.toString(), QStringLiteral("Layout di Esempio o utile per la copia"));
    // Written as shown: a null comes back as empty text, not as null.
    for (int layout = 1; layout <= 10; ++layout) {
        QCOMPARE(saved[layout].first, QVariant(rows[layout].first.toString()));
        QCOMPARE(saved[layout].second, QVariant(layout == 2 ? typed : rows[layout].second.toString()));
    }
    QCOMPARE(saved[11].first.toString(), QStringLiteral("dodicesima"));
}

void TestSceltaLayout::setsTheDefault_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QStringList>("message");
    QTest::addColumn<QVariant>("expected");
    const QStringList refusal{QStringLiteral("Selezionare Layout 1-10 !"), QStringLiteral("Impossibile impostare il"),
                              QStringLiteral("Layout Base come Predefinito !")};
    const QStringList stored{QStringLiteral("Layout Predefinito memorizzato !")};
    QTest::newRow("layout 3") << QStringLiteral("99") << QStringLiteral("RB1_3") << stored << QVariant(qlonglong(3));
    QTest::newRow("layout 10") << QStringLiteral("2") << QStringLiteral("RB1_10") << stored << QVariant(qlonglong(10));
    QTest::newRow("from an invalid value")
        << QStringLiteral("42") << QStringLiteral("RB1_5") << stored << QVariant(qlonglong(5));
    QTest::newRow("base refused") << QStringLiteral("4") << QStringLiteral("RB1_0") << refusal
                                  << QVariant(qlonglong(4));
    QTest::newRow("invalid left alone") << QStringLiteral("NULL") << QString() << refusal << QVariant();
}

void TestSceltaLayout::setsTheDefault()
{
    QFETCH(QString, stored);
    QFETCH(QString, radio);
    QFETCH(QStringList, message);
    QFETCH(QVariant, expected);
    TestFolder folder;
    LayoutTables::storeDefault(stored);
    const QVariantMap before = otherConfiguration();
    SceltaLayout window;
    window.show();
    const QString labelBefore = window.Label2->text();
    if (!radio.isEmpty())
        QTest::mouseClick(window.findChild<QRadioButton*>(radio), Qt::LeftButton);
    ModalDriver driver;
    QStringList shown;
    driver.nextMessage(&shown);

    QTest::mouseClick(window.PB1[2], Qt::LeftButton);

    QCOMPARE(shown, message);
    QCOMPARE(LayoutTables::storedDefault(), expected);
    const bool refused = message.size() == 3;
    QCOMPARE(window.Label2->text(), refused ? labelBefore : QStringLiteral("Layout %1").arg(expected.toInt()));
    QCOMPARE(otherConfiguration(), before);
}

void TestSceltaLayout::loadsTheSelectedLayout_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("table");
    QTest::newRow("base") << QStringLiteral("RB1_0") << QStringLiteral("LayoutBase");
    QTest::newRow("layout 3") << QStringLiteral("RB1_3") << QStringLiteral("Layout3");
    QTest::newRow("layout 10") << QStringLiteral("RB1_10") << QStringLiteral("Layout10");
}

void TestSceltaLayout::loadsTheSelectedLayout()
{
    QFETCH(QString, radio);
    QFETCH(QString, table);
    TestFolder folder;
    SceltaLayout window;
    window.show();
    QTest::mouseClick(window.findChild<QRadioButton*>(radio), Qt::LeftButton);
    ModalDriver driver;
    QString designerTitle;
    QString tableWhileOpen;
    driver.next([&](QWidget* designer) {
        designerTitle = designer->windowTitle();
        tableWhileOpen = CurrentLayoutTable;
        designer->close();
    });

    QTest::mouseClick(window.PB1[3], Qt::LeftButton);

    QCOMPARE(tableWhileOpen, table);
    QCOMPARE(designerTitle, QStringLiteral("Impostazione Modulo : ") + table);
    QVERIFY(window.isVisible());
    QVERIFY(driver.unexpected().isEmpty());
}

void TestSceltaLayout::opensCopyAndClearWindows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("number");
    QTest::newRow("copy") << QStringLiteral("PB1_4") << QStringLiteral("CopiaLayout") << QString();
    QTest::newRow("reset 1") << QStringLiteral("PPBB1_1") << QStringLiteral("CancellaLayout") << QStringLiteral("1");
    QTest::newRow("reset 10") << QStringLiteral("PPBB1_10") << QStringLiteral("CancellaLayout") << QStringLiteral("10");
}

void TestSceltaLayout::opensCopyAndClearWindows()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, number);
    TestFolder folder;
    SceltaLayout chooser;
    chooser.show();
    ModalDriver driver;
    QString opened;
    QString shownNumber;
    driver.next([&](QWidget* modal) {
        opened = modal->objectName();
        if (auto* label = modal->findChild<QLabel*>(QStringLiteral("Label3")))
            shownNumber = label->text();
        modal->close();
    });

    QTest::mouseClick(chooser.findChild<QPushButton*>(button), Qt::LeftButton);

    QCOMPARE(opened, window);
    if (!number.isEmpty())
        QCOMPARE(shownNumber, number);
    QVERIFY(chooser.isVisible());
    QVERIFY(driver.unexpected().isEmpty());
}

void TestSceltaLayout::closes()
{
    TestFolder folder;
    SceltaLayout window;
    window.show();

    QTest::mouseClick(window.PB1[0], Qt::LeftButton);

    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestSceltaLayout)
#include "tst_sceltalayout.moc"
