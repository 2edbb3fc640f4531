#include "designer/properties/PropertyDialogs.h"

#include <QColorDialog>
#include <QFontDialog>

std::optional<QFont> QtPropertyDialogs::chooseFont(QWidget* parent)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, parent);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> QtPropertyDialogs::chooseColour(QWidget* parent)
{
    const QColor colour = QColorDialog::getColor(Qt::white, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}
