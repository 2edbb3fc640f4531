#include "designer/tools/CRect.h"

#include "designer/tools/ClientMapping.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

using Limits = std::numeric_limits<std::int32_t>;

std::int32_t saturated(std::int64_t value)
{
    if (value < Limits::min())
        return Limits::min();
    if (value > Limits::max())
        return Limits::max();
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t nearestInt32(double value)
{
    if (std::isnan(value))
        return 0;
    const double nearest = std::nearbyint(value);
    if (nearest <= static_cast<double>(Limits::min()))
        return Limits::min();
    if (nearest >= static_cast<double>(Limits::max()))
        return Limits::max();
    return static_cast<std::int32_t>(nearest);
}

std::int32_t CRect::Width() const
{
    return saturated(std::int64_t{m_right} - m_left);
}

void CRect::setWidth(std::int32_t value)
{
    m_right = saturated(std::int64_t{m_left} + value);
}

std::int32_t CRect::Height() const
{
    return saturated(std::int64_t{m_bottom} - m_top);
}

void CRect::setHeight(std::int32_t value)
{
    m_bottom = saturated(std::int64_t{m_top} + value);
}

void CRect::SetRectToCtrl(const ElementGeometry& ctl)
{
    // The far edges are single-precision sums, as the element reports them.
    m_left = nearestInt32(ctl.left);
    m_top = nearestInt32(ctl.top);
    m_right = nearestInt32(ctl.left + ctl.width);
    m_bottom = nearestInt32(ctl.top + ctl.height);
}

ElementGeometry CRect::SetCtrlToRect()
{
    NormalizeRect();
    return {static_cast<float>(m_left), static_cast<float>(m_top), static_cast<float>(Width()),
            static_cast<float>(Height())};
}

void CRect::ScreenToTwips(const ClientMapping& parent)
{
    const QPoint topLeft = parent.screenToClient(QPoint(m_left, m_top));
    const QPoint bottomRight = parent.screenToClient(QPoint(m_right, m_bottom));
    const double perPixelX = parent.twipsPerPixelX();
    const double perPixelY = parent.twipsPerPixelY();
    m_left = nearestInt32(topLeft.x() * perPixelX);
    m_top = nearestInt32(topLeft.y() * perPixelY);
    m_right = nearestInt32(bottomRight.x() * perPixelX);
    m_bottom = nearestInt32(bottomRight.y() * perPixelY);
}

void CRect::TwipsToScreen(const ClientMapping& parent)
{
    const double perPixelX = parent.twipsPerPixelX();
    const double perPixelY = parent.twipsPerPixelY();
    const QPoint topLeft =
        parent.clientToScreen(QPoint(nearestInt32(m_left / perPixelX), nearestInt32(m_top / perPixelY)));
    const QPoint bottomRight =
        parent.clientToScreen(QPoint(nearestInt32(m_right / perPixelX), nearestInt32(m_bottom / perPixelY)));
    m_left = topLeft.x();
    m_top = topLeft.y();
    m_right = bottomRight.x();
    m_bottom = bottomRight.y();
}

void CRect::NormalizeRect()
{
    if (m_left > m_right)
        std::swap(m_left, m_right);
    if (m_top > m_bottom)
        std::swap(m_top, m_bottom);
}

bool CRect::PtInRect(float x, float y) const
{
    const double px = x;
    const double py = y;
    return m_left <= px && px < m_right && m_top <= py && py < m_bottom;
}
