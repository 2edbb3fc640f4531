#include "RiffBytes.h"
#include "data/RecordSet.h"
#include "support/core/FileBytes.h"
#include "support/core/TestFolder.h"
#include "ui/SoundPlayer.h"
#include "ui/WaveHeader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace std::chrono_literals;
using namespace RiffBytes;
using Outcome = QtSoundPlayer::Outcome;
Q_DECLARE_METATYPE(Outcome)

// No test here measures how fast a sound plays: the limit only catches a player that hangs.
constexpr qint64 HangGuardMs = 10000;

class TestSoundPlayer : public QObject
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
        QVERIFY(!WaveHeader::readFile(QString()).valid);
#ifdef Q_OS_UNIX
        // Reading a pipe would wait for a writer that never comes.
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("pipe.wav")).constData(), 0600), 0);
        QVERIFY(!WaveHeader::readFile(dir.filePath("pipe.wav")).valid);
#endif
    }
    // What is no wave, or holds samples the engine cannot decode, sounds the default beep, whether
    // or not anything can be heard; a wave plays, holding the caller until it ends even with nothing
    // to hear; without an audio output nothing plays and nothing is said. Each time the same, and
    // the player then plays a good sound as usual.
    void outcome_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // "missing": no file; "folder": a folder of that name
        QTest::addColumn<int>("output");       // 0 none, 1 one, -1 whatever this machine has
        QTest::addColumn<Outcome>("outcome");  // None: played or no output, never a beep
        QTest::addColumn<int>("heldMs");       // at least
        const QList<std::pair<const char*, QByteArray>> noWaves{
            {"missing file", "missing"},
            {"folder named .wav", "folder"},
            {"text named .wav", QByteArray("not a sound at all\n").repeated(20)}};
        for (const auto& [name, bytes] : noWaves) {
            QTest::addRow("%s", name) << bytes << 1 << Outcome::Beeped << 0;
            QTest::addRow("%s, no output", name) << bytes << 0 << Outcome::Beeped << 0;
        }
        QTest::newRow("samples the engine cannot decode")
            << riff(format(0x0055, 1, 22050, 16) + chunk("data", QByteArray(8000, '\x5a'))) << 1 << Outcome::Beeped
            << 0;
        QTest::newRow("a wave") << tone(0.3) << 1 << Outcome::Played << 0;
        QTest::newRow("a long wave holds the caller") << tone(2.0) << 1 << Outcome::Played << 1000;
        QTest::newRow("no audio output") << tone(3.0) << 0 << Outcome::NoAudioOutput << 0;
        QTest::newRow("this machine's outputs") << tone(0.3) << -1 << Outcome::None << 0;
    }

    void outcome()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, output);
        QFETCH(Outcome, outcome);
        QFETCH(int, heldMs);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("suono.wav"));
        if (bytes == "folder")
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("suono.wav")));
        else if (bytes != "missing")
            QVERIFY(writeBytes(path, bytes));
        int beeps = 0;
        QtSoundPlayer::Options options;
        options.beep = [&beeps] { ++beeps; };
        if (output >= 0)
            options.hasAudioOutput = [output] { return output == 1; };
        options.endMargin = heldMs > 0 ? 200ms : 1000ms;
        QtSoundPlayer player(options);

        for (int time = 1; time <= 2; ++time) { // the second time the engine may have the file ready
            QElapsedTimer clock;
            clock.start();
            player.playSync(path);
            QVERIFY2(clock.elapsed() >= heldMs && clock.elapsed() < HangGuardMs,
                     qPrintable(QString::number(clock.elapsed())));
            if (outcome == Outcome::None)
                QVERIFY(player.lastOutcome() == Outcome::Played || player.lastOutcome() == Outcome::NoAudioOutput);
            else
                QCOMPARE(player.lastOutcome(), outcome);
            QCOMPARE(beeps, outcome == Outcome::Beeped ? time : 0);
        }
        if (output == 1) {
            QVERIFY(writeBytes(dir.filePath(QStringLiteral("buono.wav")), tone(0.2)));
            beeps = 0;
            player.playSync(dir.filePath(QStringLiteral("buono.wav")));
            QCOMPARE(player.lastOutcome(), Outcome::Played);
            QCOMPARE(beeps, 0);
        }
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
