#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

// The client area of the designer at the display's size times the zoom: the screen's background
// colour with its background picture drawn from the top-left corner at the zoom (unscaled at 1:1),
// under the element widgets.
class DesignerCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit DesignerCanvas(QWidget* parent = nullptr);

    void setBackgroundColor(const QColor& color);
    const QColor& backgroundColor() const { return m_background; }

    // A null pixmap shows no picture.
    void setBackgroundPicture(const QPixmap& picture);
    const QPixmap& backgroundPicture() const { return m_picture; }

    void setZoom(double zoom);

signals:
    // A press on the background itself; presses on elements stay with the elements. While the
    // canvas holds the mouse for a drag, every press, move and release anywhere comes here.
    void backgroundPressed(Qt::MouseButton button, const QPoint& globalPosition);
    void mouseMoved(const QPoint& globalPosition);
    void mouseReleased(Qt::MouseButton button, const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor m_background = Qt::black;
    QPixmap m_picture;
    // The picture at the zoom, made once per zoom and picture: a drag repaints parts at every move.
    QPixmap m_shown;
    double m_zoom = 1.0;
};
