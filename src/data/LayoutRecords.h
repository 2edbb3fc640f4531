#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The fixed 50-row record of a layout table: which element each row holds, which canvas control
// stands for it, and which columns a load reads and a save writes. The loader, the save, the copy,
// the clear and the seed all walk this one table; the row order is written nowhere else.
namespace LayoutRecords {

inline constexpr int RowCount = 50;
inline constexpr int ElementCount = 48;

// The fixed size of the weather element, in twips; no layout row carries it.
inline constexpr float WeatherWidth = 6760.0f;
inline constexpr float WeatherHeight = 5055.0f;

enum class RowKind {
    Text,             // rows 1-32 and 41-44: labels
    Picture,          // rows 33-40, 45, 47: photos, images, video
    Weather,          // row 46: picture of fixed size
    BackgroundImage,  // row 48: path of the screen's background picture
    ScrollingText,    // row 49: a label whose save leaves Testo, Allineamento and transparency alone
    BackgroundColour, // row 50: colour of the whole screen
};

enum class CanvasControl { Text1, Command2, Text9, IM1, WB1, MP1, BackgroundPicture, Text2, BackgroundColour };

struct Row {
    int number;       // 1 .. 50, position in stored order
    const char* name; // element list entry ("Numero1"), or the seed's name of a screen value row
    RowKind kind;
    CanvasControl control;
    int index;              // index within the control array, 0 for single controls
    int listPosition;       // position in the designer's element list, -1 for the two screen value rows
    const char* designText; // what the element shows at design time (text elements only)
};

// The 50 rows in stored order.
const std::array<Row, RowCount>& rows();

// The row shown at position p (0 .. 47) of the designer's element list.
const Row& atListPosition(int position);

// The row of an element control (control array and index); nullptr for a control or index that
// stands for no element.
const Row* find(CanvasControl control, int index);

// The sixteen columns of every layout table, in the order copy and clear write them.
const QStringList& columns();

// Columns that loading a row of this kind reads, in the order they are applied; and the columns
// the designer's save writes.
const QStringList& loadedColumns(RowKind kind);
const QStringList& savedColumns(RowKind kind);

// Whether this row may hold Null in this column (Testo of rows 1-32 and 49, PercorsoImmagine of
// row 48, ColoreSfondo of row 50). Every other column a row uses holds a value.
bool allowsNull(const Row& row, const QString& column);

} // namespace LayoutRecords

// 0 gives "LayoutBase", 1 .. 10 give "Layout1" .. "Layout10".
QString LayoutTableName(int number);
