#pragma once

#include "designer/document/ElementData.h"
#include "designer/document/ElementGeometry.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class ChangeBackground;
class ReplaceElements;

// The layout open in the designer: the 48 element records, addressed by their position in the
// element list (0 .. 47), the screen's background colour and the path of its background picture.
// Every edit is one command on the document's undo stack; the canvas and the property editor only
// listen to elementChanged and backgroundChanged and draw from the records.
class LayoutDocument : public QObject
{
    Q_OBJECT
public:
    static constexpr int ElementCount = 48;
    // "Elimina" parks an element below the bottom edge of every canvas size (at most 16200 twips).
    static constexpr float RemovedTop = 17000.0f;

    using Elements = std::array<ElementData, ElementCount>;
    // Whole records by list position, as the property editor applies them to a group.
    using Records = std::vector<std::pair<int, ElementData>>;

    explicit LayoutDocument(QObject* parent = nullptr);

    static bool isElement(int position) { return position >= 0 && position < ElementCount; }

    // Takes the layout as it was loaded: no command, and the undo history starts empty. Every
    // element and the background are announced as changed.
    void load(const Elements& elements, std::uint32_t backgroundColour,
              const std::optional<QString>& backgroundPicture);

    const Elements& elements() const { return m_elements; }
    // `position` must name an element (isElement).
    const ElementData& element(int position) const;
    // 0x00BBGGRR.
    std::uint32_t backgroundColour() const { return m_backgroundColour; }
    // No value when the layout has no background picture.
    const std::optional<QString>& backgroundPicture() const { return m_backgroundPicture; }

    QUndoStack* undoStack() { return &m_undoStack; }

    // Each edit pushes one command and returns true. It pushes nothing and returns false when a
    // position names no element (the element list reports -1 with no entry selected) or when the
    // edit would change nothing, so a click that leaves an element in place adds no undo step.
    bool moveElement(int position, const ElementGeometry& geometry);
    // An arrow key: `pixels` display pixels across or down, from the nearest whole pixel.
    bool nudgeElement(int position, int pixels, bool vertical);
    bool insertElement(int position);
    bool removeElement(int position);
    bool replaceElements(const QString& text, const Records& records);
    bool setBackgroundColour(std::uint32_t colour);
    bool setBackgroundPicture(const std::optional<QString>& path);

    // Pushes a command built on this document; false, and the command is dropped, when it is
    // obsolete from the start (it would change nothing).
    bool push(std::unique_ptr<QUndoCommand> command);

signals:
    void elementChanged(int position);
    void backgroundChanged();

private:
    // Only the commands write, so every change is on the undo stack.
    friend class ReplaceElements;
    friend class ChangeBackground;
    void writeElement(int position, const ElementData& values);
    void writeBackground(std::uint32_t colour, const std::optional<QString>& picture);

    Elements m_elements{};
    std::uint32_t m_backgroundColour = 0;
    std::optional<QString> m_backgroundPicture;
    QUndoStack m_undoStack;
};
