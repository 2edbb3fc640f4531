#pragma once

#include <QDialog>

class VideoView;

// Plays one clip. A file that cannot be played opens the window empty, without a message; closing the
// window stops the playback.
class AnteprimaVideo : public QDialog
{
    Q_OBJECT
public:
    explicit AnteprimaVideo(const QString& path, QWidget* parent = nullptr);

private:
    VideoView* MP1 = nullptr;
};
