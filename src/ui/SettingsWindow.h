#pragma once

#include "ui/WindowFont.h"

#include <QDialog>
#include <QPushButton>

// What every settings window shares: Tahoma, the window's names, no help button in the title bar,
// and push buttons that Enter in a box never presses by accident (a text being typed must not
// close a window or clear a layout).
namespace SettingsWindow {

inline void setUp(QDialog* window, const QString& name, const QString& caption)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    window->setFont(WindowFont::tahoma());
}

inline QPushButton* pushButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace SettingsWindow
