#include "designer/document/StoredElement.h"

#include "designer/document/LayoutDocument.h"

void applyStoredRow(const LayoutElement& row, LayoutRecords::RowKind kind, ElementData& element)
{
    using LayoutRecords::RowKind;
    switch (kind) {
    case RowKind::Text:
    case RowKind::ScrollingText:
        element.transparent = row.sfondoTestoTrasparente;
        element.text = row.testo.value_or(QString());
        element.fontName = row.nomeFont;
        element.fontPoints = row.dimFont;
        element.bold = row.fontBold;
        element.italic = row.fontItalic;
        element.backColour = row.coloreSfondo.value_or(0);
        element.foreColour = row.coloreTesto;
        element.alignment = row.allineamento;
        element.height = row.altezza;
        element.width = row.larghezza;
        break;
    case RowKind::Picture:
        element.height = row.altezza;
        element.width = row.larghezza;
        break;
    case RowKind::Weather:
        break;
    case RowKind::BackgroundImage:
    case RowKind::BackgroundColour:
        return;
    }
    element.top = row.top;
    element.left = row.left;
    element.visible = row.visibile;
}

namespace {

LayoutElement storedElement(const ElementData& element)
{
    LayoutElement row;
    row.top = element.top;
    row.left = element.left;
    // A null QString would reach the table as Null; the caption of a label is text, if empty.
    row.testo = element.text.isNull() ? QStringLiteral("") : element.text;
    row.nomeFont = element.fontName;
    row.dimFont = element.fontPoints;
    row.fontBold = element.bold;
    row.fontItalic = element.italic;
    row.coloreSfondo = element.backColour;
    row.coloreTesto = element.foreColour;
    row.allineamento = element.alignment;
    row.altezza = element.height;
    row.larghezza = element.width;
    row.visibile = element.visible;
    row.sfondoTestoTrasparente = element.transparent;
    return row;
}

} // namespace

LayoutTableWriter::Rows storedRows(const LayoutDocument& document, const QString& backgroundPath)
{
    LayoutTableWriter::Rows rows{};
    for (const LayoutRecords::Row& row : LayoutRecords::rows()) {
        LayoutElement& stored = rows[static_cast<std::size_t>(row.number - 1)];
        switch (row.kind) {
        case LayoutRecords::RowKind::BackgroundImage:
            stored.percorsoImmagine = backgroundPath;
            break;
        case LayoutRecords::RowKind::BackgroundColour:
            stored.coloreSfondo = document.backgroundColour();
            break;
        default:
            stored = storedElement(document.element(row.listPosition));
            break;
        }
        stored.descCampo = QString::fromUtf8(row.name);
    }
    return rows;
}
