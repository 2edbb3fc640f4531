#pragma once

#include <functional>

class FileDialogs;
class QWidget;
class Store;

// The main menu's backup and restore of every setting: the operator picks the file in the
// system's dialog and reads how it went in the message window, whatever happens.
namespace SettingsCommands {

// Asks where to write the copy, writes it and says what it holds.
void backup(Store& store, FileDialogs& dialogs, QWidget* parent);

// Asks for the copy, checks it whole, asks for confirmation with the copy's date, keeps a copy of
// the present settings in the Backup folder and restores. Nothing changes unless the operator
// confirms and the copy passed every check. `showRestored` runs once the settings have changed,
// before the message says so, so that the window behind it already shows them.
void restore(Store& store, FileDialogs& dialogs, QWidget* parent, const std::function<void()>& showRestored);

} // namespace SettingsCommands
