#include "shell/Application.h"
#include "shell/store/Database.h"
#include "shell/store/RecordSet.h"
#include "shell/store/StoreError.h"
#include "support/ModalDriver.h"
#include "support/TestFolder.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <functional>
#include <stdexcept>

namespace {

struct Shown {
    bool appeared = false;
    QString message;
    QString detail;
    bool detailVisible = false;
};

// Records what the error window says and closes it with OK.
ModalDriver::Action readErrorWindow(Shown* shown)
{
    return [shown](QWidget* window) {
        shown->appeared = window->objectName() == QLatin1String("ErrorWindow");
        if (auto* message = window->findChild<QLabel*>(QStringLiteral("Message")))
            shown->message = message->text();
        if (auto* detail = window->findChild<QLabel*>(QStringLiteral("Detail"))) {
            shown->detail = detail->text();
            shown->detailVisible = !detail->isHidden();
        }
        ModalDriver::click(window, QStringLiteral("OK"));
    };
}

QString scrollingText()
{
    return RecordSet(Database::current(), QStringLiteral("Configurazione")).value(QStringLiteral("StringaScorrevole"))
        .toString();
}

void storeScrollingText(const QString& text)
{
    RecordSet record(Database::current(), QStringLiteral("Configurazione"));
    record.edit();
    record.setValue(QStringLiteral("StringaScorrevole"), text);
    record.update();
}

using Failure = std::function<void()>;

} // namespace

Q_DECLARE_METATYPE(Failure)

class TestErrorGuard : public QObject
{
    Q_OBJECT
private slots:
    void handlerFailure_data();
    void handlerFailure();
    void failureInsideModalWindow();
    void runGuarded();
};

void TestErrorGuard::handlerFailure_data()
{
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("detailHas");

    QTest::newRow("store error") << Failure([] {
        throw StoreError(QStringLiteral("Il database è bloccato da un altro programma."), QStringLiteral("/x/TN2.db"),
                         QStringLiteral("Layout3"), QStringLiteral("Top"), QStringLiteral("database is locked"));
    }) << QStringLiteral("Il database è bloccato da un altro programma.")
                                 << QStringList{QStringLiteral("TN2.db"), QStringLiteral("Layout3"),
                                                QStringLiteral("Top"), QStringLiteral("database is locked")};
    QTest::newRow("a table that is not there") << Failure([] {
        RecordSet missing(Database::current(), QStringLiteral("Inesistente"));
    }) << QString() << QStringList{QStringLiteral("Inesistente"), QStringLiteral("TN2.db")};
    QTest::newRow("any other exception")
        << Failure([] { throw std::runtime_error("vector too long"); })
        << QStringLiteral("Si è verificato un errore imprevisto: l'operazione è stata interrotta.")
        << QStringList{QStringLiteral("vector too long")};
    QTest::newRow("not even an exception class")
        << Failure([] { throw 42; })
        << QStringLiteral("Si è verificato un errore imprevisto: l'operazione è stata interrotta.") << QStringList{};
}

void TestErrorGuard::handlerFailure()
{
    QFETCH(Failure, failure);
    QFETCH(QString, message);
    QFETCH(QStringList, detailHas);

    TestFolder folder;
    QWidget window;
    auto* save = new QPushButton(QStringLiteral("Salva"), &window);
    auto* other = new QPushButton(QStringLiteral("Altro"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(save);
    layout->addWidget(other);
    bool finished = false;
    int otherClicks = 0;
    QObject::connect(save, &QPushButton::clicked, &window, [&] {
        storeScrollingText(QStringLiteral("prima del guasto"));
        failure();
        finished = true;
    });
    QObject::connect(other, &QPushButton::clicked, &window, [&] { ++otherClicks; });
    window.show();

    Shown shown;
    ModalDriver driver;
    driver.next(readErrorWindow(&shown));
    QTest::mouseClick(save, Qt::LeftButton);

    QVERIFY(driver.unexpected().isEmpty());
    QVERIFY(shown.appeared);
    QVERIFY(!finished);
    if (message.isEmpty())
        QVERIFY(!shown.message.isEmpty());
    else
        QCOMPARE(shown.message, message);
    QCOMPARE(shown.detailVisible, !detailHas.isEmpty());
    for (const QString& part : detailHas)
        QVERIFY2(shown.detail.contains(part), qPrintable(shown.detail));

    // What was stored before the failure stays stored, and the program goes on.
    QCOMPARE(scrollingText(), QStringLiteral("prima del guasto"));
    QTest::mouseClick(other, Qt::LeftButton);
    QCOMPARE(otherClicks, 1);
    QVERIFY(window.isVisible());
}

void TestErrorGuard::failureInsideModalWindow()
{
    TestFolder folder;
    QDialog dialog;
    auto* failing = new QPushButton(QStringLiteral("Guasto"), &dialog);
    failing->setObjectName(QStringLiteral("failing"));
    QObject::connect(failing, &QPushButton::clicked, &dialog,
                     [] { RecordSet missing(Database::current(), QStringLiteral("Inesistente")); });

    Shown shown;
    bool stillOpen = false;
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        // The error window opens inside this click; a driver of its own answers it.
        ModalDriver inner;
        inner.next(readErrorWindow(&shown));
        ModalDriver::click(window, QStringLiteral("failing"));
        stillOpen = window->isVisible() && QApplication::activeModalWidget() == window;
        qobject_cast<QDialog*>(window)->accept();
    });
    const int result = dialog.exec();

    QVERIFY(driver.unexpected().isEmpty());
    QVERIFY(shown.appeared);
    QVERIFY(stillOpen);
    QCOMPARE(result, int(QDialog::Accepted));
}

void TestErrorGuard::runGuarded()
{
    TestFolder folder;
    int runs = 0;
    QVERIFY(Application::runGuarded([&] { ++runs; }));
    QCOMPARE(runs, 1);

    Shown shown;
    ModalDriver driver;
    driver.next(readErrorWindow(&shown));
    QVERIFY(!Application::runGuarded([] { RecordSet missing(Database::current(), QStringLiteral("Inesistente")); }));
    QVERIFY(driver.unexpected().isEmpty());
    QVERIFY(shown.appeared);
    QVERIFY(shown.detail.contains(QStringLiteral("Inesistente")));
}

int main(int argc, char* argv[])
{
    // The guard lives in the application object, so these tests run under the program's own.
    Application application(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TestErrorGuard test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errorguard.moc"
