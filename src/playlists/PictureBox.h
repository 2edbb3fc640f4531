#pragma once

#include <QImage>
#include <QWidget>

// A picture drawn whole: one larger than the box is scaled down to fit, keeping its proportions; a smaller
// one is drawn at its own size. Both are centred. An empty box draws nothing.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Reads the picture at path; a file that is missing or is not a picture leaves the box empty and returns
    // false. A picture larger than limit is read at the size that fits it, so a photo of many megapixels
    // costs no more memory than the screen.
    bool load(const QString& path, const QSize& limit);

    const QImage& picture() const { return m_picture; }
    // Where the picture is drawn in the box; empty when there is none.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
