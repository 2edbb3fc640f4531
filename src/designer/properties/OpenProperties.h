#pragma once

class LayoutDocument;
class QWidget;

// The designer's ways into its editing windows; each is shown modally and gone when it returns.

// The property editor for the group of the element at this list position; nothing for the
// weather area.
void OpenElementProperties(LayoutDocument& document, int listPosition, QWidget* parent);
// "Colore Sfondo Schermata": the property editor in its screen background colour mode.
void OpenBackgroundColour(LayoutDocument& document, QWidget* parent);
// "Sfondo della Schermata": the background picture window, its lists at the working folder.
void OpenBackgroundPicture(LayoutDocument& document, QWidget* parent);
