#pragma once

#include <QColor>
#include <QFont>
#include <optional>

class QWidget;

// The font and colour dialogs of the property editor, behind one seam so a test can answer them.
// No value means the operator cancelled.
class PropertyDialogs
{
public:
    virtual ~PropertyDialogs() = default;
    virtual std::optional<QFont> chooseFont(QWidget* parent) = 0;
    virtual std::optional<QColor> chooseColour(QWidget* parent) = 0;
};

// The system's own dialogs, not preset from the editor's fields.
class QtPropertyDialogs final : public PropertyDialogs
{
public:
    std::optional<QFont> chooseFont(QWidget* parent) override;
    std::optional<QColor> chooseColour(QWidget* parent) override;
};
