#include "RiffBytes.h"
#include "support/core/FileBytes.h"
#include "ui/SoundPlayer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;
using Outcome = QtSoundPlayer::Outcome;
Q_DECLARE_METATYPE(Outcome)

// No test here measures how fast a sound plays: the limit only catches a player that hangs.
constexpr qint64 HangGuardMs = 10000;

class TestSoundPlayer : public QObject
{
    Q_OBJECT

private slots:
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
            << RiffBytes::riff(RiffBytes::format(0x0055, 1, 22050, 16) +
                               RiffBytes::chunk("data", QByteArray(8000, '\x5a')))
            << 1 << Outcome::Beeped << 0;
        QTest::newRow("a wave") << RiffBytes::tone(0.3) << 1 << Outcome::Played << 0;
        QTest::newRow("a long wave holds the caller") << RiffBytes::tone(2.0) << 1 << Outcome::Played << 1000;
        QTest::newRow("no audio output") << RiffBytes::tone(3.0) << 0 << Outcome::NoAudioOutput << 0;
        QTest::newRow("this machine's outputs") << RiffBytes::tone(0.3) << -1 << Outcome::None << 0;
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
            QVERIFY(writeBytes(dir.filePath(QStringLiteral("buono.wav")), RiffBytes::tone(0.2)));
            beeps = 0;
            player.playSync(dir.filePath(QStringLiteral("buono.wav")));
            QCOMPARE(player.lastOutcome(), Outcome::Played);
            QCOMPARE(beeps, 0);
        }
    }
};

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
