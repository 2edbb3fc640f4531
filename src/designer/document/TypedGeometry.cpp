#include "designer/document/TypedGeometry.h"

#include "platform/Twips.h"

#include <array>
#include <cstdlib>

namespace {

// Far past any display; keeps a slip of the finger from sending an element out of reach.
constexpr int MaxPixels = 99999;

QString refusalFor(const QString& text, int field, bool number, int pixels)
{
    if (text.isEmpty())
        return QStringLiteral("Posizione non valida: manca un valore.");
    if (!number)
        return QStringLiteral("Posizione non valida: \"%1\" non è un numero intero di pixel.").arg(text);
    if (field >= 2 && pixels < 0)
        return QStringLiteral("Posizione non valida: larghezza e altezza non possono essere negative.");
    if (std::abs(pixels) > MaxPixels)
        return QStringLiteral("Posizione non valida: %1 pixel sono troppi.").arg(pixels);
    return {};
}

} // namespace

TypedGeometry readTypedGeometry(const QStringList& typed, const ElementGeometry& now)
{
    const std::array<float, 4> shown{now.left, now.top, now.width, now.height};
    std::array<float, 4> values{};
    for (int field = 0; field < 4; ++field) {
        const QString text = typed.value(field).trimmed();
        bool number = false;
        const int pixels = text.toInt(&number);
        const QString refusal = refusalFor(text, field, number, pixels);
        if (!refusal.isEmpty())
            return {std::nullopt, refusal, field};
        const float before = shown[static_cast<std::size_t>(field)];
        values[static_cast<std::size_t>(field)] =
            pixels == Twips::toPixels(before) ? before : Twips::fromPixels(pixels);
    }
    return {ElementGeometry{values[0], values[1], values[2], values[3]}, {}, -1};
}
