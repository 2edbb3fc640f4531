#pragma once

#include <optional>

class Form1;

// Everything opening a layout does before the designer shows: reads and checks the designer's
// table, then sizes the designer for `resolution` (0, 1, 2 for 1024 x 768, 1366 x 768,
// 1920 x 1080; none keeps the designer's own size), puts rows 1 to 49 and the background colour
// on it and sets its caption. A table that cannot be shown (missing, fewer than 50 rows, a value
// the designer cannot take) raises StoreError before anything is put on the designer; nothing is
// written.
void ApplyLayoutToDesigner(Form1& designer, std::optional<int> resolution);
