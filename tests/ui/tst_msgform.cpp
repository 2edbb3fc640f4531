#include "support/ModalDriver.h"
#include "ui/MsgForm.h"

#include <QPushButton>
#include <QTest>

class TestMsgForm : public QObject
{
    Q_OBJECT
private slots:
    // A message shows the lines set, and only a question shows &Conferma; only &Conferma confirms.
    // The window's title stays empty: the heading inside it names the sender.
    void showsAndAnswers_data()
    {
        QTest::addColumn<bool>("question");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("how"); // a button's objectName, or "closebox"
        QTest::addColumn<bool>("confirmed");
        const QStringList five{"1", "2", "3", "4", "5"};
        const QStringList asked{"Cancello voce selezionata ?"};
        QTest::newRow("a sixth line has no place") << false << five + QStringList{"6"} << five << "PB1_0" << false;
        // A line still reading its design caption counts as not set, even between set lines.
        QTest::newRow("design caption") << false << QStringList{"primo", "Label2", "terzo"}
                                        << QStringList{"primo", "terzo"} << "PB1_0" << false;
        QTest::newRow("empty line kept") << false << QStringList{"", "secondo "} << QStringList{"", "secondo "}
                                         << "PB1_0" << false;
        QTest::newRow("confirmed") << true << asked << asked << "PB1_1" << true;
        QTest::newRow("declined") << true << asked << asked << "PB1_0" << false;
        QTest::newRow("close box") << true << asked << asked << "closebox" << false;
    }

    void showsAndAnswers()
    {
        QFETCH(bool, question);
        QFETCH(QStringList, lines);
        QFETCH(QString, how);
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
        QTEST(seen, "shown");
        QCOMPARE(confirmShown, question);
        QTEST(result, "confirmed");
    }
};

QTEST_MAIN(TestMsgForm)
#include "tst_msgform.moc"
