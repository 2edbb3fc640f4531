#pragma once

#include "designer/document/ElementData.h"
#include "designer/document/ElementGeometry.h"
#include "designer/document/LayoutDocument.h"

#include <QString>
#include <QUndoCommand>
#include <cstdint>
#include <optional>
#include <vector>

// The edits of a layout document. Each one keeps the whole records before and after, so undo puts
// back exactly what was there, twips that are not whole pixels included. A command that would
// change nothing marks itself obsolete and the undo stack drops it.

// Replaces whole element records. The property editor applies a group with it; the moves, inserts
// and removes below are the same command with the records they compute.
class ReplaceElements : public QUndoCommand
{
public:
    // Positions that name no element are ignored; a position given twice takes its last record.
    ReplaceElements(LayoutDocument& document, const QString& text, const LayoutDocument::Records& records);

    void undo() override;
    void redo() override;

    bool changesSomething() const { return !m_changes.empty(); }

private:
    struct Change {
        int position;
        ElementData before;
        ElementData after;
    };

    LayoutDocument& m_document;
    std::vector<Change> m_changes;
};

// One drag ends here: the element's top, left, height and width in one step.
class MoveResizeElement : public ReplaceElements
{
public:
    MoveResizeElement(LayoutDocument& document, int position, const ElementGeometry& geometry);
};

// "Inserisci": the element goes to the canvas's top-left corner and is shown; its size stays.
class InsertElement : public ReplaceElements
{
public:
    InsertElement(LayoutDocument& document, int position);
};

// "Elimina": the element is parked below the canvas at the left edge and hidden; its size stays.
class RemoveElement : public ReplaceElements
{
public:
    RemoveElement(LayoutDocument& document, int position);
};

// The screen's background colour and picture path, together.
class ChangeBackground : public QUndoCommand
{
public:
    ChangeBackground(LayoutDocument& document, const QString& text, std::uint32_t colour,
                     const std::optional<QString>& picture);

    void undo() override;
    void redo() override;

    bool changesSomething() const;

private:
    LayoutDocument& m_document;
    std::uint32_t m_colourBefore;
    std::uint32_t m_colourAfter;
    std::optional<QString> m_pictureBefore;
    std::optional<QString> m_pictureAfter;
};

class SetBackgroundColour : public ChangeBackground
{
public:
    SetBackgroundColour(LayoutDocument& document, std::uint32_t colour);
};

class SetBackgroundPicture : public ChangeBackground
{
public:
    SetBackgroundPicture(LayoutDocument& document, const std::optional<QString>& picture);
};
