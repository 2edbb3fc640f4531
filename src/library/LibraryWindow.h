#pragma once

#include <QDialog>
#include <QFont>
#include <QPushButton>
#include <cmath>

// What the layout windows share: Tahoma, the window's names, and push buttons that Enter never
// presses by accident (a description being typed must not close a window or clear a layout).
namespace LibraryWindow {

inline constexpr double DefaultPoints = 8.25;

// Sizes are points drawn at 96 dots per inch, whatever the screen says.
inline QFont tahoma(double points = DefaultPoints, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(static_cast<int>(std::nearbyint(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

inline void setUp(QDialog* window, const QString& name, const QString& caption)
{
    window->setObjectName(name);
    window->setWindowTitle(caption);
    window->setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    window->setFont(tahoma());
}

inline QPushButton* pushButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace LibraryWindow
