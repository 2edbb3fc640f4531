#include "Find.h"
#include "support/ModalDriver.h"
#include "support/core/TestFolder.h"
#include "ui/ScriptedFileDialogs.h"

#include "data/RecordSet.h"
#include "data/RegisterTable.h"
#include "registers/GestioneRadio.h"
#include "registers/GestioneUtenti.h"
#include "registers/RegisterModel.h"
#include "ui/web/WebPreview.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QWebEngineView>
#include <memory>

Q_DECLARE_METATYPE(RegisterKind)

namespace {

// The register's rows as "name = second", in list order.
QStringList rowsOf(Store& store, RegisterKind kind)
{
    QStringList rows;
    for (const RegisterEntry& entry : RegisterTable(store, kind).list())
        rows.append(entry.name + QStringLiteral(" = ") + entry.second);
    return rows;
}

// Empties both registers and stores `names`, each with a second text made from its name.
void storeOnly(Store& store, RegisterKind kind, const QStringList& names)
{
    for (const QString& table : {QStringLiteral("utenti"), QStringLiteral("radio")})
        for (RecordSet rows(store.database(), table); !rows.eof();)
            rows.deleteCurrent();
    for (const QString& name : names)
        RegisterTable(store, kind).add({name, name.toLower() + QStringLiteral(".txt")});
}

std::unique_ptr<RegisterWindow> openWindow(Store& store, RegisterKind kind, FileDialogs& fileDialogs)
{
    std::unique_ptr<RegisterWindow> window;
    if (kind == RegisterKind::Operators)
        window = std::make_unique<GestioneUtenti>(store, fileDialogs);
    else
        window = std::make_unique<GestioneRadio>(store);
    window->show();
    if (!QTest::qWaitForWindowActive(window.get()))
        qWarning("the register window did not become active");
    return window;
}

void click(const QWidget& window, const QString& name)
{
    QTest::mouseClick(child<QPushButton>(window, name), Qt::LeftButton);
}

// Which page is shown: exactly one tab is enabled at a time, and it is the selected one.
int page(const QWidget& window)
{
    auto* tabs = child<QTabWidget>(window, QStringLiteral("TC1"));
    const int current = tabs->currentIndex();
    if (!tabs->isTabEnabled(current) || tabs->isTabEnabled(1 - current))
        return -1;
    return current;
}

QString boxText(const QWidget& window, int index)
{
    return child<QLineEdit>(window, QStringLiteral("Text1"), index)->text();
}

void selectRow(const QWidget& window, int row)
{
    auto* grid = child<QTableView>(window, QStringLiteral("grid"));
    grid->setCurrentIndex(grid->model()->index(row, 0));
}

} // namespace

class TestRegisterWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> m_folder;

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<TestFolder>();
        QApplication::setQuitOnLastWindowClosed(false);
    }
    void cleanupTestCase() { m_folder.reset(); }

    // "&Conferma" after "&Nuovo" or "&Modifica": what is refused, with which message, and what is stored.
    void conferma_data()
    {
        QTest::addColumn<RegisterKind>("kind");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("changeRow"); // -1 for a new row
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message"); // empty when it is stored
        QTest::addColumn<QStringList>("after");
        const auto ops = RegisterKind::Operators;
        const auto radio = RegisterKind::Stations;
        const QString duplicate = QStringLiteral("Voce già presente in archivio !");
        const QStringList rossi{"Bianchi = bianchi.txt", "Rossi = rossi.txt"};
        const QString longName = QString::fromUtf8("Niccolò ").repeated(700);

        QTest::newRow("O'Neil against o'neil") << ops << QStringList{"o'neil"} << -1 << "O'Neil"
                                               << "" << duplicate << QStringList{"o'neil = o'neil.txt"};
        QTest::newRow("a new O'Neil keeps its apostrophe") << ops << QStringList{"Rossi"} << -1 << "O'Neil"
                                                           << ""
                                                           << "" << QStringList{"O'Neil = ", "Rossi = rossi.txt"};
        QTest::newRow("own name in other case") << ops << QStringList{"Rossi", "Bianchi"} << 1 << "ROSSI"
                                                << "r.jpg"
                                                << "" << QStringList{"Bianchi = bianchi.txt", "ROSSI = r.jpg"};
        QTest::newRow("another row's name") << ops << QStringList{"Rossi", "Bianchi"} << 1 << "bianchi"
                                            << "r.jpg" << duplicate << rossi;
        QTest::newRow("A* when a name starts with A")
            << ops << QStringList{"Zeta", "alfa"} << -1 << "A*"
            << "" << duplicate << QStringList{"alfa = alfa.txt", "Zeta = zeta.txt"};
        QTest::newRow("operator without a name") << ops << QStringList() << -1 << ""
                                                 << "x.jpg"
                                                 << "Inserire i dati prima di salvare !" << QStringList();
        QTest::newRow("station without a name") << radio << QStringList() << -1 << ""
                                                << "http://r"
                                                << "Inserire i dati Utente prima di salvare !" << QStringList();
        QTest::newRow("station without an address") << radio << QStringList() << -1 << "Radio Uno"
                                                    << ""
                                                    << "Inserire il percorso prima di salvare !" << QStringList();
        QTest::newRow("quotes, brackets, % _ # as typed")
            << radio << QStringList{"Radio 1"} << -1 << "Radio \"100%\" [FM] a_b #"
            << "http://r/?a='1'&b=\"2\""
            << "" << QStringList{"Radio \"100%\" [FM] a_b # = http://r/?a='1'&b=\"2\"", "Radio 1 = radio 1.txt"};
        QTest::newRow("long name with accents") << radio << QStringList() << -1 << longName << "http://r"
                                                << "" << QStringList{longName + " = http://r"};
    }

    void conferma()
    {
        QFETCH(RegisterKind, kind);
        QFETCH(QStringList, stored);
        QFETCH(int, changeRow);
        QFETCH(QString, name);
        QFETCH(QString, second);
        QFETCH(QString, message);
        QFETCH(QStringList, after);
        storeOnly(m_folder->store(), kind, stored);
        ScriptedFileDialogs dialogs;
        const auto window = openWindow(m_folder->store(), kind, dialogs);
        QAbstractItemModelTester tester(child<QTableView>(*window, QStringLiteral("grid"))->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        if (changeRow >= 0) {
            selectRow(*window, changeRow);
            click(*window, QStringLiteral("ctButton2_1"));
        } else {
            click(*window, QStringLiteral("ctButton2_3"));
        }
        QCOMPARE(page(*window), 1);
        child<QLineEdit>(*window, QStringLiteral("Text1_0"))->setText(name);
        child<QLineEdit>(*window, QStringLiteral("Text1_1"))->setText(second);
        ModalDriver driver;
        QStringList said;
        if (!message.isEmpty())
            driver.nextMessage(&said);

        click(*window, QStringLiteral("CBT_1"));

        QCOMPARE(said, message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(rowsOf(m_folder->store(), kind), after);
        if (message.isEmpty()) {
            // Back on the list, boxes emptied, the first row selected.
            QCOMPARE(page(*window), 0);
            QCOMPARE(boxText(*window, 0), QString());
            QCOMPARE(boxText(*window, 1), QString());
            QCOMPARE(child<QTableView>(*window, QStringLiteral("grid"))->currentIndex().row(), 0);
        } else {
            // The entry stays as typed, for the operator to correct.
            QCOMPARE(page(*window), 1);
            QCOMPARE(boxText(*window, 0), name);
            QCOMPARE(boxText(*window, 1), second);
        }
        if (message == QLatin1String("Voce già presente in archivio !"))
            QCOMPARE(QApplication::focusWidget(), child<QWidget>(*window, QStringLiteral("Text1_0")));
    }

    // The buttons act only where they are meant to, silently otherwise; every way back empties the
    // boxes; the access keys reach "&Conferma" and "Ann&ulla" from the keyboard.
    void modesAndPages()
    {
        storeOnly(m_folder->store(), RegisterKind::Operators, {});
        ScriptedFileDialogs dialogs;
        const auto window = openWindow(m_folder->store(), RegisterKind::Operators, dialogs);
        ModalDriver driver;
        QCOMPARE(page(*window), 0);
        click(*window, QStringLiteral("ctButton2_1")); // Modifica on an empty register
        click(*window, QStringLiteral("ctButton2_2")); // Cancella on an empty register
        QCOMPARE(page(*window), 0);

        click(*window, QStringLiteral("ctButton2_3"));
        QCOMPARE(page(*window), 1);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(*window, QStringLiteral("Text1_0")));
        for (const char* name : {"ctButton2_3", "ctButton2_1", "ctButton2_2"})
            QVERIFY(!child<QPushButton>(*window, QLatin1String(name))->isEnabled());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Anna"));
        // An access key clicks its button a moment later, as a click would look.
        QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(page(*window), 0);
        QCOMPARE(rowsOf(m_folder->store(), RegisterKind::Operators), QStringList{"Anna = "});

        click(*window, QStringLiteral("ctButton2_3"));
        QCOMPARE(boxText(*window, 0), QString());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Bruno"));
        QTest::keyClick(window.get(), Qt::Key_U, Qt::AltModifier);
        QTRY_COMPARE(page(*window), 0);
        QCOMPARE(boxText(*window, 0), QString());
        QCOMPARE(rowsOf(m_folder->store(), RegisterKind::Operators), QStringList{"Anna = "});
        QVERIFY(driver.unexpected().isEmpty());
    }

    // A double click on a row is "&Modifica" on that row.
    void doubleClickChangesTheRow()
    {
        storeOnly(m_folder->store(), RegisterKind::Stations, {"Alfa", "Beta", "Gamma"});
        ScriptedFileDialogs dialogs;
        const auto window = openWindow(m_folder->store(), RegisterKind::Stations, dialogs);
        auto* grid = child<QTableView>(*window, QStringLiteral("grid"));
        const QPoint cell = grid->visualRect(grid->model()->index(2, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(page(*window), 1);
        QCOMPARE(boxText(*window, 0), QStringLiteral("Gamma"));
        QCOMPARE(boxText(*window, 1), QStringLiteral("gamma.txt"));
    }

    void cancella_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("declined") << false;
        QTest::newRow("confirmed") << true;
    }

    void cancella()
    {
        QFETCH(bool, confirm);
        storeOnly(m_folder->store(), RegisterKind::Operators, {"Anna", "Bruno", "Carla"});
        ScriptedFileDialogs dialogs;
        const auto window = openWindow(m_folder->store(), RegisterKind::Operators, dialogs);
        selectRow(*window, 1);
        ModalDriver driver;
        QStringList question;
        QStringList notice;
        driver.nextMessage(&question, confirm);
        if (confirm)
            driver.nextMessage(&notice);

        click(*window, QStringLiteral("ctButton2_2"));

        QCOMPARE(question, QStringList{QStringLiteral("Cancello voce selezionata ?")});
        QCOMPARE(notice, confirm ? QStringList{QStringLiteral("Voce cancellata !")} : QStringList());
        QCOMPARE(rowsOf(m_folder->store(), RegisterKind::Operators),
                 confirm ? (QStringList{"Anna = anna.txt", "Carla = carla.txt"})
                         : (QStringList{"Anna = anna.txt", "Bruno = bruno.txt", "Carla = carla.txt"}));
        QCOMPARE(child<QTableView>(*window, QStringLiteral("grid"))->model()->rowCount(), confirm ? 2 : 3);
        QVERIFY(driver.unexpected().isEmpty());
    }

    // A cancelled chooser hands back what it last held: nothing on its first use, then the last file chosen.
    void pictureChooser()
    {
        storeOnly(m_folder->store(), RegisterKind::Operators, {});
        ScriptedFileDialogs dialogs;
        const auto window = openWindow(m_folder->store(), RegisterKind::Operators, dialogs);
        click(*window, QStringLiteral("ctButton2_3"));
        auto* path = child<QLineEdit>(*window, QStringLiteral("Text1_1"));
        path->setText(QStringLiteral("typed.jpg"));

        dialogs.setNextCancel();
        click(*window, QStringLiteral("PB1"));
        QCOMPARE(path->text(), QString());

        dialogs.setNextFileName(QStringLiteral("/foto/anna.gif"));
        click(*window, QStringLiteral("PB1"));
        QCOMPARE(path->text(), QStringLiteral("/foto/anna.gif"));

        path->setText(QStringLiteral("other.bmp"));
        dialogs.setNextCancel();
        click(*window, QStringLiteral("PB1"));
        QCOMPARE(path->text(), QStringLiteral("/foto/anna.gif"));

        QCOMPARE(dialogs.asked().size(), 3);
        QCOMPARE(dialogs.asked().first(),
                 (QStringList{"File Immagine (*.jpg)", "File immagine (*.bmp)", "File immagine (*.gif)"}));

        const auto radio = openWindow(m_folder->store(), RegisterKind::Stations, dialogs);
        QVERIFY(!radio->findChild<QPushButton*>(QStringLiteral("PB1")));
    }

    // Entering a box selects its text; the operators' window also empties the clipboard.
    void enteringABox_data()
    {
        QTest::addColumn<RegisterKind>("kind");
        QTest::addColumn<QString>("clipboardAfter");
        QTest::newRow("operators") << RegisterKind::Operators << "";
        QTest::newRow("stations") << RegisterKind::Stations << "copiato";
    }

    void enteringABox()
    {
        QFETCH(RegisterKind, kind);
        QFETCH(QString, clipboardAfter);
        storeOnly(m_folder->store(), kind, {"Anna"});
        ScriptedFileDialogs dialogs;
        const auto window = openWindow(m_folder->store(), kind, dialogs);
        click(*window, QStringLiteral("ctButton2_1"));
        auto* second = child<QLineEdit>(*window, QStringLiteral("Text1_1"));
        QApplication::clipboard()->setText(QStringLiteral("copiato"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);

        QCOMPARE(QApplication::focusWidget(), second);
        QCOMPARE(second->selectedText(), QStringLiteral("anna.txt"));
        QCOMPARE(QApplication::clipboard()->text(), clipboardAfter);
    }

    // "Prova la Radio" plays the selected row's stored address, whatever the box holds, and the
    // preview's browser ends when the preview closes.
    void provaLaRadio()
    {
        QTemporaryDir pages;
        const QString page = pages.filePath(QStringLiteral("beta.html"));
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><head><title>Radio Beta</title></head><body>in onda</body></html>");
        file.close();
        storeOnly(m_folder->store(), RegisterKind::Stations, {});
        RegisterTable(m_folder->store(), RegisterKind::Stations)
            .add({QStringLiteral("Alfa"), QStringLiteral("/nessuna")});
        RegisterTable(m_folder->store(), RegisterKind::Stations).add({QStringLiteral("Beta"), page});
        ScriptedFileDialogs dialogs;
        const auto window = openWindow(m_folder->store(), RegisterKind::Stations, dialogs);
        selectRow(*window, 1);
        click(*window, QStringLiteral("ctButton2_1"));
        child<QLineEdit>(*window, QStringLiteral("Text1_1"))->setText(QStringLiteral("/not/this.html"));

        ModalDriver driver(20000);
        QString caption;
        QString title;
        QPointer<QWebEngineView> browser;
        driver.next([&](QWidget* preview) {
            caption = preview->windowTitle();
            auto* WB1 = child<WebPreview>(*preview, QStringLiteral("WB1"));
            browser = WB1->browser();
            if (browser && (browser->title() == QLatin1String("Radio Beta") ||
                            QSignalSpy(WB1, &WebPreview::loadFinished).wait(15000)))
                title = browser->title();
            // Escape closes it even from inside the page, which keeps the keys it is given.
            browser->setFocus();
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : preview, Qt::Key_Escape);
        });
        click(*window, QStringLiteral("ctButton2_4"));

        QCOMPARE(caption, QStringLiteral("Anteprima Radio selezionata"));
        QCOMPARE(title, QStringLiteral("Radio Beta"));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(browser.isNull());
        QVERIFY(driver.unexpected().isEmpty());

        // Nothing to play on an empty register.
        storeOnly(m_folder->store(), RegisterKind::Stations, {});
        const auto empty = openWindow(m_folder->store(), RegisterKind::Stations, dialogs);
        click(*empty, QStringLiteral("ctButton2_4"));
        QVERIFY(driver.unexpected().isEmpty());
    }

    void model()
    {
        RegisterModel model({QStringLiteral("Nome Radio"), QStringLiteral("Percorso URL")});
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setEntries({{QStringLiteral("Alfa"), QStringLiteral("http://a")}, {QStringLiteral("Beta"), QString()}});
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Percorso URL"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("http://a"));
        model.setEntries({});
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "tst_registerwindow.moc"
