#pragma once

#include <QString>
#include <QStringList>

// The name the operator types for a new playlist file, checked before anything is written. The file lies in
// the program folder and the display program opens it on Windows, so the rules are Windows' rules on every
// platform.
namespace PlaylistFileName {

// The longest name, extension included: the rest of a Windows path is left to the program folder.
inline constexpr int MaxLength = 100;

// name with extension (".tni", ".tnv") appended, unless its last four characters already are the extension
// in any case: "ABC" gives "ABC.tni", "ABC.TNI" stays as it is.
QString withExtension(const QString& name, const QString& extension);

// Why name cannot be a file name in the program folder, as lines for the message window; empty when it can.
// An empty name is not checked here: the dialog has its own message for it.
QStringList problem(const QString& name);

} // namespace PlaylistFileName
