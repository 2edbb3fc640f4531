#pragma once

#include <QPixmap>
#include <QWidget>

struct ElementData;

// The widget that stands for one element on the designer canvas. It is told what to show and
// turns the element's twips into pixels (rounded to the nearest, ties to even); it keeps no twips
// of its own, so the element's values stay exact in its ElementData. A press on it is its own:
// it never reaches the canvas background.
class ElementWidget : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Places and shows or hides the widget as `values` say at `zoom` canvas pixels per display
    // pixel, then lets the subclass take the look.
    void showData(const ElementData& values, double zoom = 1.0);

signals:
    // Any button pressed on the element, and where on the screen; the designer decides what, if
    // anything, it means.
    void pressed(ElementWidget* element, Qt::MouseButton button, const QPoint& globalPosition);

protected:
    virtual void showLook(const ElementData& values) = 0;
    // Draws the element over the whole widget. What it draws is kept as a picture until the look
    // (lookChanged) or the size changes: a drag's outline crosses elements at every mouse move, and
    // a repaint then only copies pixels instead of laying out text and paths again.
    // The painter is scaled to display pixels: area() is the element's box in them, so a zoomed
    // element looks like the one at 1:1, only smaller.
    virtual void paintElement(QPainter& painter) = 0;
    QRectF area() const;
    void lookChanged();

    void paintEvent(QPaintEvent* event) final;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPixmap m_drawn;
    double m_zoom = 1.0;
};
