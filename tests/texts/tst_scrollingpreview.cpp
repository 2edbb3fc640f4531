#include "texts/ScrollingPreview.h"

#include <QTest>

namespace {

QString blanks(int count)
{
    return QString(count, QLatin1Char(' '));
}

} // namespace

class TestScrollingPreview : public QObject
{
    Q_OBJECT
private slots:
    // The text and its gap turn round one character per step; what the operator sees as one
    // character (an emoji, a flag, a letter with its accent) moves whole.
    void afterSteps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("shown");
        const QString abc = QStringLiteral("abc");
        QTest::newRow("start") << abc << 0 << abc + blanks(30);
        QTest::newRow("one step") << abc << 1 << "bc" + blanks(30) + "a";
        QTest::newRow("into the gap") << abc << 3 << blanks(30) + abc;
        QTest::newRow("a long text") << QString(9999, QLatin1Char('a')) + "z" << 9999
                                     << "z" + blanks(30) + QString(9999, QLatin1Char('a'));
        QTest::newRow("a full turn of 33") << abc << 33 << abc + blanks(30);
        QTest::newRow("and on") << abc << 34 << "bc" + blanks(30) + "a";
        QTest::newRow("empty text, moving blanks") << QString() << 7 << blanks(30);
        const QString smile = QStringLiteral("\U0001F600");
        QTest::newRow("emoji moves whole") << "a" + smile + "b" << 2 << "b" + blanks(30) + "a" + smile;
        const QString italy = QStringLiteral("\U0001F1EE\U0001F1F9");
        QTest::newRow("flag moves whole") << italy + "x" << 1 << "x" + blanks(30) + italy;
        const QString accented = QStringLiteral("e\u0301");
        QTest::newRow("accent stays on its letter") << accented + "z" << 1 << "z" + blanks(30) + accented;
        const QString heavy = "o" + QString(200, QChar(0x0301));
        QTest::newRow("a character longer than most") << heavy + "k" << 1 << "k" + blanks(30) + heavy;
        QTest::newRow("full turn with an emoji") << "a" + smile << 32 << "a" + smile + blanks(30);
    }

    void afterSteps()
    {
        QFETCH(QString, text);
        QFETCH(int, steps);
        QFETCH(QString, shown);
        QCOMPARE(ScrollingPreview::after(text, steps), shown);
    }
};

QTEST_GUILESS_MAIN(TestScrollingPreview)
#include "tst_scrollingpreview.moc"
