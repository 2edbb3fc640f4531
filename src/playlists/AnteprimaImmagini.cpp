#include "playlists/AnteprimaImmagini.h"

#include "playlists/PictureBox.h"
#include "ui/PictureLimit.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// The window's room: most of the screen, leaving its frame and the taskbar in sight.
QSize roomOnScreen(const QWidget* parent)
{
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1024, 768);
    return available * 0.85;
}

} // namespace

AnteprimaImmagini::AnteprimaImmagini(const QString& path, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AnteprimaImmagini"));
    setWindowTitle(QStringLiteral("Anteprima Immagini"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Image1 = new PictureBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);

    const QSize room = roomOnScreen(parent);
    // A photo is read scaled to the room, but a format that cannot be scaled while read is decoded
    // whole, which a very large picture cannot be.
    if (!Image1->load(path, room)) {
        if (const QSize size = QImageReader(path).size(); PictureLimit::exceeded(size))
            m_problem = PictureLimit::message(QFileInfo(path).fileName(), size);
    }
    // Sized to the picture, never smaller than a window one can find and close.
    const QSize minimum(320, 240);
    resize(Image1->picture().isNull() ? minimum : Image1->picture().size().expandedTo(minimum).boundedTo(room));
}
