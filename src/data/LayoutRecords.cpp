#include "data/LayoutRecords.h"

namespace LayoutRecords {

namespace {

using K = RowKind;
using C = CanvasControl;

constexpr std::array<Row, RowCount> AllRows{{
    {1, "Numero1", K::Text, C::Text1, 0, 0, "0"},
    {2, "Postazione1", K::Text, C::Text1, 1, 1, "Postazione 1"},
    {3, "Utente1", K::Text, C::Text1, 2, 2, "Utente 1"},
    {4, "Stato1", K::Text, C::Text1, 3, 3, "Stato...1"},
    {5, "Numero2", K::Text, C::Text1, 4, 4, "0"},
    {6, "Postazione2", K::Text, C::Text1, 5, 5, "Postazione 2"},
    {7, "Utente2", K::Text, C::Text1, 6, 6, "Utente 2"},
    {8, "Stato2", K::Text, C::Text1, 7, 7, "Stato...2"},
    {9, "Numero3", K::Text, C::Text1, 8, 8, "0"},
    {10, "Postazione3", K::Text, C::Text1, 9, 9, "Postazione 3"},
    {11, "Utente3", K::Text, C::Text1, 10, 10, "Utente 3"},
    {12, "Stato3", K::Text, C::Text1, 11, 11, "Stato...3"},
    {13, "Numero4", K::Text, C::Text1, 12, 12, "0"},
    {14, "Postazione4", K::Text, C::Text1, 13, 13, "Postazione 4"},
    {15, "Utente4", K::Text, C::Text1, 14, 14, "Utente 4"},
    {16, "Stato4", K::Text, C::Text1, 15, 15, "Stato...4"},
    {17, "Numero5", K::Text, C::Text1, 16, 16, "0"},
    {18, "Postazione5", K::Text, C::Text1, 17, 17, "Postazione 5"},
    {19, "Utente5", K::Text, C::Text1, 18, 18, "Utente 5"},
    {20, "Stato5", K::Text, C::Text1, 19, 19, "Stato...5"},
    {21, "Numero6", K::Text, C::Text1, 20, 20, "0"},
    {22, "Postazione6", K::Text, C::Text1, 21, 21, "Postazione 6"},
    {23, "Utente6", K::Text, C::Text1, 22, 22, "Utente 6"},
    {24, "Stato6", K::Text, C::Text1, 23, 23, "Stato...6"},
    {25, "Numero7", K::Text, C::Text1, 24, 24, "0"},
    {26, "Postazione7", K::Text, C::Text1, 25, 25, "Postazione 7"},
    {27, "Utente7", K::Text, C::Text1, 26, 26, "Utente 7"},
    {28, "Stato7", K::Text, C::Text1, 27, 27, "Stato...7"},
    {29, "Numero8", K::Text, C::Text1, 28, 28, "0"},
    {30, "Postazione8", K::Text, C::Text1, 29, 29, "Postazione 8"},
    {31, "Utente8", K::Text, C::Text1, 30, 30, "Utente 8"},
    {32, "Stato8", K::Text, C::Text1, 31, 31, "Stato...8"},
    {33, "Foto1", K::Picture, C::Command2, 0, 32, ""},
    {34, "Foto2", K::Picture, C::Command2, 1, 33, ""},
    {35, "Foto3", K::Picture, C::Command2, 2, 34, ""},
    {36, "Foto4", K::Picture, C::Command2, 3, 35, ""},
    {37, "Foto5", K::Picture, C::Command2, 4, 36, ""},
    {38, "Foto6", K::Picture, C::Command2, 5, 37, ""},
    {39, "Foto7", K::Picture, C::Command2, 6, 38, ""},
    {40, "Foto8", K::Picture, C::Command2, 7, 39, ""},
    {41, "Titolo", K::Text, C::Text9, 0, 40, "Titolo della Schermata"},
    {42, "Sottotitolo", K::Text, C::Text9, 1, 41, "Sottotitolo della Schermata"},
    {43, "Data", K::Text, C::Text9, 2, 42, "Giovedi 29 Settembre 2011"},
    {44, "Ora", K::Text, C::Text9, 3, 43, "20:45"},
    {45, "Immagini", K::Picture, C::IM1, 0, 46, ""},
    {46, "Meteo", K::Weather, C::WB1, 0, 45, ""},
    {47, "Video", K::Picture, C::MP1, 0, 44, ""},
    {48, "ImmagineSfondo", K::BackgroundImage, C::BackgroundPicture, 0, -1, ""},
    {49, "TestoScorrevole", K::ScrollingText, C::Text2, 0, 47, "Testo scorrevole"},
    {50, "ColoreSfondo", K::BackgroundColour, C::BackgroundColour, 0, -1, ""},
}};

std::array<const Row*, ElementCount> makeListOrder()
{
    std::array<const Row*, ElementCount> order{};
    for (const Row& row : AllRows) {
        if (row.listPosition >= 0)
            order[static_cast<std::size_t>(row.listPosition)] = &row;
    }
    return order;
}

} // namespace

const std::array<Row, RowCount>& rows()
{
    return AllRows;
}

const Row& atListPosition(int position)
{
    static const std::array<const Row*, ElementCount> order = makeListOrder();
    return *order.at(static_cast<std::size_t>(position));
}

const Row* find(CanvasControl control, int index)
{
    for (const Row& row : AllRows) {
        if (row.control == control && row.index == index && row.listPosition >= 0)
            return &row;
    }
    return nullptr;
}

const QStringList& columns()
{
    static const QStringList all =
        QStringLiteral("DescCampo Top Left Testo NomeFont DimFont FontBold FontItalic ColoreSfondo ColoreTesto "
                       "Allineamento Altezza Larghezza Visibile PercorsoImmagine SfondoTestoTrasparente")
            .split(QLatin1Char(' '));
    return all;
}

const QStringList& loadedColumns(RowKind kind)
{
    static const QStringList text =
        QStringLiteral("SfondoTestoTrasparente Top Left Testo NomeFont DimFont FontBold FontItalic ColoreSfondo "
                       "ColoreTesto Allineamento Altezza Larghezza Visibile")
            .split(QLatin1Char(' '));
    static const QStringList picture{"Top", "Left", "Altezza", "Larghezza", "Visibile"};
    static const QStringList weather{"Top", "Left", "Visibile"};
    static const QStringList backgroundImage{"PercorsoImmagine"};
    static const QStringList backgroundColour{"ColoreSfondo"};
    switch (kind) {
    case RowKind::Text:
    case RowKind::ScrollingText:
        return text;
    case RowKind::Picture:
        return picture;
    case RowKind::Weather:
        return weather;
    case RowKind::BackgroundImage:
        return backgroundImage;
    case RowKind::BackgroundColour:
        return backgroundColour;
    }
    return text;
}

const QStringList& savedColumns(RowKind kind)
{
    static const QStringList text =
        QStringLiteral("Top Left Testo NomeFont DimFont FontBold FontItalic ColoreSfondo ColoreTesto Allineamento "
                       "Altezza Larghezza Visibile SfondoTestoTrasparente")
            .split(QLatin1Char(' '));
    static const QStringList scrolling{"Top",          "Left",        "NomeFont", "DimFont",   "FontBold", "FontItalic",
                                       "ColoreSfondo", "ColoreTesto", "Altezza",  "Larghezza", "Visibile"};
    if (kind == RowKind::Text)
        return text;
    if (kind == RowKind::ScrollingText)
        return scrolling;
    return loadedColumns(kind);
}

bool allowsNull(const Row& row, const QString& column)
{
    const auto is = [&](const char* name) { return column.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("Testo"))
        return row.control == CanvasControl::Text1 || row.kind == RowKind::ScrollingText;
    if (is("PercorsoImmagine"))
        return row.kind == RowKind::BackgroundImage;
    if (is("ColoreSfondo"))
        return row.kind == RowKind::BackgroundColour;
    return false;
}

} // namespace LayoutRecords

QString LayoutTableName(int number)
{
    return number == 0 ? QStringLiteral("LayoutBase") : QStringLiteral("Layout%1").arg(number);
}
