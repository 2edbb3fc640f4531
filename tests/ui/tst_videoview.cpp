#include "RiffBytes.h"
#include "support/core/FileBytes.h"
#include "ui/VideoView.h"

#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestVideoView : public QObject
{
    Q_OBJECT

private slots:
    void failsOnceWithoutHanging_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file
        QTest::addColumn<bool>("named");
        QTest::newRow("no path") << QByteArray() << false;
        QTest::newRow("cut-off clip") << RiffBytes::mjpegClip(10, 160, 120, 10).left(200) << true;
    }

    // The engine may report one fault several times; the view tells it once, stopped.
    void failsOnceWithoutHanging()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, named);
        QTemporaryDir dir;
        const QString path = named ? dir.filePath(QStringLiteral("clip.avi")) : QString();
        if (!bytes.isEmpty())
            QVERIFY(writeBytes(path, bytes));
        VideoView view;
        view.resize(320, 240);
        view.show();
        QSignalSpy failed(&view, &VideoView::failed);

        view.play(path);
        QVERIFY(failed.wait(15000)); // a guard against a hang, not a measure
        QTest::qWait(300);
        QCOMPARE(failed.count(), 1);
        QVERIFY(view.hasFailed());
        QCOMPARE(view.player()->playbackState(), QMediaPlayer::StoppedState);
    }
};

QTEST_MAIN(TestVideoView)
#include "tst_videoview.moc"
