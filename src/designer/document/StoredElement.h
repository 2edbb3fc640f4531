#pragma once

#include "data/LayoutElement.h"
#include "data/LayoutRecords.h"
#include "data/LayoutTableWriter.h"
#include "designer/document/ElementData.h"

#include <QString>

class LayoutDocument;

// Puts the columns that loading a row of `kind` reads onto a canvas element; everything else of
// the element stays as it was (the weather element keeps its fixed size). A Null Testo shows as
// empty text. Screen value rows (background image, background colour) change nothing here.
void applyStoredRow(const LayoutElement& row, LayoutRecords::RowKind kind, ElementData& element);

// The fifty rows a save writes: each element's values (the writer takes the columns its kind
// saves), `backgroundPath` as the background image row's path and the document's background colour
// in the last row. An element's text is written as text even when empty, never as Null.
LayoutTableWriter::Rows storedRows(const LayoutDocument& document, const QString& backgroundPath);
