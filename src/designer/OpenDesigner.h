#pragma once

#include <QString>
#include <optional>

class QWidget;
class Store;

// The way into the designer: shows layout table `table` ("LayoutBase" read-only, "Layout1" ..
// "Layout10") at `resolution` (0, 1, 2, or none) modally over `parent` and returns when the
// designer has been closed. A table that cannot be shown raises StoreError before the designer
// appears; nothing is written.
void OpenDesigner(Store& store, const QString& table, std::optional<int> resolution, QWidget* parent = nullptr);
