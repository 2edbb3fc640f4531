#include "designer/properties/PropertyGroups.h"

#include "designer/tools/CRect.h"
#include "designer/tools/DragResizeEngine.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace PropertyGroups {

namespace {

constexpr int FirstPhoto = 32;
constexpr int FirstTitle = 40;
constexpr int VideoPosition = 44;
constexpr int WeatherPosition = 45;
constexpr int ImagesPosition = 46;
constexpr int ScrollingTextPosition = 47;

// The largest pixel value whose size in twips still fits a 32-bit integer.
constexpr qulonglong MaxPixels = std::numeric_limits<std::int32_t>::max() / 15;
constexpr qlonglong MaxColour = 0xFFFFFFFFLL;

struct Named {
    Group group;
    const char* title;
};

// In the order apply compares the title.
constexpr std::array<Named, 13> Titles{{
    {Group::Numeri, "Numeri"},
    {Group::Postazione, "Postazione"},
    {Group::Utente, "Utente"},
    {Group::Stato, "Stato"},
    {Group::Foto, "Foto"},
    {Group::Titolo, "Titolo"},
    {Group::SottoTitolo, "SottoTitolo"},
    {Group::Data, "Data"},
    {Group::Orario, "Orario"},
    {Group::TestoScorrevole, "Testo Scorrevole"},
    {Group::Video, "Video"},
    {Group::Immagini, "Immagini"},
    {Group::BackgroundColour, "Colore Sfondo Schermata"},
}};

bool isCounterRow(Group group)
{
    return group == Group::Numeri || group == Group::Postazione || group == Group::Utente || group == Group::Stato;
}

std::optional<float> fontSizeOf(QString text)
{
    bool ok = false;
    const float value = text.replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(value) || value <= 0.0f || value > 2048.0f)
        return std::nullopt;
    return value;
}

std::optional<std::uint32_t> colourOf(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > MaxColour)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

// Pixel fields hold digits only; an empty one has already become "0".
std::optional<float> pixelsToTwips(const QString& text)
{
    bool ok = false;
    const qulonglong pixels = text.toULongLong(&ok);
    if (!ok || pixels > MaxPixels)
        return std::nullopt;
    return static_cast<float>(pixels * 15);
}

Outcome refused(const QString& message)
{
    Outcome outcome;
    outcome.kind = Outcome::Refused;
    outcome.message = message;
    return outcome;
}

std::int16_t alignmentOf(int button, std::int16_t current)
{
    switch (button) {
    case 0:
        return ElementData::Left;
    case 1:
        return ElementData::Centre;
    case 2:
        return ElementData::Right;
    default:
        return current;
    }
}

int buttonOf(std::int16_t alignment)
{
    switch (alignment) {
    case ElementData::Left:
        return 0;
    case ElementData::Centre:
        return 1;
    case ElementData::Right:
        return 2;
    default:
        return -1;
    }
}

} // namespace

QString title(Group group)
{
    for (const Named& named : Titles) {
        if (named.group == group)
            return QString::fromLatin1(named.title);
    }
    return {};
}

std::optional<Group> groupOfTitle(const QString& text)
{
    for (const Named& named : Titles) {
        if (text == QLatin1String(named.title))
            return named.group;
    }
    return std::nullopt;
}

std::optional<Group> groupAt(int position)
{
    if (position >= 0 && position < FirstPhoto) {
        constexpr std::array<Group, 4> Rows{Group::Numeri, Group::Postazione, Group::Utente, Group::Stato};
        return Rows[static_cast<std::size_t>(position % 4)];
    }
    if (position >= FirstPhoto && position < FirstTitle)
        return Group::Foto;
    if (position >= FirstTitle && position < VideoPosition) {
        constexpr std::array<Group, 4> Titled{Group::Titolo, Group::SottoTitolo, Group::Data, Group::Orario};
        return Titled[static_cast<std::size_t>(position - FirstTitle)];
    }
    switch (position) {
    case VideoPosition:
        return Group::Video;
    case ImagesPosition:
        return Group::Immagini;
    case ScrollingTextPosition:
        return Group::TestoScorrevole;
    case WeatherPosition:
    default:
        return std::nullopt;
    }
}

std::vector<int> members(Group group)
{
    std::vector<int> positions;
    if (isCounterRow(group)) {
        const int row = static_cast<int>(group) - static_cast<int>(Group::Numeri);
        for (int counter = 0; counter < 8; ++counter)
            positions.push_back(4 * counter + row);
        return positions;
    }
    switch (group) {
    case Group::Foto:
        for (int photo = 0; photo < 8; ++photo)
            positions.push_back(FirstPhoto + photo);
        break;
    case Group::Titolo:
        positions.push_back(FirstTitle);
        break;
    case Group::SottoTitolo:
        positions.push_back(FirstTitle + 1);
        break;
    case Group::Data:
        positions.push_back(FirstTitle + 2);
        break;
    case Group::Orario:
        positions.push_back(FirstTitle + 3);
        break;
    case Group::TestoScorrevole:
        positions.push_back(ScrollingTextPosition);
        break;
    case Group::Video:
        positions.push_back(VideoPosition);
        break;
    case Group::Immagini:
        positions.push_back(ImagesPosition);
        break;
    default:
        break;
    }
    return positions;
}

Applies applies(Group group)
{
    Applies what;
    if (group == Group::BackgroundColour) {
        what.backgroundColour = true;
        return what;
    }
    what.size = true;
    const bool picture = group == Group::Foto || group == Group::Video || group == Group::Immagini;
    what.look = !picture;
    what.transparency = !picture;
    what.commonLeft = isCounterRow(group) || group == Group::Foto;
    what.workstationTexts = group == Group::Postazione;
    what.titleText = group == Group::Titolo || group == Group::SottoTitolo;
    return what;
}

