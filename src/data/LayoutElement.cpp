#include "data/LayoutElement.h"

#include "data/JetValue.h"

#include <array>
#include <cmath>
#include <limits>
#include <variant>

namespace {

using Text = QString LayoutElement::*;
using OptionalText = std::optional<QString> LayoutElement::*;
using Single = float LayoutElement::*;
using YesNo = bool LayoutElement::*;
using Colour = std::uint32_t LayoutElement::*;
using OptionalColour = std::optional<std::uint32_t> LayoutElement::*;
using Alignment = std::int16_t LayoutElement::*;
using Field = std::variant<Text, OptionalText, Single, YesNo, Colour, OptionalColour, Alignment>;

struct Column {
    const char* name;
    Field field;
};

const std::array<Column, 16> Columns{{
    {"DescCampo", &LayoutElement::descCampo},
    {"Top", &LayoutElement::top},
    {"Left", &LayoutElement::left},
    {"Testo", &LayoutElement::testo},
    {"NomeFont", &LayoutElement::nomeFont},
    {"DimFont", &LayoutElement::dimFont},
    {"FontBold", &LayoutElement::fontBold},
    {"FontItalic", &LayoutElement::fontItalic},
    {"ColoreSfondo", &LayoutElement::coloreSfondo},
    {"ColoreTesto", &LayoutElement::coloreTesto},
    {"Allineamento", &LayoutElement::allineamento},
    {"Altezza", &LayoutElement::altezza},
    {"Larghezza", &LayoutElement::larghezza},
    {"Visibile", &LayoutElement::visibile},
    {"PercorsoImmagine", &LayoutElement::percorsoImmagine},
    {"SfondoTestoTrasparente", &LayoutElement::sfondoTestoTrasparente},
}};

const Column* columnNamed(const QString& name)
{
    for (const Column& column : Columns) {
        if (name.compare(QLatin1String(column.name), Qt::CaseInsensitive) == 0)
            return &column;
    }
    return nullptr;
}

// A number stored as text counts only when the whole text is a number; SQLite keeps such text as
// it was typed into the table by hand.
std::optional<double> number(const QVariant& value)
{
    bool ok = false;
    const double result = value.toDouble(&ok);
    if (!ok || !std::isfinite(result))
        return std::nullopt;
    return result;
}

std::optional<std::uint32_t> colour(const QVariant& value)
{
    const std::optional<double> raw = number(value);
    if (!raw || *raw < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        *raw > static_cast<double>(std::numeric_limits<std::uint32_t>::max()) || *raw != std::trunc(*raw))
        return std::nullopt;
    // Stored signed, as the display program reads a 32-bit colour.
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(*raw));
}

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
// Compilers without C++20's deduction for aggregates (clang 14) need the guide spelled out.
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

bool LayoutElement::isYesNoColumn(const QString& column)
{
    const Column* found = columnNamed(column);
    return found && std::holds_alternative<YesNo>(found->field);
}

bool LayoutElement::setColumn(const QString& column, const QVariant& value)
{
    const Column* found = columnNamed(column);
    if (!found)
        return false;
    const bool null = value.isNull();
    return std::visit(Overloaded{
                          [&](Text field) {
                              if (null)
                                  return false;
                              this->*field = value.toString();
                              return true;
                          },
                          [&](OptionalText field) {
                              this->*field = null ? std::nullopt : std::optional<QString>(value.toString());
                              return true;
                          },
                          [&](Single field) {
                              const std::optional<double> raw = null ? std::nullopt : number(value);
                              if (raw)
                                  this->*field = static_cast<float>(*raw);
                              return raw.has_value();
                          },
                          [&](YesNo field) {
                              this->*field = JetValue::isYes(value);
                              return true;
                          },
                          [&](Colour field) {
                              const std::optional<std::uint32_t> parsed = null ? std::nullopt : colour(value);
                              if (parsed)
                                  this->*field = *parsed;
                              return parsed.has_value();
                          },
                          [&](OptionalColour field) {
                              if (null) {
                                  this->*field = std::nullopt;
                                  return true;
                              }
                              const std::optional<std::uint32_t> parsed = colour(value);
                              if (parsed)
                                  this->*field = parsed;
                              return parsed.has_value();
                          },
                          [&](Alignment field) {
                              const std::optional<double> raw = null ? std::nullopt : number(value);
                              if (!raw || (*raw != 0.0 && *raw != 1.0 && *raw != 2.0))
                                  return false;
                              this->*field = static_cast<std::int16_t>(*raw);
                              return true;
                          },
                      },
                      found->field);
}

QVariant LayoutElement::columnValue(const QString& column) const
{
    const Column* found = columnNamed(column);
    if (!found)
        return {};
    return std::visit(Overloaded{
                          [&](Text field) { return QVariant(this->*field); },
                          [&](OptionalText field) {
                              const std::optional<QString>& text = this->*field;
                              return text ? QVariant(*text) : JetValue::null();
                          },
                          [&](Single field) { return JetValue::single(this->*field); },
                          [&](YesNo field) { return JetValue::yesNo(this->*field); },
                          [&](Colour field) { return JetValue::colour(this->*field); },
                          [&](OptionalColour field) {
                              const std::optional<std::uint32_t>& colour = this->*field;
                              return colour ? JetValue::colour(*colour) : JetValue::null();
                          },
                          [&](Alignment field) { return JetValue::integer16(this->*field); },
                      },
                      found->field);
}
