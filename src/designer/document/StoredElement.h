#pragma once

#include "data/LayoutElement.h"
#include "data/LayoutRecords.h"
#include "designer/document/ElementData.h"

// Puts the columns that loading a row of `kind` reads onto a canvas element; everything else of
// the element stays as it was (the weather element keeps its fixed size). A Null Testo shows as
// empty text. Screen value rows (background image, background colour) change nothing here.
void applyStoredRow(const LayoutElement& row, LayoutRecords::RowKind kind, ElementData& element);
