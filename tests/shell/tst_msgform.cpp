#include "shell/MsgForm.h"
#include "shell/store/Globals.h"
#include "support/ModalDriver.h"

#include <QLabel>
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

    QTest::newRow("one line") << QStringList{QStringLiteral("Memorizzazione effettuata !")}
                              << QStringList{QStringLiteral("Memorizzazione effettuata !")};
    QTest::newRow("three lines") << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}
                                 << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    const QStringList five{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                           QStringLiteral("5")};
    QTest::newRow("five lines") << five << five;
    QTest::newRow("a sixth line has no place") << five + QStringList{QStringLiteral("6")} << five;
    // A line still reading its design caption counts as not set, even between set lines.
    QTest::newRow("design caption hides a line")
        << QStringList{QStringLiteral("primo"), QStringLiteral("Label2"), QStringLiteral("terzo")}
        << QStringList{QStringLiteral("primo"), QStringLiteral("terzo")};
    QTest::newRow("an empty line is still a line")
        << QStringList{QString(), QStringLiteral("secondo")} << QStringList{QString(), QStringLiteral("secondo")};
    QTest::newRow("blanks kept") << QStringList{QStringLiteral("Impostata Numerazione Singola ")}
                                 << QStringList{QStringLiteral("Impostata Numerazione Singola ")};
}

void TestMsgForm::showsOnlyTheLinesSet()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, shown);

    QStringList seen;
    bool confirmShown = true;
    QString heading;
    QString title = QStringLiteral("unset");
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        seen = ModalDriver::messageLines(window);
        confirmShown = !window->findChild<QPushButton*>(QStringLiteral("PB1_1"))->isHidden();
        heading = window->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        title = window->windowTitle();
        ModalDriver::click(window, QStringLiteral("PB1_0"));
    });
    MsgForm::showMessage(lines);

    QCOMPARE(driver.pending(), 0);
    QVERIFY(driver.unexpected().isEmpty());
    QCOMPARE(seen, shown);
    QVERIFY(!confirmShown);
    QCOMPARE(heading, QStringLiteral("Messaggio x te  da TURNOVA 2"));
    QVERIFY(title.isEmpty());
}

void TestMsgForm::answers_data()
{
    QTest::addColumn<bool>("question");
    QTest::addColumn<QString>("how"); // a button's objectName, "escape" or "closebox"
    QTest::addColumn<int>("answerBefore");
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<int>("answerAfter");

    QTest::newRow("question confirmed") << true << "PB1_1" << MessageDeclined << true << MessageConfirmed;
    QTest::newRow("question declined") << true << "PB1_0" << MessageConfirmed << false << MessageDeclined;
    // Other closes decline the question but leave the last answer where it was.
    QTest::newRow("question closed by close box") << true << "closebox" << MessageConfirmed << false
                                                  << MessageConfirmed;
    QTest::newRow("question closed by Escape") << true << "escape" << MessageConfirmed << false << MessageConfirmed;
    QTest::newRow("message closed") << false << "PB1_0" << MessageConfirmed << false << MessageDeclined;
    QTest::newRow("message closed by close box") << false << "closebox" << 0 << false << 0;
}

void TestMsgForm::answers()
{
    QFETCH(bool, question);
    QFETCH(QString, how);
    QFETCH(int, answerBefore);
    QFETCH(bool, confirmed);
    QFETCH(int, answerAfter);

    MessageAnswer = answerBefore;
    bool confirmVisible = false;
    ModalDriver driver;
    driver.next([&](QWidget* window) {
        confirmVisible = !window->findChild<QPushButton*>(QStringLiteral("PB1_1"))->isHidden();
        if (how == QLatin1String("escape"))
            QTest::keyClick(window, Qt::Key_Escape);
        else if (how == QLatin1String("closebox"))
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
    QCOMPARE(confirmVisible, question);
    QCOMPARE(result, confirmed);
    QCOMPARE(MessageAnswer, answerAfter);
}

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
