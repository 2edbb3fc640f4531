#include "data/seed/BaseLayoutDesign.h"

#include "data/JetValue.h"
#include "platform/Twips.h"

namespace {

using LayoutRecords::CanvasControl;
using LayoutRecords::Row;
using LayoutRecords::RowKind;

enum Alignment { Left = 0, Right = 1, Centre = 2 };

// Geometry is planned in whole pixels of the 1920 x 1080 screen and stored in twips.
struct Box {
    int left;
    int top;
    int width;
    int height;
};

struct Look {
    float points;
    bool bold;
    bool italic;
    std::uint32_t back;
    std::uint32_t fore;
    int alignment;
    bool transparent;
};

constexpr const char* FontName = "Arial";
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Amber = 0x0000CCFF;                     // counter numbers and the scrolling band
constexpr std::uint32_t PaleBlue = 0x00F0D2BE;                  // subtitle
constexpr std::uint32_t LineFill[2] = {0x00663820, 0x00552D16}; // alternate counter lines, as in a table

// The counter table: one line per counter, cells left to right.
constexpr int TableTop = 190;
constexpr int LinePitch = 90;
constexpr int LineHeight = 80;
constexpr Box PhotoCell{40, 0, 80, LineHeight};
constexpr Box Cells[4] = {{130, 0, 190, LineHeight},  // number
                          {330, 0, 250, LineHeight},  // workstation
                          {590, 0, 340, LineHeight},  // operator
                          {940, 0, 220, LineHeight}}; // status

// The right-hand column beside the table.
constexpr int SideLeft = 1200;
constexpr int SideWidth = 680;
constexpr Box VideoBox{SideLeft, TableTop, SideWidth, 383};
constexpr int LowerTop = 593;
constexpr Box ImagesBox{1670, LowerTop, 210, 337};

constexpr Box TitleBox{40, 20, 1300, 80};
constexpr Box SubtitleBox{40, 110, 1300, 50};
constexpr Box DateBox{1380, 25, 500, 50};
constexpr Box TimeBox{1380, 80, 500, 70};
constexpr Box ScrollingBox{0, 990, 1920, 70};
constexpr Box WholeScreen{0, 0, 1920, 1080};

Box lineBox(Box cell, int line)
{
    cell.top = TableTop + line * LinePitch;
    return cell;
}

Box boxOf(const Row& row)
{
    switch (row.control) {
    case CanvasControl::Text1:
        return lineBox(Cells[row.index % 4], row.index / 4);
    case CanvasControl::Command2:
        return lineBox(PhotoCell, row.index);
    case CanvasControl::Text9: {
        constexpr Box header[4] = {TitleBox, SubtitleBox, DateBox, TimeBox};
        return header[row.index];
    }
    case CanvasControl::IM1:
        return ImagesBox;
    case CanvasControl::WB1:
        // The width and height are the weather element's fixed size, set in twips below.
        return {SideLeft, LowerTop, 0, 0};
    case CanvasControl::MP1:
        return VideoBox;
    case CanvasControl::Text2:
        return ScrollingBox;
    case CanvasControl::BackgroundPicture:
    case CanvasControl::BackgroundColour:
        break;
    }
    return WholeScreen;
}

Look lookOf(const Row& row)
{
    // Sizes in points, drawn at 96 dpi: 36 pt is 48 px, 20 pt is 27 px, each well inside its box.
    if (row.control == CanvasControl::Text1) {
        const std::uint32_t fill = LineFill[(row.index / 4) % 2];
        switch (row.index % 4) {
        case 0:
            return {36.0f, true, false, fill, Amber, Centre, false};
        case 1:
            return {20.0f, true, false, fill, White, Centre, false};
        case 2:
            return {20.0f, false, false, fill, White, Centre, false};
        default:
            return {20.0f, false, true, fill, White, Centre, false};
        }
    }
    if (row.control == CanvasControl::Text9) {
        constexpr Look header[4] = {{36.0f, true, false, BaseLayoutDesign::ScreenColour, White, Left, true},
                                    {20.0f, false, true, BaseLayoutDesign::ScreenColour, PaleBlue, Left, true},
                                    {20.0f, false, false, BaseLayoutDesign::ScreenColour, White, Right, true},
                                    {32.0f, true, false, BaseLayoutDesign::ScreenColour, White, Right, true}};
        return header[row.index];
    }
    if (row.kind == RowKind::ScrollingText)
        return {28.0f, true, false, Amber, BaseLayoutDesign::ScreenColour, Left, false};
    // Rows without text still get plain values, so nothing that reads them meets a Null.
    return {12.0f, false, false, BaseLayoutDesign::ScreenColour, White, Left, false};
}

bool hasText(const Row& row)
{
    return row.kind == RowKind::Text || row.kind == RowKind::ScrollingText;
}

} // namespace

QVariantList BaseLayoutDesign::values(const Row& row)
{
    const Box box = boxOf(row);
    const Look look = lookOf(row);
    const bool weather = row.kind == RowKind::Weather;
    const float width = weather ? LayoutRecords::WeatherWidth : Twips::fromPixels(box.width);
    const float height = weather ? LayoutRecords::WeatherHeight : Twips::fromPixels(box.height);
    const std::uint32_t back = row.kind == RowKind::BackgroundColour ? ScreenColour : look.back;

    // In the order of LayoutRecords::columns().
    return {
        QString::fromLatin1(row.name),
        JetValue::single(Twips::fromPixels(box.top)),
        JetValue::single(Twips::fromPixels(box.left)),
        hasText(row) ? QVariant(QString::fromUtf8(row.designText)) : JetValue::null(),
        QString::fromLatin1(FontName),
        JetValue::single(look.points),
        JetValue::yesNo(look.bold),
        JetValue::yesNo(look.italic),
        JetValue::colour(back),
        JetValue::colour(look.fore),
        JetValue::integer16(look.alignment),
        JetValue::single(height),
        JetValue::single(width),
        JetValue::yesNo(true),
        JetValue::null(), // no background picture
        JetValue::yesNo(look.transparent),
    };
}
