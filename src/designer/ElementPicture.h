#pragma once

#include "designer/ElementWidget.h"

// A picture element. On the canvas it only marks the area that the display fills: the operator
// photos show a sample portrait, the video, weather and image areas a placeholder with their name.
// The markers are drawn here, stretched to the element's box.
class ElementPicture : public ElementWidget
{
    Q_OBJECT
public:
    enum class Marker { Photo, Video, Weather, Images };

    explicit ElementPicture(Marker marker, QWidget* parent = nullptr);

    Marker marker() const { return m_marker; }

protected:
    void showLook(const ElementData&) override {}
    void paintElement(QPainter& painter) override;

private:
    void paintPhoto(QPainter& painter) const;
    void paintPlaceholder(QPainter& painter) const;

    Marker m_marker;
};
