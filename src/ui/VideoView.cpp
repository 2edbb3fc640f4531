#include "ui/VideoView.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QHideEvent>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QShowEvent>
#include <QUrl>

namespace {

// Qt 6.4's GStreamer video output can stall for good, showing nothing, when a clip is loaded
// while its window is still being put on screen. Loading a moment later has never stalled.
constexpr int StartDelayMs = 50;

} // namespace

VideoView::VideoView(QWidget* parent)
    : QVideoWidget(parent)
    , m_player(new QMediaPlayer(this))
{
    m_player->setVideoOutput(this);
    // Without an output device the clip plays silently. Some engines crash when given an audio
    // output that has no device behind it, so none is given then.
    if (!QMediaDevices::audioOutputs().isEmpty())
        m_player->setAudioOutput(new QAudioOutput(m_player));
    connect(m_player, &QMediaPlayer::errorOccurred, this, &VideoView::fail);

    m_start.setSingleShot(true);
    m_start.setInterval(StartDelayMs);
    connect(&m_start, &QTimer::timeout, this, [this] {
        if (!m_wanted || !isVisible())
            return;
        // A path that names no file is refused here: the engine's own refusal of a missing
        // file can leave it unable to stop its pipeline.
        if (!QFileInfo(m_path).isFile()) {
            fail();
            return;
        }
        m_player->setSource(QUrl::fromLocalFile(m_path));
        m_player->play();
    });
}

VideoView::~VideoView()
{
    m_player->stop();
}

void VideoView::play(const QString& path)
{
    m_wanted = true;
    m_path = path;
    if (isVisible())
        m_start.start();
}

void VideoView::stop()
{
    m_wanted = false;
    m_start.stop();
    m_player->stop();
}

void VideoView::fail()
{
    if (m_failed)
        return;
    m_failed = true;
    stop();
    emit failed();
}

void VideoView::showEvent(QShowEvent* event)
{
    QVideoWidget::showEvent(event);
    if (m_wanted)
        m_start.start();
}

void VideoView::hideEvent(QHideEvent* event)
{
    // A minimised window hides spontaneously and keeps playing; a closed one stops.
    if (!event->spontaneous())
        stop();
    QVideoWidget::hideEvent(event);
}
