#pragma once

#include <QPoint>
#include <QStringList>

class QWidget;

// Right-clicks `widget` at `position` and picks the action whose objectName is `action` from the
// menu that opens, with the keyboard, as an operator would; an empty `action` closes the menu
// without a choice. `shown` receives the texts of the menu's enabled actions and `disabled` those
// of its disabled ones. False when no menu opened or the action was not there and enabled.
bool chooseFromContextMenu(QWidget* widget, const QString& action, QStringList* shown = nullptr,
                           QStringList* disabled = nullptr, const QPoint& position = QPoint(5, 5));
