#include "designer/document/StoredElement.h"

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
