#pragma once

#include "data/LayoutNames.h"

#include <QString>

class Store;

// One layout in a small file of its own (a zip with a manifest) to carry it to another layout
// number, another program folder or another office: its fifty rows exactly as stored, its name
// and description, and its background picture when it has one.
namespace LayoutFile {

inline constexpr const char* Suffix = "tnl";

// Writes layout `layout` (0 for the base layout, 1 .. 10) to `path`, replacing the file there only
// with a complete one. Other pictures the rows name are listed in the manifest, not carried.
// Throws StoreError.
void save(Store& store, int layout, const QString& path);

// Reads the file at `path`, checks every row as a load into the designer would, and writes it over
// layout `target` (1 .. 10; never the base layout) with its name and description, in one
// transaction. A background picture the file carries keeps its path when that path holds the same
// picture; otherwise it is put in the program folder's "Sfondi" folder and the layout names it
// there. A name that is only the caption of the exported layout's number ("Layout 3") becomes
// that of `target`. Returns the name and description written. Throws StoreError, having changed
// nothing.
LayoutNames::Entry load(Store& store, const QString& path, int target);

} // namespace LayoutFile
