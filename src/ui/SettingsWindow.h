#pragma once

#include "ui/WindowFont.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>

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

// The system's 48-pixel message icon (question, information...) beside a small window's question.
inline QLabel* iconLabel(QWidget* parent, QStyle::StandardPixmap icon)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Image1"));
    label->setPixmap(parent->style()->standardIcon(icon).pixmap(48, 48));
    return label;
}

// The read-only list the registers, the towns and the chimes are chosen from: whole rows, one at a
// time, no wrapping, the last column filling the width. Every row is as tall as the font, so the
// view need not measure thousands of rows.
inline QTableView* listGrid(QWidget* parent, QAbstractItemModel* model)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

} // namespace SettingsWindow
