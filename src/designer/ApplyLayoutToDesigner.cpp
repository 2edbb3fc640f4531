
#include "designer/ApplyLayoutToDesigner.h"

#include "data/LayoutTableReader.h"
#include "designer/Form1.h"
#include "designer/OpenDesigner.h"
#include "designer/document/StoredElement.h"

#include <array>

namespace {

struct DisplaySize {
    float width;
    float height;
};

// The designer's outer size in twips for resolution buttons 0, 1, 2 of the main menu: 1024 x 768,
// 1366 x 768 and 1920 x 1080 display pixels at 15 twips each.
constexpr std::array<DisplaySize, 3> DisplaySizes{{{15360.0f, 11520.0f}, {20490.0f, 11520.0f}, {28800.0f, 16200.0f}}};

} // namespace

void ApplyLayoutToDesigner(Form1& designer, std::optional<int> resolution)
{
    const QString table = designer.DesignerTable();
    const LayoutTableReader::Rows rows = LayoutTableReader(designer.store(), table).read();

    if (resolution && *resolution >= 0 && *resolution < static_cast<int>(DisplaySizes.size())) {
        const DisplaySize& size = DisplaySizes[static_cast<std::size_t>(*resolution)];
        designer.setSizeTwips(size.width, size.height);
    }

    // Values no row feeds (the weather element's size) stay as the designer has them. The designer
    // loads the background picture from the path; one that gives no picture keeps the old one.
    LayoutDocument::Elements elements = designer.document().elements();
    std::uint32_t backgroundColour = 0;
    std::optional<QString> backgroundPicture;
    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        const LayoutElement& stored = rows[static_cast<std::size_t>(row.number - 1)];
        switch (row.kind) {
        case LayoutRecords::RowKind::BackgroundImage:
            backgroundPicture = stored.percorsoImmagine;
            break;
        case LayoutRecords::RowKind::BackgroundColour:
            backgroundColour = stored.coloreSfondo.value_or(0);
            break;
        default:
            applyStoredRow(stored, row.kind, elements[static_cast<std::size_t>(row.listPosition)]);
            break;
        }
    }
    designer.document().load(elements, backgroundColour, backgroundPicture);

    designer.setWindowTitle(QStringLiteral("Impostazione Modulo : ") + table);
    designer.setDesignerTable(table);
}

void OpenDesigner(Store& store, const QString& table, std::optional<int> resolution, QWidget* parent)
{
    Form1 designer(store, table, parent);
    ApplyLayoutToDesigner(designer, resolution);
    designer.exec();
}
