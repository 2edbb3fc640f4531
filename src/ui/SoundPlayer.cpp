#include "ui/SoundPlayer.h"

#include "ui/WaveHeader.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace {

// Runs a local loop until `done` holds, checked again whenever the player reports something, or
// until the time is up. The user's input waits in the queue meanwhile, as it would behind a
// blocking system call, while painting and timers go on.
bool waitFor(QMediaPlayer& player, const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = [&] {
        if (done())
            loop.quit();
    };
    QObject::connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, check);
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, check);
    timer.start(timeout);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return done();
}

} // namespace

QtSoundPlayer::QtSoundPlayer()
    : QtSoundPlayer(Options{})
{
}

QtSoundPlayer::QtSoundPlayer(Options options)
    : m_options(std::move(options))
{
}

void QtSoundPlayer::beep()
{
    m_lastOutcome = Outcome::Beeped;
    if (m_options.beep)
        m_options.beep();
    else
        QApplication::beep();
}

void QtSoundPlayer::playSync(const QString& path)
{
    // The header decides first, so that a file that is no wave gets its beep even where nothing
    // can be heard, and the engine is never handed something that is not a sound.
    const WaveHeader header = WaveHeader::readFile(path);
    if (!header.valid) {
        beep();
        return;
    }
    const bool hasOutput =
        m_options.hasAudioOutput ? m_options.hasAudioOutput() : !QMediaDevices::audioOutputs().isEmpty();
    if (!hasOutput) {
        m_lastOutcome = Outcome::NoAudioOutput;
        return;
    }

    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    bool failed = false;
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &player, [&failed] { failed = true; });

    player.setSource(QUrl::fromLocalFile(path));
    player.play();
    const auto started = [&] {
        const auto status = player.mediaStatus();
        return failed || status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::LoadedMedia ||
               status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::EndOfMedia;
    };
    if (!waitFor(player, started, m_options.readyTimeout) || failed ||
        player.mediaStatus() == QMediaPlayer::InvalidMedia) {
        player.stop();
        beep();
        return;
    }

    m_lastOutcome = Outcome::Played;
    const auto ended = [&] { return failed || player.mediaStatus() == QMediaPlayer::EndOfMedia; };
    waitFor(player, ended, std::chrono::milliseconds(header.durationMs()) + m_options.endMargin);
    player.stop();
}
