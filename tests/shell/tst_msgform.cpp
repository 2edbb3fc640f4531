#include "shell/MsgForm.h"
#include "shell/store/Globals.h"
#include "support/ModalDriver.h"

#include <QPushButton>
#include <QTest>

class TestMsgForm : public QObject
{
    Q_OBJECT
private slots:
    void showsOnlyTheLinesSet_data();
    void showsOnlyTheLinesSet();
    void answers_data();
    void answers();
};

void TestMsgForm::showsOnlyTheLinesSet_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("shown");

    const QStringList five{"1", "2", "3", "4", "5"};
    QTest::newRow("one line") << QStringList{"Memorizzazione effettuata !"}
                              << QStringList{"Memorizzazione effettuata !"};
    QTest::newRow("a sixth line has no place") << five + QStringList{"6"} << five;
    // A line still reading its design caption counts as not set, even between set lines.
    QTest::newRow("design caption") << QStringList{"primo", "Label2", "terzo"} << QStringList{"primo", "terzo"};
    QTest::newRow("empty line kept") << QStringList{"", "secondo "} << QStringList{"", "secondo "};
}

void TestMsgForm::showsOnlyTheLinesSet()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, shown);

    QStringList seen;
    bool confirmShown = true;
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        seen = ModalDriver::messageLines(window);
        confirmShown = !window->findChild<QPushButton*>(QStringLiteral("PB1_1"))->isHidden();
        ModalDriver::click(window, QStringLiteral("PB1_0"));
    });
    MsgForm::showMessage(lines);

    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(seen, shown);
    QVERIFY(!confirmShown);
}

void TestMsgForm::answers_data()
{
    QTest::addColumn<bool>("question");
    QTest::addColumn<QString>("how"); // a button's objectName, or "closebox"
    QTest::addColumn<int>("answerBefore");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("answerAfter");

    QTest::newRow("confirmed") << true << "PB1_1" << MessageDeclined << true << MessageConfirmed;
    QTest::newRow("declined") << true << "PB1_0" << MessageConfirmed << false << MessageDeclined;
    // Any other close declines the question but leaves the last answer where it was.
    QTest::newRow("close box") << true << "closebox" << MessageConfirmed << false << MessageConfirmed;
    QTest::newRow("plain message closed") << false << "PB1_0" << MessageConfirmed << false << MessageDeclined;
}

void TestMsgForm::answers()
{
    QFETCH(bool, question);
    QFETCH(QString, how);
    QFETCH(int, answerBefore);
    QFETCH(bool, confirmed);
    QFETCH(int, answerAfter);

    MessageAnswer = answerBefore;
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        if (how == QLatin1String("closebox"))
            window->close();
        else
            ModalDriver::click(window, how);
    });
    const QStringList lines{QStringLiteral("Cancello voce selezionata ?")};
    bool result = false;
    if (question)
        result = MsgForm::ask(lines);
    else
        MsgForm::showMessage(lines);

    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(result, confirmed);
    QCOMPARE(MessageAnswer, answerAfter);
}

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
