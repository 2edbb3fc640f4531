
#include "designer/ApplyLayoutToDesigner.h"

#include "data/LayoutTableReader.h"
#include "designer/Form1.h"
#include "designer/OpenDesigner.h"
#include "designer/document/StoredElement.h"

#include <QLabel>
#include <QPixmap>
#include <array>

namespace {

struct DisplaySize {
    float width;
    float height;
};

// The designer's outer size in twips for resolution buttons 0, 1, 2 of the main menu: 1024 x 768,
// 1366 x 768 and 1920 x 1080 display pixels at 15 twips each.
constexpr std::array<DisplaySize, 3> DisplaySizes{{{15360.0f, 11520.0f}, {20490.0f, 11520.0f}, {28800.0f, 16200.0f}}};

// A path that names no readable picture keeps the picture the designer has; the path is still
// what the layout holds, so it goes into Label2 for the save to write back.
void applyBackgroundImage(Form1& designer, const LayoutElement& row)
{
    if (!row.percorsoImmagine) {
        designer.setBackgroundPicture(QPixmap());
        return;
    }
    QPixmap picture;
    if (picture.load(*row.percorsoImmagine))
        designer.setBackgroundPicture(picture);
    designer.setBackgroundPath(*row.percorsoImmagine);
}

} // namespace

void ApplyLayoutToDesigner(Form1& designer, std::optional<int> resolution)
{
    const QString table = designer.DesignerTable();
    const LayoutTableReader::Rows rows = LayoutTableReader(designer.store(), table).read();

    if (resolution && *resolution >= 0 && *resolution < static_cast<int>(DisplaySizes.size())) {
        const DisplaySize& size = DisplaySizes[static_cast<std::size_t>(*resolution)];
        designer.setSizeTwips(size.width, size.height);
    }

    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        const LayoutElement& stored = rows[static_cast<std::size_t>(row.number - 1)];
        switch (row.kind) {
        case LayoutRecords::RowKind::BackgroundImage:
            applyBackgroundImage(designer, stored);
            break;
        case LayoutRecords::RowKind::BackgroundColour:
            designer.setBackgroundColour(stored.coloreSfondo.value_or(0));
            break;
        default: {
            ElementData data = designer.elementData(row.control, row.index);
            applyStoredRow(stored, row.kind, data);
            designer.setElementData(row.control, row.index, data);
            break;
        }
        }
    }

    designer.setWindowTitle(QStringLiteral("Impostazione Modulo : ") + table);
    designer.setDesignerTable(table);
}

void OpenDesigner(Store& store, const QString& table, std::optional<int> resolution, QWidget* parent)
{
    Form1 designer(store, table, parent);
    ApplyLayoutToDesigner(designer, resolution);
    designer.exec();
}
