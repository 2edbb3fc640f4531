#include "playlists/PictureBox.h"

#include "ui/FolderReading.h"

#include <QImageReader>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
}

bool PictureBox::load(const QString& path, const QSize& limit)
{
    const BusyCursor busy; // a large picture takes a noticeable time to decode
    QImageReader reader(path);
    reader.setAutoTransform(true); // a photo taken upright shows upright
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > limit.width() || size.height() > limit.height()))
        reader.setScaledSize(size.scaled(limit, Qt::KeepAspectRatio));
    m_picture = reader.read();
    update();
    return !m_picture.isNull();
}

QRect PictureBox::pictureRect() const
{
    if (m_picture.isNull())
        return {};
    QSize size = m_picture.size();
    if (size.width() > width() || size.height() > height())
        size = size.scaled(this->size(), Qt::KeepAspectRatio);
    QRect area(QPoint(0, 0), size);
    area.moveCenter(rect().center());
    return area;
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), m_picture);
}
