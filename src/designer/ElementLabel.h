#pragma once

#include "designer/ElementWidget.h"

#include <QColor>
#include <QFont>
#include <QString>

// A text element: its text in its font (points drawn at 96 dots per inch), text colour and
// alignment, wrapped at word boundaries within the element's box like a label, on a fill of its
// back colour or, when transparent, straight on whatever lies under it.
class ElementLabel : public ElementWidget
{
    Q_OBJECT
public:
    using ElementWidget::ElementWidget;

    const QString& text() const { return m_text; }
    const QFont& textFont() const { return m_font; }
    const QColor& backColor() const { return m_back; }
    const QColor& foreColor() const { return m_fore; }
    Qt::Alignment textAlignment() const { return m_alignment; }
    bool isTransparent() const { return m_transparent; }

protected:
    void showLook(const ElementData& values) override;
    void paintElement(QPainter& painter) override;

private:
    QString m_text;
    QFont m_font;
    QColor m_back;
    QColor m_fore;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_transparent = false;
};
