#pragma once

#include "platform/Twips.h"
#include <QFont>
#include <QFontMetrics>
#include <QStringList>

// Fonts of the windows. Sizes are points drawn at 96 dots per inch whatever the screen says,
// and each family names its stand-ins for machines that do not have it.
namespace WindowFont {

inline QFont make(const QStringList& families, double points, QFont::StyleHint hint, bool bold = false)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(Twips::fontPixelSize(static_cast<float>(points)));
    font.setBold(bold);
    return font;
}

// The controls' font.
inline QFont tahoma(double points = 8.25, bool bold = false)
{
    return make({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}, points,
                QFont::SansSerif, bold);
}

// The handwriting of the version label.
inline QFont segoePrint(double points)
{
    return make({QStringLiteral("Segoe Print"), QStringLiteral("Comic Neue"), QStringLiteral("URW Chancery L"),
                 QStringLiteral("DejaVu Sans")},
                points, QFont::Cursive);
}

// `font`, made smaller when needed so that `text` fits in `width` pixels: the stand-in for a
// missing family is often wider than the family the arrangement was drawn for.
inline QFont fitted(QFont font, const QString& text, int width)
{
    constexpr int SmallestPixels = 8;
    while (font.pixelSize() > SmallestPixels && QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

} // namespace WindowFont
