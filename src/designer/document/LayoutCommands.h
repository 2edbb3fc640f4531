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

protected:
    // Keeps this command's records before and takes `later`'s after, so two steps undo as one.
    void absorb(const ReplaceElements& later);

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

// One press of an arrow key: the element goes `pixels` display pixels across (`vertical` false) or
// down from its position rounded to the nearest display pixel; its size stays. Presses in a row on
// the same element in the same direction merge into one step.
class NudgeElement : public ReplaceElements
{
public:
    NudgeElement(LayoutDocument& document, int position, int pixels, bool vertical);

    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    int m_position;
    // -2 left, 2 right, -1 up, 1 down.
    int m_direction;
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
