#pragma once

#include <cmath>

// The display measures everything in twips: 15 of them make one pixel. Positions stay in
// single-precision twips so that a value which is not a whole pixel survives a load and a save;
// only the widget geometry is rounded, to the nearest pixel with ties to even as the display does.
namespace Twips {

inline constexpr float PerPixel = 15.0f;

inline int toPixels(float twips)
{
    return static_cast<int>(std::nearbyint(twips / PerPixel));
}

inline float fromPixels(int pixels)
{
    return static_cast<float>(pixels) * PerPixel;
}

// Fonts are given in points and drawn at 96 dots per inch whatever the screen says: 12 pt = 16 px.
inline int fontPixelSize(float points)
{
    const int pixels = static_cast<int>(std::nearbyint(points * 96.0f / 72.0f));
    return pixels < 1 ? 1 : pixels;
}

} // namespace Twips
