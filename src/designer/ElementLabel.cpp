#include "designer/ElementLabel.h"

#include "designer/document/ElementData.h"
#include "platform/OleColor.h"
#include "platform/Twips.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

Qt::Alignment horizontal(std::int16_t alignment)
{
    switch (alignment) {
    case ElementData::Right:
        return Qt::AlignRight;
    case ElementData::Centre:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

void ElementLabel::showLook(const ElementData& values)
{
    m_text = values.text;
    m_font = QFont(values.fontName);
    // Qt refuses a pixel size below 1; a 0 pt font still draws, as small as it gets.
    m_font.setPixelSize(Twips::fontPixelSize(values.fontPoints));
    m_font.setBold(values.bold);
    m_font.setItalic(values.italic);
    m_back = OleColor::toQColor(values.backColour);
    m_fore = OleColor::toQColor(values.foreColour);
    m_alignment = horizontal(values.alignment);
    m_transparent = values.transparent;
    lookChanged();
}

void ElementLabel::paintElement(QPainter& painter)
{
    if (!m_transparent)
        painter.fillRect(area(), m_back);
    painter.setFont(m_font);
    painter.setPen(m_fore);
    painter.drawText(area(), static_cast<int>(m_alignment | Qt::AlignTop) | Qt::TextWordWrap | Qt::TextShowMnemonic,
                     m_text);
}
