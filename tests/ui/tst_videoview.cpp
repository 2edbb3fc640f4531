#include "ui/VideoView.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMediaPlayer>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

constexpr int WaitMs = 15000; // a guard against a hang, not a measure

void le32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray out(id, 4);
    le32(out, static_cast<quint32>(body.size()));
    out += body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

QByteArray list(const char* type, const QByteArray& body)
{
    return chunk("LIST", QByteArray(type, 4) + body);
}

// A short motion-JPEG clip in an AVI file, the simplest video the usual decoders all play.
QByteArray mjpegClip(int frames, int width, int height, int fps)
{
    QByteArray movi;
    QByteArray index;
    quint32 largest = 0;
    for (int i = 0; i < frames; ++i) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 360 / frames, 200, 220));
        QPainter(&image).fillRect(i * width / frames, 0, width / 8, height, Qt::black);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG");

        index += "00dc";
        le32(index, 0x10); // key frame
        le32(index, static_cast<quint32>(4 + movi.size()));
        le32(index, static_cast<quint32>(jpeg.size()));
        movi += chunk("00dc", jpeg);
        largest = qMax(largest, static_cast<quint32>(jpeg.size()));
    }

    const auto w = static_cast<quint32>(width);
    const auto h = static_cast<quint32>(height);
    const auto n = static_cast<quint32>(frames);
    const auto f = static_cast<quint32>(fps);
    QByteArray avih;
    // Frame time, data rate, padding, flags (indexed), frames, initial frames, streams, buffer, size.
    for (const quint32 v : {1000000 / f, largest * f, 0u, 0x10u, n, 0u, 1u, largest, w, h, 0u, 0u, 0u, 0u})
        le32(avih, v);
    QByteArray strh("vidsMJPG");
    // Flags, priority and language, initial frames, scale, rate, start, length, buffer, quality,
    // sample size, then the frame rectangle in 16-bit halves.
    for (const quint32 v : {0u, 0u, 0u, 1u, f, 0u, n, largest, 0xFFFFFFFFu, 0u, 0u, w | h << 16})
        le32(strh, v);
    QByteArray strf; // the bitmap header: size, width, height, planes and depth, codec, image size
    for (const quint32 v : {40u, w, h, 1u | 24u << 16})
        le32(strf, v);
    strf += "MJPG";
    for (const quint32 v : {w * h * 3, 0u, 0u, 0u, 0u})
        le32(strf, v);

    const QByteArray body =
        QByteArray("AVI ") +
        list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf))) +
        list("movi", movi) + chunk("idx1", index);
    QByteArray out("RIFF");
    le32(out, static_cast<quint32>(body.size()));
    return out + body;
}

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
    QTest::newRow("cut-off clip") << write("cut.avi", mjpegClip(10, 160, 120, 10).left(200));
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
    const QString path = write("clip.avi", mjpegClip(40, 160, 120, 10));
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
