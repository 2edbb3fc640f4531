#include "designer/properties/OpenProperties.h"

#include "designer/properties/Form2.h"
#include "designer/properties/ImpostaSfondo.h"
#include "designer/properties/PropertyDialogs.h"

#include <QDir>

void OpenElementProperties(LayoutDocument& document, int listPosition, QWidget* parent)
{
    QtPropertyDialogs dialogs;
    Form2 editor(document, dialogs, parent);
    if (editor.presetElement(listPosition))
        editor.exec();
}

void OpenBackgroundColour(LayoutDocument& document, QWidget* parent)
{
    QtPropertyDialogs dialogs;
    Form2 editor(document, dialogs, parent);
    editor.presetBackgroundColour();
    editor.exec();
}

void OpenBackgroundPicture(LayoutDocument& document, QWidget* parent)
{
    ImpostaSfondo window(document, QDir::currentPath(), parent);
    window.exec();
}
