#include "designer/document/LayoutDocument.h"

#include "designer/document/LayoutCommands.h"

LayoutDocument::LayoutDocument(QObject* parent)
    : QObject(parent)
{
}

void LayoutDocument::load(const Elements& elements, std::uint32_t backgroundColour,
                          const std::optional<QString>& backgroundPicture)
{
    m_undoStack.clear();
    m_elements = elements;
    m_backgroundColour = backgroundColour;
    m_backgroundPicture = backgroundPicture;
    for (int position = 0; position < ElementCount; ++position)
        emit elementChanged(position);
    emit backgroundChanged();
}

const ElementData& LayoutDocument::element(int position) const
{
    Q_ASSERT_X(isElement(position), "LayoutDocument::element", "no element at this list position");
    return m_elements.at(static_cast<std::size_t>(position));
}

bool LayoutDocument::moveElement(int position, const ElementGeometry& geometry)
{
    return isElement(position) && push(std::make_unique<MoveResizeElement>(*this, position, geometry));
}

bool LayoutDocument::nudgeElement(int position, int pixels, bool vertical)
{
    return isElement(position) && push(std::make_unique<NudgeElement>(*this, position, pixels, vertical));
}

bool LayoutDocument::insertElement(int position)
{
    return isElement(position) && push(std::make_unique<InsertElement>(*this, position));
}

bool LayoutDocument::removeElement(int position)
{
    return isElement(position) && push(std::make_unique<RemoveElement>(*this, position));
}

bool LayoutDocument::replaceElements(const QString& text, const Records& records)
{
    for (const auto& record : records) {
        if (!isElement(record.first))
            return false;
    }
    return push(std::make_unique<ReplaceElements>(*this, text, records));
}

bool LayoutDocument::setBackgroundColour(std::uint32_t colour)
{
    return push(std::make_unique<SetBackgroundColour>(*this, colour));
}

bool LayoutDocument::setBackgroundPicture(const std::optional<QString>& path)
{
    return push(std::make_unique<SetBackgroundPicture>(*this, path));
}

bool LayoutDocument::push(std::unique_ptr<QUndoCommand> command)
{
    if (!command || command->isObsolete())
        return false;
    m_undoStack.push(command.release());
    return true;
}

void LayoutDocument::writeElement(int position, const ElementData& values)
{
    m_elements.at(static_cast<std::size_t>(position)) = values;
    emit elementChanged(position);
}

void LayoutDocument::writeBackground(std::uint32_t colour, const std::optional<QString>& picture)
{
    m_backgroundColour = colour;
    m_backgroundPicture = picture;
    emit backgroundChanged();
}
