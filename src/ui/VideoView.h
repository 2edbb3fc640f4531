#pragma once

#include <QTimer>
#include <QVideoWidget>

class QMediaPlayer;

// A video surface that plays one file, as a preview window does in its short life. A file that
// cannot be played leaves it empty and says so only through failed(); hiding the view (closing
// its window) stops the playback.
class VideoView : public QVideoWidget
{
    Q_OBJECT
public:
    explicit VideoView(QWidget* parent = nullptr);
    ~VideoView() override;

    // Plays the file once the view is on screen; may be called before the window is shown. Qt
    // 6.4's player does not recover from a failed file, so a view is meant for one file.
    void play(const QString& path);
    void stop();
    bool hasFailed() const { return m_failed; }
    QMediaPlayer* player() const { return m_player; }

signals:
    // Once, however many errors the engine reports for the file.
    void failed();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void fail();

    QMediaPlayer* m_player;
    QTimer m_start;
    QString m_path;
    bool m_failed = false;
    bool m_wanted = false;
};
