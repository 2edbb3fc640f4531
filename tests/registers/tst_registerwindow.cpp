#include "support/WindowTest.h"
#include "ui/ScriptedFileDialogs.h"

#include "data/RecordSet.h"
#include "data/RegisterTable.h"
#include "registers/GestioneRadio.h"
#include "registers/GestioneUtenti.h"

#include <QAbstractItemModelTester>
#include <QTabWidget>
#include <QTableView>

Q_DECLARE_METATYPE(RegisterKind)

namespace {

constexpr RegisterKind Operators = RegisterKind::Operators;
constexpr RegisterKind Stations = RegisterKind::Stations;

// Which page is shown: exactly one tab is enabled at a time, and it is the selected one.
int page(const QWidget& window)
{
    auto* tabs = child<QTabWidget>(window, "TC1");
    const int current = tabs->currentIndex();
    return tabs->isTabEnabled(current) && !tabs->isTabEnabled(1 - current) ? current : -1;
}

QString boxText(const QWidget& window, int index)
{
    return child<QLineEdit>(window, "Text1", index)->text();
}

QTableView* grid(const QWidget& window)
{
    return child<QTableView>(window, "grid");
}

} // namespace

class TestRegisterWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;
    ScriptedFileDialogs m_dialogs;
    std::unique_ptr<ModalDriver> m_driver;

    // The register's rows as "name = second", in list order.
    QStringList rows(RegisterKind kind)
    {
        QStringList rows;
        for (const RegisterEntry& entry : RegisterTable(m_folder->store(), kind).list())
            rows.append(entry.name + " = " + entry.second);
        return rows;
    }

    // Empties both registers, stores `names` (each with a second text made from its name) and opens the
    // register's window.
    std::unique_ptr<RegisterWindow> open(RegisterKind kind, const QStringList& names)
    {
        for (const char* table : {"utenti", "radio"})
            for (RecordSet rows(m_folder->database(), QLatin1String(table)); !rows.eof();)
                rows.deleteCurrent();
        for (const QString& name : names)
            RegisterTable(m_folder->store(), kind).add({name, name.toLower() + ".txt"});
        std::unique_ptr<RegisterWindow> window;
        if (kind == Operators)
            window = std::make_unique<GestioneUtenti>(m_folder->store(), m_dialogs);
        else
            window = std::make_unique<GestioneRadio>(m_folder->store());
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the register window did not become active");
        return window;
    }

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<TestFolder>();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void cleanupTestCase() { m_folder.reset(); }
    void init()
    {
        m_dialogs = ScriptedFileDialogs();
        m_driver = std::make_unique<ModalDriver>();
    }
    void cleanup()
    {
        QVERIFY(m_driver->unexpected().isEmpty());
        QCOMPARE(m_driver->pending(), 0);
    }

    // "&Conferma" after "&Nuovo" or "&Modifica": what is refused, with which message, and what is stored.
    void conferma_data()
    {
        QTest::addColumn<RegisterKind>("kind");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("changeRow"); // -1 for a new row
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("message"); // empty when it is stored
        QTest::addColumn<QStringList>("after");
        const QString duplicate = "Voce già presente in archivio !";
        const QStringList two{"Rossi", "Bianchi"};
        const QStringList none;
        const QString longName = QString::fromUtf8("Niccolò ").repeated(700);

        QTest::newRow("own name in other case") << Operators << two << 1 << QStringList{"ROSSI", "r.jpg"} << QString()
                                                << QStringList{"Bianchi = bianchi.txt", "ROSSI = r.jpg"};
        QTest::newRow("another row's name") << Operators << two << 1 << QStringList{"bianchi", "r.jpg"} << duplicate
                                            << QStringList{"Bianchi = bianchi.txt", "Rossi = rossi.txt"};
        QTest::newRow("A* when a name starts with A")
            << Operators << QStringList{"Zeta", "alfa"} << -1 << QStringList{"A*", ""} << duplicate
            << QStringList{"alfa = alfa.txt", "Zeta = zeta.txt"};
        QTest::newRow("operator without a name")
            << Operators << none << -1 << QStringList{"", "x.jpg"} << "Inserire i dati prima di salvare !" << none;
        QTest::newRow("station without a name") << Stations << none << -1 << QStringList{"", "http://r"}
                                                << "Inserire i dati Utente prima di salvare !" << none;
        QTest::newRow("station without an address") << Stations << none << -1 << QStringList{"Radio Uno", ""}
                                                    << "Inserire il percorso prima di salvare !" << none;
        QTest::newRow("quotes, brackets, % _ # as typed")
            << Stations << QStringList{"Radio 1"} << -1
            << QStringList{"Radio \"100%\" [FM] a_b #", "http://r/?a='1'&b=\"2\""} << QString()
            << QStringList{"Radio \"100%\" [FM] a_b # = http://r/?a='1'&b=\"2\"", "Radio 1 = radio 1.txt"};
        QTest::newRow("long name with accents") << Stations << none << -1 << QStringList{longName, "http://r"}
                                                << QString() << QStringList{longName + " = http://r"};
    }

    void conferma()
    {
        QFETCH(RegisterKind, kind);
        QFETCH(QStringList, stored);
        QFETCH(int, changeRow);
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        const auto window = open(kind, stored);
        QAbstractItemModelTester tester(grid(*window)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        if (changeRow >= 0)
            grid(*window)->setCurrentIndex(grid(*window)->model()->index(changeRow, 0));
        clickButton(*window, changeRow >= 0 ? "ctButton2_1" : "ctButton2_3");
        QCOMPARE(page(*window), 1);
        for (int box = 0; box < 2; ++box)
            child<QLineEdit>(*window, "Text1", box)->setText(typed[box]);
        QStringList said;
        if (!message.isEmpty())
            m_driver->nextMessage(&said);

        clickButton(*window, "CBT_1");

        QCOMPARE(said, message.isEmpty() ? QStringList() : QStringList{message});
        QTEST(rows(kind), "after");
        // Stored: back on the list, boxes emptied. Refused: the entry stays as typed, for the operator to correct.
        QCOMPARE(page(*window), message.isEmpty() ? 0 : 1);
        QCOMPARE((QStringList{boxText(*window, 0), boxText(*window, 1)}),
                 (message.isEmpty() ? QStringList{"", ""} : typed));
    }

    // The buttons act only where they are meant to, silently otherwise; every way back empties the
    // boxes; the access keys reach "&Conferma" (not "&Cancella") and "Ann&ulla" from the keyboard.
    void modesAndPages()
    {
        const auto window = open(Operators, {});
        QCOMPARE(page(*window), 0);
        clickButton(*window, "ctButton2_1"); // Modifica on an empty register
        clickButton(*window, "ctButton2_2"); // Cancella on an empty register
        QCOMPARE(page(*window), 0);

        clickButton(*window, "ctButton2_3");
        QCOMPARE(page(*window), 1);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(*window, "Text1_0"));
        for (const char* name : {"ctButton2_3", "ctButton2_1", "ctButton2_2"})
            QVERIFY(!child<QPushButton>(*window, QLatin1String(name))->isEnabled());
        QTest::keyClicks(QApplication::focusWidget(), "Anna");
        // An access key clicks its button a moment later, as a click would look.
        QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(page(*window), 0);
        QCOMPARE(rows(Operators), QStringList{"Anna = "});

        clickButton(*window, "ctButton2_3");
        QCOMPARE(boxText(*window, 0), QString());
        QTest::keyClicks(QApplication::focusWidget(), "Bruno");
        QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(page(*window), 0);
        QCOMPARE(boxText(*window, 0), QString());
        QCOMPARE(rows(Operators), QStringList{"Anna = "});
    }

    // A row goes only once the question is confirmed.
    void cancella_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("declined") << false;
        QTest::newRow("confirmed") << true;
    }

    void cancella()
    {
        QFETCH(bool, confirm);
        const auto window = open(Operators, {"Anna", "Bruno", "Carla"});
        grid(*window)->setCurrentIndex(grid(*window)->model()->index(1, 0));
        QStringList question;
        QStringList notice;
        m_driver->nextMessage(&question, confirm);
        if (confirm)
            m_driver->nextMessage(&notice);

        clickButton(*window, "ctButton2_2");

        QCOMPARE(question, QStringList{"Cancello voce selezionata ?"});
        QCOMPARE(notice, confirm ? QStringList{"Voce cancellata !"} : QStringList());
        QStringList left{"Anna = anna.txt", "Bruno = bruno.txt", "Carla = carla.txt"};
        if (confirm)
            left.removeAt(1);
        QCOMPARE(rows(Operators), left);
        QCOMPARE(grid(*window)->model()->rowCount(), left.size());
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "tst_registerwindow.moc"
