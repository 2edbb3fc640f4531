#pragma once

#include <QString>
#include <cstdint>

// What one element of the designer canvas holds, in the display's own units: position and size in
// single-precision twips, font size in points, colours as 0x00BBGGRR. The widget that paints an
// element derives its pixels from these values and never writes them back, so a position that is
// not a whole pixel (2887 twips) stays exactly as loaded until the operator moves the element.
struct ElementData {
    enum Alignment : std::int16_t { Left = 0, Right = 1, Centre = 2 };

    float top = 0.0f;
    float left = 0.0f;
    float height = 0.0f;
    float width = 0.0f;

    // Text elements only; picture elements ignore them.
    QString text;
    QString fontName;
    float fontPoints = 0.0f;
    bool bold = false;
    bool italic = false;
    std::uint32_t backColour = 0;
    std::uint32_t foreColour = 0;
    std::int16_t alignment = Left;
    bool transparent = false;

    bool visible = true;

    bool operator==(const ElementData&) const = default;
};
