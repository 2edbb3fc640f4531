#pragma once

#include <QColor>
#include <cstdint>

// Stored colours are 32-bit values 0x00BBGGRR, red in the low byte; Qt's QRgb is 0xAARRGGBB.
namespace OleColor {

inline QColor toQColor(std::uint32_t ole)
{
    return QColor(static_cast<int>(ole & 0xFFu), static_cast<int>((ole >> 8) & 0xFFu),
                  static_cast<int>((ole >> 16) & 0xFFu));
}

inline std::uint32_t fromQColor(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

} // namespace OleColor