Profile profile(Group group)
{
    Profile shown;
    shown.sameLeftShown = isCounterRow(group) || group == Group::Foto;
    shown.passesLeft = shown.sameLeftShown;
    shown.lookDisabled = group == Group::Foto || group == Group::Video || group == Group::Immagini;
    shown.alignmentDisabled = group == Group::TestoScorrevole;
    shown.textEnabled = group == Group::Titolo || group == Group::SottoTitolo;
    shown.backgroundColourMode = group == Group::BackgroundColour;
    shown.windowHeight = group == Group::Postazione ? Profile::TallHeight : Profile::DesignHeight;
    return shown;
}

QString floatText(float value)
{
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return QString::fromLatin1(buffer.data(), static_cast<qsizetype>(result.ptr - buffer.data()));
}

Fields preset(Group group, int position, const LayoutDocument::Elements& elements)
{
    Fields fields;
    const ElementData& element = elements.at(static_cast<std::size_t>(position));
    const Profile shown = profile(group);
    fields.lookEnabled = !shown.lookDisabled;
    if (applies(group).look) {
        fields.fontName = element.fontName;
        fields.fontSize = floatText(element.fontPoints);
        fields.bold = element.bold;
        fields.italic = element.italic;
        fields.backColour = QString::number(element.backColour);
        fields.foreColour = QString::number(element.foreColour);
        fields.alignmentButton = buttonOf(element.alignment);
        fields.transparent = element.transparent;
    }
    std::int32_t pixelHeight = nearestInt32(element.height);
    std::int32_t pixelWidth = nearestInt32(element.width);
    TwipsToPixelsFixed(pixelHeight, pixelWidth);
    fields.pixelHeight = QString::number(pixelHeight);
    fields.pixelWidth = QString::number(pixelWidth);
    if (shown.textEnabled)
        fields.text = element.text;
    if (shown.passesLeft)
        fields.left = floatText(element.left);
    if (group == Group::Postazione) {
        for (std::size_t k = 0; k < fields.workstations.size(); ++k)
            fields.workstations[k] = elements.at(4 * k + 1).text;
    }
    return fields;
}

Fields presetBackgroundColour(std::uint32_t colour)
{
    Fields fields;
    fields.backColour = QString::number(colour);
    return fields;
}

bool complete(Group group, const Fields& fields)
{
    return !fields.lookEnabled || group == Group::BackgroundColour ||
           !(fields.fontName.isEmpty() || fields.fontSize.isEmpty() || fields.backColour.isEmpty() ||
             fields.foreColour.isEmpty());
}

Outcome apply(Group group, const Fields& fields, const LayoutDocument::Elements& elements)
{
    if (!complete(group, fields))
        return {};

    const Applies what = applies(group);
    Outcome outcome;
    if (what.backgroundColour) {
        if (fields.backColour.isEmpty())
            return outcome;
        const std::optional<std::uint32_t> colour = colourOf(fields.backColour);
        if (!colour)
            return refused(QStringLiteral("Colore Sfondo: inserire un numero intero da 0 a 4294967295."));
        outcome.kind = Outcome::Background;
        outcome.colour = *colour;
        return outcome;
    }

    const std::optional<float> height = pixelsToTwips(fields.pixelHeight);
    if (!height)
        return refused(QStringLiteral("Altezza pixel: il valore è troppo grande."));
    const std::optional<float> width = pixelsToTwips(fields.pixelWidth);
    if (!width)
        return refused(QStringLiteral("Larghezza pixel: il valore è troppo grande."));

    std::optional<float> fontSize;
    std::optional<std::uint32_t> backColour;
    std::optional<std::uint32_t> foreColour;
    if (what.look) {
        fontSize = fontSizeOf(fields.fontSize);
        if (!fontSize)
            return refused(QStringLiteral("Dimensione del font: inserire un numero maggiore di zero."));
        backColour = colourOf(fields.backColour);
        if (!backColour)
            return refused(QStringLiteral("Colore Sfondo: inserire un numero intero da 0 a 4294967295."));
        foreColour = colourOf(fields.foreColour);
        if (!foreColour)
            return refused(QStringLiteral("Colore Testo: inserire un numero intero da 0 a 4294967295."));
    }
    bool leftOk = false;
    const float left = fields.left.toFloat(&leftOk);

    outcome.kind = Outcome::Elements;
    for (const int position : members(group)) {
        ElementData element = elements.at(static_cast<std::size_t>(position));
        if (what.look) {
            element.fontName = fields.fontName;
            element.fontPoints = *fontSize;
            element.bold = fields.bold;
            element.italic = fields.italic;
            element.backColour = *backColour;
            element.foreColour = *foreColour;
            element.alignment = alignmentOf(fields.alignmentButton, element.alignment);
        }
        element.height = *height;
        element.width = *width;
        if (what.transparency)
            element.transparent = fields.transparent;
        if (what.commonLeft && fields.sameLeft && leftOk)
            element.left = left;
        if (what.titleText)
            element.text = fields.text;
        outcome.records.emplace_back(position, element);
    }
    if (what.workstationTexts) {
        for (std::size_t k = 0; k < fields.workstations.size(); ++k) {
            const QString& typed = fields.workstations[k];
            // Each workstation record is already in the list; its text goes onto it.
            outcome.records[k].second.text = typed.isEmpty() ? QStringLiteral("Postazione %1").arg(k + 1) : typed;
        }
    }
    return outcome;
}

} // namespace PropertyGroups
