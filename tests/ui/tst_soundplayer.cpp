#include "WaveBytes.h"
#include "ui/SoundPlayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;
using Outcome = QtSoundPlayer::Outcome;

// No test here measures how fast a sound plays: the limits only catch a player that hangs.
constexpr qint64 HangGuardMs = 10000;

class TestSoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void beepsForWhatIsNoWave_data();
    void beepsForWhatIsNoWave();
    void beepsWhenTheEngineRefusesTheSamples();
    void playsAWaveWithoutBeeping();
    void longSoundHoldsTheCallerUntilItEnds();
    void noAudioOutputPlaysNothingAndSaysNothing();

private:
    QString write(const QString& name, const QByteArray& bytes);
    QtSoundPlayer player(bool hasOutput, std::chrono::milliseconds endMargin = 1000ms);

    QTemporaryDir m_dir;
    int m_beeps = 0;
};

QString TestSoundPlayer::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// Every player here counts its beeps instead of sounding them. Told that an output exists on a
// machine without one, the engine plays into nothing, in real time.
QtSoundPlayer TestSoundPlayer::player(bool hasOutput, std::chrono::milliseconds endMargin)
{
    QtSoundPlayer::Options options;
    options.beep = [this] { ++m_beeps; };
    options.hasAudioOutput = [hasOutput] { return hasOutput; };
    options.endMargin = endMargin;
    return QtSoundPlayer(options);
}

void TestSoundPlayer::init()
{
    QVERIFY(m_dir.isValid());
    m_beeps = 0;
}

void TestSoundPlayer::beepsForWhatIsNoWave_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("missing file") << m_dir.filePath("missing.wav");
    QTest::newRow("text named .wav") << write("text.wav", QByteArray("not a sound at all\n").repeated(20));
    QTest::newRow("empty file") << write("empty.wav", {});
    QTest::newRow("video named .wav") << write("clip.wav", WaveBytes::riff(WaveBytes::chunk("LIST", "hdrl"), "AVI "));
    QVERIFY(QDir(m_dir.path()).mkpath("folder.wav"));
    QTest::newRow("folder named .wav") << m_dir.filePath("folder.wav");
}

void TestSoundPlayer::beepsForWhatIsNoWave()
{
    QFETCH(QString, path);
    // The decision does not hang on whether anything can be heard.
    for (const bool hasOutput : {false, true}) {
        m_beeps = 0;
        QtSoundPlayer sound = player(hasOutput);
        QElapsedTimer clock;
        clock.start();
        sound.playSync(path);
        QVERIFY2(clock.elapsed() < HangGuardMs, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_beeps, 1);
        QCOMPARE(sound.lastOutcome(), Outcome::Beeped);
    }
}

void TestSoundPlayer::beepsWhenTheEngineRefusesTheSamples()
{
    // A sound header in order over samples compressed in a way the engine does not decode.
    const QByteArray compressed =
        WaveBytes::riff(WaveBytes::format(0x0055, 1, 22050, 16) + WaveBytes::chunk("data", QByteArray(8000, '\x5a')));
    QtSoundPlayer sound = player(true);
    QElapsedTimer clock;
    clock.start();
    sound.playSync(write("compressed.wav", compressed));
    QVERIFY(clock.elapsed() < HangGuardMs);
    QCOMPARE(m_beeps, 1);
    QCOMPARE(sound.lastOutcome(), Outcome::Beeped);

    // Right after a refusal the engine still plays the next good sound.
    sound.playSync(write("after.wav", WaveBytes::tone(0.2)));
    QCOMPARE(m_beeps, 1);
    QCOMPARE(sound.lastOutcome(), Outcome::Played);
}

void TestSoundPlayer::playsAWaveWithoutBeeping()
{
    const QString path = write("chime.wav", WaveBytes::tone(0.3));
    QtSoundPlayer sound = player(true);
    QElapsedTimer clock;
    clock.start();
    sound.playSync(path);
    QVERIFY(clock.elapsed() < HangGuardMs);
    QCOMPARE(m_beeps, 0);
    QCOMPARE(sound.lastOutcome(), Outcome::Played);

    // The same file again: the engine may keep it cached and be ready at once.
    sound.playSync(path);
    QCOMPARE(m_beeps, 0);
    QCOMPARE(sound.lastOutcome(), Outcome::Played);
}

void TestSoundPlayer::longSoundHoldsTheCallerUntilItEnds()
{
    QtSoundPlayer sound = player(true, 200ms);
    QElapsedTimer clock;
    clock.start();
    sound.playSync(write("long.wav", WaveBytes::tone(2.0)));
    const qint64 elapsed = clock.elapsed();
    // Held for the sound, not returned at once; and brought back even with nothing to hear.
    QVERIFY2(elapsed >= 1000, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < HangGuardMs, qPrintable(QString::number(elapsed)));
    QCOMPARE(sound.lastOutcome(), Outcome::Played);
    QCOMPARE(m_beeps, 0);
}

void TestSoundPlayer::noAudioOutputPlaysNothingAndSaysNothing()
{
    const QString path = write("long.wav", WaveBytes::tone(3.0));
    QtSoundPlayer sound = player(false);
    QElapsedTimer clock;
    clock.start();
    sound.playSync(path);
    QVERIFY(clock.elapsed() < HangGuardMs);
    QCOMPARE(sound.lastOutcome(), Outcome::NoAudioOutput);
    QCOMPARE(m_beeps, 0);

    // Whatever this machine has, asking Qt for its outputs neither beeps for a good file nor hangs.
    QtSoundPlayer::Options options;
    options.beep = [this] { ++m_beeps; };
    QtSoundPlayer machine(options);
    clock.restart();
    machine.playSync(path);
    QVERIFY(clock.elapsed() < HangGuardMs);
    QCOMPARE(m_beeps, 0);
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
