#pragma once

#include "designer/document/ElementGeometry.h"

#include <cstdint>

class ClientMapping;

// The drag rectangle: four whole numbers in screen pixels while a drag is under way, in twips from
// the canvas's top-left corner otherwise. Right and Bottom are the edges themselves (Width is
// Right - Left), unlike QRect's last pixel inside.
class CRect
{
public:
    std::int32_t Left() const { return m_left; }
    void setLeft(std::int32_t value) { m_left = value; }
    std::int32_t Top() const { return m_top; }
    void setTop(std::int32_t value) { m_top = value; }
    std::int32_t Right() const { return m_right; }
    void setRight(std::int32_t value) { m_right = value; }
    std::int32_t Bottom() const { return m_bottom; }
    void setBottom(std::int32_t value) { m_bottom = value; }

    std::int32_t Width() const;
    void setWidth(std::int32_t value);
    std::int32_t Height() const;
    void setHeight(std::int32_t value);

    // Takes the element's edges in twips, each to the nearest whole number.
    void SetRectToCtrl(const ElementGeometry& ctl);
    // Normalises and gives the place to move the element to, in one move.
    ElementGeometry SetCtrlToRect();
    // Both corners from screen pixels to twips in the canvas, and back.
    void ScreenToTwips(const ClientMapping& parent);
    void TwipsToScreen(const ClientMapping& parent);
    // Swaps Left and Right, Top and Bottom, where an edge has passed its opposite.
    void NormalizeRect();
    // Left <= x < Right and Top <= y < Bottom.
    bool PtInRect(float x, float y) const;

    bool operator==(const CRect&) const = default;

private:
    std::int32_t m_left = 0;
    std::int32_t m_top = 0;
    std::int32_t m_right = 0;
    std::int32_t m_bottom = 0;
};

// `value` to the nearest whole number, ties to even. Values past the 32-bit range (a corrupt layout
// row) stop at its ends instead of overflowing; NaN gives 0.
std::int32_t nearestInt32(double value);
