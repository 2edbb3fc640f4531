#include "RiffBytes.h"
#include "data/RecordSet.h"
#include "support/core/TestFolder.h"
#include "ui/WaveHeader.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace RiffBytes;

class TestWaveHeader : public QObject
{
    Q_OBJECT

private slots:
    void reads_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<qint64>>("read"); // channels, rate, bits, data bytes, milliseconds; empty: refused
        const QByteArray fmt16 = format(0x0001, 1, 22050, 16);
        const QByteArray samples = chunk("data", QByteArray(100, '\0'));
        const QList<qint64> refused;
        QTest::newRow("plain tone") << tone(0.3) << QList<qint64>{1, 22050, 16, 13230, 300};
        QTest::newRow("odd chunk padded before the format")
            << riff(chunk("LIST", "abc") + fmt16 + chunk("data", QByteArray(44100, '\0')))
            << QList<qint64>{1, 22050, 16, 44100, 1000};
        QTest::newRow("stereo float") << riff(format(0x0003, 2, 48000, 32) + chunk("data", QByteArray(384000, '\0')))
                                      << QList<qint64>{2, 48000, 32, 384000, 1000};
        // A cut file or a writer that streamed: only the bytes that are there count.
        QTest::newRow("size past the end of the file")
            << riff(fmt16 + chunk("data", QByteArray(4410, '\0'), 441000)) << QList<qint64>{1, 22050, 16, 4410, 100};
        QTest::newRow("size left unset by a streaming writer")
            << riff(fmt16 + chunk("data", QByteArray(4410, '\0'), 0xFFFFFFFF))
            << QList<qint64>{1, 22050, 16, 4410, 100};
        // One frame is far below a millisecond; a sound that exists never lasts 0 ms.
        QTest::newRow("one frame rounds up")
            << riff(fmt16 + chunk("data", QByteArray(2, '\0'))) << QList<qint64>{1, 22050, 16, 2, 1};
        QTest::newRow("no samples") << riff(fmt16 + chunk("data", {})) << QList<qint64>{1, 22050, 16, 0, 0};
        QTest::newRow("empty") << QByteArray() << refused;
        QTest::newRow("text") << QByteArray("this is a text file, not a sound\n").repeated(5) << refused;
        QTest::newRow("riff of another form") << riff(fmt16 + samples, "AVI ") << refused;
        QTest::newRow("big-endian riff") << QByteArray("RIFX") + riff(fmt16 + samples).mid(4) << refused;
        QTest::newRow("samples before their format") << riff(samples + fmt16) << refused;
        QTest::newRow("no samples chunk") << riff(fmt16) << refused;
        QTest::newRow("format chunk too short") << riff(chunk("fmt ", QByteArray(8, '\1')) + samples) << refused;
        QTest::newRow("no channels") << riff(format(0x0001, 0, 22050, 16) + samples) << refused;
        QTest::newRow("no sample rate") << riff(format(0x0001, 1, 0, 16) + samples) << refused;
        QTest::newRow("header cut short") << tone(0.1).left(30) << refused;
        QTest::newRow("chunk running past the end")
            << riff(chunk("LIST", "abcd", 1000000) + fmt16 + samples) << refused;
    }

    void reads()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<qint64>, read);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const WaveHeader header = WaveHeader::read(buffer);
        QCOMPARE(header.valid, !read.isEmpty());
        if (header.valid)
            QCOMPARE((QList<qint64>{header.channels, header.sampleRate, header.bitsPerSample, header.dataBytes,
                                    header.durationMs()}),
                     read);
        else
            QCOMPARE(header.durationMs(), 0);
    }

    // The chime a new database brings is a wave the player takes, of about a second.
    void seededChime()
    {
        TestFolder folder;
        const WaveHeader header = WaveHeader::readFile(QDir::fromNativeSeparators(
            RecordSet(folder.database(), QStringLiteral("DinDon")).value("dindon").toString()));
        QVERIFY(header.valid && header.formatTag == WaveHeader::Pcm);
        QVERIFY2(header.durationMs() >= 500 && header.durationMs() <= 2500,
                 qPrintable(QString::number(header.durationMs())));
    }

    void refusesWhatIsNoPlainFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("folder.wav"));
        QVERIFY(!WaveHeader::readFile(dir.filePath("missing.wav")).valid);
        QVERIFY(!WaveHeader::readFile(dir.filePath("folder.wav")).valid);
        QVERIFY(!WaveHeader::readFile(QString()).valid);
#ifdef Q_OS_UNIX
        // Reading a pipe would wait for a writer that never comes.
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.wav")).constData(), 0600), 0);
        QVERIFY(!WaveHeader::readFile(dir.filePath("pipe.wav")).valid);
#endif
    }
};

QTEST_GUILESS_MAIN(TestWaveHeader)
#include "tst_waveheader.moc"
