#include "shell/MsgForm.h"
#include "shell/store/Globals.h"
#include "support/ModalDriver.h"

#include <QPushButton>
#include <QTest>

class TestMsgForm : public QObject
{
    Q_OBJECT
private slots:
    // A message shows the lines set, and only a question shows &Conferma. Closing it any other way
    // than with a button declines the question but leaves the last answer where it was.
    void showsAndAnswers_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("how"); // a button's objectName, or "closebox"
        QTest::addColumn<int>("answerBefore");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("answerAfter");
        const QStringList five{"1", "2", "3", "4", "5"};
        const QStringList asked{"Cancello voce selezionata ?"};
        QTest::newRow("a sixth line has no place")
            << false << five + QStringList{"6"} << five << "PB1_0" << MessageConfirmed << false << MessageDeclined;
        // A line still reading its design caption counts as not set, even between set lines.
        QTest::newRow("design caption") << false << QStringList{"primo", "Label2", "terzo"}
                                        << QStringList{"primo", "terzo"} << "PB1_0" << MessageDeclined << false
                                        << MessageDeclined;
        QTest::newRow("empty line kept") << false << QStringList{"", "secondo "} << QStringList{"", "secondo "}
                                         << "PB1_0" << MessageDeclined << false << MessageDeclined;
        QTest::newRow("confirmed") << true << asked << asked << "PB1_1" << MessageDeclined << true << MessageConfirmed;
        QTest::newRow("declined") << true << asked << asked << "PB1_0" << MessageConfirmed << false << MessageDeclined;
        QTest::newRow("close box") << true << asked << asked << "closebox" << MessageConfirmed << false
                                   << MessageConfirmed;
    }

    void showsAndAnswers()
    {
        QFETCH(bool, question);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, shown);
        QFETCH(QString, how);
        QFETCH(int, answerBefore);
        QFETCH(bool, confirmed);
        QFETCH(int, answerAfter);
        MessageAnswer = answerBefore;
        QStringList seen;
        bool confirmShown = !question;
        ModalDriver driver;
        driver.next([&](QWidget* window) {
            seen = ModalDriver::messageLines(window);
            confirmShown = !window->findChild<QPushButton*>(QStringLiteral("PB1_1"))->isHidden();
            if (how == QLatin1String("closebox"))
                window->close();
            else
                ModalDriver::click(window, how);
        });
        bool result = false;
        if (question)
            result = MsgForm::ask(lines);
        else
            MsgForm::showMessage(lines);

        QVERIFY(driver.unexpected().isEmpty());
        QCOMPARE(seen, shown);
        QCOMPARE(confirmShown, question);
        QCOMPARE(result, confirmed);
        QCOMPARE(MessageAnswer, answerAfter);
    }
};

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
