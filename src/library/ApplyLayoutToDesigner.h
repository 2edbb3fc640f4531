#pragma once

class Form1;
class QWidget;

// Shows the layout table named by CurrentLayoutTable in the designer, at the resolution selected in
// the main menu, and returns when the designer has been closed. "LayoutBase" opens read-only.
// A table that cannot be shown (missing, fewer than 50 rows, a value the designer cannot take)
// raises StoreError before the designer appears; nothing is written.
void ApplyLayoutToDesigner(QWidget* parent = nullptr);

// Everything ApplyLayoutToDesigner does before it shows the designer: reads and checks the table
// named by CurrentLayoutTable, then sizes `designer`, puts rows 1 to 49 and the background colour
// on it, sets its caption and DesignerTable. On StoreError the designer is left untouched.
void LoadLayoutIntoDesigner(Form1& designer);
