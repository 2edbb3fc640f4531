#pragma once

#include <optional>

class FileDialogs;
class QWidget;
class Store;

// The way into the layout library: shows the layout chooser modally over `parent` until it is
// closed. `resolution` is the main menu's resolution choice (0, 1, 2, or none) for the designer;
// `dialogs` picks the files of a layout's export and import (the system's dialogs when null).
void OpenLayoutChooser(Store& store, std::optional<int> resolution, QWidget* parent, FileDialogs* dialogs = nullptr);
