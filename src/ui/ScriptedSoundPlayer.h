#pragma once

#include "ui/SoundPlayer.h"

#include <QStringList>
#include <functional>

// Stands in for the real player where a window's tests need to know what it asked to hear. The
// optional script runs inside playSync, while the caller is still waiting for the sound.
class ScriptedSoundPlayer final : public SoundPlayer
{
public:
    void playSync(const QString& path) override
    {
        m_played.append(path);
        if (m_whilePlaying)
            m_whilePlaying(path);
    }
    void setWhilePlaying(std::function<void(const QString&)> script) { m_whilePlaying = std::move(script); }
    const QStringList& played() const { return m_played; }

private:
    QStringList m_played;
    std::function<void(const QString&)> m_whilePlaying;
};
