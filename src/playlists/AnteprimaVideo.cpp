#include "playlists/AnteprimaVideo.h"

#include "ui/VideoView.h"

#include <QVBoxLayout>

AnteprimaVideo::AnteprimaVideo(const QString& path, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AnteprimaVideo"));
    setWindowTitle(QStringLiteral("Anteprima Video"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    MP1 = new VideoView(this);
    MP1->setObjectName(QStringLiteral("MP1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MP1);
    resize(640, 480);
    // The clip starts once the window is on screen; a clip that cannot be played leaves it black.
    MP1->play(path);
}
