#include "WaveBytes.h"
#include "ui/WaveHeader.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace WaveBytes;

class TestWaveHeader : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
    void refusesWhatIsNoPlainFile();
};

void TestWaveHeader::reads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("sampleRate");
    QTest::addColumn<int>("bits");
    QTest::addColumn<qint64>("dataBytes");
    QTest::addColumn<qint64>("durationMs");

    const QByteArray fmt16 = format(0x0001, 1, 22050, 16);
    QTest::newRow("plain tone") << tone(0.3) << 1 << 22050 << 16 << qint64(13230) << qint64(300);
    QTest::newRow("odd chunk padded before the format")
        << riff(chunk("LIST", "abc") + fmt16 + chunk("data", QByteArray(44100, '\0'))) << 1 << 22050 << 16
        << qint64(44100) << qint64(1000);
    QTest::newRow("stereo float") << riff(format(0x0003, 2, 48000, 32) + chunk("data", QByteArray(384000, '\0'))) << 2
                                  << 48000 << 32 << qint64(384000) << qint64(1000);
    // A cut file or a writer that streamed: only the bytes that are there count.
    QTest::newRow("size past the end of the file") << riff(fmt16 + chunk("data", QByteArray(4410, '\0'), 441000)) << 1
                                                   << 22050 << 16 << qint64(4410) << qint64(100);
    QTest::newRow("size left unset by a streaming writer")
        << riff(fmt16 + chunk("data", QByteArray(4410, '\0'), 0xFFFFFFFF)) << 1 << 22050 << 16 << qint64(4410)
        << qint64(100);
    // One frame is far below a millisecond; a sound that exists never lasts 0 ms.
    QTest::newRow("one frame rounds up") << riff(fmt16 + chunk("data", QByteArray(2, '\0'))) << 1 << 22050 << 16
                                         << qint64(2) << qint64(1);
    QTest::newRow("no samples") << riff(fmt16 + chunk("data", {})) << 1 << 22050 << 16 << qint64(0) << qint64(0);
}

void TestWaveHeader::reads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, channels);
    QFETCH(int, sampleRate);
    QFETCH(int, bits);
    QFETCH(qint64, dataBytes);
    QFETCH(qint64, durationMs);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));

    const WaveHeader header = WaveHeader::read(buffer);
    QVERIFY(header.valid);
    QCOMPARE(int(header.channels), channels);
    QCOMPARE(int(header.sampleRate), sampleRate);
    QCOMPARE(int(header.bitsPerSample), bits);
    QCOMPARE(header.dataBytes, dataBytes);
    QCOMPARE(header.durationMs(), durationMs);
}

void TestWaveHeader::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray fmt16 = format(0x0001, 1, 22050, 16);
    const QByteArray samples = chunk("data", QByteArray(100, '\0'));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("this is a text file, not a sound\n").repeated(5);
    QTest::newRow("riff of another form") << riff(fmt16 + samples, "AVI ");
    QTest::newRow("big-endian riff") << QByteArray("RIFX") + riff(fmt16 + samples).mid(4);
    QTest::newRow("samples before their format") << riff(samples + fmt16);
    QTest::newRow("no samples chunk") << riff(fmt16);
    QTest::newRow("format chunk too short") << riff(chunk("fmt ", QByteArray(8, '\1')) + samples);
    QTest::newRow("no channels") << riff(format(0x0001, 0, 22050, 16) + samples);
    QTest::newRow("no sample rate") << riff(format(0x0001, 1, 0, 16) + samples);
    QTest::newRow("header cut short") << tone(0.1).left(30);
    QTest::newRow("chunk running past the end") << riff(chunk("LIST", "abcd", 1000000) + fmt16 + samples);
}

void TestWaveHeader::refuses()
{
    QFETCH(QByteArray, bytes);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));

    const WaveHeader header = WaveHeader::read(buffer);
    QVERIFY(!header.valid);
    QCOMPARE(header.durationMs(), 0);
}

void TestWaveHeader::refusesWhatIsNoPlainFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("folder.wav"));

    QVERIFY(!WaveHeader::readFile(dir.filePath("missing.wav")).valid);
    QVERIFY(!WaveHeader::readFile(dir.filePath("folder.wav")).valid);
    QVERIFY(!WaveHeader::readFile(QString()).valid);
#ifdef Q_OS_UNIX
    // Reading a pipe would wait for a writer that never comes.
    const QByteArray pipe = QFile::encodeName(dir.filePath("pipe.wav"));
    QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
    QVERIFY(!WaveHeader::readFile(dir.filePath("pipe.wav")).valid);
#endif
}

QTEST_GUILESS_MAIN(TestWaveHeader)
#include "tst_waveheader.moc"
