#include "designer/document/LayoutCommands.h"

#include "platform/Twips.h"

#include <algorithm>
#include <cmath>

namespace {

LayoutDocument::Records moved(const LayoutDocument& document, int position, const ElementGeometry& geometry)
{
    if (!LayoutDocument::isElement(position))
        return {};
    return {{position, withGeometry(document.element(position), geometry)}};
}

QString moveText(const LayoutDocument& document, int position, const ElementGeometry& geometry)
{
    if (!LayoutDocument::isElement(position))
        return {};
    const ElementData& now = document.element(position);
    const bool sized = now.width != geometry.width || now.height != geometry.height;
    return sized ? QStringLiteral("Ridimensiona elemento") : QStringLiteral("Sposta elemento");
}

LayoutDocument::Records placed(const LayoutDocument& document, int position, float top, bool visible)
{
    if (!LayoutDocument::isElement(position))
        return {};
    ElementData element = document.element(position);
    element.top = top;
    element.left = 0.0f;
    element.visible = visible;
    return {{position, element}};
}

LayoutDocument::Records nudged(const LayoutDocument& document, int position, int pixels, bool vertical)
{
    if (!LayoutDocument::isElement(position))
        return {};
    ElementData element = document.element(position);
    float& edge = vertical ? element.top : element.left;
    edge = (std::nearbyint(edge / Twips::PerPixel) + static_cast<float>(pixels)) * Twips::PerPixel;
    return {{position, element}};
}

int direction(int pixels, bool vertical)
{
    return (pixels < 0 ? -1 : 1) * (vertical ? 1 : 2);
}

} // namespace

ReplaceElements::ReplaceElements(LayoutDocument& document, const QString& text, const LayoutDocument::Records& records)
    : QUndoCommand(text)
    , m_document(document)
{
    for (const auto& [position, after] : records) {
        if (!LayoutDocument::isElement(position))
            continue;
        auto same = std::find_if(m_changes.begin(), m_changes.end(),
                                 [position = position](const Change& change) { return change.position == position; });
        if (same != m_changes.end())
            same->after = after;
        else
            m_changes.push_back({position, document.element(position), after});
    }
    std::erase_if(m_changes, [](const Change& change) { return change.before == change.after; });
    setObsolete(m_changes.empty());
}

void ReplaceElements::redo()
{
    for (const Change& change : m_changes)
        m_document.writeElement(change.position, change.after);
}

void ReplaceElements::undo()
{
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change)
        m_document.writeElement(change->position, change->before);
}

void ReplaceElements::absorb(const ReplaceElements& later)
{
    for (const Change& change : later.m_changes) {
        auto same = std::find_if(m_changes.begin(), m_changes.end(),
                                 [&change](const Change& mine) { return mine.position == change.position; });
        if (same != m_changes.end())
            same->after = change.after;
        else
            m_changes.push_back(change);
    }
}

MoveResizeElement::MoveResizeElement(LayoutDocument& document, int position, const ElementGeometry& geometry)
    : ReplaceElements(document, moveText(document, position, geometry), moved(document, position, geometry))
{
}

NudgeElement::NudgeElement(LayoutDocument& document, int position, int pixels, bool vertical)
    : ReplaceElements(document, QStringLiteral("Sposta elemento"), nudged(document, position, pixels, vertical))
    , m_position(position)
    , m_direction(direction(pixels, vertical))
{
}

bool NudgeElement::mergeWith(const QUndoCommand* other)
{
    const auto* later = dynamic_cast<const NudgeElement*>(other);
    if (!later || later->m_position != m_position || later->m_direction != m_direction)
        return false;
    absorb(*later);
    return true;
}

InsertElement::InsertElement(LayoutDocument& document, int position)
    : ReplaceElements(document, QStringLiteral("Inserisci"), placed(document, position, 0.0f, true))
{
}

RemoveElement::RemoveElement(LayoutDocument& document, int position)
    : ReplaceElements(document, QStringLiteral("Elimina"),
                      placed(document, position, LayoutDocument::RemovedTop, false))
{
}

ChangeBackground::ChangeBackground(LayoutDocument& document, const QString& text, std::uint32_t colour,
                                   const std::optional<QString>& picture)
    : QUndoCommand(text)
    , m_document(document)
    , m_colourBefore(document.backgroundColour())
    , m_colourAfter(colour)
    , m_pictureBefore(document.backgroundPicture())
    , m_pictureAfter(picture)
{
    setObsolete(!changesSomething());
}

bool ChangeBackground::changesSomething() const
{
    return m_colourBefore != m_colourAfter || m_pictureBefore != m_pictureAfter;
}

void ChangeBackground::redo()
{
    m_document.writeBackground(m_colourAfter, m_pictureAfter);
}

void ChangeBackground::undo()
{
    m_document.writeBackground(m_colourBefore, m_pictureBefore);
}

SetBackgroundColour::SetBackgroundColour(LayoutDocument& document, std::uint32_t colour)
    : ChangeBackground(document, QStringLiteral("Colore Sfondo Schermata"), colour, document.backgroundPicture())
{
}

SetBackgroundPicture::SetBackgroundPicture(LayoutDocument& document, const std::optional<QString>& picture)
    : ChangeBackground(document, QStringLiteral("Sfondo della Schermata"), document.backgroundColour(), picture)
{
}
