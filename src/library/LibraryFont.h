#pragma once

#include <QFont>
#include <cmath>

// The layout windows write in Tahoma. Sizes are points drawn at 96 dots per inch, whatever the
// screen says, so the windows look the same on every machine.
namespace LibraryFont {

inline constexpr double DefaultPoints = 8.25;

inline QFont tahoma(double points = DefaultPoints, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(static_cast<int>(std::nearbyint(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

} // namespace LibraryFont
