#pragma once

#include <QString>
#include <chrono>
#include <functional>

// Plays a wave file synchronously: the caller goes on when the sound has ended. A file that cannot
// be played gives the system's default beep instead; a machine without any audio output plays
// nothing and says nothing. Windows use this seam so that tests can put a ScriptedSoundPlayer in.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;
    virtual void playSync(const QString& path) = 0;
};

// The real player, on Qt Multimedia's QMediaPlayer. It waits in a local event loop that keeps
// painting but holds back the user's input until the sound is over. QSoundEffect would load
// faster, but in Qt 6.4 a sound asked for right after one it failed to decode never loads, and
// without an output device it never reports the end.
class QtSoundPlayer final : public SoundPlayer
{
public:
    enum class Outcome { None, Played, Beeped, NoAudioOutput };

    struct Options {
        std::function<void()> beep;           // empty: QApplication::beep
        std::function<bool()> hasAudioOutput; // empty: whether Qt lists any audio output
        std::chrono::milliseconds readyTimeout{2000};
        // Added to the sound's length: an output waking up may start the sound a second late,
        // and one that goes away may never report the end; the caller waits no longer.
        std::chrono::milliseconds endMargin{2000};
    };

    QtSoundPlayer();
    explicit QtSoundPlayer(Options options);

    void playSync(const QString& path) override;

    // How the last playSync ended; for the diagnostics of tests.
    Outcome lastOutcome() const { return m_lastOutcome; }

private:
    void beep();

    Options m_options;
    Outcome m_lastOutcome = Outcome::None;
};
