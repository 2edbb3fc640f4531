#include "ClipFixture.h"
#include "ui/VideoView.h"

#include <QFile>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int WaitMs = 15000; // a guard against a hang, not a measure

} // namespace

class TestVideoView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }
    void failsOnceWithoutHanging_data();
    void failsOnceWithoutHanging();
    void playsAClipAndClosingStopsIt();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QTemporaryDir m_dir;
};

QString TestVideoView::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestVideoView::failsOnceWithoutHanging_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << m_dir.filePath("missing.avi");
    QTest::newRow("no path") << QString();
    QTest::newRow("text named .avi") << write("text.avi", QByteArray("not a video\n").repeated(50));
    QTest::newRow("cut-off clip") << write("cut.avi", ClipFixture::mjpegClip(10, 160, 120, 10).left(200));
}

void TestVideoView::failsOnceWithoutHanging()
{
    QFETCH(QString, path);
    VideoView view;
    view.resize(320, 240);
    view.show();
    QSignalSpy failed(&view, &VideoView::failed);

    view.play(path);
    QVERIFY(failed.wait(WaitMs));
    // The engine may report one fault several times; the view tells it once and stays empty.
    QTest::qWait(300);
    QCOMPARE(failed.count(), 1);
    QVERIFY(view.hasFailed());
    QCOMPARE(view.player()->playbackState(), QMediaPlayer::StoppedState);
}

void TestVideoView::playsAClipAndClosingStopsIt()
{
    const QString path = write("clip.avi", ClipFixture::mjpegClip(40, 160, 120, 10));
    VideoView view;
    view.resize(320, 240);
    QSignalSpy failed(&view, &VideoView::failed);

    // As a preview window does: told what to play, then shown.
    view.play(path);
    QCOMPARE(view.player()->playbackState(), QMediaPlayer::StoppedState);
    view.show();
    QTRY_VERIFY_WITH_TIMEOUT(view.player()->position() > 0 || failed.count() > 0, WaitMs);
    QCOMPARE(failed.count(), 0);
    QVERIFY(view.player()->hasVideo());
    QCOMPARE(view.player()->playbackState(), QMediaPlayer::PlayingState);

    view.close();
    QCOMPARE(view.player()->playbackState(), QMediaPlayer::StoppedState);
    QCOMPARE(failed.count(), 0);
}

QTEST_MAIN(TestVideoView)
#include "tst_videoview.moc"
